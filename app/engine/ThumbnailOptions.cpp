#include "app/engine/ThumbnailOptions.h"

#include "app/engine/ThumbGeometry.h"

ResampleFilter ThumbnailOptions::resampleFilter() const { return ResampleFilterAt(resampleIndex); }
