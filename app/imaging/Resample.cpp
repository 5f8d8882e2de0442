#include "app/imaging/Resample.h"

#include <algorithm>
#include <vector>

#include "app/imaging/BitmapPixels.h"
#include "app/imaging/FiBitmap.h"

namespace {

bool LibraryFilter(ResampleFilter filter, FREE_IMAGE_FILTER* out) {
  switch (filter) {
    case ResampleFilter::Box: *out = FILTER_BOX; return true;
    case ResampleFilter::Bicubic: *out = FILTER_BICUBIC; return true;
    case ResampleFilter::Bilinear: *out = FILTER_BILINEAR; return true;
    case ResampleFilter::BSpline: *out = FILTER_BSPLINE; return true;
    case ResampleFilter::CatmullRom: *out = FILTER_CATMULLROM; return true;
    case ResampleFilter::Lanczos3: *out = FILTER_LANCZOS3; return true;
    case ResampleFilter::Halftone: break;
  }
  return false;
}

}  // namespace

PixelBuffer ResamplePixels(const PixelView& source, int32_t width, int32_t height, ResampleFilter filter) {
  FREE_IMAGE_FILTER libraryFilter;
  if (source.empty() || width < 1 || height < 1 || !LibraryFilter(filter, &libraryFilter)) return PixelBuffer();
  FiBitmap bitmap = BitmapFromPixels(source);
  if (!bitmap) return PixelBuffer();
  FiBitmap rescaled(FreeImage_Rescale(bitmap.get(), width, height, libraryFilter));
  return PixelsFromBitmap(rescaled.get());
}

PixelBuffer AverageBlocks(const PixelView& source, int32_t divisor) {
  PixelBuffer out;
  if (source.empty() || divisor < 1) return out;
  out.width = (source.width + divisor - 1) / divisor;
  out.height = (source.height + divisor - 1) / divisor;
  out.pixels.resize(static_cast<size_t>(out.width) * out.height);
  std::vector<uint64_t> sums(static_cast<size_t>(out.width) * 3);  // a block may hold 2^28 pixels
  for (int32_t oy = 0; oy < out.height; ++oy) {
    std::fill(sums.begin(), sums.end(), 0u);
    const int32_t rows = std::min(divisor, source.height - oy * divisor);
    for (int32_t y = oy * divisor; y < oy * divisor + rows; ++y) {
      const uint32_t* row = source.row(y);
      uint64_t* sum = sums.data();
      for (int32_t x = 0; x < source.width; sum += 3) {
        const int32_t end = std::min(x + divisor, source.width);
        uint64_t r = 0, g = 0, b = 0;
        for (; x < end; ++x) {
          const uint32_t p = row[x];
          r += (p >> 16) & 0xFF;
          g += (p >> 8) & 0xFF;
          b += p & 0xFF;
        }
        sum[0] += r;
        sum[1] += g;
        sum[2] += b;
      }
    }
    uint32_t* target = &out.pixels[static_cast<size_t>(oy) * out.width];
    for (int32_t ox = 0; ox < out.width; ++ox) {
      const uint64_t n = uint64_t(rows) * uint64_t(std::min(divisor, source.width - ox * divisor));
      const uint64_t* sum = &sums[static_cast<size_t>(ox) * 3];
      const auto mean = [n](uint64_t total) { return static_cast<uint32_t>((total + n / 2) / n); };
      target[ox] = 0xFF000000u | mean(sum[0]) << 16 | mean(sum[1]) << 8 | mean(sum[2]);
    }
  }
  return out;
}
