// The main window's areas and menus, laid out with Qt layouts.
#include <QCheckBox>
#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QStackedWidget>
#include <QTabBar>
#include <QVBoxLayout>

#include "app/controls/picturebutton/PictureButton.h"
#include "app/controls/progbar/Rk_Progbar.h"
#include "app/engine/FileMasks.h"
#include "app/main/ActionPictures.h"
#include "app/main/ProgramInfo.h"
#include "app/main/StepFrame.h"
#include "app/main/fMain.h"
#include "app/options/AlbumOptionsPanel.h"
#include "app/options/AlbumSampleCell.h"
#include "app/options/ImageOptionsPage.h"
#include "platform/shell/FolderTree.h"
#include "platform/shell/PreviewPictureBox.h"

namespace {

QLabel* Caption(const QString& text, QWidget* parent, bool heading = false) {
  auto* label = new QLabel(text, parent);
  label->setAccessibleName(text);
  if (heading) {
    QFont bold = label->font();
    bold.setBold(true);
    label->setFont(bold);
  }
  return label;
}

}  // namespace

QWidget* fMain::BuildFoldersArea() {
  auto* frame = new StepFrame(1, QStringLiteral("Select Folders"),
                              QStringLiteral("Step 1) Select source, destination folders, and types of files to read."),
                              this);
  steps_[0] = frame;
  QVBoxLayout* box = frame->contentLayout();
  ftvSource_ = new FolderTree(folderModel_, frame);
  ftvSource_->setObjectName(QStringLiteral("ftvSource"));
  ftvSource_->setAccessibleName(QStringLiteral("Source Folder"));
  txtImgDir_ = new QLineEdit(frame);
  txtImgDir_->setObjectName(QStringLiteral("txtImgDir"));
  txtImgDir_->setAccessibleName(QStringLiteral("Source folder path"));
  txtImgDir_->setToolTip(QStringLiteral("Type a folder and press Enter to list its files."));
  Label1_ = Caption(QStringLiteral("Source File Mask"), frame);
  Label1_->setObjectName(QStringLiteral("Label1"));
  ComboFilter_ = new QComboBox(frame);
  ComboFilter_->setObjectName(QStringLiteral("ComboFilter"));
  ComboFilter_->setAccessibleName(Label1_->text());
  ComboFilter_->addItems(FileMaskTexts());
  ComboFilter_->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
  ComboFilter_->setMinimumContentsLength(16);
  ftvDest_ = new FolderTree(folderModel_, frame);
  ftvDest_->setObjectName(QStringLiteral("ftvDest"));
  ftvDest_->setAccessibleName(QStringLiteral("Destination Folder"));
  txtThumbDir_ = new QLineEdit(frame);
  txtThumbDir_->setObjectName(QStringLiteral("txtThumbDir"));
  txtThumbDir_->setAccessibleName(QStringLiteral("Destination folder path"));
  txtThumbDir_->setToolTip(QStringLiteral("Type a folder and press Enter to create it."));

  box->addWidget(Caption(QStringLiteral("Source Folder"), frame, true));
  box->addWidget(ftvSource_, 1);
  box->addWidget(txtImgDir_);
  auto* mask = new QHBoxLayout;
  mask->addWidget(Label1_);
  mask->addWidget(ComboFilter_, 1);
  box->addLayout(mask);
  box->addSpacing(6);
  box->addWidget(Caption(QStringLiteral("Destination Folder"), frame, true));
  box->addWidget(ftvDest_, 1);
  box->addWidget(txtThumbDir_);
  return frame;
}

QWidget* fMain::BuildFilesArea() {
  auto* frame = new StepFrame(2, QStringLiteral("Select Files"),
                              QStringLiteral("Step 2) Choose images for conversion. Hold <CTRL> for multiple select."),
                              this);
  steps_[1] = frame;
  fbImages_ = new QListWidget(frame);
  fbImages_->setObjectName(QStringLiteral("fbImages"));
  fbImages_->setAccessibleName(QStringLiteral("Files"));
  fbImages_->setSelectionMode(QAbstractItemView::ExtendedSelection);
  fbImages_->setUniformItemSizes(true);
  cmdSelectAll_ = new QPushButton(QStringLiteral("Select All"), frame);
  cmdClear_ = new QPushButton(QStringLiteral("Clear"), frame);
  chkPreview_ = new QCheckBox(QStringLiteral("Show &Preview"), frame);
  chkPreview_->setObjectName(QStringLiteral("chkPreview"));
  chkPreview_->setChecked(true);

  previewPlace_ = new QStackedWidget(frame);
  auto* original = new QWidget(previewPlace_);
  ImgPreview_ = new PreviewPictureBox(original);
  ImgPreview_->setObjectName(QStringLiteral("ImgPreview"));
  ImgPreview_->setAccessibleName(QStringLiteral("Preview"));
  ImgPreview_->setToolTip(QStringLiteral("DblClick for full-screen view."));
  lblImageFileSize_ = new QLabel(original);
  lblImageFileSize_->setObjectName(QStringLiteral("lblImageFileSize"));
  lblImageSize_ = new QLabel(original);
  lblImageSize_->setObjectName(QStringLiteral("lblImageSize"));
  auto* originalBox = new QVBoxLayout(original);
  originalBox->setContentsMargins(0, 0, 0, 0);
  originalBox->addWidget(ImgPreview_, 1);
  auto* labels = new QHBoxLayout;
  labels->addWidget(lblImageFileSize_);
  labels->addStretch(1);
  labels->addWidget(lblImageSize_);
  originalBox->addLayout(labels);
  sample_ = new AlbumSampleCell(previewPlace_);
  previewPlace_->addWidget(original);
  previewPlace_->addWidget(sample_);
  optResult_ = new QRadioButton(QStringLiteral("Preview Result"), frame);
  optOriginal_ = new QRadioButton(QStringLiteral("Preview Original"), frame);

  QVBoxLayout* box = frame->contentLayout();
  box->addWidget(fbImages_, 3);
  auto* buttons = new QHBoxLayout;
  buttons->addWidget(cmdSelectAll_);
  buttons->addWidget(cmdClear_);
  buttons->addStretch(1);
  buttons->addWidget(chkPreview_);
  box->addLayout(buttons);
  box->addWidget(previewPlace_, 2);
  auto* choice = new QHBoxLayout;
  choice->addWidget(optOriginal_);
  choice->addWidget(optResult_);
  choice->addStretch(1);
  box->addLayout(choice);
  return frame;
}

QWidget* fMain::BuildOptionsArea() {
  auto* frame = new StepFrame(3, QStringLiteral("Set Options"), QStringLiteral("Step 3) Set thumbnail options."), this);
  steps_[2] = frame;
  tbsOptions_ = new QTabBar(frame);
  tbsOptions_->setObjectName(QStringLiteral("tbsOptions"));
  tbsOptions_->addTab(QStringLiteral("Image Options"));
  tbsOptions_->addTab(QStringLiteral("HTML Gallery Options"));
  tbsOptions_->setExpanding(false);
  optionPages_ = new QStackedWidget(frame);
  imagePage_ = new ImageOptionsPage(optionPages_);
  albumPanel_ = new AlbumOptionsPanel(optionPages_);
  albumPanel_->AttachSample(sample_);
  // Every tab caption shows whole; the column is as wide as they need.
  for (QTabBar* tabs : {tbsOptions_, albumPanel_->tbsHTMLOptions()}) {
    tabs->setUsesScrollButtons(false);
    tabs->setElideMode(Qt::ElideNone);
  }
  optionPages_->addWidget(imagePage_);
  optionPages_->addWidget(albumPanel_);
  frame->contentLayout()->addWidget(tbsOptions_);
  frame->contentLayout()->addWidget(optionPages_, 1);
  return frame;
}

QWidget* fMain::BuildActionArea() {
  auto* frame = new StepFrame(4, QStringLiteral("Perform Operation"), QStringLiteral("Press START or STOP"), this);
  steps_[3] = frame;
  const auto button = [&](ActionButton which, const QString& name) {
    auto* b = new PictureButton(frame);
    b->setObjectName(name);
    const qreal ratio = devicePixelRatioF();
    b->setPicture(ActionPicture(which, ActionLook::Normal, ratio));
    b->setPictureHover(ActionPicture(which, ActionLook::Hover, ratio));
    b->setPictureDown(ActionPicture(which, ActionLook::Down, ratio));
    b->setFixedSize(ActionPictureSize());
    b->setCursor(Qt::PointingHandCursor);
    return b;
  };
  cmdStart_ = button(ActionButton::Start, QStringLiteral("cmdAction0"));
  cmdStart_->setAccessibleName(QStringLiteral("START"));
  cmdStart_->setToolTip(QStringLiteral("Make the thumbnails of the selected files"));
  cmdStop_ = button(ActionButton::Stop, QStringLiteral("cmdAction1"));
  cmdStop_->setAccessibleName(QStringLiteral("STOP"));
  cmdStop_->setToolTip(QStringLiteral("Stop after the file in hand"));
  ckHTML_ = new QCheckBox(QStringLiteral("Create HTML Gallery"), frame);
  ckHTML_->setObjectName(QStringLiteral("ckHTML"));
  cmdViewHTML_ = new QPushButton(QStringLiteral("View Gallery"), frame);
  cmdViewHTML_->setObjectName(QStringLiteral("cmdViewHTML"));
  thProg_ = new Rk_Progbar(frame);
  thProg_->setObjectName(QStringLiteral("thProg"));
  thProg_->setAccessibleName(QStringLiteral("Progress"));
  thProg_->setMinimumHeight(18);
  lblCount_ = new QLabel(frame);
  lblCount_->setObjectName(QStringLiteral("lblCount"));
  // No accessible name of its own: the counter's text is its name, and the
  // label tells assistive tools when it changes.

  auto* buttons = new QHBoxLayout;
  buttons->addWidget(cmdStart_);
  buttons->addWidget(cmdStop_);
  buttons->addStretch(1);
  auto* album = new QHBoxLayout;
  album->addWidget(ckHTML_);
  album->addStretch(1);
  album->addWidget(cmdViewHTML_);
  frame->contentLayout()->addLayout(buttons);
  frame->contentLayout()->addLayout(album);
  frame->contentLayout()->addWidget(thProg_);
  frame->contentLayout()->addWidget(lblCount_);
  return frame;
}

void fMain::BuildMenus() {
  mnuFileTop_ = menuBar()->addMenu(QStringLiteral("&File"));
  mnuFilePreferences_ = mnuFileTop_->addAction(QStringLiteral("Preferences"));
  mnuFile_ << mnuFilePreferences_ << mnuFileTop_->addSeparator();
  mnuFileExit_ = mnuFileTop_->addAction(QStringLiteral("Exit"));
  mnuFile_ << mnuFileExit_;

  mnuHelpTop_ = menuBar()->addMenu(QStringLiteral("&Help"));
  mnuHelpTopics_ = mnuHelpTop_->addAction(QStringLiteral("Help Topics"));
  mnuHelpTopics_->setShortcut(QKeySequence::HelpContents);
  mnuHelpSearch_ = mnuHelpTop_->addAction(QStringLiteral("Search For Help on......"));
  mnuHelpForums_ = mnuHelpTop_->addAction(QStringLiteral("Oxbrindle Online Support Forums"));
  mnuHelpAbout_ = mnuHelpTop_->addAction(QStringLiteral("About"));
  mnuHelp_ << mnuHelpTopics_ << mnuHelpSearch_ << mnuHelpForums_ << mnuHelpAbout_;

  mnuVisit_ = menuBar()->addAction(QStringLiteral("Visit ") + QString::fromLatin1(ProgramInfo::kMakerName));

  // The folder menu, opened by a right click on either tree.
  mnuPopTop1_ = new QMenu(QStringLiteral("pop_1"), this);
  mnuPopRefresh_ = mnuPopTop1_->addAction(QStringLiteral("Refresh"));
  mnuPop1_ << mnuPopRefresh_ << mnuPopTop1_->addSeparator();
  mnuPopNewFolder_ = mnuPopTop1_->addAction(QStringLiteral("New Folder"));
  mnuPopRemoveFolder_ = mnuPopTop1_->addAction(QStringLiteral("Remove Folder"));
  mnuPop1_ << mnuPopNewFolder_ << mnuPopRemoveFolder_ << mnuPopTop1_->addSeparator();
  mnuPopDeleteContents_ = mnuPopTop1_->addAction(QStringLiteral("Delete Contents"));
  mnuPop1_ << mnuPopDeleteContents_;
}

void fMain::ListRunInputs() {
  // Everything that changes what a run does; Stop is not among them.
  runInputs_ = {ftvSource_, txtImgDir_,  ComboFilter_, ftvDest_, txtThumbDir_, fbImages_,   cmdSelectAll_,
                cmdClear_,  imagePage_, albumPanel_,  cmdStart_, ckHTML_,      cmdViewHTML_};
  runActions_ = {mnuFilePreferences_};
  runActions_ << mnuPop1_;
}
