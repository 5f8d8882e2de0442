#include "app/main/HelpDisplay.h"

#include <QFileInfo>

#include "app/main/ProgramInfo.h"
#include "platform/shell/HelpViewer.h"
#include "platform/shell/MessageBox.h"
#include "platform/files/ProgramFiles.h"

namespace {

void DisplayHelp(QWidget* owner, const QString& helpFile, const QString& caption, HelpCommand command) {
  if (helpFile.isEmpty() || !QFileInfo(helpFile).isFile()) {
    ShowMessageBox(QStringLiteral("Unable to display Help Contents. There is no Help associated with this project."),
                   caption, MsgIcon::Information, MsgButtons::OK, owner);
    return;
  }
  const QString error = ShowHelp(HelpRequest{helpFile, command, QString()}, owner);
  if (!error.isEmpty())
    ShowMessageBox(error, QString::fromLatin1(ProgramInfo::kProgramName), MsgIcon::None, MsgButtons::OK, owner);
}

}  // namespace

QString DefaultHelpFilePath() {
  return ProgramFiles::Find(ProgramFiles::Part::DataFile, QString::fromLatin1(ProgramInfo::kHelpFileName));
}

void ShowHelpTopics(QWidget* owner, const QString& helpFile, const QString& caption) {
  DisplayHelp(owner, helpFile, caption, HelpCommand::Contents);
}

void SearchForHelp(QWidget* owner, const QString& helpFile, const QString& caption) {
  DisplayHelp(owner, helpFile, caption, HelpCommand::PartialKey);
}
