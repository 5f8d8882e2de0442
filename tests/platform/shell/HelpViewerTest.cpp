// The help viewer window: its topics, its keyword search, one window reused.
#include <gtest/gtest.h>

#include <QLineEdit>
#include <QListWidget>
#include <QPointer>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBrowser>

#include "platform/shell/HelpViewer.h"

namespace {
QString WriteHelp(const QTemporaryDir& dir) {
  const QString path = dir.filePath(QStringLiteral("help.hlp"));
  QFile file(path);
  file.open(QIODevice::WriteOnly);
  file.write("Title: Test Help\n"
             "== Welcome ==\nKeywords: overview\nHello.\n"
             "== Thumbnails ==\nKeywords: thumbnail size; resize\nSizes.\n"
             "== Albums ==\nKeywords: album pages; thumbnail page\nPages.\n");
  return path;
}

}  // namespace

TEST(HelpViewer, TopicsShowTheContentsAndSearchStartsEmpty) {
  QTemporaryDir dir;
  const QString path = WriteHelp(dir);
  QWidget owner;
  ASSERT_EQ(ShowHelp({path, HelpCommand::Contents, QString()}, &owner), QString());
  auto* viewer = owner.findChild<HelpViewer*>();
  ASSERT_TRUE(viewer);
  EXPECT_TRUE(viewer->isVisible());
  EXPECT_EQ(viewer->windowTitle(), QStringLiteral("Test Help"));
  auto* tabs = viewer->findChild<QTabWidget*>(QStringLiteral("tabs"));
  auto* topics = viewer->findChild<QListWidget*>(QStringLiteral("lstTopics"));
  auto* text = viewer->findChild<QTextBrowser*>(QStringLiteral("txtTopic"));
  EXPECT_EQ(tabs->currentIndex(), 0);
  ASSERT_EQ(topics->count(), 3);
  EXPECT_EQ(topics->item(1)->text(), QStringLiteral("Thumbnails"));
  EXPECT_TRUE(text->toPlainText().startsWith(QStringLiteral("Welcome")));

  QTest::mouseClick(topics->viewport(), Qt::LeftButton, {}, topics->visualItemRect(topics->item(2)).center());
  EXPECT_EQ(viewer->currentTopic(), 2);

  // Search For Help on: the same window, the index page, an empty box, every keyword.
  ASSERT_EQ(ShowHelp({path, HelpCommand::PartialKey, QString()}, &owner), QString());
  EXPECT_EQ(owner.findChildren<HelpViewer*>().size(), 1);
  EXPECT_EQ(owner.findChild<HelpViewer*>(), viewer);
  auto* search = viewer->findChild<QLineEdit*>(QStringLiteral("txtSearch"));
  auto* keywords = viewer->findChild<QListWidget*>(QStringLiteral("lstKeywords"));
  EXPECT_EQ(tabs->currentIndex(), 1);
  EXPECT_TRUE(search->text().isEmpty());
  EXPECT_EQ(keywords->count(), 5);

  QTest::keyClicks(search, QStringLiteral("thu"));
  ASSERT_EQ(keywords->count(), 2);
  EXPECT_EQ(keywords->item(0)->text(), QStringLiteral("thumbnail page"));
  EXPECT_EQ(viewer->currentTopic(), 2);  // the first match is shown while typing
  QTest::keyClicks(search, QStringLiteral("mbnail s"));
  ASSERT_EQ(keywords->count(), 1);
  QTest::mouseClick(keywords->viewport(), Qt::LeftButton, {}, keywords->visualItemRect(keywords->item(0)).center());
  EXPECT_EQ(viewer->currentTopic(), 1);
  EXPECT_TRUE(text->toPlainText().startsWith(QStringLiteral("Thumbnails")));
}

TEST(HelpViewer, UnreadableFileOpensNoWindowAndTheHandlerSeesRequests) {
  QTemporaryDir dir;
  QWidget owner;
  const QString error = ShowHelp({dir.filePath(QStringLiteral("gone.hlp")), HelpCommand::Contents, QString()}, &owner);
  EXPECT_TRUE(error.contains(QStringLiteral("gone.hlp")));
  EXPECT_FALSE(owner.findChild<HelpViewer*>());

  HelpRequest seen;
  SetHelpHandler([&](const HelpRequest& r) {
    seen = r;
    return QStringLiteral("no viewer");
  });
  EXPECT_EQ(ShowHelp({QStringLiteral("/x.hlp"), HelpCommand::PartialKey, QStringLiteral("k")}, &owner),
            QStringLiteral("no viewer"));
  SetHelpHandler(nullptr);
  EXPECT_EQ(seen.helpFile, QStringLiteral("/x.hlp"));
  EXPECT_EQ(seen.command, HelpCommand::PartialKey);
  EXPECT_EQ(seen.key, QStringLiteral("k"));
}
