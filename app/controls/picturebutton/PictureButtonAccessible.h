#pragma once
// A PictureButton as assistive tools see it: a push button named by its
// accessible name, pressed while the left button is held on it, with the
// press action; disabled when the button is.
#include <QAccessibleWidget>

class PictureButton;

class PictureButtonAccessible : public QAccessibleWidget {
 public:
  explicit PictureButtonAccessible(PictureButton* button);

  QAccessible::State state() const override;
  QStringList actionNames() const override;
  void doAction(const QString& actionName) override;

 private:
  PictureButton* button() const;
};
