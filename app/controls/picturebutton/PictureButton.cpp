#include "app/controls/picturebutton/PictureButton.h"

#include <QApplication>
#include <QCursor>
#include <QMouseEvent>
#include <QPainter>
#include <QPointer>

#include "app/controls/common/ControlAccessibility.h"
#include "app/controls/common/PictureProperty.h"
#include "app/controls/common/SetIfChanged.h"
#include "app/controls/picturebutton/PictureButtonAccessible.h"
#include "platform/com/InputMasks.h"

PictureButton::PictureButton(QWidget* parent) : PersistedWidget(parent) {
  RegisterAccessibleOnce<PictureButton, PictureButtonAccessible>();
  setMouseTracking(true);
  // The shortest interval the timer takes: the poll runs as fast as the
  // platform's timer allows, and only while the button is hovered.
  Timer1.setInterval(1);
  connect(&Timer1, &QTimer::timeout, this, &PictureButton::Timer1_Timer);
}

void PictureButton::setPicture(const StdPicture& picture) {
  if (!SetIfChanged(picture_, picture)) return;
  Repaint();
  Notify(&PictureButton::PictureChanged, picture_, "Picture");
}

void PictureButton::setPictureHover(const StdPicture& picture) {
  if (!SetIfChanged(pictureHover_, picture)) return;
  Repaint();
  Notify(&PictureButton::PictureHoverChanged, pictureHover_, "PictureHover");
}

void PictureButton::setPictureDown(const StdPicture& picture) {
  if (!SetIfChanged(pictureDown_, picture)) return;
  Repaint();
  Notify(&PictureButton::PictureDownChanged, pictureDown_, "PictureDown");
}

void PictureButton::ReadProperties(const PropertyBag& bag) {
  const auto loading = LoadingProperties();
  setPicture(ReadPictureProperty(bag, QStringLiteral("Picture")));
  setPictureHover(ReadPictureProperty(bag, QStringLiteral("PictureHover")));
  setPictureDown(ReadPictureProperty(bag, QStringLiteral("PictureDown")));
}

void PictureButton::WriteProperties(PropertyBag& bag) const {
  WritePictureProperty(bag, QStringLiteral("Picture"), picture_);
  WritePictureProperty(bag, QStringLiteral("PictureHover"), pictureHover_);
  WritePictureProperty(bag, QStringLiteral("PictureDown"), pictureDown_);
}

const StdPicture& PictureButton::ShownPicture() const {
  switch (state_) {
    case StateHover: return pictureHover_;
    case StateDown: return pictureDown_;
    case StateNormal: break;
  }
  return picture_;
}

bool PictureButton::IsUnderMouse() const { return QApplication::widgetAt(QCursor::pos()) == this; }

void PictureButton::SetState(State state) {
  state_ = state;
  Repaint();
}

void PictureButton::Repaint() {
  // The button takes the size of the picture it shows; with no picture it
  // keeps its size and shows nothing.
  const StdPicture& shown = ShownPicture();
  if (!shown.isNull() && size() != QSize(shown.width(), shown.height())) resize(shown.width(), shown.height());
  update();
}

void PictureButton::paintEvent(QPaintEvent*) {
  const StdPicture& shown = ShownPicture();
  if (shown.isNull()) return;
  QPainter p(this);
  p.drawImage(0, 0, shown.image());
}

void PictureButton::mouseMoveEvent(QMouseEvent* event) {
  const Qt::MouseButtons buttons = event->buttons();
  // A handler may delete the button: nothing of it is touched after that.
  const QPointer<PictureButton> self(this);
  emit MouseMove(ButtonMask(buttons), ShiftMask(event->modifiers()), static_cast<float>(event->position().x()),
                 static_cast<float>(event->position().y()));
  if (!self) return;
  if (buttons != Qt::NoButton && buttons != Qt::LeftButton) return;
  if (!IsUnderMouse()) {
    // A move captured while the button is held outside.
    hover_ = false;
    SetState(StateNormal);
  } else if (buttons == Qt::NoButton && !hover_) {
    Timer1.start();
    hover_ = true;
    emit MouseEnter();
    if (self) SetState(StateHover);
  } else if (buttons == Qt::LeftButton) {
    SetState(StateDown);
  }
}

void PictureButton::mousePressEvent(QMouseEvent* event) {
  afterDblClick_ = false;
  const QPointer<PictureButton> self(this);
  emit MouseDown(ButtonMask(event->button()), ShiftMask(event->modifiers()),
                 static_cast<float>(event->position().x()), static_cast<float>(event->position().y()));
  if (self && event->button() == Qt::LeftButton) {
    pressed_ = true;
    SetState(StateDown);
  }
}

void PictureButton::mouseReleaseEvent(QMouseEvent* event) {
  const QPointer<PictureButton> self(this);
  emit MouseUp(ButtonMask(event->button()), ShiftMask(event->modifiers()),
               static_cast<float>(event->position().x()), static_cast<float>(event->position().y()));
  if (!self) return;
  SetState(IsUnderMouse() ? StateHover : StateNormal);
  // A click is a left press and release both on the button.
  const bool click = event->button() == Qt::LeftButton && pressed_ && !afterDblClick_ &&
                     rect().contains(event->position().toPoint());
  if (event->button() == Qt::LeftButton) pressed_ = false;
  afterDblClick_ = false;
  if (click) emit Click();
}

void PictureButton::mouseDoubleClickEvent(QMouseEvent* event) {
  // The second press of a double-click raises DblClick instead of MouseDown
  // (the picture stays as the first release left it); its release raises
  // MouseUp but no second Click.
  if (event->button() != Qt::LeftButton) return;
  afterDblClick_ = true;
  emit DblClick();
}

void PictureButton::click() {
  if (isEnabled()) emit Click();
}

void PictureButton::Timer1_Timer() {
  if (IsUnderMouse()) return;
  Timer1.stop();
  hover_ = false;
  const QPointer<PictureButton> self(this);
  emit MouseLeave();
  if (self) SetState(StateNormal);
}
