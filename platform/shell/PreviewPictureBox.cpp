#include "platform/shell/PreviewPictureBox.h"

#include <QMouseEvent>
#include <QPainter>

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
  int sw = picture.width();
  int sh = picture.height();
  if (sw <= 0 || sh <= 0 || box.isEmpty()) return {};
  if (sw > box.width()) {
    sh = std::max(1, RoundHalfEven(double(box.width()) / sw * sh));
    sw = box.width();
  }
  if (sh > box.height()) {
    sw = std::max(1, RoundHalfEven(double(box.height()) / sh * sw));
    sh = box.height();
  }
  return QRect(box.x() + RoundHalfEven((box.width() - sw) / 2.0), box.y() + RoundHalfEven((box.height() - sh) / 2.0),
               sw, sh);
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
