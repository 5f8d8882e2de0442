#pragma once
// Texts the user types that become part of a file or folder name inside the
// destination folder (prefix, suffix, page file name, thumb folder name).
// None of them may lead out of that folder.
#include <QString>

enum class NamePart { Prefix, Suffix, PageFileName, ThumbFolderName };

// One name part as typed, trimmed by the one rule every user of it shares
// (the guard on its box, the settings file, the run, the album writer, the
// command line) and checked once against it.
class NamePartText {
 public:
  NamePartText(NamePart part, const QString& typed);

  NamePart part() const { return part_; }
  // What names are made of: the typed text without blanks or control
  // characters (tab, line ends, vertical tab, ...) at either end.
  const QString& text() const { return text_; }
  // Empty when the text is acceptable for its part; otherwise one sentence
  // for the user saying why not.
  const QString& problem() const { return problem_; }
  bool accepted() const { return problem_.isEmpty(); }

 private:
  NamePart part_;
  QString text_;
  QString problem_;
};

// The folder (inside the destination) that holds the web-size copies the
// image pages show: "images", or "images_web" when the thumbnails already
// use a folder named "images" (in any case), so a copy never replaces a
// thumbnail. thumbFolderName: the thumb folder name as typed.
QString ImageCopyFolderName(const QString& thumbFolderName);
