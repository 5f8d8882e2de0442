#pragma once
// The source file masks of ComboFilter and the file list they select.
#include <QString>
#include <QStringList>

struct FileMask {
  QString text;
  QString pattern;  // "*.bmp;*.cur;..."
};

const QList<FileMask>& FileMasks();
// The entry texts of the mask list, in list order.
const QStringList& FileMaskTexts();

// The names (no folder) of the regular files in folder that the pattern
// selects, matched case-insensitively (cameras write IMG_0001.JPG), in the file
// list's order: alphabetical, ignoring case.
QStringList ListFolderFiles(const QString& folder, const QString& pattern);
