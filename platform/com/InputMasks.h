#pragma once
// The Button and Shift arguments of mouse and key events as controls raise
// them: Button 1 left, 2 right, 4 middle; Shift 1 Shift, 2 Ctrl, 4 Alt.
#include <Qt>

inline short ButtonMask(Qt::MouseButtons buttons) {
  return static_cast<short>(((buttons & Qt::LeftButton) ? 1 : 0) | ((buttons & Qt::RightButton) ? 2 : 0) |
                            ((buttons & Qt::MiddleButton) ? 4 : 0));
}

inline short ShiftMask(Qt::KeyboardModifiers modifiers) {
  return static_cast<short>(((modifiers & Qt::ShiftModifier) ? 1 : 0) | ((modifiers & Qt::ControlModifier) ? 2 : 0) |
                            ((modifiers & Qt::AltModifier) ? 4 : 0));
}
