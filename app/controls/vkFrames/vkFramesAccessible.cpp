#include "app/controls/vkFrames/vkFramesAccessible.h"

#include "app/controls/vkFrames/vkFrames.h"

vkFramesAccessible::vkFramesAccessible(vkFrames* frame) : QAccessibleWidget(frame, QAccessible::Grouping) {}

QString vkFramesAccessible::text(QAccessible::Text t) const {
  const QString own = QAccessibleWidget::text(t);
  if (t != QAccessible::Name || !own.isEmpty()) return own;
  return static_cast<vkFrames*>(widget())->Caption();
}
