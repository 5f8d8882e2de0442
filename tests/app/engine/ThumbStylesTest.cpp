#include <gtest/gtest.h>

#include <QTemporaryDir>

#include "app/engine/ImageBridge.h"
#include "app/engine/ThumbGeometry.h"
#include "app/engine/mScaleImage.h"
#include "app/engine/mThumbStyles.h"
#include "tests/support/TestImages.h"

namespace {

QRgb Sys(int index) { return TranslateColor(SystemColor(index)).rgb(); }

void LoadSolid(ThumbStage& stage, int w, int h, QColor color) { stage.PicLoad.setImage(testimages::Solid(w, h, color)); }

// Composes a framed thumbnail the way the run does: canvas sized to the boxes first.
void ComposeFramed(ThumbStage& stage, int style, int canvas, int16_t padding, ResampleFilter filter = ResampleFilter::Halftone) {
  stage.SetCanvasSize(canvas, canvas);
  ComposeStyledThumb(stage.PicLoad, stage.picThumb, stage.picBknd, style, padding, true, filter);
}

}  // namespace

TEST(StyledLayout, FittedRectangleInsetAndEdges) {
  struct Case {
    const char* what;
    int sw, sh, canvas, style, padding;
    int x, y, w, h;
    WinRect sunken;
  } cases[] = {
      {"flat 300x200 on 120", 300, 200, 120, 1, 0, 5, 25, 110, 70, {}},
      {"inner border 300x200 on 120", 300, 200, 120, 3, 0, 5, 25, 110, 70, {4, 24, 117, 97}},
      {"padding 20, 300x300", 300, 300, 120, 2, 20, 15, 15, 90, 90, {}},
      {"small image is not enlarged", 50, 50, 120, 1, 0, 40, 40, 40, 40, {}},
  };
  for (const Case& c : cases) {
    const StyledLayout l = LayoutStyledThumb(c.sw, c.sh, c.canvas, c.canvas, c.style, c.padding, true);
    EXPECT_EQ(QRect(l.x, l.y, l.width, l.height), QRect(c.x, c.y, c.w, c.h)) << c.what;
    EXPECT_TRUE(l.drawImage) << c.what;
    EXPECT_EQ(l.raisedEdge, c.style >= 2) << c.what;
    if (c.style >= 2) {
      EXPECT_EQ(l.raisedRect, (WinRect{0, 0, c.canvas, c.canvas})) << c.what;
    }
    EXPECT_EQ(l.sunkenEdge, c.style == 3) << c.what;
    if (c.style == 3) {
      EXPECT_EQ(l.sunkenRect, c.sunken) << c.what;
    }
  }
  // Ten pixels or less: the frame is composed without an image.
  EXPECT_FALSE(LayoutStyledThumb(10, 40, 120, 120, 3, 0, true).drawImage);
}

TEST(ComposeStyledThumb, RenderedInnerBorderStyleShowsEdgesImageAndBackground) {
  ThumbStage stage;
  stage.SetThumbBackColor(0x00FF00);  // green background
  LoadSolid(stage, 300, 200, QColor(0, 0, 255));
  ComposeFramed(stage, kStyleRaisedBorder, 120, 0);
  const QImage& img = stage.picThumb.image();
  ASSERT_EQ(img.size(), QSize(120, 120));
  EXPECT_EQ(img.pixel(0, 0), Sys(COLOR_3DLIGHT));          // raised outer, top-left
  EXPECT_EQ(img.pixel(119, 119), Sys(COLOR_3DDKSHADOW));   // raised outer, bottom-right
  EXPECT_EQ(img.pixel(1, 1), Sys(COLOR_BTNHIGHLIGHT));     // raised inner
  EXPECT_EQ(img.pixel(60, 10), qRgb(0, 255, 0));           // background above the image
  EXPECT_EQ(img.pixel(60, 24), Sys(COLOR_BTNSHADOW));      // sunken outer top line at y - 1
  EXPECT_EQ(img.pixel(5, 25), qRgb(0, 0, 255));            // image covers the inner line at its top-left
  EXPECT_EQ(img.pixel(114, 94), qRgb(0, 0, 255));          // last image pixel
  EXPECT_EQ(img.pixel(115, 60), Sys(COLOR_3DLIGHT));       // sunken inner right line stays visible
  EXPECT_EQ(img.pixel(116, 60), Sys(COLOR_BTNHIGHLIGHT));  // sunken outer right line
  EXPECT_EQ(img.pixel(60, 96), Sys(COLOR_BTNHIGHLIGHT));   // sunken outer bottom line
  EXPECT_EQ(img.pixel(60, 100), qRgb(0, 255, 0));
}

TEST(ComposeStyledThumb, BackgroundImageIsCutAtTheCanvasAndTinyImagesDrawNoImage) {
  QTemporaryDir dir;
  const QString bg = dir.filePath("bg.png");
  ASSERT_TRUE(testimages::Solid(60, 200, QColor(255, 0, 0)).save(bg));
  ThumbStage stage;
  stage.SetThumbBackColor(0xFFFFFF);
  stage.SetCanvasSize(120, 120);
  stage.ApplyBrowsedBackgroundImage(QStringLiteral("  ") + bg + QStringLiteral(" "));
  EXPECT_FALSE(stage.PicLoad.hasPicture());
  LoadSolid(stage, 8, 8, QColor(0, 0, 0));  // 8 pixels: nothing left after the inset
  ComposeFramed(stage, kStyleFlat, 120, 0);
  const QImage& img = stage.picThumb.image();
  EXPECT_EQ(img.pixel(59, 119), qRgb(255, 0, 0));    // background image, cut at the bottom
  EXPECT_EQ(img.pixel(60, 60), qRgb(255, 255, 255)); // background colour right of it
  // Emptying the text removes the background image from later thumbnails.
  stage.BackgroundImageTextChanged(QString());
  ComposeFramed(stage, kStyleFlat, 120, 0);
  EXPECT_EQ(stage.picThumb.image().pixel(10, 10), qRgb(255, 255, 255));
}

TEST(ComposePlainThumb, CanvasIsExactlyTheResizedImage) {
  ThumbStage stage;
  stage.SetThumbBackColor(0x00FF00);
  LoadSolid(stage, 300, 200, QColor(10, 20, 30));
  for (int32_t filter : {0, 1, 2, 3, 4, 5, 6}) {
    ComposePlainThumb(stage, 120, 120, kResizeKeepAspect, static_cast<ResampleFilter>(filter));
    const QImage& img = stage.picThumb.image();
    ASSERT_EQ(img.size(), QSize(120, 80)) << filter;
    EXPECT_EQ(stage.picBknd.image().size(), QSize(120, 80));
    for (QPoint p : {QPoint(0, 0), QPoint(119, 79), QPoint(60, 40)})
      EXPECT_EQ(img.pixel(p), qRgb(10, 20, 30)) << filter;  // never the background colour
  }
}

TEST(DrawPictureFitted, ShrinksButNeverEnlargesAndCentres) {
  struct Case { int sw, sh; QRect expected; QPoint outsideA, outsideB; } cases[] = {
      {100, 50, QRect(100, 125, 100, 50), QPoint(99, 150), QPoint(150, 175)},
      {600, 300, QRect(0, 75, 300, 150), QPoint(150, 74), QPoint(150, 225)},
  };
  for (const Case& c : cases) {
    Surface source;
    source.setImage(testimages::Solid(c.sw, c.sh, QColor(255, 0, 0)));
    Surface target(300, 300);
    target.setBackColor(0xFFFFFF);
    int refreshed = 0;
    target.setRefreshHook([&] { ++refreshed; });
    DrawPictureFitted(source, target, 0, true);
    const QImage& img = target.image();
    EXPECT_EQ(img.pixel(c.expected.topLeft()), qRgb(255, 0, 0)) << c.sw;
    EXPECT_EQ(img.pixel(c.expected.bottomRight()), qRgb(255, 0, 0)) << c.sw;
    EXPECT_EQ(img.pixel(c.outsideA), qRgb(255, 255, 255)) << c.sw;
    EXPECT_EQ(img.pixel(c.outsideB), qRgb(255, 255, 255)) << c.sw;
    EXPECT_EQ(refreshed, 1);
  }
}

// A background image that does not decode is refused: the background keeps
// what it had, and the last loaded picture never becomes the background.
TEST(ComposeStyledThumb, ABackgroundImageThatDoesNotDecodeChangesNothing) {
  QTemporaryDir dir;
  const QString good = dir.filePath("bg.png");
  const QString broken = dir.filePath("broken.png");
  ASSERT_TRUE(testimages::Solid(30, 30, QColor(0, 0, 255)).save(good));
  ASSERT_TRUE(testimages::WriteBytes(broken, "not a picture"));
  ThumbStage stage;
  ASSERT_TRUE(stage.ApplyBrowsedBackgroundImage(good));
  ASSERT_TRUE(LoadImageFile(good, stage.PicLoad));
  stage.PicLoad.setImage(testimages::Solid(10, 10, QColor(255, 0, 0)));  // something else was loaded since
  for (const QString& path : {broken, dir.filePath("absent.png")}) {
    EXPECT_FALSE(stage.ApplyBrowsedBackgroundImage(path)) << path.toStdString();
    EXPECT_EQ(stage.picBknd.picture().pixel(0, 0), qRgb(0, 0, 255)) << path.toStdString();
    EXPECT_EQ(stage.PicLoad.image().pixel(0, 0), qRgb(255, 0, 0)) << path.toStdString();
  }
}
