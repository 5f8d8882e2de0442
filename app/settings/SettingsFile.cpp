#include "app/settings/SettingsFile.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>
#include <QTemporaryFile>

#include "app/engine/WholeFile.h"
#include "app/engine/mUtils.h"
#include "app/settings/SettingsFormat.h"
#include "platform/shell/MessageBox.h"

namespace {

const QString kSettingsFileName = QStringLiteral("qmsetup.dat");

bool CanCreateFileIn(const QString& folder) {
  if (!QFileInfo(folder).isDir()) return false;
  QTemporaryFile probe(AddBackslash(folder) + QStringLiteral(".qmprobe.XXXXXX"));
  return probe.open();
}

// Leaves an empty file at path (the settings file exists from the first start on).
void CreateEmptyFile(const QString& path) {
  QDir().mkpath(QFileInfo(path).absolutePath());
  QFile file(path);
  if (file.open(QIODevice::WriteOnly | QIODevice::NewOnly)) file.close();
}

}  // namespace

bool FileExists(const QString& path) {
  if (path.isEmpty()) return false;
  const QFileInfo info(path);
  return info.exists() || info.isSymLink();
}

QString ChooseSettingsFilePath(const QString& programFolder, const QString& configFolder) {
  const QString folder = CanCreateFileIn(programFolder) ? programFolder : configFolder;
  return AddBackslash(folder) + kSettingsFileName;
}

QString SettingsFilePath() {
  static const QString path = [] {
    const QString programFolder = QCoreApplication::applicationDirPath();
    const QString configFolder = QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation);
    // A program with its parts beside it (the build, a copied folder) may keep
    // its settings there; an installed one (/usr/bin, its decoder elsewhere)
    // keeps them per user, even when it runs as root.
    const bool portable = QFileInfo::exists(AddBackslash(programFolder) + QStringLiteral("quillmora-decoder"));
    return portable ? ChooseSettingsFilePath(programFolder, configFolder)
                    : AddBackslash(configFolder) + kSettingsFileName;
  }();
  return path;
}

SettingsRecord LoadSettings(const QString& path, bool* usedDefaults) {
  bool useDefaults = false;
  if (FileExists(path)) {
    const QFileInfo info(path);
    if (info.isFile() && info.size() == 0) {
      ShowMessageBox(QStringLiteral("Configuration data file is corrupt\nDefault values will be used"),
                     QStringLiteral("Quillmora"), MsgIcon::Exclamation, MsgButtons::OK);
      QFile::remove(path);
      useDefaults = true;
    }
  } else {
    useDefaults = true;
  }

  if (!FileExists(path)) CreateEmptyFile(path);

  // Only a plain file is read: a folder, device or pipe of that name could
  // fail or block.
  QByteArray data;
  QFile file(path);
  if (QFileInfo(path).isFile() && file.open(QIODevice::ReadOnly))
    data = file.read(kSettingsMaxBytes);
  else
    useDefaults = true;

  if (usedDefaults) *usedDefaults = useDefaults;
  if (useDefaults) return DefaultSettings();
  return DecodeSettings(data);
}

bool SaveSettings(const SettingsRecord& record, const QString& path) { return SaveSettings(record, path, {}); }

bool SaveSettings(const SettingsRecord& record, const QString& path, const std::function<bool()>& beforeReplace) {
  if (path.isEmpty()) return false;
  const QByteArray bytes = EncodeSettings(record);
  QDir().mkpath(QFileInfo(path).absolutePath());
  WholeFileWriter file(path, WholeFileWriter::Durability::Synced);
  return file.Open() && file.Write(bytes) && file.Commit(beforeReplace);
}
