// The help text window, the about box with its system information button,
// and the Help menu's display of the help file.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QLabel>
#include <QPointer>
#include <QProcess>
#include <QPushButton>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

#include "app/main/HelpDisplay.h"
#include "app/main/fAbout.h"
#include "app/main/fhelp.h"
#include "platform/shell/HelpViewer.h"
#include "tests/app/main/MessageLog.h"
#include "platform/shell/OpenDocument.h"
#include "platform/shell/Registry.h"
#include "platform/shell/StartProgram.h"

TEST(HelpWindow, TextAndLayout) {
  const QString expected = QString::fromUtf8(
      "\r\r\r\r"
      " Using the Quillmora program is quite easy. Follow the circled numbers on the main"
      " screen:"
      "\r\r"
      " 1) - Select the source folder which contains the images from which you wish to make"
      " thumbnail images, as well as the destination folder in which you want the new thumbnail"
      " images to be created. You may also select a file mask if needed. 27 different input"
      " file formats are supported."
      "\r\r"
      " 2) - Here you can select and preview the image files you wish to convert into thumbnail"
      " images. Multiple selections can be made by holding down the <CTRL> key, and selecting"
      " the desired files with the mouse. For a full-size preview of the selected image,"
      " DblClick on the preview image."
      "\r\r"
      " 3) - Here you can select such options as Thumbnail Resize Mode, Thumbnail dimensions,"
      " Output File Format, and an optional prefix for the thumbnail file(s). In most cases,"
      " these options can remain at default settings. Resize mode settings are"
      " self-explanatory, as are Output Format and Width/Height settings. The Output File"
      " Prefix box allows you to set a unique prefix in the output file name(s) so that they"
      " will not conflict with nor replace other files. You may also choose from 6 different"
      " industry-standard resample filters in order to achieve the best image quality."
      "\r\r"
      " 4) - Start or Stop the creation of thumbnail images."
      "\r\r"
      " -----------------------------------------------------------------------"
      "\r\r"
      " This program utilizes portions of the Freeimage Image library. For more information,"
      " visit https://freeimage.sourceforge.io/");
  EXPECT_EQ(fhelp::HelpText().toUtf8(), expected.toUtf8());

  auto* window = new fhelp;
  window->show();
  EXPECT_EQ(window->windowTitle(), QStringLiteral("Quillmora"));
  EXPECT_EQ(window->findChild<QLabel*>(QStringLiteral("lblHeader"))->text(), QStringLiteral("Using Quillmora:"));
  // Carriage returns show as line breaks.
  EXPECT_EQ(window->findChild<QLabel*>(QStringLiteral("lblAbout"))->text(),
            QString(expected).replace(QChar(13), QChar(10)));
  auto* visit = window->findChild<QPushButton*>(QStringLiteral("cmdVisit"));
  EXPECT_EQ(visit->text(), QStringLiteral("Visit Oxbrindle"));
  EXPECT_LE(std::abs(visit->geometry().center().x() - window->width() / 2), 1);

  QStringList opened;
  SetOpenDocumentHandler([&](const QString& target) {
    opened << target;
    return true;
  });
  QTest::mouseClick(visit, Qt::LeftButton);
  SetOpenDocumentHandler(nullptr);
  EXPECT_EQ(opened, QStringList{QStringLiteral("https://oxbrindle.example.org/")});
  window->close();
}

TEST(AboutBox, CaptionVersionAndTexts) {
  QWidget owner;
  auto* about = new fAbout(&owner);
  about->show();
  EXPECT_EQ(about->windowTitle(), QStringLiteral("About Quillmora"));
  EXPECT_EQ(about->findChild<QLabel*>(QStringLiteral("lblTitle"))->text(), QStringLiteral("Quillmora"));
  // The build's one version number.
  EXPECT_EQ(about->findChild<QLabel*>(QStringLiteral("lblVersion"))->text(),
            QStringLiteral("Version " QUILLMORA_VERSION));
  EXPECT_EQ(about->findChild<QLabel*>(QStringLiteral("lblDescription"))->text(),
            QStringLiteral("Quillmora is an easy-to-use tool which you can use to batch resize and/or convert images "
                           "and create HTML image albums. For more information on this and other software, Please "
                           "contact us at: https://oxbrindle.example.org/"));
  EXPECT_FALSE(about->findChild<QLabel*>(QStringLiteral("lblDisclaimer"))->text().isEmpty());
  QPointer<fAbout> alive(about);
  QTest::mouseClick(about->findChild<QPushButton*>(QStringLiteral("cmdOK")), Qt::LeftButton);
  EXPECT_FALSE(about->isVisible());
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  EXPECT_FALSE(alive);
}

TEST(AboutBox, SystemInfoStartsTheRecordedToolOrSaysItIsUnavailable) {
  QTemporaryDir dir;
  ASSERT_TRUE(dir.isValid());
  // A fallback that would start: it must not be tried when "PATH" exists.
  QFile fallback(dir.filePath(QStringLiteral("MSINFO32.EXE")));
  ASSERT_TRUE(fallback.open(QIODevice::WriteOnly));
  fallback.close();
  const QString missing = dir.filePath(QStringLiteral("no-such-tool"));
  const QString fallbackPath = dir.path() + QStringLiteral("/MSINFO32.EXE");

  const struct {
    const char* name;
    std::optional<QString> path;      // "PATH" of the MSINFO key
    std::optional<QString> location;  // "MSINFO" of the Shared Tools Location key
    QStringList attempts;
    bool message;
  } cases[] = {
      {"path names a missing program", missing, dir.path(), {missing}, true},
      {"path names a program", QStringLiteral("/bin/true"), dir.path(), {QStringLiteral("/bin/true")}, false},
      {"fallback folder holds the tool", std::nullopt, dir.path(), {fallbackPath}, false},
      {"fallback folder without the tool", std::nullopt, dir.filePath(QStringLiteral("empty")), {}, true},
      {"no tool at all", std::nullopt, std::nullopt, {}, true},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    Registry::SetLookup([&](const QString& key, const QString& name) -> std::optional<QString> {
      if (key == QLatin1String(Registry::kMsInfoKey) && name == QLatin1String("PATH")) return c.path;
      if (key == QLatin1String(Registry::kSharedToolsLocationKey) && name == QLatin1String("MSINFO"))
        return c.location;
      return std::nullopt;
    });
    QStringList attempts;
    SetStartProgramHandler([&](const QString& program) {
      attempts << program;
      return QFileInfo(program).isExecutable() || program == fallbackPath;
    });
    MessageLog log;
    QWidget owner;
    auto* about = new fAbout(&owner);
    about->show();
    QTest::mouseClick(about->findChild<QPushButton*>(QStringLiteral("cmdSysInfo")), Qt::LeftButton);
    EXPECT_EQ(attempts, c.attempts);
    ASSERT_EQ(log.shown.size(), c.message ? 1 : 0);
    if (c.message) {
      EXPECT_EQ(log.shown[0].text, QStringLiteral("System Information Is Unavailable At This Time"));
      EXPECT_EQ(log.shown[0].buttons, MsgButtons::OK);
    }
    EXPECT_TRUE(about->isVisible());
  }
  SetStartProgramHandler(nullptr);
  Registry::SetLookup(nullptr);
}

TEST(AboutBox, StartingAMissingProgramFails) {
  QTemporaryDir dir;
  EXPECT_FALSE(StartProgram(dir.filePath(QStringLiteral("missing"))));
  EXPECT_FALSE(StartProgram(QString()));
  EXPECT_TRUE(StartProgram(QStringLiteral("/bin/true")));
}

TEST(HelpMenu, MissingHelpFileShowsTheMessageOtherwiseTheViewerOpens) {
  QTemporaryDir dir;
  const QString helpFile = dir.filePath(QStringLiteral("quillmorahelp.hlp"));
  QVector<HelpRequest> requests;
  QString answer;
  SetHelpHandler([&](const HelpRequest& r) {
    requests << r;
    return answer;
  });
  QWidget owner;
  const QString caption = QStringLiteral("Quillmora by Oxbrindle");
  {
    MessageLog log;
    ShowHelpTopics(&owner, QString(), caption);
    SearchForHelp(&owner, helpFile, caption);  // named, but not there
    ASSERT_EQ(log.shown.size(), 2);
    for (const MessageBoxRequest& shown : log.shown) {
      EXPECT_EQ(shown.text,
                QStringLiteral("Unable to display Help Contents. There is no Help associated with this project."));
      EXPECT_EQ(shown.title, caption);
      EXPECT_EQ(shown.icon, MsgIcon::Information);
    }
    EXPECT_TRUE(requests.isEmpty());
  }
  QFile file(helpFile);
  ASSERT_TRUE(file.open(QIODevice::WriteOnly));
  file.write("== Topic ==\n");
  file.close();
  {
    MessageLog log;
    ShowHelpTopics(&owner, helpFile, caption);
    SearchForHelp(&owner, helpFile, caption);
    EXPECT_TRUE(log.shown.isEmpty());
    ASSERT_EQ(requests.size(), 2);
    EXPECT_EQ(requests[0].command, HelpCommand::Contents);
    EXPECT_EQ(requests[1].command, HelpCommand::PartialKey);
    EXPECT_TRUE(requests[1].key.isEmpty());
    EXPECT_EQ(requests[1].helpFile, helpFile);

    answer = QStringLiteral("the viewer failed");
    ShowHelpTopics(&owner, helpFile, caption);
    ASSERT_EQ(log.shown.size(), 1);
    EXPECT_EQ(log.shown[0].text, answer);
    EXPECT_EQ(log.shown[0].title, QStringLiteral("Quillmora"));
    EXPECT_EQ(log.shown[0].icon, MsgIcon::None);
  }
  SetHelpHandler(nullptr);
}

TEST(HelpFileContent, ShippedHelpDescribesEveryBatchOption) {
  QFile help(QStringLiteral(SHIPPED_HELP_FILE));
  ASSERT_TRUE(help.open(QIODevice::ReadOnly));
  const QString text = QString::fromUtf8(help.readAll());
  const HelpDocument doc = ParseHelpText(text);
  EXPECT_GE(doc.topics.size(), 8);
  for (const HelpTopic& topic : doc.topics) EXPECT_FALSE(topic.keywords.isEmpty()) << qPrintable(topic.title);

  QProcess batch;
  batch.start(QStringLiteral(QUILLMORA_BATCH_PATH), {QStringLiteral("--help")});
  ASSERT_TRUE(batch.waitForFinished(10000));
  const QString usage = QString::fromUtf8(batch.readAllStandardOutput());
  static const QRegularExpression option(QStringLiteral("--[a-z-]+"));
  int options = 0;
  for (auto it = option.globalMatch(usage); it.hasNext(); ++options) {
    const QString name = it.next().captured();
    EXPECT_TRUE(text.contains(name)) << qPrintable(name);
  }
  EXPECT_GE(options, 15);
}
