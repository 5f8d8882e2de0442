#include "app/decoder/Jpeg2000Size.h"

namespace {

uint32_t Be32(const uint8_t* p) {
  return uint32_t{p[0]} << 24 | uint32_t{p[1]} << 16 | uint32_t{p[2]} << 8 | p[3];
}

// SOC then SIZ: Lsiz(2) Rsiz(2) Xsiz(4) Ysiz(4) XOsiz(4) YOsiz(4).
bool CodestreamSize(const uint8_t* p, size_t n, uint32_t* width, uint32_t* height) {
  if (n < 24 || p[0] != 0xFF || p[1] != 0x4F || p[2] != 0xFF || p[3] != 0x51) return false;
  const uint32_t xsiz = Be32(p + 8), ysiz = Be32(p + 12), xo = Be32(p + 16), yo = Be32(p + 20);
  if (xo >= xsiz || yo >= ysiz) return false;
  *width = xsiz - xo;
  *height = ysiz - yo;
  return true;
}

// Boxes: length(4) type(4) contents; 'jp2h' holds 'ihdr': height(4) width(4).
bool Jp2Size(const uint8_t* p, size_t n, uint32_t* width, uint32_t* height) {
  size_t at = 0;
  while (at + 8 <= n) {
    const uint32_t length = Be32(p + at);
    const uint8_t* type = p + at + 4;
    if (type[0] == 'j' && type[1] == 'p' && type[2] == '2' && type[3] == 'h') {
      at += 8;  // into the superbox: its first box is the image header
      continue;
    }
    if (type[0] == 'i' && type[1] == 'h' && type[2] == 'd' && type[3] == 'r') {
      if (at + 16 > n) return false;
      *height = Be32(p + at + 8);
      *width = Be32(p + at + 12);
      return *width > 0 && *height > 0;
    }
    if (length < 8) return false;  // a box to the end of the file, or damaged
    at += length;
  }
  return false;
}

}  // namespace

bool ReadJpeg2000Size(const uint8_t* header, size_t headerBytes, uint32_t* width, uint32_t* height) {
  return CodestreamSize(header, headerBytes, width, height) || Jp2Size(header, headerBytes, width, height);
}
