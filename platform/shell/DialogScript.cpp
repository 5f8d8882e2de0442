#include "platform/shell/DialogScript.h"

#include <QCoreApplication>

namespace {

MsgResult CancelAnswer(MsgButtons buttons) {
  switch (buttons) {
    case MsgButtons::OK: return MsgResult::OK;
    case MsgButtons::YesNo: return MsgResult::No;
    default: return MsgResult::Cancel;
  }
}

QString Quoted(const QString& text) { return QLatin1Char('"') + text + QLatin1Char('"'); }

FileDialogHandler Browse(const QStringList& browsed, const FileDialogAnswer& answer) {
  return [browsed, answer](PreviewFileDialog& dialog) {
    for (const QString& path : browsed) {
      dialog.browseTo(path);
      QCoreApplication::processEvents();
    }
    return answer;
  };
}

}  // namespace

DialogScript::DialogScript()
    : oldMessage_(SetMessageBoxHandler([this](const MessageBoxRequest& request) { return onMessage(request); })),
      oldInput_(SetInputBoxHandler([this](const InputBoxRequest& request) { return onInput(request); })),
      oldFile_(SetFileDialogHandler([this](PreviewFileDialog& dialog) { return onFileDialog(dialog); })) {}

DialogScript::~DialogScript() {
  SetMessageBoxHandler(std::move(oldMessage_));
  SetInputBoxHandler(std::move(oldInput_));
  SetFileDialogHandler(std::move(oldFile_));
}

DialogScript& DialogScript::answerMessage(MsgResult result, const QString& expectedText) {
  Step step(Kind::Message, QStringLiteral("message box"), expectedText);
  step.result = result;
  steps_.push_back(std::move(step));
  return *this;
}

DialogScript& DialogScript::answerInput(const QString& text, const QString& expectedPrompt) {
  Step step(Kind::Input, QStringLiteral("input box answered ") + Quoted(text), expectedPrompt);
  step.input = {true, text};
  steps_.push_back(std::move(step));
  return *this;
}

DialogScript& DialogScript::cancelInput(const QString& expectedPrompt) {
  steps_.emplace_back(Kind::Input, QStringLiteral("input box cancelled"), expectedPrompt);
  return *this;
}

DialogScript& DialogScript::chooseFile(const QStringList& browsed, const QString& chosen) {
  return answerFileDialog(Browse(browsed, {true, chosen}));
}

DialogScript& DialogScript::cancelFile(const QStringList& browsed) { return answerFileDialog(Browse(browsed, {})); }

DialogScript& DialogScript::answerFileDialog(FileDialogHandler handler) {
  Step step(Kind::File, QStringLiteral("file dialog"), QString());
  step.file = std::move(handler);
  steps_.push_back(std::move(step));
  return *this;
}

bool DialogScript::takeStep(Kind kind, const QString& dialog, Step& step) {
  if (steps_.empty() || steps_.front().kind != kind) {
    problems_.append(QStringLiteral("unexpected ") + dialog +
                     (steps_.empty() ? QString() : QStringLiteral(" (next step: ") + steps_.front().description + ')'));
    return false;
  }
  step = std::move(steps_.front());
  steps_.pop_front();
  return true;
}

MsgResult DialogScript::onMessage(const MessageBoxRequest& request) {
  messages_.push_back(request);
  shown_.append(QStringLiteral("message: ") + request.title + QStringLiteral(": ") + request.text);
  Step step(Kind::Message, {}, {});
  if (!takeStep(Kind::Message, QStringLiteral("message box ") + Quoted(request.text), step))
    return CancelAnswer(request.buttons);
  if (!step.expected.isEmpty() && step.expected != request.text)
    problems_.append(QStringLiteral("message box said ") + Quoted(request.text) + QStringLiteral(", expected ") +
                     Quoted(step.expected));
  return step.result;
}

InputBoxAnswer DialogScript::onInput(const InputBoxRequest& request) {
  inputs_.push_back(request);
  shown_.append(QStringLiteral("input: ") + request.title + QStringLiteral(": ") + request.prompt);
  Step step(Kind::Input, {}, {});
  if (!takeStep(Kind::Input, QStringLiteral("input box ") + Quoted(request.prompt), step)) return {};
  if (!step.expected.isEmpty() && step.expected != request.prompt)
    problems_.append(QStringLiteral("input box asked ") + Quoted(request.prompt) + QStringLiteral(", expected ") +
                     Quoted(step.expected));
  return step.input;
}

FileDialogAnswer DialogScript::onFileDialog(PreviewFileDialog& dialog) {
  fileFilters_.append(dialog.filterText());
  shown_.append(QStringLiteral("file dialog"));
  Step step(Kind::File, {}, {});
  if (!takeStep(Kind::File, QStringLiteral("file dialog"), step)) return {};
  return step.file ? step.file(dialog) : FileDialogAnswer{};
}

QString DialogScript::problems() const {
  QStringList all = problems_;
  for (const Step& step : steps_) all.append(QStringLiteral("unused step: ") + step.description);
  return all.join(QLatin1Char('\n'));
}
