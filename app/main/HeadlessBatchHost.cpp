#include "app/main/HeadlessBatchHost.h"

#include "app/album/AlbumPages.h"
#include "app/album/ImagePages.h"
#include "app/engine/BatchRun.h"

void HeadlessBatchHost::SetCounterText(const QString& text) {
  out_ << text << '\n';
  out_.flush();
}

void HeadlessBatchHost::TellUser(const QString& message) {
  err_ << "quillmora-batch: " << message << '\n';
  err_.flush();
}

void HeadlessBatchHost::FileFailed(const QString& fileName, const QString& reason) {
  err_ << "quillmora-batch: " << fileName << ": " << reason << '\n';
  err_.flush();
}

bool HeadlessBatchHost::WriteAlbumPages(const QStringList& thumbnails, const QStringList& sources,
                                        const QString& folder, const QString& prefix, const QString& suffix,
                                        int thumbSurfaceWidth, const QSet<QString>& keep,
                                        const QList<QStringList>& details) {
  const AlbumWriteResult result = ::WriteAlbumPages(thumbnails, sources, folder, prefix, suffix, albumOptions,
                                                    thumbSurfaceWidth, CanvasTextWidth, keep, details);
  return result.pagesFailed == 0;
}

int HeadlessBatchHost::ImagePageCopySize() const { return ::ImagePageCopySize(albumOptions); }
bool HeadlessBatchHost::ImagePageDetails() const { return ::ImagePageDetails(albumOptions); }
