#pragma once
// An image-only push button with three pictures: normal, hover (mouse over
// it) and down (left button held on it). The mouse leaving is noticed by
// polling the cursor with a timer while the button is hovered, so it is seen
// even when no mouse-move event reaches the host.
#include <QTimer>

#include "app/controls/common/PersistedWidget.h"
#include "platform/com/StdPicture.h"

class PropertyBag;

class PictureButton : public PersistedWidget {
  Q_OBJECT
  Q_PROPERTY(StdPicture Picture READ Picture WRITE setPicture NOTIFY PictureChanged)
  Q_PROPERTY(StdPicture PictureHover READ PictureHover WRITE setPictureHover NOTIFY PictureHoverChanged)
  Q_PROPERTY(StdPicture PictureDown READ PictureDown WRITE setPictureDown NOTIFY PictureDownChanged)

 public:
  enum State { StateNormal = 0, StateHover = 1, StateDown = 2 };

  explicit PictureButton(QWidget* parent = nullptr);

  const StdPicture& Picture() const { return picture_; }
  void setPicture(const StdPicture& picture);
  const StdPicture& PictureHover() const { return pictureHover_; }
  void setPictureHover(const StdPicture& picture);
  const StdPicture& PictureDown() const { return pictureDown_; }
  void setPictureDown(const StdPicture& picture);

  // Persisted under the property names; an empty picture is not stored.
  void ReadProperties(const PropertyBag& bag) override;
  void WriteProperties(PropertyBag& bag) const override;

  // A press that does not come from the mouse (an assistive tool's press
  // action): raises Click when the button is enabled.
  void click();

  State state() const { return state_; }
  bool isPolling() const { return Timer1.isActive(); }

 signals:
  // Button: 1 left, 2 right, 4 middle (combined for moves); Shift: 1 shift,
  // 2 control, 4 alt; X, Y in pixels.
  void Click();
  void DblClick();
  void MouseMove(int Button, int Shift, float X, float Y);
  void MouseUp(int Button, int Shift, float X, float Y);
  void MouseDown(int Button, int Shift, float X, float Y);
  void MouseEnter();
  void MouseLeave();
  // Each raised once for every real change, with the new picture.
  void PictureChanged(const StdPicture& picture);
  void PictureHoverChanged(const StdPicture& picture);
  void PictureDownChanged(const StdPicture& picture);

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;

 private:
  void Timer1_Timer();
  // True when the widget under the cursor is this button.
  bool IsUnderMouse() const;
  const StdPicture& ShownPicture() const;
  void SetState(State state);
  void Repaint();

  StdPicture picture_;
  StdPicture pictureHover_;
  StdPicture pictureDown_;
  State state_ = StateNormal;
  bool hover_ = false;
  bool pressed_ = false;       // the left button went down on the button
  bool afterDblClick_ = false;  // the release that ends a double-click raises no Click
  QTimer Timer1;
};
