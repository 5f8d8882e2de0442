#pragma once
// Every thumbnail and album option, declared once: one row names the control
// that edits it (the option's enum), its member in ThumbnailOptions or
// AlbumOptions, its field in SettingsRecord (the field's place in the file is
// SettingsFormat's field order), the preference group that restores it, its
// limits, how its text is stored and its command-line flag. The record
// mapping, the settings transfer, OptionValues, the clamps and
// quillmora-batch's command line are all driven by these rows; the window's
// pages bind each control enum to its widget.
//
// Rows are in the order the controls are set at start-up, group by group.
#include <QString>
#include <variant>
#include <vector>

#include "app/album/AlbumOptions.h"
#include "app/engine/OutputNames.h"
#include "app/engine/ThumbnailOptions.h"
#include "app/settings/OptionControls.h"
#include "app/settings/SettingsRecord.h"

using AnyControl = std::variant<ColorControl, TextControl, NumberControl, ListControl, CheckControl>;

// A control's value: a colour, a text, a number or list position, a check.
using ControlValue = std::variant<ColorValue, QString, int, bool>;

// The preference group whose flags put an option back at start-up.
enum class OptionGroup { Image, ThumbPage, Table, None };

// How a text is stored: without surrounding spaces, as typed, or as a name part.
enum class TextRule { Trimmed, AsTyped, Name };

using OptionMember =
    std::variant<int16_t ThumbnailOptions::*, ColorValue ThumbnailOptions::*, QString ThumbnailOptions::*,
                 int16_t AlbumOptions::*, ColorValue AlbumOptions::*, QString AlbumOptions::*, bool AlbumOptions::*>;
using RecordField =
    std::variant<std::monostate, int16_t SettingsRecord::*, ColorValue SettingsRecord::*, QString SettingsRecord::*>;

struct OptionRow {
  AnyControl control;
  OptionMember member;
  RecordField field;  // std::monostate: not stored
  OptionGroup group;
  int minimum;  // numbers; a list runs over its entries
  int maximum;
  TextRule textRule;
  NamePart namePart;     // with TextRule::Name
  const char* flag;      // command line, or nullptr
  const char* flagHelp;  // the usage line after the flag
};

const std::vector<OptionRow>& OptionTable();
// The row of a control, or nullptr for controls that edit no option.
const OptionRow* OptionRowOf(AnyControl control);

// The value of a row's option in a pair of options, as its control holds it.
ControlValue OptionValue(const OptionRow& row, const ThumbnailOptions& thumbnail, const AlbumOptions& album);
// Sets it, brought into the control's range.
void SetOptionValue(const OptionRow& row, ThumbnailOptions& thumbnail, AlbumOptions& album, ControlValue value);

// The row's field in a record, as its control holds it, and back.
ControlValue RecordValue(const OptionRow& row, const SettingsRecord& record);
void SetRecordValue(const OptionRow& row, SettingsRecord& record, const ControlValue& value);

// A control's value read from, or set into, a set of controls.
ControlValue ControlValueOf(const OptionControls& controls, AnyControl control);
void SetControlValue(OptionControls& controls, AnyControl control, const ControlValue& value);

// The text a row's text is stored as.
QString StoredText(const OptionRow& row, const QString& text);
