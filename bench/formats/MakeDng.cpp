// Writes a camera DNG of a photo for the per-format benchmark: the raw
// sensor data at the photo's size and an embedded preview, as cameras write
// them (no Debian tool writes one).
//   make-dng PHOTO OUT.dng [PREVIEW_LONG_SIDE]   (default 1620)
#include <QCoreApplication>
#include <QImage>
#include <algorithm>
#include <cstdio>

#include "tests/support/FormatSamples.h"

int main(int argc, char* argv[]) {
  if (argc < 3) {
    std::fprintf(stderr, "usage: make-dng PHOTO OUT.dng [PREVIEW_LONG_SIDE]\n");
    return 2;
  }
  QCoreApplication app(argc, argv);
  const QImage photo(QString::fromLocal8Bit(argv[1]));
  if (photo.isNull()) return 1;
  const int side = argc > 3 ? std::atoi(argv[3]) : 1620;
  const double scale = static_cast<double>(side) / std::max(photo.width(), photo.height());
  const QSize preview(std::max(1, qRound(photo.width() * scale)), std::max(1, qRound(photo.height() * scale)));
  return formatsamples::WriteDng(photo, preview, 1, QString::fromLocal8Bit(argv[2])) ? 0 : 1;
}
