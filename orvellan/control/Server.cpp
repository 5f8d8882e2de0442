// The library's four entry points and its two class objects: the control
// Orvellan and its property page General.
#include <dlfcn.h>

#include <QString>
#include <cstring>

#include "orvellan/control/General.h"
#include "orvellan/control/Orvellan.h"
#include "platform/com/ControlRegistry.h"
#include "platform/com/ControlServer.h"

namespace {

constexpr char kControlClassId[] = "{5B0C1E52-7A43-4C1B-9E5D-0F6A2B8C3D71}";
constexpr char kControlProgId[] = "OrvellanLib.Orvellan";
constexpr char kPageClassId[] = "{5B0C1E53-7A43-4C1B-9E5D-0F6A2B8C3D71}";
constexpr char kPageProgId[] = "OrvellanLib.General";

class ControlFactory : public ClassFactory {
 public:
  QWidget* CreateInstance(QWidget* parent) override { return new Orvellan(parent); }
};

class PageFactory : public ClassFactory {
 public:
  QWidget* CreateInstance(QWidget* parent) override { return new General(parent); }
};

ControlFactory g_controlFactory;
PageFactory g_pageFactory;

QString LibraryPath() {
  Dl_info info{};
  if (dladdr(reinterpret_cast<void*>(&LibraryPath), &info) == 0 || !info.dli_fname) return QString();
  return QString::fromLocal8Bit(info.dli_fname);
}

bool Matches(const char* id, const char* classId, const char* progId) {
  return std::strcmp(id, classId) == 0 || std::strcmp(id, progId) == 0;
}

}  // namespace

extern "C" {

__attribute__((visibility("default"))) int DllRegisterServer() {
  const QString path = LibraryPath();
  if (path.isEmpty()) return comserver::kFail;
  const bool ok =
      ControlRegistry::Register({QString::fromLatin1(kControlProgId), QString::fromLatin1(kControlClassId), path}) &&
      ControlRegistry::Register({QString::fromLatin1(kPageProgId), QString::fromLatin1(kPageClassId), path});
  return ok ? comserver::kOk : comserver::kFail;
}

__attribute__((visibility("default"))) int DllUnregisterServer() {
  const bool ok = ControlRegistry::Unregister(QString::fromLatin1(kControlProgId)) &&
                  ControlRegistry::Unregister(QString::fromLatin1(kPageProgId));
  return ok ? comserver::kOk : comserver::kFail;
}

__attribute__((visibility("default"))) int DllGetClassObject(const char* classId, ClassFactory** factory) {
  if (!classId || !factory) return comserver::kFail;
  *factory = nullptr;
  if (Matches(classId, kControlClassId, kControlProgId))
    *factory = &g_controlFactory;
  else if (Matches(classId, kPageClassId, kPageProgId))
    *factory = &g_pageFactory;
  return *factory ? comserver::kOk : comserver::kClassNotAvailable;
}

__attribute__((visibility("default"))) int DllCanUnloadNow() {
  return Orvellan::LiveCount() == 0 ? comserver::kOk : comserver::kFalse;
}

}  // extern "C"
