#include "app/settings/OptionValues.h"

#include "app/settings/ChoiceLists.h"

namespace {

// The field behind each control, for a const or a mutable OptionValues.
template <typename Values>
auto& ColorField(Values& v, ColorControl control) {
  switch (control) {
    case ColorControl::cpThumbBack: return v.thumbnail.thumbBackColor;
    case ColorControl::cpPage: return v.album.pageColor;
    case ColorControl::cpHeaderColor: return v.album.headerColor;
    case ColorControl::cpBorder: return v.album.borderColor;
    case ColorControl::cpCaptionBack: return v.album.captionBackColor;
    case ColorControl::cpCell: return v.album.cellColor;
    case ColorControl::cpcapfontcolor: return v.album.captionFontColor;
    case ColorControl::cpTablecolor: break;
  }
  return v.album.tableColor;
}

template <typename Values>
auto& TextField(Values& v, TextControl control) {
  switch (control) {
    case TextControl::txtThumbBackImage: return v.thumbnail.thumbBackImage;
    case TextControl::txtPrefix: return v.thumbnail.prefix;
    case TextControl::txtSuffix: return v.thumbnail.suffix;
    case TextControl::txtHTMLBknd: return v.album.backgroundImage;
    case TextControl::txtPageHeader: return v.album.pageHeader;
    case TextControl::txtPageFileName: return v.album.pageFileName;
    case TextControl::txtThumbDirName: return v.album.thumbFolderName;
    case TextControl::txtpageTitle: break;
  }
  return v.album.pageTitle;
}

template <typename Values>
auto& NumberField(Values& v, NumberControl control) {
  switch (control) {
    case NumberControl::udWid: return v.thumbnail.thumbWidth;
    case NumberControl::udHgt: return v.thumbnail.thumbHeight;
    case NumberControl::udImagePadding: return v.thumbnail.imagePadding;
    case NumberControl::udPageOpt0: return v.album.headerSize;
    case NumberControl::udPageOpt1: return v.album.indexSize;
    case NumberControl::udTableOpt0: return v.album.rowsPerPage;
    case NumberControl::udTableOpt1: return v.album.columnsPerRow;
    case NumberControl::udTableOpt2: return v.album.cellPadding;
    case NumberControl::udTableOpt3: return v.album.cellSpacing;
    case NumberControl::udTableOpt4: return v.album.borderWidth;
    case NumberControl::udTableFont: break;
  }
  return v.album.captionFontSize;
}

}  // namespace

ColorValue OptionValues::color(ColorControl control) const { return ColorField(*this, control); }
void OptionValues::setColor(ColorControl control, ColorValue value) { ColorField(*this, control) = value; }

QString OptionValues::text(TextControl control) const { return TextField(*this, control); }
void OptionValues::setText(TextControl control, const QString& value) { TextField(*this, control) = value; }

int OptionValues::value(NumberControl control) const { return NumberField(*this, control); }
// A box holds only values inside its limits.
void OptionValues::setValue(NumberControl control, int value) {
  NumberField(*this, control) = static_cast<int16_t>(ClampNumber(control, value));
}

int OptionValues::listIndex(ListControl control) const {
  switch (control) {
    case ListControl::ComboFilter: return fileFilterIndex;
    case ListControl::ComboOutputFormat: return thumbnail.outputFormatIndex;
    case ListControl::ComboResizeMethod: return resizeModeIndex;
    case ListControl::comboResampleMethod: return thumbnail.resampleIndex;
    case ListControl::cboAlign: return static_cast<int>(AlignmentTexts().indexOf(album.alignment));
    case ListControl::cboThumbStyle: break;
  }
  return thumbnail.thumbStyleIndex;
}

void OptionValues::setListIndex(ListControl control, int index) {
  const int position = ClampListIndex(control, index);
  switch (control) {
    case ListControl::ComboFilter: fileFilterIndex = position; break;
    case ListControl::ComboOutputFormat: thumbnail.outputFormatIndex = static_cast<int16_t>(position); break;
    case ListControl::ComboResizeMethod: resizeModeIndex = position; break;
    case ListControl::comboResampleMethod: thumbnail.resampleIndex = static_cast<int16_t>(position); break;
    case ListControl::cboAlign: album.alignment = AlignmentTexts().at(position); break;
    case ListControl::cboThumbStyle: thumbnail.thumbStyleIndex = static_cast<int16_t>(position); break;
  }
}

bool OptionValues::isChecked(CheckControl control) const {
  return control == CheckControl::ckHTML ? createHtml : album.repeatIndexAtTop;
}

void OptionValues::setChecked(CheckControl control, bool checked) {
  (control == CheckControl::ckHTML ? createHtml : album.repeatIndexAtTop) = checked;
}

void OptionValues::setSelectedFolder(TreeControl tree, const QString& folder) {
  (tree == TreeControl::ftvSource ? sourceFolder : destinationFolder) = folder;
}
