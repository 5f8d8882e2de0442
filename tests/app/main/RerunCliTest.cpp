// quillmora-batch past one run: the shard flags and environments, a run
// killed outright then run again, and shards run by GNU parallel.
#include <gtest/gtest.h>

#include <csignal>

#include <QCryptographicHash>
#include <QFile>
#include <QImage>
#include <QTemporaryDir>

#include "app/engine/OutputLedger.h"
#include "app/engine/RunRecord.h"
#include "app/main/BatchCommandLine.h"
#include "tests/app/main/BatchCli.h"
#include "tests/support/TestImages.h"

namespace {

// count gradients of differing sizes in folder, as PNG.
void MakePhotos(const QString& folder, int count) {
  ASSERT_TRUE(QDir().mkpath(folder));
  for (int i = 0; i < count; ++i)
    ASSERT_TRUE(testimages::Gradient(200 + 7 * i, 150 + 3 * (i % 5))
                    .save(QStringLiteral("%1/p%2.png").arg(folder).arg(i, 3, 10, QLatin1Char('0'))));
}

// Every file below folder but the record, with a digest of its bytes.
QStringList Contents(const QString& folder) {
  QStringList contents;
  for (const QString& name : FilesUnder(folder)) {
    if (name.startsWith(QLatin1String(".quillmora-record"))) continue;
    QFile file(folder + "/" + name);
    EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << name.toStdString();
    contents << name + " " + QCryptographicHash::hash(file.readAll(), QCryptographicHash::Sha1).toHex();
  }
  return contents;
}

}  // namespace

TEST(QuillmoraBatchShards, TheShardComesFromTheArgumentOrFromEachEnvironment) {
  QTemporaryDir dir;
  using Env = std::vector<std::pair<const char*, const char*>>;
  struct Case {
    QStringList args;
    Env env;
    int index, count;  // -1: refused
    const char* says;
  } cases[] = {
      {{"--shard", "1/3"}, {}, 1, 3, ""},
      {{"--shard", "0/1"}, {}, 0, 1, ""},
      {{"--shard", "env"}, {{"SLURM_ARRAY_TASK_ID", "2"}, {"SLURM_ARRAY_TASK_COUNT", "3"}}, 2, 3, ""},
      // An array numbered from 4: its tasks are shards from 0.
      {{"--shard", "env"},
       {{"SLURM_ARRAY_TASK_ID", "5"}, {"SLURM_ARRAY_TASK_MIN", "4"}, {"SLURM_ARRAY_TASK_COUNT", "3"}}, 1, 3, ""},
      {{"--shard", "env", "--shard-count", "4"}, {{"JOB_COMPLETION_INDEX", "3"}}, 3, 4, ""},
      {{"--shard", "3/3"}, {}, -1, -1, "--shard must be K/N"},
      {{"--shard", "1/0"}, {}, -1, -1, "--shard must be K/N"},
      {{"--shard", "env"}, {}, -1, -1, "neither SLURM_ARRAY_TASK_ID nor JOB_COMPLETION_INDEX"},
      {{"--shard", "env"}, {{"JOB_COMPLETION_INDEX", "1"}}, -1, -1, "needs --shard-count"},
      {{"--shard", "env", "--shard-count", "2"}, {{"JOB_COMPLETION_INDEX", "2"}}, -1, -1, "not below the shard count"},
      {{"--prune"}, {}, -1, -1, "--prune needs --update"},
      {{"--shard", "0/2", "--assemble"}, {}, -1, -1, "--assemble runs after the shards"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.args.join(' ').toStdString());
    QProcessEnvironment env;
    for (const auto& [name, value] : c.env) env.insert(name, value);
    QString error;
    const auto line = ParseBatchCommandLine(c.args + QStringList{"--dest", dir.path(), dir.path()}, &error, env);
    if (c.index < 0) {
      EXPECT_FALSE(line);
      EXPECT_TRUE(error.contains(c.says)) << error.toStdString();
      continue;
    }
    ASSERT_TRUE(line) << error.toStdString();
    EXPECT_EQ(line->shard, std::make_pair(c.index, c.count));
  }
}

TEST(QuillmoraBatchShards, ARunKilledOutrightLeavesARecordOfWholeFilesAndARerunFinishesTheAlbum) {
  QTemporaryDir dir;
  const QString src = dir.filePath("src");
  MakePhotos(src, 40);
  const QString reference = dir.filePath("one");
  ASSERT_TRUE(QDir().mkpath(reference));
  ASSERT_EQ(RunCli({"--album", "--dest", reference, src}).exitCode, 0);

  for (const int killAt : {2, 17, 33}) {
    SCOPED_TRACE(killAt);
    const QString out = dir.filePath(QStringLiteral("killed%1").arg(killAt));
    ASSERT_TRUE(QDir().mkpath(out));
    QProcess run;
    run.start(QStringLiteral(QUILLMORA_BATCH_PATH), {"--update", "--album", "--dest", out, src});
    const QByteArray mark = QStringLiteral("Processing %1 of").arg(killAt).toUtf8();
    QByteArray seen;
    while (!seen.contains(mark) && run.waitForReadyRead(30000)) seen += run.readAllStandardOutput();
    ::kill(static_cast<pid_t>(run.processId()), SIGKILL);
    run.waitForFinished(30000);

    // Every output the record claims is on disk whole, exactly as recorded.
    QString error;
    const auto record = RunRecord::Open(out + "/" + OutputLedger::kRecordName, true, &error);
    ASSERT_TRUE(record) << error.toStdString();
    for (const RecordedOutput& row : record->All()) {
      EXPECT_TRUE(row.outputStamp.SameAs(StampOf(out + "/" + row.output))) << row.output.toStdString();
      if (row.output.startsWith("thumbs/")) {
        EXPECT_FALSE(QImage(out + "/" + row.output).isNull()) << row.output.toStdString();
      }
    }
    const CliResult again = RunCli({"--update", "--album", "--dest", out, src});
    EXPECT_EQ(again.exitCode, 0) << again.err.toStdString();
    EXPECT_EQ(Contents(out).join('\n').toStdString(), Contents(reference).join('\n').toStdString());
  }
}

TEST(QuillmoraBatchShards, ThreeShardsByGnuParallelThenAssemblyAreOneRunByteForByte) {
  QTemporaryDir dir;
  const QString src = dir.filePath("src");
  MakePhotos(src, 25);
  const QString one = dir.filePath("one");
  const QString shards = dir.filePath("shards");
  ASSERT_TRUE(QDir().mkpath(one));
  ASSERT_TRUE(QDir().mkpath(shards));
  ASSERT_EQ(RunCli({"--album", "--width", "90", "--dest", one, src}).exitCode, 0);

  // GNU parallel is in scripts/test-packages.txt: without it this fails.
  const CliResult parallel = RunCli({"--will-cite", "--halt", "now,fail=1", QStringLiteral(QUILLMORA_BATCH_PATH),
                                     "--shard", "{}/3", "--album", "--width", "90", "--dest", shards, src, ":::", "0",
                                     "1", "2"},
                                    QStringLiteral("parallel"));
  ASSERT_EQ(parallel.exitCode, 0) << parallel.err.toStdString();
  EXPECT_FALSE(QFile::exists(shards + "/gallery1.htm"));  // shards write no pages
  const CliResult assembly = RunCli({"--assemble", "--album", "--width", "90", "--dest", shards, src});
  EXPECT_EQ(assembly.exitCode, 0) << assembly.err.toStdString();
  EXPECT_EQ(Contents(shards).join('\n').toStdString(), Contents(one).join('\n').toStdString());
  EXPECT_EQ(FilesUnder(shards).filter(".quillmora-record"), QStringList{OutputLedger::kRecordName});
}
