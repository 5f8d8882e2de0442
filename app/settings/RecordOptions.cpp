#include "app/settings/RecordOptions.h"

#include <algorithm>

#include "app/settings/ChoiceLists.h"

namespace {
int16_t Number(NumberControl control, int16_t value) { return static_cast<int16_t>(ClampNumber(control, value)); }
int16_t Position(ListControl control, int16_t index) {
  return static_cast<int16_t>(ClampListIndex(control, index));
}
}  // namespace

ThumbnailOptions ThumbnailOptionsOf(const SettingsRecord& r) {
  ThumbnailOptions o;
  o.thumbStyleIndex = Position(ListControl::cboThumbStyle, r.thumbStyleIndex);
  o.thumbWidth = Number(NumberControl::udWid, r.thumbWidth);
  o.thumbHeight = Number(NumberControl::udHgt, r.thumbHeight);
  o.thumbBackColor = r.thumbBackColor;
  o.thumbBackImage = r.thumbBackImage;
  o.resampleIndex = Position(ListControl::comboResampleMethod, r.resampleIndex);
  o.imagePadding = Number(NumberControl::udImagePadding, r.imagePadding);
  o.prefix = r.prefix;
  o.suffix = r.suffix;
  o.outputFormatIndex = Position(ListControl::ComboOutputFormat, r.outputFormatIndex);
  return o;
}

AlbumOptions AlbumOptionsOf(const SettingsRecord& r) {
  AlbumOptions o;
  o.rowsPerPage = Number(NumberControl::udTableOpt0, r.rowsPerPage);
  o.columnsPerRow = Number(NumberControl::udTableOpt1, r.columnsPerRow);
  o.cellPadding = Number(NumberControl::udTableOpt2, r.cellPadding);
  o.cellSpacing = Number(NumberControl::udTableOpt3, r.cellSpacing);
  o.borderWidth = Number(NumberControl::udTableOpt4, r.borderWidth);
  o.captionFontSize = Number(NumberControl::udTableFont, r.captionFontSize);
  o.alignment = AlignmentTexts().at(Position(ListControl::cboAlign, r.alignmentIndex));
  o.borderColor = r.borderColor;
  o.cellColor = r.cellColor;
  o.captionBackColor = r.captionBackColor;
  o.tableColor = r.tableColor;
  o.captionFontColor = r.captionFontColor;
  o.pageTitle = r.pageTitle;
  o.pageHeader = r.pageHeader;
  o.headerColor = r.headerColor;
  o.headerSize = Number(NumberControl::udPageOpt0, r.headerSize);
  o.indexSize = Number(NumberControl::udPageOpt1, r.indexSize);
  o.pageColor = r.pageColor;
  o.pageFileName = r.pageFileName;
  o.thumbFolderName = r.thumbFolderName;
  o.backgroundImage = r.backgroundImage;
  o.repeatIndexAtTop = r.repeatIndexAtTop != 0;
  return o;
}

void StoreThumbnailOptions(SettingsRecord& r, const ThumbnailOptions& o) {
  r.thumbStyleIndex = o.thumbStyleIndex;
  r.thumbWidth = o.thumbWidth;
  r.thumbHeight = o.thumbHeight;
  r.thumbBackColor = o.thumbBackColor;
  r.thumbBackImage = o.thumbBackImage;
  r.resampleIndex = o.resampleIndex;
  r.imagePadding = o.imagePadding;
  r.prefix = o.prefix;
  r.suffix = o.suffix;
  r.outputFormatIndex = o.outputFormatIndex;
}

void StoreAlbumOptions(SettingsRecord& r, const AlbumOptions& o) {
  r.rowsPerPage = o.rowsPerPage;
  r.columnsPerRow = o.columnsPerRow;
  r.cellPadding = o.cellPadding;
  r.cellSpacing = o.cellSpacing;
  r.borderWidth = o.borderWidth;
  r.captionFontSize = o.captionFontSize;
  r.alignmentIndex = static_cast<int16_t>(std::max<qsizetype>(0, AlignmentTexts().indexOf(o.alignment)));
  r.borderColor = o.borderColor;
  r.cellColor = o.cellColor;
  r.captionBackColor = o.captionBackColor;
  r.tableColor = o.tableColor;
  r.captionFontColor = o.captionFontColor;
  r.pageTitle = o.pageTitle;
  r.pageHeader = o.pageHeader;
  r.headerColor = o.headerColor;
  r.headerSize = o.headerSize;
  r.indexSize = o.indexSize;
  r.pageColor = o.pageColor;
  r.pageFileName = o.pageFileName;
  r.thumbFolderName = o.thumbFolderName;
  r.backgroundImage = o.backgroundImage;
  r.repeatIndexAtTop = FlagOf(o.repeatIndexAtTop);
}
