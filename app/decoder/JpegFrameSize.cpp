#include "app/decoder/JpegFrameSize.h"

#include <cstdio>
#include <memory>

namespace {

struct FileCloser {
  void operator()(std::FILE* f) const { std::fclose(f); }
};

bool ReadBytes(std::FILE* f, unsigned char* out, size_t n) { return std::fread(out, 1, n, f) == n; }

bool IsStartOfFrame(int marker) {
  // C0-CF are frame markers except DHT (C4), JPG (C8) and DAC (CC).
  return marker >= 0xC0 && marker <= 0xCF && marker != 0xC4 && marker != 0xC8 && marker != 0xCC;
}

}  // namespace

bool ReadJpegFrameSize(const char* path, uint32_t* width, uint32_t* height) {
  std::unique_ptr<std::FILE, FileCloser> file(std::fopen(path, "rb"));
  if (!file) return false;
  std::FILE* f = file.get();
  unsigned char b[8];
  if (!ReadBytes(f, b, 2) || b[0] != 0xFF || b[1] != 0xD8) return false;
  for (int segments = 0; segments < 4096; ++segments) {
    int c = std::fgetc(f);
    if (c != 0xFF) return false;
    while (c == 0xFF) c = std::fgetc(f);  // fill bytes
    if (c == EOF) return false;
    const int marker = c;
    if (marker == 0x01 || (marker >= 0xD0 && marker <= 0xD7)) continue;  // no length
    if (marker == 0xD9 || marker == 0xDA) return false;  // end, or the scan: no frame before it
    if (!ReadBytes(f, b, 2)) return false;
    const long length = long{b[0]} << 8 | b[1];
    if (length < 2) return false;
    if (IsStartOfFrame(marker)) {
      if (length < 8 || !ReadBytes(f, b, 5)) return false;
      *height = uint32_t{b[1]} << 8 | b[2];
      *width = uint32_t{b[3]} << 8 | b[4];
      return *width > 0 && *height > 0;
    }
    if (std::fseek(f, length - 2, SEEK_CUR) != 0) return false;
  }
  return false;
}
