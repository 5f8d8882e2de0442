#pragma once
// The main window's option controls, as the settings store reads and sets
// them. The main window implements this over its widgets. Setting a control
// should run that control's own change handling, as a user change would
// (the sample preview follows the colour pickers, the width box sets the
// height box, and so on); that is the implementer's part.
#include <QString>

#include "platform/drawing/ColorValue.h"

// Colour pickers.
enum class ColorControl {
  cpThumbBack, cpPage, cpHeaderColor, cpBorder, cpCaptionBack, cpCell, cpcapfontcolor, cpTablecolor,
};

// Text boxes.
enum class TextControl {
  txtThumbBackImage, txtPrefix, txtSuffix, txtHTMLBknd, txtPageHeader, txtPageFileName, txtThumbDirName,
  txtpageTitle,
};

// Up-down boxes (udPageOpt and udTableOpt are control arrays: the number is the index).
enum class NumberControl {
  udWid, udHgt, udImagePadding, udPageOpt0, udPageOpt1, udTableOpt0, udTableOpt1, udTableOpt2, udTableOpt3,
  udTableOpt4, udTableFont, udImagePageSize,
};

// Choice lists, in the order the window fills them.
enum class ListControl {
  ComboFilter, ComboOutputFormat, ComboResizeMethod, comboResampleMethod, cboAlign, cboThumbStyle,
};

// Check boxes.
enum class CheckControl { chkRepeatHeader, ckHTML, chkSuppress, ckNewBrowserWindow, ckDoFullPages,
                          ckImageDetails };

// Folder trees.
enum class TreeControl { ftvSource, ftvDest };

class OptionControls {
 public:
  virtual ~OptionControls() = default;

  virtual ColorValue color(ColorControl control) const = 0;
  virtual void setColor(ColorControl control, ColorValue value) = 0;
  // Runs a colour picker's change handling without changing its value.
  virtual void colorChanged(ColorControl control) = 0;

  virtual QString text(TextControl control) const = 0;
  virtual void setText(TextControl control, const QString& value) = 0;

  virtual int value(NumberControl control) const = 0;
  virtual void setValue(NumberControl control, int value) = 0;

  // Position of the selected entry (-1 for none).
  virtual int listIndex(ListControl control) const = 0;
  virtual void setListIndex(ListControl control, int index) = 0;

  virtual bool isChecked(CheckControl control) const = 0;
  virtual void setChecked(CheckControl control, bool checked) = 0;

  // Points a folder tree at a folder; the tree keeps a valid selection when
  // the folder is empty or gone.
  virtual void setSelectedFolder(TreeControl tree, const QString& folder) = 0;
};
