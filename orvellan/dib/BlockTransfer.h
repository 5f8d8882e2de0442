#pragma once
// Block transfers between 24-bit bottom-up pixel memory and images: the
// rectangle copies a memory drawing context does, with the raster operations
// that combine only source and destination.
#include <QImage>
#include <cstddef>
#include <cstdint>

enum RasterOp : uint32_t {
  SRCCOPY = 0x00CC0020u,
  SRCPAINT = 0x00EE0086u,
  SRCAND = 0x008800C6u,
  SRCINVERT = 0x00660046u,
  SRCERASE = 0x00440328u,
  NOTSRCCOPY = 0x00330008u,
  NOTSRCERASE = 0x001100A6u,
  DSTINVERT = 0x00550009u,
  BLACKNESS = 0x00000042u,
  WHITENESS = 0x00FF0062u,
};

// True for the raster operations above; a transfer with any other code copies nothing.
bool IsSupportedRasterOp(uint32_t rop);

// A view of 24-bit pixel memory: blue, green, red per pixel, scan lines of
// bytesPerLine bytes, scan line 0 at the bottom of the picture.
struct DibPixels {
  uint8_t* bits = nullptr;
  int width = 0;
  int height = 0;
  int bytesPerLine = 0;

  bool isNull() const { return bits == nullptr || width <= 0 || height <= 0; }
  // Row y counted from the top of the picture.
  uint8_t* rowFromTop(int y) const {
    return bits + static_cast<std::ptrdiff_t>(height - 1 - y) * bytesPerLine;
  }
};

// Each copies the w x h rectangle at (sx, sy) of the source to (dx, dy) of the
// destination, coordinates counted from the top-left of the picture. The
// rectangle is clipped to both pictures; what falls outside either is not
// transferred. Returns false when nothing could be transferred for a reason
// other than clipping (null picture, unsupported raster operation, an image
// format that cannot be painted on).
bool BlockTransfer(const DibPixels& dest, int dx, int dy, int w, int h, const DibPixels& src, int sx, int sy,
                   uint32_t rop);
bool BlockTransfer(const DibPixels& dest, int dx, int dy, int w, int h, const QImage& src, int sx, int sy,
                   uint32_t rop);
bool BlockTransfer(QImage& dest, int dx, int dy, int w, int h, const DibPixels& src, int sx, int sy,
                   uint32_t rop);
