#pragma once
// The settings file: where it lives, reading it at start-up and writing it
// whole. The record itself is kept by whoever calls LoadSettings (the
// program keeps one from start to end).
#include <QString>
#include <functional>

#include "app/settings/SettingsRecord.h"

// True when the file system has an entry (file, folder, or a link even when
// dangling) at path.
bool FileExists(const QString& path);

// "qmsetup.dat" in programFolder when a file can be created there (a portable
// install keeps its settings beside it), otherwise in configFolder.
QString ChooseSettingsFilePath(const QString& programFolder, const QString& configFolder);

// The settings file of this program: for a program with its parts beside it
// (the build folder, a copied folder), ChooseSettingsFilePath over the
// program's folder and the user's configuration folder; for an installed
// program the user's configuration folder. Decided once, so reading and
// saving always use the same place. Call it once the application object
// exists and has its organisation and application names.
QString SettingsFilePath();

// Reads the settings file into a record.
// - Missing file: defaults, no message; an empty file is left in its place.
// - File of length 0: the "Configuration data file is corrupt" message is
//   shown, the file is deleted (and left empty again, as for a missing one)
//   and defaults are used.
// - Short file: the missing fields read as 0 or empty. Bytes after the
//   record are ignored.
// - A path that cannot be read as a file (a folder, no permission): defaults,
//   no message.
// usedDefaults, when given, says whether the defaults were used.
SettingsRecord LoadSettings(const QString& path = SettingsFilePath(), bool* usedDefaults = nullptr);

// Writes the record to the settings file whole: into a temporary file beside
// it, flushed to disk, then renamed over the old one. Returns false (showing
// nothing) when the save failed; the old file is then as it was.
bool SaveSettings(const SettingsRecord& record, const QString& path = SettingsFilePath());

// The same, with beforeReplace called once the new contents are written and
// flushed, just before they replace the old file; returning false abandons
// the save there, as a crash at that point would.
bool SaveSettings(const SettingsRecord& record, const QString& path, const std::function<bool()>& beforeReplace);
