#pragma once
// A main window stand-in for batch runs: plain fields in, recorded outputs out.
#include <functional>

#include "app/engine/BatchHost.h"
#include "app/engine/mThumbStyles.h"

struct FakeBatchHost : BatchHost {
  QStringList selected;
  QString sourceFolder, destinationFolder, thumbFolderName = QStringLiteral("thumbs");
  QString pageFileName = QStringLiteral("gallery");
  bool album = false, autoCreate = false, autoView = false;
  ThumbnailOptions options;
  ThumbStage stage;
  bool albumWriteSucceeds = true;
  int imagePageCopySize = 0;
  bool imagePageDetails = false;
  QList<QStringList> albumDetails;  // of the last album call
  RunScope scope;

  int progressMax = -1;
  QList<int> progressValues;
  QStringList counterTexts;
  int selectionClears = 0;
  QStringList selectedDestinations;
  int yields = 0;
  std::function<void(int)> onYield;  // called with the running yield count
  int waitYields = 0;
  std::function<void(int)> onWaitYield;  // called with the running count of yields while decoding
  QStringList toldUser;
  QStringList failures;
  struct AlbumCall { QStringList thumbnails, sources; QString folder, prefix, suffix; int width; };
  QList<AlbumCall> albumCalls;
  int galleryViews = 0;

  mutable int selectionReads = 0;
  QStringList SelectedFileNames() const override {
    ++selectionReads;
    return selected;
  }
  QString SourceFolderText() const override { return sourceFolder; }
  QString DestinationFolderText() const override { return destinationFolder; }
  bool AlbumOutputChecked() const override { return album; }
  QString ThumbFolderNameText() const override { return thumbFolderName; }
  QString PageFileNameText() const override { return pageFileName; }
  ThumbnailOptions Options() const override { return options; }
  bool AutoCreateDestinationFolder() const override { return autoCreate; }
  bool AutoViewCompletedGallery() const override { return autoView; }
  ThumbStage& Stage() override { return stage; }
  RunScope Scope() const override { return scope; }
  void SetProgressMax(int max) override { progressMax = max; }
  void SetProgressValue(int value) override { progressValues << value; }
  void SetCounterText(const QString& text) override { counterTexts << text; }
  void ClearSelection() override { ++selectionClears; }
  void SelectDestinationFolder(const QString& folder) override {
    selectedDestinations << folder;
    destinationFolder = folder;
  }
  void Yield() override {
    ++yields;
    if (onYield) onYield(yields);
  }
  void YieldWhileWaiting() override {
    ++waitYields;
    if (onWaitYield) onWaitYield(waitYields);
  }
  void TellUser(const QString& message) override { toldUser << message; }
  void FileFailed(const QString& fileName, const QString& reason) override { failures << fileName + ": " + reason; }
  bool WriteAlbumPages(const QStringList& thumbnails, const QStringList& sources, const QString& folder,
                       const QString& prefix, const QString& suffix, int width, const QSet<QString>&,
                       const QList<QStringList>& details) override {
    albumDetails = details;
    albumCalls << AlbumCall{thumbnails, sources, folder, prefix, suffix, width};
    return albumWriteSucceeds;
  }
  int ImagePageCopySize() const override { return imagePageCopySize; }
  bool ImagePageDetails() const override { return imagePageDetails; }
  void ViewGallery() override { ++galleryViews; }
};
