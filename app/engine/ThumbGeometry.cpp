#include "app/engine/ThumbGeometry.h"

#include <algorithm>

#include "platform/drawing/Numbers.h"

const QStringList& ResizeModeTexts() {
  static const QStringList texts{"Maintain Aspect Ratio", "No Resize(Convert only)", "Specify Width & Height",
                                 "Scale By Percent"};
  return texts;
}

const QStringList& ResampleFilterTexts() {
  static const QStringList texts{"None", "B-Spline", "Bicubic", "Bilinear", "Box Filter", "Catmull-Rom", "Lanczos3"};
  return texts;
}

const QStringList& ThumbStyleTexts() {
  static const QStringList texts{"Normal (Thumb Image Only)", "Flat Background", "Raised Button",
                                 "Raised Button With Inner Border"};
  return texts;
}

ResampleFilter ResampleFilterAt(int resampleIndex) {
  using F = ResampleFilter;
  static const F codes[] = {F::Halftone, F::BSpline, F::Bicubic, F::Bilinear, F::Box, F::CatmullRom, F::Lanczos3};
  if (resampleIndex < 0 || resampleIndex > 6) return F::Halftone;
  return codes[resampleIndex];
}

QSize ThumbnailSize(int32_t W, int32_t H, int32_t w0, int32_t h0, int resizeMode) {
  int32_t width = W;
  int32_t height = H;
  switch (resizeMode) {
    case kResizeKeepAspect: {
      // Both ratios in single precision, as the rule has them.
      const float a = static_cast<float>(W) / static_cast<float>(H);
      const float r = static_cast<float>(w0) / static_cast<float>(h0);
      if (r <= a) {
        width = w0;
        height = RoundHalfEven(static_cast<double>(w0) / static_cast<double>(a));
      } else {
        height = h0;
        width = RoundHalfEven(static_cast<double>(a) * h0);
      }
      break;
    }
    case kResizeExact:
      width = w0;
      height = h0;
      break;
    case kResizePercent:
      width = RoundHalfEven(static_cast<double>(W) * w0 / 100.0);
      height = RoundHalfEven(static_cast<double>(H) / W * width);
      break;
    case kResizeNone:
    default:
      break;
  }
  return QSize(std::max(1, width), std::max(1, height));
}
