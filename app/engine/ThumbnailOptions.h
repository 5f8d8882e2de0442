#pragma once
// The persisted thumbnail options, in record order, with their defaults and
// the limits of the controls that edit them.
#include <QString>
#include <cstdint>

#include "platform/drawing/ColorValue.h"

struct ThumbnailOptions {
  int16_t thumbStyleIndex = 0;  // 0-3, cboThumbStyle
  int16_t thumbWidth = 120;     // 16-25000: pixels, or a percentage in "Scale By Percent"
  int16_t thumbHeight = 120;    // 16-25000
  ColorValue thumbBackColor = 0xC0C0C0;
  QString thumbBackImage;
  int16_t resampleIndex = 0;     // 0-6, comboResampleMethod
  int16_t imagePadding = 0;      // 0-1000
  QString prefix = QStringLiteral("TH_");
  QString suffix;
  int16_t outputFormatIndex = 3;  // 0-6, ComboOutputFormat; 3 is "JPEG(*.jpg)"

  static constexpr int kStyleMax = 3;
  // Stored as 16-bit, as the record has them; the boxes allow up to 25000.
  static constexpr int kSizeMin = 16;
  static constexpr int kSizeMax = 25000;
  static constexpr int kResampleMax = 6;
  static constexpr int kPaddingMin = 0;
  static constexpr int kPaddingMax = 1000;
  static constexpr int kOutputFormatMax = 6;
};
