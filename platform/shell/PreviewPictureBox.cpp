#include "platform/shell/PreviewPictureBox.h"

#include <QMouseEvent>
#include <QPainter>

#include "platform/drawing/FittedRect.h"
#include "platform/drawing/Numbers.h"

PreviewPictureBox::PreviewPictureBox(QWidget* parent) : QFrame(parent) {
  setFrameStyle(QFrame::StyledPanel | QFrame::Sunken);
  setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
  setMinimumSize(120, 90);
}

void PreviewPictureBox::setPicture(const QImage& picture) {
  picture_ = picture;
  update();
}

void PreviewPictureBox::clearPicture() {
  if (picture_.isNull()) return;
  picture_ = QImage();
  update();
}

QRect PreviewPictureBox::FitRect(const QSize& picture, const QRect& box) {
  if (picture.isEmpty() || box.isEmpty()) return {};
  QRect fitted = FittedRect(picture.width(), picture.height(), box.width(), box.height(), 0, true);
  fitted.setSize(fitted.size().expandedTo(QSize(1, 1)));  // a sliver of a picture still shows
  return fitted.translated(box.topLeft());
}

QRect PreviewPictureBox::pictureRect() const {
  if (picture_.isNull()) return {};
  const QSizeF natural = picture_.deviceIndependentSize();
  return FitRect(QSize(RoundHalfEven(natural.width()), RoundHalfEven(natural.height())), contentsRect());
}

QSize PreviewPictureBox::pixelSize() const {
  const qreal ratio = devicePixelRatioF();
  const QSize box = contentsRect().size();
  return QSize(RoundHalfEven(box.width() * ratio), RoundHalfEven(box.height() * ratio));
}

QSize PreviewPictureBox::sizeHint() const { return QSize(200, 160); }

void PreviewPictureBox::paintEvent(QPaintEvent* event) {
  QFrame::paintEvent(event);
  const QRect target = pictureRect();
  if (target.isEmpty()) return;
  QPainter painter(this);
  painter.setRenderHint(QPainter::SmoothPixmapTransform);
  painter.drawImage(target, picture_);
}

void PreviewPictureBox::mouseDoubleClickEvent(QMouseEvent* event) {
  if (event->button() == Qt::LeftButton) emit DblClick();
  QFrame::mouseDoubleClickEvent(event);
}
