// The main window's file side: the mask list, the file list's bulk
// selection, the preview of the clicked file, and the loads of the full-size
// preview and the background image.
#include <QBuffer>
#include <QCheckBox>
#include <QItemSelectionModel>
#include <QLabel>
#include <QPushButton>
#include <QSignalSpy>
#include <QStandardPaths>
#include <functional>

#include "app/main/fFullScale.h"
#include "app/options/ImageOptionsPage.h"
#include "platform/shell/PreviewPictureBox.h"
#include "tests/app/main/WindowFixture.h"
#include "tests/support/TestImages.h"

using windowtest::WindowTest;
using windowtest::WriteFile;

namespace {

class MainWindowFiles : public WindowTest {};

QByteArray Png(const QImage& image) {
  QByteArray bytes;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::WriteOnly);
  image.save(&buffer, "PNG");
  return bytes;
}

// A PNG of width x height padded with zeros after its end to exactly size bytes.
QByteArray PngOfSize(int width, int height, qsizetype size) {
  QByteArray bytes = Png(testimages::Solid(width, height, Qt::darkCyan));
  EXPECT_LE(bytes.size(), size);
  bytes.append(size - bytes.size(), '\0');
  return bytes;
}

// Which files are listed, whatever their order (the order has its own test).
QStringList Sorted(QStringList names) {
  names.sort(Qt::CaseInsensitive);
  return names;
}

PreviewResult WaitForPreview(QSignalSpy& spy) {
  while (spy.isEmpty() && spy.wait(5000)) {
  }
  return spy.isEmpty() ? PreviewResult{} : spy.takeLast().at(0).value<PreviewResult>();
}

}  // namespace

TEST_F(MainWindowFiles, EachMaskListsItsFilesWhateverTheCaseOfTheirNames) {
  const QString src = folder("masks");
  const QStringList files{"a.bmp",  "a.cur",   "a.dib",  "a.dds", "a.emf",  "a.gif",  "a.ico",   "a.iff",
                          "a.jif",  "a.jng",   "a.jpg",  "a.jpeg", "a.jfif", "a.koala", "a.gg",   "a.lbm",
                          "a.mng",  "a.pbm",   "a.pcd",  "a.pcx", "a.pgm",  "a.png",  "a.ppm",   "a.psd",
                          "a.ras",  "a.rle",   "a.tga",  "a.tif", "a.tiff", "a.wbmp", "a.wmf",   "a.xbm",
                          "a.xpm",  "IMG_0001.JPG", "SCAN.TIFF", "notes.txt", "README", "b.heic", "b.HEIF",
                          "b.avif", "b.webp",  "b.jp2",  "b.j2k", "b.exr",  "b.jxl",  "b.dng",   "B.CR3",
                          "b.nef",  "b.arw",   "b.cr2",  "b.orf", "b.rw2",  "b.raf",  "b.pef",   "b.srw"};
  for (const QString& name : files) ASSERT_TRUE(WriteFile(src + "/" + name));
  ASSERT_TRUE(WriteFile(src + "/.hidden.jpg"));
  QDir(src).mkdir("folder.jpg");  // a folder is never a file of the list

  const QStringList allSupported{"a.bmp", "a.cur", "a.dds", "a.dib", "a.emf", "a.gif", "a.ico", "a.iff", "a.jif",
                                 "a.jng", "a.jpg", "a.koala", "a.lbm", "a.mng", "a.pbm", "a.pcd", "a.pcx", "a.pgm",
                                 "a.png", "a.ppm", "a.psd", "a.ras", "a.rle", "a.tga", "a.tiff", "a.wbmp", "a.wmf",
                                 "a.xbm", "a.xpm", "b.arw", "b.avif", "b.cr2", "B.CR3", "b.dng", "b.exr", "b.heic",
                                 "b.HEIF", "b.j2k", "b.jp2", "b.jxl", "b.nef", "b.orf", "b.pef", "b.raf", "b.rw2",
                                 "b.srw", "b.webp", "IMG_0001.JPG", "SCAN.TIFF"};
  QStringList everything = files;
  everything.sort(Qt::CaseInsensitive);
  const struct {
    int entry;
    const char* text;
    QStringList listed;
  } cases[] = {
      {0, "All Supported Formats", allSupported},
      {1, "Windows or OS2 BMP(*.bmp)", {"a.bmp"}},
      {2, "Cursors(*.cur)", {"a.cur"}},
      {3, "Windows DIB(*.dib)", {"a.dib"}},
      {4, "Microsoft DirectDraw Surface(*.dds)", {"a.dds"}},
      {5, "Windows Enhanced Metafile(*.emf)", {"a.emf"}},
      {6, "Compuserve GIF(*.gif)", {"a.gif"}},
      {7, "Icon Files(*.ico)", {"a.ico"}},
      {8, "JPEG Network Graphics(*.jng)", {"a.jng"}},
      {9, "JPEG - JFIF Compliant(*.jpg,*.jpeg,*.jif,*.jfif)", {"a.jfif", "a.jif", "a.jpeg", "a.jpg", "IMG_0001.JPG"}},
      {10, "KOALA Files(*.koala,*.gg)", {"a.gg", "a.koala"}},
      {11, "Deluxe Paint(*.lbm)", {"a.lbm"}},
      {12, "Multiple Network Graphics(*.mng)", {"a.mng"}},
      {13, "Portable Bitmap(*.pbm)", {"a.pbm"}},
      {14, "Kodak PhotoCD(*.pcd)", {"a.pcd"}},
      {15, "Zsoft Paintbrush(*.pcx)", {"a.pcx"}},
      {16, "Portable Greymap(*.pgm)", {"a.pgm"}},
      {17, "Portable Network Graphics(*.png)", {"a.png"}},
      {18, "Portable Pixmap(*.ppm)", {"a.ppm"}},
      {19, "Adobe Photoshop Document(*.psd)", {"a.psd"}},
      {20, "Sun Raster File(*.ras)", {"a.ras"}},
      {21, "Run-Length encoded Bitmap(*.rle)", {"a.rle"}},
      {22, "Truevision Targa(*.tga)", {"a.tga"}},
      {23, "Tagged Image File Format(*.tif,*.tiff)", {"a.tif", "a.tiff", "SCAN.TIFF"}},
      {24, "Wireless Bitmap(*.wbmp)", {"a.wbmp"}},
      {25, "Windows Meta File(*.wmf)", {"a.wmf"}},
      {26, "X11 Bitmap Format(*.xbm)", {"a.xbm"}},
      {27, "X PIxMap Format definition(*.xpm)", {"a.xpm"}},
      {28, "All Files(*.*)", everything},
      {29, "HEIF and AVIF Images(*.heic,*.heif,*.avif)", {"b.avif", "b.heic", "b.HEIF"}},
      {30, "Camera RAW(*.dng,*.cr2,*.cr3,*.nef,*.arw,*.orf,*.rw2,*.raf,*.pef,*.srw)",
       {"b.arw", "b.cr2", "B.CR3", "b.dng", "b.nef", "b.orf", "b.pef", "b.raf", "b.rw2", "b.srw"}},
      {31, "WebP(*.webp)", {"b.webp"}},
      {32, "JPEG 2000(*.jp2,*.j2k)", {"b.j2k", "b.jp2"}},
      {33, "OpenEXR(*.exr)", {"b.exr"}},
      {34, "JPEG XL(*.jxl)", {"b.jxl"}},
  };
  record.sourceFolder = src;
  fMain& w = Open();
  ASSERT_EQ(w.ComboFilter()->count(), 35);
  EXPECT_EQ(w.ComboFilter()->currentIndex(), 0);
  EXPECT_EQ(Sorted(Listed()), allSupported);  // the start-up entry
  for (const auto& c : cases) {
      SCOPED_TRACE(c.text);
      ChooseEntry(w.ComboFilter(), c.entry);
      EXPECT_EQ(w.ComboFilter()->currentText(), c.text);
      EXPECT_EQ(Sorted(Listed()), c.listed);
      EXPECT_EQ(w.fileListFolder(), src + "/");
  }
}

TEST_F(MainWindowFiles, SelectAllAndClearAreOneChangeAndLoadNoPreview) {
  const QString src = folder("many");
  for (int i = 0; i < 10000; ++i) ASSERT_TRUE(WriteFile(QStringLiteral("%1/IMG_%2.JPG").arg(src).arg(i, 5, 10, QChar('0'))));
  record.sourceFolder = src;
  fMain& w = Open();
  ASSERT_EQ(w.fbImages()->count(), 10000);
  ASSERT_TRUE(w.chkPreview()->isChecked());
  QSignalSpy changes(w.fbImages()->selectionModel(), &QItemSelectionModel::selectionChanged);
  const int decodes = w.previewLoader().decodesStarted();

  QTest::mouseClick(w.cmdselect(0), Qt::LeftButton);
  EXPECT_EQ(w.fbImages()->selectedItems().size(), 10000);
  EXPECT_EQ(changes.count(), 1);
  EXPECT_EQ(w.SelectedFileNames().size(), 10000);
  EXPECT_TRUE(w.chkPreview()->isChecked());
  EXPECT_TRUE(w.fbImages()->isVisible());

  QTest::mouseClick(w.cmdselect(1), Qt::LeftButton);
  EXPECT_TRUE(w.fbImages()->selectedItems().isEmpty());
  EXPECT_EQ(changes.count(), 2);
  EXPECT_TRUE(w.chkPreview()->isChecked());
  EXPECT_EQ(w.previewLoader().decodesStarted(), decodes);
  EXPECT_TRUE(w.previewedFile().isEmpty());

  // Ctrl+A in the list is Select All too, and previews nothing more. (The
  // list taking the focus makes its first entry current, which previews it.)
  w.activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&w));
  w.fbImages()->setFocus();
  const int focused = w.previewLoader().decodesStarted();
  QTest::keyClick(w.fbImages(), Qt::Key_A, Qt::ControlModifier);
  EXPECT_EQ(w.fbImages()->selectedItems().size(), 10000);
  EXPECT_EQ(changes.count(), 3);
  EXPECT_EQ(w.previewLoader().decodesStarted(), focused);
}

TEST_F(MainWindowFiles, AClickShowsTheFilesSizeInKilobytesAndItsNaturalSize) {
  const QString src = folder("preview");
  ASSERT_TRUE(WriteFile(src + "/big.png", PngOfSize(1600, 1200, 1024 * 1024)));
  ASSERT_TRUE(WriteFile(src + "/small.png", PngOfSize(37, 23, 500)));
  ASSERT_TRUE(WriteFile(src + "/odd.png", PngOfSize(5, 4, 1536)));  // 1.5 KB rounds half to even: 2
  ASSERT_TRUE(WriteFile(src + "/broken.png", QByteArray(3000, 'x')));
  record.sourceFolder = src;
  fMain& w = Open();
  QSignalSpy loaded(&w.previewLoader(), &PreviewLoader::Loaded);
  const struct {
    const char* file;
    const char* sizeText;
    const char* imageText;  // nullptr: not decodable, the label is emptied
  } cases[] = {
      {"big.png", "1,024 KB", "1600x1200"},
      {"small.png", "0 KB", "37x23"},
      {"odd.png", "2 KB", "5x4"},
      {"broken.png", "3 KB", nullptr},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.file);
    loaded.clear();
    ClickFile(c.file);
    EXPECT_EQ(w.previewedFile(), src + "/" + c.file);
    EXPECT_EQ(w.lblImageFileSize()->text(), c.sizeText);
    const PreviewResult result = WaitForPreview(loaded);
    EXPECT_EQ(result.path, src + "/" + c.file);
    EXPECT_EQ(w.lblImageSize()->text(), c.imageText ? QString(c.imageText) : QString());
    EXPECT_EQ(w.ImgPreview()->picture().isNull(), c.imageText == nullptr);
  }
  // With the switch off a click previews nothing.
  QTest::mouseClick(w.chkPreview(), Qt::LeftButton);
  ASSERT_FALSE(w.chkPreview()->isChecked());
  const int decodes = w.previewLoader().decodesStarted();
  ClickFile("big.png");
  EXPECT_EQ(w.previewedFile(), src + "/broken.png");
  EXPECT_EQ(w.previewLoader().decodesStarted(), decodes);
}

// Regression: the preview followed the current row, so a click on the file
// that was already current (after the switch was off, or after a
// double-click) left the previous file's picture and size.
TEST_F(MainWindowFiles, AClickOnTheCurrentFilePreviewsIt) {
  const QString src = folder("current");
  ASSERT_TRUE(WriteFile(src + "/first.png", PngOfSize(40, 30, 2048)));
  ASSERT_TRUE(WriteFile(src + "/second.png", PngOfSize(64, 48, 4096)));
  record.sourceFolder = src;
  fMain& w = Open();
  QSignalSpy loaded(&w.previewLoader(), &PreviewLoader::Loaded);
  const auto clickList = [&](const QString& name, bool twice) {
    QListWidget* list = w.fbImages();
    const QRect row = list->visualItemRect(list->findItems(name, Qt::MatchExactly).value(0));
    if (twice)
      QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, row.center());
    else
      QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, row.center());
  };
  const struct {
    const char* way;
    std::function<void()> makeSecondCurrent;  // while first.png is previewed
  } cases[] = {
      {"clicked while the switch was off",
       [&] {
         QTest::mouseClick(w.chkPreview(), Qt::LeftButton);
         clickList("second.png", false);
         QTest::mouseClick(w.chkPreview(), Qt::LeftButton);
       }},
      {"double-clicked while the switch was off",
       [&] {
         QTest::mouseClick(w.chkPreview(), Qt::LeftButton);
         clickList("second.png", true);
         QTest::mouseClick(w.chkPreview(), Qt::LeftButton);
       }},
      {"made current by the keyboard while the switch was off",
       [&] {
         QTest::mouseClick(w.chkPreview(), Qt::LeftButton);
         w.fbImages()->setFocus();
         QTest::keyClick(w.fbImages(), Qt::Key_Down);
         QTest::mouseClick(w.chkPreview(), Qt::LeftButton);
       }},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.way);
    ClickFile("first.png");
    ASSERT_EQ(WaitForPreview(loaded).path, src + "/first.png");
    ASSERT_EQ(w.lblImageSize()->text(), "40x30");
    c.makeSecondCurrent();
    ASSERT_TRUE(w.chkPreview()->isChecked());
    ASSERT_EQ(w.fbImages()->currentItem()->text(), "second.png");
    loaded.clear();
    ClickFile("second.png");
    EXPECT_EQ(w.previewedFile(), src + "/second.png");
    EXPECT_EQ(w.lblImageFileSize()->text(), "4 KB");
    EXPECT_EQ(WaitForPreview(loaded).path, src + "/second.png");
    EXPECT_EQ(w.lblImageSize()->text(), "64x48");
  }
}

// In the C locale QCollator ignores setCaseSensitivity: "C.jpg" and
// "IMG_0002.JPG" came before "a.jpg" (seen with LANG=C.UTF-8).
TEST_F(MainWindowFiles, TheListIsAlphabeticalIgnoringCaseInEveryLocale) {
  const QString src = folder("order");
  for (const char* name : {"b.jpg", "IMG_0002.JPG", "a.jpg", "C.jpg", "img_0001.jpg"}) ASSERT_TRUE(WriteFile(src + "/" + name));
  record.sourceFolder = src;
  const QLocale before;
  for (const QLocale& locale : {QLocale::c(), QLocale(QLocale::English, QLocale::UnitedStates), QLocale(QLocale::German)}) {
    SCOPED_TRACE(locale.name().toStdString());
    QLocale::setDefault(locale);
    Open();
    EXPECT_EQ(Listed(), QStringList({"a.jpg", "b.jpg", "C.jpg", "img_0001.jpg", "IMG_0002.JPG"}));
    window.reset();
  }
  QLocale::setDefault(before);
}

// The background image restored from the settings is decoded while the user
// double-clicks the preview: the full-size preview and the background both
// arrive, neither request cancels the other. The requests are made before
// the event loop runs again, so the background is surely still decoding.
TEST_F(MainWindowFiles, ARestoredBackgroundSurvivesAFullSizePreview) {
  QStandardPaths::setTestModeEnabled(true);  // never the user's control registry
  const QString src = folder("both");
  ASSERT_TRUE(WriteFile(src + "/photo.png", Png(testimages::Gradient(300, 200))));
  ASSERT_TRUE(WriteFile(src + "/bg.png", Png(testimages::Solid(40, 30, Qt::red))));
  record.sourceFolder = src;
  fMain& w = Open();
  QSignalSpy preview(&w.previewLoader(), &PreviewLoader::Loaded);
  ClickFile("photo.png");
  ASSERT_TRUE(WaitForPreview(preview).image.ok());
  ASSERT_FALSE(w.stage().picBknd.hasPicture());

  QSignalSpy background(&w.backgroundLoader(), &PreviewLoader::Loaded);
  QSignalSpy fullSize(&w.fullSizeLoader(), &PreviewLoader::Loaded);
  w.fraImageOptions()->RestoreThumbBackImage(src + "/bg.png");
  w.ImgPreview_DblClick();
  ASSERT_TRUE(WaitForPreview(background).image.ok());
  ASSERT_TRUE(WaitForPreview(fullSize).image.ok());
  EXPECT_EQ(w.stage().picBknd.picture().size(), QSize(40, 30));
  ASSERT_TRUE(fFullScale::Instance(&w));
  fFullScale::Instance(&w)->close();

  // A background whose box is emptied before it arrives is not applied.
  ASSERT_TRUE(WriteFile(src + "/bg2.png", Png(testimages::Solid(20, 10, Qt::blue))));
  background.clear();
  w.fraImageOptions()->RestoreThumbBackImage(src + "/bg2.png");
  w.fraImageOptions()->txtThumbBackImage()->clear();
  ASSERT_TRUE(WaitForPreview(background).image.ok());
  EXPECT_FALSE(w.stage().picBknd.hasPicture());
}
