#include "app/settings/SettingsTransfer.h"

#include <variant>
#include <vector>

#include "app/album/AlbumOptions.h"
#include "app/engine/mUtils.h"
#include "app/settings/ChoiceLists.h"
#include "app/settings/OptionValues.h"
#include "app/settings/RecordOptions.h"

namespace {

using C = ColorControl;
using T = TextControl;
using N = NumberControl;
using L = ListControl;
using K = CheckControl;
using AnyControl = std::variant<ColorControl, TextControl, NumberControl, ListControl, CheckControl>;

// Copies one control's value from one set of controls to another; setting a
// control runs its change handling, as a user change would.
void Copy(const OptionControls& from, OptionControls& to, AnyControl control) {
  std::visit(
      [&](auto c) {
        using Kind = decltype(c);
        if constexpr (std::is_same_v<Kind, ColorControl>) to.setColor(c, from.color(c));
        if constexpr (std::is_same_v<Kind, TextControl>) to.setText(c, from.text(c));
        if constexpr (std::is_same_v<Kind, NumberControl>) to.setValue(c, from.value(c));
        if constexpr (std::is_same_v<Kind, ListControl>) to.setListIndex(c, from.listIndex(c));
        if constexpr (std::is_same_v<Kind, CheckControl>) to.setChecked(c, from.isChecked(c));
      },
      control);
}

// The order in which the options are gathered when the program closes.
const std::vector<AnyControl>& GatherOrder() {
  static const std::vector<AnyControl> order{
      C::cpThumbBack, T::txtThumbBackImage, N::udImagePadding, N::udHgt, N::udWid, T::txtPrefix, T::txtSuffix,
      L::ComboOutputFormat, L::comboResampleMethod, L::cboThumbStyle, C::cpPage, T::txtHTMLBknd, N::udPageOpt0,
      C::cpHeaderColor, T::txtPageHeader, N::udPageOpt1, T::txtPageFileName, K::chkRepeatHeader,
      T::txtThumbDirName, T::txtpageTitle, L::cboAlign, C::cpBorder, N::udTableOpt4, C::cpCaptionBack, C::cpCell,
      N::udTableOpt2, N::udTableOpt3, N::udTableOpt1, C::cpcapfontcolor, N::udTableFont, N::udTableOpt0,
      C::cpTablecolor};
  return order;
}

// The three option groups, each in the order it is applied at start-up.
const std::vector<AnyControl>& ImageGroup() {
  static const std::vector<AnyControl> group{C::cpThumbBack, T::txtThumbBackImage, N::udImagePadding, N::udWid,
                                             N::udHgt, T::txtPrefix, T::txtSuffix, L::ComboOutputFormat,
                                             L::comboResampleMethod, L::cboThumbStyle};
  return group;
}

const std::vector<AnyControl>& PageGroup() {
  static const std::vector<AnyControl> group{C::cpPage,          T::txtHTMLBknd,     N::udPageOpt0,
                                             C::cpHeaderColor,   T::txtPageHeader,   N::udPageOpt1,
                                             T::txtPageFileName, K::chkRepeatHeader, T::txtThumbDirName,
                                             T::txtpageTitle};
  return group;
}

const std::vector<AnyControl>& TableGroup() {
  static const std::vector<AnyControl> group{L::cboAlign,   C::cpBorder,       N::udTableOpt4, C::cpCaptionBack,
                                             C::cpCell,     N::udTableOpt2,    N::udTableOpt3, N::udTableOpt1,
                                             C::cpcapfontcolor, N::udTableFont, N::udTableOpt0, C::cpTablecolor};
  return group;
}

}  // namespace

void GatherSettingsFromControls(const OptionControls& controls, SettingsRecord& record) {
  OptionValues values;
  for (const AnyControl& control : GatherOrder()) Copy(controls, values, control);
  // Texts are stored without surrounding blanks; the page background image as typed.
  for (TextControl text : {T::txtThumbBackImage, T::txtPrefix, T::txtSuffix, T::txtPageHeader, T::txtPageFileName,
                           T::txtThumbDirName, T::txtpageTitle})
    values.setText(text, TrimBlanks(values.text(text)));
  StoreThumbnailOptions(record, values.thumbnail);
  StoreAlbumOptions(record, values.album);
}

void ApplySettingsToControls(const SettingsRecord& record, OptionControls& controls) {
  OptionValues values;
  values.thumbnail = ThumbnailOptionsOf(record);
  values.album = AlbumOptionsOf(record);
  const auto apply = [&](const std::vector<AnyControl>& group) {
    for (const AnyControl& control : group) Copy(values, controls, control);
  };
  if (IsOn(record.saveImageSettings)) apply(ImageGroup());
  if (IsOn(record.saveHtmlSettings) && IsOn(record.saveThumbPageSettings)) apply(PageGroup());
  if (IsOn(record.saveHtmlSettings) && IsOn(record.saveTableSettings)) apply(TableGroup());
  if (IsOn(record.saveFolders)) {
    controls.setSelectedFolder(FolderTree::ftvSource, record.sourceFolder);
    controls.setSelectedFolder(FolderTree::ftvDest, record.destinationFolder);
  }
  if (IsOn(record.alwaysCreateHtml)) controls.setChecked(CheckControl::ckHTML, true);
}

void cmdDefault_Click(OptionControls& controls) {
  OptionValues defaults;  // the controls' start-up values
  for (const AnyControl& control :
       std::vector<AnyControl>{N::udTableOpt0, N::udTableOpt1, N::udTableOpt2, N::udTableOpt3, N::udTableOpt4,
                               N::udTableFont, L::cboAlign, C::cpBorder, C::cpCell, C::cpCaptionBack,
                               C::cpTablecolor, C::cpcapfontcolor})
    Copy(defaults, controls, control);
  for (C picker : {C::cpBorder, C::cpcapfontcolor, C::cpCaptionBack, C::cpCell, C::cpTablecolor})
    controls.colorChanged(picker);
}
