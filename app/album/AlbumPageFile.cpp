#include "app/album/AlbumPageFile.h"

#include <QFile>
#include <QFileInfo>

#include "app/engine/mUtils.h"

bool WriteAlbumPageFile(const QString& path, const QByteArray& pageText) {
  if (path.isEmpty() || QFileInfo(path).isDir()) return false;
  // Written beside the page first, so the rename replaces the page in one step
  // and a failure leaves any earlier page as it was.
  const QString temporary = TemporarySiblingPath(path);
  {
    QFile file(temporary);
    if (!file.open(QIODevice::WriteOnly | QIODevice::NewOnly)) return false;
    const bool written = file.write(pageText) == pageText.size() && file.write("\r\n", 2) == 2 && file.flush();
    file.close();
    if (!written || file.error() != QFileDevice::NoError) {
      QFile::remove(temporary);
      return false;
    }
  }
  return ReplaceWithFile(temporary, path);
}

bool AlbumPageExists(const QString& path) {
  if (path.isEmpty()) return false;
  const QFileInfo info(path);
  return info.isFile() && !info.isHidden();
}
