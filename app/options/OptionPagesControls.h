#pragma once
// The settings store's view of the option controls (OptionControls) over the
// real widgets of the two option pages. Setting a control runs its change
// handling as a user change would: lists and boxes through their own change
// notifications, a colour picker's handling also when the colour stays.
//
// The file mask list, the "Create HTML Gallery" box and the folder trees are
// the window's: it hands them in as WindowOptionParts. Parts left empty read
// as nothing selected, unchecked, and ignore what is set.
//
// Name parts (prefix, suffix, page file name, thumb folder name) read as the
// name rule last accepted them, and a stored text the rule refuses is not
// put into its box. A stored thumbnail background image is shown in its box
// and the page asks the window to load it (ImageOptionsPage::ThumbBackImageRestored).
#include <QPointer>
#include <functional>

#include "app/settings/OptionControls.h"

class AlbumOptionsPanel;
class ImageOptionsPage;
class QAbstractButton;
class QComboBox;

struct WindowOptionParts {
  QPointer<QComboBox> ComboFilter;
  QPointer<QAbstractButton> ckHTML;
  std::function<void(FolderTree tree, const QString& folder)> setSelectedFolder;
};

class OptionPagesControls : public OptionControls {
 public:
  // Either page may be null (its controls then read as 0 or empty).
  OptionPagesControls(ImageOptionsPage* image, AlbumOptionsPanel* album, WindowOptionParts window = {});

  ColorValue color(ColorControl control) const override;
  void setColor(ColorControl control, ColorValue value) override;
  void colorChanged(ColorControl control) override;
  QString text(TextControl control) const override;
  void setText(TextControl control, const QString& value) override;
  int value(NumberControl control) const override;
  void setValue(NumberControl control, int value) override;
  int listIndex(ListControl control) const override;
  void setListIndex(ListControl control, int index) override;
  bool isChecked(CheckControl control) const override;
  void setChecked(CheckControl control, bool checked) override;
  void setSelectedFolder(FolderTree tree, const QString& folder) override;

 private:
  template <typename Control, typename Widget>
  Widget* find(Widget* (ImageOptionsPage::*onImage)(Control) const, Widget* (AlbumOptionsPanel::*onAlbum)(Control) const,
               Control control) const;

  QPointer<ImageOptionsPage> image_;
  QPointer<AlbumOptionsPanel> album_;
  WindowOptionParts window_;
};
