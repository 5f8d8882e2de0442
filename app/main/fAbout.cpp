#include "app/main/fAbout.h"

#include <QFileInfo>
#include <QFrame>
#include <QGridLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "app/imaging/CodecInfo.h"
#include "app/main/ProgramInfo.h"
#include "platform/shell/MessageBox.h"
#include "platform/shell/Registry.h"
#include "platform/shell/StartProgram.h"

namespace {

QString ProgramName() { return QString::fromLatin1(ProgramInfo::kProgramName); }

QString DisclaimerText() {
  return QStringLiteral(
             "Copyright \u00A9 %1. All rights reserved. This program is provided \"as is\", without warranty "
             "of any kind, express or implied; in no event shall the authors be liable for any damages "
             "arising from its use. It uses %2.")
      .arg(QString::fromLatin1(ProgramInfo::kMakerName), QString::fromStdString(CodecLibraryCredit()));
}

}  // namespace

QString fAbout::VersionText() { return QStringLiteral("Version ") + ProgramInfo::VersionNumber(); }

QString fAbout::DescriptionText() {
  return ProgramName() + QStringLiteral(" is an easy-to-use tool which you can use to batch resize") +
         QStringLiteral(
             " and/or convert images and create HTML image albums. For more information on this and other "
             "software,") +
         QStringLiteral(" Please contact us at: ") + QString::fromLatin1(ProgramInfo::kMakerWebSite);
}

fAbout::fAbout(QWidget* parent) : QDialog(parent) {
  setObjectName(QStringLiteral("fAbout"));
  setAttribute(Qt::WA_DeleteOnClose);
  setWindowTitle(QStringLiteral("About ") + ProgramName());

  auto* icon = new QLabel(this);
  icon->setPixmap(ProgramInfo::ProgramIcon().pixmap(64, 64));
  icon->setAlignment(Qt::AlignTop | Qt::AlignHCenter);

  lblTitle_ = new QLabel(ProgramName(), this);
  lblTitle_->setObjectName(QStringLiteral("lblTitle"));
  QFont titleFont = lblTitle_->font();
  titleFont.setBold(true);
  titleFont.setPointSizeF(titleFont.pointSizeF() * 2);
  lblTitle_->setFont(titleFont);

  lblVersion_ = new QLabel(VersionText(), this);
  lblVersion_->setObjectName(QStringLiteral("lblVersion"));

  lblDescription_ = new QLabel(DescriptionText(), this);
  lblDescription_->setObjectName(QStringLiteral("lblDescription"));
  lblDescription_->setWordWrap(true);
  lblDescription_->setTextInteractionFlags(Qt::TextSelectableByMouse);

  auto* line = new QFrame(this);
  line->setFrameShape(QFrame::HLine);
  line->setFrameShadow(QFrame::Sunken);

  lblDisclaimer_ = new QLabel(DisclaimerText(), this);
  lblDisclaimer_->setObjectName(QStringLiteral("lblDisclaimer"));
  lblDisclaimer_->setWordWrap(true);

  cmdOK_ = new QPushButton(QStringLiteral("OK"), this);
  cmdOK_->setObjectName(QStringLiteral("cmdOK"));
  cmdOK_->setDefault(true);
  connect(cmdOK_, &QPushButton::clicked, this, &QDialog::close);
  cmdSysInfo_ = new QPushButton(QStringLiteral("&System Info..."), this);
  cmdSysInfo_->setObjectName(QStringLiteral("cmdSysInfo"));
  connect(cmdSysInfo_, &QPushButton::clicked, this, &fAbout::StartSysInfo);

  auto* grid = new QGridLayout(this);
  grid->setColumnMinimumWidth(1, 400);
  grid->addWidget(icon, 0, 0, 3, 1);
  grid->addWidget(lblTitle_, 0, 1);
  grid->addWidget(lblVersion_, 1, 1);
  grid->addWidget(lblDescription_, 2, 1);
  grid->addWidget(line, 3, 0, 1, 3);
  grid->addWidget(lblDisclaimer_, 4, 0, 2, 2);
  auto* buttons = new QVBoxLayout;
  buttons->addWidget(cmdOK_);
  buttons->addWidget(cmdSysInfo_);
  buttons->addStretch(1);
  grid->addLayout(buttons, 4, 2, 2, 1);
  grid->setSizeConstraint(QLayout::SetFixedSize);
}

void fAbout::StartSysInfo() {
  // A recorded tool is the answer, even when it fails to start.
  if (const auto tool = Registry::ReadMachineValue(QLatin1String(Registry::kMsInfoKey), QStringLiteral("PATH"))) {
    if (StartProgram(*tool)) return;
  } else if (const auto folder = Registry::ReadMachineValue(QLatin1String(Registry::kSharedToolsLocationKey),
                                                            QStringLiteral("MSINFO"))) {
    const QString program = *folder + QStringLiteral("/MSINFO32.EXE");
    if (QFileInfo::exists(program) && StartProgram(program)) return;
  }
  ShowMessageBox(QStringLiteral("System Information Is Unavailable At This Time"), ProgramName(), MsgIcon::None,
                 MsgButtons::OK, this);
}
