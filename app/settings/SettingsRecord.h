#pragma once
// Every user setting, held in memory from program start to program end and
// stored field by field, in this order, in the settings file. A new record
// is all zeros and empty texts; DefaultSettings() gives the record used when
// the file is missing or judged corrupt.
#include <QString>
#include <cstdint>

#include "platform/drawing/ColorValue.h"

// A flag is on when it holds -1 (all bits set) and off otherwise; 1 is off.
constexpr int16_t kFlagOn = -1;
constexpr int16_t kFlagOff = 0;
constexpr bool IsOn(int16_t flag) { return flag == kFlagOn; }
constexpr int16_t FlagOf(bool on) { return on ? kFlagOn : kFlagOff; }

struct SettingsRecord {
  // The nine preference flags (preferences dialog boxes ckPrefs 0-8).
  int16_t saveFolders = 0;
  int16_t autoCreateDestination = 0;
  int16_t autoSelectAll = 0;
  int16_t saveImageSettings = 0;
  int16_t saveHtmlSettings = 0;
  int16_t saveThumbPageSettings = 0;
  int16_t saveTableSettings = 0;
  int16_t alwaysCreateHtml = 0;
  int16_t autoViewGallery = 0;
  // Remembered folders, kept current by the folder trees.
  QString sourceFolder;
  QString destinationFolder;
  // Thumbnail options.
  int16_t thumbStyleIndex = 0;
  int16_t thumbWidth = 0;
  int16_t thumbHeight = 0;
  ColorValue thumbBackColor = 0;
  QString thumbBackImage;
  int16_t resampleIndex = 0;
  int16_t imagePadding = 0;
  QString prefix;
  QString suffix;
  int16_t outputFormatIndex = 0;
  // Album options.
  QString pageTitle;
  QString pageHeader;
  ColorValue headerColor = 0;
  ColorValue pageColor = 0;
  int16_t headerSize = 0;
  int16_t indexSize = 0;
  QString backgroundImage;
  QString pageFileName;
  QString thumbFolderName;
  int16_t repeatIndexAtTop = 0;  // written 0 or -1; read as on when not 0
  int16_t rowsPerPage = 0;
  int16_t columnsPerRow = 0;
  int16_t alignmentIndex = 0;
  int16_t cellPadding = 0;
  int16_t cellSpacing = 0;
  int16_t borderWidth = 0;
  ColorValue borderColor = 0;
  ColorValue cellColor = 0;
  ColorValue captionBackColor = 0;
  ColorValue tableColor = 0;
  ColorValue captionFontColor = 0;
  int16_t captionFontSize = 0;
  // Nothing reads or sets these; they are written back as read.
  int16_t reserved44 = 0;
  int16_t reserved45 = 0;

  bool operator==(const SettingsRecord& other) const;
  bool operator!=(const SettingsRecord& other) const { return !(*this == other); }
};

// The record used when the settings file is missing or judged corrupt:
// "Save Origin & Destination Paths." on, every other field 0 or empty.
SettingsRecord DefaultSettings();

// The preference flags, in the order of the preferences dialog's boxes.
enum class Preference : int {
  SaveFolders = 0,            // "Save Origin && Destination Paths."
  AutoCreateDestination = 1,  // "Auto Create Destination Folder."
  AutoSelectAll = 2,          // "Auto Select All Source Images."
  SaveImageSettings = 3,      // "Save Image Settings."
  SaveHtmlSettings = 4,       // "Save HTML Gallery Settings."
  SaveThumbPageSettings = 5,  // "Save Thumb Page Settings."
  SaveTableSettings = 6,      // "Save Table Settings."
  AlwaysCreateHtml = 7,       // "Always create HTML Gallery."
  AutoViewGallery = 8,        // "Auto View Completed Gallery."
};
constexpr int kPreferenceCount = 9;

// The flag field of a preference.
int16_t& PreferenceFlag(SettingsRecord& record, Preference preference);
int16_t PreferenceFlag(const SettingsRecord& record, Preference preference);
bool PreferenceOn(const SettingsRecord& record, Preference preference);
void SetPreference(SettingsRecord& record, Preference preference, bool on);

// The caption of a preference's check box, as given to the box: the first
// one carries "&&", which a check box shows as a single "&".
QString PreferenceCaption(Preference preference);
