#pragma once
// The main window: four numbered areas (folders, files, options, action),
// the menus, and the batch run's host. It owns the engine's hidden surfaces
// (PicLoad, picThumb, picBknd) and the settings record of the running program.
//
// Its work is spread over a few files: fMainLayout.cpp lays out the areas and
// menus and lists what a run locks; fMain.cpp wires every handler
// (ConnectHandlers) and handles start-up, menus and closing; fMainFolders.cpp the
// folder trees, path boxes and the folder menu; fMainFiles.cpp the file list,
// previews and browsing; fMainRun.cpp the batch run's host.
#include <QMainWindow>
#include <QPointer>
#include <QStringList>
#include <array>
#include <memory>
#include <optional>

#include "app/engine/BatchHost.h"
#include "app/engine/BatchRun.h"
#include "app/engine/PreviewLoader.h"
#include "app/engine/ThumbPreview.h"
#include "app/engine/mThumbStyles.h"
#include "app/settings/SettingsRecord.h"

class AlbumOptionsPanel;
class AlbumSampleCell;
class FolderTree;
class FolderTreeModel;
class ImageOptionsPage;
class OptionPagesControls;
class PictureButton;
class PreviewFileDialog;
class PreviewPictureBox;
class QAction;
class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QMenu;
class QPushButton;
class QRadioButton;
class QStackedWidget;
class QTabBar;
class Rk_Progbar;
class StepFrame;
class fAbout;
class fPreferences;

class fMain : public QMainWindow, public BatchHost {
  Q_OBJECT
 public:
  // record is the program's settings, read before the window exists; the
  // window keeps it current and saves it to settingsPath at a confirmed exit.
  // usedDefaults: the record came from no (or a corrupt) settings file.
  fMain(SettingsRecord& record, QString settingsPath, bool usedDefaults = false, QWidget* parent = nullptr);
  ~fMain() override;

  ThumbStage& stage() { return stage_; }
  BatchRun& run() { return run_; }
  const SettingsRecord& record() const { return record_; }

  // The controls, for tests and the settings transfer.
  FolderTree* ftvSource() const { return ftvSource_; }
  FolderTree* ftvDest() const { return ftvDest_; }
  QLineEdit* txtImgDir() const { return txtImgDir_; }
  QLineEdit* txtThumbDir() const { return txtThumbDir_; }
  QComboBox* ComboFilter() const { return ComboFilter_; }
  QLabel* Label1() const { return Label1_; }
  QListWidget* fbImages() const { return fbImages_; }
  QPushButton* cmdselect(int index) const { return index == 0 ? cmdSelectAll_ : cmdClear_; }
  QCheckBox* chkPreview() const { return chkPreview_; }
  PreviewPictureBox* ImgPreview() const { return ImgPreview_; }
  QLabel* lblImageFileSize() const { return lblImageFileSize_; }
  QLabel* lblImageSize() const { return lblImageSize_; }
  QRadioButton* optPreview(int index) const { return index == 0 ? optOriginal_ : optResult_; }
  AlbumSampleCell* picThumbPreview() const { return sample_; }
  QTabBar* tbsOptions() const { return tbsOptions_; }
  QStackedWidget* optionPages() const { return optionPages_; }
  ImageOptionsPage* fraImageOptions() const { return imagePage_; }
  AlbumOptionsPanel* albumOptions() const { return albumPanel_; }
  PictureButton* cmdAction(int index) const { return index == 0 ? cmdStart_ : cmdStop_; }
  QCheckBox* ckHTML() const { return ckHTML_; }
  QPushButton* cmdViewHTML() const { return cmdViewHTML_; }
  Rk_Progbar* thProg() const { return thProg_; }
  QLabel* lblCount() const { return lblCount_; }
  QMenu* folderMenu() const { return mnuPopTop1_; }
  QAction* mnuPop1(int index) const;
  QAction* mnuFile(int index) const;
  QAction* mnuHelp(int index) const;
  QAction* mnuVisit() const { return mnuVisit_; }
  StepFrame* stepFrame(int step) const { return steps_.at(static_cast<size_t>(step - 1)); }
  OptionPagesControls& optionControls() { return *controls_; }
  // The folder the file list shows (with its separator), which a run reads.
  QString fileListFolder() const { return listFolder_; }
  // The path of the file the image preview shows (empty when none).
  QString previewedFile() const { return previewedFile_; }
  PreviewLoader& previewLoader() { return previewLoader_; }
  PreviewLoader& fullSizeLoader() { return fullSizeLoader_; }
  PreviewLoader& backgroundLoader() { return backgroundLoader_; }
  // The help file the Help menu opens.
  QString helpFile() const { return helpFile_; }
  void setHelpFile(const QString& path) { helpFile_ = path; }

  // Handlers, each the window's answer to one user action; ConnectHandlers
  // wires them all.
  void ftvSource_SelectionChange();
  void ftvDest_SelectionChange();
  void FolderTree_MouseUp(bool sourceTree, int button);
  void mnuPopRefresh_Click();
  void mnuPopNewFolder_Click();
  void mnuPopRemoveFolder_Click();
  void mnuPopDeleteContents_Click();
  void txtImgDir_Enter();
  void txtThumbDir_Enter();
  void ComboFilter_Click();
  void fbImages_Click();
  void fbImages_DblClick();
  void cmdSelectAll_Click();
  void cmdClear_Click();
  void ImgPreview_DblClick();
  void cmdBrowseHTMLBknd_Click();
  void cmdBrowseThumbBackImage_Click();
  void tbsOptions_Click();
  void optPreviewOriginal_Click();
  void optPreviewResult_Click();
  void cmdActionStart_Click();
  void cmdActionStop_Click();
  void cmdViewHTML_Click();
  void mnuFilePreferences_Click();
  void mnuFileExit_Click();
  void mnuHelpTopics_Click();
  void mnuHelpSearch_Click();
  void mnuHelpForums_Click();
  void mnuHelpAbout_Click();
  void mnuVisit_Click();
  // Makes the file list show folder (re-read with the current mask). False,
  // with the list unchanged, when the folder cannot be read.
  bool ShowFolder(const QString& folder);

  // BatchHost: what the run reads of the window and reports into it.
  QStringList SelectedFileNames() const override;
  QString SourceFolderText() const override;
  QString DestinationFolderText() const override;
  bool AlbumOutputChecked() const override;
  QString ThumbFolderNameText() const override;
  QString PageFileNameText() const override;
  ThumbnailOptions Options() const override;
  bool AutoCreateDestinationFolder() const override;
  bool AutoViewCompletedGallery() const override;
  RunScope Scope() const override;
  ThumbStage& Stage() override { return stage_; }
  void SetProgressMax(int max) override;
  void SetProgressValue(int value) override;
  void SetCounterText(const QString& text) override;
  void ClearSelection() override;
  void SelectDestinationFolder(const QString& folder) override;
  void Yield() override;
  void YieldWhileWaiting() override;
  void TellUser(const QString& message) override;
  void FileFailed(const QString& fileName, const QString& reason) override;
  bool WriteAlbumPages(const QStringList& thumbnails, const QStringList& sources, const QString& destinationFolder,
                       const QString& prefix, const QString& suffix, int thumbSurfaceWidth,
                       const QSet<QString>& keep, const QList<QStringList>& details) override;
  int ImagePageCopySize() const override;
  bool ImagePageDetails() const override;
  void ViewGallery() override;

 signals:
  // A run started from the window has returned.
  void RunEnded();

 protected:
  void closeEvent(QCloseEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void dragEnterEvent(QDragEnterEvent* event) override;
  void dropEvent(QDropEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  // Construction (fMainLayout.cpp, fMain.cpp).
  QWidget* BuildFoldersArea();
  QWidget* BuildFilesArea();
  QWidget* BuildOptionsArea();
  QWidget* BuildActionArea();
  void BuildMenus();
  void ListRunInputs();
  void ConnectHandlers();
  void StartUp(bool usedDefaults);
  bool SaveSettingsAtExit();
  // Folders (fMainFolders.cpp).
  FolderTree* MenuTargetTree() const;
  // The menu target's selected folder, or empty (after saying why) when the
  // target is "My Computer" or a run is active.
  QString MenuTargetFolder();
  void RefreshAll();
  // Files (fMainFiles.cpp).
  void SelectAllFiles(bool select);
  // Shows the browse dialog; the chosen file, or empty when it was cancelled.
  std::optional<QString> BrowseImageFile();
  void ShowPreviewChoice(const SampleCellLook& look);
  void ShowPreview(const PreviewResult& result);
  void ClearPreview();
  void BrowseDialogPreview(const PreviewResult& result);
  void ShowFullSize(const PreviewResult& result);
  void BackgroundImageLoaded(const PreviewResult& result);
  void RestoreBackgroundImage(const QString& path);
  // The run (fMainRun.cpp).
  void SetRunning(bool running);
  void Note(const QString& text);

  SettingsRecord& record_;
  // "Make again only images that changed": off at start, never saved.
  bool onlyChanged_ = false;
  QString settingsPath_;
  QString helpFile_;
  ThumbStage stage_;
  BatchRun run_;
  // One loader for each purpose, so that no request cancels another's.
  PreviewLoader previewLoader_;     // the image preview of the file list
  PreviewLoader dialogLoader_;      // the file dialog's panel
  PreviewLoader fullSizeLoader_;    // the full-size preview window
  PreviewLoader backgroundLoader_;  // the thumbnail background image
  QString listFolder_;
  QString previewedFile_;
  QString fullSizeRequest_;    // the file the full-size preview waits for
  QPointer<PreviewFileDialog> dialogPreview_;  // the open file dialog, which previews take
  QString dialogRequest_;      // the file the dialog's panel waits for
  bool menuTargetSource_ = false;
  bool closeAfterRun_ = false;
  bool closeConfirmed_ = false;
  QStringList failures_;

  FolderTreeModel* folderModel_ = nullptr;
  FolderTree* ftvSource_ = nullptr;
  FolderTree* ftvDest_ = nullptr;
  QLineEdit* txtImgDir_ = nullptr;
  QLineEdit* txtThumbDir_ = nullptr;
  QComboBox* ComboFilter_ = nullptr;
  QLabel* Label1_ = nullptr;
  QListWidget* fbImages_ = nullptr;
  QPushButton* cmdSelectAll_ = nullptr;
  QPushButton* cmdClear_ = nullptr;
  QCheckBox* chkPreview_ = nullptr;
  QStackedWidget* previewPlace_ = nullptr;
  PreviewPictureBox* ImgPreview_ = nullptr;
  QLabel* lblImageFileSize_ = nullptr;
  QLabel* lblImageSize_ = nullptr;
  QRadioButton* optOriginal_ = nullptr;
  QRadioButton* optResult_ = nullptr;
  AlbumSampleCell* sample_ = nullptr;
  QTabBar* tbsOptions_ = nullptr;
  QStackedWidget* optionPages_ = nullptr;
  ImageOptionsPage* imagePage_ = nullptr;
  AlbumOptionsPanel* albumPanel_ = nullptr;
  PictureButton* cmdStart_ = nullptr;
  PictureButton* cmdStop_ = nullptr;
  QCheckBox* ckHTML_ = nullptr;
  QPushButton* cmdViewHTML_ = nullptr;
  Rk_Progbar* thProg_ = nullptr;
  QLabel* lblCount_ = nullptr;
  QMenu* mnuFileTop_ = nullptr;
  QAction* mnuFilePreferences_ = nullptr;
  QAction* mnuFileExit_ = nullptr;
  QMenu* mnuHelpTop_ = nullptr;
  QAction* mnuHelpTopics_ = nullptr;
  QAction* mnuHelpSearch_ = nullptr;
  QAction* mnuHelpForums_ = nullptr;
  QAction* mnuHelpAbout_ = nullptr;
  QAction* mnuVisit_ = nullptr;
  QMenu* mnuPopTop1_ = nullptr;
  QAction* mnuPopRefresh_ = nullptr;
  QAction* mnuPopNewFolder_ = nullptr;
  QAction* mnuPopRemoveFolder_ = nullptr;
  QAction* mnuPopDeleteContents_ = nullptr;
  // The menus' items in menu order, separators included, for mnuFile(i),
  // mnuHelp(i) and mnuPop1(i).
  QList<QAction*> mnuFile_;
  QList<QAction*> mnuHelp_;
  QList<QAction*> mnuPop1_;
  std::array<StepFrame*, 4> steps_{};
  // What is disabled while a run is active (ListRunInputs).
  QList<QWidget*> runInputs_;
  QList<QAction*> runActions_;
  QPointer<fAbout> about_;
  QPointer<fPreferences> preferences_;
  QPointer<QWidget> focusBeforeRun_;
  std::unique_ptr<OptionPagesControls> controls_;
};
