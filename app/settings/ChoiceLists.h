#pragma once
// The main window's six choice lists: entries in list order and the entry
// selected at start-up, plus the limits of the up-down boxes. Values read
// from the settings file are brought into these ranges before they reach a
// control.
#include <QStringList>
#include <vector>

#include "app/engine/FileMasks.h"
#include "app/engine/OutputFormats.h"
#include "app/settings/OptionControls.h"

// ComboFilter and ComboOutputFormat take the engine's lists (FileMaskTexts,
// OutputFormatTexts); the resize-mode, filter and style lists are the engine's too.
// Entries of cboAlign: "Default", "Center", "Right", "Left".
const QStringList& AlignmentTexts();

struct ChoiceList {
  ListControl control;
  const QStringList* entries;
  int start;  // position selected at start-up
};

// The six lists in the order the main window fills them, with their start entries.
const std::vector<ChoiceList>& StartupChoiceLists();

// The entries of one list.
const QStringList& ChoiceListTexts(ListControl control);

// A list position brought into the list (the nearest end when outside it).
int ClampListIndex(ListControl control, int index);

struct NumberRange {
  int minimum;
  int maximum;
};

// Minimum and maximum of an up-down box.
NumberRange NumberLimits(NumberControl control);

// A value brought into an up-down box's limits.
int ClampNumber(NumberControl control, int value);
