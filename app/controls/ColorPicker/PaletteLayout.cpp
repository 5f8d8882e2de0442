#include "app/controls/ColorPicker/PaletteLayout.h"

#include "app/controls/ColorPicker/PaletteColors.h"

namespace {

constexpr int kLeft = 4;
constexpr int kRight = 139;
constexpr int kGridPitch = 17;
constexpr int kSwatch = 16;

WinRect Rect(int left, int top, int right, int bottom) { return WinRect{left, top, right, bottom}; }

}  // namespace

int PaletteLayout::cellAt(int x, int y) const {
  for (int n = 1; n <= kPaletteCells; ++n) {
    const WinRect& r = cells[static_cast<size_t>(n)].rect;
    if (r.right <= r.left || r.bottom <= r.top) continue;
    if (x >= r.left && x < r.right && y >= r.top && y < r.bottom) return n;
  }
  return 0;
}

bool IsColorCell(int n) { return n >= kCellDefault && n <= kCellLastCustom; }

void FillColorCells(PaletteLayout& layout, PaletteMode mode) {
  for (int n = kCellFirstColor; n <= kCellLastColor; ++n) {
    PaletteCell& c = layout.cells[static_cast<size_t>(n)];
    const int k = n - 1;  // 1-based index into the colour tables
    if (mode == PaletteMode::Normal) {
      c.color = StandardColor(k);
      c.tip.clear();
    } else if (k <= kSystemColorCount) {
      c.color = PaletteSystemColor(k);
      c.tip = SystemColorName(k);
    } else {
      c.color = 0xFFFFFFu;
      c.tip.clear();
    }
  }
}

PaletteLayout LayoutPalette(const PaletteState& state, PaletteMode mode, const CustomColorList& customs) {
  PaletteLayout layout;
  auto& cells = layout.cells;

  cells[kCellDefault].color = state.DefaultColor;
  cells[kCellDefault].caption = state.DefaultCaption;
  for (int slot = 1; slot <= CustomColorList::kSlots; ++slot) {
    PaletteCell& c = cells[static_cast<size_t>(kCellFirstCustom + slot - 1)];
    c.color = customs.At(slot).value_or(0xFFFFFFu);
    c.tip = QStringLiteral("Custom Color ") + QString::number(slot);
  }
  cells[kCellNormal].caption = QStringLiteral("Normal");
  cells[kCellNormal].tip = SwitchTip(1);
  cells[kCellSystem].caption = QStringLiteral("System");
  cells[kCellSystem].tip = SwitchTip(2);
  cells[kCellMore].caption = state.MoreColorsCaption;
  cells[kCellMore].tip = SwitchTip(3);
  FillColorCells(layout, mode);

  int y = 0;
  if (state.ShowDefault) {
    cells[kCellDefault].rect = Rect(kLeft, 4, kRight, 26);
    y = 26;
  }
  for (int n = kCellFirstColor; n <= kCellLastColor; ++n) {
    const int k = n - kCellFirstColor;
    const int left = kLeft + kGridPitch * (k % 8);
    const int top = y + 4 + kGridPitch * (k / 8);
    cells[static_cast<size_t>(n)].rect = Rect(left, top, left + kSwatch, top + kSwatch);
  }
  y += 105;
  if (state.ShowCustomColors) {
    layout.separators.append(y + 2);
    y += 3;
    for (int n = kCellFirstCustom; n <= kCellLastCustom; ++n) {
      const int left = kLeft + kGridPitch * (n - kCellFirstCustom);
      cells[static_cast<size_t>(n)].rect = Rect(left, y + 2, left + kSwatch, y + 2 + kSwatch);
    }
    y += 18;
  }
  if (state.ShowMoreColors || state.ShowSysColorButton) {
    layout.separators.append(y + 2);
    y += 3;
    if (state.ShowSysColorButton) {
      for (int n = kCellNormal; n <= kCellSystem; ++n) {
        const int left = kLeft + 71 * (n - kCellNormal);
        cells[static_cast<size_t>(n)].rect = Rect(left, y + 2, left + 64, y + 22);
      }
      y += 22;
    }
    if (state.ShowMoreColors) {
      cells[kCellMore].rect = Rect(kLeft, y + 2, kRight, y + 22);
      y += 22;
    }
  }
  layout.height = y + 4;
  return layout;
}
