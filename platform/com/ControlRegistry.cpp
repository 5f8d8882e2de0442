#include "platform/com/ControlRegistry.h"

#include <QDir>
#include <QFileInfo>
#include <QSettings>
#include <QStandardPaths>

QString ControlRegistry::FilePath() {
  return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
         QStringLiteral("/quillmora/controls.ini");
}

namespace {
// Programmatic identifiers contain dots, which the settings file keeps as they are.
QString GroupOf(const QString& progId) { return QStringLiteral("Classes/") + progId; }
}  // namespace

bool ControlRegistry::Register(const ControlRegistration& registration) {
  if (registration.progId.isEmpty() || !registration.isValid()) return false;
  QDir().mkpath(QFileInfo(FilePath()).absolutePath());
  QSettings settings(FilePath(), QSettings::IniFormat);
  settings.beginGroup(GroupOf(registration.progId));
  settings.setValue(QStringLiteral("ClassId"), registration.classId);
  settings.setValue(QStringLiteral("Library"), registration.libraryPath);
  settings.endGroup();
  settings.sync();
  return settings.status() == QSettings::NoError;
}

bool ControlRegistry::Unregister(const QString& progId) {
  QSettings settings(FilePath(), QSettings::IniFormat);
  settings.remove(GroupOf(progId));
  settings.sync();
  return settings.status() == QSettings::NoError;
}

ControlRegistration ControlRegistry::Lookup(const QString& progId) {
  QSettings settings(FilePath(), QSettings::IniFormat);
  settings.beginGroup(GroupOf(progId));
  ControlRegistration r;
  r.progId = progId;
  r.classId = settings.value(QStringLiteral("ClassId")).toString();
  r.libraryPath = settings.value(QStringLiteral("Library")).toString();
  return r;
}
