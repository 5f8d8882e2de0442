#pragma once
// What the batch run needs of the main window: the selection, the folder
// texts, switches and option values it reads, and the progress outputs it
// writes. The window implements it; the headless front end and tests do too.
#include <QSet>
#include <QString>
#include <QStringList>
#include <cstdint>

#include "app/engine/RunScope.h"
#include "app/engine/ThumbnailOptions.h"

struct ThumbStage;

class BatchHost {
 public:
  virtual ~BatchHost() = default;

  // Names (no folder) of the selected entries of fbImages, in list order.
  virtual QStringList SelectedFileNames() const = 0;
  virtual QString SourceFolderText() const = 0;       // txtImgDir
  virtual QString DestinationFolderText() const = 0;  // txtThumbDir
  virtual bool AlbumOutputChecked() const = 0;        // ckHTML
  virtual QString ThumbFolderNameText() const = 0;    // txtThumbDirName
  virtual QString PageFileNameText() const = 0;       // txtPageFileName
  virtual ThumbnailOptions Options() const = 0;
  virtual bool AutoCreateDestinationFolder() const = 0;  // preference
  virtual bool AutoViewCompletedGallery() const = 0;     // preference
  // What part of the selection the run makes and what it records; a plain run by default.
  virtual RunScope Scope() const { return RunScope(); }

  virtual ThumbStage& Stage() = 0;  // PicLoad, picThumb, picBknd

  virtual void SetProgressMax(int max) = 0;      // thProg.Max
  virtual void SetProgressValue(int value) = 0;  // thProg.Value
  virtual void SetCounterText(const QString& text) = 0;  // lblCount
  virtual void ClearSelection() = 0;                     // the file list's "Clear"
  // Points ftvDest at folder, which makes it the destination folder (txtThumbDir).
  virtual void SelectDestinationFolder(const QString& folder) = 0;
  // Lets pending events run (the stop button among them).
  virtual void Yield() = 0;
  // Called about every 20 ms while the run waits for a file to decode, so the
  // window stays live (and Stop is seen) however long the file takes.
  virtual void YieldWhileWaiting() = 0;
  // Tells the user something the run cannot carry on without saying (no
  // image decoder, for one): the window shows a message box, the command
  // line writes a line to standard error. The run never shows anything itself.
  virtual void TellUser(const QString& message) = 0;
  // One selected file that was not written (or not copied), and why; it is
  // counted in the "failed" part of the caption.
  virtual void FileFailed(const QString& fileName, const QString& reason) = 0;

  // The album of a finished run, written with the host's album options; false
  // when a page could not be written. A page never replaces one of the files
  // in keep (canonical paths: the run's source files). details holds, per
  // source, the lines of its photo details for its image page (empty when
  // ImagePageDetails() is off or the run does not have them).
  virtual bool WriteAlbumPages(const QStringList& thumbnails, const QStringList& sources,
                               const QString& destinationFolder, const QString& prefix, const QString& suffix,
                               int thumbSurfaceWidth, const QSet<QString>& keep,
                               const QList<QStringList>& details) = 0;
  // With album output: the longest side of the web-size copy each image also
  // gets for its image page ("Create custom fullsize image pages."), or 0
  // for no copies (the box off).
  virtual int ImagePageCopySize() const { return 0; }
  // Whether the image pages show each photo's EXIF details, so the decodes
  // bring them along.
  virtual bool ImagePageDetails() const { return false; }
  // The "View Gallery" command: opens the first album page when it exists.
  virtual void ViewGallery() = 0;
};
