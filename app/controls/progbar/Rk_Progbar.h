#pragma once
// A plain progress bar: a bar box (picBar) whose width follows Value relative
// to Max, with an edge style for the control's border and one for the bar.
// Min is kept and persisted but takes no part in drawing.
#include <QWidget>

#include "platform/drawing/ColorValue.h"

class BarPictureBox;
class PropertyBag;

class Rk_Progbar : public QWidget {
  Q_OBJECT
  Q_PROPERTY(int Min READ Min WRITE setMin)
  Q_PROPERTY(int Max READ Max WRITE setMax)
  Q_PROPERTY(int Value READ Value WRITE setValue)
  Q_PROPERTY(uint BackColor READ BackColor WRITE setBackColor)
  Q_PROPERTY(uint Barcolor READ Barcolor WRITE setBarcolor)
  Q_PROPERTY(int Barstyle READ Barstyle WRITE setBarstyle)
  Q_PROPERTY(int BorderStyle READ BorderStyle WRITE setBorderStyle)
  Q_PROPERTY(int BarOffset READ BarOffset WRITE setBarOffset)

 public:
  static constexpr int kDefaultMin = 0;
  static constexpr int kDefaultMax = 100;
  static constexpr int kDefaultValue = 0;
  static constexpr ColorValue kDefaultBackColor = SystemColor(COLOR_BTNFACE);
  static constexpr ColorValue kDefaultBarcolor = SystemColor(COLOR_BTNFACE);
  static constexpr int kDefaultBarstyle = 0;
  static constexpr int kDefaultBorderStyle = 0;
  static constexpr int kDefaultBarOffset = 0;

  explicit Rk_Progbar(QWidget* parent = nullptr);

  int Min() const { return min_; }
  void setMin(int value);
  int Max() const { return max_; }
  void setMax(int value);
  // Setting the value redraws the bar at once.
  int Value() const { return value_; }
  void setValue(int value);
  ColorValue BackColor() const { return backColor_; }
  void setBackColor(ColorValue color);
  ColorValue Barcolor() const;
  void setBarcolor(ColorValue color);
  // Edge styles 0-8; the bar's shows at the next bar redraw, the border's at once.
  int Barstyle() const { return barStyle_; }
  void setBarstyle(int style);
  int BorderStyle() const { return borderStyle_; }
  void setBorderStyle(int style);
  // 0 bar flush with the control, 1 bar inset by 2 pixels; shows at the next bar redraw.
  int BarOffset() const { return barOffset_; }
  void setBarOffset(int offset);

  // Persisted under the property names; a value equal to its default is not stored.
  void ReadProperties(const PropertyBag& bag);
  void WriteProperties(PropertyBag& bag) const;

  // The bar box, for hosts and tests that look at its geometry.
  const BarPictureBox* picBar() const { return picBar_; }

 signals:
  // A property changed (the host's cue that there is something to save).
  void PropertyChanged(const QString& name);

 protected:
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;

 private:
  void RedrawBar();
  void MarkChanged(const char* name);

  BarPictureBox* picBar_;
  int min_ = kDefaultMin;
  int max_ = kDefaultMax;
  int value_ = kDefaultValue;
  ColorValue backColor_ = kDefaultBackColor;
  int barStyle_ = kDefaultBarstyle;
  int borderStyle_ = kDefaultBorderStyle;
  int barOffset_ = kDefaultBarOffset;
};
