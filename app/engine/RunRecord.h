#pragma once
// What a run made, kept beside the album in an SQLite file: one row per output
// (thumbnail, full-size copy or image page copy), keyed by its path relative to the
// destination, with the facts of its source and of the file as written. Rows
// are only ever added for files already renamed into place, a batch at a
// time in one transaction, so a run killed at any moment leaves no row that
// claims a file that is not whole.
#include <QByteArray>
#include <QString>
#include <QStringList>
#include <memory>
#include <optional>
#include <vector>

struct sqlite3;

// The facts of a file on disk that tell whether it changed.
struct FileStamp {
  qint64 size = -1;
  qint64 mtimeNs = 0;  // modification time, nanoseconds since the epoch
  quint64 inode = 0;
  quint64 device = 0;

  bool exists() const { return size >= 0; }
  // Same size, time and inode. The device is kept but not compared: NFS
  // clients number one export differently, and a re-run from another node
  // must not redo everything.
  bool SameAs(const FileStamp& other) const {
    return size == other.size && mtimeNs == other.mtimeNs && inode == other.inode;
  }
};

// The file at path as it is now (size -1 when there is none).
FileStamp StampOf(const QString& path);

struct RecordedOutput {
  QString output;  // relative to the destination
  QString source;  // name in the source folder
  FileStamp sourceStamp;
  QByteArray optionsDigest;  // of the options that shape this output
  FileStamp outputStamp;     // as written
  int surfaceWidth = 0;      // the thumbnail surface's width (captions are fitted to it); 0 for a copy
  QByteArray details;        // with an image page's copy: the photo's details its page shows (packed)
};

class RunRecord {
 public:
  ~RunRecord();
  RunRecord(const RunRecord&) = delete;
  RunRecord& operator=(const RunRecord&) = delete;

  // Opens (creating when writable) the record file; nullptr and a reason on failure.
  // A read-only record is opened without any locking: it is read only while
  // nobody writes it (shards read the assembled record).
  static std::unique_ptr<RunRecord> Open(const QString& path, bool readOnly, QString* error);

  std::vector<RecordedOutput> All() const;
  // Adds or replaces rows, all in one transaction.
  bool Put(const std::vector<RecordedOutput>& rows);
  bool Remove(const QStringList& outputs);
  QByteArray Value(const QString& key) const;
  bool SetValue(const QString& key, const QByteArray& value);

 private:
  explicit RunRecord(sqlite3* db) : db_(db) {}
  bool Exec(const char* sql);
  sqlite3* db_;
};
