// The preview loader as the window uses it: the latest request wins, results
// of files no longer wanted are never delivered, a file that does not decode
// says so, the file's own size comes back with a shrunk picture, going back
// is instant, a hanging file does not hold up the next one, and a lost decoder
// is replaced by a spare started ahead.
#include <gtest/gtest.h>

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QSignalSpy>
#include <QTest>
#include <QTemporaryDir>
#include <signal.h>
#include <sys/types.h>

#include "app/engine/PreviewLoader.h"
#include "tests/support/TestImages.h"

namespace {

class PreviewLoaderTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(dir.isValid());
    for (int i = 0; i < 6; ++i)
      ASSERT_TRUE(testimages::Gradient(1600, 1200).save(path(QStringLiteral("p%1.png").arg(i))));
    ASSERT_TRUE(testimages::WriteBytes(path("broken.jpg"), "not a picture"));
  }
  QString path(const QString& name) const { return dir.filePath(name); }
  // Runs the event loop until one result arrives (or a few seconds pass).
  static std::vector<PreviewResult> Results(QSignalSpy& spy, int count = 1) {
    while (spy.count() < count && spy.wait(5000)) {
    }
    std::vector<PreviewResult> results;
    for (const QList<QVariant>& args : spy) results.push_back(args.at(0).value<PreviewResult>());
    return results;
  }

  QTemporaryDir dir;
};

}  // namespace

TEST_F(PreviewLoaderTest, TheLatestRequestWinsAndStaleResultsAreDropped) {
  PreviewLoader loader;
  QSignalSpy spy(&loader, &PreviewLoader::Loaded);
  for (int i = 0; i < 6; ++i) loader.Request(path(QStringLiteral("p%1.png").arg(i)), QSize(200, 150));
  const auto results = Results(spy);
  ASSERT_EQ(results.size(), 1u);
  EXPECT_EQ(results[0].path, path("p5.png"));
  EXPECT_LE(loader.decodesStarted(), 2);  // the first under way, then only the last
  QTest::qWait(300);                      // nothing else arrives later
  EXPECT_EQ(spy.count(), 1);
}

TEST_F(PreviewLoaderTest, AShrunkPictureComesWithTheFilesOwnSizeAndFailuresSaySo) {
  PreviewLoader loader;
  QSignalSpy spy(&loader, &PreviewLoader::Loaded);
  loader.Request(path("p0.png"), QSize(200, 150));
  auto results = Results(spy);
  ASSERT_EQ(results.size(), 1u);
  const DecodedImage& image = results[0].image;
  ASSERT_TRUE(image.ok());
  EXPECT_EQ(image.pixels.size(), QSize(200, 150));  // an eighth, in the decoder
  EXPECT_EQ(image.naturalSize, QSize(1600, 1200));
  EXPECT_EQ(image.bpp, 24);

  spy.clear();
  loader.Request(path("broken.jpg"), QSize(200, 150));
  results = Results(spy);
  ASSERT_EQ(results.size(), 1u);
  EXPECT_FALSE(results[0].image.ok());
  EXPECT_EQ(results[0].image.outcome, DecodeOutcome::NotDecoded);

  spy.clear();
  loader.Request(path("absent.png"), QSize());
  results = Results(spy);
  ASSERT_EQ(results.size(), 1u);
  EXPECT_FALSE(results[0].image.ok());
}

TEST_F(PreviewLoaderTest, GoingBackToAFileIsInstantAndAChangedFileIsReadAgain) {
  PreviewLoader loader;
  QSignalSpy spy(&loader, &PreviewLoader::Loaded);
  loader.Request(path("p0.png"), QSize(200, 150));
  Results(spy);
  loader.Request(path("p1.png"), QSize(200, 150));
  Results(spy, 2);
  const int decodes = loader.decodesStarted();
  loader.Request(path("p0.png"), QSize(200, 150));
  ASSERT_EQ(spy.count(), 3);  // delivered before Request returned
  EXPECT_EQ(loader.decodesStarted(), decodes);
  EXPECT_EQ(spy.at(2).at(0).value<PreviewResult>().path, path("p0.png"));

  // A different box, or a file written since, is decoded again.
  loader.Request(path("p0.png"), QSize(400, 300));
  Results(spy, 4);
  EXPECT_EQ(loader.decodesStarted(), decodes + 1);
  ASSERT_TRUE(testimages::Gradient(800, 600).save(path("p1.png")));
  QFile touched(path("p1.png"));
  touched.setFileTime(QDateTime::currentDateTime().addSecs(10), QFileDevice::FileModificationTime);
  loader.Request(path("p1.png"), QSize(200, 150));
  const auto results = Results(spy, 5);
  ASSERT_EQ(results.size(), 5u);
  EXPECT_EQ(results[4].image.naturalSize, QSize(800, 600));
}

TEST_F(PreviewLoaderTest, AHangingFileDoesNotHoldUpTheNextOne) {
  const QStringList hanging =
      QDir(QStringLiteral(QM_HOSTILE_DIR)).entryList({QStringLiteral("iff-timeout-*")}, QDir::Files);
  ASSERT_FALSE(hanging.isEmpty()) << "no hanging sample in " << QM_HOSTILE_DIR;
  DecoderSettings settings;
  settings.timeLimitMs = 20000;
  PreviewLoader loader(settings);
  QSignalSpy spy(&loader, &PreviewLoader::Loaded);
  loader.Request(QDir(QStringLiteral(QM_HOSTILE_DIR)).filePath(hanging.first()), QSize(200, 150));
  QTest::qWait(PreviewLoader::kAbandonAfterMs + 50);
  loader.Request(path("p2.png"), QSize(200, 150));
  const auto results = Results(spy);
  ASSERT_EQ(results.size(), 1u);  // served long before the hanging file's 20 s
  EXPECT_EQ(results[0].path, path("p2.png"));
  EXPECT_TRUE(results[0].image.ok());
}

// A key held down asks for a file every 30 ms: only where it stops is decoded.
TEST_F(PreviewLoaderTest, AHeldKeyDecodesOnlyWhereItStops) {
  PreviewLoader loader;
  QSignalSpy spy(&loader, &PreviewLoader::Loaded);
  // A first file, and the spare decoder started after it, so that no process
  // start stalls the event loop while the key is held and stretches the gaps.
  loader.Request(path("p5.png"), QSize(100, 75));
  ASSERT_EQ(Results(spy).size(), 1u);
  ASSERT_TRUE(QTest::qWaitFor([&] { return loader.spareProcessId() != 0; }, 5000));
  const int before = loader.decodesStarted();
  for (int i = 0; i < 6; ++i) {
    loader.Request(path(QStringLiteral("p%1.png").arg(i)), QSize(200, 150));
    QTest::qWait(20);
  }
  while (spy.last().at(0).value<PreviewResult>().path != path("p5.png") ||
         spy.last().at(0).value<PreviewResult>().box != QSize(200, 150))
    if (!spy.wait(5000)) break;
  EXPECT_EQ(spy.last().at(0).value<PreviewResult>().path, path("p5.png"));
  EXPECT_LE(loader.decodesStarted() - before, 2);  // the first, then the last
}

// A decoder that hangs (stopped) and is abandoned, or one that dies between
// requests, is replaced by the spare that was started before it was lost.
TEST_F(PreviewLoaderTest, ALostDecoderIsReplacedByTheSpareStartedAhead) {
  for (const bool hangs : {true, false}) {
    SCOPED_TRACE(hangs ? "abandoned" : "crashed");
    PreviewLoader loader;
    QSignalSpy spy(&loader, &PreviewLoader::Loaded);
    loader.Request(path("p0.png"), QSize(200, 150));
    ASSERT_EQ(Results(spy).size(), 1u);
    ASSERT_TRUE(QTest::qWaitFor([&] { return loader.spareProcessId() != 0; }, 5000));
    const qint64 spare = loader.spareProcessId();
    const qint64 lost = loader.decoder().processId();
    ASSERT_EQ(::kill(static_cast<pid_t>(lost), hangs ? SIGSTOP : SIGKILL), 0);
    if (hangs) {
      loader.Request(path("p1.png"), QSize(200, 150));
      ASSERT_TRUE(QTest::qWaitFor([&] { return loader.isBusy(); }, 5000));
      QTest::qWait(PreviewLoader::kAbandonAfterMs + 50);
    } else {
      ASSERT_TRUE(QTest::qWaitFor([&] { return loader.decoder().processId() == 0; }, 5000));
    }
    // The request may wait a moment (a quick succession); the decoder that
    // served it is the spare.
    loader.Request(path("p2.png"), QSize(200, 150));
    const auto results = Results(spy, 2);
    EXPECT_EQ(loader.decoder().processId(), spare);
    ASSERT_EQ(results.size(), 2u);
    EXPECT_EQ(results[1].path, path("p2.png"));
    EXPECT_TRUE(results[1].image.ok());
  }
}

TEST_F(PreviewLoaderTest, ALoaderAskedOnceInAWhileKeepsNoSpare) {
  PreviewLoader loader;
  loader.setKeepsSpare(false);
  QSignalSpy spy(&loader, &PreviewLoader::Loaded);
  loader.Request(path("p0.png"), QSize(200, 150));
  ASSERT_EQ(Results(spy).size(), 1u);
  QCoreApplication::processEvents();
  EXPECT_EQ(loader.spareProcessId(), 0);
}
