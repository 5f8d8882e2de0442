#pragma once
// The image options page (fraImageOptions): thumbnail style, size boxes,
// resize mode, resample filter, padding, background colour and image, file
// name prefix and suffix, output format. The page's reactions (labels,
// enabled states, colours, the shared place of the resize list and the
// colour picker, the width box setting the height box) follow the engine's
// option page looks. The engine's surfaces belong to the window: the page
// tells it about the background colour, the background image text and the
// browse button through signals.
#include <QWidget>

#include "app/engine/ThumbnailOptions.h"
#include "app/settings/OptionControls.h"

class ColorPicker;
class NamePartGuard;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QStackedWidget;
class ucUpDownBox;

class ImageOptionsPage : public QWidget {
  Q_OBJECT
  Q_PROPERTY(int ThumbStyleIndex READ ThumbStyleIndex NOTIFY ThumbStyleChanged)
  Q_PROPERTY(int ResizeMode READ ResizeMode NOTIFY ResizeModeChanged)
  Q_PROPERTY(quint32 ThumbBackColor READ ThumbBackColor NOTIFY ThumbBackColorChosen)

 public:
  explicit ImageOptionsPage(QWidget* parent = nullptr);
  ~ImageOptionsPage() override;

  int ThumbStyleIndex() const;
  int ResizeMode() const;
  ColorValue ThumbBackColor() const;
  QString ThumbBackImage() const;

  // The option values as the batch run reads them (prefix and suffix as the
  // name rule last accepted them), built by ThumbnailOptionsFrom.
  ThumbnailOptions Options() const;

  // A background image path restored from the settings: shown in its box,
  // and ThumbBackImageRestored asks the window to load it.
  void RestoreThumbBackImage(const QString& path);

  // The controls, for the settings transfer and for tests.
  QComboBox* cboThumbStyle() const { return cboThumbStyle_; }
  ucUpDownBox* udWid() const { return udWid_; }
  ucUpDownBox* udHgt() const { return udHgt_; }
  QLabel* Label2() const { return Label2_; }
  QLabel* Labelhgt() const { return Labelhgt_; }
  QComboBox* ComboResizeMethod() const { return ComboResizeMethod_; }
  QLabel* LabelResizeMethod() const { return LabelResizeMethod_; }
  QComboBox* comboResampleMethod() const { return comboResampleMethod_; }
  ucUpDownBox* udImagePadding() const { return udImagePadding_; }
  ColorPicker* cpThumbBack() const { return cpThumbBack_; }
  QStackedWidget* sharedPlace() const { return sharedPlace_; }
  QLineEdit* txtThumbBackImage() const { return txtThumbBackImage_; }
  QLabel* Label21() const { return Label21_; }
  QPushButton* cmdBrowse1() const { return cmdBrowse1_; }
  QLineEdit* txtPrefix() const { return txtPrefix_; }
  QLineEdit* txtSuffix() const { return txtSuffix_; }
  NamePartGuard* prefixGuard() const { return prefixGuard_; }
  NamePartGuard* suffixGuard() const { return suffixGuard_; }
  QComboBox* ComboOutputFormat() const { return ComboOutputFormat_; }

  // The page's controls by their settings names (nullptr for controls that
  // are not on this page).
  ColorPicker* colorPicker(ColorControl control) const;
  QLineEdit* textBox(TextControl control) const;
  NamePartGuard* nameGuard(TextControl control) const;
  ucUpDownBox* numberBox(NumberControl control) const;
  QComboBox* choiceList(ListControl control) const;

  // The change handling of each control, as a user change runs it.
  void cboThumbStyle_Click();
  void ComboResizeMethod_Click();
  void udWid_Change();
  void ComboOutputFormat_Click();
  void cpThumbBack_Click();

 signals:
  void ThumbStyleChanged(int style);
  void ResizeModeChanged(int mode);
  // The background colour of the framed styles (picBknd and picThumb take it).
  void ThumbBackColorChosen(quint32 color);
  // The background image box's text changed (an empty text drops the image).
  void ThumbBackImageTextChanged(const QString& text);
  // A stored background image path was put into the box: load it.
  void ThumbBackImageRestored(const QString& path);
  // The background image browse button (cmdBrowse 1) was pressed.
  void BrowseThumbBackImage();

 private:
  void BuildLayout();

  QComboBox* cboThumbStyle_ = nullptr;
  ucUpDownBox* udWid_ = nullptr;
  ucUpDownBox* udHgt_ = nullptr;
  QLabel* Label2_ = nullptr;
  QLabel* Labelhgt_ = nullptr;
  QStackedWidget* sharedPlace_ = nullptr;
  QComboBox* ComboResizeMethod_ = nullptr;
  ColorPicker* cpThumbBack_ = nullptr;
  QLabel* LabelResizeMethod_ = nullptr;
  QComboBox* comboResampleMethod_ = nullptr;
  ucUpDownBox* udImagePadding_ = nullptr;
  QLineEdit* txtThumbBackImage_ = nullptr;
  QLabel* Label21_ = nullptr;
  QPushButton* cmdBrowse1_ = nullptr;
  QLineEdit* txtPrefix_ = nullptr;
  QLineEdit* txtSuffix_ = nullptr;
  NamePartGuard* prefixGuard_ = nullptr;
  NamePartGuard* suffixGuard_ = nullptr;
  QComboBox* ComboOutputFormat_ = nullptr;
  QLabel* lblThumbStyle_ = nullptr;
  QLabel* lblResample_ = nullptr;
  QLabel* lblPadding_ = nullptr;
  QLabel* lblPrefix_ = nullptr;
  QLabel* lblSuffix_ = nullptr;
  QLabel* lblOutputFormat_ = nullptr;
};
