// The source file list: masks, order, folders that cannot be read, and names
// that are not valid text (listed, never silently dropped).
#include <gtest/gtest.h>

#include <fcntl.h>
#include <unistd.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include "app/engine/BatchRun.h"
#include "app/engine/FileMasks.h"
#include "tests/app/engine/FakeBatchHost.h"
#include "tests/support/TestImages.h"

TEST(ListFolder, MasksOrderAndFolderKinds) {
  QTemporaryDir dir;
  for (const char* name : {"b.JPG", "a.jpg", "c.jpeg", "d.tif", "e.tiff", "noext", ".hidden.jpg"})
    ASSERT_TRUE(testimages::WriteBytes(dir.filePath(name), "x"));
  ASSERT_TRUE(QDir().mkpath(dir.filePath("folder.jpg")));
  struct Case { int mask; QStringList names; } cases[] = {
      {0, {"a.jpg", "b.JPG", "e.tiff"}},                       // "All Supported Formats": no .jpeg, no .tif
      {9, {"a.jpg", "b.JPG", "c.jpeg"}},
      {23, {"d.tif", "e.tiff"}},
      {28, {"a.jpg", "b.JPG", "c.jpeg", "d.tif", "e.tiff", "noext"}},  // every file, none hidden, no folder
  };
  for (const auto& c : cases) {
    const FolderListing listing = ListFolder(dir.path(), FileMasks()[c.mask].pattern);
    EXPECT_TRUE(listing.readable);
    EXPECT_EQ(listing.names, c.names) << c.mask;
  }
  for (const QString& notAFolder : {dir.filePath("a.jpg"), dir.filePath("absent")}) {
    const FolderListing listing = ListFolder(notAFolder, QStringLiteral("*.*"));
    EXPECT_FALSE(listing.readable) << notAFolder.toStdString();
    EXPECT_FALSE(listing.error.isEmpty());
    EXPECT_TRUE(listing.names.isEmpty());
  }
}

TEST(ListFolder, NamesThatAreNotValidTextAreListedAndFailWithTheirReason) {
  QTemporaryDir dir;
  ASSERT_TRUE(testimages::Gradient(30, 20).save(dir.filePath("good.png")));
  QFile good(dir.filePath("good.png"));
  ASSERT_TRUE(good.open(QIODevice::ReadOnly));
  const QByteArray bytes = good.readAll();
  const QByteArray badName = QFile::encodeName(dir.path()) + "/bad\xff.png";
  const int fd = ::open(badName.constData(), O_WRONLY | O_CREAT | O_EXCL, 0644);
  ASSERT_GE(fd, 0);
  ASSERT_EQ(::write(fd, bytes.constData(), static_cast<size_t>(bytes.size())), bytes.size());
  ::close(fd);

  const FolderListing listing = ListFolder(dir.path(), QStringLiteral("*.png"));
  ASSERT_EQ(listing.names.size(), 2);
  ASSERT_EQ(listing.unrepresentable.size(), 1);
  EXPECT_TRUE(listing.names.contains(listing.unrepresentable[0]));

  QTemporaryDir out;
  FakeBatchHost host;
  host.sourceFolder = dir.path();
  host.destinationFolder = out.path();
  host.selected = listing.names;
  BatchRun run(host);
  run.Start();
  EXPECT_EQ(host.counterTexts.last(), "Completed 2 of 2 images, 1 failed");
  ASSERT_EQ(host.failures.size(), 1);
  EXPECT_TRUE(host.failures[0].startsWith(listing.unrepresentable[0] + ": the file cannot be found"))
      << host.failures[0].toStdString();
  EXPECT_TRUE(QFile::exists(out.filePath("TH_good.jpg")));
}
