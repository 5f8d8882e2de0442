#pragma once
// Files written whole: the new contents go to a temporary file beside the
// target, every write is checked, the file is flushed and closed, and only
// then is it renamed over the target in one step. Until then the target is
// untouched, so a full disk, a crash or a failed write never leaves an empty
// or half-written file under the target's name, and an earlier file survives.
// Each step says why it failed (a full disk, no permission, ...).
#include <QByteArray>
#include <QString>
#include <functional>

#include "app/imaging/Outcome.h"

class WholeFileWriter {
 public:
  enum class Durability { Flushed, Synced };  // Synced also waits for the disk

  // Opens the temporary file for a target: a descriptor (or -1 with errno
  // set) and the file's name, which the writer removes when it gives up.
  using TemporaryOpener = std::function<int(const QString& target, QString* temporaryName)>;

  // opener: where the new contents go first; by default a new hidden file
  // beside the target.
  explicit WholeFileWriter(QString target, Durability durability = Durability::Flushed,
                           TemporaryOpener opener = {});
  ~WholeFileWriter();  // an uncommitted temporary file is removed
  WholeFileWriter(const WholeFileWriter&) = delete;
  WholeFileWriter& operator=(const WholeFileWriter&) = delete;

  // Creates the temporary file.
  Outcome Open();
  // Appends bytes; a failure spoils the writer.
  Outcome Write(const char* data, qint64 size);
  Outcome Write(const QByteArray& bytes) { return Write(bytes.constData(), bytes.size()); }
  // Flushes, closes and renames over the target. beforeReplace, when given,
  // runs just before the rename; returning false abandons the file there.
  Outcome Commit(const std::function<bool()>& beforeReplace = {});

 private:
  void Discard();
  Outcome Fail(Failure why);

  QString target_;
  Durability durability_;
  TemporaryOpener opener_;
  int fd_ = -1;
  QString temporary_;
  Outcome spoiled_;
};

// bytes, written whole to path.
Outcome WriteFileWhole(const QString& path, const QByteArray& bytes);

// Removes the temporary files a writer killed outright (SIGKILL, a lost
// node) left in folder; only while no writer is at work there. The count removed.
int RemoveLeftoverTemporaries(const QString& folder);

// A copy of source, written whole to target (source is read in pieces).
Outcome CopyFileWhole(const QString& source, const QString& target);
