#include "platform/shell/StartProgram.h"

#include <QProcess>

namespace {
StartProgramHandler& Handler() {
  static StartProgramHandler handler;
  return handler;
}
}  // namespace

bool StartProgram(const QString& program) {
  if (Handler()) return Handler()(program);
  if (program.isEmpty()) return false;
  return QProcess::startDetached(program, QStringList());
}

StartProgramHandler SetStartProgramHandler(StartProgramHandler handler) {
  StartProgramHandler old = std::move(Handler());
  Handler() = std::move(handler);
  return old;
}
