#include "platform/shell/InputBox.h"

#include <QApplication>
#include <QInputDialog>

namespace {
InputBoxHandler& Handler() {
  static InputBoxHandler handler;
  return handler;
}
}  // namespace

InputBoxAnswer ShowInputBox(const QString& prompt, const QString& title, const QString& defaultText,
                            QWidget* parent) {
  const InputBoxRequest request{prompt, title, defaultText};
  if (Handler()) return Handler()(request);
  if (!qobject_cast<QApplication*>(QCoreApplication::instance())) return {};
  QInputDialog box(parent);
  box.setInputMode(QInputDialog::TextInput);
  box.setWindowTitle(title);
  box.setLabelText(prompt);
  box.setTextValue(defaultText);
  if (box.exec() != QDialog::Accepted) return {};
  return {true, box.textValue()};
}

InputBoxHandler SetInputBoxHandler(InputBoxHandler handler) {
  InputBoxHandler old = std::move(Handler());
  Handler() = std::move(handler);
  return old;
}
