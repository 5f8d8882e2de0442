#include "orvellan/control/BoxWidget.h"

#include <QPainter>

BoxWidget::BoxWidget(const QString& name, QWidget* parent) : QWidget(parent) {
  setObjectName(name);
  setAttribute(Qt::WA_OpaquePaintEvent);
}

void BoxWidget::setBackColor(ColorValue color) {
  backColor_ = color;
  update();
}

void BoxWidget::ClearDrawing() {
  if (width() <= 0 || height() <= 0) {
    drawing_ = QImage();
    return;
  }
  if (drawing_.size() != size()) drawing_ = QImage(size(), QImage::Format_RGB32);
  drawing_.fill(TranslateColor(backColor_));
}

void BoxWidget::paintEvent(QPaintEvent*) {
  QPainter p(this);
  p.fillRect(rect(), TranslateColor(backColor_));
  if (!drawing_.isNull()) p.drawImage(0, 0, drawing_);
  if (hook_) hook_(p);
}
