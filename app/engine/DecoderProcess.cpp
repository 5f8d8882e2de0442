#include "app/engine/DecoderProcess.h"

#include <QFile>
#include <QFileInfo>
#include <algorithm>
#include <cstring>

#include "app/engine/ImageBridge.h"
#include "app/imaging/DecoderProtocol.h"
#include "platform/files/ProgramFiles.h"

namespace proto = decoderproto;

namespace {

// The reason behind an outcome where the decoder itself gave none.
Failure FailureOf(DecodeOutcome outcome) {
  switch (outcome) {
    case DecodeOutcome::Decoded: return Failure::None;
    case DecodeOutcome::Failed: return Failure::DecoderGaveUp;
    case DecodeOutcome::Unavailable: return Failure::DecoderUnavailable;
    case DecodeOutcome::Abandoned: return Failure::Abandoned;
    case DecodeOutcome::NotDecoded: break;  // not sent: a path no request can carry
  }
  return Failure::NotReadable;
}

}  // namespace

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
  greeted_ = false;
  if (!process_) return;
  QObject::disconnect(process_.get(), nullptr, nullptr, nullptr);
  process_->kill();
  process_->waitForFinished(2000);
  process_.reset();
}

void DecoderProcess::releaseLargeBuffer(uint64_t maxBytes) {
  if (pending_ || buffer_.size() <= maxBytes) return;
  stop();
  buffer_.release();
}

void DecoderProcess::ConnectReplyHandler() {
  if (!replyHandler_) return;
  const auto notify = [this] {
    if (replyHandler_) replyHandler_();
  };
  // Queued, with the process as context: the handler never runs inside a
  // wait of this class, and never after the process it speaks of is gone.
  QObject::connect(process_.get(), &QProcess::readyReadStandardOutput, process_.get(), notify, Qt::QueuedConnection);
  QObject::connect(process_.get(), &QProcess::finished, process_.get(), notify, Qt::QueuedConnection);
}

bool DecoderProcess::readExactly(char* data, qint64 size, const QDeadlineTimer& deadline,
                                const KeepWaiting& keepWaiting, bool* abandoned) {
  constexpr int kWaitSliceMs = 20;
  qint64 got = 0;
  for (;;) {
    const qint64 n = process_->read(data + got, size - got);
    if (n < 0) return false;
    got += n;
    if (got == size) return true;
    // What the decoder already wrote counts however late it is read: only a
    // decoder that has not answered within its time fails.
    if (process_->waitForReadyRead(0)) continue;
    if (process_->state() != QProcess::Running || deadline.hasExpired()) return false;
    int wait = static_cast<int>(std::max<qint64>(1, deadline.remainingTime()));
    if (keepWaiting) wait = std::min(wait, kWaitSliceMs);
    if (process_->waitForReadyRead(wait)) continue;
    if (process_->state() != QProcess::Running && process_->bytesAvailable() == 0) return false;  // it died
    if (keepWaiting && !keepWaiting()) {
      *abandoned = true;
      return false;
    }
  }
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

bool DecoderProcess::start() { return launch() && greet(); }

bool DecoderProcess::launch() {
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
  ConnectReplyHandler();
  process_->setProgram(exe);
  process_->setArguments({QStringLiteral("--pixels"), buffer_.procPath()});
  process_->setStandardErrorFile(QProcess::nullDevice());
  process_->start(QIODevice::ReadWrite);
  greeted_ = false;
  requestsSinceStart_ = 0;
  return true;
}

bool DecoderProcess::greet() {
  if (greeted_) return true;
  const QString exe = program();
  const QDeadlineTimer deadline(settings_.timeLimitMs);
  if (!process_->waitForStarted(settings_.timeLimitMs)) {
    unavailableReason_ = QStringLiteral("the image decoder %1 cannot be started (%2).").arg(exe, process_->errorString());
    stop();
    return false;
  }
  char hello[sizeof(proto::Hello)];
  bool abandoned = false;
  if (!readExactly(hello, sizeof hello, deadline, {}, &abandoned) || !proto::ValidateHello(hello, sizeof hello)) {
    unavailableReason_ = QStringLiteral("the image decoder %1 does not start up properly.").arg(exe);
    stop();
    return false;
  }
  unavailableReason_.clear();
  greeted_ = true;
  return true;
}

bool DecoderProcess::startAhead() { return !needsStart() || launch(); }

bool DecoderProcess::needsStart() const {
  return !process_ || process_->state() == QProcess::NotRunning || requestsSinceStart_ >= settings_.recycleAfter;
}

bool DecoderProcess::ensureRunning() {
  // One started ahead is greeted now; if it failed meanwhile, a fresh one is tried.
  if (!needsStart() && greet()) return true;
  return start();
}

DecodeOutcome DecoderProcess::submit(const QString& path, const decoderproto::SizeHint& hint, bool wantDetails) {
  if (pending_) stop();  // an uncollected reply would answer the wrong request
  // Absolute: the decoder keeps the folder it was started in.
  const QByteArray name = path.isEmpty() ? QByteArray() : QFile::encodeName(QFileInfo(path).absoluteFilePath());
  if (name.isEmpty() || name.size() > static_cast<int>(proto::kMaxPathBytes) || name.contains('\0'))
    return DecodeOutcome::NotDecoded;
  if (!ensureRunning()) return DecodeOutcome::Unavailable;

  proto::Request request;
  request.id = nextId_++;
  request.pathBytes = static_cast<uint32_t>(name.size());
  request.hint = hint;
  request.flags = wantDetails ? proto::kWantDetails : 0;
  QByteArray bytes(reinterpret_cast<const char*>(&request), sizeof request);
  bytes += name;
  // The decoder takes one request at a time and starts on it at once, so
  // the time limit counts from here.
  pendingDeadline_ = QDeadlineTimer(settings_.timeLimitMs);
  ++requestsSinceStart_;
  if (!writeAll(bytes, pendingDeadline_)) {
    stop();
    return DecodeOutcome::Failed;
  }
  pending_ = true;
  pendingId_ = request.id;
  return DecodeOutcome::Decoded;
}

DecodedImage FailedDecode(DecodeOutcome outcome, Failure why) {
  DecodedImage result;
  result.outcome = outcome;
  result.failure = why == Failure::None ? FailureOf(outcome) : why;
  return result;
}

bool DecoderProcess::replyReady() {
  if (!pending_ || !process_) return true;
  return process_->bytesAvailable() >= static_cast<qint64>(sizeof(proto::Reply)) ||
         process_->state() != QProcess::Running || pendingDeadline_.hasExpired();
}

void DecoderProcess::setReplyHandler(std::function<void()> handler) {
  replyHandler_ = std::move(handler);
  if (process_) {
    QObject::disconnect(process_.get(), nullptr, nullptr, nullptr);
    ConnectReplyHandler();
  }
}

DecodedImage DecoderProcess::collect(const KeepWaiting& keepWaiting, const KeptSize& keptSize) {
  if (!pending_ || !process_) return FailedDecode(DecodeOutcome::Failed);
  pending_ = false;
  char bytes[sizeof(proto::Reply)];
  bool abandoned = false;
  if (!readExactly(bytes, sizeof bytes, pendingDeadline_, keepWaiting, &abandoned) || process_->bytesAvailable() > 0) {
    stop();  // crashed, hit a limit, ran out of time, said more than it should, or is no longer wanted
    return FailedDecode(abandoned ? DecodeOutcome::Abandoned : DecodeOutcome::Failed);
  }
  proto::Reply reply;
  switch (proto::ValidateReply(bytes, sizeof bytes, pendingId_, buffer_.size(), &reply)) {
    case proto::ReplyCheck::Malformed:
      stop();
      return FailedDecode(DecodeOutcome::Failed);
    case proto::ReplyCheck::NotDecoded:
      return FailedDecode(DecodeOutcome::NotDecoded, proto::FailureOf(static_cast<proto::DecodeStatus>(reply.status)));
    case proto::ReplyCheck::Decoded:
      break;
  }
  const uchar* shared = buffer_.view(reply.pixelBytes + reply.detailsBytes);
  if (!shared) {
    stop();
    return FailedDecode(DecodeOutcome::Failed);
  }
  DecodedImage result;
  const QSize decoded(static_cast<int>(reply.width), static_cast<int>(reply.height));
  const QSize natural(static_cast<int>(reply.naturalWidth), static_cast<int>(reply.naturalHeight));
  const QSize kept = keptSize ? keptSize(natural, decoded) : QSize();
  QImage image;
  if (!kept.isEmpty() && kept != decoded)
    image = AveragedImage({reinterpret_cast<const uint32_t*>(shared), decoded.width(), decoded.height(),
                           static_cast<size_t>(decoded.width())},
                          kept);
  if (image.isNull()) {
    image = QImage(decoded, QImage::Format_RGB32);
    if (image.isNull() || static_cast<uint64_t>(image.sizeInBytes()) != reply.pixelBytes)
      return FailedDecode(DecodeOutcome::NotDecoded, Failure::TooLarge);  // no memory for it in the program
    std::memcpy(image.bits(), shared, reply.pixelBytes);
  }
  result.outcome = DecodeOutcome::Decoded;
  result.failure = Failure::None;
  result.pixels = std::move(image);
  result.bpp = static_cast<int32_t>(reply.bpp);
  result.naturalSize = natural;
  result.details = UnpackPhotoDetails(reinterpret_cast<const char*>(shared) + reply.pixelBytes, reply.detailsBytes);
  return result;
}

DecodedImage DecoderProcess::decode(const QString& path, const decoderproto::SizeHint& hint,
                                    const KeepWaiting& keepWaiting, bool wantDetails, const KeptSize& keptSize) {
  const DecodeOutcome sent = submit(path, hint, wantDetails);
  if (sent == DecodeOutcome::Decoded) return collect(keepWaiting, keptSize);
  return FailedDecode(sent);
}
