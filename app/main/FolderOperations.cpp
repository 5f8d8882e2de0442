#include "app/main/FolderOperations.h"

#include <QDir>
#include <QFileInfo>

#include "app/engine/mUtils.h"

namespace {

constexpr QDir::Filters kFiles = QDir::Files | QDir::Hidden | QDir::System;

}  // namespace

QString NewFolderProblem(const QString& parent, const QString& name) {
  if (name == QLatin1String(".") || name == QLatin1String(".."))
    return QStringLiteral("\"%1\" cannot be the name of a new folder.").arg(name);
  if (name.contains(QLatin1Char('/')) || name.contains(QChar(0)))
    return QStringLiteral("A folder name cannot contain \"/\".");
  if (QFileInfo::exists(AddBackslash(parent) + name))
    return QStringLiteral("\"%1\" already exists in %2.").arg(name, parent);
  return QString();
}

QString CreateNewFolder(const QString& parent, const QString& name) {
  const QString problem = NewFolderProblem(parent, name);
  if (!problem.isEmpty()) return problem;
  if (!QDir(parent).mkdir(name))
    return QStringLiteral("The folder \"%1\" could not be created in %2.").arg(name, parent);
  return QString();
}

bool RemoveEmptyFolder(const QString& folder) {
  const QFileInfo info(folder);
  if (!info.isDir() || info.isSymLink()) return false;
  return QDir(info.absolutePath()).rmdir(info.fileName());
}

int CountFolderFiles(const QString& folder) {
  return static_cast<int>(QDir(folder).entryList(kFiles).size());
}

int DeleteFolderFiles(const QString& folder) {
  QDir dir(folder);
  int deleted = 0;
  for (const QString& name : dir.entryList(kFiles))
    if (dir.remove(name)) ++deleted;
  return deleted;
}
