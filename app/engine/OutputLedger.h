#pragma once
// The batch run's use of its record (RunRecord): whether a file's outputs are
// still what was made, what was just written (committed in batches), which
// outputs lost their source. A shard writes a record file of its own and
// reads the assembled one without locking; every other recorded run first
// takes the shards' rows into the assembled record.
#include <QHash>
#include <QString>
#include <QStringList>
#include <memory>
#include <vector>

#include "app/engine/RunRecord.h"
#include "app/engine/RunScope.h"

// The files one selected file becomes (absolute paths).
struct FileOutputs {
  QString sourceName;
  QString source;
  QString thumbnail;
  QString copy;  // the album's full-size copy; empty without one, or when the source is that copy
  QString webCopy;          // the image page's web-size copy; empty without image pages
  QByteArray webCopyShape;  // what shapes it beyond the thumbnail's options (its size, the details wanted)
};

class OutputLedger {
 public:
  static constexpr const char* kRecordName = ".quillmora-record.sqlite";

  // Opens the records for a run of scope writing into destination.
  bool Open(const RunScope& scope, const QString& sourceFolder, const QString& destination, QString* error);
  // Commits what is pending and closes the record.
  void Close();
  bool open() const { return writer_ != nullptr; }

  // Whether every output of a file is on disk as recorded, made from the
  // source as it is now with the options of this run.
  bool UpToDate(const FileOutputs& outputs) const;
  // An output just renamed into place; committed with its batch. details:
  // with a web-size copy, the photo's details its page shows (packed).
  void Written(const FileOutputs& outputs, const QString& output, int surfaceWidth,
               const QByteArray& details = QByteArray());
  // The details recorded with an output (empty when none).
  QByteArray Details(const QString& output) const;
  // Commits the pending rows in one transaction.
  bool Flush();
  // The surface width recorded with a thumbnail (0 when unknown).
  int SurfaceWidth(const QString& thumbnail) const;

  // Recorded outputs (relative to the destination) whose source file is gone.
  QStringList Orphans() const;
  // Removes them: the files only where they are still as written, and their rows.
  QStringList Prune();

  QByteArray Fact(const QString& key) const { return writer_ ? writer_->Value(key) : QByteArray(); }
  void SetFact(const QString& key, const QByteArray& value) {
    if (writer_) writer_->SetValue(key, value);
  }

 private:
  QString Relative(const QString& path) const;
  QByteArray DigestOf(const FileOutputs& outputs, const QString& output) const;
  void Take(const RecordedOutput& row);
  bool MergeShards(QString* error);

  RunScope scope_;
  QString sourceFolder_;
  QString destination_;
  std::unique_ptr<RunRecord> writer_;
  QHash<QString, RecordedOutput> rows_;  // by output
  std::vector<RecordedOutput> pending_;
};

// The record file of shard index of count.
QString ShardRecordName(int index, int count);
