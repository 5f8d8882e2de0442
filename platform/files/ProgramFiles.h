#pragma once
// Where the program's parts are. The build folder and a copied program keep
// everything beside the executable; an installed program keeps its helper
// programs in libexec/quillmora, its private libraries in lib/quillmora and
// its data files in share/quillmora, found relative to its own folder so that
// any install prefix works.
#include <QString>
#include <QStringList>

namespace ProgramFiles {

enum class Part { HelperProgram, PrivateLibrary, DataFile };

// The folder of the running executable (also before a QCoreApplication exists).
QString ExecutableFolder();

// The folders searched for a part, in order: beside the executable first, then
// the installed layout.
QStringList SearchFolders(Part part, const QString& executableFolder);

// The first existing file called name in those folders; empty when none exists.
QString Find(Part part, const QString& name, const QString& executableFolder = ExecutableFolder());

}  // namespace ProgramFiles
