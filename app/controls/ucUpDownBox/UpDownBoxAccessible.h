#pragma once
// A ucUpDownBox as assistive tools see it: a spin box whose value, minimum
// and maximum are the box's, and whose value a tool can set (clamped into
// Min..Max, as from code). Its text value is what the text box shows.
#include <QAccessibleWidget>

class ucUpDownBox;

class UpDownBoxAccessible : public QAccessibleWidget, public QAccessibleValueInterface {
 public:
  explicit UpDownBoxAccessible(ucUpDownBox* box);

  QString text(QAccessible::Text t) const override;
  void* interface_cast(QAccessible::InterfaceType t) override;

  QVariant currentValue() const override;
  void setCurrentValue(const QVariant& value) override;
  QVariant maximumValue() const override;
  QVariant minimumValue() const override;
  QVariant minimumStepSize() const override;

 private:
  ucUpDownBox* box() const;
};
