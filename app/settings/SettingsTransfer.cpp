#include "app/settings/SettingsTransfer.h"

#include <algorithm>
#include <cstdint>

#include "app/album/AlbumOptions.h"
#include "app/engine/mUtils.h"
#include "app/settings/ChoiceLists.h"

namespace {

int16_t To16(int value) { return static_cast<int16_t>(std::clamp(value, INT16_MIN, INT16_MAX)); }

}  // namespace

void GatherSettingsFromControls(const OptionControls& c, SettingsRecord& r) {
  using C = ColorControl;
  using T = TextControl;
  using N = NumberControl;
  using L = ListControl;
  r.thumbBackColor = c.color(C::cpThumbBack);
  r.thumbBackImage = TrimBlanks(c.text(T::txtThumbBackImage));
  r.imagePadding = To16(c.value(N::udImagePadding));
  r.thumbHeight = To16(c.value(N::udHgt));
  r.thumbWidth = To16(c.value(N::udWid));
  r.prefix = TrimBlanks(c.text(T::txtPrefix));
  r.suffix = TrimBlanks(c.text(T::txtSuffix));
  r.outputFormatIndex = To16(c.listIndex(L::ComboOutputFormat));
  r.resampleIndex = To16(c.listIndex(L::comboResampleMethod));
  r.thumbStyleIndex = To16(c.listIndex(L::cboThumbStyle));
  r.pageColor = c.color(C::cpPage);
  r.backgroundImage = c.text(T::txtHTMLBknd);
  r.headerSize = To16(c.value(N::udPageOpt0));
  r.headerColor = c.color(C::cpHeaderColor);
  r.pageHeader = TrimBlanks(c.text(T::txtPageHeader));
  r.indexSize = To16(c.value(N::udPageOpt1));
  r.pageFileName = TrimBlanks(c.text(T::txtPageFileName));
  r.repeatIndexAtTop = FlagOf(c.isChecked(CheckControl::chkRepeatHeader));
  r.thumbFolderName = TrimBlanks(c.text(T::txtThumbDirName));
  r.pageTitle = TrimBlanks(c.text(T::txtpageTitle));
  r.alignmentIndex = To16(c.listIndex(L::cboAlign));
  r.borderColor = c.color(C::cpBorder);
  r.borderWidth = To16(c.value(N::udTableOpt4));
  r.captionBackColor = c.color(C::cpCaptionBack);
  r.cellColor = c.color(C::cpCell);
  r.cellPadding = To16(c.value(N::udTableOpt2));
  r.cellSpacing = To16(c.value(N::udTableOpt3));
  r.columnsPerRow = To16(c.value(N::udTableOpt1));
  r.captionFontColor = c.color(C::cpcapfontcolor);
  r.captionFontSize = To16(c.value(N::udTableFont));
  r.rowsPerPage = To16(c.value(N::udTableOpt0));
  r.tableColor = c.color(C::cpTablecolor);
}

void ApplySettingsToControls(const SettingsRecord& r, OptionControls& c) {
  using C = ColorControl;
  using T = TextControl;
  using N = NumberControl;
  using L = ListControl;
  const auto number = [&c](N control, int16_t value) { c.setValue(control, ClampNumber(control, value)); };
  const auto list = [&c](L control, int16_t index) { c.setListIndex(control, ClampListIndex(control, index)); };

  if (IsOn(r.saveImageSettings)) {
    c.setColor(C::cpThumbBack, r.thumbBackColor);
    c.setText(T::txtThumbBackImage, r.thumbBackImage);
    number(N::udImagePadding, r.imagePadding);
    number(N::udWid, r.thumbWidth);
    number(N::udHgt, r.thumbHeight);
    c.setText(T::txtPrefix, r.prefix);
    c.setText(T::txtSuffix, r.suffix);
    list(L::ComboOutputFormat, r.outputFormatIndex);
    list(L::comboResampleMethod, r.resampleIndex);
    list(L::cboThumbStyle, r.thumbStyleIndex);
  }
  if (IsOn(r.saveHtmlSettings) && IsOn(r.saveThumbPageSettings)) {
    c.setColor(C::cpPage, r.pageColor);
    c.setText(T::txtHTMLBknd, r.backgroundImage);
    number(N::udPageOpt0, r.headerSize);
    c.setColor(C::cpHeaderColor, r.headerColor);
    c.setText(T::txtPageHeader, r.pageHeader);
    number(N::udPageOpt1, r.indexSize);
    c.setText(T::txtPageFileName, r.pageFileName);
    c.setChecked(CheckControl::chkRepeatHeader, r.repeatIndexAtTop != 0);
    c.setText(T::txtThumbDirName, r.thumbFolderName);
    c.setText(T::txtpageTitle, r.pageTitle);
  }
  if (IsOn(r.saveHtmlSettings) && IsOn(r.saveTableSettings)) {
    list(L::cboAlign, r.alignmentIndex);
    c.setColor(C::cpBorder, r.borderColor);
    number(N::udTableOpt4, r.borderWidth);
    c.setColor(C::cpCaptionBack, r.captionBackColor);
    c.setColor(C::cpCell, r.cellColor);
    number(N::udTableOpt2, r.cellPadding);
    number(N::udTableOpt3, r.cellSpacing);
    number(N::udTableOpt1, r.columnsPerRow);
    c.setColor(C::cpcapfontcolor, r.captionFontColor);
    number(N::udTableFont, r.captionFontSize);
    number(N::udTableOpt0, r.rowsPerPage);
    c.setColor(C::cpTablecolor, r.tableColor);
  }
  if (IsOn(r.saveFolders)) {
    c.setSelectedFolder(FolderTree::ftvSource, r.sourceFolder);
    c.setSelectedFolder(FolderTree::ftvDest, r.destinationFolder);
  }
  if (IsOn(r.alwaysCreateHtml)) c.setChecked(CheckControl::ckHTML, true);
}

void cmdDefault_Click(OptionControls& c) {
  using C = ColorControl;
  using N = NumberControl;
  const AlbumOptions defaults;
  c.setValue(N::udTableOpt0, defaults.rowsPerPage);
  c.setValue(N::udTableOpt1, defaults.columnsPerRow);
  c.setValue(N::udTableOpt2, defaults.cellPadding);
  c.setValue(N::udTableOpt3, defaults.cellSpacing);
  c.setValue(N::udTableOpt4, defaults.borderWidth);
  c.setValue(N::udTableFont, defaults.captionFontSize);
  c.setListIndex(ListControl::cboAlign, static_cast<int>(AlignmentTexts().indexOf(defaults.alignment)));
  c.setColor(C::cpBorder, defaults.borderColor);
  c.setColor(C::cpCell, defaults.cellColor);
  c.setColor(C::cpCaptionBack, defaults.captionBackColor);
  c.setColor(C::cpTablecolor, defaults.tableColor);
  c.setColor(C::cpcapfontcolor, defaults.captionFontColor);
  for (C picker : {C::cpBorder, C::cpcapfontcolor, C::cpCaptionBack, C::cpCell, C::cpTablecolor})
    c.colorChanged(picker);
}
