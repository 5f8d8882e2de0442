// The batch run's recorded runs (re-runs, shards, assembly): which files
// this run makes, and the album pages from the record.
#include <QCryptographicHash>
#include <QDataStream>
#include <QFileInfo>
#include <QIODevice>

#include "app/engine/BatchRun.h"
#include "app/engine/OutputFormats.h"
#include "app/engine/OutputNames.h"
#include "app/engine/WholeFile.h"
#include "app/engine/mThumbStyles.h"
#include "app/imaging/PhotoDetails.h"

bool BatchRun::PlanRecordedRun(const RunScope& scope) {
  QString error;
  if (!ledger_.Open(scope, host_.SourceFolderText().trimmed(), DestinationOf(), &error)) {
    host_.TellUser(error);
    return false;
  }
  upToDate_ = 0;
  QStringList work;
  for (int i = 0; i < selection_.size(); ++i) {
    const QString& name = selection_[i];
    if (scope.shard && i % scope.shardCount != scope.shardIndex) continue;
    if (scope.assemble) {
      if (!ledger_.UpToDate(OutputsOf(name))) Fail(name, QStringLiteral("its thumbnail was not made"));
    } else if (scope.update && ledger_.UpToDate(OutputsOf(name))) {
      ++upToDate_;
    } else {
      work << name;
    }
  }
  files_ = work;
  // No shard is at work once an assembly or a re-run of the whole starts: what
  // a writer killed outright left behind can go.
  if (!scope.shard && !selection_.isEmpty()) {
    const FileOutputs first = OutputsOf(selection_.first());
    RemoveLeftoverTemporaries(QFileInfo(first.thumbnail).path());
    RemoveLeftoverTemporaries(DestinationOf());
  }
  if (scope.update && !scope.shard) {
    const QStringList gone = scope.prune ? ledger_.Prune() : ledger_.Orphans();
    if (!gone.isEmpty())
      host_.TellUser((scope.prune ? QStringLiteral("removed %1 files whose source is gone: %2")
                                  : QStringLiteral("%1 files were made from sources that are gone: %2"))
                         .arg(gone.size())
                         .arg(gone.join(QStringLiteral(", "))));
  }
  return true;
}

void BatchRun::WriteRecordedAlbum(const RunScope& scope, bool madeAny) {
  if (scope.assemble && failed_ > 0) {
    albumFailed_ = true;  // pages are written only over a whole album
    return;
  }
  const ThumbnailOptions options = host_.Options();
  const QString extension = OutputFormatAt(options.outputFormatIndex).extension;
  QStringList thumbnails;
  QStringList sources;
  QList<QStringList> details;  // with image page details, as recorded with each copy
  int width = host_.Stage().picThumb.innerWidth();
  for (const QString& name : selection_) {
    const FileOutputs outputs = OutputsOf(name);
    if (!ledger_.UpToDate(outputs)) continue;
    thumbnails << BaseNameOf(name) + extension;
    sources << name;
    if (WantDetails()) {
      const QByteArray packed = ledger_.Details(outputs.webCopy);
      details << DetailLines(UnpackPhotoDetails(packed.constData(), static_cast<size_t>(packed.size())));
    }
    width = ledger_.SurfaceWidth(outputs.thumbnail);  // a run fits captions to its last thumbnail
  }
  // The pages depend on these alone: unchanged, the pages written last time stand.
  QByteArray key;
  QDataStream stream(&key, QIODevice::WriteOnly);
  stream << thumbnails << sources << details << options.prefix << options.suffix << width
                                          << scope.albumDigest << host_.PageFileNameText()
                                          << host_.ThumbFolderNameText();
  key = QCryptographicHash::hash(key, QCryptographicHash::Sha256);
  const QString factKey = QStringLiteral("album pages");
  if (!scope.assemble && !madeAny && ledger_.Fact(factKey) == key) return;
  albumFailed_ = !host_.WriteAlbumPages(thumbnails, sources, DestinationOf(),
                                        NamePartText(NamePart::Prefix, options.prefix).text(),
                                        NamePartText(NamePart::Suffix, options.suffix).text(), width,
                                        sourceCanonicalPaths_, details);
  ledger_.SetFact(factKey, albumFailed_ ? QByteArray() : key);
}
