#pragma once
// Colour values as the system stores them: 0x00BBGGRR, red in the low byte.
// A value with the top bit set (0x80000000 + n) names system colour n and is
// turned into a real colour only when drawn, by TranslateColor.
#include <QColor>
#include <cstdint>

using ColorValue = uint32_t;

constexpr ColorValue kSystemColorFlag = 0x80000000u;

// Indices of the classic desktop's system colours.
enum SystemColorIndex : int {
  COLOR_SCROLLBAR = 0, COLOR_BACKGROUND = 1, COLOR_ACTIVECAPTION = 2, COLOR_INACTIVECAPTION = 3,
  COLOR_MENU = 4, COLOR_WINDOW = 5, COLOR_WINDOWFRAME = 6, COLOR_MENUTEXT = 7, COLOR_WINDOWTEXT = 8,
  COLOR_CAPTIONTEXT = 9, COLOR_ACTIVEBORDER = 10, COLOR_INACTIVEBORDER = 11, COLOR_APPWORKSPACE = 12,
  COLOR_HIGHLIGHT = 13, COLOR_HIGHLIGHTTEXT = 14, COLOR_BTNFACE = 15, COLOR_BTNSHADOW = 16,
  COLOR_GRAYTEXT = 17, COLOR_BTNTEXT = 18, COLOR_INACTIVECAPTIONTEXT = 19, COLOR_BTNHIGHLIGHT = 20,
  COLOR_3DDKSHADOW = 21, COLOR_3DLIGHT = 22, COLOR_INFOTEXT = 23, COLOR_INFOBK = 24,
  COLOR_HOTLIGHT = 26, COLOR_GRADIENTACTIVECAPTION = 27, COLOR_GRADIENTINACTIVECAPTION = 28,
  COLOR_MENUHILIGHT = 29, COLOR_MENUBAR = 30
};

constexpr ColorValue SystemColor(int index) { return kSystemColorFlag + static_cast<ColorValue>(index); }
constexpr bool IsSystemColor(ColorValue c) { return (c & kSystemColorFlag) != 0; }

constexpr ColorValue RGBValue(int r, int g, int b) {
  return static_cast<ColorValue>((r & 0xFF) | ((g & 0xFF) << 8) | ((b & 0xFF) << 16));
}
constexpr int RedOf(ColorValue c) { return static_cast<int>(c & 0xFF); }
constexpr int GreenOf(ColorValue c) { return static_cast<int>((c >> 8) & 0xFF); }
constexpr int BlueOf(ColorValue c) { return static_cast<int>((c >> 16) & 0xFF); }

// The one translation of a colour value (system colours included) to a colour:
// system colours come from the application palette where a role fits, else
// from the classic defaults. Unknown system indices give black.
QColor TranslateColor(ColorValue value);

// The current colour of system colour index n.
inline QColor TranslateSystemColor(int index) { return TranslateColor(SystemColor(index)); }

// The colour value (0x00BBGGRR) of a translated colour: what OleTranslateColor gives.
ColorValue TranslateColorValue(ColorValue value);

ColorValue ColorValueFromQColor(const QColor& color);
