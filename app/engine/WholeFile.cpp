#include "app/engine/WholeFile.h"

#include <fcntl.h>
#include <unistd.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QRegularExpression>
#include <cerrno>
#include <cstdio>

#include "app/engine/mUtils.h"

namespace {

// A short hidden name in the target's folder (so the rename stays on one
// file system): short, so it fits wherever the target's own name fits.
QString TemporaryNameBeside(const QString& target) {
  const QString folder = AddBackslash(QFileInfo(target).path());
  const uint32_t n = QRandomGenerator::global()->generate();
  return folder + QStringLiteral(".qm%1.part").arg(n, 8, 16, QLatin1Char('0'));
}

int OpenTemporaryBeside(const QString& target, QString* temporaryName) {
  for (int attempt = 0; attempt < 20; ++attempt) {
    *temporaryName = TemporaryNameBeside(target);
    const int fd = ::open(QFile::encodeName(*temporaryName).constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC,
                          0666);
    if (fd >= 0 || errno != EEXIST) return fd;  // made, or not a name clash
  }
  return -1;
}

}  // namespace

int RemoveLeftoverTemporaries(const QString& folder) {
  int removed = 0;
  const QDir dir(folder);
  static const QRegularExpression name(QStringLiteral("^\\.qm[0-9a-f]{8}\\.part$"));
  for (const QString& entry : dir.entryList({QStringLiteral(".qm*.part")}, QDir::Files | QDir::Hidden))
    if (name.match(entry).hasMatch() && QFile::remove(dir.filePath(entry))) ++removed;
  return removed;
}

WholeFileWriter::WholeFileWriter(QString target, Durability durability, TemporaryOpener opener)
    : target_(std::move(target)), durability_(durability), opener_(std::move(opener)) {}

WholeFileWriter::~WholeFileWriter() { Discard(); }

void WholeFileWriter::Discard() {
  if (fd_ >= 0) ::close(fd_);
  fd_ = -1;
  if (!temporary_.isEmpty()) ::unlink(QFile::encodeName(temporary_).constData());
  temporary_.clear();
}

Outcome WholeFileWriter::Fail(Failure why) {
  Discard();
  spoiled_ = Outcome::Failed(why);
  return spoiled_;
}

Outcome WholeFileWriter::Open() {
  if (target_.isEmpty()) return Fail(Failure::NameRefused);
  if (QFileInfo(target_).isDir()) return Fail(Failure::NameRefused);  // a folder has the target's name
  QString name;
  fd_ = opener_ ? opener_(target_, &name) : OpenTemporaryBeside(target_, &name);
  if (fd_ < 0) return Fail(FailureOfErrno(errno));
  temporary_ = name;
  return Outcome::Done();
}

Outcome WholeFileWriter::Write(const char* data, qint64 size) {
  if (!spoiled_) return spoiled_;
  if (fd_ < 0) return Fail(Failure::WriteFailed);
  qint64 done = 0;
  while (done < size) {
    const ssize_t n = ::write(fd_, data + done, static_cast<size_t>(size - done));
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return Fail(n < 0 ? FailureOfErrno(errno) : Failure::WriteFailed);
    done += n;
  }
  return Outcome::Done();
}

Outcome WholeFileWriter::Commit(const std::function<bool()>& beforeReplace) {
  if (!spoiled_) return Fail(spoiled_.failure);
  if (fd_ < 0) return Fail(Failure::WriteFailed);
  if (durability_ == Durability::Synced && ::fsync(fd_) != 0) return Fail(FailureOfErrno(errno));
  const int fd = fd_;
  fd_ = -1;
  // Some file systems report a full disk only when the file is closed.
  if (::close(fd) != 0) return Fail(FailureOfErrno(errno));
  if (beforeReplace && !beforeReplace()) return Fail(Failure::WriteFailed);
  // rename(2) replaces the target atomically; QFile::rename refuses to.
  if (std::rename(QFile::encodeName(temporary_).constData(), QFile::encodeName(target_).constData()) != 0)
    return Fail(FailureOfErrno(errno));
  temporary_.clear();
  return Outcome::Done();
}

Outcome WriteFileWhole(const QString& path, const QByteArray& bytes) {
  WholeFileWriter writer(path);
  Outcome outcome = writer.Open();
  if (outcome) outcome = writer.Write(bytes);
  if (outcome) outcome = writer.Commit();
  return outcome;
}

Outcome CopyFileWhole(const QString& source, const QString& target) {
  QFile in(source);
  if (!in.open(QIODevice::ReadOnly))
    return Outcome::Failed(QFileInfo::exists(source) ? Failure::NotReadable : Failure::NotFound);
  WholeFileWriter writer(target);
  Outcome outcome = writer.Open();
  if (!outcome) return outcome;
  QByteArray chunk(1 << 20, Qt::Uninitialized);
  for (;;) {
    const qint64 n = in.read(chunk.data(), chunk.size());
    if (n < 0) return Outcome::Failed(Failure::NotReadable);
    if (n == 0) break;
    outcome = writer.Write(chunk.constData(), n);
    if (!outcome) return outcome;
  }
  return writer.Commit();
}
