#include "app/settings/OptionValues.h"

#include "app/settings/ChoiceLists.h"
#include "app/settings/OptionTable.h"

namespace {

template <typename Value, typename Control>
Value Get(const OptionValues& v, Control control, Value none) {
  const OptionRow* row = OptionRowOf(control);
  return row ? std::get<Value>(OptionValue(*row, v.thumbnail, v.album)) : none;
}

// A control holds only values inside its limits; the table brings them there.
template <typename Control>
void Set(OptionValues& v, Control control, ControlValue value) {
  if (const OptionRow* row = OptionRowOf(control)) SetOptionValue(*row, v.thumbnail, v.album, std::move(value));
}

}  // namespace

ColorValue OptionValues::color(ColorControl control) const { return Get(*this, control, ColorValue{0}); }
void OptionValues::setColor(ColorControl control, ColorValue value) { Set(*this, control, value); }

QString OptionValues::text(TextControl control) const { return Get(*this, control, QString()); }
void OptionValues::setText(TextControl control, const QString& value) { Set(*this, control, value); }

int OptionValues::value(NumberControl control) const { return Get(*this, control, 0); }
void OptionValues::setValue(NumberControl control, int value) { Set(*this, control, value); }

int OptionValues::listIndex(ListControl control) const {
  return control == ListControl::ComboFilter ? fileFilterIndex : Get(*this, control, -1);
}

void OptionValues::setListIndex(ListControl control, int index) {
  if (control == ListControl::ComboFilter)
    fileFilterIndex = ClampListIndex(control, index);
  else
    Set(*this, control, index);
}

bool OptionValues::isChecked(CheckControl control) const {
  return control == CheckControl::ckHTML ? createHtml : Get(*this, control, false);
}

void OptionValues::setChecked(CheckControl control, bool checked) {
  if (control == CheckControl::ckHTML)
    createHtml = checked;
  else
    Set(*this, control, checked);
}

void OptionValues::setSelectedFolder(TreeControl tree, const QString& folder) {
  (tree == TreeControl::ftvSource ? sourceFolder : destinationFolder) = folder;
}
