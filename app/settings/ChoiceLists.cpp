#include "app/settings/ChoiceLists.h"

#include <algorithm>

#include "app/engine/FileMasks.h"
#include "app/engine/OutputFormats.h"
#include "app/engine/ThumbGeometry.h"
#include "app/settings/OptionTable.h"

const QStringList& AlignmentTexts() {
  static const QStringList texts{"Default", "Center", "Right", "Left"};
  return texts;
}

const std::vector<ChoiceList>& StartupChoiceLists() {
  static const std::vector<ChoiceList> lists{
      {ListControl::ComboFilter, &FileMaskTexts(), 0},
      {ListControl::ComboOutputFormat, &OutputFormatTexts(), 3},
      {ListControl::ComboResizeMethod, &ResizeModeTexts(), 0},
      {ListControl::comboResampleMethod, &ResampleFilterTexts(), 0},
      {ListControl::cboAlign, &AlignmentTexts(), 1},
      {ListControl::cboThumbStyle, &ThumbStyleTexts(), 0},
  };
  return lists;
}

const QStringList& ChoiceListTexts(ListControl control) {
  for (const ChoiceList& list : StartupChoiceLists())
    if (list.control == control) return *list.entries;
  return FileMaskTexts();
}

int ClampListIndex(ListControl control, int index) {
  const int last = static_cast<int>(ChoiceListTexts(control).size()) - 1;
  // Past the end is the entry that ended the list before later formats were
  // added to it, so a settings file reads as it always did.
  if (index > last && control == ListControl::ComboFilter) return kFirstAddedMask - 1;
  if (index > last && control == ListControl::ComboOutputFormat) return kFirstAddedOutputFormat - 1;
  return std::clamp(index, 0, last);
}

NumberRange NumberLimits(NumberControl control) {
  const OptionRow* row = OptionRowOf(control);
  return row ? NumberRange{row->minimum, row->maximum} : NumberRange{0, 0};
}

int ClampNumber(NumberControl control, int value) {
  const NumberRange range = NumberLimits(control);
  return std::clamp(value, range.minimum, range.maximum);
}
