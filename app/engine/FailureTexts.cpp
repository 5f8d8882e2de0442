#include "app/engine/FailureTexts.h"

QString FailureText(Failure why) {
  switch (why) {
    case Failure::None: return QString();
    case Failure::NotFound: return QStringLiteral("the file cannot be found (it was removed, or its name is not valid text)");
    case Failure::NotReadable: return QStringLiteral("the file cannot be opened");
    case Failure::Unsupported: return QStringLiteral("not an image this program can read");
    case Failure::Damaged: return QStringLiteral("not an image this program can read, or damaged");
    case Failure::TooLarge: return QStringLiteral("the image is too large to read");
    case Failure::DecoderGaveUp: return QStringLiteral("the image decoder gave up on it (damaged, too large or too slow)");
    case Failure::NoImage: return QStringLiteral("there is no picture to write");
    case Failure::ConversionFailed: return QStringLiteral("the picture could not be converted to the output format");
    case Failure::DiskFull: return QStringLiteral("the disk is full");
    case Failure::PermissionDenied: return QStringLiteral("permission denied");
    case Failure::NameRefused: return QStringLiteral("the name is not allowed there");
    case Failure::WriteFailed: return QStringLiteral("the file could not be written");
    case Failure::DecoderUnavailable: return QStringLiteral("no image decoder could be started");
    case Failure::Abandoned: return QStringLiteral("reading it was stopped");
  }
  return QStringLiteral("it failed");
}

QString WriteFailureText(const QString& what, const QString& path, Failure why) {
  switch (why) {
    case Failure::None:
      return QString();
    case Failure::NoImage:
    case Failure::ConversionFailed:
    case Failure::Unsupported:
      return QStringLiteral("%1 could not be converted to its output format").arg(what);
    case Failure::NotFound:
      return QStringLiteral("%1 could not be written to %2: its folder is not there").arg(what, path);
    default:
      return QStringLiteral("%1 could not be written to %2: %3").arg(what, path, FailureText(why));
  }
}
