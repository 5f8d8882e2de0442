#pragma once
// A numeric spin box: the one-line text box txtValue holding a whole number,
// with a pair of spin arrows (the vertical scroll bar ucBar) at its right.
// Only digits, the minus sign and Backspace can be typed; Up and Down act as
// the arrows. The value stays within Min..Max when set from code or by the
// arrows; typed text outside the range is kept as typed and leaves Value alone.
#include <QFont>

#include "app/controls/common/PersistedWidget.h"
#include "platform/drawing/ColorValue.h"

class PropertyBag;
class QLineEdit;
class QScrollBar;

class ucUpDownBox : public PersistedWidget {
  Q_OBJECT
  Q_PROPERTY(int Min READ Min WRITE setMin NOTIFY MinChanged)
  Q_PROPERTY(int Max READ Max WRITE setMax NOTIFY MaxChanged)
  Q_PROPERTY(int Value READ Value WRITE setValue NOTIFY ValueChanged USER true)
  Q_PROPERTY(int Alignment READ Alignment WRITE setAlignment NOTIFY AlignmentChanged)
  Q_PROPERTY(quint32 BackColor READ BackColor WRITE setBackColor NOTIFY BackColorChanged)
  Q_PROPERTY(quint32 ForeColor READ ForeColor WRITE setForeColor NOTIFY ForeColorChanged)
  Q_PROPERTY(int BorderStyle READ BorderStyle WRITE setBorderStyle NOTIFY BorderStyleChanged)
  Q_PROPERTY(bool Enabled READ isEnabled WRITE setEnabled NOTIFY EnabledChanged)
  Q_PROPERTY(QFont Font READ font WRITE setFont NOTIFY FontChanged)

 public:
  static constexpr ColorValue kDefaultBackColor = kSystemColorFlag + COLOR_WINDOW;
  static constexpr ColorValue kDefaultForeColor = kSystemColorFlag + COLOR_WINDOWTEXT;

  explicit ucUpDownBox(QWidget* parent = nullptr);
  ~ucUpDownBox() override;

  int Min() const { return min_; }
  int Max() const { return max_; }
  int Value() const { return value_; }
  int Alignment() const { return alignment_; }
  ColorValue BackColor() const { return backColor_; }
  ColorValue ForeColor() const { return foreColor_; }
  int BorderStyle() const { return borderStyle_; }

  // Min and Max are stored only; the current value is not compared again.
  void setMin(int min);
  void setMax(int max);
  // Clamps into Min..Max and shows the value as the box's text. Every set
  // writes the text, also an unchanged one (so it replaces text typed out of
  // range); ValueChanged and Change follow only a real change.
  void setValue(int value);
  void setAlignment(int alignment);
  void setBackColor(ColorValue color);
  void setForeColor(ColorValue color);
  void setBorderStyle(int style);

  // Persistence in the host's property store.
  void InitProperties();
  void ReadProperties(const PropertyBag& bag) override;
  void WriteProperties(PropertyBag& bag) const override;

  QLineEdit* textBox() const { return txtValue; }
  QScrollBar* spinBar() const { return ucBar; }
  // Width of the arrows: the platform's vertical scroll-bar width.
  int barWidth() const { return barWidth_; }

  QSize sizeHint() const override;
  QSize minimumSizeHint() const override;

 signals:
  // Raised when the text changes Value, and on every arrow click (also at a
  // bound). Change and ValueChanged come from inside the box's own text box
  // and arrows, so a handler that removes the box uses deleteLater.
  void Change();
  void MinChanged(int min);
  void MaxChanged(int max);
  // Raised on every real change of Value, also those that raise no Change.
  void ValueChanged(int value);
  void AlignmentChanged(int alignment);
  void BackColorChanged(quint32 color);
  void ForeColorChanged(quint32 color);
  void BorderStyleChanged(int style);
  // The control's own enabled state and font, whichever way they change.
  void EnabledChanged(bool enabled);
  void FontChanged(const QFont& font);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void changeEvent(QEvent* event) override;

 private:
  void txtValue_Change(const QString& text);
  void ucBar_Change(int position);
  void Spin(int direction);
  void UpdateLayout();
  void ApplyColors();
  void storeValue(int value);
  int borderWidth() const { return borderStyle_ == 1 ? 2 : 0; }
  int wantedHeight() const;

  QLineEdit* txtValue = nullptr;   // child, owned by this
  QScrollBar* ucBar = nullptr;     // child, owned by this
  int barWidth_ = 16;
  int min_ = 0;
  int max_ = 100;
  int value_ = 0;
  int alignment_ = 0;
  ColorValue backColor_ = kDefaultBackColor;
  ColorValue foreColor_ = kDefaultForeColor;
  int borderStyle_ = 1;
  QFont notifiedFont_;  // the font FontChanged last told of
};
