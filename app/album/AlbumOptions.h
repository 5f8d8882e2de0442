#pragma once
// Every setting of the album pages, with its default (the limits of the
// numbers are in the option table, app/settings/OptionTable.cpp).
#include <QString>
#include <cstdint>

#include "platform/drawing/ColorValue.h"

struct AlbumOptions {
  int16_t rowsPerPage = 7;
  int16_t columnsPerRow = 5;
  int16_t cellPadding = 2;
  int16_t cellSpacing = 5;
  int16_t borderWidth = 1;
  int16_t captionFontSize = 3;
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
  int16_t headerSize = 2;
  int16_t indexSize = 2;
  ColorValue pageColor = 0xFFFFFF;
  QString pageFileName = QStringLiteral("gallery");
  QString thumbFolderName = QStringLiteral("thumbs");
  QString backgroundImage;
  bool repeatIndexAtTop = false;
  bool openInNewWindow = false;
  bool createFullsizePages = false;  // a page per image with a web-size copy
  int16_t imagePageSize = 2048;      // longest side of those copies (never enlarged)
  bool showPhotoDetails = false;     // the photo's EXIF details under its name on those pages
};
