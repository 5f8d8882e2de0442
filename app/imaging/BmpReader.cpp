#include "app/imaging/BmpReader.h"

#include <cstdio>
#include <memory>
#include <vector>

namespace {

constexpr size_t kFileHeaderBytes = 14;
constexpr uint32_t kV4HeaderBytes = 108;
constexpr uint32_t kV5HeaderBytes = 124;
constexpr uint32_t kBiRgb = 0;
constexpr uint32_t kBiBitfields = 3;
constexpr uint32_t kBiAlphaBitfields = 6;

uint32_t U16(const uint8_t* p) { return uint32_t{p[0]} | uint32_t{p[1]} << 8; }
uint32_t U32(const uint8_t* p) { return U16(p) | U16(p + 2) << 16; }
int32_t I32(const uint8_t* p) { return static_cast<int32_t>(U32(p)); }

struct FileCloser {
  void operator()(std::FILE* f) const { std::fclose(f); }
};

// One colour channel held by a mask: value = (pixel & mask) >> shift, out of max.
struct Channel {
  uint32_t mask = 0;
  int shift = 0;
  uint32_t max = 0;

  explicit Channel(uint32_t m) : mask(m) {
    if (mask == 0) return;
    while (((mask >> shift) & 1u) == 0) ++shift;
    max = mask >> shift;
  }
  uint32_t Byte(uint32_t pixel) const {
    if (max == 0) return 0;
    const uint64_t v = (pixel & mask) >> shift;
    return static_cast<uint32_t>((v * 255 + max / 2) / max);
  }
};

BmpRead Refused(Failure why) { return BmpRead{Outcome::Failed(why), {}}; }

}  // namespace

bool HasBmpV4OrV5Header(const uint8_t* header, size_t headerBytes) {
  if (headerBytes < kFileHeaderBytes + 4 || header[0] != 'B' || header[1] != 'M') return false;
  const uint32_t infoBytes = U32(header + kFileHeaderBytes);
  return infoBytes == kV4HeaderBytes || infoBytes == kV5HeaderBytes;
}

BmpRead ReadBmpV4V5(const char* path, uint64_t maxPixels) {
  std::unique_ptr<std::FILE, FileCloser> file(std::fopen(path, "rb"));
  if (!file) return Refused(Failure::NotReadable);
  std::FILE* f = file.get();
  uint8_t h[kFileHeaderBytes + kV4HeaderBytes] = {};
  if (std::fread(h, 1, sizeof h, f) != sizeof h || !HasBmpV4OrV5Header(h, sizeof h)) return Refused(Failure::Damaged);
  if (std::fseek(f, 0, SEEK_END) != 0) return Refused(Failure::NotReadable);
  const long end = std::ftell(f);
  if (end < 0) return Refused(Failure::NotReadable);
  const uint64_t fileSize = static_cast<uint64_t>(end);

  const uint8_t* info = h + kFileHeaderBytes;
  const uint32_t infoBytes = U32(info);
  const uint64_t pixelOffset = U32(h + 10);
  const int32_t width = I32(info + 4);
  const int32_t rawHeight = I32(info + 8);
  const uint32_t planes = U16(info + 12);
  const uint32_t bpp = U16(info + 14);
  const uint32_t compression = U32(info + 16);

  if (bpp != 16 && bpp != 24 && bpp != 32) return Refused(Failure::Unsupported);
  if (compression != kBiRgb && compression != kBiBitfields && compression != kBiAlphaBitfields)
    return Refused(Failure::Unsupported);
  if (compression != kBiRgb && bpp == 24) return Refused(Failure::Damaged);
  if (planes != 1 || width <= 0 || rawHeight == 0 || rawHeight == INT32_MIN) return Refused(Failure::Damaged);
  const bool topDown = rawHeight < 0;
  const uint64_t w = static_cast<uint64_t>(width);
  const uint64_t hgt = static_cast<uint64_t>(topDown ? -static_cast<int64_t>(rawHeight) : rawHeight);
  if (w > 0x7FFF'FFFFu || hgt > 0x7FFF'FFFFu || w * hgt > maxPixels) return Refused(Failure::TooLarge);

  // Rows are padded to whole 32-bit words; all of them must be in the file.
  const uint64_t stride = (w * bpp + 31) / 32 * 4;
  if (pixelOffset < kFileHeaderBytes + infoBytes || pixelOffset > fileSize ||
      stride * hgt > fileSize - pixelOffset)
    return Refused(Failure::Damaged);

  uint32_t red = 0x00FF0000, green = 0x0000FF00, blue = 0x000000FF;
  if (bpp == 16) red = 0x7C00, green = 0x03E0, blue = 0x001F;
  if (compression != kBiRgb) {
    red = U32(info + 40);
    green = U32(info + 44);
    blue = U32(info + 48);
    const uint64_t limit = bpp == 16 ? 0xFFFFu : 0xFFFF'FFFFu;
    if (red > limit || green > limit || blue > limit || (red | green | blue) == 0) return Refused(Failure::Damaged);
  }
  const Channel r(red), g(green), b(blue);

  BmpRead read;
  PixelBuffer& out = read.pixels;
  out.pixels.resize(w * hgt);
  out.width = static_cast<int32_t>(w);
  out.height = static_cast<int32_t>(hgt);
  out.sourceBpp = bpp;
  std::vector<uint8_t> row(stride);
  if (std::fseek(f, static_cast<long>(pixelOffset), SEEK_SET) != 0) return Refused(Failure::NotReadable);
  for (uint64_t fileRow = 0; fileRow < hgt; ++fileRow) {
    if (std::fread(row.data(), 1, stride, f) != stride) return Refused(Failure::Damaged);
    const uint64_t y = topDown ? fileRow : hgt - 1 - fileRow;
    uint32_t* dst = out.pixels.data() + y * w;
    const uint8_t* src = row.data();
    for (uint64_t x = 0; x < w; ++x) {
      uint32_t pixel;
      if (bpp == 24) {
        dst[x] = 0xFF000000u | uint32_t{src[2]} << 16 | uint32_t{src[1]} << 8 | src[0];
        src += 3;
        continue;
      }
      if (bpp == 16) {
        pixel = U16(src);
        src += 2;
      } else {
        pixel = U32(src);
        src += 4;
      }
      dst[x] = 0xFF000000u | r.Byte(pixel) << 16 | g.Byte(pixel) << 8 | b.Byte(pixel);
    }
  }
  return read;
}
