#include "app/engine/DecodeAhead.h"

#include <QThread>
#include <algorithm>

#include "app/engine/SharedDecoder.h"
#include "app/engine/ThumbGeometry.h"
#include "app/engine/mThumbStyles.h"

namespace {

constexpr int kMaxWorkers = 4;

bool SameSettings(const DecoderSettings& a, const DecoderSettings& b) {
  return a.program == b.program && a.timeLimitMs == b.timeLimitMs && a.recycleAfter == b.recycleAfter;
}

decoderproto::SizeHint ThumbnailHint(const ThumbnailOptions& options) {
  decoderproto::SizeHint hint;
  const uint32_t box = static_cast<uint32_t>(std::max<int>({options.thumbWidth, options.thumbHeight, 1}));
  if (options.thumbStyleIndex != kStyleNormal) {
    hint.minShortEdge = 2 * box;  // the image is fitted inside the canvas
    return hint;
  }
  switch (options.resizeMode) {
    case kResizeNone:
      return hint;
    case kResizePercent:
      // Twice the percentage of the image; 50 % or more needs every pixel.
      hint.minScalePermille = static_cast<uint32_t>(std::max<int>(0, options.thumbWidth)) * 20;
      return hint;
    default:
      // Both sides of the thumbnail are at most the box's larger side.
      hint.minShortEdge = 2 * box;
      return hint;
  }
}

}  // namespace

decoderproto::SizeHint DecodeHintFor(const ThumbnailOptions& options, int copyLongestSide) {
  decoderproto::SizeHint hint = ThumbnailHint(options);
  // No hint is the natural size, which serves any copy. Otherwise the decoder
  // keeps the largest of what each field asks for. A reduced decode up to 5 %
  // short of the copy is taken as the copy (CopyPicture never enlarges): a
  // 4000-pixel photo then decodes at half size for a 2048 copy, not whole.
  // Both pictures are resampled from the decode, so a JPEG may decode at any
  // eighth of its size: a 6000-pixel photo at 3/8, not at half.
  if (hint.any() && copyLongestSide > 0) {
    const auto side = static_cast<uint16_t>(std::clamp(copyLongestSide * 95 / 100, 1, 0xFFFF));
    hint.fitWidth = side;
    hint.fitHeight = side;
    hint.jpegEighths = 1;
  }
  return hint;
}

// One decoder more than cores: while the run collects one file, the others
// keep every core decoding (measured about 7 % faster than one per core).
DecodeAhead::DecodeAhead(int workers)
    : wanted_(workers > 0 ? workers : std::clamp(QThread::idealThreadCount() + 1, 1, kMaxWorkers)) {}

DecodeAhead::~DecodeAhead() = default;

void DecodeAhead::EnsureWorkers() {
  // The workers decode exactly as the program's own decoder is set up to.
  const DecoderSettings wanted = SharedDecoder().settings();
  if (!workers_.empty() && SameSettings(wanted, settings_)) return;
  settings_ = wanted;
  workers_.clear();
  workers_.resize(static_cast<size_t>(wanted_));
  for (Worker& w : workers_) w.decoder = std::make_unique<DecoderProcess>(settings_);
}

void DecodeAhead::StartNext(Worker& worker) {
  if (nextToStart_ >= paths_.size()) return;
  worker.index = nextToStart_++;
  worker.path = paths_[worker.index];
  worker.hint = hint_;
  if (worker.decoder->submit(worker.path, worker.hint, wantDetails_) != DecodeOutcome::Decoded)
    worker.index = -1;  // taken again on demand
}

void DecodeAhead::Begin(const QStringList& paths, const decoderproto::SizeHint& hint) {
  End();
  EnsureWorkers();
  paths_ = paths;
  hint_ = hint;
  nextToStart_ = 0;
  for (Worker& w : workers_) StartNext(w);
}

DecodedImage DecodeAhead::Collect(Worker& worker, const KeepWaiting& keepWaiting) {
  worker.index = -1;
  return worker.decoder->collect(keepWaiting, keptSize_);
}

DecodedImage DecodeAhead::Take(int index, const QString& path, const decoderproto::SizeHint& hint,
                               bool startMore, const KeepWaiting& keepWaiting) {
  EnsureWorkers();
  DecodedImage decoded;
  bool collected = false;
  Worker* freed = nullptr;
  for (Worker& w : workers_) {
    if (w.index != index) continue;
    freed = &w;
    if (w.path == path && w.hint == hint) {
      decoded = Collect(w, keepWaiting);
      collected = true;
    } else {
      w.decoder->stop();  // started for what the run no longer wants
      w.index = -1;
    }
    break;
  }
  if (!freed) {
    // Not started ahead (or the path changed): decode it on the next idle worker.
    for (Worker& w : workers_)
      if (w.index < 0) {
        freed = &w;
        break;
      }
    if (!freed) {
      freed = &workers_.front();
      freed->decoder->stop();
      freed->index = -1;
    }
  }
  if (!collected) {
    decoded = freed->decoder->decode(path, hint, keepWaiting, wantDetails_, keptSize_);
    if (decoded.outcome == DecodeOutcome::Unavailable) unavailableReason_ = freed->decoder->unavailableReason();
  }
  // Later runs' decodes follow the options as they are now.
  hint_ = hint;
  if (startMore) {
    nextToStart_ = std::max(nextToStart_, index + 1);
    StartNext(*freed);
  }
  return decoded;
}

void DecodeAhead::End() {
  // Idle workers keep running for the next run, but not with a large image's
  // shared memory: a photo shrunk for a thumbnail needs a few megabytes.
  constexpr uint64_t kIdleBufferBytes = uint64_t{16} << 20;
  for (Worker& w : workers_) {
    if (w.index >= 0) w.decoder->stop();  // its file is not wanted any more
    w.index = -1;
    w.decoder->releaseLargeBuffer(kIdleBufferBytes);
  }
  paths_.clear();
  nextToStart_ = 0;
}
