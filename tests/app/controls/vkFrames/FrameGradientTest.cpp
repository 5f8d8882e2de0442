#include <gtest/gtest.h>

#include "app/controls/vkFrames/FrameGradient.h"

TEST(FrameGradient, BlackToWhiteOver256RowsStepsByOne) {
  QImage image(4, 256, QImage::Format_RGB32);
  image.fill(Qt::red);
  DrawVerticalGradient(image, 0x000000, 0xFFFFFF, 0, 3, 0, 255);
  for (int y = 0; y < 256; ++y) {
    ASSERT_EQ(image.pixel(0, y), qRgb(y, y, y)) << y;
    ASSERT_EQ(image.pixel(2, y), qRgb(y, y, y)) << y;
    ASSERT_EQ(image.pixel(3, y), qRgb(255, 0, 0)) << y;  // the line stops before x2
  }
}

TEST(FrameGradient, ChannelsRoundHalvesToEven) {
  struct Case {
    ColorValue a, b;
    int n, row;
    QRgb expected;
  } cases[] = {
      {RGBValue(0, 0, 0), RGBValue(1, 3, 5), 2, 1, qRgb(0, 2, 2)},    // 0.5 -> 0, 1.5 -> 2, 2.5 -> 2
      {RGBValue(10, 10, 10), RGBValue(0, 20, 10), 4, 2, qRgb(5, 15, 10)},
      {RGBValue(200, 0, 0), RGBValue(100, 0, 0), 3, 3, qRgb(100, 0, 0)},  // the last row is B
      {RGBValue(7, 8, 9), RGBValue(70, 80, 90), 0, 0, qRgb(7, 8, 9)},  // a band of one row is A
      // 15 / 22 in single precision times 11 is exactly 7.5 (-> 8); in double it falls just below.
      {RGBValue(0, 0, 0), RGBValue(15, 0, 0), 22, 11, qRgb(8, 0, 0)},
  };
  for (const Case& c : cases) {
    QImage image(2, 24, QImage::Format_RGB32);
    image.fill(Qt::black);
    DrawVerticalGradient(image, c.a, c.b, 0, 2, 0, c.n);
    EXPECT_EQ(image.pixel(0, c.row), c.expected) << c.n;
  }
}

TEST(FrameGradient, HugeBandsOnlyTouchTheImage) {
  QImage image(4, 4, QImage::Format_RGB32);
  image.fill(Qt::black);
  DrawVerticalGradient(image, 0xFFFFFF, 0, 0, 4, -2, 2000000000);
  EXPECT_EQ(image.pixel(0, 0), qRgb(255, 255, 255));
  EXPECT_EQ(image.pixel(3, 3), qRgb(255, 255, 255));
}

TEST(FrameGradient, GradientBoxIsOutlined) {
  QImage image(10, 10, QImage::Format_RGB32);
  image.fill(Qt::white);
  DrawGradientBox(image, RGBValue(0, 0, 100), RGBValue(0, 0, 200), 1, 2, 8, 4, RGBValue(255, 0, 0));
  for (QPoint p : {QPoint(1, 2), QPoint(8, 2), QPoint(1, 6), QPoint(8, 6), QPoint(4, 2), QPoint(4, 6)})
    EXPECT_EQ(image.pixel(p), qRgb(255, 0, 0)) << p.x() << "," << p.y();
  EXPECT_EQ(image.pixel(4, 4), qRgb(0, 0, 150));
  EXPECT_EQ(image.pixel(4, 7), qRgb(255, 255, 255));
}

TEST(FrameGradient, ColourAverageRoundsHalvesToEven) {
  EXPECT_EQ(ColorAverage(RGBValue(1, 2, 0), RGBValue(2, 4, 1)), RGBValue(2, 3, 0));  // 1.5 -> 2, 0.5 -> 0
  EXPECT_EQ(ColorAverage(RGBValue(129, 169, 226), 0xFFFFFF), RGBValue(192, 212, 240));
  EXPECT_EQ(ColorAverage(RGBValue(2, 5, 7), RGBValue(3, 6, 8)), RGBValue(2, 6, 8));
}
