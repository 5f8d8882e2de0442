#include "platform/files/ProgramFiles.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>

// The installed folders relative to the installed bin folder; the build sets
// them from its install layout.
#ifndef QM_BIN_TO_LIBEXEC
#define QM_BIN_TO_LIBEXEC "../libexec/quillmora"
#endif
#ifndef QM_BIN_TO_LIB
#define QM_BIN_TO_LIB "../lib/quillmora"
#endif
#ifndef QM_BIN_TO_DATA
#define QM_BIN_TO_DATA "../share/quillmora"
#endif

namespace ProgramFiles {

QString ExecutableFolder() {
  if (QCoreApplication::instance()) return QCoreApplication::applicationDirPath();
  return QFileInfo(QFile::symLinkTarget(QStringLiteral("/proc/self/exe"))).absolutePath();
}

QStringList SearchFolders(Part part, const QString& executableFolder) {
  const char* installed = part == Part::HelperProgram    ? QM_BIN_TO_LIBEXEC
                          : part == Part::PrivateLibrary ? QM_BIN_TO_LIB
                                                         : QM_BIN_TO_DATA;
  const QDir bin(executableFolder);
  return {bin.absolutePath(), QDir::cleanPath(bin.absoluteFilePath(QString::fromUtf8(installed)))};
}

QString Find(Part part, const QString& name, const QString& executableFolder) {
  if (name.isEmpty()) return QString();
  for (const QString& folder : SearchFolders(part, executableFolder)) {
    const QFileInfo candidate(QDir(folder).filePath(name));
    if (candidate.isFile()) return candidate.filePath();
  }
  return QString();
}

}  // namespace ProgramFiles
