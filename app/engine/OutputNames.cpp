#include "app/engine/OutputNames.h"

namespace {

QString PartName(NamePart part) {
  switch (part) {
    case NamePart::Prefix: return QStringLiteral("The file name prefix");
    case NamePart::Suffix: return QStringLiteral("The file name suffix");
    case NamePart::PageFileName: return QStringLiteral("The page file name");
    case NamePart::ThumbFolderName: break;
  }
  return QStringLiteral("The thumb folder name");
}

// Blanks of every kind and control characters: a file system keeps them in a
// name, but nobody means them at the end of one.
bool IsTrimmed(QChar c) { return c.isSpace() || c.category() == QChar::Other_Control; }

QString TrimName(const QString& text) {
  qsizetype first = 0;
  qsizetype last = text.size();
  while (first < last && IsTrimmed(text[first])) ++first;
  while (last > first && IsTrimmed(text[last - 1])) --last;
  return text.mid(first, last - first);
}

}  // namespace

NamePartText::NamePartText(NamePart part, const QString& typed) : part_(part), text_(TrimName(typed)) {
  if (text_.contains(QLatin1Char('/')) || text_.contains(QChar(0)))
    problem_ = QStringLiteral("%1 \"%2\" cannot contain \"/\": files are written inside the destination folder only.")
                   .arg(PartName(part), text_);
  else if (part == NamePart::ThumbFolderName && (text_ == QLatin1String(".") || text_ == QLatin1String("..")))
    problem_ = QStringLiteral("%1 cannot be \"%2\": thumbnails are written inside the destination folder only.")
                   .arg(PartName(part), text_);
}

QString ImageCopyFolderName(const QString& thumbFolderName) {
  const QString images = QStringLiteral("images");
  const QString thumbs = NamePartText(NamePart::ThumbFolderName, thumbFolderName).text();
  return thumbs.compare(images, Qt::CaseInsensitive) == 0 ? QStringLiteral("images_web") : images;
}
