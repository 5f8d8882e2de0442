#pragma once
// The control registry: programmatic identifier -> class identifier and the
// shared library that serves it. Kept in one settings file per user
// (GenericConfigLocation/quillmora/controls.ini); libraries write it from
// DllRegisterServer, hosts read it in CreateControl.
#include <QString>

struct ControlRegistration {
  QString progId;
  QString classId;
  QString libraryPath;
  bool isValid() const { return !classId.isEmpty() && !libraryPath.isEmpty(); }
};

class ControlRegistry {
 public:
  static QString FilePath();
  static bool Register(const ControlRegistration& registration);
  static bool Unregister(const QString& progId);
  static ControlRegistration Lookup(const QString& progId);
};
