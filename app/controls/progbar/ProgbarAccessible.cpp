#include "app/controls/progbar/ProgbarAccessible.h"

#include "app/controls/progbar/Rk_Progbar.h"

ProgbarAccessible::ProgbarAccessible(Rk_Progbar* bar) : QAccessibleWidget(bar, QAccessible::ProgressBar) {}

Rk_Progbar* ProgbarAccessible::bar() const { return static_cast<Rk_Progbar*>(widget()); }

QString ProgbarAccessible::text(QAccessible::Text t) const {
  if (t == QAccessible::Value) return QString::number(bar()->Value());
  return QAccessibleWidget::text(t);
}

void* ProgbarAccessible::interface_cast(QAccessible::InterfaceType t) {
  if (t == QAccessible::ValueInterface) return static_cast<QAccessibleValueInterface*>(this);
  return QAccessibleWidget::interface_cast(t);
}

QVariant ProgbarAccessible::currentValue() const { return bar()->Value(); }

QVariant ProgbarAccessible::maximumValue() const { return bar()->Max(); }
