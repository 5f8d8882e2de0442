#pragma once
// Every setting of the album pages, with its default; the limits are those of
// the up-down boxes that edit the numbers.
#include <QString>
#include <cstdint>

#include "platform/drawing/ColorValue.h"

struct AlbumOptions {
  int16_t rowsPerPage = 7;       // 1-200
  int16_t columnsPerRow = 5;     // 1-200
  int16_t cellPadding = 2;       // 0-500
  int16_t cellSpacing = 5;       // 0-500
  int16_t borderWidth = 1;       // 0-500
  int16_t captionFontSize = 3;   // 2-7
  QString alignment = QStringLiteral("Center");  // "Default", "Center", "Right" or "Left"
  ColorValue borderColor = 0x000000;
  ColorValue cellColor = 0x808080;
  ColorValue captionBackColor = 0xC0FFFF;
  ColorValue tableColor = 0x808000;
  ColorValue captionFontColor = 0x000000;
  bool noTableFormatting = false;
  QString pageTitle = QStringLiteral("Gallery");
  QString pageHeader = QStringLiteral("Gallery");
  ColorValue headerColor = 0x000000;
  int16_t headerSize = 2;        // 0-72
  int16_t indexSize = 2;         // 0-72
  ColorValue pageColor = 0xFFFFFF;
  QString pageFileName = QStringLiteral("gallery");
  QString thumbFolderName = QStringLiteral("thumbs");
  QString backgroundImage;
  bool repeatIndexAtTop = false;
  bool openInNewWindow = false;
  bool createFullsizePages = false;

  static constexpr int kRowsMin = 1, kRowsMax = 200;
  static constexpr int kColumnsMin = 1, kColumnsMax = 200;
  static constexpr int kTableValueMin = 0, kTableValueMax = 500;  // padding, spacing, border
  static constexpr int kFontSizeMin = 2, kFontSizeMax = 7;
  static constexpr int kPageSizeMin = 0, kPageSizeMax = 72;       // header and index size
};
