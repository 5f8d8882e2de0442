#include <QApplication>

#include "app/main/ProgramInfo.h"
#include "app/main/fMain.h"
#include "app/settings/SettingsFile.h"

int main(int argc, char* argv[]) {
  QApplication app(argc, argv);
  QApplication::setApplicationName(QString::fromLatin1(ProgramInfo::kProgramName));
  QApplication::setOrganizationName(QString::fromLatin1(ProgramInfo::kMakerName));
  QApplication::setApplicationVersion(ProgramInfo::VersionNumber());
  QApplication::setWindowIcon(ProgramInfo::ProgramIcon());
  QGuiApplication::setDesktopFileName(QStringLiteral("org.example.oxbrindle.Quillmora"));
  // The settings are read before the window exists; the window keeps the
  // record current and saves it when the user leaves.
  const QString settingsPath = SettingsFilePath();
  bool usedDefaults = false;
  SettingsRecord record = LoadSettings(settingsPath, &usedDefaults);
  fMain window(record, settingsPath, usedDefaults);
  window.show();
  return app.exec();
}
