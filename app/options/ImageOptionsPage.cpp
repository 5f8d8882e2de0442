#include "app/options/ImageOptionsPage.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStackedWidget>

#include "app/controls/ColorPicker/ColorPicker.h"
#include "app/controls/ColorPicker/cpfrmColorPalette.h"  // ColorPicker.h needs it complete
#include "app/controls/ucUpDownBox/ucUpDownBox.h"
#include "app/engine/OptionPageLook.h"
#include "app/engine/ThumbGeometry.h"
#include "app/engine/ThumbnailOptions.h"
#include "app/options/NamePartGuard.h"
#include "app/options/OptionPagesControls.h"
#include "app/options/OptionWidgets.h"
#include "app/settings/ControlOptions.h"

namespace {

void ApplyBoxLook(ucUpDownBox* box, const BoxLook& look) {
  box->setEnabled(look.enabled);
  box->setBackColor(look.backColor);
}

// Hidden controls keep their room, so the page does not jump when the style changes.
void KeepRoomWhenHidden(QWidget* w) {
  QSizePolicy policy = w->sizePolicy();
  policy.setRetainSizeWhenHidden(true);
  w->setSizePolicy(policy);
}

}  // namespace

ImageOptionsPage::ImageOptionsPage(QWidget* parent) : QWidget(parent) {
  setObjectName(QStringLiteral("fraImageOptions"));
  const ThumbnailOptions defaults;
  using N = NumberControl;

  cboThumbStyle_ = MakeChoiceList(ListControl::cboThumbStyle, QStringLiteral("cboThumbStyle"), this);
  udWid_ = MakeNumberBox(N::udWid, defaults.thumbWidth, QStringLiteral("udWid"), this);
  udHgt_ = MakeNumberBox(N::udHgt, defaults.thumbHeight, QStringLiteral("udHgt"), this);
  sharedPlace_ = new QStackedWidget(this);
  sharedPlace_->setObjectName(QStringLiteral("sharedPlace"));
  ComboResizeMethod_ = MakeChoiceList(ListControl::ComboResizeMethod, QStringLiteral("ComboResizeMethod"), sharedPlace_);
  cpThumbBack_ = MakeColorPicker(defaults.thumbBackColor, QStringLiteral("cpThumbBack"), sharedPlace_);
  cpThumbBack_->setAccessibleName(QStringLiteral("Thumbnail background color"));
  sharedPlace_->addWidget(ComboResizeMethod_);
  sharedPlace_->addWidget(cpThumbBack_);
  comboResampleMethod_ =
      MakeChoiceList(ListControl::comboResampleMethod, QStringLiteral("comboResampleMethod"), this);
  udImagePadding_ = MakeNumberBox(N::udImagePadding, defaults.imagePadding, QStringLiteral("udImagePadding"), this);
  txtThumbBackImage_ = new QLineEdit(defaults.thumbBackImage, this);
  txtThumbBackImage_->setObjectName(QStringLiteral("txtThumbBackImage"));
  cmdBrowse1_ = new QPushButton(QStringLiteral("..."), this);
  cmdBrowse1_->setObjectName(QStringLiteral("cmdBrowse1"));
  cmdBrowse1_->setAccessibleName(QStringLiteral("Browse for a background image"));
  txtPrefix_ = new QLineEdit(defaults.prefix, this);
  txtPrefix_->setObjectName(QStringLiteral("txtPrefix"));
  txtSuffix_ = new QLineEdit(defaults.suffix, this);
  txtSuffix_->setObjectName(QStringLiteral("txtSuffix"));
  prefixGuard_ = new NamePartGuard(txtPrefix_, NamePart::Prefix);
  suffixGuard_ = new NamePartGuard(txtSuffix_, NamePart::Suffix);
  ComboOutputFormat_ = MakeChoiceList(ListControl::ComboOutputFormat, QStringLiteral("ComboOutputFormat"), this);
  for (QLineEdit* box : {txtPrefix_, txtSuffix_})
    box->setMinimumWidth(box->fontMetrics().horizontalAdvance(QStringLiteral("PREFIX_")) + 12);

  lblThumbStyle_ = MakeCaption(QStringLiteral("Thumb Style:"), QStringLiteral("lblThumbStyle"), cboThumbStyle_, this);
  Label2_ = MakeCaption(QStringLiteral("Max.Width(Pixels):"), QStringLiteral("Label2"), udWid_, this);
  Labelhgt_ = MakeCaption(QStringLiteral("Max.Height(Pixels):"), QStringLiteral("Labelhgt"), udHgt_, this);
  LabelResizeMethod_ =
      MakeCaption(QStringLiteral("Resize Mode:"), QStringLiteral("LabelResizeMethod"), ComboResizeMethod_, this);
  lblResample_ =
      MakeCaption(QStringLiteral("Resample Filter:"), QStringLiteral("lblResample"), comboResampleMethod_, this);
  lblPadding_ = MakeCaption(QStringLiteral("Image Padding:"), QStringLiteral("lblPadding"), udImagePadding_, this);
  Label21_ = MakeCaption(QStringLiteral("Background Image"), QStringLiteral("Label21"), txtThumbBackImage_, this);
  lblPrefix_ = MakeCaption(QStringLiteral("Prefix:"), QStringLiteral("lblPrefix"), txtPrefix_, this);
  lblSuffix_ = MakeCaption(QStringLiteral("Suffix:"), QStringLiteral("lblSuffix"), txtSuffix_, this);
  lblOutputFormat_ =
      MakeCaption(QStringLiteral("Output Format:"), QStringLiteral("lblOutputFormat"), ComboOutputFormat_, this);
  for (QWidget* w : {static_cast<QWidget*>(Label21_), static_cast<QWidget*>(txtThumbBackImage_),
                     static_cast<QWidget*>(cmdBrowse1_)})
    KeepRoomWhenHidden(w);
  BuildLayout();

  connect(cboThumbStyle_, &QComboBox::currentIndexChanged, this, &ImageOptionsPage::cboThumbStyle_Click);
  connect(ComboResizeMethod_, &QComboBox::currentIndexChanged, this, &ImageOptionsPage::ComboResizeMethod_Click);
  connect(udWid_, &ucUpDownBox::Change, this, &ImageOptionsPage::udWid_Change);
  connect(ComboOutputFormat_, &QComboBox::currentIndexChanged, this, &ImageOptionsPage::ComboOutputFormat_Click);
  connect(cpThumbBack_, &ColorPicker::ColorChanged, this, &ImageOptionsPage::cpThumbBack_Click);
  connect(txtThumbBackImage_, &QLineEdit::textChanged, this, &ImageOptionsPage::ThumbBackImageTextChanged);
  connect(cmdBrowse1_, &QPushButton::clicked, this, &ImageOptionsPage::BrowseThumbBackImage);

  // The look of the start-up entries.
  ComboResizeMethod_Click();
  cboThumbStyle_Click();
  ComboOutputFormat_Click();
}

ImageOptionsPage::~ImageOptionsPage() = default;

void ImageOptionsPage::BuildLayout() {
  auto* grid = new QGridLayout(this);
  grid->setColumnStretch(1, 2);
  grid->setColumnStretch(3, 1);
  int row = 0;
  grid->addWidget(lblThumbStyle_, row, 0);
  grid->addWidget(cboThumbStyle_, row, 1, 1, 3);
  ++row;
  grid->addWidget(Label2_, row, 0);
  grid->addWidget(udWid_, row, 1);
  grid->addWidget(Labelhgt_, row, 2);
  grid->addWidget(udHgt_, row, 3);
  ++row;
  grid->addWidget(LabelResizeMethod_, row, 0);
  grid->addWidget(sharedPlace_, row, 1, 1, 3);
  ++row;
  grid->addWidget(lblResample_, row, 0);
  grid->addWidget(comboResampleMethod_, row, 1, 1, 3);
  ++row;
  grid->addWidget(lblPadding_, row, 0);
  grid->addWidget(udImagePadding_, row, 1);
  ++row;
  grid->addWidget(Label21_, row, 0);
  auto* backImage = new QHBoxLayout;
  backImage->addWidget(txtThumbBackImage_, 1);
  backImage->addWidget(cmdBrowse1_);
  cmdBrowse1_->setFixedWidth(cmdBrowse1_->fontMetrics().horizontalAdvance(QStringLiteral("...")) + 16);
  grid->addLayout(backImage, row, 1, 1, 3);
  ++row;
  grid->addWidget(lblPrefix_, row, 0);
  grid->addWidget(txtPrefix_, row, 1);
  grid->addWidget(lblSuffix_, row, 2);
  grid->addWidget(txtSuffix_, row, 3);
  ++row;
  grid->addWidget(lblOutputFormat_, row, 0);
  grid->addWidget(ComboOutputFormat_, row, 1, 1, 3);
  grid->setRowStretch(row + 1, 1);
  // The shared place is as tall as the taller of its two controls.
  sharedPlace_->setFixedHeight(std::max(ComboResizeMethod_->sizeHint().height(), cpThumbBack_->sizeHint().height()));
}

int ImageOptionsPage::ThumbStyleIndex() const { return cboThumbStyle_->currentIndex(); }
int ImageOptionsPage::ResizeMode() const { return ComboResizeMethod_->currentIndex(); }
ColorValue ImageOptionsPage::ThumbBackColor() const { return cpThumbBack_->Color(); }
QString ImageOptionsPage::ThumbBackImage() const { return txtThumbBackImage_->text(); }

ColorPicker* ImageOptionsPage::colorPicker(ColorControl control) const {
  return control == ColorControl::cpThumbBack ? cpThumbBack_ : nullptr;
}

QLineEdit* ImageOptionsPage::textBox(TextControl control) const {
  switch (control) {
    case TextControl::txtThumbBackImage: return txtThumbBackImage_;
    case TextControl::txtPrefix: return txtPrefix_;
    case TextControl::txtSuffix: return txtSuffix_;
    default: return nullptr;
  }
}

NamePartGuard* ImageOptionsPage::nameGuard(TextControl control) const {
  switch (control) {
    case TextControl::txtPrefix: return prefixGuard_;
    case TextControl::txtSuffix: return suffixGuard_;
    default: return nullptr;
  }
}

ucUpDownBox* ImageOptionsPage::numberBox(NumberControl control) const {
  switch (control) {
    case NumberControl::udWid: return udWid_;
    case NumberControl::udHgt: return udHgt_;
    case NumberControl::udImagePadding: return udImagePadding_;
    default: return nullptr;
  }
}

QComboBox* ImageOptionsPage::choiceList(ListControl control) const {
  switch (control) {
    case ListControl::ComboOutputFormat: return ComboOutputFormat_;
    case ListControl::ComboResizeMethod: return ComboResizeMethod_;
    case ListControl::comboResampleMethod: return comboResampleMethod_;
    case ListControl::cboThumbStyle: return cboThumbStyle_;
    default: return nullptr;
  }
}

ThumbnailOptions ImageOptionsPage::Options() const {
  // Reading only: the controls view never changes the page.
  return ThumbnailOptionsFrom(OptionPagesControls(const_cast<ImageOptionsPage*>(this), nullptr));
}

void ImageOptionsPage::RestoreThumbBackImage(const QString& path) {
  txtThumbBackImage_->setText(path);
  if (!path.trimmed().isEmpty()) emit ThumbBackImageRestored(path);
}

void ImageOptionsPage::cboThumbStyle_Click() {
  const StyleLook look = LookForStyle(ThumbStyleIndex());
  ComboResizeMethod_->setEnabled(look.comboResizeEnabled);
  SetBoxBackColor(ComboResizeMethod_, look.comboResizeBackColor);
  if (look.forceResizeModeZero) {
    if (ComboResizeMethod_->currentIndex() == kResizeKeepAspect)
      ComboResizeMethod_Click();
    else
      ComboResizeMethod_->setCurrentIndex(kResizeKeepAspect);
  }
  sharedPlace_->setCurrentWidget(look.colorPickerInPlace ? static_cast<QWidget*>(cpThumbBack_) : ComboResizeMethod_);
  Label21_->setVisible(look.backImageControlsVisible);
  txtThumbBackImage_->setVisible(look.backImageControlsVisible);
  cmdBrowse1_->setVisible(look.backImageControlsVisible);
  udImagePadding_->setEnabled(look.paddingEnabled);
  LabelResizeMethod_->setBuddy(look.colorPickerInPlace ? static_cast<QWidget*>(cpThumbBack_) : ComboResizeMethod_);
  SetCaptionText(LabelResizeMethod_, look.labelResizeMethodText);
  SetCaptionText(Labelhgt_, look.labelhgtText);
  SetCaptionText(Label2_, look.label2Text);
  if (look.sizeBoxesEnabledByStyle) {
    Labelhgt_->setEnabled(true);
    Label2_->setEnabled(true);
    ApplyBoxLook(udWid_, BoxLook{true, kWindowColor});
    ApplyBoxLook(udHgt_, BoxLook{true, kWindowColor});
  }
  emit ThumbStyleChanged(ThumbStyleIndex());
}

void ImageOptionsPage::ComboResizeMethod_Click() {
  const ResizeModeLook look = LookForResizeMode(ResizeMode());
  ApplyBoxLook(udWid_, look.udWid);
  ApplyBoxLook(udHgt_, look.udHgt);
  Label2_->setEnabled(look.label2Enabled);
  SetCaptionText(Label2_, look.label2Text);
  Labelhgt_->setEnabled(look.labelhgtEnabled);
  emit ResizeModeChanged(ResizeMode());
}

void ImageOptionsPage::udWid_Change() { udHgt_->setValue(udWid_->Value()); }

void ImageOptionsPage::ComboOutputFormat_Click() { ComboOutputFormat_->setToolTip(ComboOutputFormat_->currentText()); }

void ImageOptionsPage::cpThumbBack_Click() { emit ThumbBackColorChosen(cpThumbBack_->Color()); }
