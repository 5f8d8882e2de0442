#include "app/controls/picturebutton/PictureButtonAccessible.h"

#include "app/controls/picturebutton/PictureButton.h"

PictureButtonAccessible::PictureButtonAccessible(PictureButton* button)
    : QAccessibleWidget(button, QAccessible::Button) {}

PictureButton* PictureButtonAccessible::button() const { return static_cast<PictureButton*>(widget()); }

QAccessible::State PictureButtonAccessible::state() const {
  QAccessible::State state = QAccessibleWidget::state();
  state.pressed = button()->state() == PictureButton::StateDown;
  return state;
}

QStringList PictureButtonAccessible::actionNames() const {
  return QStringList(pressAction()) + QAccessibleWidget::actionNames();
}

void PictureButtonAccessible::doAction(const QString& actionName) {
  if (actionName != pressAction()) {
    QAccessibleWidget::doAction(actionName);
    return;
  }
  // Later, from the event loop, as Qt's buttons do: the click may run for a
  // long time (a batch run), and the tool that asked waits for its answer.
  if (button()->isEnabled()) QMetaObject::invokeMethod(button(), &PictureButton::click, Qt::QueuedConnection);
}
