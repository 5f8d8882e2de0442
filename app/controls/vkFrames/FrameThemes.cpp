#include "app/controls/vkFrames/FrameThemes.h"

FrameTheme ThemeColors(int theme, ColorValue colorFrom, ColorValue colorTo, ColorValue frameColor) {
  switch (theme) {
    case 0: return {RGBValue(129, 169, 226), RGBValue(221, 236, 254), RGBValue(0, 0, 128)};
    case 2: return {RGBValue(181, 197, 143), RGBValue(247, 249, 225), RGBValue(63, 93, 56)};
    case 3: return {RGBValue(194, 194, 171), RGBValue(248, 248, 242), RGBValue(145, 145, 115)};
    case 4: return {RGBValue(217, 172, 1), RGBValue(255, 239, 165), RGBValue(117, 91, 30)};
    case 5: return {colorFrom, colorTo, frameColor};
    default: return {RGBValue(153, 151, 180), RGBValue(244, 244, 251), RGBValue(75, 75, 111)};
  }
}
