#include "orvellan/dib/BlockTransfer.h"

#include <QPainter>
#include <algorithm>
#include <cstring>
#include <vector>

namespace {

struct Rect {
  int dx, dy, sx, sy, w, h;
};

// Clips the transfer to both pictures; false when nothing is left.
bool Clip(Rect& r, int srcW, int srcH, int dstW, int dstH) {
  int64_t dx = r.dx, dy = r.dy, sx = r.sx, sy = r.sy, w = r.w, h = r.h;
  if (sx < 0) { dx -= sx; w += sx; sx = 0; }
  if (sy < 0) { dy -= sy; h += sy; sy = 0; }
  if (dx < 0) { sx -= dx; w += dx; dx = 0; }
  if (dy < 0) { sy -= dy; h += dy; dy = 0; }
  w = std::min({w, int64_t{srcW} - sx, int64_t{dstW} - dx});
  h = std::min({h, int64_t{srcH} - sy, int64_t{dstH} - dy});
  if (w <= 0 || h <= 0) return false;
  r = Rect{static_cast<int>(dx), static_cast<int>(dy), static_cast<int>(sx), static_cast<int>(sy),
           static_cast<int>(w), static_cast<int>(h)};
  return true;
}

bool ReadsDestination(uint32_t rop) {
  return rop != SRCCOPY && rop != NOTSRCCOPY && rop != BLACKNESS && rop != WHITENESS;
}

// d = rop(s, d) over n bytes.
void CombineRow(uint8_t* d, const uint8_t* s, size_t n, uint32_t rop) {
  switch (rop) {
    case SRCCOPY: std::memcpy(d, s, n); break;
    case SRCPAINT: for (size_t i = 0; i < n; ++i) d[i] = static_cast<uint8_t>(s[i] | d[i]); break;
    case SRCAND: for (size_t i = 0; i < n; ++i) d[i] = static_cast<uint8_t>(s[i] & d[i]); break;
    case SRCINVERT: for (size_t i = 0; i < n; ++i) d[i] = static_cast<uint8_t>(s[i] ^ d[i]); break;
    case SRCERASE: for (size_t i = 0; i < n; ++i) d[i] = static_cast<uint8_t>(s[i] & ~d[i]); break;
    case NOTSRCCOPY: for (size_t i = 0; i < n; ++i) d[i] = static_cast<uint8_t>(~s[i]); break;
    case NOTSRCERASE: for (size_t i = 0; i < n; ++i) d[i] = static_cast<uint8_t>(~(s[i] | d[i])); break;
    case DSTINVERT: for (size_t i = 0; i < n; ++i) d[i] = static_cast<uint8_t>(~d[i]); break;
    case BLACKNESS: std::memset(d, 0x00, n); break;
    case WHITENESS: std::memset(d, 0xFF, n); break;
    default: break;
  }
}

}  // namespace

bool IsSupportedRasterOp(uint32_t rop) {
  switch (rop) {
    case SRCCOPY: case SRCPAINT: case SRCAND: case SRCINVERT: case SRCERASE:
    case NOTSRCCOPY: case NOTSRCERASE: case DSTINVERT: case BLACKNESS: case WHITENESS:
      return true;
    default:
      return false;
  }
}

bool BlockTransfer(const DibPixels& dest, int dx, int dy, int w, int h, const DibPixels& src, int sx, int sy,
                   uint32_t rop) {
  if (dest.isNull() || src.isNull() || !IsSupportedRasterOp(rop)) return false;
  Rect r{dx, dy, sx, sy, w, h};
  if (!Clip(r, src.width, src.height, dest.width, dest.height)) return true;
  const size_t rowBytes = static_cast<size_t>(r.w) * 3;
  if (src.bits == dest.bits) {
    // Copying within one picture: take the source block first so overlapping
    // rectangles read the pixels as they were.
    std::vector<uint8_t> block(rowBytes * static_cast<size_t>(r.h));
    for (int y = 0; y < r.h; ++y)
      std::memcpy(block.data() + rowBytes * y, src.rowFromTop(r.sy + y) + 3 * static_cast<size_t>(r.sx), rowBytes);
    for (int y = 0; y < r.h; ++y)
      CombineRow(dest.rowFromTop(r.dy + y) + 3 * static_cast<size_t>(r.dx), block.data() + rowBytes * y, rowBytes,
                 rop);
    return true;
  }
  for (int y = 0; y < r.h; ++y)
    CombineRow(dest.rowFromTop(r.dy + y) + 3 * static_cast<size_t>(r.dx),
               src.rowFromTop(r.sy + y) + 3 * static_cast<size_t>(r.sx), rowBytes, rop);
  return true;
}

bool BlockTransfer(const DibPixels& dest, int dx, int dy, int w, int h, const QImage& src, int sx, int sy,
                   uint32_t rop) {
  if (dest.isNull() || src.isNull() || !IsSupportedRasterOp(rop)) return false;
  Rect r{dx, dy, sx, sy, w, h};
  if (!Clip(r, src.width(), src.height(), dest.width, dest.height)) return true;
  const QImage block = src.copy(r.sx, r.sy, r.w, r.h).convertToFormat(QImage::Format_BGR888);
  if (block.isNull()) return false;
  const size_t rowBytes = static_cast<size_t>(r.w) * 3;
  for (int y = 0; y < r.h; ++y)
    CombineRow(dest.rowFromTop(r.dy + y) + 3 * static_cast<size_t>(r.dx), block.constScanLine(y), rowBytes, rop);
  return true;
}

bool BlockTransfer(QImage& dest, int dx, int dy, int w, int h, const DibPixels& src, int sx, int sy,
                   uint32_t rop) {
  if (dest.isNull() || src.isNull() || !IsSupportedRasterOp(rop)) return false;
  Rect r{dx, dy, sx, sy, w, h};
  if (!Clip(r, src.width, src.height, dest.width(), dest.height())) return true;
  QImage block = ReadsDestination(rop)
                     ? dest.copy(r.dx, r.dy, r.w, r.h).convertToFormat(QImage::Format_BGR888)
                     : QImage(r.w, r.h, QImage::Format_BGR888);
  if (block.isNull()) return false;
  const size_t rowBytes = static_cast<size_t>(r.w) * 3;
  for (int y = 0; y < r.h; ++y)
    CombineRow(block.scanLine(y), src.rowFromTop(r.sy + y) + 3 * static_cast<size_t>(r.sx), rowBytes, rop);
  QPainter p(&dest);
  if (!p.isActive()) return false;
  p.setCompositionMode(QPainter::CompositionMode_Source);
  p.drawImage(r.dx, r.dy, block);
  return true;
}
