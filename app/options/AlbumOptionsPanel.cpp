#include "app/options/AlbumOptionsPanel.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStackedWidget>
#include <QTabBar>
#include <QVBoxLayout>

#include "app/controls/ColorPicker/ColorPicker.h"
#include "app/controls/ColorPicker/cpfrmColorPalette.h"  // ColorPicker.h needs it complete
#include "app/controls/ucUpDownBox/ucUpDownBox.h"
#include "app/controls/vkFrames/vkFrames.h"
#include "app/options/AlbumSampleCell.h"
#include "app/options/NamePartGuard.h"
#include "app/options/OptionPagesControls.h"
#include "app/options/OptionWidgets.h"
#include "app/settings/ControlOptions.h"
#include "app/settings/ChoiceLists.h"
#include "app/settings/SettingsTransfer.h"

namespace {

struct TabText {
  const char* caption;
  const char* toolTip;
};
constexpr TabText kTabs[AlbumOptionsPanel::kTabCount] = {
    {"Table Options", "Settings for various table properties which affect thumbnail display."},
    {"Thumb Page Options", "Global settings which affect appearence of thumbnail gallery pages."},
    {"Fullsize Image Page Options", "Global settings for full-size image display pages."},
};

QLineEdit* MakeTextBox(const QString& text, const QString& name, const QString& toolTip, QWidget* parent) {
  auto* box = new QLineEdit(text, parent);
  box->setObjectName(name);
  box->setToolTip(toolTip);
  return box;
}

QCheckBox* MakeCheckBox(const QString& caption, const QString& name, QWidget* parent) {
  auto* box = new QCheckBox(caption, parent);
  box->setObjectName(name);
  return box;
}

// A caption above or beside its control in a grid cell pair.
void AddPair(QGridLayout* grid, int row, int column, QLabel* caption, QWidget* control) {
  grid->addWidget(caption, row, column);
  grid->addWidget(control, row, column + 1);
}

// A caption with its control spanning the rest of the row.
void AddWide(QGridLayout* grid, int row, QLabel* caption, QWidget* control) {
  grid->addWidget(caption, row, 0);
  grid->addWidget(control, row, 1, 1, 3);
}

}  // namespace

AlbumOptionsPanel::AlbumOptionsPanel(QWidget* parent) : QWidget(parent) {
  setObjectName(QStringLiteral("AlbumOptionsPanel"));
  tbsHTMLOptions_ = new QTabBar(this);
  tbsHTMLOptions_->setObjectName(QStringLiteral("tbsHTMLOptions"));
  tbsHTMLOptions_->setExpanding(false);
  tbsHTMLOptions_->setDrawBase(false);
  for (int i = 0; i < kTabCount; ++i) {
    tbsHTMLOptions_->addTab(QString::fromLatin1(kTabs[i].caption));
    tbsHTMLOptions_->setTabToolTip(i, QString::fromLatin1(kTabs[i].toolTip));
  }
  frames_ = new QStackedWidget(this);
  frames_->setObjectName(QStringLiteral("fraHTMLOptions"));
  for (int i = 0; i < kTabCount; ++i) {
    auto* frame = new vkFrames(frames_);
    frame->setObjectName(QStringLiteral("fraHTMLOptions%1").arg(i));
    frame->setStyle(0);
    fraHTMLOptions_.at(i) = frame;
    frames_->addWidget(frame);
  }
  BuildTableOptions(fraHTMLOptions_[0]);
  BuildPageOptions(fraHTMLOptions_[1]);
  BuildFullsizeOptions(fraHTMLOptions_[2]);

  auto* column = new QVBoxLayout(this);
  column->setContentsMargins(0, 0, 0, 0);
  column->setSpacing(0);
  column->addWidget(tbsHTMLOptions_);
  column->addWidget(frames_, 1);

  connect(tbsHTMLOptions_, &QTabBar::currentChanged, this, [this] { tbsHTMLOptions_Click(); });
  const std::pair<ColorPicker*, ColorControl> pickers[] = {
      {cpBorder_, ColorControl::cpBorder},         {cpcapfontcolor_, ColorControl::cpcapfontcolor},
      {cpCaptionBack_, ColorControl::cpCaptionBack}, {cpCell_, ColorControl::cpCell},
      {cpPage_, ColorControl::cpPage},             {cpTablecolor_, ColorControl::cpTablecolor},
      {cpHeaderColor_, ColorControl::cpHeaderColor},
  };
  for (const auto& [picker, control] : pickers) {
    const ColorControl c = control;
    connect(picker, &ColorPicker::ColorChanged, this, [this, c] { ColorPicker_Change(c); });
  }
  for (int i = 0; i < static_cast<int>(udTableOpt_.size()); ++i)
    connect(udTableOpt_[i], &ucUpDownBox::ValueChanged, this, [this, i] { udTableOpt_Change(i); });
  connect(cmdDefault_, &QPushButton::clicked, this, &AlbumOptionsPanel::cmdDefault_Click);
  connect(cmdBrowse0_, &QPushButton::clicked, this, &AlbumOptionsPanel::BrowseBackgroundImage);
  txtHTMLBknd_->installEventFilter(this);

  tbsHTMLOptions_Click();
}

AlbumOptionsPanel::~AlbumOptionsPanel() = default;

QWidget* AlbumOptionsPanel::BuildTableOptions(vkFrames* frame) {
  using N = NumberControl;
  const AlbumOptions d;
  const int values[] = {d.rowsPerPage, d.columnsPerRow, d.cellPadding, d.cellSpacing, d.borderWidth};
  const N controls[] = {N::udTableOpt0, N::udTableOpt1, N::udTableOpt2, N::udTableOpt3, N::udTableOpt4};
  const char* captions[] = {"Rows", "Columns", "Cell Padding", "Cell Spacing", "Border Width"};
  QLabel* labels[5];
  for (int i = 0; i < 5; ++i) {
    udTableOpt_.at(i) = MakeNumberBox(controls[i], values[i], QStringLiteral("udTableOpt%1").arg(i), frame);
    labels[i] = MakeCaption(QString::fromLatin1(captions[i]), QStringLiteral("lblTableOpt%1").arg(i), udTableOpt_[i],
                            frame);
  }
  udTableFont_ = MakeNumberBox(N::udTableFont, d.captionFontSize, QStringLiteral("udTableFont"), frame);
  cboAlign_ = MakeChoiceList(ListControl::cboAlign, QStringLiteral("cboAlign"), frame);
  cpBorder_ = MakeColorPicker(d.borderColor, QStringLiteral("cpBorder"), frame);
  cpCell_ = MakeColorPicker(d.cellColor, QStringLiteral("cpCell"), frame);
  cpCaptionBack_ = MakeColorPicker(d.captionBackColor, QStringLiteral("cpCaptionBack"), frame);
  cpTablecolor_ = MakeColorPicker(d.tableColor, QStringLiteral("cpTablecolor"), frame);
  cpcapfontcolor_ = MakeColorPicker(d.captionFontColor, QStringLiteral("cpcapfontcolor"), frame);
  chkSuppress_ = MakeCheckBox(QStringLiteral("No table formatting."), QStringLiteral("chkSuppress"), frame);
  cmdDefault_ = new QPushButton(QStringLiteral("Default Values"), frame);
  cmdDefault_->setObjectName(QStringLiteral("cmdDefault0"));
  cmdDefault_->setAutoDefault(false);

  auto* grid = new QGridLayout(frame);
  grid->setContentsMargins(9, 9, 9, 9);
  grid->setColumnStretch(1, 1);
  grid->setColumnStretch(3, 1);
  AddPair(grid, 0, 0, labels[0], udTableOpt_[0]);
  AddPair(grid, 0, 2, labels[1], udTableOpt_[1]);
  AddPair(grid, 1, 0, labels[2], udTableOpt_[2]);
  AddPair(grid, 1, 2, labels[3], udTableOpt_[3]);
  AddPair(grid, 2, 0, labels[4], udTableOpt_[4]);
  AddPair(grid, 2, 2, MakeCaption(QStringLiteral("Font Size"), QStringLiteral("lblTableFont"), udTableFont_, frame),
          udTableFont_);
  AddWide(grid, 3, MakeCaption(QStringLiteral("Alignment"), QStringLiteral("lblAlign"), cboAlign_, frame), cboAlign_);
  AddPair(grid, 4, 0, MakeCaption(QStringLiteral("Border Color"), QStringLiteral("lblBorder"), cpBorder_, frame),
          cpBorder_);
  AddPair(grid, 4, 2, MakeCaption(QStringLiteral("Cell Color"), QStringLiteral("lblCell"), cpCell_, frame), cpCell_);
  AddPair(grid, 5, 0,
          MakeCaption(QStringLiteral("Caption Color"), QStringLiteral("lblCaptionBack"), cpCaptionBack_, frame),
          cpCaptionBack_);
  AddPair(grid, 5, 2, MakeCaption(QStringLiteral("Table Color"), QStringLiteral("lblTablecolor"), cpTablecolor_, frame),
          cpTablecolor_);
  AddPair(grid, 6, 0,
          MakeCaption(QStringLiteral("Font Color"), QStringLiteral("lblcapfontcolor"), cpcapfontcolor_, frame),
          cpcapfontcolor_);
  grid->addWidget(chkSuppress_, 7, 0, 1, 4);
  grid->addWidget(cmdDefault_, 8, 0, 1, 2, Qt::AlignLeft);
  grid->setRowStretch(9, 1);
  return frame;
}

QWidget* AlbumOptionsPanel::BuildPageOptions(vkFrames* frame) {
  using N = NumberControl;
  const AlbumOptions d;
  txtpageTitle_ = MakeTextBox(d.pageTitle, QStringLiteral("txtpageTitle"), QStringLiteral("Page Title"), frame);
  txtPageHeader_ =
      MakeTextBox(d.pageHeader, QStringLiteral("txtPageHeader"), QStringLiteral("Page Header Text."), frame);
  udPageOpt_[0] = MakeNumberBox(N::udPageOpt0, d.headerSize, QStringLiteral("udPageOpt0"), frame);
  cpHeaderColor_ = MakeColorPicker(d.headerColor, QStringLiteral("cpHeaderColor"), frame);
  udPageOpt_[1] = MakeNumberBox(N::udPageOpt1, d.indexSize, QStringLiteral("udPageOpt1"), frame);
  cpPage_ = MakeColorPicker(d.pageColor, QStringLiteral("cpPage"), frame);
  cpPage_->setToolTip(QStringLiteral("Page background color."));
  txtHTMLBknd_ = MakeTextBox(d.backgroundImage, QStringLiteral("txtHTMLBknd"),
                             QStringLiteral("Optional background image for gallery pages."), frame);
  cmdBrowse0_ = new QPushButton(QStringLiteral("..."), frame);
  cmdBrowse0_->setObjectName(QStringLiteral("cmdBrowse0"));
  cmdBrowse0_->setAccessibleName(QStringLiteral("Browse for a page background image"));
  cmdBrowse0_->setAutoDefault(false);
  cmdBrowse0_->setFixedWidth(cmdBrowse0_->fontMetrics().horizontalAdvance(QStringLiteral("...")) + 16);
  txtPageFileName_ = MakeTextBox(d.pageFileName, QStringLiteral("txtPageFileName"),
                                 QStringLiteral("Base filename for HTML Gallery Pages."), frame);
  txtThumbDirName_ = MakeTextBox(d.thumbFolderName, QStringLiteral("txtThumbDirName"),
                                 QStringLiteral("Name of subfolder in which thumbnail images will be stored."), frame);
  pageFileNameGuard_ = new NamePartGuard(txtPageFileName_, NamePart::PageFileName);
  thumbFolderNameGuard_ = new NamePartGuard(txtThumbDirName_, NamePart::ThumbFolderName);
  chkRepeatHeader_ =
      MakeCheckBox(QStringLiteral("Repeat Index At Page Top."), QStringLiteral("chkRepeatHeader"), frame);

  auto* grid = new QGridLayout(frame);
  grid->setContentsMargins(9, 9, 9, 9);
  grid->setColumnStretch(1, 1);
  grid->setColumnStretch(3, 1);
  AddWide(grid, 0, MakeCaption(QStringLiteral("Page Title"), QStringLiteral("lblpageTitle"), txtpageTitle_, frame),
          txtpageTitle_);
  AddWide(grid, 1,
          MakeCaption(QStringLiteral("Page  Header Text"), QStringLiteral("lblPageHeader"), txtPageHeader_, frame),
          txtPageHeader_);
  AddPair(grid, 2, 0, MakeCaption(QStringLiteral("Head Size"), QStringLiteral("lblPageOpt0"), udPageOpt_[0], frame),
          udPageOpt_[0]);
  AddPair(grid, 2, 2,
          MakeCaption(QStringLiteral("Header Color"), QStringLiteral("lblHeaderColor"), cpHeaderColor_, frame),
          cpHeaderColor_);
  AddPair(grid, 3, 0, MakeCaption(QStringLiteral("Index Size"), QStringLiteral("lblPageOpt1"), udPageOpt_[1], frame),
          udPageOpt_[1]);
  AddPair(grid, 3, 2, MakeCaption(QStringLiteral("Background Color"), QStringLiteral("lblPage"), cpPage_, frame),
          cpPage_);
  grid->addWidget(MakeCaption(QStringLiteral("Background Image File(gif,jpg,png only)"), QStringLiteral("lblHTMLBknd"),
                              txtHTMLBknd_, frame),
                  4, 0, 1, 4);
  auto* background = new QHBoxLayout;
  background->addWidget(txtHTMLBknd_, 1);
  background->addWidget(cmdBrowse0_);
  grid->addLayout(background, 5, 0, 1, 4);
  AddWide(grid, 6,
          MakeCaption(QStringLiteral("Page File Name"), QStringLiteral("lblPageFileName"), txtPageFileName_, frame),
          txtPageFileName_);
  AddWide(grid, 7,
          MakeCaption(QStringLiteral("Thumb Folder Name"), QStringLiteral("lblThumbDirName"), txtThumbDirName_, frame),
          txtThumbDirName_);
  grid->addWidget(chkRepeatHeader_, 8, 0, 1, 4);
  grid->setRowStretch(9, 1);
  return frame;
}

QWidget* AlbumOptionsPanel::BuildFullsizeOptions(vkFrames* frame) {
  const AlbumOptions d;
  ckNewBrowserWindow_ = MakeCheckBox(QStringLiteral("Open fullsize images in new browser window."),
                                     QStringLiteral("ckNewBrowserWindow"), frame);
  ckDoFullPages_ = MakeCheckBox(QStringLiteral("Create custom fullsize image pages."), QStringLiteral("ckDoFullPages"),
                                frame);
  udImagePageSize_ = MakeNumberBox(NumberControl::udImagePageSize, d.imagePageSize, QStringLiteral("udImagePageSize"),
                                   frame);
  udImagePageSize_->setToolTip(QStringLiteral("Longest side of the image shown on each page, in pixels."));
  QLabel* sizeCaption = MakeCaption(QStringLiteral("Image Size"), QStringLiteral("lblImagePageSize"),
                                    udImagePageSize_, frame);
  ckImageDetails_ = MakeCheckBox(QStringLiteral("Show the photo's date, camera, lens, exposure and location."),
                                 QStringLiteral("ckImageDetails"), frame);
  // The size and the details only matter with the pages.
  const auto follow = [this, sizeCaption] {
    udImagePageSize_->setEnabled(ckDoFullPages_->isChecked());
    sizeCaption->setEnabled(ckDoFullPages_->isChecked());
    ckImageDetails_->setEnabled(ckDoFullPages_->isChecked());
  };
  connect(ckDoFullPages_, &QCheckBox::toggled, this, follow);
  follow();

  auto* pages = new QHBoxLayout;
  pages->addWidget(ckDoFullPages_);
  pages->addSpacing(12);
  pages->addWidget(sizeCaption);
  pages->addWidget(udImagePageSize_);
  pages->addStretch(1);
  auto* column = new QVBoxLayout(frame);
  column->setContentsMargins(9, 9, 9, 9);
  column->addWidget(ckNewBrowserWindow_);
  column->addLayout(pages);
  column->addWidget(ckImageDetails_);
  column->addStretch(1);
  return frame;
}

AlbumSampleCell* AlbumOptionsPanel::sample() const { return sample_; }

int AlbumOptionsPanel::SelectedTab() const { return tbsHTMLOptions_->currentIndex() + 1; }

void AlbumOptionsPanel::SelectTab(int tab) {
  if (tab < 1 || tab > kTabCount) return;
  if (tab == SelectedTab())
    tbsHTMLOptions_Click();
  else
    tbsHTMLOptions_->setCurrentIndex(tab - 1);
}

void AlbumOptionsPanel::tbsHTMLOptions_Click() {
  // The stack shows one frame and hides the others, so only its controls take the focus.
  const int index = tbsHTMLOptions_->currentIndex();
  if (frames_->currentIndex() == index) return;
  frames_->setCurrentIndex(index);
  emit SelectedTabChanged(index + 1);
}

void AlbumOptionsPanel::AttachSample(AlbumSampleCell* sample) {
  sample_ = sample;
  if (!sample_) return;
  for (ColorControl c : {ColorControl::cpBorder, ColorControl::cpcapfontcolor, ColorControl::cpCaptionBack,
                         ColorControl::cpCell, ColorControl::cpPage, ColorControl::cpTablecolor})
    ColorPicker_Change(c);
  udTableOpt_Change(4);
}

void AlbumOptionsPanel::ColorPicker_Change(ColorControl control) {
  if (!sample_) return;
  switch (control) {
    case ColorControl::cpBorder: sample_->setBorderColor(cpBorder_->Color()); break;
    case ColorControl::cpcapfontcolor: sample_->setCaptionFontColor(cpcapfontcolor_->Color()); break;
    case ColorControl::cpCaptionBack: sample_->setCaptionBackColor(cpCaptionBack_->Color()); break;
    case ColorControl::cpCell: sample_->setCellColor(cpCell_->Color()); break;
    case ColorControl::cpPage: sample_->setPageColor(cpPage_->Color()); break;
    case ColorControl::cpTablecolor: sample_->setTableColor(cpTablecolor_->Color()); break;
    default: break;  // the header colour has no sample
  }
}

void AlbumOptionsPanel::udTableOpt_Change(int index) {
  if (index == 4 && sample_) sample_->setBorderWidth(udTableOpt_[4]->Value());
}

void AlbumOptionsPanel::cmdDefault_Click() {
  OptionPagesControls controls(nullptr, this);
  ::cmdDefault_Click(controls);
}

bool AlbumOptionsPanel::eventFilter(QObject* watched, QEvent* event) {
  // Enter in the background image box is swallowed: nothing is inserted and
  // nothing else (a default button, say) sees it.
  if (watched == txtHTMLBknd_ && (event->type() == QEvent::KeyPress || event->type() == QEvent::ShortcutOverride)) {
    const int key = static_cast<QKeyEvent*>(event)->key();
    if (key == Qt::Key_Return || key == Qt::Key_Enter) {
      event->accept();
      return event->type() == QEvent::KeyPress;
    }
  }
  return QWidget::eventFilter(watched, event);
}

AlbumOptions AlbumOptionsPanel::Options() const {
  // Reading only: the controls view never changes the panel.
  return AlbumOptionsFrom(OptionPagesControls(nullptr, const_cast<AlbumOptionsPanel*>(this)));
}

ColorPicker* AlbumOptionsPanel::colorPicker(ColorControl control) const {
  switch (control) {
    case ColorControl::cpPage: return cpPage_;
    case ColorControl::cpHeaderColor: return cpHeaderColor_;
    case ColorControl::cpBorder: return cpBorder_;
    case ColorControl::cpCaptionBack: return cpCaptionBack_;
    case ColorControl::cpCell: return cpCell_;
    case ColorControl::cpcapfontcolor: return cpcapfontcolor_;
    case ColorControl::cpTablecolor: return cpTablecolor_;
    default: return nullptr;
  }
}

QLineEdit* AlbumOptionsPanel::textBox(TextControl control) const {
  switch (control) {
    case TextControl::txtHTMLBknd: return txtHTMLBknd_;
    case TextControl::txtPageHeader: return txtPageHeader_;
    case TextControl::txtPageFileName: return txtPageFileName_;
    case TextControl::txtThumbDirName: return txtThumbDirName_;
    case TextControl::txtpageTitle: return txtpageTitle_;
    default: return nullptr;
  }
}

NamePartGuard* AlbumOptionsPanel::nameGuard(TextControl control) const {
  switch (control) {
    case TextControl::txtPageFileName: return pageFileNameGuard_;
    case TextControl::txtThumbDirName: return thumbFolderNameGuard_;
    default: return nullptr;
  }
}

ucUpDownBox* AlbumOptionsPanel::numberBox(NumberControl control) const {
  switch (control) {
    case NumberControl::udPageOpt0: return udPageOpt_[0];
    case NumberControl::udPageOpt1: return udPageOpt_[1];
    case NumberControl::udTableOpt0: return udTableOpt_[0];
    case NumberControl::udTableOpt1: return udTableOpt_[1];
    case NumberControl::udTableOpt2: return udTableOpt_[2];
    case NumberControl::udTableOpt3: return udTableOpt_[3];
    case NumberControl::udTableOpt4: return udTableOpt_[4];
    case NumberControl::udTableFont: return udTableFont_;
    case NumberControl::udImagePageSize: return udImagePageSize_;
    default: return nullptr;
  }
}

QComboBox* AlbumOptionsPanel::choiceList(ListControl control) const {
  return control == ListControl::cboAlign ? cboAlign_ : nullptr;
}

QCheckBox* AlbumOptionsPanel::checkBox(CheckControl control) const {
  switch (control) {
    case CheckControl::chkRepeatHeader: return chkRepeatHeader_;
    case CheckControl::chkSuppress: return chkSuppress_;
    case CheckControl::ckNewBrowserWindow: return ckNewBrowserWindow_;
    case CheckControl::ckDoFullPages: return ckDoFullPages_;
    case CheckControl::ckImageDetails: return ckImageDetails_;
    case CheckControl::ckHTML: break;
  }
  return nullptr;
}
