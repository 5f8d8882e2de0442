#include "app/settings/SettingsRecord.h"

#include <QStringList>
#include <tuple>

namespace {
auto Fields(const SettingsRecord& r) {
  return std::tie(r.saveFolders, r.autoCreateDestination, r.autoSelectAll, r.saveImageSettings,
                  r.saveHtmlSettings, r.saveThumbPageSettings, r.saveTableSettings, r.alwaysCreateHtml,
                  r.autoViewGallery, r.sourceFolder, r.destinationFolder, r.thumbStyleIndex, r.thumbWidth,
                  r.thumbHeight, r.thumbBackColor, r.thumbBackImage, r.resampleIndex, r.imagePadding, r.prefix,
                  r.suffix, r.outputFormatIndex, r.pageTitle, r.pageHeader, r.headerColor, r.pageColor,
                  r.headerSize, r.indexSize, r.backgroundImage, r.pageFileName, r.thumbFolderName,
                  r.repeatIndexAtTop, r.rowsPerPage, r.columnsPerRow, r.alignmentIndex, r.cellPadding,
                  r.cellSpacing, r.borderWidth, r.borderColor, r.cellColor, r.captionBackColor, r.tableColor,
                  r.captionFontColor, r.captionFontSize, r.reserved44, r.reserved45);
}

template <typename Record>
auto& FlagField(Record& r, Preference preference) {
  switch (preference) {
    case Preference::SaveFolders: return r.saveFolders;
    case Preference::AutoCreateDestination: return r.autoCreateDestination;
    case Preference::AutoSelectAll: return r.autoSelectAll;
    case Preference::SaveImageSettings: return r.saveImageSettings;
    case Preference::SaveHtmlSettings: return r.saveHtmlSettings;
    case Preference::SaveThumbPageSettings: return r.saveThumbPageSettings;
    case Preference::SaveTableSettings: return r.saveTableSettings;
    case Preference::AlwaysCreateHtml: return r.alwaysCreateHtml;
    case Preference::AutoViewGallery: break;
  }
  return r.autoViewGallery;
}
}  // namespace

bool SettingsRecord::operator==(const SettingsRecord& other) const { return Fields(*this) == Fields(other); }

SettingsRecord DefaultSettings() {
  SettingsRecord record;
  record.saveFolders = kFlagOn;
  return record;
}

int16_t& PreferenceFlag(SettingsRecord& record, Preference preference) { return FlagField(record, preference); }

int16_t PreferenceFlag(const SettingsRecord& record, Preference preference) {
  return FlagField(record, preference);
}

bool PreferenceOn(const SettingsRecord& record, Preference preference) {
  return IsOn(PreferenceFlag(record, preference));
}

void SetPreference(SettingsRecord& record, Preference preference, bool on) {
  PreferenceFlag(record, preference) = FlagOf(on);
}

QString PreferenceCaption(Preference preference) {
  static const QStringList captions{
      QStringLiteral("Save Origin && Destination Paths."), QStringLiteral("Auto Create Destination Folder."),
      QStringLiteral("Auto Select All Source Images."),    QStringLiteral("Save Image Settings."),
      QStringLiteral("Save HTML Gallery Settings."),       QStringLiteral("Save Thumb Page Settings."),
      QStringLiteral("Save Table Settings."),              QStringLiteral("Always create HTML Gallery."),
      QStringLiteral("Auto View Completed Gallery.")};
  const int index = static_cast<int>(preference);
  return index >= 0 && index < captions.size() ? captions.at(index) : QString();
}
