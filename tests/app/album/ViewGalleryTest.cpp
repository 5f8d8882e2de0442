// The first page's existence check and "View Gallery".
#include <gtest/gtest.h>

#include "tests/app/album/QStringPrinter.h"

#include <QDir>
#include <QTemporaryDir>

#include "app/album/AlbumPageFile.h"
#include "app/album/ViewGallery.h"
#include "platform/shell/OpenDocument.h"
#include "tests/support/TestImages.h"

namespace {

TEST(AlbumPageExists, OnlyVisibleRegularFilesCount) {
  QTemporaryDir dir;
  ASSERT_TRUE(testimages::WriteBytes(dir.filePath(QStringLiteral("gallery1.htm")), "x"));
  ASSERT_TRUE(testimages::WriteBytes(dir.filePath(QStringLiteral(".gallery1.htm")), "x"));
  ASSERT_TRUE(QDir(dir.path()).mkdir(QStringLiteral("folder1.htm")));
  const struct {
    QString path;
    bool exists;
  } cases[] = {
      {dir.filePath(QStringLiteral("gallery1.htm")), true},
      {dir.filePath(QStringLiteral(".gallery1.htm")), false},
      {dir.filePath(QStringLiteral("folder1.htm")), false},
      {dir.filePath(QStringLiteral("gallery2.htm")), false},
      {QString(), false},
  };
  for (const auto& c : cases) EXPECT_EQ(AlbumPageExists(c.path), c.exists) << c.path.toStdString();
}

class ViewGalleryTest : public ::testing::Test {
 protected:
  void SetUp() override {
    previous_ = SetOpenDocumentHandler([this](const QString& path) {
      opened_ << path;
      return shellSucceeds_;
    });
  }
  void TearDown() override { SetOpenDocumentHandler(previous_); }

  QTemporaryDir dir_;
  QStringList opened_;
  bool shellSucceeds_ = true;
  OpenDocumentHandler previous_;
};

TEST_F(ViewGalleryTest, OpensTheFirstPageWhenItExists) {
  ASSERT_TRUE(testimages::WriteBytes(dir_.filePath(QStringLiteral("gallery1.htm")), "x"));
  EXPECT_TRUE(ViewGallery(dir_.path(), AlbumOptions()));
  EXPECT_EQ(opened_, QStringList{dir_.filePath(QStringLiteral("gallery1.htm"))});
}

TEST_F(ViewGalleryTest, UsesThePageFileNameWithoutSurroundingBlanks) {
  ASSERT_TRUE(testimages::WriteBytes(dir_.filePath(QStringLiteral("my album1.htm")), "x"));
  AlbumOptions options;
  options.pageFileName = QStringLiteral("  my album ");
  EXPECT_TRUE(ViewGallery(dir_.path() + QLatin1Char('/'), options));
  EXPECT_EQ(opened_, QStringList{dir_.filePath(QStringLiteral("my album1.htm"))});
}

TEST_F(ViewGalleryTest, DoesNothingWithoutAFirstPage) {
  ASSERT_TRUE(testimages::WriteBytes(dir_.filePath(QStringLiteral("gallery2.htm")), "x"));
  ASSERT_TRUE(testimages::WriteBytes(dir_.filePath(QStringLiteral(".gallery1.htm")), "x"));
  AlbumOptions hidden;
  hidden.pageFileName = QStringLiteral(".gallery");
  EXPECT_FALSE(ViewGallery(dir_.path(), AlbumOptions()));
  EXPECT_FALSE(ViewGallery(dir_.path(), hidden));
  EXPECT_FALSE(ViewGallery(dir_.filePath(QStringLiteral("missing")), AlbumOptions()));
  EXPECT_FALSE(ViewGallery(QString(), AlbumOptions()));
  EXPECT_TRUE(opened_.isEmpty());
}

TEST_F(ViewGalleryTest, AShellFailureIsNotAnOpenedPage) {
  ASSERT_TRUE(testimages::WriteBytes(dir_.filePath(QStringLiteral("gallery1.htm")), "x"));
  shellSucceeds_ = false;
  EXPECT_FALSE(ViewGallery(dir_.path(), AlbumOptions()));
  EXPECT_EQ(opened_.size(), 1);
}

}  // namespace
