// Image files are decoded in the decoder process: good files load with their
// exact sizes and pixels, hostile ones (crashes, memory bombs, hangs, heap
// over-reads) only fail to load, and the program carries on.
#include <gtest/gtest.h>

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <vector>

#include "app/decoder/ImageDecoder.h"
#include "app/engine/DecoderProcess.h"
#include "app/engine/ImageBridge.h"
#include "app/engine/SharedDecoder.h"
#include "app/imaging/AreaAverage.h"
#include "platform/drawing/Surface.h"
#include "platform/shell/MessageBox.h"
#include "tests/support/TestImages.h"

namespace {

const QString kHostileDir = QStringLiteral(QM_HOSTILE_DIR);
// Short, so the hanging samples cost a second each; good files take milliseconds.
constexpr int kTimeLimitMs = 500;

QStringList HostileFiles() {
  return QDir(kHostileDir).entryList({QStringLiteral("*-*-*.*")}, QDir::Files, QDir::Name);
}

// Resident memory of this process in bytes.
qint64 ResidentBytes() {
  QFile statm(QStringLiteral("/proc/self/statm"));
  if (!statm.open(QIODevice::ReadOnly)) return 0;
  const QList<QByteArray> fields = statm.readAll().split(' ');
  return fields.size() > 1 ? fields[1].toLongLong() * 4096 : 0;
}

// Decodes one of the test's own files in this process (it is known good).
QImage DecodeOwnFile(const QString& path) {
  QImage image;
  const QByteArray name = QFile::encodeName(path);
  const DecodeInfo info = DecodeFileToPixels(name.constData(), [&image](uint32_t w, uint32_t h) {
    image = QImage(static_cast<int>(w), static_cast<int>(h), QImage::Format_RGB32);
    return reinterpret_cast<uint32_t*>(image.bits());
  });
  return info.status == decoderproto::DecodeStatus::Decoded ? image : QImage();
}

struct GoodFile {
  QString path;
  QImage source;
  int32_t bpp;
  bool lossless;
};

// The program's own decoder with a short time limit, restored afterwards.
class IsolatedLoad : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(dir_.isValid());
    DecoderSettings settings;
    settings.timeLimitMs = kTimeLimitMs;
    ConfigureSharedDecoder(settings);
  }
  void TearDown() override {
    SetMessageBoxHandler({});
    ConfigureSharedDecoder({});
  }

  QString pathOf(const QString& name) const { return dir_.filePath(name); }

  // Writes the image in one of the program's output formats, as a thumbnail.
  GoodFile writeGood(const QString& name, const QImage& image, ImageFileFormat format) {
    Surface canvas;
    canvas.setImage(image);
    const QString path = pathOf(name);
    EXPECT_TRUE(SaveThumbCanvas(canvas, path, format).ok()) << name.toStdString();
    using F = ImageFileFormat;
    const bool lossless = format != F::Jpeg && format != F::Gif;
    const int32_t bpp = format == F::Gif ? 8 : (format == F::Bmp || format == F::Targa) ? 32 : 24;
    return {path, image, bpp, lossless};
  }

  QTemporaryDir dir_;
};

}  // namespace

TEST_F(IsolatedLoad, GoodImagesLoadAndHostileFilesFailInAMixedFolder) {
  const QStringList hostile = HostileFiles();
  ASSERT_FALSE(hostile.isEmpty()) << "no hostile test files in " << kHostileDir.toStdString();

  struct Format {
    ImageFileFormat fif;
    const char* ext;
  };
  using F = ImageFileFormat;
  const Format formats[] = {{F::Bmp, "bmp"}, {F::Gif, "gif"}, {F::Ico, "ico"}, {F::Jpeg, "jpg"},
                            {F::Png, "png"}, {F::Targa, "tga"}, {F::Tiff, "tif"}};
  std::vector<GoodFile> good;
  for (int i = 0; i < 45; ++i) {
    for (const Format& f : formats) {
      // Icons are written as they are only as squares of 16 to 256.
      const int w = f.fif == F::Ico ? 16 + i : 1 + (i * 37) % 90;
      const int h = f.fif == F::Ico ? 16 + i : 1 + (i * 23) % 70;
      good.push_back(writeGood(QStringLiteral("good%1.%2").arg(i).arg(QLatin1String(f.ext)),
                               testimages::Gradient(w, h), f.fif));
    }
  }
  std::vector<QString> bad;
  for (const QString& name : hostile) {
    const QString base = QFileInfo(name).completeBaseName();
    QStringList copies{name, base + QStringLiteral(".jpg"), base + QStringLiteral(".bmp")};
    copies.removeDuplicates();
    for (const QString& copy : copies) {
      ASSERT_TRUE(QFile::copy(QDir(kHostileDir).filePath(name), pathOf(copy)));
      QFile::setPermissions(pathOf(copy), QFile::ReadOwner | QFile::WriteOwner);
      bad.push_back(pathOf(copy));
    }
  }

  Surface picLoad;
  picLoad.setImage(testimages::Solid(3, 2, Qt::red));
  const qint64 startResident = ResidentBytes();
  QElapsedTimer clock;
  clock.start();
  size_t nextBad = 0;
  for (size_t i = 0; i < good.size(); ++i) {
    // One hostile file after every few good ones.
    if (i % 6 == 5 && nextBad < bad.size()) {
      const QString& path = bad[nextBad++];
      const QImage before = picLoad.image();
      const LastLoadedImage last = LastLoaded();
      QElapsedTimer one;
      one.start();
      EXPECT_FALSE(LoadImageFile(path, picLoad)) << path.toStdString();
      EXPECT_LT(one.elapsed(), kTimeLimitMs + 1500) << "hung past the time limit: " << path.toStdString();
      EXPECT_EQ(picLoad.image(), before);
      EXPECT_EQ(LastLoaded().width, last.width);
    }
    const GoodFile& g = good[i];
    ASSERT_TRUE(LoadImageFile(g.path, picLoad)) << g.path.toStdString();
    EXPECT_EQ(picLoad.image().size(), g.source.size()) << g.path.toStdString();
    EXPECT_EQ(LastLoaded().width, g.source.width());
    EXPECT_EQ(LastLoaded().height, g.source.height());
    EXPECT_EQ(LastLoaded().bpp, g.bpp) << g.path.toStdString();
    EXPECT_EQ(picLoad.image(), DecodeOwnFile(g.path)) << g.path.toStdString();
    if (g.lossless) {
      EXPECT_EQ(picLoad.image(), g.source) << g.path.toStdString();
    }
  }
  for (; nextBad < bad.size(); ++nextBad) EXPECT_FALSE(LoadImageFile(bad[nextBad], picLoad));

  const qint64 growth = ResidentBytes() - startResident;
  RecordProperty("ResidentGrowthBytes", QString::number(growth).toStdString());
  std::printf("mixed folder: %zu good, %zu hostile, %lld ms, resident memory grew by %lld KiB\n", good.size(),
              bad.size(), static_cast<long long>(clock.elapsed()), static_cast<long long>(growth / 1024));
  EXPECT_LT(growth, 16 << 20);
}

// The engine shows nothing itself: a missing decoder fails every load, and the
// outcome says why, for the window or the command line to tell the user.
TEST_F(IsolatedLoad, MissingDecoderFailsQuietlyAndSaysWhy) {
  const QString missing = pathOf(QStringLiteral("no-such-folder/quillmora-decoder"));
  const QString notAProgram = pathOf(QStringLiteral("not-a-program"));
  ASSERT_TRUE(testimages::WriteBytes(notAProgram, "plain text"));
  const GoodFile g = writeGood(QStringLiteral("good.png"), testimages::Gradient(20, 10), ImageFileFormat::Png);

  struct Case {
    QString program;
    const char* expectedWords;
  };
  for (const Case& c : {Case{missing, "is missing"}, Case{notAProgram, "cannot be started"}}) {
    int shown = 0;
    SetMessageBoxHandler([&shown](const MessageBoxRequest&) {
      ++shown;
      return MsgResult::OK;
    });
    DecoderSettings settings;
    settings.program = c.program;
    ConfigureSharedDecoder(settings);
    Surface picLoad;
    picLoad.setImage(testimages::Solid(3, 2, Qt::red));
    for (int i = 0; i < 3; ++i) EXPECT_FALSE(LoadImageFile(g.path, picLoad));
    EXPECT_EQ(picLoad.image(), testimages::Solid(3, 2, Qt::red).convertToFormat(QImage::Format_RGB32));
    EXPECT_EQ(DecodeImageFile(g.path).outcome, DecodeOutcome::Unavailable);
    const QString why = SharedDecoder().unavailableReason();
    EXPECT_TRUE(why.contains(c.program)) << why.toStdString();
    EXPECT_TRUE(why.contains(QLatin1String(c.expectedWords))) << why.toStdString();
    EXPECT_EQ(shown, 0);
  }
  SetMessageBoxHandler({});
}

TEST_F(IsolatedLoad, DecoderIsRecycledAfterItsQuotaOfImages) {
  const GoodFile g = writeGood(QStringLiteral("good.bmp"), testimages::Gradient(9, 7), ImageFileFormat::Bmp);
  DecoderSettings settings;
  settings.recycleAfter = 3;
  DecoderProcess decoder(settings);
  std::vector<qint64> pids;
  for (int i = 0; i < 7; ++i) {
    const DecodedImage d = decoder.decode(g.path);
    ASSERT_EQ(d.outcome, DecodeOutcome::Decoded);
    EXPECT_EQ(d.pixels, g.source);
    pids.push_back(decoder.processId());
  }
  EXPECT_EQ(pids[0], pids[2]);
  EXPECT_NE(pids[2], pids[3]);
  EXPECT_EQ(pids[3], pids[5]);
  EXPECT_NE(pids[5], pids[6]);
}

TEST_F(IsolatedLoad, CrashOrHangCostsOneImageAndARestart) {
  const QStringList hostile = HostileFiles();
  ASSERT_FALSE(hostile.isEmpty()) << "no hostile test files in " << kHostileDir.toStdString();
  const GoodFile g = writeGood(QStringLiteral("good.png"), testimages::Gradient(12, 8), ImageFileFormat::Png);
  DecoderSettings settings;
  settings.timeLimitMs = 500;
  DecoderProcess decoder(settings);
  for (const char* kind : {"psd-segv-", "iff-timeout-"}) {
    const QStringList matching = hostile.filter(QLatin1String(kind));
    ASSERT_FALSE(matching.isEmpty()) << kind;
    ASSERT_EQ(decoder.decode(g.path).outcome, DecodeOutcome::Decoded);
    const qint64 before = decoder.processId();
    QElapsedTimer clock;
    clock.start();
    EXPECT_EQ(decoder.decode(QDir(kHostileDir).filePath(matching.first())).outcome, DecodeOutcome::Failed) << kind;
    EXPECT_LT(clock.elapsed(), 500 + 1500) << kind;
    EXPECT_EQ(decoder.processId(), 0) << "the decoder was not stopped after " << kind;
    const DecodedImage again = decoder.decode(g.path);
    ASSERT_EQ(again.outcome, DecodeOutcome::Decoded) << kind;
    EXPECT_NE(decoder.processId(), before);
    EXPECT_EQ(again.pixels, g.source);
  }
}

// A stand-in decoder that greets properly and then answers the first request
// with the given bytes (printf escapes), then waits.
TEST_F(IsolatedLoad, MalformedRepliesFailTheLoadAndReplaceTheDecoder) {
  const GoodFile g = writeGood(QStringLiteral("good.png"), testimages::Gradient(12, 8), ImageFileFormat::Png);
  const QString hello = QStringLiteral("QMHI\\004\\000\\000\\000\\001\\000\\000\\000\\000\\000\\000\\000");
  const QString id1 = QStringLiteral("\\001\\000\\000\\000");
  const QString zero4 = QStringLiteral("\\000\\000\\000\\000");
  struct Case {
    const char* name;
    QString reply;
    QString then = QStringLiteral("exec sleep 10");
    QString readRequest = QStringLiteral("head -c 32 >/dev/null");
  };
  const Case cases[] = {
      {"no reply: the decoder ends", QString(), QStringLiteral("exit 0")},
      {"the decoder ends before the request", QString(), QStringLiteral("exit 0"), QStringLiteral("exec 0<&-")},
      {"no reply: the decoder hangs", QString()},
      {"short reply", QStringLiteral("QMRP") + id1 + zero4},
      {"wrong magic", QStringLiteral("QMRX") + id1 + zero4 + zero4 + zero4 + zero4 + zero4 + zero4 + zero4 + zero4 + zero4 + zero4},
      // 16 x 16 pixels announced, but the shared memory is empty.
      {"size beyond the shared memory", QStringLiteral("QMRP") + id1 + zero4 + QStringLiteral("\\020\\000\\000\\000") +
                                             QStringLiteral("\\020\\000\\000\\000\\030\\000\\000\\000") +
                                             QStringLiteral("\\020\\000\\000\\000\\020\\000\\000\\000") +
                                             QStringLiteral("\\000\\004\\000\\000") + zero4 + zero4 + zero4},
      {"reply to another request", QStringLiteral("QMRP\\002\\000\\000\\000\\005\\000\\000\\000") + zero4 + zero4 +
                                       zero4 + zero4 + zero4 + zero4 + zero4 + zero4 + zero4},
  };
  for (const Case& c : cases) {
    const QString script = pathOf(QStringLiteral("fake-decoder"));
    QFile::remove(script);
    ASSERT_TRUE(testimages::WriteBytes(
        script, QStringLiteral("#!/bin/sh\nprintf '%1'\n%2\nprintf '%3'\n%4\n")
                    .arg(hello, c.readRequest, c.reply, c.then)
                    .toUtf8()));
    QFile::setPermissions(script, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    DecoderSettings settings;
    settings.program = script;
    settings.timeLimitMs = 500;
    DecoderProcess decoder(settings);
    const DecodedImage d = decoder.decode(g.path);
    EXPECT_EQ(d.outcome, DecodeOutcome::Failed) << c.name;
    EXPECT_TRUE(d.pixels.isNull()) << c.name;
    EXPECT_EQ(decoder.processId(), 0) << c.name;
  }
}

// A caller that keeps less than the decode gets the area average of the
// decoded pixels, made straight from the shared memory; a size that is not
// smaller on both sides keeps every pixel. The image's own size stays.
TEST_F(IsolatedLoad, KeptSizeShrinksWhileCollectingOrKeepsEveryPixel) {
  const GoodFile g = writeGood(QStringLiteral("kept.png"), testimages::Gradient(41, 23), ImageFileFormat::Png);
  struct Case { QSize kept; QSize expected; } cases[] = {
      {{20, 11}, {20, 11}}, {{1, 1}, {1, 1}}, {{41, 23}, {41, 23}}, {{42, 11}, {41, 23}}, {{}, {41, 23}},
  };
  DecoderProcess decoder;
  for (const auto& c : cases) {
    QSize toldNatural, toldDecoded;
    const DecodedImage d = decoder.decode(g.path, {}, {}, false, [&](const QSize& natural, const QSize& decoded) {
      toldNatural = natural;
      toldDecoded = decoded;
      return c.kept;
    });
    ASSERT_EQ(d.outcome, DecodeOutcome::Decoded) << c.kept.width();
    EXPECT_EQ(toldNatural, QSize(41, 23));
    EXPECT_EQ(toldDecoded, QSize(41, 23));
    EXPECT_EQ(d.naturalSize, QSize(41, 23));
    QImage expected = g.source.convertToFormat(QImage::Format_RGB32);
    if (c.expected != expected.size()) {
      QImage shrunk(c.expected, QImage::Format_RGB32);
      ASSERT_TRUE(AverageArea(ViewOf(expected), reinterpret_cast<uint32_t*>(shrunk.bits()), c.expected.width(),
                              c.expected.height(), size_t(shrunk.bytesPerLine() / 4)));
      expected = shrunk;
    }
    EXPECT_EQ(d.pixels, expected) << c.kept.width() << "x" << c.kept.height();
  }
}

TEST_F(IsolatedLoad, RelativePathsNameFilesInTheProgramsCurrentFolder) {
  const GoodFile g = writeGood(QStringLiteral("relative.png"), testimages::Gradient(5, 4), ImageFileFormat::Png);
  DecoderProcess decoder;
  ASSERT_EQ(decoder.decode(g.path).outcome, DecodeOutcome::Decoded);  // started in the old folder
  const QString previous = QDir::currentPath();
  ASSERT_TRUE(QDir::setCurrent(dir_.path()));
  const DecodedImage d = decoder.decode(QStringLiteral("relative.png"));
  QDir::setCurrent(previous);
  EXPECT_EQ(d.outcome, DecodeOutcome::Decoded);
  EXPECT_EQ(d.pixels, g.source);
}
