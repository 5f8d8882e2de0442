// Finding the program's parts in the build layout and the installed layout.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include "platform/files/ProgramFiles.h"

using ProgramFiles::Part;

namespace {
bool Touch(const QString& path) {
  QDir().mkpath(QFileInfo(path).absolutePath());
  QFile file(path);
  return file.open(QIODevice::WriteOnly);
}
}  // namespace

TEST(ProgramFiles, InstalledPartsAreFoundRelativeToTheExecutableAndBesideItFirst) {
  QTemporaryDir prefix;
  ASSERT_TRUE(prefix.isValid());
  const QString bin = prefix.filePath(QStringLiteral("bin"));
  ASSERT_TRUE(QDir().mkpath(bin));
  const struct {
    Part part;
    const char* name;
  } cases[] = {
      {Part::HelperProgram, "quillmora-decoder"},
      {Part::PrivateLibrary, "liborvellan.so"},
      {Part::DataFile, "quillmorahelp.hlp"},
  };
  for (const auto& c : cases) {
    const QString name = QString::fromLatin1(c.name);
    SCOPED_TRACE(c.name);
    EXPECT_TRUE(ProgramFiles::Find(c.part, name, bin).isEmpty());

    // The installed folder lies inside the prefix, and never is the bin folder itself.
    const QStringList folders = ProgramFiles::SearchFolders(c.part, bin);
    ASSERT_EQ(folders.size(), 2);
    EXPECT_EQ(folders[0], bin);
    EXPECT_TRUE(folders[1].startsWith(QDir(prefix.path()).absolutePath() + QLatin1Char('/')));
    EXPECT_NE(folders[1], bin);

    const QString installed = QDir(folders[1]).filePath(name);
    ASSERT_TRUE(Touch(installed));
    EXPECT_EQ(ProgramFiles::Find(c.part, name, bin), installed);

    const QString beside = QDir(bin).filePath(name);
    ASSERT_TRUE(Touch(beside));
    EXPECT_EQ(ProgramFiles::Find(c.part, name, bin), beside);
  }
  // A folder of that name is not the file.
  ASSERT_TRUE(QDir().mkpath(QDir(bin).filePath(QStringLiteral("quillmora-batch"))));
  EXPECT_TRUE(ProgramFiles::Find(Part::HelperProgram, QStringLiteral("quillmora-batch"), bin).isEmpty());
}

TEST(ProgramFiles, TheRunningProgramsFolderIsTheExecutables) {
  const QString folder = ProgramFiles::ExecutableFolder();
  EXPECT_TRUE(QFileInfo(QDir(folder).filePath(QStringLiteral("test_platform_shell"))).isExecutable()) << qPrintable(folder);
}
