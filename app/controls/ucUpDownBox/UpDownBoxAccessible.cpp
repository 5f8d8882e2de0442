#include "app/controls/ucUpDownBox/UpDownBoxAccessible.h"

#include <QLineEdit>

#include "app/controls/ucUpDownBox/ucUpDownBox.h"

UpDownBoxAccessible::UpDownBoxAccessible(ucUpDownBox* box) : QAccessibleWidget(box, QAccessible::SpinBox) {}

ucUpDownBox* UpDownBoxAccessible::box() const { return static_cast<ucUpDownBox*>(widget()); }

QString UpDownBoxAccessible::text(QAccessible::Text t) const {
  if (t == QAccessible::Value) return box()->textBox()->text();
  return QAccessibleWidget::text(t);
}

void* UpDownBoxAccessible::interface_cast(QAccessible::InterfaceType t) {
  if (t == QAccessible::ValueInterface) return static_cast<QAccessibleValueInterface*>(this);
  return QAccessibleWidget::interface_cast(t);
}

QVariant UpDownBoxAccessible::currentValue() const { return box()->Value(); }

void UpDownBoxAccessible::setCurrentValue(const QVariant& value) {
  if (box()->isEnabled()) box()->setValue(value.toInt());
}

QVariant UpDownBoxAccessible::maximumValue() const { return box()->Max(); }

QVariant UpDownBoxAccessible::minimumValue() const { return box()->Min(); }

QVariant UpDownBoxAccessible::minimumStepSize() const { return 1; }
