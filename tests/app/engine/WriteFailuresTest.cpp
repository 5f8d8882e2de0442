// What can fail when the program writes a file says why: a full disk, a
// missing permission, a picture that cannot be converted each have their own
// words, and a failed write never leaves a file behind.
#include <gtest/gtest.h>

#include <fcntl.h>

#include <QFile>
#include <QSet>
#include <QTemporaryDir>
#include <cerrno>

#include "app/engine/FailureTexts.h"
#include "app/engine/WholeFile.h"
#include "tests/support/TestImages.h"

TEST(WriteFailures, AFullDiskSaysSoAndKeepsTheEarlierFile) {
  QTemporaryDir dir;
  const QString target = dir.filePath("thumb.jpg");
  ASSERT_TRUE(testimages::WriteBytes(target, "earlier"));
  // /dev/full takes the new contents: every write there ends in ENOSPC.
  WholeFileWriter writer(target, WholeFileWriter::Durability::Flushed, [](const QString&, QString* name) {
    name->clear();  // nothing of the writer's own to remove
    return ::open("/dev/full", O_WRONLY | O_CLOEXEC);
  });
  ASSERT_TRUE(writer.Open().ok());
  const Outcome written = writer.Write(QByteArray(4096, 'x'));
  EXPECT_EQ(written.failure, Failure::DiskFull);
  EXPECT_EQ(writer.Commit().failure, Failure::DiskFull);
  QFile kept(target);
  ASSERT_TRUE(kept.open(QIODevice::ReadOnly));
  EXPECT_EQ(kept.readAll(), "earlier");
  EXPECT_EQ(WriteFailureText("its thumbnail", target, written.failure),
            "its thumbnail could not be written to " + target + ": the disk is full");
}

TEST(WriteFailures, EachReasonHasItsOwnWords) {
  struct Case {
    int error;  // the system's error number behind the reason, 0 for none
    Failure why;
    const char* text;  // what a failed thumbnail write to /o/a.jpg says
  };
  const Case cases[] = {
      {ENOSPC, Failure::DiskFull, "its thumbnail could not be written to /o/a.jpg: the disk is full"},
      {EDQUOT, Failure::DiskFull, "its thumbnail could not be written to /o/a.jpg: the disk is full"},
      {EACCES, Failure::PermissionDenied, "its thumbnail could not be written to /o/a.jpg: permission denied"},
      {EPERM, Failure::PermissionDenied, "its thumbnail could not be written to /o/a.jpg: permission denied"},
      {EROFS, Failure::PermissionDenied, "its thumbnail could not be written to /o/a.jpg: permission denied"},
      {ENOENT, Failure::NotFound, "its thumbnail could not be written to /o/a.jpg: its folder is not there"},
      {ENAMETOOLONG, Failure::NameRefused,
       "its thumbnail could not be written to /o/a.jpg: the name is not allowed there"},
      {EIO, Failure::WriteFailed, "its thumbnail could not be written to /o/a.jpg: the file could not be written"},
      {0, Failure::ConversionFailed, "its thumbnail could not be converted to its output format"},
      {0, Failure::None, ""},
  };
  for (const Case& c : cases) {
    if (c.error != 0) {
      EXPECT_EQ(FailureOfErrno(c.error), c.why) << c.text;
    }
    EXPECT_EQ(WriteFailureText("its thumbnail", "/o/a.jpg", c.why), QString::fromUtf8(c.text));
  }
  // Reading: the texts the run and the previews have always shown stay.
  EXPECT_EQ(FailureText(Failure::Damaged), "not an image this program can read, or damaged");
  EXPECT_TRUE(FailureText(Failure::NotFound).startsWith("the file cannot be found"));
  // Every reason reads differently.
  QSet<QString> texts;
  for (int i = static_cast<int>(Failure::NotFound); i <= static_cast<int>(Failure::Abandoned); ++i)
    texts.insert(FailureText(static_cast<Failure>(i)));
  EXPECT_EQ(texts.size(), static_cast<int>(Failure::Abandoned));
}
