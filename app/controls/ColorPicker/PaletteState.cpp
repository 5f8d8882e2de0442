#include "app/controls/ColorPicker/PaletteState.h"

void CustomColorList::Add(ColorValue color) {
  if (writePos_ > colors_.size())
    colors_.append(color);
  else
    colors_[writePos_ - 1] = color;
  writePos_ = writePos_ >= kSlots ? 1 : writePos_ + 1;
}

std::optional<ColorValue> CustomColorList::At(int slot) const {
  if (slot < 1 || slot > colors_.size()) return std::nullopt;
  return colors_[slot - 1];
}

void CustomColorList::Clear() {
  colors_.clear();
  writePos_ = 1;
}

CustomColorList& SharedCustomColors() {
  static CustomColorList list;
  return list;
}
