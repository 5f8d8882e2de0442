#include "platform/shell/DialogScript.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QInputDialog>
#include <QLineEdit>
#include <QTimer>

namespace {

TEST(InputBox, OkWithEmptyTextDiffersFromCancel) {
  const struct {
    QString typed;
    bool ok;
    InputBoxAnswer expected;
  } cases[] = {
      {"Holiday 2023", true, {true, "Holiday 2023"}},
      {"", true, {true, ""}},
      {"typed, then cancelled", false, {false, ""}},
  };
  for (const auto& c : cases) {
    QString title, label, shownDefault;
    QTimer::singleShot(0, [&] {
      auto* box = qobject_cast<QInputDialog*>(QApplication::activeModalWidget());
      ASSERT_NE(box, nullptr);
      title = box->windowTitle();
      label = box->labelText();
      shownDefault = box->textValue();
      box->setTextValue(c.typed);
      c.ok ? box->accept() : box->reject();
    });
    const InputBoxAnswer answer = ShowInputBox("Name For New Folder?", "Create New Folder", "New Folder");
    EXPECT_EQ(title, "Create New Folder");
    EXPECT_EQ(label, "Name For New Folder?");
    EXPECT_EQ(shownDefault, "New Folder");
    EXPECT_EQ(answer.accepted, c.expected.accepted) << c.typed.toStdString();
    EXPECT_EQ(answer.text, c.expected.text) << c.typed.toStdString();
  }
}

// What a window does with its dialogs: asks for a folder name, confirms a
// removal, browses for a picture.
struct WindowDialogs {
  QStringList browsed;
  QString log;
  void newFolder() {
    const InputBoxAnswer name = ShowInputBox("Name For New Folder?", "Create New Folder");
    log += name.accepted ? "name:" + name.text + ";" : QString("no name;");
  }
  void removeFolder() {
    const MsgResult sure = ShowMessageBox("Are you sure? Deleted files or folders cannot be recovered!",
                                          "Confirm Delete", MsgIcon::Question, MsgButtons::YesNo);
    log += sure == MsgResult::Yes ? "remove;" : "keep;";
  }
  void browse() {
    PreviewFileDialog dialog;
    dialog.setFilterText("Pictures|*.png|All Files(*.*)|*.*");
    QObject::connect(&dialog, &PreviewFileDialog::FileBrowse, [this](const QString& path) { browsed.append(path); });
    const FileDialogAnswer file = dialog.run();
    log += file.accepted ? "file:" + file.file + ";" : QString("no file;");
  }
};

TEST(DialogScript, AnswersAWindowsDialogsInOrder) {
  WindowDialogs window;
  {
    DialogScript script;
    script.answerInput("Holiday")
        .cancelInput("Name For New Folder?")
        .answerMessage(MsgResult::Yes, "Are you sure? Deleted files or folders cannot be recovered!")
        .chooseFile({"/pictures/a.png", "/pictures/b.png"}, "/pictures/b.png")
        .cancelFile({"/pictures/c.png"})
        .answerMessage(MsgResult::No);
    window.newFolder();
    window.newFolder();
    window.removeFolder();
    window.browse();
    window.browse();
    window.removeFolder();
    EXPECT_EQ(script.problems(), "");
    EXPECT_EQ(window.log, "name:Holiday;no name;remove;file:/pictures/b.png;no file;keep;");
    EXPECT_EQ(window.browsed, QStringList({"/pictures/a.png", "/pictures/b.png", "/pictures/c.png"}));
    ASSERT_EQ(script.inputs().size(), 2u);
    EXPECT_EQ(script.inputs()[0].title, "Create New Folder");
    ASSERT_EQ(script.messages().size(), 2u);
    EXPECT_EQ(script.messages()[0].icon, MsgIcon::Question);
    EXPECT_EQ(script.fileDialogFilters(), QStringList(2, "Pictures|*.png|All Files(*.*)|*.*"));
    EXPECT_EQ(script.shown().size(), 6);
  }
  // The real dialogs are back: without a QApplication event loop they are not
  // exercised here, but the handlers are empty again.
  EXPECT_FALSE(SetInputBoxHandler({}));
  EXPECT_FALSE(SetFileDialogHandler({}));
  EXPECT_FALSE(SetMessageBoxHandler({}));
}

TEST(DialogScript, ReportsDialogsThatDoNotFollowTheScript) {
  WindowDialogs window;
  DialogScript script;
  script.answerMessage(MsgResult::Yes, "Are you sure? Deleted files cannot be recovered!").answerInput("unused");
  window.removeFolder();  // another text: answered, reported
  window.browse();        // no file dialog step: cancelled, reported
  EXPECT_EQ(window.log, "remove;no file;");
  EXPECT_EQ(script.problems(),
            "message box said \"Are you sure? Deleted files or folders cannot be recovered!\", expected \"Are you "
            "sure? Deleted files cannot be recovered!\"\n"
            "unexpected file dialog (next step: input box answered \"unused\")\n"
            "unused step: input box answered \"unused\"");
  // A Yes/No question without its step is answered No.
  window.newFolder();
  window.removeFolder();
  EXPECT_EQ(window.log, "remove;no file;name:unused;keep;");
}

TEST(DialogScript, RestoresTheHandlerItReplaced) {
  QStringList outer;
  MessageBoxHandler before = SetMessageBoxHandler([&](const MessageBoxRequest& r) {
    outer.append(r.text);
    return MsgResult::OK;
  });
  {
    DialogScript script;
    script.answerMessage(MsgResult::OK);
    ShowMessageBox("inside", "Quillmora");
  }
  ShowMessageBox("after", "Quillmora");
  SetMessageBoxHandler(before);
  EXPECT_EQ(outer, QStringList{"after"});
}

}  // namespace
