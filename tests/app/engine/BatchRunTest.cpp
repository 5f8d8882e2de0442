#include <gtest/gtest.h>

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QFileInfo>
#include <QTemporaryDir>

#include "app/engine/BatchRun.h"
#include "app/engine/ImageBridge.h"
#include "tests/app/engine/RunFixture.h"
#include "tests/support/TestImages.h"

namespace {

class BatchRunTest : public RunFixture {
 protected:
  static QSize ImageSize(const QString& path) {
    Surface s;
    return LoadImageFile(path, s) ? s.image().size() : QSize();
  }
};

}  // namespace

TEST_F(BatchRunTest, NoFileSelectedWritesNothingAndCompletesZeroOfZero) {
  host.album = true;
  BatchRun run(host);
  run.Start();
  EXPECT_EQ(host.progressMax, 0);
  EXPECT_EQ(host.counterTexts, QStringList{"Completed 0 of 0 images"});
  ASSERT_EQ(host.albumCalls.size(), 1);
  EXPECT_TRUE(host.albumCalls[0].thumbnails.isEmpty());
  EXPECT_TRUE(Files(out).isEmpty());
}

TEST_F(BatchRunTest, ThreeFilesShowTheirCounterTextsInOrderAndEndCleared) {
  for (const char* n : {"a.png", "b.png", "c.png"}) MakeImage(n);
  host.selected = {"a.png", "b.png", "c.png"};
  BatchRun run(host);
  run.Start();
  EXPECT_EQ(host.counterTexts, (QStringList{"Processing 1 of 3", "Processing 2 of 3", "Processing 3 of 3",
                                            "Completed 3 of 3 images"}));
  EXPECT_EQ(host.progressMax, 3);
  EXPECT_EQ(host.progressValues, (QList<int>{1, 2, 3, 0}));
  EXPECT_EQ(host.selectionClears, 1);
  EXPECT_EQ(Files(out), (QStringList{"TH_a.jpg", "TH_b.jpg", "TH_c.jpg"}));
  EXPECT_EQ(ImageSize(out + "/TH_a.jpg"), QSize(120, 80));
  EXPECT_EQ(host.yields, 6);  // after the output folder and after each file
}

TEST_F(BatchRunTest, OutputNamesFromPrefixBaseNameSuffixAndFormat) {
  struct Case { const char* source; const char* prefix; const char* suffix; int format; const char* output;
                const char* listed; } cases[] = {
      {"beach.png", " TH_ ", "_s ", 4, "TH_beach_s.png", "beach.png"},
      {"holiday.2006.png", "", "", 0, "holiday.bmp", "holiday.bmp"},
      {"README", "x", "", 6, "xREADME.tif", "README.tif"},
  };
  for (const auto& c : cases) {
    QTemporaryDir outDir;
    MakeImage(c.source);
    host.destinationFolder = outDir.path();
    host.selected = {c.source};
    host.options.prefix = c.prefix;
    host.options.suffix = c.suffix;
    host.options.outputFormatIndex = c.format;
    host.album = true;
    host.thumbFolderName = "";
    host.albumCalls.clear();
    BatchRun run(host);
    run.Start();
    EXPECT_TRUE(QFile::exists(QDir(outDir.path()).filePath(c.output))) << c.output;
    ASSERT_EQ(host.albumCalls.size(), 1);
    EXPECT_EQ(host.albumCalls[0].thumbnails, QStringList{c.listed});
    EXPECT_EQ(host.albumCalls[0].sources, QStringList{c.source});
    EXPECT_EQ(host.albumCalls[0].prefix, QString(c.prefix).trimmed());
  }
}

TEST_F(BatchRunTest, AlbumLayoutPutsThumbnailsInTheirFolderAndCopiesTheOriginals) {
  MakeImage("a.png", 90, 30);
  MakeImage("b.png", 30, 90);
  host.selected = {"a.png", "b.png"};
  host.album = true;
  BatchRun run(host);
  run.Start();
  EXPECT_EQ(Files(out + "/thumbs"), (QStringList{"TH_a.jpg", "TH_b.jpg"}));
  EXPECT_EQ(Files(out), (QStringList{"a.png", "b.png"}));
  EXPECT_EQ(ImageSize(out + "/thumbs/TH_b.jpg"), QSize(40, 120));
  ASSERT_EQ(host.albumCalls.size(), 1);
  EXPECT_EQ(host.albumCalls[0].folder, out);
  EXPECT_EQ(host.albumCalls[0].width, 40);  // the canvas as the run left it
  EXPECT_EQ(host.counterTexts.last(), "Completed 2 of 2 images");
}

// Image pages: each image also gets a copy fitted into the size, upright,
// never enlarged, in the thumbnails' format; none without album output.
TEST_F(BatchRunTest, ImagePageCopiesAreFittedUprightAndNeverEnlarged) {
  MakeImage("wide.png", 300, 200);
  MakeImage("tall.png", 200, 300);
  MakeImage("small.png", 80, 60);
  // Stored 300 x 200, turned upright by its orientation tag (6: 90 degrees clockwise).
  ASSERT_TRUE(testimages::WriteBytes(src + "/turned.jpg",
                                     testimages::JpegWithOrientation(testimages::Gradient(300, 200), 6)));
  struct Case {
    const char* name;
    QSize copy;
  };
  const Case cases[] = {{"wide", {100, 67}}, {"tall", {67, 100}}, {"small", {80, 60}}, {"turned", {67, 100}}};
  host.selected = {"small.png", "tall.png", "turned.jpg", "wide.png"};
  host.album = true;
  host.imagePageCopySize = 100;
  BatchRun(host).Start();
  EXPECT_EQ(host.counterTexts.last(), "Completed 4 of 4 images");
  for (const Case& c : cases)
    EXPECT_EQ(ImageSize(out + "/images/" + c.name + ".jpg"), c.copy) << c.name;
  EXPECT_EQ(Files(out), (QStringList{"small.png", "tall.png", "turned.jpg", "wide.png"}));  // originals as before
  EXPECT_TRUE(host.albumDetails.isEmpty());  // not asked for

  // With details on, each album source brings its photo's details (none for a PNG).
  QProcess tool;
  tool.start("exiftool", {"-q", "-overwrite_original", "-Make=Acme <b>", src + "/turned.jpg"});
  ASSERT_TRUE(tool.waitForFinished(20000) && tool.exitCode() == 0) << "exiftool (libimage-exiftool-perl) is needed";
  host.selected = {"turned.jpg", "wide.png"};
  host.imagePageDetails = true;
  BatchRun(host).Start();
  EXPECT_EQ(host.albumDetails, (QList<QStringList>{{"Acme <b>"}, {}}));
  host.imagePageDetails = false;

  // The copy folder never takes a source's place: here it is the source folder.
  host.sourceFolder = out + "/images";
  host.selected = {"wide.jpg"};
  const QDateTime before = QFileInfo(out + "/images/wide.jpg").lastModified();
  BatchRun(host).Start();
  EXPECT_EQ(host.counterTexts.last(), "Completed 1 of 1 images, 1 failed");
  EXPECT_EQ(QFileInfo(out + "/images/wide.jpg").lastModified(), before);

}

TEST_F(BatchRunTest, AutoCreateMakesTheGalleryFolderWithAndWithoutAlbum) {
  MakeImage("a.png");
  host.selected = {"a.png"};
  host.autoCreate = true;
  {
    BatchRun run(host);
    run.Start();
    EXPECT_TRUE(QFile::exists(src + "/gallery/TH_a.jpg"));
    EXPECT_EQ(host.selectedDestinations.value(0), src + "/gallery");
  }
  host.album = true;
  BatchRun run(host);
  run.Start();
  EXPECT_TRUE(QFile::exists(src + "/gallery/thumbs/TH_a.jpg"));
  EXPECT_TRUE(QFile::exists(src + "/gallery/a.png"));
}

TEST_F(BatchRunTest, StopDuringTheSecondOfFiveEndsAfterItWithNoAlbumAndSelectionKept) {
  for (int i = 1; i <= 5; ++i) MakeImage(QStringLiteral("f%1.png").arg(i));
  host.selected = {"f1.png", "f2.png", "f3.png", "f4.png", "f5.png"};
  host.album = true;
  BatchRun run(host);
  // Stop pressed while file 2 is under way: seen at its output-folder yield.
  host.onYield = [&](int n) { if (n == 3) run.Stop(); };
  run.Start();
  EXPECT_EQ(Files(out + "/thumbs"), (QStringList{"TH_f1.jpg", "TH_f2.jpg"}));
  EXPECT_EQ(host.progressValues.last(), 0);
  EXPECT_TRUE(host.albumCalls.isEmpty());
  EXPECT_EQ(host.selectionClears, 0);
  for (const QString& t : host.counterTexts) EXPECT_FALSE(t.startsWith("Completed"));
  EXPECT_FALSE(run.isRunning());

  // Pressed at the yield after "Processing 2 of 5": file 3 is never started.
  QTemporaryDir other;
  host.destinationFolder = other.path();
  host.counterTexts.clear();
  host.onYield = [&](int) { if (host.counterTexts.value(host.counterTexts.size() - 1) == "Processing 2 of 5") run.Stop(); };
  run.Start();
  EXPECT_EQ(Files(other.path() + "/thumbs"), (QStringList{"TH_f1.jpg", "TH_f2.jpg"}));
  EXPECT_EQ(host.counterTexts.last(), "Processing 2 of 5");
}

TEST_F(BatchRunTest, StopOutsideARunIsDroppedAndStartInsideARunIsIgnored) {
  for (const char* n : {"a.png", "b.png"}) MakeImage(n);
  host.selected = {"a.png", "b.png"};
  BatchRun run(host);
  run.Stop();
  int nestedStarts = 0;
  host.onYield = [&](int) { ++nestedStarts; run.Start(); };
  run.Start();
  EXPECT_GT(nestedStarts, 0);
  EXPECT_EQ(host.counterTexts, (QStringList{"Processing 1 of 2", "Processing 2 of 2", "Completed 2 of 2 images"}));
}

TEST_F(BatchRunTest, UndecodableFilesAreSkippedLeftOutOfTheAlbumAndReported) {
  MakeImage("a.png");
  ASSERT_TRUE(testimages::WriteBytes(src + "/broken.jpg", "not a jpeg"));
  MakeImage("c.png");
  host.selected = {"a.png", "broken.jpg", "c.png"};
  host.album = true;
  BatchRun run(host);
  run.Start();
  EXPECT_EQ(Files(out + "/thumbs"), (QStringList{"TH_a.jpg", "TH_c.jpg"}));
  ASSERT_EQ(host.albumCalls.size(), 1);
  EXPECT_EQ(host.albumCalls[0].thumbnails, (QStringList{"a.jpg", "c.jpg"}));
  EXPECT_EQ(host.albumCalls[0].sources, (QStringList{"a.png", "c.png"}));
  EXPECT_EQ(host.counterTexts.last(), "Completed 3 of 3 images, 1 failed");
  EXPECT_EQ(run.lastFailedCount(), 1);

  host.albumWriteSucceeds = false;
  host.selected = {"a.png"};
  run.Start();
  EXPECT_EQ(host.counterTexts.last(), "Completed 1 of 1 images, album not written");
}

TEST_F(BatchRunTest, OriginalsAreNeverOverwritten) {
  // JPEG output with no prefix into the source folder itself, named three ways.
  ASSERT_TRUE(testimages::Gradient(50, 50).save(src + "/photo.jpg", "JPEG", 95));
  QFile f(src + "/photo.jpg");
  ASSERT_TRUE(f.open(QIODevice::ReadOnly));
  const QByteArray original = f.readAll();
  f.close();
  ASSERT_TRUE(QFile::link(src, dir_.filePath("link")));
  for (const QString& dest : {src, src + "/./", dir_.filePath("link")}) {
    host.destinationFolder = dest;
    host.selected = {"photo.jpg"};
    host.options.prefix = "";
    host.album = false;
    BatchRun run(host);
    run.Start();
    QFile again(src + "/photo.jpg");
    ASSERT_TRUE(again.open(QIODevice::ReadOnly));
    EXPECT_EQ(again.readAll(), original) << dest.toStdString();
    EXPECT_EQ(host.counterTexts.last(), "Completed 1 of 1 images, 1 failed") << dest.toStdString();
  }
  // The album copy of a source folder given as /pics/./ is the file itself: nothing is copied.
  host.sourceFolder = src + "/./";
  host.destinationFolder = src;
  host.options.prefix = "TH_";
  host.album = true;
  BatchRun run(host);
  run.Start();
  EXPECT_EQ(host.counterTexts.last(), "Completed 1 of 1 images");
  QFile again(src + "/photo.jpg");
  ASSERT_TRUE(again.open(QIODevice::ReadOnly));
  EXPECT_EQ(again.readAll(), original);
  EXPECT_TRUE(QFile::exists(src + "/thumbs/TH_photo.jpg"));
}

TEST_F(BatchRunTest, PreviewComposesTheFirstSelectedFileAndWritesNothing) {
  MakeImage("a.png", 300, 300);
  MakeImage("b.png", 100, 80);
  host.selected = {"b.png", "a.png"};
  host.options.thumbStyleIndex = 0;
  host.options.resizeMode = 1;  // no resize: a 100 x 80 thumbnail
  host.autoCreate = true;
  BatchRun run(host);
  Surface box(200, 200);
  box.setBackColor(0x808080);
  ASSERT_TRUE(run.MakePreview(box));
  EXPECT_TRUE(Files(out).isEmpty());
  EXPECT_TRUE(Files(src + "/gallery").isEmpty());  // the folder is prepared, nothing written into it
  EXPECT_TRUE(host.counterTexts.isEmpty());
  EXPECT_TRUE(host.progressValues.isEmpty());
  EXPECT_EQ(host.selectionClears, 0);
  EXPECT_EQ(host.stage.picThumb.image().size(), QSize(100, 80));
  EXPECT_EQ(box.image().pixel(49, 59), qRgb(128, 128, 128));  // centred, not enlarged
  EXPECT_NE(box.image().pixel(50, 60), qRgb(128, 128, 128));

  host.selected.clear();
  EXPECT_FALSE(run.MakePreview(box));
  EXPECT_TRUE(host.counterTexts.isEmpty());
  // The next real run is not cut short by a leftover preview request.
  host.selected = {"a.png"};
  run.Start();
  EXPECT_TRUE(QFile::exists(src + "/gallery/TH_a.jpg"));
}

TEST_F(BatchRunTest, TenThousandFilesRunThroughWithTheSelectionReadOnce) {
  // Names only: every file is missing, so the run measures its own bookkeeping.
  for (int i = 0; i < 10000; ++i) host.selected << QStringLiteral("missing_%1.jpg").arg(i);
  BatchRun run(host);
  run.Start();
  EXPECT_EQ(host.selectionReads, 1);
  EXPECT_EQ(host.counterTexts.size(), 10001);
  EXPECT_EQ(host.counterTexts[9999], "Processing 10000 of 10000");
  EXPECT_EQ(host.counterTexts.last(), "Completed 10000 of 10000 images, 10000 failed");
  EXPECT_TRUE(Files(out).isEmpty());
}
