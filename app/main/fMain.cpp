#include "app/main/fMain.h"

#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QFileInfo>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMimeData>
#include <QMouseEvent>
#include <QPushButton>
#include <QRadioButton>
#include <QShortcut>
#include <QStackedWidget>
#include <QStatusBar>
#include <QTabBar>
#include <QTimer>
#include <QWindow>

#include "app/controls/picturebutton/PictureButton.h"
#include "app/engine/ThumbPreview.h"
#include "app/main/HelpDisplay.h"
#include "app/main/ProgramInfo.h"
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
  ListRunInputs();

  controls_ = std::make_unique<OptionPagesControls>(
      imagePage_, albumPanel_,
      WindowOptionParts{ComboFilter_, ckHTML_, [this](TreeControl tree, const QString& folder) {
                          (tree == TreeControl::ftvSource ? ftvSource_ : ftvDest_)->setSelectedFolder(folder);
                        }});
  fullSizeLoader_.setKeepsSpare(false);
  backgroundLoader_.setKeepsSpare(false);
  ConnectHandlers();
  StartUp(usedDefaults);
}

fMain::~fMain() {
  for (PreviewLoader* loader : {&previewLoader_, &dialogLoader_, &fullSizeLoader_, &backgroundLoader_})
    loader->disconnect(this);
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
  // A click previews the clicked file even when it is current already; the
  // keyboard moves the current row without a click.
  connect(fbImages_, &QListWidget::itemClicked, this, &fMain::fbImages_Click);
  connect(fbImages_, &QListWidget::currentRowChanged, this, &fMain::fbImages_Click);
  connect(fbImages_, &QListWidget::itemDoubleClicked, this, &fMain::fbImages_DblClick);
  connect(cmdSelectAll_, &QPushButton::clicked, this, &fMain::cmdSelectAll_Click);
  connect(cmdClear_, &QPushButton::clicked, this, &fMain::cmdClear_Click);
  connect(ImgPreview_, &PreviewPictureBox::DblClick, this, &fMain::ImgPreview_DblClick);
  connect(optOriginal_, &QRadioButton::clicked, this, &fMain::optPreviewOriginal_Click);
  connect(optResult_, &QRadioButton::clicked, this, &fMain::optPreviewResult_Click);
  connect(sample_, &AlbumSampleCell::SampleRequested, this, &fMain::fbImages_DblClick);
  connect(tbsOptions_, &QTabBar::tabBarClicked, this, [this](int index) {
    tbsOptions_->setCurrentIndex(index);
    tbsOptions_Click();
  });
  connect(tbsOptions_, &QTabBar::currentChanged, this, &fMain::tbsOptions_Click);
  connect(cmdStart_, &PictureButton::Click, this, &fMain::cmdActionStart_Click);
  connect(cmdStop_, &PictureButton::Click, this, &fMain::cmdActionStop_Click);
  connect(cmdViewHTML_, &QPushButton::clicked, this, &fMain::cmdViewHTML_Click);
  connect(albumPanel_, &AlbumOptionsPanel::BrowseBackgroundImage, this, &fMain::cmdBrowseHTMLBknd_Click);
  connect(imagePage_, &ImageOptionsPage::BrowseThumbBackImage, this, &fMain::cmdBrowseThumbBackImage_Click);
  connect(imagePage_, &ImageOptionsPage::ThumbBackColorChosen, this,
          [this](quint32 color) { stage_.SetThumbBackColor(color); });
  connect(imagePage_, &ImageOptionsPage::ThumbBackImageTextChanged, this,
          [this](const QString& text) { stage_.BackgroundImageTextChanged(text); });
  connect(imagePage_, &ImageOptionsPage::ThumbBackImageRestored, this, &fMain::RestoreBackgroundImage);
  connect(&previewLoader_, &PreviewLoader::Loaded, this, &fMain::ShowPreview);
  connect(&dialogLoader_, &PreviewLoader::Loaded, this, &fMain::BrowseDialogPreview);
  connect(&fullSizeLoader_, &PreviewLoader::Loaded, this, &fMain::ShowFullSize);
  connect(&backgroundLoader_, &PreviewLoader::Loaded, this, &fMain::BackgroundImageLoaded);
  ConnectAlbumSwitch(ckHTML_, cmdViewHTML_);
  Label1_->installEventFilter(this);
  auto* refresh = new QShortcut(QKeySequence::Refresh, this);
  connect(refresh, &QShortcut::activated, this, &fMain::RefreshAll);

  connect(mnuPopRefresh_, &QAction::triggered, this, &fMain::mnuPopRefresh_Click);
  connect(mnuPopNewFolder_, &QAction::triggered, this, &fMain::mnuPopNewFolder_Click);
  connect(mnuPopRemoveFolder_, &QAction::triggered, this, &fMain::mnuPopRemoveFolder_Click);
  connect(mnuPopDeleteContents_, &QAction::triggered, this, &fMain::mnuPopDeleteContents_Click);
  connect(mnuFilePreferences_, &QAction::triggered, this, &fMain::mnuFilePreferences_Click);
  connect(mnuFileExit_, &QAction::triggered, this, &fMain::mnuFileExit_Click);
  connect(mnuHelpTopics_, &QAction::triggered, this, &fMain::mnuHelpTopics_Click);
  connect(mnuHelpSearch_, &QAction::triggered, this, &fMain::mnuHelpSearch_Click);
  connect(mnuHelpForums_, &QAction::triggered, this, &fMain::mnuHelpForums_Click);
  connect(mnuHelpAbout_, &QAction::triggered, this, &fMain::mnuHelpAbout_Click);
  connect(mnuVisit_, &QAction::triggered, this, &fMain::mnuVisit_Click);
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
  optPreviewOriginal_Click();
  tbsOptions_Click();
  lblCount_->clear();
  resize(QSize(1200, 780).expandedTo(minimumSizeHint()));
}

void fMain::tbsOptions_Click() {
  const int tab = tbsOptions_->currentIndex();
  optionPages_->setCurrentIndex(tab);
  if (tab == 1) albumPanel_->SelectTab(2);
}

void fMain::optPreviewOriginal_Click() { ShowPreviewChoice(LookForPreviewChoice(0)); }

void fMain::optPreviewResult_Click() { ShowPreviewChoice(LookForPreviewChoice(1)); }

void fMain::ShowPreviewChoice(const SampleCellLook& look) {
  // The sample cell shares its place with the image preview.
  previewPlace_->setCurrentIndex(look.visible ? 1 : 0);
  sample_->setEnabled(look.enabled);
}

void fMain::mnuFilePreferences_Click() {
  if (!preferences_) {
    preferences_ = new fPreferences(record_, settingsPath_, this, &onlyChanged_);
    preferences_->setAttribute(Qt::WA_DeleteOnClose);
  }
  preferences_->show();
  preferences_->raise();
  preferences_->activateWindow();
}

void fMain::mnuFileExit_Click() { close(); }

void fMain::mnuHelpTopics_Click() { ShowHelpTopics(this, helpFile_, windowTitle()); }

void fMain::mnuHelpSearch_Click() { SearchForHelp(this, helpFile_, windowTitle()); }

void fMain::mnuHelpForums_Click() { OpenDocument(QString::fromLatin1(ProgramInfo::kSupportForums)); }

void fMain::mnuHelpAbout_Click() {
  // One about box at a time: a second click brings the open one forward.
  if (!about_) about_ = new fAbout(this);
  about_->show();
  about_->raise();
  about_->activateWindow();
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
    // The window closes once the run has returned (cmdActionStart_Click).
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
