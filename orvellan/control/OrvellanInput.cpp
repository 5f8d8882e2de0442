// Scrolling (bars, OvScroll, OvSetView, dragging, arrow keys) and the input
// events of the display box, the best-fit box and the control.
#include <QCoreApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QScrollBar>

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
  emit events_->OvScrolled();
  if (!layoutInProgress_) RepaintDisplay();
}

void Orvellan::OvScroll(int Direction, short numPixels) {
  Dispatch::Guard(this, [&] { ScrollImpl(Direction, numPixels); });
}

void Orvellan::ScrollImpl(int direction, short numPixels) {
  if (!hasPicture_) return;
  if (numPixels < 1) throw ComError(kErrInvalidPropertyValue);
  const int step = numPixels * Factor();
  if (step > 32767) throw ComError(kErrOverflow);
  auto back = [step](QScrollBar* bar) { bar->setValue(bar->value() - step > 0 ? bar->value() - step : 0); };
  auto forward = [step](QScrollBar* bar) {
    bar->setValue(bar->value() + step < bar->maximum() ? bar->value() + step : bar->maximum());
  };
  switch (direction) {
    case OrvellanLib::OvUp: back(vSB_); break;
    case OrvellanLib::OvDown: forward(vSB_); break;
    case OrvellanLib::OvLeft: back(hSB_); break;
    case OrvellanLib::OvRight: forward(hSB_); break;
    default: break;
  }
}

void Orvellan::OvSetView(int Direction) {
  using namespace OrvellanLib;
  QPointer<Orvellan> self(this);
  layoutInProgress_ = true;
  const int hMax = hSB_->maximum();
  const int vMax = vSB_->maximum();
  const int hHalf = RoundHalfEven(hMax / 2.0);
  const int vHalf = RoundHalfEven(vMax / 2.0);
  int hv = -1, vv = -1;
  switch (Direction) {
    case OvTopCenter: hv = hHalf; vv = 0; break;
    case OvBottomCenter: hv = hHalf; vv = vMax; break;
    case OvLeftCenter: hv = 0; vv = vHalf; break;
    case OvRightCenter: hv = hMax; vv = vHalf; break;
    case OvCenter: hv = hHalf; vv = vHalf; break;
    case OvTopLeft: hv = 0; vv = 0; break;
    case OvTopRight: hv = hMax; vv = 0; break;
    case OvBottomLeft: hv = 0; vv = vMax; break;
    case OvBottomRight: hv = hMax; vv = vMax; break;
    default: break;
  }
  if (hv >= 0) hSB_->setValue(hv);
  if (self && vv >= 0) vSB_->setValue(vv);
  if (!self) return;
  layoutInProgress_ = false;
  RepaintDisplay();
}

// A display-box point lies on picture pixel (round(hv + x) \ f, round(vv + y) \ f).
QPointF Orvellan::PictureCoordinates(const QPointF& p) const {
  const int f = Factor();
  return QPointF(static_cast<double>(IntDivide(hSB_->value() + p.x(), f)),
                 static_cast<double>(IntDivide(vSB_->value() + p.y(), f)));
}

void Orvellan::RaiseMouse(int which, QMouseEvent* event, QPointF at) {
  short button = which == kMouseMove ? ButtonMask(event->buttons()) : ButtonMask(event->button());
  short shift = ShiftMask(event->modifiers());
  float x = static_cast<float>(at.x());
  float y = static_cast<float>(at.y());
  switch (which) {
    case kMouseDown: emit events_->MouseDown(button, shift, x, y); break;
    case kMouseMove: emit events_->MouseMove(button, shift, x, y); break;
    default: emit events_->MouseUp(button, shift, x, y); break;
  }
}

void Orvellan::RaiseKeyUp(QKeyEvent* event) {
  if (event->isAutoRepeat()) return;  // held keys repeat key-downs only
  keyHeld_ = false;
  short keyCode = KeyCodeOf(event);
  short shift = ShiftMask(event->modifiers());
  emit events_->KeyUp(keyCode, shift);
}

void Orvellan::RaiseKeyPress(QKeyEvent* event) {
  short ascii = KeyAsciiOf(event);
  if (ascii != 0) emit events_->KeyPress(ascii);
}

bool Orvellan::DisplayEvent(QEvent* event) {
  switch (event->type()) {
    case QEvent::MouseButtonPress: DisplayMouseDown(static_cast<QMouseEvent*>(event)); return true;
    case QEvent::MouseMove: DisplayMouseMove(static_cast<QMouseEvent*>(event)); return true;
    case QEvent::MouseButtonRelease: {
      auto* e = static_cast<QMouseEvent*>(event);
      QPointer<Orvellan> self(this);
      DisplayMouseUp(e);
      if (self && e->button() == Qt::LeftButton && iDst_->rect().contains(e->position().toPoint()))
        emit events_->Click();
      return true;
    }
    case QEvent::MouseButtonDblClick: emit events_->DblClick(); return true;
    case QEvent::KeyPress: {
      auto* e = static_cast<QKeyEvent*>(event);
      QPointer<Orvellan> self(this);
      DisplayKeyDown(e);
      if (self) RaiseKeyPress(e);
      e->accept();
      return true;
    }
    case QEvent::KeyRelease: RaiseKeyUp(static_cast<QKeyEvent*>(event)); return true;
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
      QPointer<Orvellan> self(this);
      RaiseMouse(which, e, e->position());
      if (self && which == kMouseUp && e->button() == Qt::LeftButton &&
          iBestFit_->rect().contains(e->position().toPoint()))
        emit events_->Click();
      return true;
    }
    case QEvent::MouseButtonDblClick: emit events_->DblClick(); return true;
    case QEvent::KeyPress: {
      auto* e = static_cast<QKeyEvent*>(event);
      QPointer<Orvellan> self(this);
      short keyCode = KeyCodeOf(e);
      short shift = ShiftMask(e->modifiers());
      emit events_->KeyDown(keyCode, shift);
      if (self) RaiseKeyPress(e);
      return true;
    }
    case QEvent::KeyRelease: RaiseKeyUp(static_cast<QKeyEvent*>(event)); return true;
    default: return false;
  }
}

void Orvellan::DisplayMouseDown(QMouseEvent* event) {
  if (ButtonMask(event->button()) == 1) {
    if (mouseScrolling_ && (hSB_->maximum() >= 1 || vSB_->maximum() >= 1)) iDst_->setCursor(GrabCursor());
    if (ShiftMask(event->modifiers()) != 2) {
      dragging_ = true;
      dragCurrent_ = dragPrevious_ = event->globalPosition().toPoint();
    }
  }
  RaiseMouse(kMouseDown, event, PictureCoordinates(event->position()));
}

// The picture follows the mouse: a drag of d screen pixels moves the view by
// d display pixels at any zoom factor.
void Orvellan::DisplayMouseMove(QMouseEvent* event) {
  QPointer<Orvellan> self(this);
  if (ButtonMask(event->buttons()) == 1 && hasPicture_ && mouseScrolling_ && dragging_) {
    layoutInProgress_ = true;
    dragCurrent_ = event->globalPosition().toPoint();
    if (hSB_->maximum() > 0) {
      const int dx = dragCurrent_.x() - dragPrevious_.x();
      hSB_->setValue(std::clamp(hSB_->value() - dx, 0, hSB_->maximum()));
    }
    if (!self) return;
    if (vSB_->maximum() > 0) {
      const int dy = dragCurrent_.y() - dragPrevious_.y();
      vSB_->setValue(std::clamp(vSB_->value() - dy, 0, vSB_->maximum()));
    }
    if (!self) return;
    dragPrevious_ = dragCurrent_;
    layoutInProgress_ = false;
    if (hSB_->maximum() != 0 || vSB_->maximum() != 0) RepaintDisplay();
  }
  RaiseMouse(kMouseMove, event, PictureCoordinates(event->position()));
}

void Orvellan::DisplayMouseUp(QMouseEvent* event) {
  if (ShiftMask(event->modifiers()) != 2) {
    if (mouseScrolling_ && (hSB_->maximum() >= 1 || vSB_->maximum() >= 1))
      iDst_->setCursor(ReleaseCursor());
    else
      iDst_->unsetCursor();
  }
  dragging_ = false;
  RaiseMouse(kMouseUp, event, PictureCoordinates(event->position()));
}

void Orvellan::DisplayKeyDown(QKeyEvent* event) {
  QPointer<Orvellan> self(this);
  short keyCode = KeyCodeOf(event);
  short shift = ShiftMask(event->modifiers());
  if (shift == 2) {
    dragging_ = false;
    if (mouseScrolling_ && (hSB_->maximum() >= 1 || vSB_->maximum() >= 1)) iDst_->setCursor(ReleaseCursor());
  }
  emit events_->KeyDown(keyCode, shift);  // the host may change KeyCode
  if (!self || !keyboardScrolling_ || !hasPicture_) return;
  keyHeld_ = true;
  switch (keyCode) {
    case 37: KeyScroll(hSB_, -1); break;
    case 38: KeyScroll(vSB_, -1); break;
    case 39: KeyScroll(hSB_, +1); break;
    case 40: KeyScroll(vSB_, +1); break;
    default: break;
  }
}

// One display pixel per round of the event loop until the key comes up or
// the edge is reached. Pending events run between steps, among them the
// host's handlers, which may destroy the control: the loop then ends without
// touching it.
void Orvellan::KeyScroll(QScrollBar* bar, int direction) {
  QPointer<Orvellan> self(this);
  QPointer<QScrollBar> guardBar(bar);
  for (;;) {
    QCoreApplication::processEvents(QEventLoop::AllEvents);
    if (!self || !guardBar) return;
    if (direction < 0) {
      if (bar->value() < 1) {
        bar->setValue(0);
        return;
      }
      bar->setValue(bar->value() - 1);
    } else {
      if (bar->value() >= bar->maximum()) {
        bar->setValue(bar->maximum());
        return;
      }
      bar->setValue(bar->value() + 1);
    }
    if (!self || !keyHeld_) return;
  }
}
