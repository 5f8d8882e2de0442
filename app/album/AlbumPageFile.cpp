#include "app/album/AlbumPageFile.h"

#include <QFileInfo>

#include "app/engine/WholeFile.h"

bool WriteAlbumPageFile(const QString& path, const QByteArray& pageText) {
  // A failure leaves any earlier page as it was.
  WholeFileWriter page(path);
  return page.Open() && page.Write(pageText) && page.Write("\r\n", 2) && page.Commit();
}

bool AlbumPageExists(const QString& path) {
  if (path.isEmpty()) return false;
  const QFileInfo info(path);
  return info.isFile() && !info.isHidden();
}
