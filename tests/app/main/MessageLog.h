#pragma once
// Records the message boxes a test's windows show, answering each with OK.
#include <QVector>

#include "platform/shell/MessageBox.h"

struct MessageLog {
  QVector<MessageBoxRequest> shown;
  MessageLog() {
    SetMessageBoxHandler([this](const MessageBoxRequest& r) {
      shown.push_back(r);
      return MsgResult::OK;
    });
  }
  ~MessageLog() { SetMessageBoxHandler(nullptr); }
};
