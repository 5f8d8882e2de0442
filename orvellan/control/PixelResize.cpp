#include "orvellan/control/PixelResize.h"

#include <algorithm>
#include <cmath>

#include "platform/drawing/Numbers.h"

namespace {
inline int Channel(uint32_t pixel, int shift) { return static_cast<int>((pixel >> shift) & 0xFF); }
}  // namespace

QImage ResizeBilinear(const QImage& source, int newWidth, int newHeight) {
  const int w = source.width();
  const int h = source.height();
  if (w < 1 || h < 1 || newWidth < 1 || newHeight < 1) return QImage();
  QImage out(newWidth, newHeight, QImage::Format_RGB32);
  if (out.isNull()) return out;

  const float sx = static_cast<float>(static_cast<double>(w - 1) / newWidth);
  const float sy = static_cast<float>(static_cast<double>(h - 1) / newHeight);
  for (int x = 0; x < newWidth; ++x) {
    const float xs = sx * static_cast<float>(x);
    const int xi = std::min(static_cast<int>(std::floor(xs)), w - 1);
    const float fx = xs - static_cast<float>(xi);
    const int xr = std::min(xi + 1, w - 1);
    for (int y = 0; y < newHeight; ++y) {
      const float ys = sy * static_cast<float>(y);
      const int yi = std::min(static_cast<int>(std::floor(ys)), h - 1);
      const float fy = ys - static_cast<float>(yi);
      const int yb = std::min(yi + 1, h - 1);
      const auto* top = reinterpret_cast<const uint32_t*>(source.constScanLine(yi));
      const auto* bottom = reinterpret_cast<const uint32_t*>(source.constScanLine(yb));
      const uint32_t tl = top[xi], tr = top[xr], bl = bottom[xi], br = bottom[xr];
      uint32_t value = 0;
      for (int shift = 0; shift <= 16; shift += 8) {
        const float left = static_cast<float>(RoundHalfEven((1 - fy) * Channel(tl, shift) + fy * Channel(bl, shift)));
        const float right = static_cast<float>(RoundHalfEven((1 - fy) * Channel(tr, shift) + fy * Channel(br, shift)));
        const int v = std::clamp(RoundHalfEven((1 - fx) * left + fx * right), 0, 255);
        value |= static_cast<uint32_t>(v) << shift;
      }
      reinterpret_cast<uint32_t*>(out.scanLine(y))[x] = value;
    }
  }
  return out;
}
