#pragma once
// Loads one image file at a time for display, without ever blocking the
// user-interface thread: the file is decoded by a decoder process of its own,
// shrunk there to what the box that shows it needs, and the reply is taken
// when the decoder's output arrives (no thread, no wait). The latest request
// wins: at most one decode is in flight and one waits; a newer request
// replaces the waiting one, and the result of a file no longer wanted is
// never delivered. A request that follows the previous one closely (a key
// held down) starts only once it has stood a moment, so quick successions
// decode only where they stop. A decode that runs long when a newer request
// comes is abandoned (its decoder replaced), so a hanging file costs the user
// nothing. The last few results are kept, so going back to a file is instant.
//
// Once it has decoded, the loader keeps a spare decoder started ahead: a
// decoder abandoned, crashed or due for recycling is replaced by the spare,
// and the next spare is started when the window is idle again, so a request
// never waits for a process to start.
//
// One loader serves one purpose; the window keeps one for each (list preview,
// file dialog, full-size window, background image), so a request of one
// purpose never cancels another's.
#include <QDateTime>
#include <QElapsedTimer>
#include <QObject>
#include <QSize>
#include <QString>
#include <QTimer>
#include <list>
#include <memory>
#include <optional>

#include "app/engine/DecoderProcess.h"

struct PreviewResult {
  QString path;
  QSize box;           // what was asked for; empty: the natural size
  DecodedImage image;  // image.ok() false: the file cannot be previewed (outcome says why)
};

class PreviewLoader : public QObject {
  Q_OBJECT
 public:
  explicit PreviewLoader(DecoderSettings settings = {}, QObject* parent = nullptr);
  ~PreviewLoader() override;

  // Asks for path fitted into box (device pixels, never enlarged); an empty
  // box asks for every pixel. Loaded() follows, at once for a kept result.
  void Request(const QString& path, QSize box);
  // Nothing asked for is wanted any more.
  void Cancel();

  bool isBusy() const { return inFlight_.has_value(); }
  // How many decodes were started (for benchmarks: the latest request wins).
  int decodesStarted() const { return decodesStarted_; }
  // The decoder that serves the next request.
  DecoderProcess& decoder() { return *decoder_; }
  // Whether a spare decoder is kept started ahead (on by default). Loaders
  // asked once in a while (the full-size window, the background image) keep
  // none, so an idle window does not hold a process for each of them.
  void setKeepsSpare(bool keep) { keepsSpare_ = keep; }
  // The process id of the spare decoder, 0 while none is started.
  qint64 spareProcessId() const { return spare_->processId(); }

  static constexpr int kKeptResults = 6;
  // A decode older than this is abandoned when a newer request comes.
  static constexpr int kAbandonAfterMs = 250;
  // A request this soon after the previous one waits until it has stood this long.
  static constexpr int kSettleMs = 40;

 signals:
  void Loaded(const PreviewResult& result);

 private:
  struct Job {
    QString path;
    QSize box;
    QDateTime modified;
    qint64 bytes = -1;
    bool operator==(const Job& o) const {
      return path == o.path && box == o.box && modified == o.modified && bytes == o.bytes;
    }
  };
  static Job JobFor(const QString& path, QSize box);
  void Start(const Job& job);
  // Puts the spare in place of a decoder that would need starting.
  void TakeSpare();
  void StartSpare();
  void OnDecoderOutput();
  // Starts the waiting request once it has stood kSettleMs.
  void StartWaiting();
  void Finish(DecodedImage image);
  const PreviewResult* Kept(const Job& job) const;
  void Keep(const Job& job, const PreviewResult& result);

  std::unique_ptr<DecoderProcess> decoder_;
  std::unique_ptr<DecoderProcess> spare_;
  bool keepsSpare_ = true;
  QTimer spareStart_;  // starts the spare at the next idle moment
  std::optional<Job> inFlight_;
  std::optional<Job> waiting_;
  std::optional<Job> wanted_;
  QElapsedTimer inFlightFor_;
  QElapsedTimer sinceLastRequest_;
  QTimer deadline_;
  QTimer settle_;
  std::list<std::pair<Job, PreviewResult>> kept_;  // most recent first
  int decodesStarted_ = 0;
};

Q_DECLARE_METATYPE(PreviewResult)
