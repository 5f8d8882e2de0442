#pragma once
// An Rk_Progbar as assistive tools see it: a progress bar whose value is
// Value, from 0 to Max (the bar fills Value / Max of the control; Min takes
// no part in it). Tools read the value; they cannot set it.
#include <QAccessibleWidget>

class Rk_Progbar;

class ProgbarAccessible : public QAccessibleWidget, public QAccessibleValueInterface {
 public:
  explicit ProgbarAccessible(Rk_Progbar* bar);

  QString text(QAccessible::Text t) const override;
  void* interface_cast(QAccessible::InterfaceType t) override;

  QVariant currentValue() const override;
  void setCurrentValue(const QVariant&) override {}
  QVariant maximumValue() const override;
  QVariant minimumValue() const override { return 0; }
  QVariant minimumStepSize() const override { return 1; }

 private:
  Rk_Progbar* bar() const;
};
