#include "platform/com/CreateControl.h"

#include <QFileInfo>
#include <QLibrary>
#include <QWidget>

#include "platform/com/ComError.h"
#include "platform/com/ControlRegistry.h"
#include "platform/com/ControlServer.h"
#include "platform/files/ProgramFiles.h"

namespace {

QString BesideProgram(const QString& progId) {
  QString name = progId.section(QLatin1Char('.'), 0, 0).toLower();
  QStringList candidates{name};
  if (name.endsWith(QLatin1String("lib")) && name.size() > 3) candidates.prepend(name.left(name.size() - 3));
  // Beside the program in the build and in a copied folder, lib/quillmora when installed.
  for (const QString& base : candidates) {
    const QString path =
        ProgramFiles::Find(ProgramFiles::Part::PrivateLibrary, QStringLiteral("lib") + base + QStringLiteral(".so"));
    if (!path.isEmpty()) return path;
  }
  return QString();
}

}  // namespace

QString FindControlLibrary(const QString& progId) {
  const ControlRegistration registered = ControlRegistry::Lookup(progId);
  if (registered.isValid() && QFileInfo::exists(registered.libraryPath)) return registered.libraryPath;
  return BesideProgram(progId);
}

QWidget* CreateControl(const QString& progId, QWidget* parent) {
  const ControlRegistration registered = ControlRegistry::Lookup(progId);
  QString path = FindControlLibrary(progId);
  if (path.isEmpty()) throw ComError(kErrCantCreateObject);
  // A registered class identifier names the class; a library found beside the
  // program is asked by programmatic identifier.
  const QString classId =
      registered.isValid() && registered.libraryPath == path ? registered.classId : progId;

  QLibrary library(path);
  if (!library.load()) throw ComError(kErrCantCreateObject, library.errorString());
  auto getClassObject = reinterpret_cast<DllGetClassObjectFn>(library.resolve(comserver::kGetClassObject));
  if (!getClassObject) throw ComError(kErrCantCreateObject);
  ClassFactory* factory = nullptr;
  if (getClassObject(classId.toUtf8().constData(), &factory) != comserver::kOk || !factory)
    throw ComError(kErrCantCreateObject);
  QWidget* control = factory->CreateInstance(parent);
  if (!control) throw ComError(kErrCantCreateObject);
  return control;
}
