#pragma once
// A drawing surface: what a picture box with a persistent image is on the
// classic desktop. It holds an RGB32 image of its inner size that all drawing
// goes to (through QPainter), a background colour, an optional picture shown
// at its top-left corner, and a refresh hook that a visible widget sets to
// repaint itself from the image.
#include <QImage>
#include <functional>

#include "platform/drawing/ColorValue.h"

class Surface {
 public:
  explicit Surface(int outerWidth = 0, int outerHeight = 0, int borderWidth = 0);

  int outerWidth() const { return outerWidth_; }
  int outerHeight() const { return outerHeight_; }
  int innerWidth() const { return image_.width(); }
  int innerHeight() const { return image_.height(); }
  int borderWidth() const { return border_; }

  // Resizes the persistent image; what was drawn stays at the top-left, new
  // area shows the background colour and the picture.
  void setOuterSize(int width, int height);

  ColorValue backColor() const { return backColor_; }
  // A new background colour clears the surface, as on the classic desktop.
  void setBackColor(ColorValue color);

  bool hasPicture() const { return !picture_.isNull(); }
  const QImage& picture() const { return picture_; }
  // Setting or removing the picture clears the surface so that it shows.
  void setPicture(const QImage& picture);
  void removePicture();

  // Fills the image with the background colour and draws the picture.
  void Clear();
  void Refresh();
  void setRefreshHook(std::function<void()> hook) { refreshHook_ = std::move(hook); }

  // Makes the surface exactly the size of pixels (plus its border) and its
  // drawing exactly those pixels: sizing, clearing and blitting an opaque
  // image in one step. naturalSize, when valid, is the size of the image the
  // pixels stand for (a shrunk decode of a larger photo).
  void setImage(const QImage& pixels, QSize naturalSize = QSize());
  // The size of the image the surface holds: its own inner size unless
  // setImage said otherwise.
  QSize naturalSize() const { return natural_.isValid() ? natural_ : image_.size(); }

  // The persistent image ("device context" and "bitmap" in one).
  QImage& image() { return image_; }
  const QImage& image() const { return image_; }

 private:
  void paintBackground(QImage& target) const;

  int outerWidth_ = 0;
  int outerHeight_ = 0;
  int border_ = 0;
  ColorValue backColor_ = SystemColor(COLOR_BTNFACE);
  QImage picture_;
  QImage image_;
  QSize natural_;
  std::function<void()> refreshHook_;
};
