#pragma once
// Keyboard and mouse codes as controls' events carry them: virtual key
// codes (37..40 for the arrows), the Shift mask (1 Shift, 2 Ctrl, 4 Alt), the
// Button mask (1 left, 2 right, 4 middle) and character codes.
#include <Qt>

#include "platform/com/InputMasks.h"

class QKeyEvent;

short KeyCodeOf(const QKeyEvent* event);
// The character code of a key press, 0 when the key gives no character.
short KeyAsciiOf(const QKeyEvent* event);
