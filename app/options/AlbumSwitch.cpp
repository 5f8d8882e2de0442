#include "app/options/AlbumSwitch.h"

#include <QAbstractButton>

void ConnectAlbumSwitch(QAbstractButton* ckHTML, QWidget* cmdViewHTML) {
  // The button is the connection's context: it ends when either side goes.
  QObject::connect(ckHTML, &QAbstractButton::toggled, cmdViewHTML, &QWidget::setEnabled);
  cmdViewHTML->setEnabled(ckHTML->isChecked());
}
