#pragma once
// A drop-down colour chooser: a swatch of Color beside a drop button. A click
// on it opens the palette (cpfrmColorPalette) under it; Click follows once the
// palette has closed, with Color changed when a colour was chosen.
#include <QPointer>
#include <QWidget>

#include "app/controls/ColorPicker/PaletteState.h"

class PropertyBag;
class cpfrmColorPalette;

class ColorPicker : public QWidget {
  Q_OBJECT
  Q_PROPERTY(quint32 Color READ Color WRITE setColor NOTIFY ColorChanged USER true)
  Q_PROPERTY(quint32 DefaultColor READ DefaultColor WRITE setDefaultColor NOTIFY PropertyChanged)
  Q_PROPERTY(int Appearance READ Appearance WRITE setAppearance NOTIFY PropertyChanged)
  Q_PROPERTY(quint32 BackColor READ BackColor WRITE setBackColor NOTIFY PropertyChanged)
  Q_PROPERTY(bool ShowDefault READ ShowDefault WRITE setShowDefault NOTIFY PropertyChanged)
  Q_PROPERTY(bool ShowCustomColors READ ShowCustomColors WRITE setShowCustomColors NOTIFY PropertyChanged)
  Q_PROPERTY(bool ShowMoreColors READ ShowMoreColors WRITE setShowMoreColors NOTIFY PropertyChanged)
  Q_PROPERTY(QString DefaultCaption READ DefaultCaption WRITE setDefaultCaption NOTIFY PropertyChanged)
  Q_PROPERTY(QString MoreColorsCaption READ MoreColorsCaption WRITE setMoreColorsCaption NOTIFY PropertyChanged)
  Q_PROPERTY(bool ShowSysColorButton READ ShowSysColorButton WRITE setShowSysColorButton NOTIFY PropertyChanged)
  Q_PROPERTY(bool ShowToolTips READ ShowToolTips WRITE setShowToolTips NOTIFY PropertyChanged)

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

  // Persistence in the host's property store.
  void InitProperties();
  void ReadProperties(const PropertyBag& bag);
  void WriteProperties(PropertyBag& bag) const;

  // Shows the picker's about box.
  Q_INVOKABLE void About();

  // Opens the palette as a click on the control does; the open palette, if any.
  void OpenPalette();
  cpfrmColorPalette* palette() const { return palette_; }
  bool buttonPressed() const { return pressed_; }
  // The control as it is drawn now.
  QImage Render() const;
  // The drop button's rectangle for the current look.
  QRect buttonRect() const;

  QSize sizeHint() const override;
  QSize minimumSizeHint() const override;

 signals:
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
  void ColorChanged(quint32 color);
  // Any other property changed.
  void PropertyChanged();

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
  template <typename T>
  void setProperty_(T& member, const T& value, bool repaint);

  PaletteState state_;
  int appearance_ = 1;
  ColorValue backColor_ = kDefaultBackColor;
  bool pressed_ = false;
  bool focused_ = false;
  QPointer<cpfrmColorPalette> palette_;
};
