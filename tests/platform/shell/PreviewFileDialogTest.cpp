#include "platform/shell/PreviewFileDialog.h"

#include <gtest/gtest.h>

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFile>
#include <QLabel>
#include <QListView>
#include <QPushButton>
#include <QSignalSpy>
#include <QSplitter>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include "platform/shell/DialogPreviewPanel.h"
#include "platform/shell/FileDialogFilters.h"
#include "platform/shell/PreviewPictureBox.h"

namespace {

// The browse buttons' filter text, exactly as the window gives it.
const QString kFilterText = QStringLiteral(
    "All Supported Formats|*.bmp;*.cur;*.dib;*.dds;*.emf;*.gif;*.ico;*.iff;*.jif;*.jng;*.jpg;*.jpeg;"
    "*.koala;*.lbm;*.mng;*.pbm;*.pcd;*.pcx;*.pgm;*.png;*.ppm;*.psd;*.ras;*.rle;*.tga;*.tiff;*.tif;*.wbmp;*.wmf;*.xbm;*.xpm"
    "|Windows or OS2 BMP(*.bmp)|*.bmp|Cursors(*.cur)|*.cur"
    "|Windows DIB(*.dib)|*.dib|Microsoft DirectDraw Surface(*.dds)|*.dds|Windows Enhanced Metafile(*.emf)|*.emf"
    "|Compuserve GIF|*.gif|Icon Files(*.ico)|*.ico|JPEG Network Graphics(*.jng)|*.jng|JPEG - JFIF "
    "Compliant(*.jpg,*.jpeg,*.jif,*.jfif)|*.jpg;*.jpeg;*.jif;*.jfif"
    "|KOALA Files(*.koala,*.gg)|*.koala;*.gg|Deluxe Paint(*.lbm)|*.lbm|Multiple Network Graphics(*.mng)|*.mng|Portable "
    "Bitmap(*.pbm)|*.pbm"
    "|Kodak PhotoCD(*.pcd)|*.pcd|Zsoft Paintbrush(*.pcx)|*.pcx|Portable Greymap(*.pgm)|*.pgm|Portable Network "
    "Graphics(*.png)|*.png"
    "|Portable Pixmap(*.ppm)|*.ppm|Adobe Photoshop Document(*.psd)|*.psd|Sun Raster File(*.ras)|*.ras|Run-Length "
    "encoded Bitmap(*.rle)|*.rle"
    "|Truevision Targa(*.tga)|*.tga|Tagged Image File Format(*.tif,*.tiff)|*.tif;*.tiff|Wireless Bitmap(*.wbmp)|*.wbmp|"
    "Windows Meta File(*.wmf)|*.wmf"
    "|X11 Bitmap Format(*.xbm)|*.xbm|X PIxMap Format definition(*.xpm)|*.xpm|All Files(*.*)|*.*");

bool Touch(const QString& path) {
  QFile file(path);
  return file.open(QIODevice::WriteOnly) && file.write("x") == 1;
}

TEST(FileDialogFilters, FilterTextBecomesQtNameFilters) {
  const QStringList filters = NameFiltersFromFilterText(kFilterText);
  ASSERT_EQ(filters.size(), 29);
  const struct {
    int index;
    QString filter;
  } cases[] = {
      {0, "All Supported Formats (*.bmp *.cur *.dib *.dds *.emf *.gif *.ico *.iff *.jif *.jng *.jpg *.jpeg *.koala "
          "*.lbm *.mng *.pbm *.pcd *.pcx *.pgm *.png *.ppm *.psd *.ras *.rle *.tga *.tiff *.tif *.wbmp *.wmf *.xbm "
          "*.xpm)"},
      {1, "Windows or OS2 BMP(*.bmp) (*.bmp)"},
      {6, "Compuserve GIF (*.gif)"},
      {9, "JPEG - JFIF Compliant(*.jpg,*.jpeg,*.jif,*.jfif) (*.jpg *.jpeg *.jif *.jfif)"},
      {23, "Tagged Image File Format(*.tif,*.tiff) (*.tif *.tiff)"},
      {27, "X PIxMap Format definition(*.xpm) (*.xpm)"},
      {28, "All Files(*.*) (*)"},  // every file, also one without an extension
  };
  for (const auto& c : cases) EXPECT_EQ(filters[c.index], c.filter) << c.index;

  const struct {
    QString text;
    QStringList filters;
  } odd[] = {
      {"", {}},
      {"Only|", {"Only (*)"}},
      {"A|*.a;;*.b ; *.a|Dangling", {"A (*.a *.b)"}},
  };
  for (const auto& c : odd) EXPECT_EQ(NameFiltersFromFilterText(c.text), c.filters) << c.text.toStdString();
}

TEST(PreviewPictureBox, FitsShrinksAndCentresButNeverEnlarges) {
  const struct {
    QSize picture;
    QRect expected;
  } cases[] = {
      {{100, 50}, {100, 125, 100, 50}},  // fits: kept, centred
      {{600, 300}, {0, 75, 300, 150}},   // too wide
      {{300, 600}, {75, 0, 150, 300}},   // too high
      {{300, 300}, {0, 0, 300, 300}},
      {{1, 1000}, {150, 0, 1, 300}},     // never narrower than a pixel
      {{0, 10}, {}},
  };
  for (const auto& c : cases)
    EXPECT_EQ(PreviewPictureBox::FitRect(c.picture, QRect(0, 0, 300, 300)), c.expected)
        << c.picture.width() << "x" << c.picture.height();
  EXPECT_EQ(PreviewPictureBox::FitRect({600, 300}, QRect(10, 20, 300, 300)), QRect(10, 95, 300, 150));
}

TEST(DialogPreviewPanel, ShowsThePictureFittedWithItsInfoAndClears) {
  DialogPreviewPanel panel;
  panel.resize(220, 240);
  panel.show();
  PreviewPictureBox* box = panel.PicPreview();
  EXPECT_EQ(box->objectName(), "PicPreview");
  EXPECT_EQ(box->toolTip(), "DblClick for full-screen view.");
  EXPECT_EQ(panel.picinfo()->objectName(), "picinfo");
  EXPECT_EQ(panel.lblinfo()->objectName(), "lblinfo");
  EXPECT_EQ(panel.frOpts()->objectName(), "frOpts");
  EXPECT_TRUE(panel.lblinfo()->isHidden());

  QImage red(800, 100, QImage::Format_RGB32);
  red.fill(Qt::red);
  panel.showPreview(red, "800x100 24 bpp");
  EXPECT_FALSE(panel.lblinfo()->isHidden());
  EXPECT_EQ(panel.lblinfo()->text(), "800x100 24 bpp");
  const QRect contents = box->contentsRect();
  const QRect fitted = box->pictureRect();
  EXPECT_EQ(fitted, PreviewPictureBox::FitRect({800, 100}, contents));
  EXPECT_EQ(fitted.width(), contents.width());
  QImage shot = box->grab().toImage();
  EXPECT_EQ(QColor(shot.pixel(fitted.center())), QColor(Qt::red));
  EXPECT_NE(QColor(shot.pixel(fitted.center().x(), fitted.top() - 3)), QColor(Qt::red));

  QSignalSpy doubleClicks(box, &PreviewPictureBox::DblClick);
  QTest::mouseDClick(box, Qt::LeftButton, {}, fitted.center());
  EXPECT_EQ(doubleClicks.count(), 1);

  panel.clearPreview();
  EXPECT_TRUE(panel.lblinfo()->isHidden());
  EXPECT_TRUE(box->picture().isNull());
  shot = box->grab().toImage();
  EXPECT_NE(QColor(shot.pixel(fitted.center())), QColor(Qt::red));
}

class PreviewFileDialogTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(tmp_.isValid());
    dir_ = tmp_.path();
    ASSERT_TRUE(QDir(dir_).mkdir("sub"));
    for (const char* name : {"a.png", "b.png", "IMG_0001.JPG", "photo.jpeg", "scan.tif", "notes"})
      ASSERT_TRUE(Touch(dir_ + "/" + name));
  }

  // The names the dialog lists in its folder once the listing has arrived.
  static QStringList Listed(PreviewFileDialog& dialog, int atLeast) {
    auto* list = dialog.findChild<QListView*>("listView");
    QStringList names;
    const bool enough = QTest::qWaitFor(
        [&] {
          names.clear();
          const QModelIndex root = list->rootIndex();
          for (int row = 0; row < list->model()->rowCount(root); ++row) {
            const QModelIndex at = list->model()->index(row, 0, root);
            if (at.flags() & Qt::ItemIsEnabled) names.append(at.data().toString());
          }
          return names.size() >= atLeast;
        },
        3000);
    Q_UNUSED(enough);  // the caller compares what came
    names.sort();
    return names;
  }

  QTemporaryDir tmp_;
  QString dir_;
};

TEST_F(PreviewFileDialogTest, PanelSitsBesideTheFileListAndTypesReadAsDescribed) {
  PreviewFileDialog dialog;
  dialog.setFilterText(kFilterText);
  dialog.show();
  auto* list = dialog.findChild<QSplitter*>("splitter");
  ASSERT_NE(list, nullptr);
  const QRect panel = dialog.previewPanel()->geometry();
  EXPECT_GE(panel.left(), list->geometry().right());
  EXPECT_TRUE(panel.top() < list->geometry().bottom() && list->geometry().top() < panel.bottom());
  EXPECT_GT(dialog.previewPanel()->PicPreview()->width(), 100);

  auto* types = dialog.findChild<QComboBox*>("fileTypeCombo");
  ASSERT_NE(types, nullptr);
  const QStringList pieces = kFilterText.split('|');
  ASSERT_EQ(types->count(), 29);
  for (int i = 0; i < types->count(); ++i) EXPECT_EQ(types->itemText(i), pieces[2 * i]);
  EXPECT_EQ(dialog.filterText(), kFilterText);
}

TEST_F(PreviewFileDialogTest, FiltersListTheirFilesIgnoringCase) {
  PreviewFileDialog dialog;
  dialog.setFilterText(kFilterText);
  dialog.setDirectory(dir_);
  dialog.show();
  const QStringList filters = dialog.nameFilters();
  const struct {
    int filter;
    QStringList names;
  } cases[] = {
      {0, {"IMG_0001.JPG", "a.png", "b.png", "photo.jpeg", "scan.tif", "sub"}},
      {9, {"IMG_0001.JPG", "photo.jpeg", "sub"}},
      {28, {"IMG_0001.JPG", "a.png", "b.png", "notes", "photo.jpeg", "scan.tif", "sub"}},
  };
  for (const auto& c : cases) {
    dialog.selectNameFilter(filters[c.filter]);
    EXPECT_TRUE(QTest::qWaitFor([&] { return Listed(dialog, 0) == c.names; }, 3000))
        << c.filter << ": " << Listed(dialog, 0).join(' ').toStdString();
  }
}

TEST_F(PreviewFileDialogTest, MovingInTheListReportsFullPathsOfFiles) {
  PreviewFileDialog dialog;
  dialog.setFilterText(kFilterText);
  dialog.setDirectory(dir_);
  dialog.show();
  ASSERT_EQ(Listed(dialog, 6).size(), 6);
  auto* list = dialog.findChild<QListView*>("listView");
  // Sorted: the folder first, then the files by name.
  ASSERT_TRUE(QTest::qWaitFor([&] { return list->model()->index(0, 0, list->rootIndex()).data() == "sub"; }, 3000));
  list->setFocus();
  QStringList browsed;
  QObject::connect(&dialog, &PreviewFileDialog::FileBrowse, [&](const QString& path) { browsed.append(path); });
  dialog.previewPanel()->showPreview(QImage(10, 10, QImage::Format_RGB32), "10x10 24 bpp");

  QTest::keyClick(list, Qt::Key_Home);  // the folder "sub": nothing to preview
  EXPECT_TRUE(dialog.previewPanel()->PicPreview()->picture().isNull());
  EXPECT_TRUE(dialog.previewPanel()->lblinfo()->isHidden());
  QTest::keyClick(list, Qt::Key_Down);
  QTest::keyClick(list, Qt::Key_Down);
  QTest::keyClick(list, Qt::Key_Up);
  QTest::keyClick(list, Qt::Key_Home);
  const QStringList expected = {dir_ + "/a.png", dir_ + "/b.png", dir_ + "/a.png", ""};
  EXPECT_EQ(browsed, expected) << browsed.join(", ").toStdString();
}

TEST_F(PreviewFileDialogTest, ChosenFileIsTheExactPathAndCancelGivesNothing) {
  const QString chosen = dir_ + "/my holiday photo.jpeg";
  ASSERT_TRUE(Touch(chosen));
  for (const bool accept : {true, false}) {
    PreviewFileDialog dialog;
    dialog.setFilterText(kFilterText);
    dialog.setDirectory(dir_);
    QTimer::singleShot(0, &dialog, [&] {
      dialog.selectFile(chosen);
      auto* buttons = dialog.findChild<QDialogButtonBox*>("buttonBox");
      QPushButton* button = buttons->button(accept ? QDialogButtonBox::Open : QDialogButtonBox::Cancel);
      QTest::mouseClick(button, Qt::LeftButton);
    });
    const FileDialogAnswer answer = dialog.run();
    EXPECT_EQ(answer.accepted, accept);
    EXPECT_EQ(answer.file, accept ? chosen : QString());
  }
}

TEST_F(PreviewFileDialogTest, HandlerAnswersInPlaceOfTheDialog) {
  int asked = 0;
  FileDialogHandler previous = SetFileDialogHandler([&](PreviewFileDialog& dialog) {
    ++asked;
    dialog.browseTo(dir_ + "/a.png");
    dialog.browseTo(dir_ + "/sub");
    dialog.browseTo(dir_ + "/gone.png");  // reported: the host's preview finds it missing
    return FileDialogAnswer{true, dir_ + "/b.png"};
  });
  PreviewFileDialog dialog;
  QSignalSpy browsed(&dialog, &PreviewFileDialog::FileBrowse);
  const FileDialogAnswer answer = dialog.run();
  SetFileDialogHandler(previous);
  EXPECT_EQ(asked, 1);
  EXPECT_TRUE(answer.accepted);
  EXPECT_EQ(answer.file, dir_ + "/b.png");
  ASSERT_EQ(browsed.count(), 3);
  EXPECT_EQ(browsed[0][0].toString(), dir_ + "/a.png");
  EXPECT_EQ(browsed[1][0].toString(), "");
  EXPECT_EQ(browsed[2][0].toString(), dir_ + "/gone.png");
}

}  // namespace
