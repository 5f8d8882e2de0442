#pragma once
// What the palette shows, filled from the opening picker just before the
// palette opens, and the custom colour list that all pickers share.
#include <QString>
#include <QVector>
#include <optional>

#include "platform/drawing/ColorValue.h"

struct PaletteState {
  ColorValue DefaultColor = 0xFFFFFFu;
  ColorValue Color = 0xFFFFFFu;
  QString DefaultCaption = QStringLiteral("Default");
  QString MoreColorsCaption = QStringLiteral("More Colors...");
  bool ShowDefault = true;
  bool ShowCustomColors = true;
  bool ShowMoreColors = true;
  bool ShowSysColorButton = true;
  bool ShowToolTips = true;
};

// Up to 8 colours, slots 1 to 8. Adding writes at the write position, which
// then advances and wraps from 8 back to 1, so a ninth colour replaces the first.
class CustomColorList {
 public:
  static constexpr int kSlots = 8;

  void Add(ColorValue color);
  // The colour in slot 1..8, or nothing when the slot holds none.
  std::optional<ColorValue> At(int slot) const;
  int count() const { return colors_.size(); }
  int writePosition() const { return writePos_; }
  void Clear();

 private:
  QVector<ColorValue> colors_;
  int writePos_ = 1;
};

// The one list for the life of the program.
CustomColorList& SharedCustomColors();
