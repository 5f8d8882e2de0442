#pragma once
// The option values of the image options page as the batch run reads them,
// and the one step that turns the persisted thumbnail options into them.
#include <QString>
#include <cstdint>

#include "app/engine/ThumbnailOptions.h"
#include "app/imaging/ImagingTypes.h"

struct BatchOptions {
  int thumbStyleIndex = 0;
  int32_t thumbWidth = 120;   // udWid
  int32_t thumbHeight = 120;  // udHgt
  int16_t imagePadding = 0;   // udImagePadding
  QString prefix = QStringLiteral("TH_");
  QString suffix;
  int outputFormatIndex = 3;
  int resizeMode = 0;
  ResampleFilter resampleFilter = ResampleFilter::Halftone;
};

// The run's options for thumbnail options and a resize mode: the filter code
// from the filter list position, and "Maintain Aspect Ratio" for the framed
// styles (choosing one on the options page sets it).
BatchOptions BatchOptionsOf(const ThumbnailOptions& options, int resizeMode);
