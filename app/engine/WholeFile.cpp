#include "app/engine/WholeFile.h"

#include <unistd.h>

#include <QFileInfo>
#include <QRandomGenerator>
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

}  // namespace

WholeFileWriter::WholeFileWriter(QString target, Durability durability)
    : target_(std::move(target)), durability_(durability) {}

WholeFileWriter::~WholeFileWriter() {
  if (file_.isOpen() || !file_.fileName().isEmpty()) Discard();
}

void WholeFileWriter::Discard() {
  if (file_.isOpen()) file_.close();
  if (!file_.fileName().isEmpty()) QFile::remove(file_.fileName());
  file_.setFileName(QString());
}

bool WholeFileWriter::Open() {
  if (target_.isEmpty() || QFileInfo(target_).isDir()) return false;
  for (int attempt = 0; attempt < 20; ++attempt) {
    file_.setFileName(TemporaryNameBeside(target_));
    if (file_.open(QIODevice::WriteOnly | QIODevice::NewOnly)) return true;
    if (file_.error() != QFileDevice::OpenError || !QFile::exists(file_.fileName())) break;  // not a name clash
  }
  file_.setFileName(QString());
  return false;
}

bool WholeFileWriter::Write(const char* data, qint64 size) {
  if (spoiled_ || !file_.isOpen()) return false;
  qint64 done = 0;
  while (done < size) {
    const qint64 n = file_.write(data + done, size - done);
    if (n <= 0) {
      spoiled_ = true;
      return false;
    }
    done += n;
  }
  return true;
}

bool WholeFileWriter::Commit(const std::function<bool()>& beforeReplace) {
  if (spoiled_ || !file_.isOpen()) {
    Discard();
    return false;
  }
  bool ok = file_.flush();
  if (ok && durability_ == Durability::Synced) ok = ::fsync(file_.handle()) == 0;
  file_.close();
  ok = ok && file_.error() == QFileDevice::NoError;
  if (ok && beforeReplace) ok = beforeReplace();
  // rename(2) replaces the target atomically; QFile::rename refuses to.
  if (ok)
    ok = std::rename(QFile::encodeName(file_.fileName()).constData(), QFile::encodeName(target_).constData()) == 0;
  if (ok) {
    file_.setFileName(QString());
    return true;
  }
  Discard();
  return false;
}

bool WriteFileWhole(const QString& path, const QByteArray& bytes) {
  WholeFileWriter writer(path);
  return writer.Open() && writer.Write(bytes) && writer.Commit();
}

bool CopyFileWhole(const QString& source, const QString& target) {
  QFile in(source);
  if (!in.open(QIODevice::ReadOnly)) return false;
  WholeFileWriter writer(target);
  if (!writer.Open()) return false;
  QByteArray chunk(1 << 20, Qt::Uninitialized);
  for (;;) {
    const qint64 n = in.read(chunk.data(), chunk.size());
    if (n < 0) return false;
    if (n == 0) break;
    if (!writer.Write(chunk.constData(), n)) return false;
  }
  return writer.Commit();
}
