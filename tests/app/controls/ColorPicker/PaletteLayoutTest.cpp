#include <gtest/gtest.h>

#include "app/controls/ColorPicker/PaletteColors.h"
#include "app/controls/ColorPicker/PaletteLayout.h"
#include "app/controls/ColorPicker/cpfrmColorPalette.h"

namespace {

PaletteState Switches(bool def, bool custom, bool sys, bool more) {
  PaletteState s;
  s.ShowDefault = def;
  s.ShowCustomColors = custom;
  s.ShowSysColorButton = sys;
  s.ShowMoreColors = more;
  return s;
}

bool Empty(const WinRect& r) { return r.right <= r.left || r.bottom <= r.top; }

}  // namespace

TEST(PaletteLayout, HeightFollowsTheShowSwitches) {
  struct Case {
    bool def, custom, sys, more;
    int height;
  } cases[] = {
      {true, false, false, false, 135},  // default button and grid: 26 + 105 + 4
      {false, false, false, false, 109}, // the grid moves up to y 4: 26 less without the default button
      {true, true, true, true, 203},
      {false, true, true, true, 177},
      {true, true, false, false, 156},
      {true, false, true, false, 160},
      {true, false, false, true, 160},
  };
  const CustomColorList none;
  for (const Case& c : cases) {
    const PaletteLayout l = LayoutPalette(Switches(c.def, c.custom, c.sys, c.more), PaletteMode::Normal, none);
    EXPECT_EQ(l.height, c.height) << c.def << c.custom << c.sys << c.more;
  }
}

TEST(PaletteLayout, CellRectanglesWithEverythingShown) {
  struct Case {
    int cell;
    WinRect rect;
  } cases[] = {
      {1, {4, 4, 139, 26}},      {2, {4, 30, 20, 46}},       {9, {123, 30, 139, 46}},
      {10, {4, 47, 20, 63}},     {49, {123, 115, 139, 131}}, {50, {4, 136, 20, 152}},
      {57, {123, 136, 139, 152}}, {58, {4, 157, 68, 177}},    {59, {75, 157, 139, 177}},
      {60, {4, 179, 139, 199}},
  };
  const PaletteLayout l = LayoutPalette(PaletteState{}, PaletteMode::Normal, CustomColorList{});
  for (const Case& c : cases) EXPECT_EQ(l.cell(c.cell).rect, c.rect) << c.cell;
  EXPECT_EQ(l.cellAt(4, 4), 1);
  EXPECT_EQ(l.cellAt(138, 25), 1);
  EXPECT_EQ(l.cellAt(139, 10), 0);  // right edge is outside
  EXPECT_EQ(l.cellAt(20, 30), 0);   // the one-pixel gap between grid cells
  EXPECT_EQ(l.cellAt(21, 30), 3);
  EXPECT_EQ(l.separators, (QVector<int>{133, 154}));
}

TEST(PaletteLayout, SwitchedOffCellsHaveNoRectangleAndNoHits) {
  const PaletteLayout l = LayoutPalette(Switches(false, false, false, false), PaletteMode::Normal, CustomColorList{});
  EXPECT_EQ(l.cell(2).rect, (WinRect{4, 4, 20, 20}));  // the grid starts at y 4
  for (int n : {1, 50, 57, 58, 59, 60}) EXPECT_TRUE(Empty(l.cell(n).rect)) << n;
  EXPECT_EQ(l.cellAt(10, 10), 2);
  EXPECT_EQ(l.cellAt(10, 112), 0);
}

TEST(PaletteLayout, NormalAndSystemModeContent) {
  PaletteLayout l = LayoutPalette(PaletteState{}, PaletteMode::Normal, CustomColorList{});
  EXPECT_EQ(l.cell(2).color, 0xFFFFFFu);
  EXPECT_EQ(l.cell(3).color, 0xC0C0FFu);
  EXPECT_EQ(l.cell(10).color, 0xE0E0E0u);
  EXPECT_EQ(l.cell(21).color, 0x00FFFFu);
  EXPECT_EQ(l.cell(22).color, 0x00FF00u);
  EXPECT_EQ(l.cell(49).color, 0x400040u);
  for (int n = 2; n <= 49; ++n) EXPECT_TRUE(l.cell(n).tip.isEmpty()) << n;

  FillColorCells(l, PaletteMode::System);
  EXPECT_EQ(l.cell(2).color, 0x80000000u);
  EXPECT_EQ(l.cell(2).tip, QStringLiteral("Scroll Bars"));
  EXPECT_EQ(l.cell(5).tip, QStringLiteral("Inactive Titl Bar"));
  EXPECT_EQ(l.cell(21).tip, QStringLiteral("Inactive Title Bar Text"));
  EXPECT_EQ(l.cell(26).color, 0x80000018u);
  EXPECT_EQ(l.cell(26).tip, QStringLiteral("ToolTip"));
  for (int n = 27; n <= 49; ++n) {
    EXPECT_EQ(l.cell(n).color, 0xFFFFFFu) << n;
    EXPECT_TRUE(l.cell(n).tip.isEmpty()) << n;
  }
  EXPECT_EQ(l.cell(50).tip, QStringLiteral("Custom Color 1"));
  EXPECT_EQ(l.cell(57).tip, QStringLiteral("Custom Color 8"));
  EXPECT_EQ(l.cell(58).tip, QStringLiteral("Normal Colors"));
  EXPECT_EQ(l.cell(59).tip, QStringLiteral("System Colors"));
  EXPECT_EQ(l.cell(60).tip, QStringLiteral("Show Color Dialog"));
  EXPECT_EQ(l.cell(60).caption, QStringLiteral("More Colors..."));
  EXPECT_EQ(l.cell(1).caption, QStringLiteral("Default"));
}

TEST(CustomColorList, NinthColourReplacesTheFirst) {
  CustomColorList list;
  for (ColorValue c = 1; c <= 9; ++c) list.Add(c);
  EXPECT_EQ(list.count(), 8);
  EXPECT_EQ(list.At(1), std::optional<ColorValue>(9));
  EXPECT_EQ(list.At(2), std::optional<ColorValue>(2));
  EXPECT_EQ(list.At(8), std::optional<ColorValue>(8));
  EXPECT_EQ(list.writePosition(), 2);
  EXPECT_FALSE(list.At(0));
  EXPECT_FALSE(list.At(9));

  const PaletteLayout l = LayoutPalette(PaletteState{}, PaletteMode::Normal, list);
  EXPECT_EQ(l.cell(50).color, 9u);
  CustomColorList few;
  few.Add(0x123456);
  const PaletteLayout m = LayoutPalette(PaletteState{}, PaletteMode::Normal, few);
  EXPECT_EQ(m.cell(50).color, 0x123456u);
  EXPECT_EQ(m.cell(51).color, 0xFFFFFFu);  // an empty slot shows white
}

TEST(PlacePalette, UnderTheControlAboveNearTheBottomMovedLeftAtTheRight) {
  const QRect screen(0, 0, 800, 600);
  const QSize size(143, 203);
  struct Case {
    QRect picker;
    QPoint at;
  } cases[] = {
      {QRect(100, 100, 80, 21), QPoint(100, 121)},
      {QRect(100, 380, 80, 21), QPoint(100, 177)},  // 401 + 203 > 600: above, bottom at the control's top
      {QRect(100, 376, 80, 21), QPoint(100, 397)},  // ends exactly at the bottom: stays under
      {QRect(700, 100, 80, 21), QPoint(657, 121)},  // kept on screen at the right
      {QRect(-50, 100, 80, 21), QPoint(0, 121)},
  };
  for (const Case& c : cases) EXPECT_EQ(PlacePalette(c.picker, size, screen), c.at) << c.picker.y();
}
