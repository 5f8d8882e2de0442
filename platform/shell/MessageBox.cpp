#include "platform/shell/MessageBox.h"

#include <QApplication>
#include <QMessageBox>

namespace {
MessageBoxHandler& Handler() {
  static MessageBoxHandler handler;
  return handler;
}

QMessageBox::Icon ToQt(MsgIcon icon) {
  switch (icon) {
    case MsgIcon::Critical: return QMessageBox::Critical;
    case MsgIcon::Question: return QMessageBox::Question;
    case MsgIcon::Exclamation: return QMessageBox::Warning;
    case MsgIcon::Information: return QMessageBox::Information;
    case MsgIcon::None: break;
  }
  return QMessageBox::NoIcon;
}

QMessageBox::StandardButtons ToQt(MsgButtons buttons) {
  switch (buttons) {
    case MsgButtons::OK: return QMessageBox::Ok;
    case MsgButtons::OKCancel: return QMessageBox::Ok | QMessageBox::Cancel;
    case MsgButtons::YesNo: return QMessageBox::Yes | QMessageBox::No;
    case MsgButtons::YesNoCancel: return QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel;
    case MsgButtons::RetryCancel: return QMessageBox::Retry | QMessageBox::Cancel;
  }
  return QMessageBox::Ok;
}

MsgResult FromQt(int button) {
  switch (button) {
    case QMessageBox::Yes: return MsgResult::Yes;
    case QMessageBox::No: return MsgResult::No;
    case QMessageBox::Cancel: return MsgResult::Cancel;
    case QMessageBox::Retry: return MsgResult::Retry;
    default: return MsgResult::OK;
  }
}
}  // namespace

MsgResult ShowMessageBox(const QString& text, const QString& title, MsgIcon icon, MsgButtons buttons,
                         QWidget* parent, MsgDefault defaultButton) {
  const MessageBoxRequest request{text, title, icon, buttons, defaultButton};
  if (Handler()) return Handler()(request);
  if (!qobject_cast<QApplication*>(QCoreApplication::instance())) return MsgResult::Cancel;
  QMessageBox box(ToQt(icon), title, text, ToQt(buttons), parent);
  // The second button: No where there is one, else Cancel.
  if (defaultButton == MsgDefault::Second)
    box.setDefaultButton(box.button(QMessageBox::No) ? QMessageBox::No : QMessageBox::Cancel);
  return FromQt(box.exec());
}

MessageBoxHandler SetMessageBoxHandler(MessageBoxHandler handler) {
  MessageBoxHandler old = std::move(Handler());
  Handler() = std::move(handler);
  return old;
}
