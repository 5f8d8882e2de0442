#pragma once
// Copying between the record and the main window's option controls.
#include "app/settings/OptionControls.h"
#include "app/settings/SettingsRecord.h"

// Copies the option controls into the record, always, whatever the flags.
// Texts are stored without leading and trailing blanks, except the page
// background image, which is stored as typed. The folders and the flags are
// not touched (the folder trees and the preferences dialog keep them current).
void GatherSettingsFromControls(const OptionControls& controls, SettingsRecord& record);

// Copies the record into the controls, group by group as the flags allow:
// image options ("Save Image Settings."), page options ("Save HTML Gallery
// Settings." and "Save Thumb Page Settings."), table options ("Save HTML
// Gallery Settings." and "Save Table Settings."), the folders ("Save Origin
// & Destination Paths.") and the "Create HTML Gallery" box ("Always create
// HTML Gallery."). List positions and numbers are brought into range first.
void ApplySettingsToControls(const SettingsRecord& record, OptionControls& controls);

// "Default Values" of the album table options: the seven table values and
// the five table colours back to their defaults, then the colour change
// handling of the five pickers. The page options are not touched.
void cmdDefault_Click(OptionControls& controls);
