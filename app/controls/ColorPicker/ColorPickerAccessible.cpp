#include "app/controls/ColorPicker/ColorPickerAccessible.h"

#include "app/controls/ColorPicker/ColorPicker.h"

ColorPickerAccessible::ColorPickerAccessible(ColorPicker* picker) : QAccessibleWidget(picker, QAccessible::Button) {}

ColorPicker* ColorPickerAccessible::picker() const { return static_cast<ColorPicker*>(widget()); }

QString ColorPickerAccessible::ColorText(ColorValue color) {
  return TranslateColor(color).name(QColor::HexRgb).toUpper();
}

QString ColorPickerAccessible::text(QAccessible::Text t) const {
  const QString own = QAccessibleWidget::text(t);
  const QString colour = ColorText(picker()->Color());
  if (t == QAccessible::Value) return colour;
  // AT-SPI passes no value text of a button on: the description carries the
  // colour too, so a screen reader can say it.
  if (t == QAccessible::Description) return own.isEmpty() ? colour : own + ' ' + colour;
  return own;
}

QStringList ColorPickerAccessible::actionNames() const {
  return QStringList(pressAction()) + QAccessibleWidget::actionNames();
}

void ColorPickerAccessible::doAction(const QString& actionName) {
  if (actionName != pressAction()) {
    QAccessibleWidget::doAction(actionName);
    return;
  }
  // From the event loop, so the tool that asked has its answer first.
  if (picker()->isEnabled()) QMetaObject::invokeMethod(picker(), &ColorPicker::OpenPalette, Qt::QueuedConnection);
}
