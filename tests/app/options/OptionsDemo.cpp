// Shows the two option pages and the album sample side by side, for looking
// at them (screenshots under Xvfb). Arguments: [image|album] [album tab 1-3]
// [thumb style 0-3].
#include <QApplication>
#include <QComboBox>
#include <QHBoxLayout>
#include <QStackedWidget>
#include <QTabBar>
#include <QVBoxLayout>

#include "app/options/AlbumOptionsPanel.h"
#include "app/options/AlbumSampleCell.h"
#include "app/options/ImageOptionsPage.h"
#include "tests/support/TestImages.h"

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  const QStringList args = app.arguments().mid(1);
  const bool album = args.value(0) == QLatin1String("album");

  QWidget window;
  window.setWindowTitle(QStringLiteral("Option pages"));
  auto* row = new QHBoxLayout(&window);
  auto* column = new QVBoxLayout;
  auto* tbsOptions = new QTabBar;
  tbsOptions->addTab(QStringLiteral("Image Options"));
  tbsOptions->addTab(QStringLiteral("HTML Gallery Options"));
  auto* pages = new QStackedWidget;
  auto* image = new ImageOptionsPage;
  auto* panel = new AlbumOptionsPanel;
  pages->addWidget(image);
  pages->addWidget(panel);
  column->addWidget(tbsOptions);
  column->addWidget(pages, 1);
  row->addLayout(column, 1);
  auto* sample = new AlbumSampleCell;
  row->addWidget(sample, 0, Qt::AlignTop);
  panel->AttachSample(sample);
  QObject::connect(tbsOptions, &QTabBar::currentChanged, pages, &QStackedWidget::setCurrentIndex);
  QObject::connect(tbsOptions, &QTabBar::currentChanged, panel, [panel](int index) {
    if (index == 1) panel->SelectTab(2);
  });

  Surface canvas;
  canvas.setImage(testimages::Gradient(120, 90));
  sample->ShowSample(canvas);

  tbsOptions->setCurrentIndex(album ? 1 : 0);
  if (album) panel->SelectTab(args.value(1, QStringLiteral("1")).toInt());
  if (!album) image->cboThumbStyle()->setCurrentIndex(args.value(2, QStringLiteral("0")).toInt());
  window.show();
  return app.exec();
}
