#pragma once
// A drop-down colour chooser: a swatch of Color beside a drop button. A click
// on it opens the palette (cpfrmColorPalette) under it; Click follows once the
// palette has closed, with Color changed when a colour was chosen.
#include <QPointer>

#include "app/controls/ColorPicker/PaletteState.h"
#include "app/controls/common/PersistedWidget.h"

class PropertyBag;
class cpfrmColorPalette;

class ColorPicker : public PersistedWidget {
  Q_OBJECT
  Q_PROPERTY(quint32 Color READ Color WRITE setColor NOTIFY ColorChanged USER true)
  Q_PROPERTY(quint32 DefaultColor READ DefaultColor WRITE setDefaultColor NOTIFY DefaultColorChanged)
  Q_PROPERTY(int Appearance READ Appearance WRITE setAppearance NOTIFY AppearanceChanged)
  Q_PROPERTY(quint32 BackColor READ BackColor WRITE setBackColor NOTIFY BackColorChanged)
  Q_PROPERTY(bool ShowDefault READ ShowDefault WRITE setShowDefault NOTIFY ShowDefaultChanged)
  Q_PROPERTY(bool ShowCustomColors READ ShowCustomColors WRITE setShowCustomColors NOTIFY ShowCustomColorsChanged)
  Q_PROPERTY(bool ShowMoreColors READ ShowMoreColors WRITE setShowMoreColors NOTIFY ShowMoreColorsChanged)
  Q_PROPERTY(QString DefaultCaption READ DefaultCaption WRITE setDefaultCaption NOTIFY DefaultCaptionChanged)
  Q_PROPERTY(
      QString MoreColorsCaption READ MoreColorsCaption WRITE setMoreColorsCaption NOTIFY MoreColorsCaptionChanged)
  Q_PROPERTY(
      bool ShowSysColorButton READ ShowSysColorButton WRITE setShowSysColorButton NOTIFY ShowSysColorButtonChanged)
  Q_PROPERTY(bool ShowToolTips READ ShowToolTips WRITE setShowToolTips NOTIFY ShowToolTipsChanged)

 public:
  static constexpr ColorValue kDefaultBackColor = kSystemColorFlag + COLOR_APPWORKSPACE;
  static constexpr int kHeightTwips = 315;
  static constexpr int kMinHeightTwips = 285;
  static constexpr int kButtonWidth = 15;

  explicit ColorPicker(QWidget* parent = nullptr);
  ~ColorPicker() override;

  ColorValue Color() const { return state_.Color; }
  ColorValue DefaultColor() const { return state_.DefaultColor; }
  int Appearance() const { return appearance_; }
  ColorValue BackColor() const { return backColor_; }
  bool ShowDefault() const { return state_.ShowDefault; }
  bool ShowCustomColors() const { return state_.ShowCustomColors; }
  bool ShowMoreColors() const { return state_.ShowMoreColors; }
  QString DefaultCaption() const { return state_.DefaultCaption; }
  QString MoreColorsCaption() const { return state_.MoreColorsCaption; }
  bool ShowSysColorButton() const { return state_.ShowSysColorButton; }
  bool ShowToolTips() const { return state_.ShowToolTips; }

  void setColor(ColorValue color);
  void setDefaultColor(ColorValue color);
  void setAppearance(int appearance);
  void setBackColor(ColorValue color);
  void setShowDefault(bool on);
  void setShowCustomColors(bool on);
  void setShowMoreColors(bool on);
  void setDefaultCaption(const QString& caption);
  void setMoreColorsCaption(const QString& caption);
  void setShowSysColorButton(bool on);
  void setShowToolTips(bool on);

  // Persistence in the host's property store (Color under the key "Value").
  void InitProperties();
  void ReadProperties(const PropertyBag& bag) override;
  void WriteProperties(PropertyBag& bag) const override;

  // Shows the picker's about box.
  Q_INVOKABLE void About();

  // Opens the palette as a click on the control does; the open palette, if any.
  void OpenPalette();
  cpfrmColorPalette* palette() const;
  bool buttonPressed() const { return pressed_; }
  // The control as it is drawn now.
  QImage Render() const;
  // The drop button's rectangle for the current look.
  QRect buttonRect() const;

  QSize sizeHint() const override;
  QSize minimumSizeHint() const override;

 signals:
  // After every click on the control, once the palette has closed (Color has
  // changed by then when a colour was chosen).
  void Click();
  void DblClick();
  void KeyDown(int keyCode, int shift);
  void KeyPress(int keyAscii);
  void KeyUp(int keyCode, int shift);
  // Positions in twips.
  void MouseDown(int button, int shift, float x, float y);
  void MouseMove(int button, int shift, float x, float y);
  void MouseUp(int button, int shift, float x, float y);
  void Resize();
  // Each raised once for every real change, with the new value.
  void ColorChanged(quint32 color);
  void DefaultColorChanged(quint32 color);
  void AppearanceChanged(int appearance);
  void BackColorChanged(quint32 color);
  void ShowDefaultChanged(bool on);
  void ShowCustomColorsChanged(bool on);
  void ShowMoreColorsChanged(bool on);
  void DefaultCaptionChanged(const QString& caption);
  void MoreColorsCaptionChanged(const QString& caption);
  void ShowSysColorButtonChanged(bool on);
  void ShowToolTipsChanged(bool on);

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void keyReleaseEvent(QKeyEvent* event) override;
  void focusInEvent(QFocusEvent* event) override;
  void focusOutEvent(QFocusEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;

 private:
  void PaletteFinished(bool chosen, quint32 color);

  PaletteState state_;
  int appearance_ = 1;
  ColorValue backColor_ = kDefaultBackColor;
  bool pressed_ = false;
  bool focused_ = false;
  QPointer<cpfrmColorPalette> palette_;
};
