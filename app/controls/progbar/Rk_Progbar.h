#pragma once
// A plain progress bar: a bar box (picBar) whose width follows Value relative
// to Max, with an edge style for the control's border and one for the bar.
// Min is kept and persisted but takes no part in drawing.
#include "app/controls/common/PersistedWidget.h"
#include "platform/drawing/ColorValue.h"

class BarPictureBox;
class PropertyBag;

class Rk_Progbar : public PersistedWidget {
  Q_OBJECT
  Q_PROPERTY(int Min READ Min WRITE setMin NOTIFY MinChanged)
  Q_PROPERTY(int Max READ Max WRITE setMax NOTIFY MaxChanged)
  Q_PROPERTY(int Value READ Value WRITE setValue NOTIFY ValueChanged USER true)
  Q_PROPERTY(quint32 BackColor READ BackColor WRITE setBackColor NOTIFY BackColorChanged)
  Q_PROPERTY(quint32 Barcolor READ Barcolor WRITE setBarcolor NOTIFY BarcolorChanged)
  Q_PROPERTY(int Barstyle READ Barstyle WRITE setBarstyle NOTIFY BarstyleChanged)
  Q_PROPERTY(int BorderStyle READ BorderStyle WRITE setBorderStyle NOTIFY BorderStyleChanged)
  Q_PROPERTY(int BarOffset READ BarOffset WRITE setBarOffset NOTIFY BarOffsetChanged)

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
  // Every set of the value redraws the bar at once, also an unchanged one:
  // that is when a new Barstyle or BarOffset shows.
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
  void ReadProperties(const PropertyBag& bag) override;
  void WriteProperties(PropertyBag& bag) const override;

  // The bar box, for hosts and tests that look at its geometry.
  const BarPictureBox* picBar() const { return picBar_; }

 signals:
  // Each raised once for every real change, with the new value.
  void MinChanged(int min);
  void MaxChanged(int max);
  void ValueChanged(int value);
  void BackColorChanged(quint32 color);
  void BarcolorChanged(quint32 color);
  void BarstyleChanged(int style);
  void BorderStyleChanged(int style);
  void BarOffsetChanged(int offset);

 protected:
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;

 private:
  void RedrawBar();

  BarPictureBox* picBar_;
  int min_ = kDefaultMin;
  int max_ = kDefaultMax;
  int value_ = kDefaultValue;
  ColorValue backColor_ = kDefaultBackColor;
  int barStyle_ = kDefaultBarstyle;
  int borderStyle_ = kDefaultBorderStyle;
  int barOffset_ = kDefaultBarOffset;
};
