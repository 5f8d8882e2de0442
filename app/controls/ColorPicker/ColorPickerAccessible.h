#pragma once
// A ColorPicker as assistive tools see it: a push button named by its
// accessible name, whose value text is its colour ("#RRGGBB", system colours
// as they show now), also at the end of its description, with the press
// action that opens the palette.
#include <QAccessibleWidget>

#include "platform/drawing/ColorValue.h"

class ColorPicker;

class ColorPickerAccessible : public QAccessibleWidget {
 public:
  explicit ColorPickerAccessible(ColorPicker* picker);

  // The value text of a colour.
  static QString ColorText(ColorValue color);

  QString text(QAccessible::Text t) const override;
  QStringList actionNames() const override;
  void doAction(const QString& actionName) override;

 private:
  ColorPicker* picker() const;
};
