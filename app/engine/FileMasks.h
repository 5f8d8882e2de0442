#pragma once
// The source file masks of ComboFilter and the file list they select.
#include <QString>
#include <QStringList>

struct FileMask {
  QString text;
  QString pattern;  // "*.bmp;*.cur;..."
};

const QList<FileMask>& FileMasks();
// The first entry after "All Files(*.*)": entries before it keep their numbers.
constexpr int kFirstAddedMask = 29;
// The entry texts of the mask list, in list order.
const QStringList& FileMaskTexts();

struct FolderListing {
  bool readable = true;  // false: the folder could not be read (error says why)
  QString error;
  // The names (no folder) of the regular files the pattern selects, matched
  // case-insensitively (cameras write IMG_0001.JPG), in the file list's
  // order: alphabetical, ignoring case. Hidden files are left out.
  QStringList names;
  // Those of names that the file system spells in bytes that are not valid
  // text: listed (so they are not silently dropped), but they cannot be opened.
  QStringList unrepresentable;
};
FolderListing ListFolder(const QString& folder, const QString& pattern);

// ListFolder's names.
QStringList ListFolderFiles(const QString& folder, const QString& pattern);
