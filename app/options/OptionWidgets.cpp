#include "app/options/OptionWidgets.h"

#include <QComboBox>
#include <QLabel>

#include "app/controls/ColorPicker/ColorPicker.h"
#include "app/controls/ColorPicker/cpfrmColorPalette.h"  // ColorPicker.h needs it complete
#include "app/controls/ucUpDownBox/ucUpDownBox.h"
#include "app/settings/ChoiceLists.h"

QComboBox* MakeChoiceList(ListControl control, const QString& name, QWidget* parent) {
  auto* box = new QComboBox(parent);
  box->setObjectName(name);
  box->addItems(ChoiceListTexts(control));
  for (const ChoiceList& list : StartupChoiceLists())
    if (list.control == control) box->setCurrentIndex(list.start);
  return box;
}

ucUpDownBox* MakeNumberBox(NumberControl control, int value, const QString& name, QWidget* parent) {
  auto* box = new ucUpDownBox(parent);
  box->setObjectName(name);
  const NumberRange range = NumberLimits(control);
  box->setMin(range.minimum);
  box->setMax(range.maximum);
  box->setValue(value);
  return box;
}

ColorPicker* MakeColorPicker(ColorValue defaultColor, const QString& name, QWidget* parent) {
  auto* picker = new ColorPicker(parent);
  picker->setObjectName(name);
  picker->setDefaultColor(defaultColor);
  picker->setColor(defaultColor);
  return picker;
}

QLabel* MakeCaption(const QString& text, const QString& name, QWidget* buddy, QWidget* parent) {
  auto* label = new QLabel(parent);
  label->setObjectName(name);
  label->setBuddy(buddy);
  SetCaptionText(label, text);
  return label;
}

void SetCaptionText(QLabel* label, const QString& text) {
  label->setText(text);
  if (QWidget* buddy = label->buddy()) {
    QString accessible = text;
    if (accessible.endsWith(QLatin1Char(':'))) accessible.chop(1);
    buddy->setAccessibleName(accessible);
  }
}

void SetBoxBackColor(QWidget* box, ColorValue color) {
  QPalette pal = box->palette();
  const QColor c = TranslateColor(color);
  pal.setColor(QPalette::Base, c);
  pal.setColor(QPalette::Button, c);
  box->setPalette(pal);
}
