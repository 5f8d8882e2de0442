#pragma once
// Scripted dialogs for tests of a window. While a DialogScript lives, the
// message boxes, input boxes and previewing file dialogs are answered from
// its steps, in order, instead of being shown. A dialog that comes without a
// step, or when the next step is of another kind, is answered as cancelled
// (Cancel; No for a Yes/No question; no file) and reported by problems(), as
// is a step that no dialog used. The handlers in place before are restored
// when the script ends.
//
//   DialogScript script;
//   script.answerInput("Holiday").answerMessage(MsgResult::Yes, "Are you sure?");
//   ... drive the window ...
//   EXPECT_EQ(script.problems(), "");
#include <QStringList>
#include <deque>
#include <vector>

#include "platform/shell/InputBox.h"
#include "platform/shell/MessageBox.h"
#include "platform/shell/PreviewFileDialog.h"

class DialogScript {
 public:
  DialogScript();
  ~DialogScript();
  DialogScript(const DialogScript&) = delete;
  DialogScript& operator=(const DialogScript&) = delete;

  // The next dialog is a message box, answered with result; with
  // expectedText, a message of another text is a problem.
  DialogScript& answerMessage(MsgResult result, const QString& expectedText = QString());
  // The next dialog is an input box, answered with OK and text, or Cancel;
  // with expectedPrompt, another prompt is a problem.
  DialogScript& answerInput(const QString& text, const QString& expectedPrompt = QString());
  DialogScript& cancelInput(const QString& expectedPrompt = QString());
  // The next dialog is a file dialog: the user moves to each browsed path in
  // turn (events run after each move), then chooses chosen, or cancels.
  DialogScript& chooseFile(const QStringList& browsed, const QString& chosen);
  DialogScript& cancelFile(const QStringList& browsed = QStringList());
  // The next dialog is a file dialog answered by handler (which may browse
  // with dialog.browseTo and wait for the previews itself).
  DialogScript& answerFileDialog(FileDialogHandler handler);

  // What was asked, in order.
  const std::vector<MessageBoxRequest>& messages() const { return messages_; }
  const std::vector<InputBoxRequest>& inputs() const { return inputs_; }
  // The filter text each file dialog was given.
  const QStringList& fileDialogFilters() const { return fileFilters_; }
  // Every dialog that came, one line each: "message: title: text",
  // "input: title: prompt", "file dialog".
  const QStringList& shown() const { return shown_; }

  // Empty when every dialog met its step and every step was used; otherwise
  // what went wrong, one line each.
  QString problems() const;

 private:
  enum class Kind { Message, Input, File };
  struct Step {
    Step(Kind kind, const QString& description, const QString& expected)
        : kind(kind), description(description), expected(expected) {}
    Kind kind;
    QString description;
    QString expected;
    MsgResult result = MsgResult::OK;
    InputBoxAnswer input;
    FileDialogHandler file;
  };

  bool takeStep(Kind kind, const QString& dialog, Step& step);
  MsgResult onMessage(const MessageBoxRequest& request);
  InputBoxAnswer onInput(const InputBoxRequest& request);
  FileDialogAnswer onFileDialog(PreviewFileDialog& dialog);

  std::deque<Step> steps_;
  std::vector<MessageBoxRequest> messages_;
  std::vector<InputBoxRequest> inputs_;
  QStringList fileFilters_;
  QStringList shown_;
  QStringList problems_;
  MessageBoxHandler oldMessage_;
  InputBoxHandler oldInput_;
  FileDialogHandler oldFile_;
};
