// Runs that keep a record: what a re-run makes again, what it lists and
// prunes, and shards whose assembly gives the pages of one run.
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <sqlite3.h>
#include <fcntl.h>
#include <functional>
#include <sys/stat.h>

#include "app/engine/BatchRun.h"
#include "app/engine/OutputLedger.h"
#include "tests/app/engine/RunFixture.h"

namespace {

class RecordedRun : public RunFixture {
 public:  // for the cases' changes
  using RunFixture::host;
  using RunFixture::MakeImage;
  using RunFixture::out;
  using RunFixture::src;

  void SetUp() override {
    RunFixture::SetUp();
    for (const char* name : {"a.png", "b.png", "c.png"}) MakeImage(name);
    host.selected = {"a.png", "b.png", "c.png"};
    host.scope.update = true;
    host.scope.thumbnailDigest = "options 1";
  }
  // Runs, and returns the caption the run ended with.
  QString Run() {
    BatchRun run(host);
    run.Start();
    return host.counterTexts.value(host.counterTexts.size() - 1);
  }
  QString Thumb(const char* base) const { return out + "/TH_" + base + ".jpg"; }
};

// Sets a file's modification time (seconds since the epoch).
void SetTime(const QString& path, time_t seconds) {
  const struct timespec times[2] = {{seconds, 0}, {seconds, 0}};
  ASSERT_EQ(utimensat(AT_FDCWD, QFile::encodeName(path).constData(), times, 0), 0);
}

}  // namespace

TEST_F(RecordedRun, MakesAgainOnlyWhatChanged) {
  struct Case {
    const char* change;
    std::function<void(RecordedRun&)> apply;
    const char* caption;  // of the re-run
  } cases[] = {
      {"nothing", [](RecordedRun&) {}, "Completed 0 of 0 images, 3 already up to date"},
      {"a source rewritten", [](RecordedRun& t) { t.MakeImage("b.png", 80, 40); },
       "Completed 1 of 1 images, 2 already up to date"},
      {"a source touched", [](RecordedRun& t) { SetTime(t.src + "/c.png", 1000000000); },
       "Completed 1 of 1 images, 2 already up to date"},
      {"an option", [](RecordedRun& t) { t.host.scope.thumbnailDigest = "options 2"; }, "Completed 3 of 3 images"},
      {"an output deleted", [](RecordedRun& t) { QFile::remove(t.Thumb("a")); },
       "Completed 1 of 1 images, 2 already up to date"},
      {"an output touched", [](RecordedRun& t) { SetTime(t.Thumb("c"), 1000000000); },
       "Completed 1 of 1 images, 2 already up to date"},
      {"the record deleted", [](RecordedRun& t) { QFile::remove(t.out + "/" + OutputLedger::kRecordName); },
       "Completed 3 of 3 images"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.change);
    for (const QString& f : Files(out)) QFile::remove(out + "/" + f);
    for (const char* name : {"a.png", "b.png", "c.png"}) MakeImage(name);
    host.scope.thumbnailDigest = "options 1";
    EXPECT_EQ(Run().toStdString(), "Completed 3 of 3 images");
    c.apply(*this);
    EXPECT_EQ(Run().toStdString(), c.caption);
    for (const char* base : {"a", "b", "c"}) EXPECT_TRUE(QFileInfo::exists(Thumb(base))) << base;
  }
}

TEST_F(RecordedRun, APlainRunKeepsNoRecordAndIsNotSkipped) {
  host.scope = RunScope();
  EXPECT_EQ(Run().toStdString(), "Completed 3 of 3 images");
  EXPECT_EQ(Run().toStdString(), "Completed 3 of 3 images");
  EXPECT_EQ(Files(out), QStringList({"TH_a.jpg", "TH_b.jpg", "TH_c.jpg"}));
}

TEST_F(RecordedRun, OutputsWhoseSourceIsGoneAreListedAndPruneRemovesOnlyWhatWasMadeAsMade) {
  host.album = true;
  Run();
  ASSERT_TRUE(QFile::remove(src + "/a.png"));
  ASSERT_TRUE(QFile::remove(src + "/b.png"));
  host.selected = {"c.png"};
  // b's copy replaced by the user's own file: no longer what the run made.
  SetTime(out + "/b.png", 1000000000);
  ASSERT_TRUE(testimages::WriteBytes(out + "/mine.txt", "mine"));
  // What a writer killed outright leaves: removed by a run that is not a shard.
  ASSERT_TRUE(testimages::WriteBytes(out + "/thumbs/.qm0123abcd.part", "half"));

  Run();
  ASSERT_EQ(host.toldUser.size(), 1);
  EXPECT_EQ(host.toldUser[0], "4 files were made from sources that are gone: a.png, b.png, thumbs/TH_a.jpg, thumbs/TH_b.jpg");
  EXPECT_TRUE(QFileInfo::exists(out + "/thumbs/TH_a.jpg"));  // listed, not removed
  EXPECT_FALSE(QFileInfo::exists(out + "/thumbs/.qm0123abcd.part"));

  host.scope.prune = true;
  Run();
  EXPECT_EQ(host.toldUser.value(1), "removed 3 files whose source is gone: a.png, thumbs/TH_a.jpg, thumbs/TH_b.jpg");
  EXPECT_EQ(Files(out), QStringList({OutputLedger::kRecordName, "b.png", "c.png", "mine.txt"}));
  EXPECT_EQ(Files(out + "/thumbs"), QStringList({"TH_c.jpg"}));
  host.toldUser.clear();
  Run();
  EXPECT_TRUE(host.toldUser.isEmpty());  // pruned rows are gone from the record
}

TEST_F(RecordedRun, ShardsMakeDisjointPartsAndTheirAssemblyWritesOneRunsPages) {
  host.album = true;
  host.selected = {"a.png", "b.png", "c.png", "d.png", "e.png"};
  MakeImage("d.png", 30, 90);
  MakeImage("e.png", 90, 30);
  host.scope = RunScope();
  Run();  // one plain run: the pages to match
  ASSERT_EQ(host.albumCalls.size(), 1);
  const FakeBatchHost::AlbumCall oneRun = host.albumCalls[0];
  for (const QString& f : Files(out + "/thumbs")) QFile::remove(out + "/thumbs/" + f);

  QStringList made;
  for (int k = 0; k < 2; ++k) {
    host.scope = RunScope();
    host.scope.shard = true;
    host.scope.shardIndex = k;
    host.scope.shardCount = 2;
    Run();
    made << host.counterTexts.last();
  }
  EXPECT_EQ(made, QStringList({"Completed 3 of 3 images", "Completed 2 of 2 images"}));  // positions 0 2 4, 1 3
  EXPECT_EQ(host.albumCalls.size(), 1);  // shards write no pages
  EXPECT_EQ(Files(out + "/thumbs").size(), 5);

  host.scope = RunScope();
  host.scope.assemble = true;
  QFile::remove(out + "/thumbs/TH_d.jpg");
  BatchRun failing(host);
  failing.Start();
  EXPECT_EQ(host.failures, QStringList({"d.png: its thumbnail was not made"}));
  EXPECT_TRUE(failing.lastAlbumFailed());
  EXPECT_EQ(host.albumCalls.size(), 1);

  host.failures.clear();
  host.scope = RunScope();
  host.scope.shard = true;
  host.scope.shardIndex = 1;
  host.scope.shardCount = 2;
  host.scope.update = true;
  EXPECT_EQ(Run().toStdString(), "Completed 1 of 1 images, 1 already up to date");  // the shard run again redoes only d
  host.scope = RunScope();
  host.scope.assemble = true;
  host.stage.SetCanvasSize(1, 1);  // the assembly composes nothing: the widths come from the record
  Run();
  EXPECT_TRUE(host.failures.isEmpty());
  ASSERT_EQ(host.albumCalls.size(), 2);
  EXPECT_EQ(host.albumCalls[1].thumbnails, oneRun.thumbnails);
  EXPECT_EQ(host.albumCalls[1].sources, oneRun.sources);
  EXPECT_EQ(host.albumCalls[1].width, oneRun.width);
  EXPECT_EQ(host.albumCalls[1].folder, oneRun.folder);
}

// Image pages under re-runs: each web-size copy is recorded with the photo's
// details, so pages written later still show them; a missing copy is made
// again; a record from before details were kept is taken as it is.
TEST_F(RecordedRun, ImagePageCopiesKeepTheirDetailsAcrossReRuns) {
  // A record as runs wrote it before: no details column.
  sqlite3* old = nullptr;
  ASSERT_EQ(sqlite3_open(QFile::encodeName(out + "/" + OutputLedger::kRecordName).constData(), &old), SQLITE_OK);
  ASSERT_EQ(sqlite3_exec(old,
                         "CREATE TABLE outputs (output TEXT PRIMARY KEY, source TEXT NOT NULL, source_size INTEGER,"
                         " source_mtime_ns INTEGER, source_inode INTEGER, source_device INTEGER, options_digest BLOB,"
                         " output_size INTEGER, output_mtime_ns INTEGER, output_inode INTEGER, surface_width INTEGER);"
                         "CREATE TABLE facts (key TEXT PRIMARY KEY, value BLOB);",
                         nullptr, nullptr, nullptr),
            SQLITE_OK);
  sqlite3_close(old);
  ASSERT_TRUE(testimages::Gradient(80, 60).save(src + "/photo.jpg", "JPEG"));
  QProcess exiftool;  // libimage-exiftool-perl
  exiftool.start("exiftool", {"-q", "-overwrite_original", "-Make=Canon", "-Model=EOS R6", src + "/photo.jpg"});
  ASSERT_TRUE(exiftool.waitForFinished(20000) && exiftool.exitCode() == 0);
  host.album = true;
  host.imagePageCopySize = 64;
  host.imagePageDetails = true;
  host.selected = {"photo.jpg", "a.png"};
  const QString copy = out + "/images/photo.jpg";

  EXPECT_EQ(Run().toStdString(), "Completed 2 of 2 images");
  ASSERT_EQ(host.albumDetails.value(0), QStringList({"Canon, EOS R6"}));
  // A new photo: the pages are written again, the first photo's details from the record.
  host.selected << "b.png";
  host.albumDetails.clear();
  EXPECT_EQ(Run().toStdString(), "Completed 1 of 1 images, 2 already up to date");
  EXPECT_EQ(host.albumDetails.value(0), QStringList({"Canon, EOS R6"}));
  ASSERT_TRUE(QFile::remove(copy));
  EXPECT_EQ(Run().toStdString(), "Completed 1 of 1 images, 2 already up to date");
  EXPECT_TRUE(QFileInfo::exists(copy));
  host.imagePageCopySize = 48;  // another size: every copy again
  EXPECT_EQ(Run().toStdString(), "Completed 3 of 3 images");
}
