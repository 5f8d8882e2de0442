#include "app/controls/ColorPicker/ColorPickerAccessible.h"

#include "app/controls/ColorPicker/ColorPicker.h"

ColorPickerAccessible::ColorPickerAccessible(ColorPicker* picker) : QAccessibleWidget(picker, QAccessible::Button) {}

ColorPicker* ColorPickerAccessible::picker() const { return static_cast<ColorPicker*>(widget()); }

QString ColorPickerAccessible::ColorText(ColorValue color) {
  return TranslateColor(color).name(QColor::HexRgb).toUpper();
}

QString ColorPickerAccessible::text(QAccessible::Text t) const {
  if (t == QAccessible::Value) return ColorText(picker()->Color());
  return QAccessibleWidget::text(t);
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
