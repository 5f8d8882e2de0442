#pragma once
// The frame's six colour themes and five style presets.
#include "platform/drawing/ColorValue.h"

struct FrameTheme {
  ColorValue start;  // gradient start (bottom of a caption bar)
  ColorValue end;    // gradient end (top of a caption bar)
  ColorValue dark;   // lines and text
};

// Themes 0 to 4 are fixed; 5 is the custom theme from colorFrom, colorTo and
// frameColor; any other value is theme 1.
FrameTheme ThemeColors(int theme, ColorValue colorFrom, ColorValue colorTo, ColorValue frameColor);
