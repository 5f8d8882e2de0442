#include "orvellan/control/ZoomBlit.h"

#include <algorithm>
#include <cstring>

QRect ZoomBlit(QImage& target, int dx, int dy, const QImage& src, int sx, int sy, int sw, int sh, int f) {
  if (f < 1 || target.isNull() || src.isNull() || target.depth() != 32 || src.depth() != 32) return QRect();
  // Only source pixels that exist.
  if (sx < 0) {
    dx -= sx * f;
    sw += sx;
    sx = 0;
  }
  if (sy < 0) {
    dy -= sy * f;
    sh += sy;
    sy = 0;
  }
  sw = std::min(sw, src.width() - sx);
  sh = std::min(sh, src.height() - sy);
  if (sw <= 0 || sh <= 0) return QRect();
  const int x0 = std::max(0, dx);
  const int y0 = std::max(0, dy);
  const int x1 = static_cast<int>(std::min<long long>(target.width(), dx + static_cast<long long>(sw) * f));
  const int y1 = static_cast<int>(std::min<long long>(target.height(), dy + static_cast<long long>(sh) * f));
  if (x1 <= x0 || y1 <= y0) return QRect();
  const size_t rowBytes = static_cast<size_t>(x1 - x0) * 4;
  for (int y = y0; y < y1; ++y) {
    auto* out = reinterpret_cast<uint32_t*>(target.scanLine(y));
    if (y > y0 && (y - dy) % f != 0) {  // same source row as the row above
      std::memcpy(out + x0, target.constScanLine(y - 1) + size_t{4} * x0, rowBytes);
      continue;
    }
    const auto* in = reinterpret_cast<const uint32_t*>(src.constScanLine(sy + (y - dy) / f)) + sx;
    int column = (x0 - dx) / f;
    int left = f - (x0 - dx) % f;  // output pixels still owed to this column's square
    for (int x = x0; x < x1; ++column, left = f) {
      const uint32_t value = in[column];
      const int end = std::min(x1, x + left);
      while (x < end) out[x++] = value;
    }
  }
  return QRect(x0, y0, x1 - x0, y1 - y0);
}
