#include "app/settings/SettingsTransfer.h"

#include "app/settings/OptionTable.h"
#include "app/settings/OptionValues.h"
#include "app/settings/RecordOptions.h"

namespace {

bool Stored(const OptionRow& row) { return !std::holds_alternative<std::monostate>(row.field); }

// Sets every option of a preference group from values, in table order;
// setting a control runs its change handling, as a user change would.
void ApplyGroup(const OptionValues& values, OptionControls& controls, OptionGroup group) {
  for (const OptionRow& row : OptionTable())
    if (row.group == group) SetControlValue(controls, row.control, ControlValueOf(values, row.control));
}

}  // namespace

void GatherSettingsFromControls(const OptionControls& controls, SettingsRecord& record) {
  OptionValues values;
  for (const OptionRow& row : OptionTable()) {
    if (!Stored(row)) continue;
    ControlValue value = ControlValueOf(controls, row.control);
    if (const QString* text = std::get_if<QString>(&value)) value = StoredText(row, *text);
    SetControlValue(values, row.control, value);
  }
  StoreThumbnailOptions(record, values.thumbnail);
  StoreAlbumOptions(record, values.album);
}

void ApplySettingsToControls(const SettingsRecord& record, OptionControls& controls) {
  OptionValues values;
  values.thumbnail = ThumbnailOptionsOf(record);
  values.album = AlbumOptionsOf(record);
  if (IsOn(record.saveImageSettings)) ApplyGroup(values, controls, OptionGroup::Image);
  if (IsOn(record.saveHtmlSettings) && IsOn(record.saveThumbPageSettings))
    ApplyGroup(values, controls, OptionGroup::ThumbPage);
  if (IsOn(record.saveHtmlSettings) && IsOn(record.saveTableSettings)) ApplyGroup(values, controls, OptionGroup::Table);
  if (IsOn(record.saveFolders)) {
    controls.setSelectedFolder(TreeControl::ftvSource, record.sourceFolder);
    controls.setSelectedFolder(TreeControl::ftvDest, record.destinationFolder);
  }
  if (IsOn(record.alwaysCreateHtml)) controls.setChecked(CheckControl::ckHTML, true);
}

void cmdDefault_Click(OptionControls& controls) {
  ApplyGroup(OptionValues(), controls, OptionGroup::Table);  // the controls' start-up values
  using C = ColorControl;
  for (C picker : {C::cpBorder, C::cpcapfontcolor, C::cpCaptionBack, C::cpCell, C::cpTablecolor})
    controls.colorChanged(picker);
}
