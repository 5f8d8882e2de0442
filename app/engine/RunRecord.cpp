#include "app/engine/RunRecord.h"

#include <QFile>
#include <sqlite3.h>
#include <sys/stat.h>

namespace {

// One prepared statement, finalized when it goes out of scope.
class Statement {
 public:
  // No statement (not ok) without a database.
  Statement(sqlite3* db, const char* sql) {
    if (db) sqlite3_prepare_v2(db, sql, -1, &stmt_, nullptr);
  }
  ~Statement() { sqlite3_finalize(stmt_); }
  Statement(const Statement&) = delete;
  Statement& operator=(const Statement&) = delete;
  sqlite3_stmt* get() const { return stmt_; }
  bool ok() const { return stmt_ != nullptr; }
  void Bind(int i, const QString& text) {
    const QByteArray utf8 = text.toUtf8();
    sqlite3_bind_text(stmt_, i, utf8.constData(), static_cast<int>(utf8.size()), SQLITE_TRANSIENT);
  }
  void Bind(int i, const QByteArray& blob) {
    sqlite3_bind_blob(stmt_, i, blob.constData(), static_cast<int>(blob.size()), SQLITE_TRANSIENT);
  }
  void Bind(int i, qint64 value) { sqlite3_bind_int64(stmt_, i, value); }
  QString Text(int i) const {
    return QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(stmt_, i)), sqlite3_column_bytes(stmt_, i));
  }
  QByteArray Blob(int i) const {
    return QByteArray(static_cast<const char*>(sqlite3_column_blob(stmt_, i)), sqlite3_column_bytes(stmt_, i));
  }
  qint64 Int(int i) const { return sqlite3_column_int64(stmt_, i); }

 private:
  sqlite3_stmt* stmt_ = nullptr;
};

constexpr const char* kSchema =
    "CREATE TABLE IF NOT EXISTS outputs ("
    " output TEXT PRIMARY KEY, source TEXT NOT NULL,"
    " source_size INTEGER, source_mtime_ns INTEGER, source_inode INTEGER, source_device INTEGER,"
    " options_digest BLOB, output_size INTEGER, output_mtime_ns INTEGER, output_inode INTEGER,"
    " surface_width INTEGER, details BLOB);"
    "CREATE TABLE IF NOT EXISTS facts (key TEXT PRIMARY KEY, value BLOB);";
// Records written before image pages had their details lack the column.
constexpr const char* kAddDetails = "ALTER TABLE outputs ADD COLUMN details BLOB";

}  // namespace

FileStamp StampOf(const QString& path) {
  FileStamp stamp;
  struct stat st {};
  if (::stat(QFile::encodeName(path).constData(), &st) != 0 || !S_ISREG(st.st_mode)) return stamp;
  stamp.size = st.st_size;
  stamp.mtimeNs = static_cast<qint64>(st.st_mtim.tv_sec) * 1000000000 + st.st_mtim.tv_nsec;
  stamp.inode = st.st_ino;
  stamp.device = st.st_dev;
  return stamp;
}

RunRecord::~RunRecord() { sqlite3_close(db_); }

std::unique_ptr<RunRecord> RunRecord::Open(const QString& path, bool readOnly, QString* error) {
  sqlite3* db = nullptr;
  // immutable=1: no locks at all, which NFS could not be trusted with.
  const QByteArray uri = readOnly ? "file:" + QFile::encodeName(path).toPercentEncoding("/") + "?immutable=1"
                                  : QFile::encodeName(path);
  const int flags = readOnly ? SQLITE_OPEN_READONLY | SQLITE_OPEN_URI : SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE;
  if (sqlite3_open_v2(uri.constData(), &db, flags, nullptr) != SQLITE_OK) {
    *error = QStringLiteral("the record %1 cannot be opened: %2").arg(path, QString::fromUtf8(sqlite3_errmsg(db)));
    sqlite3_close(db);
    return nullptr;
  }
  sqlite3_busy_timeout(db, 5000);
  std::unique_ptr<RunRecord> record(new RunRecord(db));
  // A read-only record may be missing its tables (an empty file): it reads as empty.
  if (!readOnly && (!record->Exec("PRAGMA journal_mode=DELETE; PRAGMA synchronous=FULL;") || !record->Exec(kSchema))) {
    *error = QStringLiteral("the record %1 cannot be written: %2").arg(path, QString::fromUtf8(sqlite3_errmsg(db)));
    return nullptr;
  }
  if (!readOnly) record->Exec(kAddDetails);  // fails, harmlessly, where the column is there
  return record;
}

bool RunRecord::Exec(const char* sql) { return sqlite3_exec(db_, sql, nullptr, nullptr, nullptr) == SQLITE_OK; }

std::vector<RecordedOutput> RunRecord::All() const {
  std::vector<RecordedOutput> rows;
  Statement withDetails(db_,
                        "SELECT output, source, source_size, source_mtime_ns, source_inode, source_device,"
                        " options_digest, output_size, output_mtime_ns, output_inode, surface_width, details"
                        " FROM outputs ORDER BY output");
  // An older record read without writing it has no details column.
  Statement without(withDetails.ok() ? nullptr : db_,
                    "SELECT output, source, source_size, source_mtime_ns, source_inode, source_device,"
                    " options_digest, output_size, output_mtime_ns, output_inode, surface_width"
                    " FROM outputs ORDER BY output");
  const Statement& s = withDetails.ok() ? withDetails : without;
  while (s.ok() && sqlite3_step(s.get()) == SQLITE_ROW) {
    RecordedOutput row;
    row.output = s.Text(0);
    row.source = s.Text(1);
    row.sourceStamp = {s.Int(2), s.Int(3), static_cast<quint64>(s.Int(4)), static_cast<quint64>(s.Int(5))};
    row.optionsDigest = s.Blob(6);
    row.outputStamp = {s.Int(7), s.Int(8), static_cast<quint64>(s.Int(9)), 0};
    row.surfaceWidth = static_cast<int>(s.Int(10));
    if (withDetails.ok()) row.details = s.Blob(11);
    rows.push_back(row);
  }
  return rows;
}

bool RunRecord::Put(const std::vector<RecordedOutput>& rows) {
  if (rows.empty()) return true;
  if (!Exec("BEGIN IMMEDIATE")) return false;
  {
    Statement s(db_, "INSERT OR REPLACE INTO outputs VALUES (?,?,?,?,?,?,?,?,?,?,?,?)");
    for (const RecordedOutput& row : rows) {
      if (!s.ok()) break;
      s.Bind(1, row.output);
      s.Bind(2, row.source);
      s.Bind(3, row.sourceStamp.size);
      s.Bind(4, row.sourceStamp.mtimeNs);
      s.Bind(5, static_cast<qint64>(row.sourceStamp.inode));
      s.Bind(6, static_cast<qint64>(row.sourceStamp.device));
      s.Bind(7, row.optionsDigest);
      s.Bind(8, row.outputStamp.size);
      s.Bind(9, row.outputStamp.mtimeNs);
      s.Bind(10, static_cast<qint64>(row.outputStamp.inode));
      s.Bind(11, static_cast<qint64>(row.surfaceWidth));
      s.Bind(12, row.details);
      if (sqlite3_step(s.get()) != SQLITE_DONE) {
        Exec("ROLLBACK");
        return false;
      }
      sqlite3_reset(s.get());
    }
    if (!s.ok()) {
      Exec("ROLLBACK");
      return false;
    }
  }
  return Exec("COMMIT") || (Exec("ROLLBACK"), false);
}

bool RunRecord::Remove(const QStringList& outputs) {
  if (outputs.isEmpty()) return true;
  if (!Exec("BEGIN IMMEDIATE")) return false;
  {
    Statement s(db_, "DELETE FROM outputs WHERE output = ?");
    for (const QString& output : outputs) {
      s.Bind(1, output);
      if (!s.ok() || sqlite3_step(s.get()) != SQLITE_DONE) {
        Exec("ROLLBACK");
        return false;
      }
      sqlite3_reset(s.get());
    }
  }
  return Exec("COMMIT") || (Exec("ROLLBACK"), false);
}

QByteArray RunRecord::Value(const QString& key) const {
  Statement s(db_, "SELECT value FROM facts WHERE key = ?");
  if (!s.ok()) return QByteArray();
  s.Bind(1, key);
  return sqlite3_step(s.get()) == SQLITE_ROW ? s.Blob(0) : QByteArray();
}

bool RunRecord::SetValue(const QString& key, const QByteArray& value) {
  Statement s(db_, "INSERT OR REPLACE INTO facts VALUES (?, ?)");
  if (!s.ok()) return false;
  s.Bind(1, key);
  s.Bind(2, value);
  return sqlite3_step(s.get()) == SQLITE_DONE;
}
