#include <gtest/gtest.h>

#include "app/engine/OptionPageLook.h"
#include "app/engine/ThumbGeometry.h"

TEST(ThumbnailSize, FourResizeModesWithHalfToEvenRounding) {
  struct Case {
    const char* what;
    int W, H, w0, h0, mode, width, height;
  } cases[] = {
      {"wide image in a square box", 300, 200, 120, 120, kResizeKeepAspect, 120, 80},
      {"tall image in a square box", 200, 300, 120, 120, kResizeKeepAspect, 80, 120},
      {"small image is enlarged", 60, 40, 120, 120, kResizeKeepAspect, 120, 80},
      {"equal ratios take the width rule", 400, 200, 240, 120, kResizeKeepAspect, 240, 120},
      {"single-precision ratio", 1000, 333, 160, 100, kResizeKeepAspect, 160, 53},
      {"no resize keeps the size", 333, 111, 16, 16, kResizeNone, 333, 111},
      {"exact size distorts", 500, 500, 200, 50, kResizeExact, 200, 50},
      {"percent: 187.5 rounds to 188", 1000, 750, 25, 0, kResizePercent, 250, 188},
      {"percent: 166.5 rounds to 166, height from it", 333, 100, 50, 0, kResizePercent, 166, 50},
      {"percent: below 1 becomes 1", 3, 3, 16, 0, kResizePercent, 1, 1},
      {"aspect: a sliver stays at least 1", 10000, 1, 120, 120, kResizeKeepAspect, 120, 1},
  };
  for (const Case& c : cases) {
    const QSize s = ThumbnailSize(c.W, c.H, c.w0, c.h0, c.mode);
    EXPECT_EQ(s, QSize(c.width, c.height)) << c.what;
  }
}

TEST(ThumbnailLists, FilterPositionsSetLibraryCodes) {
  const int expected[] = {6, 3, 1, 2, 0, 4, 5};
  ASSERT_EQ(ResampleFilterTexts().size(), 7);
  for (int i = 0; i < 7; ++i) EXPECT_EQ(static_cast<int>(ResampleFilterAt(i)), expected[i]) << ResampleFilterTexts()[i].toStdString();
  EXPECT_EQ(ResampleFilterTexts()[0], "None");
  EXPECT_EQ(ResampleFilterTexts()[4], "Box Filter");
  EXPECT_EQ(ResampleFilterAt(-1), ResampleFilter::Halftone);
  EXPECT_EQ(ResampleFilterAt(99), ResampleFilter::Halftone);
  EXPECT_EQ(ResizeModeTexts()[1], "No Resize(Convert only)");
  EXPECT_EQ(ThumbStyleTexts()[3], "Raised Button With Inner Border");
}

TEST(OptionPageLook, ResizeModesAndStylesReshapeThePage) {
  struct ModeCase { int mode; bool wid, hgt, label2, labelhgt; const char* label2Text; } modes[] = {
      {0, true, true, true, true, "Max.Width(Pixels):"},
      {1, false, false, false, false, "Max.Width(Pixels):"},
      {2, true, true, true, true, "Max.Width(Pixels):"},
      {3, true, false, true, false, "Percent:"},
  };
  for (const ModeCase& c : modes) {
    const ResizeModeLook look = LookForResizeMode(c.mode);
    EXPECT_EQ(look.udWid.enabled, c.wid) << c.mode;
    EXPECT_EQ(look.udHgt.enabled, c.hgt) << c.mode;
    EXPECT_EQ(look.udWid.backColor, c.wid ? 0x80000005u : 0x8000000Fu) << c.mode;
    EXPECT_EQ(look.udHgt.backColor, c.hgt ? 0x80000005u : 0x8000000Fu) << c.mode;
    EXPECT_EQ(look.label2Enabled, c.label2) << c.mode;
    EXPECT_EQ(look.labelhgtEnabled, c.labelhgt) << c.mode;
    EXPECT_EQ(look.label2Text, c.label2Text) << c.mode;
  }

  struct StyleCase { int style; bool framed; const char* resizeLabel; const char* hgtLabel; const char* widLabel; }
  styles[] = {
      {0, false, "Resize Mode:", "Max.Height(Pixels):", "Max.Width(Pixels):"},
      {1, true, "Background Color:", "Height(Pixels):", "Width(Pixels):"},
      {2, true, "Button Color:", "Height(Pixels):", "Width(Pixels):"},
      {3, true, "Button Color:", "Height(Pixels):", "Width(Pixels):"},
  };
  for (const StyleCase& c : styles) {
    const StyleLook look = LookForStyle(c.style);
    EXPECT_EQ(look.colorPickerInPlace, c.framed) << c.style;
    EXPECT_EQ(look.forceResizeModeZero, c.framed) << c.style;
    EXPECT_EQ(look.comboResizeEnabled, !c.framed) << c.style;
    EXPECT_EQ(look.comboResizeBackColor, c.framed ? 0x8000000Fu : 0x80000005u) << c.style;
    EXPECT_EQ(look.backImageControlsVisible, c.framed) << c.style;
    EXPECT_EQ(look.paddingEnabled, c.framed) << c.style;
    EXPECT_EQ(look.labelResizeMethodText, c.resizeLabel) << c.style;
    EXPECT_EQ(look.labelhgtText, c.hgtLabel) << c.style;
    EXPECT_EQ(look.label2Text, c.widLabel) << c.style;
  }
}
