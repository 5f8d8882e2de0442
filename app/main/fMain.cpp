#include "app/main/fMain.h"

#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QFileInfo>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QMouseEvent>
#include <QPushButton>
#include <QRadioButton>
#include <QShortcut>
#include <QStackedWidget>
#include <QStatusBar>
#include <QTabBar>
#include <QTimer>
#include <QVBoxLayout>
#include <QWindow>

#include "app/controls/picturebutton/PictureButton.h"
#include "app/controls/progbar/Rk_Progbar.h"
#include "app/engine/FileMasks.h"
#include "app/main/ActionPictures.h"
#include "app/main/HelpDisplay.h"
#include "app/main/ProgramInfo.h"
#include "app/main/StepFrame.h"
#include "app/main/fAbout.h"
#include "app/options/AlbumOptionsPanel.h"
#include "app/options/AlbumSampleCell.h"
#include "app/options/AlbumSwitch.h"
#include "app/options/ImageOptionsPage.h"
#include "app/options/OptionPagesControls.h"
#include "app/settings/SettingsFile.h"
#include "app/settings/SettingsTransfer.h"
#include "app/settings/fPreferences.h"
#include "platform/shell/FolderTree.h"
#include "platform/shell/FolderTreeModel.h"
#include "platform/shell/MessageBox.h"
#include "platform/shell/OpenDocument.h"
#include "platform/shell/PreviewPictureBox.h"

namespace {

const QString kProgram = QString::fromLatin1(ProgramInfo::kProgramName);

QLabel* Caption(const QString& text, QWidget* parent) {
  auto* label = new QLabel(text, parent);
  label->setAccessibleName(text);
  return label;
}

}  // namespace

fMain::fMain(SettingsRecord& record, QString settingsPath, bool usedDefaults, QWidget* parent)
    : QMainWindow(parent), record_(record), settingsPath_(std::move(settingsPath)), run_(*this) {
  setWindowTitle(kProgram + QStringLiteral(" by ") + QString::fromLatin1(ProgramInfo::kMakerName));
  setAccessibleName(windowTitle());
  setObjectName(QStringLiteral("fMain"));
  setAcceptDrops(true);
  stage_.SetThumbBackColor(0xC0C0C0);
  folderModel_ = new FolderTreeModel(this);

  auto* central = new QWidget(this);
  auto* grid = new QGridLayout(central);
  grid->setContentsMargins(8, 8, 8, 8);
  grid->setSpacing(8);
  grid->addWidget(BuildFoldersArea(), 0, 0, 2, 1);
  grid->addWidget(BuildFilesArea(), 0, 1);
  grid->addWidget(BuildActionArea(), 1, 1);
  grid->addWidget(BuildOptionsArea(), 0, 2, 2, 1);
  grid->setColumnStretch(0, 3);
  grid->setColumnStretch(1, 3);
  grid->setColumnStretch(2, 4);
  grid->setRowStretch(0, 1);
  setCentralWidget(central);
  statusBar()->setSizeGripEnabled(true);
  BuildMenus();

  controls_ = std::make_unique<OptionPagesControls>(
      imagePage_, albumPanel_,
      WindowOptionParts{ComboFilter_, ckHTML_, [this](TreeControl tree, const QString& folder) {
                          (tree == TreeControl::ftvSource ? ftvSource_ : ftvDest_)->setSelectedFolder(folder);
                        }});
  ConnectHandlers();
  StartUp(usedDefaults);
}

fMain::~fMain() { previewLoader_.disconnect(this); }

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

  box->addWidget(Caption(QStringLiteral("Source Folder"), frame));
  box->addWidget(ftvSource_, 1);
  box->addWidget(txtImgDir_);
  auto* mask = new QHBoxLayout;
  mask->addWidget(Label1_);
  mask->addWidget(ComboFilter_, 1);
  box->addLayout(mask);
  box->addSpacing(6);
  box->addWidget(Caption(QStringLiteral("Destination Folder"), frame));
  box->addWidget(ftvDest_, 1);
  box->addWidget(txtThumbDir_);
  runInputs_ << ftvSource_ << txtImgDir_ << ComboFilter_ << ftvDest_ << txtThumbDir_;

  mnuPopTop1_ = new QMenu(QStringLiteral("pop_1"), this);
  const QStringList items{QStringLiteral("Refresh"), QStringLiteral("-"), QStringLiteral("New Folder"),
                          QStringLiteral("Remove Folder"), QStringLiteral("-"), QStringLiteral("Delete Contents")};
  for (int i = 0; i < items.size(); ++i) {
    QAction* action = items[i] == QLatin1String("-") ? mnuPopTop1_->addSeparator() : mnuPopTop1_->addAction(items[i]);
    if (!action->isSeparator()) connect(action, &QAction::triggered, this, [this, i] { mnuPop1_Click(i); });
    mnuPop1_ << action;
  }
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
  runInputs_ << fbImages_ << cmdSelectAll_ << cmdClear_;
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
  optionPages_->addWidget(imagePage_);
  optionPages_->addWidget(albumPanel_);
  frame->contentLayout()->addWidget(tbsOptions_);
  frame->contentLayout()->addWidget(optionPages_, 1);
  runInputs_ << imagePage_ << albumPanel_;
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
  lblCount_->setAccessibleName(QStringLiteral("Progress text"));

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
  runInputs_ << cmdStart_ << ckHTML_ << cmdViewHTML_;
  return frame;
}

void fMain::BuildMenus() {
  mnuFileTop_ = menuBar()->addMenu(QStringLiteral("&File"));
  mnuFile_ << mnuFileTop_->addAction(QStringLiteral("Preferences")) << mnuFileTop_->addSeparator()
           << mnuFileTop_->addAction(QStringLiteral("Exit"));
  mnuHelpTop_ = menuBar()->addMenu(QStringLiteral("&Help"));
  mnuHelp_ << mnuHelpTop_->addAction(QStringLiteral("Help Topics"))
           << mnuHelpTop_->addAction(QStringLiteral("Search For Help on......"))
           << mnuHelpTop_->addAction(QStringLiteral("Oxbrindle Online Support Forums"))
           << mnuHelpTop_->addAction(QStringLiteral("About"));
  mnuVisit_ = menuBar()->addAction(QStringLiteral("Visit ") + QString::fromLatin1(ProgramInfo::kMakerName));
  for (int i = 0; i < mnuFile_.size(); ++i)
    connect(mnuFile_[i], &QAction::triggered, this, [this, i] { mnuFile_Click(i); });
  for (int i = 0; i < mnuHelp_.size(); ++i)
    connect(mnuHelp_[i], &QAction::triggered, this, [this, i] { mnuHelp_Click(i); });
  connect(mnuVisit_, &QAction::triggered, this, &fMain::mnuVisit_Click);
  mnuHelp_[0]->setShortcut(QKeySequence::HelpContents);
}

QAction* fMain::mnuPop1(int index) const { return mnuPop1_.value(index); }
QAction* fMain::mnuFile(int index) const { return mnuFile_.value(index); }
QAction* fMain::mnuHelp(int index) const { return mnuHelp_.value(index); }

void fMain::ConnectHandlers() {
  connect(ftvSource_, &FolderTree::SelectionChange, this, &fMain::ftvSource_SelectionChange);
  connect(ftvDest_, &FolderTree::SelectionChange, this, &fMain::ftvDest_SelectionChange);
  connect(ftvSource_, &FolderTree::MouseUp, this, [this](int button) { FolderTree_MouseUp(true, button); });
  connect(ftvDest_, &FolderTree::MouseUp, this, [this](int button) { FolderTree_MouseUp(false, button); });
  connect(txtImgDir_, &QLineEdit::returnPressed, this, &fMain::txtImgDir_Enter);
  connect(txtThumbDir_, &QLineEdit::returnPressed, this, &fMain::txtThumbDir_Enter);
  connect(ComboFilter_, qOverload<int>(&QComboBox::activated), this, &fMain::ComboFilter_Click);
  connect(fbImages_, &QListWidget::currentRowChanged, this, &fMain::fbImages_Click);
  connect(fbImages_, &QListWidget::itemDoubleClicked, this, &fMain::fbImages_DblClick);
  connect(cmdSelectAll_, &QPushButton::clicked, this, [this] { cmdselect_Click(0); });
  connect(cmdClear_, &QPushButton::clicked, this, [this] { cmdselect_Click(1); });
  connect(ImgPreview_, &PreviewPictureBox::DblClick, this, &fMain::ImgPreview_DblClick);
  connect(optOriginal_, &QRadioButton::clicked, this, [this] { optPreview_Click(0); });
  connect(optResult_, &QRadioButton::clicked, this, [this] { optPreview_Click(1); });
  connect(sample_, &AlbumSampleCell::SampleRequested, this, &fMain::fbImages_DblClick);
  connect(tbsOptions_, &QTabBar::tabBarClicked, this, [this](int index) {
    tbsOptions_->setCurrentIndex(index);
    tbsOptions_Click();
  });
  connect(tbsOptions_, &QTabBar::currentChanged, this, &fMain::tbsOptions_Click);
  connect(cmdStart_, &PictureButton::Click, this, [this] { cmdAction_Click(0); });
  connect(cmdStop_, &PictureButton::Click, this, [this] { cmdAction_Click(1); });
  connect(cmdViewHTML_, &QPushButton::clicked, this, &fMain::cmdViewHTML_Click);
  connect(albumPanel_, &AlbumOptionsPanel::BrowseBackgroundImage, this, [this] { cmdBrowse_Click(0); });
  connect(imagePage_, &ImageOptionsPage::BrowseThumbBackImage, this, [this] { cmdBrowse_Click(1); });
  connect(imagePage_, &ImageOptionsPage::ThumbBackColorChosen, this,
          [this](quint32 color) { stage_.SetThumbBackColor(color); });
  connect(imagePage_, &ImageOptionsPage::ThumbBackImageTextChanged, this,
          [this](const QString& text) { stage_.BackgroundImageTextChanged(text); });
  connect(imagePage_, &ImageOptionsPage::ThumbBackImageRestored, this, &fMain::RestoreBackgroundImage);
  connect(&previewLoader_, &PreviewLoader::Loaded, this, &fMain::ShowPreview);
  connect(&fullSizeLoader_, &PreviewLoader::Loaded, this, [this](const PreviewResult& result) {
    if (result.path == backgroundRequest_)
      BackgroundImageLoaded(result);
    else
      ShowFullSize(result);
  });
  ConnectAlbumSwitch(ckHTML_, cmdViewHTML_);
  Label1_->installEventFilter(this);
  auto* refresh = new QShortcut(QKeySequence::Refresh, this);
  connect(refresh, &QShortcut::activated, this, &fMain::RefreshAll);
}

void fMain::StartUp(bool usedDefaults) {
  helpFile_ = DefaultHelpFilePath();
  ComboFilter_->setCurrentIndex(0);
  ShowFolder(QCoreApplication::applicationDirPath());
  // With no settings file the record is all zeros: it takes the controls'
  // start-up values, so a save before the first confirmed exit stores them.
  if (usedDefaults) GatherSettingsFromControls(*controls_, record_);
  ApplySettingsToControls(record_, *controls_);
  imagePage_->cpThumbBack_Click();
  optOriginal_->setChecked(true);
  optPreview_Click(0);
  tbsOptions_Click();
  lblCount_->clear();
  resize(QSize(1200, 780).expandedTo(minimumSizeHint()));
}

void fMain::tbsOptions_Click() {
  const int tab = tbsOptions_->currentIndex();
  optionPages_->setCurrentIndex(tab);
  if (tab == 1) albumPanel_->SelectTab(2);
}

void fMain::optPreview_Click(int index) {
  // The sample cell shares its place with the image preview.
  previewPlace_->setCurrentIndex(index == 0 ? 0 : 1);
  sample_->setEnabled(index != 0);
}

void fMain::mnuFile_Click(int index) {
  if (index == 0) {
    if (!preferences_) {
      preferences_ = new fPreferences(record_, settingsPath_, this);
      preferences_->setAttribute(Qt::WA_DeleteOnClose);
    }
    preferences_->show();
    preferences_->raise();
    preferences_->activateWindow();
  } else if (index == 2) {
    close();
  }
}

void fMain::mnuHelp_Click(int index) {
  switch (index) {
    case 0: ShowHelpTopics(this, helpFile_, windowTitle()); break;
    case 1: SearchForHelp(this, helpFile_, windowTitle()); break;
    case 2: OpenDocument(QString::fromLatin1(ProgramInfo::kSupportForums)); break;
    case 3: {
      auto* about = new fAbout(this);
      about->show();
      break;
    }
    default: break;
  }
}

void fMain::mnuVisit_Click() { OpenDocument(QString::fromLatin1(ProgramInfo::kMakerWebSite)); }

bool fMain::SaveSettingsAtExit() {
  GatherSettingsFromControls(*controls_, record_);
  if (SaveSettings(record_, settingsPath_)) return true;
  ShowMessageBox(QStringLiteral("The settings could not be saved to %1.\nThey will be as before at the next start.")
                     .arg(settingsPath_),
                 kProgram, MsgIcon::Exclamation, MsgButtons::OK, this);
  return false;
}

void fMain::closeEvent(QCloseEvent* event) {
  if (!closeConfirmed_) {
    if (ShowMessageBox(QStringLiteral("Are you sure you want to quit?"), QStringLiteral("Confirm Exit"),
                       MsgIcon::Question, MsgButtons::YesNo, this) != MsgResult::Yes) {
      event->ignore();
      return;
    }
    closeConfirmed_ = true;
  }
  if (run_.isRunning()) {
    // The window closes once the run has returned (cmdAction_Click).
    closeAfterRun_ = true;
    run_.Abort();
    event->ignore();
    return;
  }
  SaveSettingsAtExit();
  event->accept();
  // The program ends, closing all its windows.
  for (QWidget* window : QApplication::topLevelWidgets())
    if (window != this && window->isVisible() && window->parentWidget() == this) window->close();
}

bool fMain::eventFilter(QObject* watched, QEvent* event) {
  if (watched == Label1_ && event->type() == QEvent::MouseButtonRelease) {
    QTimer::singleShot(0, this, &QWidget::close);  // "Source File Mask" closes the window, as Exit does
    return true;
  }
  return QMainWindow::eventFilter(watched, event);
}

void fMain::mousePressEvent(QMouseEvent* event) {
  // A press on the window's own background moves the window.
  if (windowHandle() && windowHandle()->startSystemMove()) {
    event->accept();
    return;
  }
  QMainWindow::mousePressEvent(event);
}

void fMain::dragEnterEvent(QDragEnterEvent* event) {
  const QList<QUrl> urls = event->mimeData()->urls();
  if (urls.size() == 1 && urls.first().isLocalFile() && QFileInfo(urls.first().toLocalFile()).isDir() &&
      !run_.isRunning())
    event->acceptProposedAction();
}

void fMain::dropEvent(QDropEvent* event) {
  // A folder dropped on the window becomes the source folder.
  const QString folder = event->mimeData()->urls().value(0).toLocalFile();
  if (folder.isEmpty()) return;
  ftvSource_->setSelectedFolder(folder);
  event->acceptProposedAction();
}
