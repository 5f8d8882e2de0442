#include "app/controls/progbar/BarPictureBox.h"

#include <QPainter>
#include <algorithm>

#include "app/controls/progbar/EdgeStyle.h"

BarPictureBox::BarPictureBox(QWidget* parent) : QWidget(parent) {
  setAttribute(Qt::WA_OpaquePaintEvent);
}

void BarPictureBox::Redraw(int barStyle) {
  drawnStyle_ = barStyle;
  // A bar wider than the control is clipped by it: only the part inside the
  // control is drawn, so a huge value never makes a huge picture.
  int w = width();
  int h = height();
  if (const QWidget* control = parentWidget()) {
    w = std::min(w, control->width() - x());
    h = std::min(h, control->height() - y());
  }
  if (w <= 0 || h <= 0) {
    picture_ = QImage();
    update();
    return;
  }
  QImage image(w, h, QImage::Format_RGB32);
  image.fill(TranslateColor(backColor_));
  DrawStyleEdge(image, barStyle, width(), height());
  picture_ = std::move(image);
  update();
}

void BarPictureBox::setBackColor(ColorValue color) {
  backColor_ = color;
  Redraw(drawnStyle_);
}

void BarPictureBox::paintEvent(QPaintEvent*) {
  QPainter p(this);
  p.fillRect(rect(), TranslateColor(backColor_));
  if (!picture_.isNull()) p.drawImage(0, 0, picture_);
}
