#pragma once
// The palette's fixed colour tables: the 48 standard colours, the 25 system
// colours with their names, and the tool tips of the three switch cells.
#include <QString>

#include "platform/drawing/ColorValue.h"

constexpr int kStandardColorCount = 48;
constexpr int kSystemColorCount = 25;

// n is 1-based; out of range gives white.
ColorValue StandardColor(int n);
ColorValue PaletteSystemColor(int n);
QString SystemColorName(int n);
// n: 1 "Normal Colors", 2 "System Colors", 3 "Show Color Dialog".
QString SwitchTip(int n);
