#pragma once
// The batch run: every selected file becomes a thumbnail file, with progress,
// stop, and the album at the end. The same start action with the preview-only
// request makes the thumbnail preview.
#include <QSet>
#include <QString>
#include <QStringList>

#include "app/engine/BatchHost.h"
#include "app/engine/DecodeAhead.h"
#include "app/engine/OutputLedger.h"
#include "app/imaging/Outcome.h"

class Surface;
struct PhotoDetails;

class BatchRun {
 public:
  explicit BatchRun(BatchHost& host);

  // cmdAction(0). Ignored while a run is active (a yield could nest a second run).
  void Start();
  // cmdAction(1): the run ends after the file in hand. Outside a run the request is dropped at the next start.
  void Stop();
  // The host is closing: the run ends at its next yield or wait, abandoning a
  // decode under way, and writes nothing more.
  void Abort();
  // Composes the first selected file's thumbnail on picThumb without writing
  // anything. Returns false when nothing was composed (no selection, a run
  // active, or the file did not decode).
  bool ComposePreview();
  // ComposePreview, then picThumb drawn fitted into target.
  bool MakePreview(Surface& target);

  bool isRunning() const { return running_; }
  // Outcome of the last run that ended normally.
  int lastFailedCount() const { return failed_; }
  bool lastAlbumFailed() const { return albumFailed_; }

 private:
  enum class FileEnd { Next, Stopped, Previewed };
  FileEnd ProcessFile(int i, int count, const QString& name);
  // Why the options cannot be run (a name part leading out of the
  // destination), or empty.
  QString OptionsProblem() const;
  // Why the thumbnail at output must not be written, or empty.
  QString ReplaceProblem(const QString& output, const QString& outputFolder, const ThumbnailOptions& options) const;
  // The longest side of the image pages' copies, 0 for none.
  int CopySide() const;
  // Whether the image pages show the photos' details (decoded along).
  bool WantDetails() const;
  Outcome CopyFullSizeImage(const QString& source, const QString& target);
  // The folder the run writes into (the album's, with album output).
  QString DestinationOf() const;
  // The files a selected file becomes, without creating any folder.
  FileOutputs OutputsOf(const QString& name) const;
  // Recorded runs: opens the record and narrows files_ to this run's work.
  // False when the run cannot go on (told to the user).
  bool PlanRecordedRun(const RunScope& scope);
  // Recorded runs: the album pages from the record, over the whole selection,
  // written when they would differ from the last ones.
  void WriteRecordedAlbum(const RunScope& scope, bool madeAny);
  void Fail(const QString& name, const QString& reason);
  void EndRun();

  BatchHost& host_;
  DecodeAhead decodeAhead_;
  bool running_ = false;
  bool stopRequested_ = false;
  bool abortRequested_ = false;
  bool previewOnly_ = false;
  bool composed_ = false;
  bool toldDecoderUnavailable_ = false;
  int failed_ = 0;
  bool albumFailed_ = false;
  QStringList files_;
  QStringList selection_;  // every selected file; files_ is the part this run makes
  OutputLedger ledger_;
  int upToDate_ = 0;
  QStringList albumThumbnails_;
  QStringList albumSources_;
  QList<QStringList> albumDetails_;  // per album source, with image page details
  QSet<QString> sourceCanonicalPaths_;
  QString sourceFolderCanonical_;
};

// A photo's details as the lines its image page shows, the empty ones left out.
QStringList DetailLines(const PhotoDetails& details);

// The base name of a file name: the part before its first "."; a name
// without "." is its own base name.
QString BaseNameOf(const QString& fileName);

// Pixel width of a text in the canvas font (captions are fitted with it).
int CanvasTextWidth(const QString& text);
