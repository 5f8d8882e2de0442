#pragma once
// The progress bar's bar (picBar): a child box that shows the picture drawn at
// the last bar redraw, so a later style change shows only at the next redraw.
#include <QImage>
#include <QWidget>

#include "platform/drawing/ColorValue.h"

class BarPictureBox : public QWidget {
  Q_OBJECT
 public:
  explicit BarPictureBox(QWidget* parent = nullptr);

  // Clears the bar to its colour at its current size and draws the edge of
  // the style on its own rectangle.
  void Redraw(int barStyle);

  // Applies a new background colour; the edge drawn last is kept.
  void setBackColor(ColorValue color);
  ColorValue backColor() const { return backColor_; }

  // The drawn picture (what the box shows), for inspection.
  const QImage& picture() const { return picture_; }

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  ColorValue backColor_ = SystemColor(COLOR_BTNFACE);
  int drawnStyle_ = 0;
  QImage picture_;
};
