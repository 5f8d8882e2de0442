#pragma once
// Geometry and content of the palette's 60 cells, apart from any widget, so
// that painting and hit-testing read the same rectangles.
//   1      the default colour button          50-57  custom colours 1-8
//   2-49   48 standard or 25 system colours   58/59  "Normal" / "System"
//                                             60     the colour dialog button
#include <QString>
#include <QVector>
#include <array>

#include "app/controls/ColorPicker/PaletteState.h"
#include "platform/drawing/DrawEdge.h"

constexpr int kPaletteCells = 60;
constexpr int kPaletteWidth = 143;
constexpr int kCellDefault = 1;
constexpr int kCellFirstColor = 2;
constexpr int kCellLastColor = 49;
constexpr int kCellFirstCustom = 50;
constexpr int kCellLastCustom = 57;
constexpr int kCellNormal = 58;
constexpr int kCellSystem = 59;
constexpr int kCellMore = 60;

struct PaletteCell {
  ColorValue color = 0xFFFFFFu;
  WinRect rect;  // empty when its part of the palette is switched off
  QString caption;
  QString tip;
};

struct PaletteLayout {
  std::array<PaletteCell, kPaletteCells + 1> cells;  // index 0 unused
  QVector<int> separators;  // top row of each two-line separator
  int height = 0;           // window height: laid-out height plus 4

  const PaletteCell& cell(int n) const { return cells[static_cast<size_t>(n)]; }
  // The laid-out cell under (x, y), or 0.
  int cellAt(int x, int y) const;
};

enum class PaletteMode { Normal, System };

// Lays out the cells for the switches in state and fills their colours,
// captions and tips for mode; custom colours come from customs.
PaletteLayout LayoutPalette(const PaletteState& state, PaletteMode mode, const CustomColorList& customs);

// Refills cells 2-49 for mode.
void FillColorCells(PaletteLayout& layout, PaletteMode mode);

bool IsColorCell(int n);
