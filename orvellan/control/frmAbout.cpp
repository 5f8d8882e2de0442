#include "orvellan/control/frmAbout.h"

#include <QEvent>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "platform/shell/OpenDocument.h"

#ifndef ORVELLAN_VERSION_MAJOR
#define ORVELLAN_VERSION_MAJOR 1
#define ORVELLAN_VERSION_MINOR 0
#define ORVELLAN_VERSION_PATCH 0
#endif

frmAbout::frmAbout(QWidget* parent) : QDialog(parent) {
  setObjectName(QStringLiteral("frmAbout"));
  setWindowTitle(QStringLiteral("About Orvellan"));
  auto* layout = new QVBoxLayout(this);
  auto* title = new QLabel(QStringLiteral("Orvellan image viewport control"), this);
  lblVersion_ = new QLabel(VersionText(), this);
  lblVersion_->setObjectName(QStringLiteral("lblVersion"));
  lblURL_ = new QLabel(QString::fromLatin1(SiteAddress()), this);
  lblURL_->setObjectName(QStringLiteral("lblURL"));
  lblURL_->setCursor(Qt::PointingHandCursor);  // Image2's hand
  QFont linkFont = lblURL_->font();
  linkFont.setUnderline(true);
  lblURL_->setFont(linkFont);
  lblURL_->installEventFilter(this);
  cmdOK_ = new QPushButton(QStringLiteral("OK"), this);
  cmdOK_->setObjectName(QStringLiteral("cmdOK"));
  cmdOK_->setDefault(true);
  connect(cmdOK_, &QPushButton::clicked, this, &QDialog::accept);
  layout->addWidget(title);
  layout->addWidget(lblVersion_);
  layout->addWidget(lblURL_);
  layout->addWidget(cmdOK_, 0, Qt::AlignRight);
}

QString frmAbout::VersionText() {
  return QStringLiteral("Version: %1.%2.%3")
      .arg(ORVELLAN_VERSION_MAJOR)
      .arg(ORVELLAN_VERSION_MINOR)
      .arg(ORVELLAN_VERSION_PATCH);
}

const char* frmAbout::SiteAddress() { return "https://quillmora.example.org/orvellan"; }

bool frmAbout::eventFilter(QObject* watched, QEvent* event) {
  if (watched == lblURL_ && event->type() == QEvent::MouseButtonRelease) {
    OpenDocument(QString::fromLatin1(SiteAddress()));
    return true;
  }
  return QDialog::eventFilter(watched, event);
}
