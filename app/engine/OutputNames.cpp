#include "app/engine/OutputNames.h"

#include "app/engine/mUtils.h"

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

}  // namespace

QString NamePartProblem(NamePart part, const QString& text) {
  const QString name = TrimBlanks(text);
  if (name.contains(QLatin1Char('/')) || name.contains(QChar(0)))
    return QStringLiteral("%1 \"%2\" cannot contain \"/\": files are written inside the destination folder only.")
        .arg(PartName(part), name);
  if (part == NamePart::ThumbFolderName && (name == QLatin1String(".") || name == QLatin1String("..")))
    return QStringLiteral("%1 cannot be \"%2\": thumbnails are written inside the destination folder only.")
        .arg(PartName(part), name);
  return QString();
}
