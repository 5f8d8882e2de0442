#pragma once
// The album options panel: the tab strip tbsHTMLOptions over the three frames
// fraHTMLOptions 0-2 (table options, thumb page options, full-size image page
// options), one shown at a time. The colour pickers and the border width
// drive the one-cell sample (AlbumSampleCell) that the window places and
// attaches. "Default Values" puts the table options back.
#include <QPointer>
#include <QWidget>
#include <array>

#include "app/album/AlbumOptions.h"
#include "app/settings/OptionControls.h"

class AlbumSampleCell;
class ColorPicker;
class NamePartGuard;
class QCheckBox;
class QComboBox;
class QLineEdit;
class QPushButton;
class QStackedWidget;
class QTabBar;
class ucUpDownBox;
class vkFrames;

class AlbumOptionsPanel : public QWidget {
  Q_OBJECT
  Q_PROPERTY(int SelectedTab READ SelectedTab WRITE SelectTab NOTIFY SelectedTabChanged)

 public:
  static constexpr int kTabCount = 3;

  explicit AlbumOptionsPanel(QWidget* parent = nullptr);
  ~AlbumOptionsPanel() override;

  // The selected tab, 1-based as the tab strip counts.
  int SelectedTab() const;
  // Selects a tab (1-based) and shows its frame, also when it was selected already.
  void SelectTab(int tab);

  // The sample follows the panel from now on; it takes the current values at once.
  void AttachSample(AlbumSampleCell* sample);
  AlbumSampleCell* sample() const;

  // The album writer's options as the controls hold them.
  AlbumOptions Options() const;

  // The panel's controls by their settings names (nullptr for controls that
  // are not on this panel).
  ColorPicker* colorPicker(ColorControl control) const;
  QLineEdit* textBox(TextControl control) const;
  NamePartGuard* nameGuard(TextControl control) const;
  ucUpDownBox* numberBox(NumberControl control) const;
  QComboBox* choiceList(ListControl control) const;
  QCheckBox* checkBox(CheckControl control) const;

  QTabBar* tbsHTMLOptions() const { return tbsHTMLOptions_; }
  QStackedWidget* frames() const { return frames_; }
  vkFrames* fraHTMLOptions(int index) const { return fraHTMLOptions_.at(index); }
  ucUpDownBox* udTableOpt(int index) const { return udTableOpt_.at(index); }
  ucUpDownBox* udTableFont() const { return udTableFont_; }
  ucUpDownBox* udPageOpt(int index) const { return udPageOpt_.at(index); }
  QComboBox* cboAlign() const { return cboAlign_; }
  ColorPicker* cpBorder() const { return cpBorder_; }
  ColorPicker* cpCell() const { return cpCell_; }
  ColorPicker* cpCaptionBack() const { return cpCaptionBack_; }
  ColorPicker* cpTablecolor() const { return cpTablecolor_; }
  ColorPicker* cpcapfontcolor() const { return cpcapfontcolor_; }
  ColorPicker* cpHeaderColor() const { return cpHeaderColor_; }
  ColorPicker* cpPage() const { return cpPage_; }
  QCheckBox* chkSuppress() const { return chkSuppress_; }
  QCheckBox* chkRepeatHeader() const { return chkRepeatHeader_; }
  QCheckBox* ckNewBrowserWindow() const { return ckNewBrowserWindow_; }
  QCheckBox* ckDoFullPages() const { return ckDoFullPages_; }
  ucUpDownBox* udImagePageSize() const { return udImagePageSize_; }
  QCheckBox* ckImageDetails() const { return ckImageDetails_; }
  QPushButton* cmdDefault() const { return cmdDefault_; }
  QPushButton* cmdBrowse0() const { return cmdBrowse0_; }
  QLineEdit* txtpageTitle() const { return txtpageTitle_; }
  QLineEdit* txtPageHeader() const { return txtPageHeader_; }
  QLineEdit* txtHTMLBknd() const { return txtHTMLBknd_; }
  QLineEdit* txtPageFileName() const { return txtPageFileName_; }
  QLineEdit* txtThumbDirName() const { return txtThumbDirName_; }

  // The change handling, as a user change runs it.
  void tbsHTMLOptions_Click();
  // A colour picker's change: the sample takes the picker's colour.
  void ColorPicker_Change(ColorControl control);
  // An up-down box of the table options changed; index 4 (border width) reaches the sample.
  void udTableOpt_Change(int index);
  // "Default Values": the table options back to their defaults.
  void cmdDefault_Click();

 signals:
  void SelectedTabChanged(int tab);
  // The background image browse button (cmdBrowse 0) was pressed.
  void BrowseBackgroundImage();

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  QWidget* BuildTableOptions(vkFrames* frame);
  QWidget* BuildPageOptions(vkFrames* frame);
  QWidget* BuildFullsizeOptions(vkFrames* frame);

  QTabBar* tbsHTMLOptions_ = nullptr;
  QStackedWidget* frames_ = nullptr;
  std::array<vkFrames*, kTabCount> fraHTMLOptions_{};
  std::array<ucUpDownBox*, 5> udTableOpt_{};
  ucUpDownBox* udTableFont_ = nullptr;
  std::array<ucUpDownBox*, 2> udPageOpt_{};
  QComboBox* cboAlign_ = nullptr;
  ColorPicker* cpBorder_ = nullptr;
  ColorPicker* cpCell_ = nullptr;
  ColorPicker* cpCaptionBack_ = nullptr;
  ColorPicker* cpTablecolor_ = nullptr;
  ColorPicker* cpcapfontcolor_ = nullptr;
  ColorPicker* cpHeaderColor_ = nullptr;
  ColorPicker* cpPage_ = nullptr;
  QCheckBox* chkSuppress_ = nullptr;
  QCheckBox* chkRepeatHeader_ = nullptr;
  QCheckBox* ckNewBrowserWindow_ = nullptr;
  QCheckBox* ckDoFullPages_ = nullptr;
  ucUpDownBox* udImagePageSize_ = nullptr;
  QCheckBox* ckImageDetails_ = nullptr;
  QPushButton* cmdDefault_ = nullptr;
  QPushButton* cmdBrowse0_ = nullptr;
  QLineEdit* txtpageTitle_ = nullptr;
  QLineEdit* txtPageHeader_ = nullptr;
  QLineEdit* txtHTMLBknd_ = nullptr;
  QLineEdit* txtPageFileName_ = nullptr;
  QLineEdit* txtThumbDirName_ = nullptr;
  NamePartGuard* pageFileNameGuard_ = nullptr;
  NamePartGuard* thumbFolderNameGuard_ = nullptr;
  QPointer<AlbumSampleCell> sample_;
};
