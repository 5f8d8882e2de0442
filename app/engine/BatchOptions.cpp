#include "app/engine/BatchOptions.h"

#include "app/engine/ThumbGeometry.h"
#include "app/engine/mThumbStyles.h"

BatchOptions BatchOptionsOf(const ThumbnailOptions& options, int resizeMode) {
  BatchOptions run;
  run.thumbStyleIndex = options.thumbStyleIndex;
  run.thumbWidth = options.thumbWidth;
  run.thumbHeight = options.thumbHeight;
  run.imagePadding = options.imagePadding;
  run.prefix = options.prefix;
  run.suffix = options.suffix;
  run.outputFormatIndex = options.outputFormatIndex;
  run.resizeMode = options.thumbStyleIndex == kStyleNormal ? resizeMode : kResizeKeepAspect;
  run.resampleFilter = ResampleFilterAt(options.resampleIndex);
  return run;
}
