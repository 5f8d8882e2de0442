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
#include <memory>

#include "app/decoder/DecoderProtocol.h"
#include "app/engine/SharedPixelBuffer.h"

struct DecoderSettings {
  QString program;              // empty: quillmora-decoder beside the running program
  int timeLimitMs = 20000;      // per image, from submit to the whole reply
  int recycleAfter = 500;       // images per decoder process, then a fresh one
};

enum class DecodeOutcome {
  Decoded,      // pixels and bits per pixel are set
  NotDecoded,   // the decoder refused or could not decode the file
  Failed,       // crash, limit, timeout or malformed reply: the decoder was killed
  Unavailable,  // the decoder cannot be started (see unavailableReason())
};

class DecoderProcess {
 public:
  explicit DecoderProcess(DecoderSettings settings = {});
  ~DecoderProcess();
  DecoderProcess(const DecoderProcess&) = delete;
  DecoderProcess& operator=(const DecoderProcess&) = delete;

  // quillmora-decoder in the running program's folder.
  static QString DefaultProgram();

  // naturalSize (when given) receives the image's own size, which is larger
  // than the pixels when the hint let the decoder shrink a JPEG.
  DecodeOutcome decode(const QString& path, QImage* pixels, int32_t* bpp, QSize* naturalSize = nullptr,
                       const decoderproto::SizeHint& hint = {});

  // Sends one request (starting or recycling the process first when needed).
  // False when it was not sent; whyNot then says Unavailable (no decoder can
  // be started), Failed (the decoder stopped taking requests) or NotDecoded
  // (a path no request can carry).
  bool submit(const QString& path, DecodeOutcome* whyNot, const decoderproto::SizeHint& hint = {});
  // Waits for the reply to the request submitted last, within the time limit
  // counted from its submit.
  DecodeOutcome collect(QImage* pixels, int32_t* bpp, QSize* naturalSize = nullptr);

  const DecoderSettings& settings() const { return settings_; }
  void setTimeLimit(int ms) { settings_.timeLimitMs = ms; }

  // Why the decoder could not be started, as one sentence; empty when it could.
  QString unavailableReason() const { return unavailableReason_; }
  // The running decoder's process id, 0 when none runs.
  qint64 processId() const;
  // Stops the decoder; the next request starts a new one.
  void stop();
  // Stops an idle decoder whose shared memory has grown past maxBytes (it
  // only ever grows), so a large image's pixels are not kept for nothing.
  void releaseLargeBuffer(uint64_t maxBytes);

 private:
  bool ensureRunning();
  bool start();
  bool readExactly(char* data, qint64 size, const QDeadlineTimer& deadline);
  bool writeAll(const QByteArray& bytes, const QDeadlineTimer& deadline);
  QString program() const;

  DecoderSettings settings_;
  std::unique_ptr<QProcess> process_;
  SharedPixelBuffer buffer_;
  QString unavailableReason_;
  int requestsSinceStart_ = 0;
  uint32_t nextId_ = 1;
  uint32_t pendingId_ = 0;
  bool pending_ = false;
  QDeadlineTimer pendingDeadline_;
};
