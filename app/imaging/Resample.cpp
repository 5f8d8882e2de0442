#include "app/imaging/Resample.h"

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
