#include "app/engine/DecoderProcess.h"

#include <QFile>
#include <QFileInfo>
#include <cstring>

#include "app/decoder/DecoderProtocol.h"
#include "platform/shell/ProgramFiles.h"

namespace proto = decoderproto;

DecoderProcess::DecoderProcess(DecoderSettings settings) : settings_(std::move(settings)) {}

DecoderProcess::~DecoderProcess() { stop(); }

QString DecoderProcess::DefaultProgram() {
  // Beside the program in the build and in a copied folder, libexec/quillmora when installed.
  const QString name = QStringLiteral("quillmora-decoder");
  const QString found = ProgramFiles::Find(ProgramFiles::Part::HelperProgram, name);
  return found.isEmpty() ? ProgramFiles::ExecutableFolder() + QLatin1Char('/') + name : found;
}

QString DecoderProcess::program() const {
  return settings_.program.isEmpty() ? DefaultProgram() : settings_.program;
}

qint64 DecoderProcess::processId() const {
  return process_ && process_->state() == QProcess::Running ? process_->processId() : 0;
}

void DecoderProcess::stop() {
  pending_ = false;
  if (!process_) return;
  process_->kill();
  process_->waitForFinished(2000);
  process_.reset();
}

void DecoderProcess::releaseLargeBuffer(uint64_t maxBytes) {
  if (pending_ || buffer_.size() <= maxBytes) return;
  stop();
  buffer_.release();
}

bool DecoderProcess::readExactly(char* data, qint64 size, const QDeadlineTimer& deadline) {
  qint64 got = 0;
  while (got < size) {
    const qint64 n = process_->read(data + got, size - got);
    if (n < 0) return false;
    got += n;
    if (got == size) break;
    if (deadline.hasExpired()) return false;
    if (!process_->waitForReadyRead(static_cast<int>(std::max<qint64>(1, deadline.remainingTime()))) &&
        process_->bytesAvailable() == 0)
      return false;  // the decoder died or the time is up
  }
  return true;
}

bool DecoderProcess::writeAll(const QByteArray& bytes, const QDeadlineTimer& deadline) {
  if (process_->write(bytes) != bytes.size()) return false;
  while (process_->bytesToWrite() > 0) {
    if (deadline.hasExpired()) return false;
    if (!process_->waitForBytesWritten(static_cast<int>(std::max<qint64>(1, deadline.remainingTime()))))
      return false;
  }
  return true;
}

bool DecoderProcess::start() {
  stop();
  const QString exe = program();
  const QFileInfo info(exe);
  if (!info.exists()) {
    unavailableReason_ = QStringLiteral("the image decoder %1 is missing.").arg(exe);
    return false;
  }
  QString why;
  if (!buffer_.create(&why)) {
    unavailableReason_ = QStringLiteral("no shared memory for decoded images (%1).").arg(why);
    return false;
  }
  process_ = std::make_unique<QProcess>();
  process_->setProgram(exe);
  process_->setArguments({QStringLiteral("--pixels"), buffer_.procPath()});
  process_->setStandardErrorFile(QProcess::nullDevice());
  process_->start(QIODevice::ReadWrite);
  const QDeadlineTimer deadline(settings_.timeLimitMs);
  if (!process_->waitForStarted(settings_.timeLimitMs)) {
    unavailableReason_ = QStringLiteral("the image decoder %1 cannot be started (%2).").arg(exe, process_->errorString());
    stop();
    return false;
  }
  char hello[sizeof(proto::Hello)];
  if (!readExactly(hello, sizeof hello, deadline) || !proto::ValidateHello(hello, sizeof hello)) {
    unavailableReason_ = QStringLiteral("the image decoder %1 does not start up properly.").arg(exe);
    stop();
    return false;
  }
  unavailableReason_.clear();
  requestsSinceStart_ = 0;
  return true;
}

bool DecoderProcess::ensureRunning() {
  if (process_ && process_->state() == QProcess::Running && requestsSinceStart_ < settings_.recycleAfter)
    return true;
  return start();
}

bool DecoderProcess::submit(const QString& path, DecodeOutcome* whyNot, const decoderproto::SizeHint& hint) {
  if (pending_) stop();  // an uncollected reply would answer the wrong request
  // Absolute: the decoder keeps the folder it was started in.
  const QByteArray name = path.isEmpty() ? QByteArray() : QFile::encodeName(QFileInfo(path).absoluteFilePath());
  if (name.isEmpty() || name.size() > static_cast<int>(proto::kMaxPathBytes) || name.contains('\0')) {
    *whyNot = DecodeOutcome::NotDecoded;
    return false;
  }
  if (!ensureRunning()) {
    *whyNot = DecodeOutcome::Unavailable;
    return false;
  }

  proto::Request request;
  request.id = nextId_++;
  request.pathBytes = static_cast<uint32_t>(name.size());
  request.hint = hint;
  QByteArray bytes(reinterpret_cast<const char*>(&request), sizeof request);
  bytes += name;
  pendingDeadline_ = QDeadlineTimer(settings_.timeLimitMs);
  ++requestsSinceStart_;
  if (!writeAll(bytes, pendingDeadline_)) {
    stop();
    *whyNot = DecodeOutcome::Failed;
    return false;
  }
  pending_ = true;
  pendingId_ = request.id;
  return true;
}

DecodeOutcome DecoderProcess::collect(QImage* pixels, int32_t* bpp, QSize* naturalSize) {
  if (!pending_ || !process_) return DecodeOutcome::Failed;
  pending_ = false;
  char bytes[sizeof(proto::Reply)];
  if (!readExactly(bytes, sizeof bytes, pendingDeadline_) || process_->bytesAvailable() > 0) {
    stop();  // crashed, hit a limit, ran out of time, or said more than it should
    return DecodeOutcome::Failed;
  }
  proto::Reply reply;
  switch (proto::ValidateReply(bytes, sizeof bytes, pendingId_, buffer_.size(), &reply)) {
    case proto::ReplyCheck::Malformed:
      stop();
      return DecodeOutcome::Failed;
    case proto::ReplyCheck::NotDecoded:
      return DecodeOutcome::NotDecoded;
    case proto::ReplyCheck::Decoded:
      break;
  }
  const uchar* shared = buffer_.view(reply.pixelBytes);
  if (!shared) {
    stop();
    return DecodeOutcome::Failed;
  }
  QImage image(static_cast<int>(reply.width), static_cast<int>(reply.height), QImage::Format_RGB32);
  if (image.isNull() || static_cast<uint64_t>(image.sizeInBytes()) != reply.pixelBytes)
    return DecodeOutcome::NotDecoded;  // no memory for it in the program
  std::memcpy(image.bits(), shared, reply.pixelBytes);
  *pixels = std::move(image);
  *bpp = static_cast<int32_t>(reply.bpp);
  if (naturalSize) *naturalSize = QSize(static_cast<int>(reply.naturalWidth), static_cast<int>(reply.naturalHeight));
  return DecodeOutcome::Decoded;
}

DecodeOutcome DecoderProcess::decode(const QString& path, QImage* pixels, int32_t* bpp, QSize* naturalSize,
                                     const decoderproto::SizeHint& hint) {
  DecodeOutcome whyNot = DecodeOutcome::Failed;
  return submit(path, &whyNot, hint) ? collect(pixels, bpp, naturalSize) : whyNot;
}
