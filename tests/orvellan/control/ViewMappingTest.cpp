// mapToView / mapToImage: picture <-> view coordinates at each zoom and
// scroll position, and their agreement with what the control paints and
// with the picture coordinates its mouse events report.
#include <QCoreApplication>
#include <QMouseEvent>
#include <QScrollBar>
#include <cmath>

#include "tests/orvellan/control/ControlHost.h"
#include "tests/support/TestImages.h"

namespace {

QPointF MapToView(ControlHost& host, QPointF p) { return host.Call("mapToView", {p}).toPointF(); }
QPointF MapToImage(ControlHost& host, QPointF v) { return host.Call("mapToImage", {v}).toPointF(); }

struct View {
  int zoom;
  int hv, vv;  // -1: the bar's maximum
};

// A 100 x 50 gradient (red = column, green = row) in a 300 x 200 control.
constexpr int kW = 100, kH = 50;

}  // namespace

TEST(OrvellanViewMapping, RoundTripsAndAgreesWithPaintingAndMouseEvents) {
  const View views[] = {
      {100, 0, 0},                                              // no bars: the box centred at (100, 75)
      {300, 0, 0},                                              // 300 x 150: no bars, box at (0, 25)
      {400, 0, 0},   {400, 7, 10},  {400, 58, 8}, {400, -1, -1},  // maxima 115, 15
      {700, 3, 2},   {700, -1, 164},                             // maxima 415, 165
      {2500, 1234, 1000}, {2500, -1, -1},
  };
  ControlHost host(300, 200);
  host.Load(testimages::Gradient(kW, kH));
  auto* hsb = host.Child<QScrollBar>("hSB");
  auto* vsb = host.Child<QScrollBar>("vSB");
  QWidget* dst = host.Child("iDst");
  float reportedX = -1, reportedY = -1;
  Dispatch::Advise(host.control(), "MouseDown", [&](QVariantList& a) {
    reportedX = a[2].toFloat();
    reportedY = a[3].toFloat();
  }, host.window());

  for (const View& view : views) {
    host.Set("OvZoomPercent", view.zoom);
    hsb->setValue(view.hv < 0 ? hsb->maximum() : view.hv);
    vsb->setValue(view.vv < 0 ? vsb->maximum() : view.vv);
    const double f = view.zoom / 100.0;
    const QPointF box = dst->pos();
    const QPointF scroll(hsb->value(), vsb->value());
    SCOPED_TRACE(testing::Message() << view.zoom << " % scrolled to " << scroll.x() << "," << scroll.y());

    // The formula: view = box - scroll + picture * f.
    EXPECT_EQ(MapToView(host, {0, 0}), box - scroll);
    EXPECT_EQ(MapToView(host, {kW, kH}), box - scroll + QPointF(kW * f, kH * f));
    for (const QPointF p : {QPointF(0, 0), QPointF(3.25, 7.5), QPointF(99, 49), QPointF(kW, kH)})
      EXPECT_EQ(MapToImage(host, MapToView(host, p)), p);
    for (const QPointF v : {QPointF(0, 0), QPointF(150.5, 99), QPointF(299, 199)})
      EXPECT_EQ(MapToView(host, MapToImage(host, v)), v);

    // Every 11th view pixel of the display box shows the picture pixel that
    // mapToImage names for its centre, and a mouse press there reports it.
    const QImage shot = host.control()->grab().toImage();
    const QRect boxRect = dst->geometry();
    for (int y = boxRect.top(); y <= boxRect.bottom(); y += 11) {
      for (int x = boxRect.left(); x <= boxRect.right(); x += 11) {
        const QPointF p = MapToImage(host, QPointF(x + 0.5, y + 0.5));
        const int column = static_cast<int>(std::floor(p.x()));
        const int row = static_cast<int>(std::floor(p.y()));
        ASSERT_EQ(qRed(shot.pixel(x, y)), column) << "view " << x << "," << y;
        ASSERT_EQ(qGreen(shot.pixel(x, y)), row) << "view " << x << "," << y;
        if ((x + y) % 3 != 0) continue;
        const QPointF at(x - boxRect.left(), y - boxRect.top());
        QMouseEvent press(QEvent::MouseButtonPress, at, dst->mapToGlobal(at), Qt::RightButton, Qt::RightButton,
                          Qt::NoModifier);
        QCoreApplication::sendEvent(dst, &press);
        ASSERT_EQ(reportedX, column) << "view " << x << "," << y;
        ASSERT_EQ(reportedY, row) << "view " << x << "," << y;
      }
    }
  }
}

TEST(OrvellanViewMapping, OvSetViewBringsEdgesAndTheCentreOfThePictureToTheBox) {
  ControlHost host(300, 200);
  host.Load(testimages::Gradient(kW, kH));
  QWidget* dst = host.Child("iDst");
  for (int zoom : {400, 700, 2500}) {
    host.Set("OvZoomPercent", zoom);
    const QRectF box = dst->geometry();  // as a QRectF: right and bottom edges, not last pixels
    host.Call("OvSetView", {5});  // OvTopLeft
    EXPECT_EQ(MapToView(host, {0, 0}), box.topLeft()) << zoom;
    host.Call("OvSetView", {8});  // OvBottomRight
    EXPECT_EQ(MapToView(host, {kW, kH}), box.bottomRight()) << zoom;
    host.Call("OvSetView", {4});  // OvCenter: within half a view pixel
    const QPointF off = MapToView(host, {kW / 2.0, kH / 2.0}) - box.center();
    EXPECT_LE(std::abs(off.x()), 0.5) << zoom;
    EXPECT_LE(std::abs(off.y()), 0.5) << zoom;
  }
}
