#pragma once
// Small builders shared by the option pages: choice lists filled and set to
// their start entry, up-down boxes with their limits, captions.
#include <QString>

#include "app/settings/OptionControls.h"

class ColorPicker;
class QComboBox;
class QLabel;
class QWidget;
class ucUpDownBox;

// A drop-down list with the entries of a choice list, its start entry selected.
QComboBox* MakeChoiceList(ListControl control, const QString& name, QWidget* parent);

// An up-down box with the limits of a number control, holding value.
ucUpDownBox* MakeNumberBox(NumberControl control, int value, const QString& name, QWidget* parent);

// A colour picker holding its default colour.
ColorPicker* MakeColorPicker(ColorValue defaultColor, const QString& name, QWidget* parent);

// A caption for a control; the control takes the caption as its accessible name.
QLabel* MakeCaption(const QString& text, const QString& name, QWidget* buddy, QWidget* parent);

// A new caption text; the buddy's accessible name follows it.
void SetCaptionText(QLabel* label, const QString& text);

// The background colour of a list or text box (system colours translated).
void SetBoxBackColor(QWidget* box, ColorValue color);
