#include <gtest/gtest.h>

#include "platform/drawing/ColorValue.h"
#include "platform/drawing/DrawEdge.h"
#include "platform/drawing/Numbers.h"
#include "platform/drawing/Surface.h"

TEST(Numbers, RoundHalfEvenAndIntDivide) {
  struct Case { double value; int32_t rounded; } cases[] = {
      {2.5, 2}, {3.5, 4}, {-2.5, -2}, {-3.5, -4}, {0.5, 0}, {1.5, 2}, {187.5, 188}, {166.5, 166},
      {2.4999, 2}, {2.5001, 3}, {1e12, 2147483647}, {-1e12, -2147483647 - 1}};
  for (const Case& c : cases) EXPECT_EQ(RoundHalfEven(c.value), c.rounded) << c.value;

  struct Div { double a, b; int64_t q; } divs[] = {
      {7, 2, 3}, {-7, 2, -3}, {2.5, 1, 2}, {3.5, 2, 2}, {7.5, 2, 4}, {10, 0, 0}, {9, 2.5, 4}};
  for (const Div& d : divs) EXPECT_EQ(IntDivide(d.a, d.b), d.q) << d.a << " \\ " << d.b;

  EXPECT_EQ(TwipsToPixels(1305), 87);
  EXPECT_EQ(PixelsToTwips(8), 120);
}

TEST(ColorValue, PlainValuesAreBGRAndSystemColoursTranslate) {
  EXPECT_EQ(TranslateColor(0x0000FF), QColor(255, 0, 0));
  EXPECT_EQ(TranslateColor(0xC0FFFF), QColor(255, 255, 192));
  EXPECT_EQ(TranslateColorValue(0x00123456), 0x00123456u);
  // System colours are translated, never read as BGR of their low bits.
  EXPECT_NE(TranslateColorValue(SystemColor(COLOR_WINDOW)), static_cast<ColorValue>(COLOR_WINDOW));
  EXPECT_EQ(TranslateColorValue(SystemColor(COLOR_BTNHIGHLIGHT)), 0xFFFFFFu);
  EXPECT_EQ(ColorValueFromQColor(QColor(1, 2, 3)), 0x030201u);
}

namespace {
QRgb Sys(int index) { return TranslateColor(SystemColor(index)).rgb(); }
}  // namespace

TEST(DrawEdge, RaisedSunkenEtchedAndBumpUseTheClassicColoursPerLine) {
  struct Case {
    unsigned edge;
    int topLeftOuter, bottomRightOuter, topLeftInner, bottomRightInner;
  } cases[] = {
      {EDGE_RAISED, COLOR_3DLIGHT, COLOR_3DDKSHADOW, COLOR_BTNHIGHLIGHT, COLOR_BTNSHADOW},
      {EDGE_SUNKEN, COLOR_BTNSHADOW, COLOR_BTNHIGHLIGHT, COLOR_3DDKSHADOW, COLOR_3DLIGHT},
      {EDGE_ETCHED, COLOR_BTNSHADOW, COLOR_BTNHIGHLIGHT, COLOR_BTNHIGHLIGHT, COLOR_BTNSHADOW},
      {EDGE_BUMP, COLOR_3DLIGHT, COLOR_3DDKSHADOW, COLOR_3DDKSHADOW, COLOR_3DLIGHT},
  };
  for (const Case& c : cases) {
    QImage img(20, 20, QImage::Format_RGB32);
    img.fill(qRgb(1, 2, 3));
    ASSERT_TRUE(DrawEdge(img, {2, 3, 12, 15}, c.edge, BF_RECT));
    SCOPED_TRACE(c.edge);
    EXPECT_EQ(img.pixel(5, 3), Sys(c.topLeftOuter));       // top line
    EXPECT_EQ(img.pixel(2, 8), Sys(c.topLeftOuter));       // left line
    EXPECT_EQ(img.pixel(5, 14), Sys(c.bottomRightOuter));  // bottom line at bottom - 1
    EXPECT_EQ(img.pixel(11, 8), Sys(c.bottomRightOuter));  // right line at right - 1
    EXPECT_EQ(img.pixel(2, 14), Sys(c.bottomRightOuter));  // bottom-left corner takes the bottom colour
    EXPECT_EQ(img.pixel(11, 3), Sys(c.bottomRightOuter));  // top-right corner takes the right colour
    EXPECT_EQ(img.pixel(5, 4), Sys(c.topLeftInner));
    EXPECT_EQ(img.pixel(3, 8), Sys(c.topLeftInner));
    EXPECT_EQ(img.pixel(5, 13), Sys(c.bottomRightInner));
    EXPECT_EQ(img.pixel(10, 8), Sys(c.bottomRightInner));
    EXPECT_EQ(img.pixel(6, 8), qRgb(1, 2, 3));   // inside untouched
    EXPECT_EQ(img.pixel(12, 8), qRgb(1, 2, 3));  // right is exclusive
    EXPECT_EQ(img.pixel(5, 15), qRgb(1, 2, 3));  // bottom is exclusive
  }
}

TEST(DrawEdge, SingleBorderTakesTheOuterLineOnly) {
  QImage img(10, 10, QImage::Format_RGB32);
  img.fill(qRgb(1, 2, 3));
  DrawEdge(img, {0, 0, 10, 10}, BDR_SUNKENINNER, BF_RECT);
  EXPECT_EQ(img.pixel(4, 0), Sys(COLOR_3DDKSHADOW));
  EXPECT_EQ(img.pixel(4, 9), Sys(COLOR_3DLIGHT));
  EXPECT_EQ(img.pixel(4, 1), qRgb(1, 2, 3));
}

TEST(Surface, ClearShowsBackgroundAndPictureAtTopLeftAndResizeKeepsDrawing) {
  Surface s(10, 8);
  s.setBackColor(0x0000FF);  // red
  EXPECT_EQ(s.image().pixel(9, 7), qRgb(255, 0, 0));
  QImage picture(4, 3, QImage::Format_RGB32);
  picture.fill(qRgb(0, 0, 255));
  s.setPicture(picture);
  EXPECT_EQ(s.image().pixel(3, 2), qRgb(0, 0, 255));
  EXPECT_EQ(s.image().pixel(4, 2), qRgb(255, 0, 0));
  s.image().setPixel(8, 6, qRgb(0, 255, 0));
  s.setOuterSize(12, 12);
  EXPECT_EQ(s.innerWidth(), 12);
  EXPECT_EQ(s.image().pixel(8, 6), qRgb(0, 255, 0));   // drawing kept
  EXPECT_EQ(s.image().pixel(11, 11), qRgb(255, 0, 0));  // new area: background
  s.removePicture();
  EXPECT_EQ(s.image().pixel(0, 0), qRgb(255, 0, 0));

  Surface bordered(20, 10, 2);
  EXPECT_EQ(bordered.innerWidth(), 16);
  EXPECT_EQ(bordered.innerHeight(), 6);
  int refreshed = 0;
  bordered.setRefreshHook([&] { ++refreshed; });
  bordered.Refresh();
  EXPECT_EQ(refreshed, 1);
}
