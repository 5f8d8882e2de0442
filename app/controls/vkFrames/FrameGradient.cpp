#include "app/controls/vkFrames/FrameGradient.h"

#include <QPainter>
#include <algorithm>
#include <cstdint>

#include "platform/drawing/Numbers.h"

void DrawVerticalGradient(QImage& image, ColorValue a, ColorValue b, int x1, int x2, int y, int n) {
  if (image.isNull() || n < 0 || x2 <= x1) return;
  a = TranslateColorValue(a);
  b = TranslateColorValue(b);
  const int ra = RedOf(a), ga = GreenOf(a), ba = BlueOf(a);
  // A band of one row has no steps; guard the division.
  const float div = n > 0 ? static_cast<float>(n) : 1.0f;
  const float sr = static_cast<float>(RedOf(b) - ra) / div;
  const float sg = static_cast<float>(GreenOf(b) - ga) / div;
  const float sb = static_cast<float>(BlueOf(b) - ba) / div;
  QPainter p(&image);
  // Only the rows that fall on the image are computed, so a huge band costs nothing.
  const int first = std::max(0, -y);
  const int last = static_cast<int>(std::min<int64_t>(n, static_cast<int64_t>(image.height()) - 1 - y));
  for (int i = first; i <= last; ++i) {
    // The step times the row stays single precision; the sum with the whole
    // start value is taken in double before rounding.
    const float fi = static_cast<float>(i);
    const int r = RoundHalfEven(ra + static_cast<double>(sr * fi));
    const int g = RoundHalfEven(ga + static_cast<double>(sg * fi));
    const int bl = RoundHalfEven(ba + static_cast<double>(sb * fi));
    p.fillRect(x1, y + i, x2 - x1, 1, QColor(r, g, bl));
  }
}

void DrawGradientBox(QImage& image, ColorValue a, ColorValue b, int left, int top, int right, int n,
                     ColorValue outline) {
  DrawVerticalGradient(image, a, b, left, right, top, n);
  if (image.isNull() || n < 0 || right < left) return;
  QPainter p(&image);
  const QColor c = TranslateColor(outline);
  p.fillRect(left, top, right - left + 1, 1, c);
  p.fillRect(left, top + n, right - left + 1, 1, c);
  p.fillRect(left, top, 1, n + 1, c);
  p.fillRect(right, top, 1, n + 1, c);
}

ColorValue ColorAverage(ColorValue a, ColorValue b) {
  a = TranslateColorValue(a);
  b = TranslateColorValue(b);
  auto half = [](int x, int y) { return RoundHalfEven((x + y) / 2.0); };
  return RGBValue(half(RedOf(a), RedOf(b)), half(GreenOf(a), GreenOf(b)), half(BlueOf(a), BlueOf(b)));
}
