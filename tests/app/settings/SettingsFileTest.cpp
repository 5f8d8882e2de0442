#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QRandomGenerator>
#include <QTemporaryDir>

#include "app/settings/SettingsFile.h"
#include "app/settings/SettingsFormat.h"
#include "app/settings/SettingsTransfer.h"
#include "platform/shell/MessageBox.h"
#include "tests/app/settings/FakeOptionControls.h"
#include "tests/app/settings/RecordBytes.h"
#include "tests/support/TestImages.h"

#ifdef Q_OS_UNIX
#include <sys/stat.h>
#endif

namespace {

QByteArray ReadAll(const QString& path) {
  QFile file(path);
  return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<unreadable>");
}

// Records every message box instead of showing it.
class MessageLog {
 public:
  MessageLog() {
    old_ = SetMessageBoxHandler([this](const MessageBoxRequest& r) {
      requests.push_back(r);
      return MsgResult::OK;
    });
  }
  ~MessageLog() { SetMessageBoxHandler(old_); }
  std::vector<MessageBoxRequest> requests;

 private:
  MessageBoxHandler old_;
};

class SettingsFileTest : public ::testing::Test {
 protected:
  QString path() const { return dir.filePath(QStringLiteral("qmsetup.dat")); }
  QTemporaryDir dir;
  MessageLog messages;
};

TEST_F(SettingsFileTest, MissingFileGivesDefaultsSilentlyAndLeavesAnEmptyFile) {
  const SettingsRecord r = LoadSettings(path());
  EXPECT_EQ(r, DefaultSettings());
  EXPECT_TRUE(PreferenceOn(r, Preference::SaveFolders));
  EXPECT_TRUE(messages.requests.empty());
  ASSERT_TRUE(QFileInfo(path()).isFile());
  EXPECT_EQ(QFileInfo(path()).size(), 0);
}

TEST_F(SettingsFileTest, MissingFileInAMissingFolderIsCreatedThere) {
  const QString nested = dir.filePath(QStringLiteral("config/Quillmora/qmsetup.dat"));
  EXPECT_EQ(LoadSettings(nested), DefaultSettings());
  EXPECT_TRUE(QFileInfo(nested).isFile());
}

TEST_F(SettingsFileTest, EmptyFileShowsTheCorruptMessageAndGivesDefaults) {
  ASSERT_TRUE(testimages::WriteBytes(path(), QByteArray()));
  const SettingsRecord r = LoadSettings(path());
  EXPECT_EQ(r, DefaultSettings());
  ASSERT_EQ(messages.requests.size(), 1u);
  EXPECT_EQ(messages.requests[0].text, "Configuration data file is corrupt\nDefault values will be used");
  EXPECT_EQ(messages.requests[0].title, "Quillmora");
  EXPECT_EQ(messages.requests[0].icon, MsgIcon::Exclamation);
  EXPECT_EQ(messages.requests[0].buttons, MsgButtons::OK);
  // Deleted, then left empty again like a missing file, until the next save.
  EXPECT_EQ(QFileInfo(path()).size(), 0);
}

TEST_F(SettingsFileTest, NameThatIsNotAPlainFileGivesDefaultsWithoutBlocking) {
  ASSERT_TRUE(QDir(dir.path()).mkdir(QStringLiteral("qmsetup.dat")));
  EXPECT_EQ(LoadSettings(path()), DefaultSettings());
#ifdef Q_OS_UNIX
  const QString pipe = dir.filePath(QStringLiteral("pipe.dat"));
  ASSERT_EQ(::mkfifo(QFile::encodeName(pipe).constData(), 0600), 0);
  EXPECT_EQ(LoadSettings(pipe), DefaultSettings());  // opening a pipe to read would wait for a writer
#endif
  EXPECT_TRUE(messages.requests.empty());
}

TEST_F(SettingsFileTest, ShortFileReadsTheRestAsZeroWithoutMessage) {
  ASSERT_TRUE(testimages::WriteBytes(path(), QByteArray("\x01\x00\xFF\xFF", 4)));
  SettingsRecord expected;
  expected.saveFolders = 1;
  expected.autoCreateDestination = -1;
  EXPECT_EQ(LoadSettings(path()), expected);
  EXPECT_TRUE(messages.requests.empty());
}

TEST_F(SettingsFileTest, LoadThenSaveWritesTheFileBackUnchanged) {
  ASSERT_TRUE(testimages::WriteBytes(path(), SampleRecordBytes() + QByteArray("tail")));
  const SettingsRecord r = LoadSettings(path());
  EXPECT_EQ(r.reserved44, 0x1234);
  const QString copy = dir.filePath(QStringLiteral("copy/qmsetup.dat"));
  ASSERT_TRUE(SaveSettings(r, copy));
  EXPECT_EQ(ReadAll(copy), SampleRecordBytes());
  ASSERT_TRUE(SaveSettings(r, path()));
  EXPECT_EQ(ReadAll(path()), SampleRecordBytes());  // the old tail is gone with the old file
}

TEST_F(SettingsFileTest, SaveInterruptedBeforeTheRenameLeavesThePreviousFile) {
  const QByteArray previous = SampleRecordBytes();
  ASSERT_TRUE(testimages::WriteBytes(path(), previous));
  SettingsRecord changed = DecodeSettings(previous);
  changed.pageTitle = QStringLiteral("A much longer title than before");
  bool called = false;
  const bool saved = SaveSettings(changed, path(), [&] {
    called = true;
    EXPECT_EQ(ReadAll(path()), previous);  // the new contents are still elsewhere
    return false;
  });
  EXPECT_TRUE(called);
  EXPECT_FALSE(saved);
  EXPECT_EQ(ReadAll(path()), previous);
  EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{"qmsetup.dat"});

  EXPECT_TRUE(SaveSettings(changed, path()));
  EXPECT_EQ(ReadAll(path()), EncodeSettings(changed));
  EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{"qmsetup.dat"});
}

TEST_F(SettingsFileTest, SaveThatCannotWriteFailsQuietly) {
  ASSERT_TRUE(testimages::WriteBytes(dir.filePath(QStringLiteral("plain")), "x"));
  EXPECT_FALSE(SaveSettings(DefaultSettings(), dir.filePath(QStringLiteral("plain/qmsetup.dat"))));
  EXPECT_TRUE(messages.requests.empty());
}

TEST_F(SettingsFileTest, FileExistsForFilesFoldersAndDanglingLinks) {
  ASSERT_TRUE(testimages::WriteBytes(dir.filePath(QStringLiteral("file")), "x"));
  ASSERT_TRUE(QDir(dir.path()).mkdir(QStringLiteral("folder")));
  ASSERT_TRUE(QFile::link(dir.filePath(QStringLiteral("gone")), dir.filePath(QStringLiteral("link"))));
  struct Case {
    QString path;
    bool exists;
  };
  for (const Case& c : {Case{dir.filePath("file"), true}, Case{dir.filePath("folder"), true},
                        Case{dir.filePath("folder/"), true}, Case{dir.filePath("link"), true},
                        Case{dir.filePath("gone"), false}, Case{QString(), false}})
    EXPECT_EQ(FileExists(c.path), c.exists) << c.path.toStdString();
}

TEST_F(SettingsFileTest, SettingsLiveBesideTheProgramOnlyWhenThatFolderIsWritable) {
  const QString config = dir.filePath(QStringLiteral("config"));
  EXPECT_EQ(ChooseSettingsFilePath(dir.path(), config), dir.filePath("qmsetup.dat"));
  EXPECT_EQ(ChooseSettingsFilePath(QStringLiteral("/proc"), config), config + "/qmsetup.dat");
  EXPECT_EQ(ChooseSettingsFilePath(dir.filePath("missing"), config), config + "/qmsetup.dat");
  EXPECT_EQ(QDir(dir.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot), QStringList());
}

// Random, truncated and huge files: loading and applying never fail, and
// every value that reaches a control is inside that control's range.
TEST_F(SettingsFileTest, GarbageFilesLoadAndApplySafely) {
  QRandomGenerator random(20261208);
  std::vector<QByteArray> files;
  const QByteArray sample = SampleRecordBytes();
  for (int cut = 0; cut <= sample.size(); ++cut) files.push_back(sample.left(cut));
  for (int i = 0; i < 3000; ++i) {
    QByteArray bytes(static_cast<qsizetype>(random.bounded(1, 400)), Qt::Uninitialized);
    for (char& b : bytes) b = static_cast<char>(random.bounded(256));
    // Half of them with a short first text, so later fields get read too.
    if (i % 2 == 0 && bytes.size() > 20) {
      bytes[18] = static_cast<char>(bytes[18] & 0x1F);
      bytes[19] = 0;
    }
    files.push_back(bytes);
  }
  QByteArray huge(10 * 1024 * 1024, Qt::Uninitialized);
  for (qsizetype i = 0; i < huge.size(); i += 4) {
    const quint32 v = random.generate();
    memcpy(huge.data() + i, &v, 4);
  }
  files.push_back(huge);

  int expectedMessages = 0;
  for (const QByteArray& bytes : files) {
    // Overwritten in place and cut to size: creating or emptying a file
    // thousands of times is slow on some file systems.
    QFile file(path());
    ASSERT_TRUE(file.open(QIODevice::ReadWrite));
    ASSERT_EQ(file.write(bytes), bytes.size());
    ASSERT_TRUE(file.resize(bytes.size()));
    file.close();
    if (bytes.isEmpty()) ++expectedMessages;
    SettingsRecord r = LoadSettings(path());
    for (int p = 0; p < kPreferenceCount; ++p) SetPreference(r, static_cast<Preference>(p), true);
    FakeOptionControls controls;
    ApplySettingsToControls(r, controls);
    ASSERT_EQ(controls.outOfRange, 0);
    ASSERT_EQ(controls.log.size(), 10 + 10 + 12 + 2 + 1);
  }
  EXPECT_EQ(static_cast<int>(messages.requests.size()), expectedMessages);
}

}  // namespace
