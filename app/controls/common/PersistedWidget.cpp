#include "app/controls/common/PersistedWidget.h"

PersistedWidget::PersistedWidget(QWidget* parent) : QWidget(parent) {}

void PersistedWidget::MarkChanged(const char* name) {
  if (!loading_) emit PropertyChanged(QString::fromLatin1(name));
}
