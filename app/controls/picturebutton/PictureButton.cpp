#include "app/controls/picturebutton/PictureButton.h"

#include <QApplication>
#include <QCursor>
#include <QMouseEvent>
#include <QPainter>

#include "platform/com/InputMasks.h"
#include "platform/com/PropertyBag.h"

namespace {

QImage StoredImage(const StdPicture& picture) { return picture.isNull() ? QImage() : picture.image(); }

StdPicture PictureFromStored(const QVariant& value) {
  const QImage image = value.value<QImage>();
  return image.isNull() ? StdPicture() : StdPicture(image);
}

}  // namespace

PictureButton::PictureButton(QWidget* parent) : QWidget(parent) {
  setMouseTracking(true);
  // The shortest interval the timer takes: the poll runs as fast as the
  // platform's timer allows, and only while the button is hovered.
  Timer1.setInterval(1);
  connect(&Timer1, &QTimer::timeout, this, &PictureButton::Timer1_Timer);
}

void PictureButton::setPicture(const StdPicture& picture) {
  picture_ = picture;
  emit PropertyChanged(QStringLiteral("Picture"));
  Repaint();
}

void PictureButton::setPictureHover(const StdPicture& picture) {
  pictureHover_ = picture;
  emit PropertyChanged(QStringLiteral("PictureHover"));
  Repaint();
}

void PictureButton::setPictureDown(const StdPicture& picture) {
  pictureDown_ = picture;
  emit PropertyChanged(QStringLiteral("PictureDown"));
  Repaint();
}

void PictureButton::ReadProperties(const PropertyBag& bag) {
  picture_ = PictureFromStored(bag.ReadProperty(QStringLiteral("Picture"), QImage()));
  pictureHover_ = PictureFromStored(bag.ReadProperty(QStringLiteral("PictureHover"), QImage()));
  pictureDown_ = PictureFromStored(bag.ReadProperty(QStringLiteral("PictureDown"), QImage()));
  Repaint();
}

void PictureButton::WriteProperties(PropertyBag& bag) const {
  bag.WriteProperty(QStringLiteral("Picture"), StoredImage(picture_), QImage());
  bag.WriteProperty(QStringLiteral("PictureHover"), StoredImage(pictureHover_), QImage());
  bag.WriteProperty(QStringLiteral("PictureDown"), StoredImage(pictureDown_), QImage());
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
  emit MouseMove(ButtonMask(buttons), ShiftMask(event->modifiers()), static_cast<float>(event->position().x()),
                 static_cast<float>(event->position().y()));
  if (buttons != Qt::NoButton && buttons != Qt::LeftButton) return;
  if (!IsUnderMouse()) {
    // A move captured while the button is held outside.
    hover_ = false;
    SetState(StateNormal);
  } else if (buttons == Qt::NoButton && !hover_) {
    Timer1.start();
    hover_ = true;
    emit MouseEnter();
    SetState(StateHover);
  } else if (buttons == Qt::LeftButton) {
    SetState(StateDown);
  }
}

void PictureButton::mousePressEvent(QMouseEvent* event) {
  afterDblClick_ = false;
  emit MouseDown(ButtonMask(event->button()), ShiftMask(event->modifiers()),
                 static_cast<float>(event->position().x()), static_cast<float>(event->position().y()));
  if (event->button() == Qt::LeftButton) {
    pressed_ = true;
    SetState(StateDown);
  }
}

void PictureButton::mouseReleaseEvent(QMouseEvent* event) {
  emit MouseUp(ButtonMask(event->button()), ShiftMask(event->modifiers()),
               static_cast<float>(event->position().x()), static_cast<float>(event->position().y()));
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

void PictureButton::Timer1_Timer() {
  if (IsUnderMouse()) return;
  Timer1.stop();
  hover_ = false;
  emit MouseLeave();
  SetState(StateNormal);
}
