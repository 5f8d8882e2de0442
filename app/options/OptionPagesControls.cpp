#include "app/options/OptionPagesControls.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>

#include "app/controls/ColorPicker/ColorPicker.h"
#include "app/controls/ColorPicker/cpfrmColorPalette.h"  // ColorPicker.h needs it complete
#include "app/controls/ucUpDownBox/ucUpDownBox.h"
#include "app/options/AlbumOptionsPanel.h"
#include "app/options/ImageOptionsPage.h"
#include "app/options/NamePartGuard.h"

OptionPagesControls::OptionPagesControls(ImageOptionsPage* image, AlbumOptionsPanel* album, WindowOptionParts window)
    : image_(image), album_(album), window_(std::move(window)) {}

template <typename Control, typename Widget>
Widget* OptionPagesControls::find(Widget* (ImageOptionsPage::*onImage)(Control) const,
                                  Widget* (AlbumOptionsPanel::*onAlbum)(Control) const, Control control) const {
  if (image_)
    if (Widget* w = (image_->*onImage)(control)) return w;
  if (album_) return (album_->*onAlbum)(control);
  return nullptr;
}

ColorValue OptionPagesControls::color(ColorControl control) const {
  const ColorPicker* picker = find(&ImageOptionsPage::colorPicker, &AlbumOptionsPanel::colorPicker, control);
  return picker ? picker->Color() : 0;
}

void OptionPagesControls::setColor(ColorControl control, ColorValue value) {
  ColorPicker* picker = find(&ImageOptionsPage::colorPicker, &AlbumOptionsPanel::colorPicker, control);
  if (!picker) return;
  // A new colour runs the handling through the picker's change notification.
  if (picker->Color() == value)
    colorChanged(control);
  else
    picker->setColor(value);
}

void OptionPagesControls::colorChanged(ColorControl control) {
  if (control == ColorControl::cpThumbBack) {
    if (image_) image_->cpThumbBack_Click();
  } else if (album_) {
    album_->ColorPicker_Change(control);
  }
}

QString OptionPagesControls::text(TextControl control) const {
  if (const NamePartGuard* guard = find(&ImageOptionsPage::nameGuard, &AlbumOptionsPanel::nameGuard, control))
    return guard->acceptedText();
  const QLineEdit* box = find(&ImageOptionsPage::textBox, &AlbumOptionsPanel::textBox, control);
  return box ? box->text() : QString();
}

void OptionPagesControls::setText(TextControl control, const QString& value) {
  if (NamePartGuard* guard = find(&ImageOptionsPage::nameGuard, &AlbumOptionsPanel::nameGuard, control)) {
    guard->setText(value);
    return;
  }
  if (control == TextControl::txtThumbBackImage) {
    if (image_) image_->RestoreThumbBackImage(value);
    return;
  }
  if (QLineEdit* box = find(&ImageOptionsPage::textBox, &AlbumOptionsPanel::textBox, control)) box->setText(value);
}

int OptionPagesControls::value(NumberControl control) const {
  const ucUpDownBox* box = find(&ImageOptionsPage::numberBox, &AlbumOptionsPanel::numberBox, control);
  return box ? box->Value() : 0;
}

void OptionPagesControls::setValue(NumberControl control, int value) {
  if (ucUpDownBox* box = find(&ImageOptionsPage::numberBox, &AlbumOptionsPanel::numberBox, control))
    box->setValue(value);
}

int OptionPagesControls::listIndex(ListControl control) const {
  const QComboBox* list = control == ListControl::ComboFilter
                              ? window_.ComboFilter.data()
                              : find(&ImageOptionsPage::choiceList, &AlbumOptionsPanel::choiceList, control);
  return list ? list->currentIndex() : -1;
}

void OptionPagesControls::setListIndex(ListControl control, int index) {
  QComboBox* list = control == ListControl::ComboFilter
                        ? window_.ComboFilter.data()
                        : find(&ImageOptionsPage::choiceList, &AlbumOptionsPanel::choiceList, control);
  if (list) list->setCurrentIndex(index);
}

bool OptionPagesControls::isChecked(CheckControl control) const {
  if (control == CheckControl::ckHTML) return window_.ckHTML && window_.ckHTML->isChecked();
  const QCheckBox* box = album_ ? album_->checkBox(control) : nullptr;
  return box && box->isChecked();
}

void OptionPagesControls::setChecked(CheckControl control, bool checked) {
  if (control == CheckControl::ckHTML) {
    if (window_.ckHTML) window_.ckHTML->setChecked(checked);
    return;
  }
  if (QCheckBox* box = album_ ? album_->checkBox(control) : nullptr) box->setChecked(checked);
}

void OptionPagesControls::setSelectedFolder(FolderTree tree, const QString& folder) {
  if (window_.setSelectedFolder) window_.setSelectedFolder(tree, folder);
}
