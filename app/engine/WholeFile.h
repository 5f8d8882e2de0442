#pragma once
// Files written whole: the new contents go to a temporary file beside the
// target, every write is checked, the file is flushed and closed, and only
// then is it renamed over the target in one step. Until then the target is
// untouched, so a full disk, a crash or a failed write never leaves an empty
// or half-written file under the target's name, and an earlier file survives.
#include <QByteArray>
#include <QFile>
#include <QString>
#include <functional>

class WholeFileWriter {
 public:
  enum class Durability { Flushed, Synced };  // Synced also waits for the disk

  explicit WholeFileWriter(QString target, Durability durability = Durability::Flushed);
  ~WholeFileWriter();  // an uncommitted temporary file is removed
  WholeFileWriter(const WholeFileWriter&) = delete;
  WholeFileWriter& operator=(const WholeFileWriter&) = delete;

  // Creates the temporary file. False when it cannot be created.
  bool Open();
  // Appends bytes; false (and the writer is spoiled) when not all were written.
  bool Write(const char* data, qint64 size);
  bool Write(const QByteArray& bytes) { return Write(bytes.constData(), bytes.size()); }
  // Flushes, closes and renames over the target. beforeReplace, when given,
  // runs just before the rename; returning false abandons the file there.
  bool Commit(const std::function<bool()>& beforeReplace = {});

 private:
  void Discard();

  QString target_;
  Durability durability_;
  QFile file_;
  bool spoiled_ = false;
};

// bytes, written whole to path.
bool WriteFileWhole(const QString& path, const QByteArray& bytes);

// A copy of source, written whole to target (source is read in pieces).
bool CopyFileWhole(const QString& source, const QString& target);
