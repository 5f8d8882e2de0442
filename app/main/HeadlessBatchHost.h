#pragma once
// The batch host of quillmora-batch: the main window's run inputs as plain
// values, progress texts printed, no window and no browser.
#include <QTextStream>

#include "app/album/AlbumOptions.h"
#include "app/engine/BatchHost.h"
#include "app/engine/mThumbStyles.h"

class HeadlessBatchHost : public BatchHost {
 public:
  explicit HeadlessBatchHost(QTextStream& out) : out_(out) {}

  QStringList selected;
  QString sourceFolder;
  QString destinationFolder;
  bool album = false;
  bool autoCreate = false;
  BatchOptions options;
  AlbumOptions albumOptions;
  ThumbStage stage;

  QStringList SelectedFileNames() const override { return selected; }
  QString SourceFolderText() const override { return sourceFolder; }
  QString DestinationFolderText() const override { return destinationFolder; }
  bool AlbumOutputChecked() const override { return album; }
  QString ThumbFolderNameText() const override { return albumOptions.thumbFolderName; }
  BatchOptions Options() const override { return options; }
  bool AutoCreateDestinationFolder() const override { return autoCreate; }
  bool AutoViewCompletedGallery() const override { return false; }
  ThumbStage& Stage() override { return stage; }
  void SetProgressMax(int) override {}
  void SetProgressValue(int) override {}
  void SetCounterText(const QString& text) override;
  void ClearSelection() override {}
  void SelectDestinationFolder(const QString& folder) override { destinationFolder = folder; }
  void Yield() override {}
  bool WriteAlbumPages(const QStringList& thumbnails, const QStringList& sources, const QString& folder,
                       const QString& prefix, const QString& suffix, int thumbSurfaceWidth) override;
  void ViewGallery() override {}

 private:
  QTextStream& out_;
};
