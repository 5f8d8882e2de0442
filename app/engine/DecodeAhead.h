#pragma once
// Decodes the files of a batch run ahead of it, on every core: a small pool of
// decoder processes (each isolated like the program's own decoder, each with
// its own shared memory) works on the next files while the run composes and
// saves the current one. Files are taken strictly in order.
#include <QString>
#include <QStringList>
#include <memory>
#include <utility>
#include <vector>

#include "app/engine/BatchHost.h"
#include "app/engine/DecoderProcess.h"
#include "app/imaging/DecoderProtocol.h"

// How small a thumbnail's source may be decoded: every thumbnail keeps at
// least twice its own size in source pixels in each direction. Empty (the
// natural size) when the thumbnail is the image's own size or larger. With a
// copyLongestSide, the image also keeps what a copy fitted into that square
// needs, so the thumbnail and the copy come from one decode.
decoderproto::SizeHint DecodeHintFor(const ThumbnailOptions& options, int copyLongestSide = 0);

class DecodeAhead {
 public:
  // workers <= 0: one more than the cores the process may run on.
  explicit DecodeAhead(int workers = 0);
  ~DecodeAhead();
  DecodeAhead(const DecodeAhead&) = delete;
  DecodeAhead& operator=(const DecodeAhead&) = delete;

  // A run will take paths in this order: the first files start decoding now.
  void Begin(const QStringList& paths, const decoderproto::SizeHint& hint);
  // File index of the run, decoded (waiting for it when it is still under
  // way, calling keepWaiting meanwhile). path and hint are what the run needs
  // now; when they differ from what was started, the file is decoded again.
  // With startMore the next file in line starts on the freed decoder.
  DecodedImage Take(int index, const QString& path, const decoderproto::SizeHint& hint, bool startMore = true,
                    const KeepWaiting& keepWaiting = {});
  // Whether decodes also bring the photo's EXIF details (image pages that
  // show them); off by default, so thumbnails alone cost nothing more.
  void SetWantDetails(bool want) { wantDetails_ = want; }
  // How much of each decode the run keeps (DecoderProcess::collect); by
  // default every pixel.
  void SetKeptSize(KeptSize keptSize) { keptSize_ = std::move(keptSize); }
  // Why no decoder could be started, after a Take that came back Unavailable.
  QString unavailableReason() const { return unavailableReason_; }
  // Drops every decode still under way (a stopped or previewed run).
  void End();

 private:
  struct Worker {
    std::unique_ptr<DecoderProcess> decoder;
    int index = -1;  // the file it is decoding, -1 for none
    QString path;
    decoderproto::SizeHint hint;
  };
  void EnsureWorkers();
  void StartNext(Worker& worker);
  DecodedImage Collect(Worker& worker, const KeepWaiting& keepWaiting);

  int wanted_;
  std::vector<Worker> workers_;
  DecoderSettings settings_;
  QStringList paths_;
  decoderproto::SizeHint hint_;
  int nextToStart_ = 0;
  bool wantDetails_ = false;
  KeptSize keptSize_;
  QString unavailableReason_;
};
