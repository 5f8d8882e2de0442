#include "app/controls/progbar/Rk_Progbar.h"

#include <QPainter>
#include <QResizeEvent>
#include <algorithm>

#include "app/controls/common/ControlAccessibility.h"
#include "app/controls/progbar/BarPictureBox.h"
#include "app/controls/progbar/EdgeStyle.h"
#include "app/controls/progbar/ProgbarAccessible.h"
#include "platform/com/PropertyBag.h"
#include "platform/drawing/Numbers.h"

namespace {

// A bar size in pixels: rounded half to even, never negative, never beyond
// what a widget can be.
int BarLength(double length) {
  const int32_t n = RoundHalfEven(length);
  return std::clamp<int32_t>(n, 0, QWIDGETSIZE_MAX);
}

}  // namespace

Rk_Progbar::Rk_Progbar(QWidget* parent) : PersistedWidget(parent), picBar_(new BarPictureBox(this)) {
  RegisterAccessibleOnce<Rk_Progbar, ProgbarAccessible>();
  setAttribute(Qt::WA_OpaquePaintEvent);
  picBar_->setBackColor(kDefaultBarcolor);
  picBar_->setGeometry(0, 0, 0, 0);
  picBar_->hide();
}

void Rk_Progbar::setMin(int value) { SetProperty(min_, value, &Rk_Progbar::MinChanged, "Min"); }

void Rk_Progbar::setMax(int value) { SetProperty(max_, value, &Rk_Progbar::MaxChanged, "Max"); }

void Rk_Progbar::setValue(int value) {
  const bool changed = SetIfChanged(value_, value);
  RedrawBar();
  if (!changed) return;
  NotifyAccessibleValue(this, value_);
  Notify(&Rk_Progbar::ValueChanged, value_, "Value");
}

void Rk_Progbar::setBackColor(ColorValue color) {
  SetProperty(backColor_, color, &Rk_Progbar::BackColorChanged, "BackColor");
}

ColorValue Rk_Progbar::Barcolor() const { return picBar_->backColor(); }

void Rk_Progbar::setBarcolor(ColorValue color) {
  if (color == picBar_->backColor()) return;
  picBar_->setBackColor(color);
  Notify(&Rk_Progbar::BarcolorChanged, color, "Barcolor");
}

void Rk_Progbar::setBarstyle(int style) { SetProperty(barStyle_, style, &Rk_Progbar::BarstyleChanged, "Barstyle"); }

void Rk_Progbar::setBorderStyle(int style) {
  SetProperty(borderStyle_, style, &Rk_Progbar::BorderStyleChanged, "BorderStyle");
}

void Rk_Progbar::setBarOffset(int offset) {
  SetProperty(barOffset_, offset, &Rk_Progbar::BarOffsetChanged, "BarOffset");
}

void Rk_Progbar::RedrawBar() {
  // No bar at 0, and none when there is no maximum to measure against.
  if (value_ == 0 || max_ == 0) {
    picBar_->hide();
    return;
  }
  const double fraction = static_cast<double>(value_) / static_cast<double>(max_);
  if (barOffset_ == 1)
    picBar_->setGeometry(2, 2, BarLength(fraction * (width() - 4)), std::max(0, height() - 4));
  else
    picBar_->setGeometry(0, 0, BarLength(fraction * width()), height());
  picBar_->Redraw(barStyle_);
  picBar_->show();
}

void Rk_Progbar::paintEvent(QPaintEvent*) {
  // The border redraw: clear, then the style's edge around the whole control.
  QImage image(size(), QImage::Format_RGB32);
  if (image.isNull()) return;
  image.fill(TranslateColor(backColor_));
  DrawStyleEdge(image, borderStyle_, width(), height());
  QPainter p(this);
  p.drawImage(0, 0, image);
}

void Rk_Progbar::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  picBar_->move(0, picBar_->y());
}

void Rk_Progbar::ReadProperties(const PropertyBag& bag) {
  const auto loading = LoadingProperties();
  setMin(bag.ReadProperty(QStringLiteral("Min"), kDefaultMin).toInt());
  setMax(bag.ReadProperty(QStringLiteral("Max"), kDefaultMax).toInt());
  setBackColor(bag.ReadProperty(QStringLiteral("BackColor"), kDefaultBackColor).toUInt());
  setBarcolor(bag.ReadProperty(QStringLiteral("Barcolor"), kDefaultBarcolor).toUInt());
  setBarstyle(bag.ReadProperty(QStringLiteral("Barstyle"), kDefaultBarstyle).toInt());
  setBorderStyle(bag.ReadProperty(QStringLiteral("BorderStyle"), kDefaultBorderStyle).toInt());
  setBarOffset(bag.ReadProperty(QStringLiteral("BarOffset"), kDefaultBarOffset).toInt());
  // Last, so the bar is drawn with the stored styles.
  setValue(bag.ReadProperty(QStringLiteral("Value"), kDefaultValue).toInt());
}

void Rk_Progbar::WriteProperties(PropertyBag& bag) const {
  bag.WriteProperty(QStringLiteral("Min"), min_, kDefaultMin);
  bag.WriteProperty(QStringLiteral("Max"), max_, kDefaultMax);
  bag.WriteProperty(QStringLiteral("Value"), value_, kDefaultValue);
  bag.WriteProperty(QStringLiteral("BackColor"), backColor_, kDefaultBackColor);
  bag.WriteProperty(QStringLiteral("Barcolor"), Barcolor(), kDefaultBarcolor);
  bag.WriteProperty(QStringLiteral("Barstyle"), barStyle_, kDefaultBarstyle);
  bag.WriteProperty(QStringLiteral("BorderStyle"), borderStyle_, kDefaultBorderStyle);
  bag.WriteProperty(QStringLiteral("BarOffset"), barOffset_, kDefaultBarOffset);
}
