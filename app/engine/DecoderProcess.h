#pragma once
// The program's side of one persistent decoder process (quillmora-decoder).
// Every image file is decoded there, never in the program: a file that
// crashes, hangs or exhausts the decoder costs that one image and a restart.
//
// A request is sent with submit() and its pixels taken with collect(), so
// that more than one decoder can work ahead of the caller; decode() does both.
#include <QDeadlineTimer>
#include <QImage>
#include <QProcess>
#include <QString>
#include <cstdint>
#include <functional>
#include <memory>

#include "app/engine/SharedPixelBuffer.h"
#include "app/imaging/DecoderProtocol.h"
#include "app/imaging/Outcome.h"
#include "app/imaging/PhotoDetails.h"

struct DecoderSettings {
  QString program;              // empty: quillmora-decoder beside the running program
  int timeLimitMs = 20000;      // per image, while the decoder works on it
  int recycleAfter = 500;       // images per decoder process, then a fresh one
};

enum class DecodeOutcome {
  Decoded,      // the pixels are set
  NotDecoded,   // the decoder refused or could not decode the file
  Failed,       // crash, limit, timeout or malformed reply: the decoder was killed
  Unavailable,  // the decoder cannot be started (see DecoderProcess::unavailableReason())
  Abandoned,    // the caller stopped waiting for it: the decoder was killed
};

// One decoded file, or why it was not decoded.
struct DecodedImage {
  DecodeOutcome outcome = DecodeOutcome::NotDecoded;
  Failure failure = Failure::Damaged;  // the reason, for the words (FailureTexts.h); None when decoded
  QImage pixels;      // RGB32, upright
  int32_t bpp = 0;    // bits per pixel of the file as the library decoded it
  QSize naturalSize;  // the image's own size; larger than pixels for a shrunk decode
  PhotoDetails details;  // EXIF facts, only when the request asked for them
  bool ok() const { return outcome == DecodeOutcome::Decoded && !pixels.isNull(); }
  // The image's own size, the pixels' where the decoder gave none.
  QSize natural() const { return naturalSize.isValid() ? naturalSize : pixels.size(); }
};

// A result without pixels; why: its reason, where the outcome alone does not
// say it (a refusal of the decoder's own).
DecodedImage FailedDecode(DecodeOutcome outcome, Failure why = Failure::None);

// Called about every 20 ms while a caller waits for a reply; returning false
// abandons the request.
using KeepWaiting = std::function<bool()>;

// How much of a decode the caller keeps, told the image's natural size and
// the decoded size: a smaller size has the pixels shrunk by area averages
// straight out of the shared memory (the program never holds the larger
// picture); any other size keeps every decoded pixel.
using KeptSize = std::function<QSize(const QSize& natural, const QSize& decoded)>;

class DecoderProcess {
 public:
  explicit DecoderProcess(DecoderSettings settings = {});
  ~DecoderProcess();
  DecoderProcess(const DecoderProcess&) = delete;
  DecoderProcess& operator=(const DecoderProcess&) = delete;

  // quillmora-decoder in the running program's folder.
  static QString DefaultProgram();

  DecodedImage decode(const QString& path, const decoderproto::SizeHint& hint = {},
                      const KeepWaiting& keepWaiting = {}, bool wantDetails = false, const KeptSize& keptSize = {});

  // Sends one request (starting or recycling the process first when needed).
  // When it was not sent the outcome says why: Unavailable (no decoder can be
  // started), Failed (the decoder stopped taking requests) or NotDecoded (a
  // path no request can carry). Decoded means sent.
  // wantDetails also asks for the photo's EXIF details (DecodedImage::details).
  DecodeOutcome submit(const QString& path, const decoderproto::SizeHint& hint = {}, bool wantDetails = false);
  // Waits for the reply to the request submitted last. The time limit counts
  // from the submit, while the decoder works on this one request; a reply
  // that arrived in time is taken however late it is collected.
  DecodedImage collect(const KeepWaiting& keepWaiting = {}, const KeptSize& keptSize = {});
  bool isPending() const { return pending_; }
  // Whether collect() would return without waiting: the whole reply has
  // arrived, the decoder ended, or its time is up.
  bool replyReady();
  // Called (from the event loop) when the decoder has written something:
  // lets a caller collect without waiting and without a thread.
  void setReplyHandler(std::function<void()> handler);

  const DecoderSettings& settings() const { return settings_; }
  void setTimeLimit(int ms) { settings_.timeLimitMs = ms; }

  // Why the decoder could not be started, as one sentence; empty when it could.
  QString unavailableReason() const { return unavailableReason_; }
  // The running decoder's process id, 0 when none runs.
  qint64 processId() const;
  // Starts the decoder process without waiting for it, so that a later
  // request finds it ready (its start-up is checked then). False, with the
  // reason, when it cannot be started; true when one already runs.
  bool startAhead();
  // Whether the next request would have to start a decoder first (none runs,
  // it was stopped, or it is due to be recycled).
  bool needsStart() const;
  // Stops the decoder; the next request starts a new one.
  void stop();
  // Stops an idle decoder whose shared memory has grown past maxBytes (it
  // only ever grows), so a large image's pixels are not kept for nothing.
  void releaseLargeBuffer(uint64_t maxBytes);

 private:
  bool ensureRunning();
  void ConnectReplyHandler();
  bool start();
  // start() in two halves: launching the process, and waiting for its greeting.
  bool launch();
  bool greet();
  bool readExactly(char* data, qint64 size, const QDeadlineTimer& deadline, const KeepWaiting& keepWaiting,
                   bool* abandoned);
  bool writeAll(const QByteArray& bytes, const QDeadlineTimer& deadline);
  QString program() const;

  DecoderSettings settings_;
  std::unique_ptr<QProcess> process_;
  SharedPixelBuffer buffer_;
  QString unavailableReason_;
  std::function<void()> replyHandler_;
  int requestsSinceStart_ = 0;
  bool greeted_ = false;  // the running process said hello
  uint32_t nextId_ = 1;
  uint32_t pendingId_ = 0;
  bool pending_ = false;
  QDeadlineTimer pendingDeadline_;
};
