#pragma once
// A picture box inside the control: a background colour, an optional
// persistent drawing shown at its top-left corner, and an optional paint hook
// drawn over it. Input goes to the control through an event filter.
#include <QImage>
#include <QWidget>
#include <functional>

#include "platform/drawing/ColorValue.h"

class BoxWidget : public QWidget {
 public:
  explicit BoxWidget(const QString& name, QWidget* parent);

  void setBackColor(ColorValue color);
  ColorValue backColor() const { return backColor_; }

  // The persistent drawing ("AutoRedraw" image).
  QImage& drawing() { return drawing_; }
  // Fills the persistent drawing with the background colour at the box's size.
  void ClearDrawing();

  void setPaintHook(std::function<void(QPainter&)> hook) { hook_ = std::move(hook); }

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  ColorValue backColor_ = SystemColor(COLOR_BTNFACE);
  QImage drawing_;
  std::function<void(QPainter&)> hook_;
};
