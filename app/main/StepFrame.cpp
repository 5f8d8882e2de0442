#include "app/main/StepFrame.h"

#include <QApplication>
#include <QLabel>
#include <QPainter>
#include <QRadialGradient>
#include <QVBoxLayout>

#include "platform/com/StdPicture.h"

namespace {

constexpr int kMarkerSize = 22;

}  // namespace

QImage StepFrame::MarkerImage(int step, int size) {
  QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
  image.fill(Qt::transparent);
  QPainter p(&image);
  p.setRenderHint(QPainter::Antialiasing);
  QRadialGradient fill(size * 0.35, size * 0.3, size * 0.75);
  fill.setColorAt(0, QColor(0x6f, 0x9f, 0xe8));
  fill.setColorAt(1, QColor(0x1f, 0x4f, 0xa8));
  p.setBrush(fill);
  p.setPen(QPen(QColor(0x14, 0x32, 0x6e), size / 16.0));
  p.drawEllipse(QRectF(size / 32.0, size / 32.0, size - size / 16.0, size - size / 16.0));
  QFont font(QStringLiteral("DejaVu Sans"));
  font.setBold(true);
  font.setPixelSize(size * 5 / 8);
  p.setFont(font);
  p.setPen(Qt::white);
  p.drawText(QRect(0, 0, size, size), Qt::AlignCenter, QString::number(step));
  return image;
}

StepFrame::StepFrame(int step, const QString& caption, const QString& markerToolTip, QWidget* parent)
    : vkFrames(parent), marker_(new QLabel(this)) {
  setStyle(1);
  setCaption(caption);
  setAlignment(0);
  setTextBoxHeight(kMarkerSize + 2);
  setIconSize(kMarkerSize);
  setPicture(StdPicture(MarkerImage(step, 64), StdPicture::Bitmap));
  QFont bold = font();
  bold.setBold(true);
  setFrameFont(bold);
  setObjectName(QStringLiteral("fraStep%1").arg(step));
  setAccessibleName(caption);
  // The marker label lies over the drawn icon: it only carries the tool tip.
  marker_->setToolTip(markerToolTip);
  marker_->setAccessibleName(markerToolTip);
  marker_->setAttribute(Qt::WA_TransparentForMouseEvents, false);
  // The content sits in a body of its own, in the window's font: the frame's
  // bold caption font is not passed on to it.
  auto* outer = new QVBoxLayout(this);
  outer->setContentsMargins(8, TextBoxHeight() + 12, 8, 8);
  auto* body = new QWidget(this);
  QFont plain = QApplication::font();
  plain.setBold(false);  // set explicitly, so the frame's bold is not inherited
  body->setFont(plain);
  outer->addWidget(body);
  content_ = new QVBoxLayout(body);
  content_->setContentsMargins(0, 0, 0, 0);
  content_->setSpacing(6);
}

void StepFrame::resizeEvent(QResizeEvent* event) {
  vkFrames::resizeEvent(event);
  // The caption bar of this style starts 3 pixels down; its icon 9 pixels in.
  marker_->setGeometry(6, 3, IconSize() + 6, TextBoxHeight());
}
