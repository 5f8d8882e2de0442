// Decoding a JPEG shrunk for a thumbnail must not visibly change the
// thumbnail: every style and filter stays within 33 dB PSNR of the thumbnail
// made from the full-size image, and sizes still follow the image's own size.
#include <gtest/gtest.h>

#include <QPainter>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <cmath>

#include "app/engine/BatchRun.h"
#include "app/engine/DecodeAhead.h"
#include "app/engine/ImageBridge.h"
#include "app/engine/SharedDecoder.h"
#include "app/engine/ThumbGeometry.h"
#include "app/engine/mThumbStyles.h"
#include "tests/app/engine/FakeBatchHost.h"
#include "tests/support/TestImages.h"

namespace {

QImage SmoothPhoto(int w, int h) {
  QImage img(w, h, QImage::Format_RGB32);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x)
      img.setPixel(x, y, qRgb(255 * x / w, 255 * y / h, 128 + static_cast<int>(100 * std::sin((x + y) / 90.0))));
  return img;
}

// Grass-like detail: thousands of thin strokes of random colours over noise.
QImage FineDetailPhoto(int w, int h) {
  QImage img(w, h, QImage::Format_RGB32);
  QRandomGenerator rng(7);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) img.setPixel(x, y, qRgb(90 + rng.bounded(40), 110 + rng.bounded(40), 60 + rng.bounded(30)));
  QPainter p(&img);
  for (int i = 0; i < 6000; ++i) {
    p.setPen(QPen(QColor(rng.bounded(256), rng.bounded(256), rng.bounded(256)), 1 + rng.bounded(3)));
    const int x = rng.bounded(w), y = rng.bounded(h);
    p.drawLine(x, y, x + rng.bounded(-20, 21), y - rng.bounded(10, 60));
  }
  return img;
}

QImage TextPhoto(int w, int h) {
  QImage img(w, h, QImage::Format_RGB32);
  img.fill(Qt::white);
  QPainter p(&img);
  p.setPen(Qt::black);
  for (int row = 0; row < 12; ++row) {
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPixelSize(12 + row * 6);
    p.setFont(font);
    p.drawText(10, 40 + row * 95, QStringLiteral("Quillmora thumbnails 0123456789 WMX"));
  }
  return img;
}

QImage Thumbnail(const DecodedImage& decoded, int style, ResampleFilter filter) {
  ThumbStage stage;
  stage.SetThumbBackColor(0x808080);
  EXPECT_TRUE(PlaceDecodedImage(decoded, stage.PicLoad));
  if (style == kStyleNormal) {
    ComposePlainThumb(stage, 120, 120, kResizeKeepAspect, filter);
  } else {
    stage.SetCanvasSize(120, 120);
    ComposeStyledThumb(stage.PicLoad, stage.picThumb, stage.picBknd, style, 0, true, filter);
  }
  return stage.picThumb.image();
}

DecodedImage Decode(const QString& path, const decoderproto::SizeHint& hint) {
  const DecodedImage d = SharedDecoder().decode(path, hint);
  EXPECT_EQ(d.outcome, DecodeOutcome::Decoded);
  return d;
}

}  // namespace

TEST(ShrinkOnLoad, EveryStyleAndFilterStaysWithin33dBOfTheFullSizeThumbnail) {
  QTemporaryDir dir;
  ConfigureSharedDecoder({});
  const std::pair<const char*, QImage> photos[] = {
      {"smooth", SmoothPhoto(1600, 1200)}, {"detail", FineDetailPhoto(1600, 1200)}, {"text", TextPhoto(1600, 1200)}};
  // JPEGs shrink in the codec, other formats in the decoder: both must hold.
  for (const auto& [name, image] : photos)
    for (const char* format : {"JPEG", "PNG"}) {
    const QString path = dir.filePath(QString::fromLatin1(name) + "." + QString::fromLatin1(format).toLower());
    ASSERT_TRUE(image.save(path, format, 95));
    const DecodedImage full = Decode(path, {});
    ASSERT_EQ(full.pixels.size(), QSize(1600, 1200));
    for (int style = 0; style <= 3; ++style) {
      ThumbnailOptions options;
      options.thumbStyleIndex = style;
      const DecodedImage shrunk = Decode(path, DecodeHintFor(options));
      ASSERT_LT(shrunk.pixels.width(), 1600) << name;  // the test really compares a shrunk decode
      ASSERT_EQ(shrunk.naturalSize, QSize(1600, 1200));
      for (int index = 0; index <= 6; ++index) {
        const ResampleFilter filter = ResampleFilterAt(index);
        const QImage a = Thumbnail(full, style, filter);
        const QImage b = Thumbnail(shrunk, style, filter);
        ASSERT_EQ(a.size(), b.size());
        EXPECT_GE(testimages::WorstChannelPsnr(a, b), 33.0) << name << " " << format << " style " << style << " filter " << static_cast<int>(filter);
      }
    }
    }
}

TEST(ShrinkOnLoad, ThumbnailSizesFollowTheImagesOwnSize) {
  QTemporaryDir dir;
  ConfigureSharedDecoder({});
  // 16 % of 1001 x 751: the rules give 160 x 120 from the natural size (a half-size decode would give 80 x 60).
  ASSERT_TRUE(testimages::Gradient(1001, 751).save(dir.filePath("p.jpg"), "JPEG", 90));
  FakeBatchHost host;
  host.sourceFolder = dir.path();
  host.destinationFolder = dir.path();
  host.selected = {"p.jpg"};
  host.options.resizeMode = kResizePercent;
  host.options.thumbWidth = 16;
  host.options.outputFormatIndex = 4;  // PNG
  ASSERT_LT(DecodeHintFor(host.options).minScalePermille, 500u);
  BatchRun run(host);
  run.Start();
  Surface back;
  ASSERT_TRUE(LoadImageFile(dir.filePath("TH_p.png"), back));
  EXPECT_EQ(back.image().size(), QSize(160, 120));
  EXPECT_EQ(host.counterTexts.last(), "Completed 1 of 1 images");
}
