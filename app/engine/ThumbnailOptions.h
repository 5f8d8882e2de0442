#pragma once
// The thumbnail options: the one shape the run reads, whoever builds it (the
// window's controls or the command line, both through the option table in
// app/settings, which also holds their limits). Record order; resizeMode is
// not stored.
#include <QString>
#include <cstdint>

#include "app/imaging/ImagingTypes.h"
#include "platform/drawing/ColorValue.h"

struct ThumbnailOptions {
  int16_t thumbStyleIndex = 0;  // cboThumbStyle
  int16_t thumbWidth = 120;     // pixels, or a percentage in "Scale By Percent"
  int16_t thumbHeight = 120;
  ColorValue thumbBackColor = 0xC0C0C0;
  QString thumbBackImage;
  int16_t resampleIndex = 0;     // comboResampleMethod
  int16_t imagePadding = 0;
  QString prefix = QStringLiteral("TH_");
  QString suffix;
  int16_t outputFormatIndex = 3;  // ComboOutputFormat; 3 is "JPEG(*.jpg)"
  int16_t resizeMode = 0;         // ComboResizeMethod

  // The filter of the resample list position.
  ResampleFilter resampleFilter() const;
};
