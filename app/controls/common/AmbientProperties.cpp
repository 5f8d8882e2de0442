#include "app/controls/common/AmbientProperties.h"

#include <QApplication>
#include <QWidget>

QFont AmbientFont(const QWidget* control) {
  const QWidget* host = control->parentWidget();
  return host ? host->font() : QApplication::font();
}

ColorValue AmbientBackColor(const QWidget* control) {
  const QWidget* host = control->parentWidget();
  if (host) return ColorValueFromQColor(host->palette().color(QPalette::Window));
  return SystemColor(COLOR_BTNFACE);
}
