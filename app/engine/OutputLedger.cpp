#include "app/engine/OutputLedger.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include "app/engine/mUtils.h"

namespace {

constexpr int kBatchRows = 32;  // rows per transaction: a kill loses at most these, never claims more
const QByteArray kCopyDigest = QByteArrayLiteral("full-size copy");

}  // namespace

QString ShardRecordName(int index, int count) {
  return QStringLiteral(".quillmora-record-shard-%1-of-%2.sqlite").arg(index).arg(count);
}

bool OutputLedger::Open(const RunScope& scope, const QString& sourceFolder, const QString& destination,
                        QString* error) {
  Close();
  rows_.clear();
  scope_ = scope;
  sourceFolder_ = AddBackslash(sourceFolder);
  destination_ = AddBackslash(QDir(destination).absolutePath());
  QDir().mkpath(destination_);
  const QString assembled = destination_ + kRecordName;
  if (scope.shard) {
    // The assembled record is not written while shards run: read it without locks.
    if (QFileInfo::exists(assembled)) {
      const auto reader = RunRecord::Open(assembled, true, error);
      if (!reader) return false;
      for (const RecordedOutput& row : reader->All()) Take(row);
    }
    writer_ = RunRecord::Open(destination_ + ShardRecordName(scope.shardIndex, scope.shardCount), false, error);
  } else {
    writer_ = RunRecord::Open(assembled, false, error);
    if (writer_ && !MergeShards(error)) writer_.reset();
  }
  if (!writer_) return false;
  for (const RecordedOutput& row : writer_->All()) Take(row);
  return true;
}

bool OutputLedger::MergeShards(QString* error) {
  const QStringList shards = QDir(destination_).entryList({QStringLiteral(".quillmora-record-shard-*.sqlite")},
                                                          QDir::Files | QDir::Hidden, QDir::Name);
  for (const QString& name : shards) {
    const auto shard = RunRecord::Open(destination_ + name, true, error);
    if (!shard) return false;
    std::vector<RecordedOutput> rows = shard->All();
    // Two shard files may name one output (the shard count changed): the row that matches the file wins.
    std::vector<RecordedOutput> keep;
    for (const RecordedOutput& row : rows) {
      const auto known = rows_.constFind(row.output);
      if (known == rows_.constEnd() || !known->outputStamp.SameAs(StampOf(destination_ + row.output)) ||
          row.outputStamp.SameAs(StampOf(destination_ + row.output)))
        keep.push_back(row);
    }
    if (!writer_->Put(keep)) {
      *error = QStringLiteral("the record in %1 cannot be written").arg(destination_);
      return false;
    }
    for (const RecordedOutput& row : keep) Take(row);
    QFile::remove(destination_ + name);  // merged: the assembled record holds its rows now
  }
  return true;
}

void OutputLedger::Take(const RecordedOutput& row) { rows_.insert(row.output, row); }

void OutputLedger::Close() {
  Flush();
  writer_.reset();
}

QString OutputLedger::Relative(const QString& path) const {
  const QString absolute = QFileInfo(path).absoluteFilePath();
  return absolute.startsWith(destination_) ? absolute.mid(destination_.size()) : absolute;
}

QByteArray OutputLedger::DigestOf(const FileOutputs& outputs, const QString& output) const {
  if (output == outputs.copy) return kCopyDigest;
  if (output == outputs.webCopy) return scope_.thumbnailDigest + outputs.webCopyShape;
  return scope_.thumbnailDigest;
}

bool OutputLedger::UpToDate(const FileOutputs& outputs) const {
  const FileStamp source = StampOf(outputs.source);
  if (!source.exists()) return false;
  for (const QString& output : {outputs.thumbnail, outputs.copy, outputs.webCopy}) {
    if (output.isEmpty()) continue;
    const auto row = rows_.constFind(Relative(output));
    if (row == rows_.constEnd() || row->source != outputs.sourceName || !row->sourceStamp.SameAs(source) ||
        row->optionsDigest != DigestOf(outputs, output) || !row->outputStamp.SameAs(StampOf(output)))
      return false;
  }
  return true;
}

void OutputLedger::Written(const FileOutputs& outputs, const QString& output, int surfaceWidth,
                           const QByteArray& details) {
  if (!writer_) return;
  RecordedOutput row;
  row.output = Relative(output);
  row.source = outputs.sourceName;
  row.sourceStamp = StampOf(outputs.source);
  row.optionsDigest = DigestOf(outputs, output);
  row.outputStamp = StampOf(output);
  row.surfaceWidth = surfaceWidth;
  row.details = details;
  pending_.push_back(row);
  Take(row);
  if (static_cast<int>(pending_.size()) >= kBatchRows) Flush();
}

bool OutputLedger::Flush() {
  if (!writer_ || pending_.empty()) return true;
  const bool ok = writer_->Put(pending_);
  pending_.clear();
  return ok;
}

QByteArray OutputLedger::Details(const QString& output) const {
  const auto row = rows_.constFind(Relative(output));
  return row == rows_.constEnd() ? QByteArray() : row->details;
}

int OutputLedger::SurfaceWidth(const QString& thumbnail) const {
  const auto row = rows_.constFind(Relative(thumbnail));
  return row == rows_.constEnd() ? 0 : row->surfaceWidth;
}

QStringList OutputLedger::Orphans() const {
  QStringList gone;
  for (const RecordedOutput& row : rows_)
    if (!QFileInfo::exists(sourceFolder_ + row.source)) gone << row.output;
  gone.sort();
  return gone;
}

QStringList OutputLedger::Prune() {
  Flush();
  const QStringList gone = Orphans();
  QStringList removed;
  for (const QString& output : gone) {
    const QString path = destination_ + output;
    // A file changed since it was written is no longer ours to remove.
    if (rows_.value(output).outputStamp.SameAs(StampOf(path)) && QFile::remove(path)) removed << output;
    rows_.remove(output);
  }
  if (writer_) writer_->Remove(gone);
  return removed;
}
