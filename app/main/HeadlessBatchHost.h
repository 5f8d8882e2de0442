#pragma once
// The batch host of quillmora-batch: the main window's run inputs as plain
// values, progress texts printed on standard output, what the user must be
// told and every file that failed on standard error; no window, no browser.
#include <QTextStream>

#include "app/album/AlbumOptions.h"
#include "app/engine/BatchHost.h"
#include "app/engine/mThumbStyles.h"

class HeadlessBatchHost : public BatchHost {
 public:
  HeadlessBatchHost(QTextStream& out, QTextStream& err) : out_(out), err_(err) {}

  QStringList selected;
  QString sourceFolder;
  QString destinationFolder;
  bool album = false;
  bool autoCreate = false;
  ThumbnailOptions options;
  AlbumOptions albumOptions;
  ThumbStage stage;
  RunScope scope;

  QStringList SelectedFileNames() const override { return selected; }
  QString SourceFolderText() const override { return sourceFolder; }
  QString DestinationFolderText() const override { return destinationFolder; }
  bool AlbumOutputChecked() const override { return album; }
  QString ThumbFolderNameText() const override { return albumOptions.thumbFolderName; }
  QString PageFileNameText() const override { return albumOptions.pageFileName; }
  ThumbnailOptions Options() const override { return options; }
  bool AutoCreateDestinationFolder() const override { return autoCreate; }
  bool AutoViewCompletedGallery() const override { return false; }
  ThumbStage& Stage() override { return stage; }
  RunScope Scope() const override { return scope; }
  void SetProgressMax(int) override {}
  void SetProgressValue(int) override {}
  void SetCounterText(const QString& text) override;
  void ClearSelection() override {}
  void SelectDestinationFolder(const QString& folder) override { destinationFolder = folder; }
  void Yield() override {}
  void YieldWhileWaiting() override {}
  void TellUser(const QString& message) override;
  void FileFailed(const QString& fileName, const QString& reason) override;
  bool WriteAlbumPages(const QStringList& thumbnails, const QStringList& sources, const QString& folder,
                       const QString& prefix, const QString& suffix, int thumbSurfaceWidth,
                       const QSet<QString>& keep, const QList<QStringList>& details) override;
  int ImagePageCopySize() const override;
  bool ImagePageDetails() const override;
  void ViewGallery() override {}

 private:
  QTextStream& out_;
  QTextStream& err_;
};
