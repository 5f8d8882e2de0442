#include "app/album/ViewGallery.h"

#include "app/album/AlbumPageFile.h"
#include "app/album/AlbumPages.h"
#include "app/engine/mUtils.h"
#include "platform/shell/OpenDocument.h"

QString FirstAlbumPagePath(const QString& destinationFolder, const AlbumOptions& options) {
  return AddBackslash(destinationFolder) + AlbumPageFileName(options, 1);
}

bool ViewGallery(const QString& destinationFolder, const AlbumOptions& options) {
  if (destinationFolder.isEmpty()) return false;
  const QString path = FirstAlbumPagePath(destinationFolder, options);
  if (!AlbumPageExists(path)) return false;
  return OpenDocument(path);
}
