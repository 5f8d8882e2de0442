#pragma once
// Texts the user types that become part of a file or folder name inside the
// destination folder (prefix, suffix, page file name, thumb folder name).
// None of them may lead out of that folder.
#include <QString>

enum class NamePart { Prefix, Suffix, PageFileName, ThumbFolderName };

// Empty when the text (blanks at either end removed, as the run uses it) is
// acceptable for that part; otherwise one sentence for the user saying why not.
QString NamePartProblem(NamePart part, const QString& text);
