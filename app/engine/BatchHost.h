#pragma once
// What the batch run needs of the main window: the selection, the folder
// texts, switches and option values it reads, and the progress outputs it
// writes. The window implements it; the headless front end and tests do too.
#include <QString>
#include <QStringList>
#include <cstdint>

struct ThumbStage;

// The option values of the image options page as the run reads them.
struct BatchOptions {
  int thumbStyleIndex = 0;
  int32_t thumbWidth = 120;   // udWid
  int32_t thumbHeight = 120;  // udHgt
  int16_t imagePadding = 0;   // udImagePadding
  QString prefix = QStringLiteral("TH_");
  QString suffix;
  int outputFormatIndex = 3;
  int resizeMode = 0;
  int32_t resampleFilterCode = 6;
};

class BatchHost {
 public:
  virtual ~BatchHost() = default;

  // Names (no folder) of the selected entries of fbImages, in list order.
  virtual QStringList SelectedFileNames() const = 0;
  virtual QString SourceFolderText() const = 0;       // txtImgDir
  virtual QString DestinationFolderText() const = 0;  // txtThumbDir
  virtual bool AlbumOutputChecked() const = 0;        // ckHTML
  virtual QString ThumbFolderNameText() const = 0;    // txtThumbDirName
  virtual BatchOptions Options() const = 0;
  virtual bool AutoCreateDestinationFolder() const = 0;  // preference
  virtual bool AutoViewCompletedGallery() const = 0;     // preference

  virtual ThumbStage& Stage() = 0;  // PicLoad, picThumb, picBknd

  virtual void SetProgressMax(int max) = 0;      // thProg.Max
  virtual void SetProgressValue(int value) = 0;  // thProg.Value
  virtual void SetCounterText(const QString& text) = 0;  // lblCount
  virtual void ClearSelection() = 0;                     // the file list's "Clear"
  // Points ftvDest at folder, which makes it the destination folder (txtThumbDir).
  virtual void SelectDestinationFolder(const QString& folder) = 0;
  // Lets pending events run (the stop button among them).
  virtual void Yield() = 0;

  // The album of a finished run, written with the host's album options; false
  // when a page could not be written.
  virtual bool WriteAlbumPages(const QStringList& thumbnails, const QStringList& sources,
                               const QString& destinationFolder, const QString& prefix, const QString& suffix,
                               int thumbSurfaceWidth) = 0;
  // The "View Gallery" command: opens the first album page when it exists.
  virtual void ViewGallery() = 0;
};
