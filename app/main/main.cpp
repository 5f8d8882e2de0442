#include <QApplication>

#include "app/main/fMain.h"

int main(int argc, char* argv[]) {
  QApplication app(argc, argv);
  QApplication::setApplicationName(QStringLiteral("Quillmora"));
  QApplication::setOrganizationName(QStringLiteral("Oxbrindle"));
  fMain window;
  window.show();
  return app.exec();
}
