// Name parts typed into the option pages stay inside the destination folder:
// a refused text does not get into its box, and the user is told why.
#include <gtest/gtest.h>

#include <QApplication>
#include <QClipboard>
#include <QLineEdit>
#include <QTest>

#include "app/options/NamePartGuard.h"
#include "platform/shell/MessageBox.h"

namespace {

class NamePartGuardTest : public ::testing::Test {
 protected:
  QWidget window;
  QLineEdit* box = nullptr;
  QLineEdit* other = nullptr;
  QStringList messages;
  MessageBoxHandler old;

  void SetUp() override {
    box = new QLineEdit(&window);
    other = new QLineEdit(&window);
    other->move(0, 40);
    window.show();
    window.activateWindow();
    old = SetMessageBoxHandler([this](const MessageBoxRequest& r) {
      messages << r.text;
      EXPECT_EQ(r.title, QStringLiteral("Quillmora"));
      EXPECT_EQ(r.icon, MsgIcon::Exclamation);
      return MsgResult::OK;
    });
  }
  void TearDown() override { SetMessageBoxHandler(old); }

  NamePartGuard* Guard(NamePart part, const QString& start) {
    box->setText(start);
    auto* guard = new NamePartGuard(box, part);
    box->setFocus();
    box->end(false);
    return guard;
  }
};

TEST_F(NamePartGuardTest, SlashIsRefusedWhereItIsTyped) {
  struct Case {
    NamePart part;
    const char* start;
  };
  const Case cases[] = {{NamePart::Prefix, "TH_"},
                        {NamePart::Suffix, "_s"},
                        {NamePart::PageFileName, "gallery"},
                        {NamePart::ThumbFolderName, "thumbs"}};
  for (const Case& c : cases) {
    messages.clear();
    NamePartGuard* guard = Guard(c.part, QString::fromLatin1(c.start));
    QTest::keyClicks(box, QStringLiteral("a/b"));
    QCoreApplication::processEvents();
    const QString expected = QString::fromLatin1(c.start) + QStringLiteral("ab");
    EXPECT_EQ(box->text(), expected);
    EXPECT_EQ(guard->acceptedText(), expected);
    ASSERT_EQ(messages.size(), 1);
    EXPECT_TRUE(messages[0].contains(QStringLiteral("cannot contain \"/\""))) << messages[0].toStdString();
    delete guard;
  }
}

TEST_F(NamePartGuardTest, PastedPathIsRefused) {
  NamePartGuard* guard = Guard(NamePart::Prefix, QStringLiteral("TH_"));
  QGuiApplication::clipboard()->setText(QStringLiteral("../../etc/"));
  box->paste();
  QCoreApplication::processEvents();
  EXPECT_EQ(box->text(), QStringLiteral("TH_"));
  EXPECT_EQ(guard->acceptedText(), QStringLiteral("TH_"));
  EXPECT_EQ(messages.size(), 1);
}

TEST_F(NamePartGuardTest, DotFolderNamesGoBackWhenEditingEnds) {
  NamePartGuard* guard = Guard(NamePart::ThumbFolderName, QStringLiteral("thumbs"));
  box->clear();
  QTest::keyClicks(box, QStringLiteral(".."));
  EXPECT_EQ(box->text(), QStringLiteral(".."));  // may still become "..x"
  EXPECT_EQ(guard->acceptedText(), QString());   // the empty text was the last accepted one
  QTest::keyClick(box, Qt::Key_Return);
  QCoreApplication::processEvents();
  EXPECT_EQ(box->text(), QString());
  ASSERT_EQ(messages.size(), 1);
  EXPECT_TRUE(messages[0].contains(QStringLiteral("cannot be \"..\""))) << messages[0].toStdString();

  // Typing on makes it a name; leaving the box with "." puts the last name back.
  QTest::keyClicks(box, QStringLiteral(".thumbs"));
  EXPECT_EQ(guard->acceptedText(), QStringLiteral(".thumbs"));
  box->selectAll();
  QTest::keyClicks(box, QStringLiteral("."));
  other->setFocus();
  QCoreApplication::processEvents();
  EXPECT_EQ(box->text(), QStringLiteral(".thumbs"));
  EXPECT_EQ(messages.size(), 2);

  // Set from code: refused silently.
  EXPECT_FALSE(guard->setText(QStringLiteral(".")));
  EXPECT_TRUE(guard->setText(QStringLiteral("small")));
  EXPECT_EQ(box->text(), QStringLiteral("small"));
  QCoreApplication::processEvents();
  EXPECT_EQ(messages.size(), 2);
}

}  // namespace
