#include "platform/drawing/Surface.h"

#include <QPainter>
#include <algorithm>

namespace {
QImage MakeImage(int w, int h) {
  if (w <= 0 || h <= 0) return QImage();
  QImage img(w, h, QImage::Format_RGB32);
  return img;
}
}  // namespace

Surface::Surface(int outerWidth, int outerHeight, int borderWidth) : border_(std::max(0, borderWidth)) {
  setOuterSize(outerWidth, outerHeight);
}

void Surface::paintBackground(QImage& target) const {
  if (target.isNull()) return;
  target.fill(TranslateColor(backColor_));
  if (!picture_.isNull()) {
    QPainter p(&target);
    p.setCompositionMode(QPainter::CompositionMode_SourceOver);
    p.drawImage(0, 0, picture_);
  }
}

void Surface::setOuterSize(int width, int height) {
  width = std::max(0, width);
  height = std::max(0, height);
  if (width == outerWidth_ && height == outerHeight_ && !(image_.isNull() && width > 2 * border_ && height > 2 * border_))
    return;
  outerWidth_ = width;
  outerHeight_ = height;
  natural_ = QSize();
  QImage next = MakeImage(width - 2 * border_, height - 2 * border_);
  paintBackground(next);
  if (!next.isNull() && !image_.isNull()) {
    QPainter p(&next);
    p.setCompositionMode(QPainter::CompositionMode_Source);
    p.drawImage(0, 0, image_);
  }
  image_ = std::move(next);
}

void Surface::setBackColor(ColorValue color) {
  backColor_ = color;
  Clear();
}

void Surface::setPicture(const QImage& picture) {
  picture_ = picture;
  Clear();
}

void Surface::removePicture() {
  picture_ = QImage();
  Clear();
}

void Surface::setImage(const QImage& pixels, QSize naturalSize) {
  natural_ = naturalSize;
  outerWidth_ = pixels.width() + 2 * border_;
  outerHeight_ = pixels.height() + 2 * border_;
  image_ = pixels.format() == QImage::Format_RGB32 ? pixels : pixels.convertToFormat(QImage::Format_RGB32);
}

void Surface::Clear() { paintBackground(image_); }

void Surface::Refresh() {
  if (refreshHook_) refreshHook_();
}
