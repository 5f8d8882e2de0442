#include "app/album/AlbumPageFile.h"

#include <QFileInfo>
#include <QSaveFile>

bool WriteAlbumPageFile(const QString& path, const QByteArray& pageText) {
  if (path.isEmpty()) return false;
  QSaveFile file(path);
  if (!file.open(QIODevice::WriteOnly)) return false;
  if (file.write(pageText) != pageText.size() || file.write("\r\n", 2) != 2) {
    file.cancelWriting();
    return false;
  }
  return file.commit();
}

bool AlbumPageExists(const QString& path) {
  if (path.isEmpty()) return false;
  const QFileInfo info(path);
  return info.isFile() && !info.isHidden();
}
