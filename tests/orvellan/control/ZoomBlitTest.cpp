// Zoomed drawing by pixel replication gives exactly what Qt's unsmoothed
// scaled drawing gives, for every offset, factor and clipping case.
#include <gtest/gtest.h>

#include <QPainter>

#include "orvellan/control/ZoomBlit.h"
#include "tests/support/TestImages.h"

TEST(ZoomBlit, MatchesUnsmoothedScaledDrawingWithOffsetsAndClipping) {
  const QImage src = testimages::Gradient(40, 30);
  struct Case { int dx, dy, sx, sy, sw, sh, f; } cases[] = {
      {0, 0, 0, 0, 40, 30, 2},     // whole picture, fits
      {-3, -7, 5, 4, 12, 9, 4},    // scrolled: partial first squares
      {-24, 0, 10, 2, 6, 5, 25},   // 2500 %: the first square mostly off the left
      {7, 5, 0, 0, 40, 30, 3},     // runs past the target's right and bottom
      {-1, -1, 35, 25, 10, 10, 5}, // source rectangle past the picture's edge
      {0, 0, 0, 0, 40, 30, 1},
  };
  for (const auto& c : cases) {
    QImage expected(64, 48, QImage::Format_RGB32);
    expected.fill(Qt::magenta);
    {
      QPainter p(&expected);
      const int sw = std::min(c.sw, src.width() - c.sx), sh = std::min(c.sh, src.height() - c.sy);
      p.drawImage(QRect(c.dx, c.dy, sw * c.f, sh * c.f), src, QRect(c.sx, c.sy, sw, sh));
    }
    QImage actual(64, 48, QImage::Format_RGB32);
    actual.fill(Qt::magenta);
    const QRect drawn = ZoomBlit(actual, c.dx, c.dy, src, c.sx, c.sy, c.sw, c.sh, c.f);
    EXPECT_EQ(actual, expected) << c.dx << "," << c.dy << " f " << c.f;
    EXPECT_TRUE(QRect(0, 0, 64, 48).contains(drawn)) << c.f;
  }
}
