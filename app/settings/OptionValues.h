#pragma once
// Option controls without a window: the options as plain values, starting
// at the controls' start-up values. A front end without the main window
// gets the options a start-up would show with
//   OptionValues values; ApplySettingsToControls(record, values);
// and stores them back with GatherSettingsFromControls(values, record).
// Every option control reads and writes its member through the option table.
#include "app/album/AlbumOptions.h"
#include "app/engine/ThumbnailOptions.h"
#include "app/settings/OptionControls.h"

class OptionValues : public OptionControls {
 public:
  ThumbnailOptions thumbnail;
  AlbumOptions album;
  QString sourceFolder;
  QString destinationFolder;
  bool createHtml = false;  // ckHTML, "Create HTML Gallery"
  int fileFilterIndex = 0;  // ComboFilter

  ColorValue color(ColorControl control) const override;
  void setColor(ColorControl control, ColorValue value) override;
  void colorChanged(ColorControl) override {}
  QString text(TextControl control) const override;
  void setText(TextControl control, const QString& value) override;
  int value(NumberControl control) const override;
  void setValue(NumberControl control, int value) override;
  int listIndex(ListControl control) const override;
  void setListIndex(ListControl control, int index) override;
  bool isChecked(CheckControl control) const override;
  void setChecked(CheckControl control, bool checked) override;
  void setSelectedFolder(TreeControl tree, const QString& folder) override;
};
