#include "platform/shell/DialogPreviewPanel.h"

#include <QFrame>
#include <QLabel>
#include <QVBoxLayout>

#include "platform/shell/PreviewPictureBox.h"

DialogPreviewPanel::DialogPreviewPanel(QWidget* parent)
    : QWidget(parent),
      picPreview_(new PreviewPictureBox(this)),
      picinfo_(new QFrame(this)),
      lblinfo_(new QLabel(picinfo_)),
      frOpts_(new QFrame(this)) {
  picPreview_->setObjectName(QStringLiteral("PicPreview"));
  picPreview_->setToolTip(QStringLiteral("DblClick for full-screen view."));
  picinfo_->setObjectName(QStringLiteral("picinfo"));
  lblinfo_->setObjectName(QStringLiteral("lblinfo"));
  frOpts_->setObjectName(QStringLiteral("frOpts"));

  lblinfo_->setAlignment(Qt::AlignCenter);
  lblinfo_->setVisible(false);
  auto* info = new QVBoxLayout(picinfo_);
  info->setContentsMargins(0, 0, 0, 0);
  info->addWidget(lblinfo_);
  // Keeps its line when the label is hidden, so the picture does not jump.
  picinfo_->setMinimumHeight(lblinfo_->sizeHint().height());
  new QVBoxLayout(frOpts_);
  frOpts_->layout()->setContentsMargins(0, 0, 0, 0);

  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(picPreview_, 1);
  layout->addWidget(picinfo_);
  layout->addWidget(frOpts_);
}

void DialogPreviewPanel::showPreview(const QImage& picture, const QString& info) {
  picPreview_->setPicture(picture);
  lblinfo_->setText(info);
  lblinfo_->setVisible(true);
}

void DialogPreviewPanel::clearPreview() {
  picPreview_->clearPicture();
  lblinfo_->clear();
  lblinfo_->setVisible(false);
}
