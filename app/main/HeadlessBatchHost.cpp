#include "app/main/HeadlessBatchHost.h"

#include "app/album/AlbumPages.h"
#include "app/engine/BatchRun.h"

void HeadlessBatchHost::SetCounterText(const QString& text) {
  out_ << text << '\n';
  out_.flush();
}

bool HeadlessBatchHost::WriteAlbumPages(const QStringList& thumbnails, const QStringList& sources,
                                        const QString& folder, const QString& prefix, const QString& suffix,
                                        int thumbSurfaceWidth) {
  const AlbumWriteResult result = ::WriteAlbumPages(thumbnails, sources, folder, prefix, suffix, albumOptions,
                                                    thumbSurfaceWidth, CanvasTextWidth);
  return result.pagesFailed == 0;
}
