// decoder-benchmark [rounds]: what decoding in the decoder process costs
// over decoding in the program, per image, for a 12-megapixel JPEG and for
// small files. Both ways decode the same files into a new RGB32 QImage, taking
// turns, in the same run; the figures are medians.
#include <FreeImage.h>

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <functional>
#include <vector>

#include "app/decoder/ImageDecoder.h"
#include "app/engine/DecoderProcess.h"
#include "app/imaging/FiBitmap.h"
#include "bench/support/Figures.h"
#include "bench/support/TestPhotos.h"

namespace {

QImage DecodeInProcess(const QString& path) {
  QImage image;
  const QByteArray name = QFile::encodeName(path);
  DecodeFileToPixels(name.constData(), [&image](uint32_t w, uint32_t h) {
    image = QImage(static_cast<int>(w), static_cast<int>(h), QImage::Format_RGB32);
    return image.isNull() ? nullptr : reinterpret_cast<uint32_t*>(image.bits());
  });
  return image;
}

// Median milliseconds per image of each way over rounds x files, taking turns.
void Compare(const char* label, const QStringList& files, int rounds, DecoderProcess& decoder) {
  std::vector<double> inProcess, isolated;
  QElapsedTimer clock;
  for (int r = 0; r < rounds; ++r) {
    for (const QString& file : files) {
      clock.start();
      const QImage a = DecodeInProcess(file);
      inProcess.push_back(clock.nsecsElapsed() / 1e6);
      clock.start();
      const DecodedImage b = decoder.decode(file);
      isolated.push_back(clock.nsecsElapsed() / 1e6);
      if (a.isNull() || !b.ok() || a != b.pixels) {
        std::fprintf(stderr, "%s: the two ways disagree on %s\n", label, qPrintable(file));
        std::exit(1);
      }
    }
  }
  const double in = Median(inProcess), iso = Median(isolated);
  std::printf("%-28s in-process %9.3f ms   isolated %9.3f ms   overhead %+8.3f ms (%+.1f %%)   [%zu samples]\n",
              label, in, iso, iso - in, 100.0 * (iso - in) / in, inProcess.size());
}

}  // namespace

int main(int argc, char** argv) {
  QCoreApplication app(argc, argv);
  const int rounds = argc > 1 ? std::max(1, std::atoi(argv[1])) : 5;
  QTemporaryDir dir;
  if (!dir.isValid()) return 1;

  const QString big = dir.filePath(QStringLiteral("photo-12mp.jpg"));
  {
    FiBitmap photo = MakePhoto(4000, 3000, 1);
    if (!FreeImage_Save(FIF_JPEG, photo.get(), QFile::encodeName(big).constData(), 90)) return 1;
  }
  QStringList smallPng, smallJpeg;
  for (int i = 0; i < 100; ++i) {
    FiBitmap photo = MakePhoto(64 + i % 7, 48 + i % 5, 100 + i);
    const QString png = dir.filePath(QStringLiteral("small%1.png").arg(i));
    const QString jpg = dir.filePath(QStringLiteral("small%1.jpg").arg(i));
    FreeImage_Save(FIF_PNG, photo.get(), QFile::encodeName(png).constData(), 0);
    FreeImage_Save(FIF_JPEG, photo.get(), QFile::encodeName(jpg).constData(), 90);
    smallPng << png;
    smallJpeg << jpg;
  }

  DecoderSettings settings;
  settings.recycleAfter = 1 << 30;  // measure decoding, not start-ups
  DecoderProcess decoder(settings);
  if (!decoder.decode(big).ok()) {
    std::fprintf(stderr, "decoder unavailable: %s\n", qPrintable(decoder.unavailableReason()));
    return 1;
  }
  DecodeInProcess(big);

  Compare("12-megapixel JPEG", {big}, rounds * 4, decoder);
  Compare("small PNG (64 x 48)", smallPng, rounds, decoder);
  Compare("small JPEG (64 x 48)", smallJpeg, rounds, decoder);

  // Start-up of a fresh decoder (paid once, after a crash, and every 500 images).
  std::vector<double> starts;
  QElapsedTimer clock;
  for (int i = 0; i < 10; ++i) {
    decoder.stop();
    clock.start();
    decoder.decode(smallPng.first());
    starts.push_back(clock.nsecsElapsed() / 1e6);
  }
  std::printf("%-28s %9.3f ms (median, start + first small PNG)\n", "decoder start-up", Median(starts));
  return 0;
}
