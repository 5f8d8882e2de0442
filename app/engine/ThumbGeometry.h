#pragma once
// Thumbnail size rules of the four resize modes, and the resize-mode,
// resample-filter and style lists.
#include <QSize>
#include <QString>
#include <QStringList>
#include <cstdint>

#include "app/imaging/ImagingTypes.h"

enum ResizeMode : int {
  kResizeKeepAspect = 0,   // "Maintain Aspect Ratio"
  kResizeNone = 1,         // "No Resize(Convert only)"
  kResizeExact = 2,        // "Specify Width & Height"
  kResizePercent = 3,      // "Scale By Percent"
};

const QStringList& ResizeModeTexts();
const QStringList& ResampleFilterTexts();
const QStringList& ThumbStyleTexts();

// The filter that a position in the filter list sets; positions outside the
// list give smooth stretching.
ResampleFilter ResampleFilterAt(int resampleIndex);

// The thumbnail's size for an image of W x H, the size boxes w0 x h0 and a
// resize mode. A result below 1 in either direction becomes 1.
QSize ThumbnailSize(int32_t W, int32_t H, int32_t w0, int32_t h0, int resizeMode);
