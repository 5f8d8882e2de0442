#pragma once
// A vkFrames as assistive tools see it: a grouping named by its accessible
// name, or by its caption when it has none.
#include <QAccessibleWidget>

class vkFrames;

class vkFramesAccessible : public QAccessibleWidget {
 public:
  explicit vkFramesAccessible(vkFrames* frame);

  QString text(QAccessible::Text t) const override;
};
