// Properties, zoom, the two-pass layout, best fit and painting.
#include <QApplication>
#include <QClipboard>
#include <QScrollBar>
#include <QTest>

#include "tests/orvellan/control/ControlHost.h"
#include "tests/support/TestImages.h"

TEST(OrvellanProperties, ScrollBarWidthIsClampedTo13Through50) {
  ControlHost host;
  const struct { int set, read; } cases[] = {{5, 13}, {80, 50}, {13, 13}, {50, 50}, {20, 20}};
  for (const auto& c : cases) {
    host.Set("OvScrollBarWidth", c.set);
    EXPECT_EQ(host.GetInt("OvScrollBarWidth"), c.read) << "set " << c.set;
  }
}

TEST(OrvellanProperties, ZoomPercentRoundsHalfToEvenAndClamps) {
  ControlHost host;
  auto pcnt = host.Count("OvZoomPCNT");
  const struct { int set, read; } cases[] = {{150, 100}, {250, 300}, {2600, 2500}, {-100, 100}, {350, 300}};
  for (const auto& c : cases) {
    host.Set("OvZoomPercent", c.set);
    EXPECT_EQ(host.GetInt("OvZoomPercent"), c.read) << "set " << c.set;
  }
  EXPECT_EQ(*pcnt, 5);
}

TEST(OrvellanProperties, PictureByValueRaisesOvChangedOnceByReferenceNever) {
  ControlHost host;
  auto changed = host.Count("OvChanged");
  const QImage image = testimages::Gradient(20, 10);
  host.Load(image);
  EXPECT_EQ(*changed, 1);
  host.LoadRef(image);
  EXPECT_EQ(*changed, 1);
  EXPECT_EQ(host.GetInt("OvPicWidth"), 20);
  EXPECT_EQ(host.GetInt("OvPicHeight"), 10);
  EXPECT_EQ(host.Get("Picture").value<StdPicture>().image(), image);

  // No picture by value clears the control before the event would be raised.
  host.Set("Picture", QVariant::fromValue(StdPicture()));
  EXPECT_EQ(*changed, 1);
  EXPECT_EQ(host.GetInt("OvPicWidth"), 0);
}

TEST(OrvellanProperties, UnknownNamesAndWrongTypesReachTheHost) {
  ControlHost host;
  EXPECT_EQ(ControlHost::ErrorOf([&] { host.Get("NoSuchProperty"); }), kErrNotSupported);
  EXPECT_EQ(ControlHost::ErrorOf([&] { host.Call("NoSuchMethod"); }), kErrNotSupported);
  EXPECT_EQ(ControlHost::ErrorOf([&] { host.Set("OvScrollBarWidth", 40000); }), kErrOverflow);
  EXPECT_EQ(ControlHost::ErrorOf([&] { host.Set("OvPicWidth", 3); }), kErrNotSupported);
}

TEST(OrvellanZoom, StepsStopAtTheEndsButStillRaiseTheirEvents) {
  ControlHost host;
  auto in = host.Count("OvZoomIN");
  auto out = host.Count("OvZoomOUT");
  auto best = host.Count("OvZoomBEST");
  host.Call("OvZoomBestFit");  // without a picture: nothing, no event
  EXPECT_EQ(*best, 0);
  host.Load(testimages::Gradient(10, 10));
  host.Call("OvZoomOUT");
  EXPECT_EQ(host.GetInt("OvZoomPercent"), 100);
  host.Set("OvZoomPercent", 2500);
  host.Call("OvZoomIN");
  EXPECT_EQ(host.GetInt("OvZoomPercent"), 2500);
  host.Call("OvZoomOUT");
  EXPECT_EQ(host.GetInt("OvZoomPercent"), 2400);
  host.Call("OvZoom100");
  EXPECT_EQ(host.GetInt("OvZoomPercent"), 100);
  EXPECT_EQ(*in, 1);
  EXPECT_EQ(*out, 2);
}

TEST(OrvellanLayout, TwoPassesSettleTheBars) {
  ControlHost host(300, 200);
  host.Load(testimages::Gradient(100, 50));
  auto* dst = host.Child("iDst");
  auto* hsb = host.Child<QScrollBar>("hSB");
  auto* vsb = host.Child<QScrollBar>("vSB");
  ASSERT_TRUE(dst && hsb && vsb);

  // Factor 1: no bars, the picture centred.
  EXPECT_TRUE(hsb->isHidden());
  EXPECT_TRUE(vsb->isHidden());
  EXPECT_EQ(dst->geometry(), QRect(100, 75, 100, 50));

  // Factor 4 (400 x 200): the horizontal bar makes the vertical one needed.
  host.Set("OvZoomPercent", 400);
  EXPECT_FALSE(hsb->isHidden());
  EXPECT_FALSE(vsb->isHidden());
  EXPECT_EQ(dst->geometry(), QRect(0, 0, 285, 185));
  EXPECT_EQ(hsb->geometry(), QRect(0, 185, 285, 15));
  EXPECT_EQ(vsb->geometry(), QRect(285, 0, 15, 185));
  EXPECT_EQ(hsb->maximum(), 115);
  EXPECT_EQ(vsb->maximum(), 15);
  EXPECT_EQ(hsb->singleStep(), 4);
  EXPECT_EQ(vsb->singleStep(), 4);
  EXPECT_EQ(hsb->pageStep(), 285);
  EXPECT_FALSE(host.Child("cmdCorner")->isHidden());
  EXPECT_EQ(host.Child("cmdCorner")->geometry(), QRect(285, 185, 15, 15));

  // OvNone hides the bars but keeps their maxima.
  host.Set("OvScrollBars", 1);
  EXPECT_TRUE(hsb->isHidden());
  EXPECT_TRUE(vsb->isHidden());
  EXPECT_EQ(dst->geometry(), QRect(0, 0, 300, 200));
  EXPECT_EQ(hsb->maximum(), 100);
}

// Bars shown while the control was small do not stay when it grows: the same
// picture in the same area is laid out the same whatever came before.
TEST(OrvellanLayout, BarsFromASmallerSizeGoWhereThePictureNowFits) {
  const struct {
    QSize area;
    bool bars;
  } cases[] = {{{300, 200}, false}, {{315, 215}, false}, {{300, 199}, true}, {{299, 200}, true}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.area.width() * 1000 + c.area.height());
    ControlHost host(100, 80);
    host.Load(testimages::Gradient(300, 200));
    ASSERT_FALSE(host.Child("hSB")->isHidden());
    ASSERT_FALSE(host.Child("vSB")->isHidden());
    host.control()->resize(c.area);
    EXPECT_EQ(host.Child("hSB")->isHidden(), !c.bars);
    EXPECT_EQ(host.Child("vSB")->isHidden(), !c.bars);
    if (!c.bars) {
      EXPECT_EQ(host.Child("iDst")->size(), QSize(300, 200));
    }
  }
}

TEST(OrvellanLayout, ABorderInsetsTheAreaByTwo) {
  ControlHost host(300, 200);
  host.Set("OvBorderStyle", 6);
  host.Load(testimages::Gradient(100, 50));
  EXPECT_EQ(host.Child("iDst")->geometry(), QRect(100, 75, 100, 50));  // centred in 296 x 196 at (2, 2)
  host.Set("OvZoomPercent", 400);
  EXPECT_EQ(host.Child("iDst")->geometry(), QRect(2, 2, 281, 181));
  EXPECT_EQ(host.Child("hSB")->geometry(), QRect(2, 183, 281, 15));
  EXPECT_EQ(host.Child("vSB")->geometry(), QRect(283, 2, 15, 181));
}

TEST(OrvellanLayout, ZoomBeyond32767IsNotLaidOut) {
  ControlHost host(300, 200);
  host.Load(testimages::Gradient(2000, 20));
  host.Set("OvZoomPercent", 1600);  // 32000 wide: fits
  auto* hsb = host.Child<QScrollBar>("hSB");
  EXPECT_EQ(hsb->maximum(), 32000 - 285);
  host.Call("OvZoomIN");  // 34000: the bars stay as they were
  EXPECT_EQ(hsb->maximum(), 32000 - 285);
  EXPECT_EQ(host.GetInt("OvZoomPercent"), 1700);
}

TEST(OrvellanPaint, ScrolledViewStartsInsideTheFirstSourcePixel) {
  ControlHost host(300, 200);
  host.Load(testimages::Gradient(100, 50));
  host.Set("OvZoomPercent", 400);
  auto* hsb = host.Child<QScrollBar>("hSB");
  auto* vsb = host.Child<QScrollBar>("vSB");
  hsb->setValue(7);  // source column 1, drawn from 3 pixels left of the box
  vsb->setValue(10);  // source row 2, drawn from 2 pixels above the box
  const QImage shot = host.Child("iDst")->grab().toImage().convertToFormat(QImage::Format_RGB32);
  ASSERT_EQ(shot.size(), QSize(285, 185));
  const struct { int x, y, column, row; } probes[] = {
      {0, 0, 1, 2}, {1, 0, 2, 2}, {4, 0, 2, 2}, {5, 0, 3, 2}, {0, 1, 1, 2}, {0, 2, 1, 3}, {284, 184, 72, 48}};
  for (const auto& p : probes) {
    const QRgb pixel = shot.pixel(p.x, p.y);
    EXPECT_EQ(qRed(pixel), p.column) << p.x << "," << p.y;
    EXPECT_EQ(qGreen(pixel), p.row) << p.x << "," << p.y;
  }
}

TEST(OrvellanPaint, UnscrolledPictureFillsTheBoxPixelForPixel) {
  ControlHost host(300, 200);
  host.Load(testimages::Gradient(30, 20));
  host.Set("OvZoomPercent", 300);
  const QImage shot = host.Child("iDst")->grab().toImage();
  ASSERT_EQ(shot.size(), QSize(90, 60));
  EXPECT_EQ(qRed(shot.pixel(89, 59)), 29);
  EXPECT_EQ(qGreen(shot.pixel(89, 59)), 19);
  EXPECT_EQ(qRed(shot.pixel(3, 0)), 1);
}

TEST(OrvellanBestFit, FittedRenderingSizes) {
  // The best-fit box is the control less 2 pixels on every side.
  const struct { int boxSize, w, h, fitW, fitH; } cases[] = {
      {205, 40, 30, 39, 29},       // fits: one pixel smaller, never enlarged
      {305, 1000, 500, 300, 150},  // scaled down to the box less 5
  };
  for (const auto& c : cases) {
    ControlHost host(c.boxSize + 4, c.boxSize + 4);
    host.Load(testimages::Gradient(c.w, c.h));
    host.Call("OvZoomBestFit");
    EXPECT_FALSE(host.Child("iBestFit")->isHidden());
    host.Call("OvCopyModified");
    const QImage copied = QApplication::clipboard()->image();
    EXPECT_EQ(copied.size(), QSize(c.fitW, c.fitH)) << c.w << "x" << c.h;
  }
}

TEST(OrvellanBestFit, ClearThenLoadInBestFitStaysBlankUntilAZoom) {
  ControlHost host;
  host.Load(testimages::Gradient(40, 30));
  host.Call("OvZoomBestFit");
  host.Call("OvClear");
  host.Load(testimages::Gradient(40, 30));
  EXPECT_TRUE(host.Child("iBestFit")->isHidden());
  EXPECT_TRUE(host.Child("iDst")->isHidden());
  host.Call("OvZoom100");
  EXPECT_FALSE(host.Child("iDst")->isHidden());
  EXPECT_TRUE(host.Child("iBestFit")->isHidden());
}

TEST(OrvellanLayout, AControlNarrowerThanTwoBarsEnlargesItself) {
  ControlHost host(20, 100);
  host.Load(testimages::Gradient(10, 10));
  EXPECT_EQ(host.control()->width(), 30);
  EXPECT_EQ(host.control()->height(), 100);
  EXPECT_FALSE(host.Child("iDst")->isHidden());
}

TEST(OrvellanInputSurface, BackgroundClickAndControlKeyPress) {
  ControlHost host;
  auto back = host.Count("ClickBack");
  auto keys = host.Count("KeyPress");
  QTest::mouseClick(host.control(), Qt::LeftButton, Qt::NoModifier, QPoint(5, 5));
  QTest::keyClick(host.control(), Qt::Key_A);
  EXPECT_EQ(*back, 1);
  EXPECT_EQ(*keys, 1);
}

TEST(OrvellanProperties, PictureWiderThan16BitsReportsOverflowNotANegativeWidth) {
  ControlHost host;
  host.LoadRef(testimages::Solid(40000, 2, Qt::red));
  EXPECT_EQ(ControlHost::ErrorOf([&] { host.Get("OvPicWidth"); }), kErrOverflow);
  EXPECT_EQ(host.GetInt("OvPicHeight"), 2);
}

TEST(OrvellanBestFit, FitFollowsTheResizedSourceSize) {
  ControlHost host(209, 209);
  host.Load(testimages::Gradient(40, 30));
  ASSERT_EQ(host.Call("OvResize", {80, 30}).toInt(), 30);
  host.Call("OvZoomBestFit");
  host.Call("OvCopyModified");
  EXPECT_EQ(QApplication::clipboard()->image().size(), QSize(79, 29));
}
