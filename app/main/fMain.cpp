#include "app/main/fMain.h"

fMain::fMain(QWidget* parent) : QMainWindow(parent) {
  setWindowTitle(QStringLiteral("Quillmora by Oxbrindle"));
  resize(800, 600);
  stage_.SetThumbBackColor(0xC0C0C0);
}
