// Scrolling (bars, OvScroll, OvSetView, dragging, arrow keys) and the input
// events of the display box, the best-fit box and the control.
#include <QCoreApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QScrollBar>
#include <algorithm>
#include <cmath>

#include "orvellan/control/BoxWidget.h"
#include "orvellan/control/Cursors.h"
#include "platform/com/InputCodes.h"
#include "orvellan/control/Orvellan.h"
#include "orvellan/control/OrvellanEvents.h"
#include "orvellan/control/TypeLibrary.h"
#include "platform/com/Dispatch.h"
#include "platform/drawing/Numbers.h"

namespace {
enum MouseEventKind { kMouseDown, kMouseMove, kMouseUp };
}

void Orvellan::OnBarValueChanged() {
  if (!Raise(&OrvellanEvents::OvScrolled)) return;
  if (!layoutInProgress_) RepaintDisplay();
}

bool Orvellan::SetScrollPosition(QScrollBar* bar, int value) {
  return Survives([&] { bar->setValue(value); });
}

void Orvellan::OvScroll(int Direction, short numPixels) {
  Dispatch::Guard(this, [&] { ScrollImpl(Direction, numPixels); });
}

void Orvellan::ScrollImpl(int direction, short numPixels) {
  if (!hasPicture_) return;
  if (numPixels < 1) throw ComError(kErrInvalidPropertyValue);
  const int step = numPixels * Factor();
  if (step > 32767) throw ComError(kErrOverflow);
  auto back = [step](QScrollBar* bar) { return bar->value() - step > 0 ? bar->value() - step : 0; };
  auto forward = [step](QScrollBar* bar) {
    return bar->value() + step < bar->maximum() ? bar->value() + step : bar->maximum();
  };
  // The last step: a handler of OvScrolled may destroy the control.
  switch (direction) {
    case OrvellanLib::OvUp: (void)SetScrollPosition(vSB_, back(vSB_)); break;
    case OrvellanLib::OvDown: (void)SetScrollPosition(vSB_, forward(vSB_)); break;
    case OrvellanLib::OvLeft: (void)SetScrollPosition(hSB_, back(hSB_)); break;
    case OrvellanLib::OvRight: (void)SetScrollPosition(hSB_, forward(hSB_)); break;
    default: break;
  }
}

// Each direction brings an edge or the centre of the picture to the same
// edge or the centre of the display box: the scroll that puts picture point
// p at view point a is s + (mapToView(p) - a), rounded half to even and kept
// inside the bars' ranges. At an edge that is 0 or the maximum; at the centre
// half the maximum, (W f - Dw) / 2.
void Orvellan::OvSetView(int Direction) {
  using namespace OrvellanLib;
  enum Anchor { kStart, kMiddle, kEnd, kNone };
  Anchor h = kNone, v = kNone;
  switch (Direction) {
    case OvTopCenter: h = kMiddle; v = kStart; break;
    case OvBottomCenter: h = kMiddle; v = kEnd; break;
    case OvLeftCenter: h = kStart; v = kMiddle; break;
    case OvRightCenter: h = kEnd; v = kMiddle; break;
    case OvCenter: h = kMiddle; v = kMiddle; break;
    case OvTopLeft: h = kStart; v = kStart; break;
    case OvTopRight: h = kEnd; v = kStart; break;
    case OvBottomLeft: h = kStart; v = kEnd; break;
    case OvBottomRight: h = kEnd; v = kEnd; break;
    default: break;
  }
  auto along = [](Anchor anchor, double start, double size) {
    return start + size * (anchor == kEnd ? 1.0 : anchor == kMiddle ? 0.5 : 0.0);
  };
  const QRectF box = iDst_->geometry();
  const QPointF picturePoint(along(h, 0, srcWidth_), along(v, 0, srcHeight_));
  const QPointF viewPoint(along(h, box.left(), box.width()), along(v, box.top(), box.height()));
  const QPointF scroll = QPointF(hSB_->value(), vSB_->value()) + (mapToView(picturePoint) - viewPoint);
  const int hv = std::clamp(RoundHalfEven(scroll.x()), 0, hSB_->maximum());
  const int vv = std::clamp(RoundHalfEven(scroll.y()), 0, vSB_->maximum());

  // The positions change without a repaint each; one repaint follows.
  layoutInProgress_ = true;
  if (h != kNone && !SetScrollPosition(hSB_, hv)) return;
  if (v != kNone && !SetScrollPosition(vSB_, vv)) return;
  layoutInProgress_ = false;
  RepaintDisplay();
}

// A display-box point lies on picture pixel (round(hv + x) \ f, round(vv + y) \ f):
// the point is first put on the grid of display pixels of the zoomed picture
// (whole steps from the picture's origin in the view), then mapped and
// truncated.
QPointF Orvellan::PictureCoordinates(const QPointF& boxPoint) const {
  const QPointF origin = ViewOrigin();
  const QPointF fromOrigin = QPointF(iDst_->pos()) + boxPoint - origin;
  const QPointF onGrid = origin + QPointF(RoundHalfEven(fromOrigin.x()), RoundHalfEven(fromOrigin.y()));
  const QPointF picture = mapToImage(onGrid);
  return QPointF(std::trunc(picture.x()) + 0.0, std::trunc(picture.y()) + 0.0);  // + 0.0: no -0
}

bool Orvellan::RaiseMouse(int which, QMouseEvent* event, QPointF at) {
  short button = which == kMouseMove ? ButtonMask(event->buttons()) : ButtonMask(event->button());
  short shift = ShiftMask(event->modifiers());
  float x = static_cast<float>(at.x());
  float y = static_cast<float>(at.y());
  switch (which) {
    case kMouseDown: return Raise(&OrvellanEvents::MouseDown, button, shift, x, y);
    case kMouseMove: return Raise(&OrvellanEvents::MouseMove, button, shift, x, y);
    default: return Raise(&OrvellanEvents::MouseUp, button, shift, x, y);
  }
}

bool Orvellan::RaiseKeyUp(QKeyEvent* event) {
  if (event->isAutoRepeat()) return true;  // held keys repeat key-downs only
  keyHeld_ = false;
  short keyCode = KeyCodeOf(event);
  short shift = ShiftMask(event->modifiers());
  return Raise(&OrvellanEvents::KeyUp, keyCode, shift);
}

bool Orvellan::RaiseKeyPress(QKeyEvent* event) {
  short ascii = KeyAsciiOf(event);
  return ascii == 0 || Raise(&OrvellanEvents::KeyPress, ascii);
}

// Both boxes' input handlers return at once when a handler destroyed the
// control; the event counts as handled either way.
bool Orvellan::DisplayEvent(QEvent* event) {
  switch (event->type()) {
    case QEvent::MouseButtonPress: (void)DisplayMouseDown(static_cast<QMouseEvent*>(event)); return true;
    case QEvent::MouseMove: (void)DisplayMouseMove(static_cast<QMouseEvent*>(event)); return true;
    case QEvent::MouseButtonRelease: {
      auto* e = static_cast<QMouseEvent*>(event);
      if (DisplayMouseUp(e) && e->button() == Qt::LeftButton && iDst_->rect().contains(e->position().toPoint()))
        (void)Raise(&OrvellanEvents::Click);
      return true;
    }
    case QEvent::MouseButtonDblClick: (void)Raise(&OrvellanEvents::DblClick); return true;
    case QEvent::KeyPress: {
      auto* e = static_cast<QKeyEvent*>(event);
      e->accept();
      if (DisplayKeyDown(e)) (void)RaiseKeyPress(e);
      return true;
    }
    case QEvent::KeyRelease: (void)RaiseKeyUp(static_cast<QKeyEvent*>(event)); return true;
    default: return false;
  }
}

bool Orvellan::BestFitEvent(QEvent* event) {
  switch (event->type()) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseMove:
    case QEvent::MouseButtonRelease: {
      auto* e = static_cast<QMouseEvent*>(event);
      const int which = event->type() == QEvent::MouseButtonPress ? kMouseDown
                        : event->type() == QEvent::MouseMove     ? kMouseMove
                                                                 : kMouseUp;
      if (RaiseMouse(which, e, e->position()) && which == kMouseUp && e->button() == Qt::LeftButton &&
          iBestFit_->rect().contains(e->position().toPoint()))
        (void)Raise(&OrvellanEvents::Click);
      return true;
    }
    case QEvent::MouseButtonDblClick: (void)Raise(&OrvellanEvents::DblClick); return true;
    case QEvent::KeyPress: {
      auto* e = static_cast<QKeyEvent*>(event);
      short keyCode = KeyCodeOf(e);
      short shift = ShiftMask(e->modifiers());
      if (Raise(&OrvellanEvents::KeyDown, keyCode, shift)) (void)RaiseKeyPress(e);
      return true;
    }
    case QEvent::KeyRelease: (void)RaiseKeyUp(static_cast<QKeyEvent*>(event)); return true;
    default: return false;
  }
}

bool Orvellan::DisplayMouseDown(QMouseEvent* event) {
  if (ButtonMask(event->button()) == 1) {
    if (mouseScrolling_ && (hSB_->maximum() >= 1 || vSB_->maximum() >= 1)) iDst_->setCursor(GrabCursor());
    if (ShiftMask(event->modifiers()) != 2) {
      dragging_ = true;
      dragCurrent_ = dragPrevious_ = event->globalPosition().toPoint();
    }
  }
  return RaiseMouse(kMouseDown, event, PictureCoordinates(event->position()));
}

// The picture follows the mouse: a drag of d screen pixels moves the view by
// d display pixels at any zoom factor.
bool Orvellan::DisplayMouseMove(QMouseEvent* event) {
  if (ButtonMask(event->buttons()) == 1 && hasPicture_ && mouseScrolling_ && dragging_) {
    layoutInProgress_ = true;
    dragCurrent_ = event->globalPosition().toPoint();
    if (hSB_->maximum() > 0) {
      const int dx = dragCurrent_.x() - dragPrevious_.x();
      if (!SetScrollPosition(hSB_, std::clamp(hSB_->value() - dx, 0, hSB_->maximum()))) return false;
    }
    if (vSB_->maximum() > 0) {
      const int dy = dragCurrent_.y() - dragPrevious_.y();
      if (!SetScrollPosition(vSB_, std::clamp(vSB_->value() - dy, 0, vSB_->maximum()))) return false;
    }
    dragPrevious_ = dragCurrent_;
    layoutInProgress_ = false;
    if (hSB_->maximum() != 0 || vSB_->maximum() != 0) RepaintDisplay();
  }
  return RaiseMouse(kMouseMove, event, PictureCoordinates(event->position()));
}

bool Orvellan::DisplayMouseUp(QMouseEvent* event) {
  if (ShiftMask(event->modifiers()) != 2) {
    if (mouseScrolling_ && (hSB_->maximum() >= 1 || vSB_->maximum() >= 1))
      iDst_->setCursor(ReleaseCursor());
    else
      iDst_->unsetCursor();
  }
  dragging_ = false;
  return RaiseMouse(kMouseUp, event, PictureCoordinates(event->position()));
}

bool Orvellan::DisplayKeyDown(QKeyEvent* event) {
  short keyCode = KeyCodeOf(event);
  short shift = ShiftMask(event->modifiers());
  if (shift == 2) {
    dragging_ = false;
    if (mouseScrolling_ && (hSB_->maximum() >= 1 || vSB_->maximum() >= 1)) iDst_->setCursor(ReleaseCursor());
  }
  if (!Raise(&OrvellanEvents::KeyDown, keyCode, shift)) return false;  // the host may change KeyCode
  if (!keyboardScrolling_ || !hasPicture_) return true;
  keyHeld_ = true;
  switch (keyCode) {
    case 37: return KeyScroll(hSB_, -1);
    case 38: return KeyScroll(vSB_, -1);
    case 39: return KeyScroll(hSB_, +1);
    case 40: return KeyScroll(vSB_, +1);
    default: return true;
  }
}

// One display pixel per round of the event loop until the key comes up or
// the edge is reached. Pending events run between steps, among them the
// host's handlers, which may destroy the control: the loop then ends without
// touching it.
bool Orvellan::KeyScroll(QScrollBar* bar, int direction) {
  for (;;) {
    if (!Survives([] { QCoreApplication::processEvents(QEventLoop::AllEvents); })) return false;
    if (direction < 0) {
      if (bar->value() < 1) return SetScrollPosition(bar, 0);
      if (!SetScrollPosition(bar, bar->value() - 1)) return false;
    } else {
      if (bar->value() >= bar->maximum()) return SetScrollPosition(bar, bar->maximum());
      if (!SetScrollPosition(bar, bar->value() + 1)) return false;
    }
    if (!keyHeld_) return true;
  }
}
