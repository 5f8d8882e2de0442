#include "bench/support/TestPhotos.h"

#include <QFile>
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <vector>

namespace {

// A small, fast generator: tens of millions of noise samples per photo.
class Noise {
 public:
  explicit Noise(unsigned seed) : state_(seed * 2654435761u + 0x9E3779B9u) {}
  // Roughly bell-shaped in -amplitude..amplitude (the sum of two uniforms).
  int next(int amplitude) {
    state_ ^= state_ << 13;
    state_ ^= state_ >> 17;
    state_ ^= state_ << 5;
    const int a = static_cast<int>(state_ & 0xFFFF);
    const int b = static_cast<int>(state_ >> 16);
    return (a + b - 0xFFFF) * amplitude / 0xFFFF;
  }

 private:
  uint32_t state_;
};

}  // namespace

FiBitmap MakePhoto(int width, int height, unsigned seed) {
  FiBitmap bitmap(FreeImage_Allocate(width, height, 24));
  if (!bitmap) return bitmap;
  // Separable light: a gradient and two waves across, two waves down, their
  // phases from the seed, so every photo looks different.
  const double phase = seed * 0.7;
  std::vector<double> across(width), down(height);
  for (int x = 0; x < width; ++x)
    across[x] = 90.0 * x / width + 30 * std::sin(x * 0.004 + phase) + 12 * std::sin(x * 0.037 + 2 * phase);
  for (int y = 0; y < height; ++y)
    down[y] = 70.0 * y / height + 25 * std::sin(y * 0.006 + 3 * phase) + 10 * std::sin(y * 0.051 + phase);
  Noise noise(seed);
  for (int y = 0; y < height; ++y) {
    BYTE* row = FreeImage_GetScanLine(bitmap.get(), y);
    for (int x = 0; x < width; ++x, row += 3) {
      const double light = across[x] + down[y];
      const int grain = noise.next(22);  // luminance grain, as a sensor's
      row[FI_RGBA_RED] = static_cast<BYTE>(std::clamp(static_cast<int>(light * 1.1) + grain + noise.next(8), 0, 255));
      row[FI_RGBA_GREEN] = static_cast<BYTE>(std::clamp(static_cast<int>(light) + 20 + grain + noise.next(8), 0, 255));
      row[FI_RGBA_BLUE] =
          static_cast<BYTE>(std::clamp(static_cast<int>(200 - light * 0.6) + grain + noise.next(8), 0, 255));
    }
  }
  return bitmap;
}

bool WritePhotoJpeg(const QString& path, int width, int height, unsigned seed, int quality) {
  const FiBitmap photo = MakePhoto(width, height, seed);
  return photo && FreeImage_Save(FIF_JPEG, photo.get(), QFile::encodeName(path).constData(), quality);
}
