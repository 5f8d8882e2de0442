#pragma once
// What a control takes from its host when a property has no value of its own:
// the host's font and background colour (the parent widget's, or the
// application's when the control has no parent).
#include <QFont>

#include "platform/drawing/ColorValue.h"

class QWidget;

QFont AmbientFont(const QWidget* control);
// The parent's window colour, else the button-face system colour.
ColorValue AmbientBackColor(const QWidget* control);
