#include "app/engine/PreviewLoader.h"

#include <QFileInfo>
#include <algorithm>


namespace {

decoderproto::SizeHint HintForBox(QSize box) {
  decoderproto::SizeHint hint;
  if (box.width() > 0 && box.height() > 0) {
    hint.fitWidth = static_cast<uint16_t>(std::min(box.width(), 0xFFFF));
    hint.fitHeight = static_cast<uint16_t>(std::min(box.height(), 0xFFFF));
  }
  return hint;
}

}  // namespace

PreviewLoader::PreviewLoader(DecoderSettings settings, QObject* parent)
    : QObject(parent),
      decoder_(std::make_unique<DecoderProcess>(settings)),
      spare_(std::make_unique<DecoderProcess>(settings)) {
  qRegisterMetaType<PreviewResult>();
  decoder_->setReplyHandler([this] { OnDecoderOutput(); });
  spareStart_.setSingleShot(true);
  connect(&spareStart_, &QTimer::timeout, this, &PreviewLoader::StartSpare);
  deadline_.setSingleShot(true);
  connect(&deadline_, &QTimer::timeout, this, &PreviewLoader::OnDecoderOutput);
  settle_.setSingleShot(true);
  connect(&settle_, &QTimer::timeout, this, &PreviewLoader::StartWaiting);
}

PreviewLoader::~PreviewLoader() { decoder_->setReplyHandler({}); }

PreviewLoader::Job PreviewLoader::JobFor(const QString& path, QSize box) {
  const QFileInfo info(path);
  return Job{path, box, info.lastModified(), info.size()};
}

void PreviewLoader::Request(const QString& path, QSize box) {
  const Job job = JobFor(path, box);
  const bool closeBehind = sinceLastRequest_.isValid() && sinceLastRequest_.elapsed() < kSettleMs;
  sinceLastRequest_.start();
  wanted_ = job;
  waiting_.reset();
  settle_.stop();
  if (const PreviewResult* kept = Kept(job)) {
    const PreviewResult result = *kept;
    emit Loaded(result);
    return;
  }
  if (inFlight_ && *inFlight_ == job) return;  // already under way
  if (inFlight_ && inFlightFor_.elapsed() > kAbandonAfterMs) {
    decoder_->stop();  // long enough to be a slow or hanging file: the spare serves the newer request
    deadline_.stop();
    inFlight_.reset();
  }
  if (inFlight_ || closeBehind) {
    waiting_ = job;
    if (!inFlight_) settle_.start(kSettleMs);
  } else {
    Start(job);
  }
}

void PreviewLoader::StartWaiting() {
  if (!waiting_ || inFlight_) return;
  const qint64 stood = sinceLastRequest_.elapsed();
  if (stood < kSettleMs) {
    settle_.start(static_cast<int>(kSettleMs - stood));
    return;
  }
  const Job next = *waiting_;
  waiting_.reset();
  Start(next);
}

void PreviewLoader::Cancel() {
  wanted_.reset();
  waiting_.reset();
  settle_.stop();
}

void PreviewLoader::TakeSpare() {
  if (!decoder_->needsStart() || spare_->needsStart()) return;
  spare_->setTimeLimit(decoder_->settings().timeLimitMs);
  decoder_->setReplyHandler({});
  decoder_->stop();
  std::swap(decoder_, spare_);
  decoder_->setReplyHandler([this] { OnDecoderOutput(); });
}

void PreviewLoader::StartSpare() {
  // A spare that cannot start leaves the next request to start one itself.
  (void)spare_->startAhead();
}

void PreviewLoader::Start(const Job& job) {
  ++decodesStarted_;
  TakeSpare();
  const DecodeOutcome sent = decoder_->submit(job.path, HintForBox(job.box));
  // After the request is sent: starting a process must not delay it.
  if (keepsSpare_ && spare_->needsStart()) spareStart_.start(0);
  if (sent != DecodeOutcome::Decoded) {
    inFlight_ = job;
    Finish(FailedDecode(sent));
    return;
  }
  inFlight_ = job;
  inFlightFor_.start();
  deadline_.start(decoder_->settings().timeLimitMs + 50);
}

void PreviewLoader::OnDecoderOutput() {
  if (!inFlight_ || !decoder_->replyReady()) return;
  deadline_.stop();
  Finish(decoder_->collect());
}

void PreviewLoader::Finish(DecodedImage image) {
  const Job job = *inFlight_;
  inFlight_.reset();
  const PreviewResult result{job.path, job.box, std::move(image)};
  if (result.image.ok()) Keep(job, result);
  if (wanted_ && *wanted_ == job) {
    wanted_.reset();
    emit Loaded(result);
  }
  StartWaiting();
}

const PreviewResult* PreviewLoader::Kept(const Job& job) const {
  for (const auto& [keptJob, result] : kept_)
    if (keptJob == job) return &result;
  return nullptr;
}

void PreviewLoader::Keep(const Job& job, const PreviewResult& result) {
  kept_.remove_if([&](const auto& entry) { return entry.first == job; });
  kept_.emplace_front(job, result);
  while (kept_.size() > kKeptResults) kept_.pop_back();
}
