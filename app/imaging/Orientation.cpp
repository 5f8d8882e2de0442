#include "app/imaging/Orientation.h"

#include <algorithm>
#include <climits>
#include <cstdio>
#include <cstring>
#include <memory>

uint16_t TiffOrientation(const TiffBytes& read) {
  uint8_t head[8];
  if (!read(0, head, 8)) return 1;
  if (!((head[0] == 'I' && head[1] == 'I') || (head[0] == 'M' && head[1] == 'M'))) return 1;
  const bool little = head[0] == 'I';
  auto u16 = [little](const uint8_t* p) { return little ? uint16_t(p[0] | p[1] << 8) : uint16_t(p[0] << 8 | p[1]); };
  auto u32 = [&](const uint8_t* p) {
    return little ? uint32_t(u16(p)) | uint32_t(u16(p + 2)) << 16 : uint32_t(u16(p)) << 16 | u16(p + 2);
  };
  const uint64_t directory = u32(head + 4);
  uint8_t count[2];
  if (!read(directory, count, 2)) return 1;
  for (unsigned i = 0, n = std::min<unsigned>(u16(count), 1000); i < n; ++i) {
    uint8_t entry[12];
    if (!read(directory + 2 + uint64_t{12} * i, entry, 12)) return 1;
    if (u16(entry) == 274 && u16(entry + 2) == 3) {  // Orientation, SHORT
      const uint16_t value = u16(entry + 8);
      return value >= 1 && value <= 8 ? value : 1;
    }
  }
  return 1;
}

uint16_t TiffFileOrientation(const char* path) {
  struct Closer {
    void operator()(std::FILE* f) const { std::fclose(f); }
  };
  std::unique_ptr<std::FILE, Closer> file(std::fopen(path, "rb"));
  if (!file) return 1;
  return TiffOrientation([&file](uint64_t offset, uint8_t* out, size_t size) {
    return offset <= uint64_t(LONG_MAX) && std::fseek(file.get(), static_cast<long>(offset), SEEK_SET) == 0 &&
           std::fread(out, 1, size, file.get()) == size;
  });
}

void CopyUpright(const PixelView& source, uint16_t orientation, uint32_t* out) {
  const int32_t w = source.width;
  const int32_t h = source.height;
  if (orientation < 2 || orientation > 8) {
    for (int32_t y = 0; y < h; ++y) std::memcpy(out + size_t(y) * w, source.row(y), size_t(w) * 4);
    return;
  }
  const bool mirror = orientation == 2 || orientation == 4 || orientation == 5 || orientation == 7;
  const int turns = orientation == 3 || orientation == 4 ? 2 : orientation == 5 || orientation == 8 ? 1
                  : orientation == 6 || orientation == 7 ? 3 : 0;  // quarter turns anticlockwise
  const int32_t outWidth = turns % 2 ? h : w;
  const int32_t outHeight = turns % 2 ? w : h;
  for (int32_t y = 0; y < outHeight; ++y) {
    uint32_t* row = out + size_t(y) * outWidth;
    for (int32_t x = 0; x < outWidth; ++x) {
      // Where the pixel at (x, y) of the upright picture was in the mirrored one.
      int32_t sx = x, sy = y;
      switch (turns) {
        case 1: sx = w - 1 - y; sy = x; break;
        case 2: sx = w - 1 - x; sy = h - 1 - y; break;
        case 3: sx = y; sy = h - 1 - x; break;
        default: break;
      }
      if (mirror) sx = w - 1 - sx;
      row[x] = source.row(sy)[sx];
    }
  }
}
