// A run never loses a file and never freezes its host: full disks, slow and
// hanging files, originals beside the thumbnails, names that would leave the
// destination, long names, a missing decoder, and a host that stops or closes
// while a file decodes.
#include <gtest/gtest.h>

#include <sys/mount.h>
#include <unistd.h>

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <algorithm>

#include "app/engine/BatchRun.h"
#include "app/engine/ImageBridge.h"
#include "app/engine/SharedDecoder.h"
#include "tests/app/engine/RunFixture.h"
#include "tests/support/TestImages.h"

namespace {

QByteArray ReadAll(const QString& path) {
  QFile f(path);
  return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

QString HangingSample() {
  const QStringList found =
      QDir(QStringLiteral(QM_HOSTILE_DIR)).entryList({QStringLiteral("iff-timeout-*")}, QDir::Files, QDir::Name);
  return found.isEmpty() ? QString() : QDir(QStringLiteral(QM_HOSTILE_DIR)).filePath(found.first());
}

class RunReliability : public RunFixture {
 protected:
  void TearDown() override { ConfigureSharedDecoder({}); }
  void MakeImage(const QString& name) { RunFixture::MakeImage(name, 90, 60); }
  static void ShortTimeLimit(int ms) {
    DecoderSettings settings;
    settings.timeLimitMs = ms;
    ConfigureSharedDecoder(settings);
  }
};

// A small file system of its own, filled to the last byte.
class FullDisk {
 public:
  explicit FullDisk(const QString& path) : path_(path) {
    QDir().mkpath(path);
    mounted_ = ::mount("tmpfs", QFile::encodeName(path).constData(), "tmpfs", 0, "size=256k") == 0;
  }
  ~FullDisk() {
    if (mounted_) ::umount2(QFile::encodeName(path_).constData(), MNT_DETACH);
  }
  bool mounted() const { return mounted_; }
  void Fill() {
    QFile filler(path_ + "/.filler");
    if (!filler.open(QIODevice::WriteOnly | QIODevice::Unbuffered)) return;
    const QByteArray block(4096, 'x');
    while (filler.write(block) == block.size()) {
    }
    const QByteArray byte(1, 'x');
    while (filler.write(byte) == 1) {
    }
  }

 private:
  QString path_;
  bool mounted_ = false;
};

}  // namespace

TEST_F(RunReliability, AFullDiskFailsTheThumbnailAndLeavesTheEarlierOneWhole) {
  const QString disk = dir_.filePath("disk");
  FullDisk full(disk);
  if (!full.mounted()) GTEST_SKIP() << "mounting a small file system needs root";
  ASSERT_TRUE(testimages::Gradient(400, 300).save(src + "/a.png"));  // noisy enough to need some bytes
  host.destinationFolder = disk;
  host.selected = {"a.png"};
  struct Case { int format; const char* ext; } cases[] = {{3, ".jpg"}, {4, ".png"}, {5, ".tga"}, {6, ".tif"},
                                                          {0, ".bmp"}, {1, ".gif"}, {2, ".ico"}};
  for (const auto& c : cases) {
    const QString earlier = disk + "/TH_a" + c.ext;
    const QByteArray good("an earlier thumbnail");
    ASSERT_TRUE(testimages::WriteBytes(earlier, good));
    full.Fill();
    host.options.outputFormatIndex = c.format;
    host.counterTexts.clear();
    BatchRun run(host);
    run.Start();
    EXPECT_EQ(host.counterTexts.last(), "Completed 1 of 1 images, 1 failed") << c.ext;
    EXPECT_EQ(ReadAll(earlier), good) << c.ext;
    EXPECT_EQ(Files(disk), (QStringList{".filler", "TH_a" + QString(c.ext)})) << c.ext;  // no unfinished file left
    QFile::remove(disk + "/.filler");
    QFile::remove(earlier);
  }
}

TEST_F(RunReliability, AFileThatWaitedInLineNeverFailsForIt) {
  ShortTimeLimit(500);
  const QString hanging = HangingSample();
  ASSERT_FALSE(hanging.isEmpty()) << "no hanging sample in " << QM_HOSTILE_DIR;
  ASSERT_TRUE(QFile::copy(hanging, src + "/0-slow" + hanging.mid(hanging.lastIndexOf('.'))));
  QStringList good;
  for (int i = 1; i <= 5; ++i) {
    good << QStringLiteral("%1.jpg").arg(i);
    ASSERT_TRUE(testimages::Gradient(300, 200).save(src + "/" + good.last(), "JPEG"));
  }
  // A slow file first: the good files decoded ahead wait for it.
  host.selected = QStringList{QFileInfo(Files(src).first()).fileName()} + good;
  BatchRun run(host);
  run.Start();
  EXPECT_EQ(host.counterTexts.last(), "Completed 6 of 6 images, 1 failed");
  // Slow composing: the files decoded ahead are collected after the time limit has passed.
  host.selected = good;
  host.counterTexts.clear();
  host.onYield = [&](int) {
    if (host.counterTexts.size() == 1) ::usleep(700 * 1000);
  };
  QDir(out).removeRecursively();
  QDir().mkpath(out);
  run.Start();
  EXPECT_EQ(host.counterTexts.last(), "Completed 5 of 5 images");
  EXPECT_EQ(Files(out).size(), 5);
}

TEST_F(RunReliability, ThumbnailsBesideTheOriginalsNeverReplaceAFileThatWasNotSelected) {
  ASSERT_TRUE(testimages::Gradient(50, 50).save(src + "/a.jpg", "JPEG", 95));
  ASSERT_TRUE(testimages::Gradient(50, 50).save(src + "/x.jpg", "JPEG", 95));
  ASSERT_TRUE(testimages::WriteBytes(src + "/a_s.jpg", "an earlier thumbnail"));
  MakeImage("a.png");
  MakeImage("x.y.png");
  struct Case { const char* selected; const char* prefix; const char* suffix; const char* target; bool replaced; } cases[] = {
      {"a.png", "", "", "a.jpg", false},    // the original a.jpg beside it was not selected
      {"x.y.png", "", "", "x.jpg", false},  // the base name stops at the first dot
      {"a.png", "", "_s", "a_s.jpg", true}, // with a suffix an earlier thumbnail is replaced
  };
  for (const auto& c : cases) {
    for (const QString& dest : {src, src + "/./"}) {
      if (c.replaced) {
        ASSERT_TRUE(testimages::WriteBytes(src + "/" + c.target, "an earlier thumbnail"));
      }
      const QByteArray before = ReadAll(src + "/" + c.target);
      host.destinationFolder = dest;
      host.selected = {c.selected};
      host.options.prefix = c.prefix;
      host.options.suffix = c.suffix;
      host.failures.clear();
      BatchRun run(host);
      run.Start();
      EXPECT_EQ(ReadAll(src + "/" + c.target) != before, c.replaced) << c.target << " " << dest.toStdString();
      EXPECT_EQ(host.counterTexts.last(), c.replaced ? "Completed 1 of 1 images" : "Completed 1 of 1 images, 1 failed")
          << c.target;
      EXPECT_EQ(host.failures.size(), c.replaced ? 0 : 1) << c.target;
    }
  }
}

TEST_F(RunReliability, NamePartsThatLeaveTheDestinationAreRefusedBeforeAnythingIsWritten) {
  MakeImage("a.png");
  host.selected = {"a.png"};
  struct Case { const char* prefix; const char* suffix; bool album; const char* folder; const char* page; const char* says; } cases[] = {
      {"../", "", false, "thumbs", "gallery", "prefix"},
      {"TH_", "/x", false, "thumbs", "gallery", "suffix"},
      {"TH_", "", true, "..", "gallery", "thumb folder name"},
      {"TH_", "", true, "../../x", "gallery", "thumb folder name"},
      {"TH_", "", true, "..\t", "gallery", "thumb folder name"},
      {"TH_", "", true, "..\r\n", "gallery", "thumb folder name"},
      {"TH_", "", true, "\t..", "gallery", "thumb folder name"},
      {"TH_", "", true, "..\v", "gallery", "thumb folder name"},
      {"TH_", "", true, "thumbs", "../pwn", "page file name"},
  };
  for (const auto& c : cases) {
    host.options.prefix = c.prefix;
    host.options.suffix = c.suffix;
    host.album = c.album;
    host.thumbFolderName = c.folder;
    host.pageFileName = c.page;
    host.toldUser.clear();
    host.counterTexts.clear();
    BatchRun run(host);
    run.Start();
    ASSERT_EQ(host.toldUser.size(), 1) << c.says;
    EXPECT_TRUE(host.toldUser[0].contains(c.says)) << host.toldUser[0].toStdString();
    EXPECT_TRUE(host.counterTexts.isEmpty()) << c.says;
    EXPECT_FALSE(run.isRunning());
    EXPECT_TRUE(Files(out).isEmpty()) << c.says;
    EXPECT_TRUE(QDir(out).entryList(QDir::Dirs | QDir::NoDotAndDotDot).isEmpty()) << c.says;
    EXPECT_EQ(Files(dir_.path()), QStringList()) << c.says;
  }
}

TEST_F(RunReliability, TheLongestLegalNameIsWrittenAndCopied) {
  const QString base(251, QLatin1Char('a'));
  MakeImage(base + ".png");
  host.selected = {base + ".png"};
  host.options.prefix = "";
  host.album = true;
  host.thumbFolderName = "";
  BatchRun run(host);
  run.Start();
  EXPECT_EQ(host.counterTexts.last(), "Completed 1 of 1 images") << host.failures.join('\n').toStdString();
  EXPECT_TRUE(QFile::exists(out + "/" + base + ".jpg"));
  EXPECT_TRUE(QFile::exists(out + "/" + base + ".png"));  // the full-size copy
}

TEST_F(RunReliability, NoDecoderIsToldOnceAndEveryFileFails) {
  DecoderSettings settings;
  settings.program = dir_.filePath("missing/quillmora-decoder");
  ConfigureSharedDecoder(settings);
  MakeImage("a.png");
  MakeImage("b.png");
  host.selected = {"a.png", "b.png"};
  BatchRun run(host);
  run.Start();
  ASSERT_EQ(host.toldUser.size(), 1);
  EXPECT_TRUE(host.toldUser[0].startsWith("Images cannot be read: ")) << host.toldUser[0].toStdString();
  EXPECT_TRUE(host.toldUser[0].contains("missing")) << host.toldUser[0].toStdString();
  EXPECT_EQ(host.failures.size(), 2);
  EXPECT_EQ(host.counterTexts.last(), "Completed 2 of 2 images, 2 failed");
}

// While a file decodes the host keeps running its event loop; Stop there ends
// the run after the file in hand, closing abandons the file at once.
TEST_F(RunReliability, TheHostStaysLiveWhileAFileDecodesAndCanStopOrClose) {
  const QString hanging = HangingSample();
  ASSERT_FALSE(hanging.isEmpty()) << "no hanging sample in " << QM_HOSTILE_DIR;
  const QString slow = "slow" + hanging.mid(hanging.lastIndexOf('.'));
  ASSERT_TRUE(QFile::copy(hanging, src + "/" + slow));
  MakeImage("b.png");
  MakeImage("c.png");
  ShortTimeLimit(1500);

  // Waiting out the limit: the host's loop keeps turning, never long apart
  // (a wait that blocked would leave one gap as long as the limit; the bound
  // leaves room for a busy machine).
  host.selected = {slow, "b.png"};
  QElapsedTimer gap;
  gap.start();
  qint64 longestGap = 0;
  host.onWaitYield = [&](int) { longestGap = std::max(longestGap, gap.restart()); };
  BatchRun run(host);
  run.Start();
  EXPECT_GT(host.waitYields, 12);
  EXPECT_LT(longestGap, 750);
  EXPECT_EQ(host.counterTexts.last(), "Completed 2 of 2 images, 1 failed");

  // Stop pressed while the slow file decodes: it ends after that file.
  host.selected = {slow, "b.png", "c.png"};
  host.counterTexts.clear();
  host.onWaitYield = [&](int) { run.Stop(); };
  QDir(out).removeRecursively();
  QDir().mkpath(out);
  run.Start();
  EXPECT_FALSE(run.isRunning());
  EXPECT_TRUE(Files(out).isEmpty());
  for (const QString& t : host.counterTexts) EXPECT_FALSE(t.startsWith("Completed"));

  // The host closes while the slow file decodes: the run returns at once.
  ShortTimeLimit(60000);
  host.waitYields = 0;
  host.onWaitYield = [&](int) { run.Abort(); };
  run.Start();
  EXPECT_EQ(host.waitYields, 1);
  EXPECT_FALSE(run.isRunning());
  EXPECT_TRUE(Files(out).isEmpty());
}
