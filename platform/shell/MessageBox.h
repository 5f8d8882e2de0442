#pragma once
// Message boxes with the classic icons and button sets. The box is shown
// through a replaceable handler, so tests can assert what would be shown and
// answer it without a modal dialog.
#include <QString>
#include <functional>

class QWidget;

enum class MsgIcon { None, Critical, Question, Exclamation, Information };
enum class MsgButtons { OK, OKCancel, YesNo, YesNoCancel, RetryCancel };
enum class MsgResult { OK, Cancel, Yes, No, Retry };
// Which button Enter presses: the first (OK, Yes, Retry) or the second (No, Cancel).
enum class MsgDefault { First, Second };

struct MessageBoxRequest {
  QString text;
  QString title;
  MsgIcon icon = MsgIcon::None;
  MsgButtons buttons = MsgButtons::OK;
  MsgDefault defaultButton = MsgDefault::First;
};

using MessageBoxHandler = std::function<MsgResult(const MessageBoxRequest&)>;

MsgResult ShowMessageBox(const QString& text, const QString& title, MsgIcon icon = MsgIcon::None,
                         MsgButtons buttons = MsgButtons::OK, QWidget* parent = nullptr,
                         MsgDefault defaultButton = MsgDefault::First);

// Replaces the handler (an empty one restores the real QMessageBox); returns the old one.
MessageBoxHandler SetMessageBoxHandler(MessageBoxHandler handler);
