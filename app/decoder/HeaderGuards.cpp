#include "app/decoder/HeaderGuards.h"

namespace {

uint32_t U16(const uint8_t* p) { return uint32_t{p[0]} | uint32_t{p[1]} << 8; }

// PCX: the loader sizes its line buffer from the header's bytes per line but
// fills the image's width from it; the line must hold the whole width.
bool PcxLineCoversWidth(const uint8_t* h, size_t n) {
  if (n < 68) return false;
  const uint32_t bitsPerPixel = h[3];
  const uint32_t xmin = U16(h + 4), ymin = U16(h + 6), xmax = U16(h + 8), ymax = U16(h + 10);
  const uint32_t bytesPerLine = U16(h + 66);
  if (xmax < xmin || ymax < ymin || bitsPerPixel == 0) return false;
  const uint64_t width = uint64_t{xmax} - xmin + 1;
  return uint64_t{bytesPerLine} * 8 >= width * bitsPerPixel;
}

// Run-length Targa: the loader reads through a cache of (data bytes / rows)
// bytes. Grey and palette images take single bytes out of it (an empty cache
// is read past its end); deeper ones take whole pixels, which must be smaller
// than the cache.
bool TargaRleCacheHoldsPixel(const uint8_t* h, size_t n, uint64_t fileSize) {
  if (n < 18) return false;
  const uint32_t imageType = h[2];
  if (imageType != 9 && imageType != 10 && imageType != 11) return true;
  const uint32_t idLength = h[0];
  const uint32_t colorMapType = h[1];
  const uint32_t mapLength = U16(h + 5);
  const uint32_t mapBits = h[7];
  const uint32_t height = U16(h + 14);
  const uint32_t depth = h[16];
  if (height == 0) return false;
  const uint64_t mapBytes = colorMapType != 0 ? uint64_t{(mapBits + 7) / 8} * mapLength : 0;
  const uint64_t dataOffset = 18 + idLength + mapBytes;
  if (fileSize <= dataOffset) return false;
  const uint64_t cache = (fileSize - dataOffset) / height;
  const uint64_t pixelBytes = (depth + 7) / 8;
  return pixelBytes <= 1 ? cache >= 1 : cache > pixelBytes;
}

}  // namespace

bool PassesHeaderGuards(InputKind kind, const uint8_t* header, size_t headerBytes, uint64_t fileSize) {
  switch (kind) {
    case InputKind::Pcx:
      return PcxLineCoversWidth(header, headerBytes);
    case InputKind::Targa:
      return TargaRleCacheHoldsPixel(header, headerBytes, fileSize);
    default:
      return true;
  }
}
