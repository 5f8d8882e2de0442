#include "platform/com/PictureFile.h"

#include <QDir>
#include <QFileInfo>
#include <QImageReader>
#include <QImageWriter>
#include <QSaveFile>

#include "platform/com/ComError.h"

namespace {
const QList<QByteArray> kAccepted = {"bmp", "gif", "jpeg", "jpg", "png", "ico", "cur"};
}

StdPicture LoadPictureFile(const QString& path) {
  QImageReader reader(path);
  reader.setDecideFormatFromContent(true);
  const QByteArray format = reader.format().toLower();
  if (!kAccepted.contains(format)) return StdPicture();
  const QImage image = reader.read();
  if (image.isNull()) return StdPicture();
  return StdPicture(image, format == "ico" || format == "cur" ? StdPicture::Icon : StdPicture::Bitmap);
}

void SaveBitmapFile(const QImage& image, const QString& path) {
  const QFileInfo info(path);
  if (path.isEmpty() || info.fileName().isEmpty()) throw ComError(kErrPathFileAccess);
  if (!info.absoluteDir().exists()) throw ComError(kErrPathNotFound);
  if (info.isDir()) throw ComError(kErrPathFileAccess);
  QSaveFile file(path);
  if (!file.open(QIODevice::WriteOnly)) {
    throw ComError(file.error() == QFileDevice::PermissionsError || (info.exists() && !info.isWritable())
                       ? kErrPermissionDenied
                       : kErrPathFileAccess);
  }
  QImageWriter writer(&file, "bmp");
  if (!writer.write(image.convertToFormat(QImage::Format_RGB32))) {
    file.cancelWriting();
    throw ComError(kErrPathFileAccess);
  }
  if (!file.commit()) throw ComError(kErrPermissionDenied);
}
