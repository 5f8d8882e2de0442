// Picture operations: flips, clipboard, resize, save, paste and loading from an address.
#include <QApplication>
#include <QBuffer>
#include <QClipboard>
#include <QFile>
#include <QHostAddress>
#include <QMimeData>
#include <QSignalSpy>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTemporaryDir>
#include <QTest>
#include <QUrl>

#include "tests/orvellan/control/ControlHost.h"
#include "tests/support/TestImages.h"

namespace {

QImage ClipboardImage() { return QApplication::clipboard()->image().convertToFormat(QImage::Format_RGB32); }

QImage Opaque(const QImage& image) { return image.convertToFormat(QImage::Format_RGB32); }

}  // namespace

TEST(OrvellanImage, FlipsChangeTheWorkingCopyNotTheOriginal) {
  const QImage original = testimages::Gradient(7, 5);
  const struct { int direction; QImage expected; } cases[] = {
      {0, original.mirrored(true, false)}, {1, original.mirrored(false, true)}, {5, original}};
  for (const auto& c : cases) {
    ControlHost host;
    host.Load(original);
    host.Call("OvFlipImage", {c.direction});
    host.Call("OvCopyOriginal");
    EXPECT_EQ(ClipboardImage(), original) << c.direction;
    host.Call("OvCopyModified");
    EXPECT_EQ(ClipboardImage(), c.expected) << c.direction;
    EXPECT_EQ(host.Get("Picture").value<StdPicture>().image(), original);
  }
}

TEST(OrvellanImage, FlippingTwiceRestoresThePixels) {
  ControlHost host;
  const QImage original = testimages::Gradient(6, 4);
  host.Load(original);
  host.Call("OvFlipImage", {0});
  host.Call("OvFlipImage", {0});
  host.Call("OvCopyModified");
  EXPECT_EQ(ClipboardImage(), original);
}

TEST(OrvellanImage, CopyModifiedWithoutAPictureRaisesError9) {
  ControlHost host;
  EXPECT_EQ(ControlHost::ErrorOf([&] { host.Call("OvCopyModified"); }), kErrSubscriptOutOfRange);
  EXPECT_EQ(ControlHost::ErrorOf([&] { host.Call("OvCopyOriginal"); }), 0);
}

TEST(OrvellanImage, ResizeThreeByThreeToTwoByTwoKeepsTheCornerPixels) {
  ControlHost host;
  QImage image(3, 3, QImage::Format_RGB32);
  for (int y = 0; y < 3; ++y)
    for (int x = 0; x < 3; ++x) image.setPixel(x, y, qRgb(10 + 40 * x, 20 + 50 * y, 7 * (x + 3 * y)));
  host.Load(image);
  EXPECT_EQ(host.Call("OvResize", {2, 2}).toInt(), 2);
  EXPECT_EQ(host.GetInt("OvPicWidth"), 2);
  EXPECT_EQ(host.GetInt("OvPicHeight"), 2);
  host.Call("OvCopyModified");
  const QImage copied = ClipboardImage();
  ASSERT_EQ(copied.size(), QSize(2, 2));
  for (int y = 0; y < 2; ++y)
    for (int x = 0; x < 2; ++x) EXPECT_EQ(copied.pixel(x, y), image.pixel(x, y)) << x << "," << y;
  // The picture as loaded is not resized.
  EXPECT_EQ(host.Get("Picture").value<StdPicture>().image(), image);
}

TEST(OrvellanImage, ResizeMixesNeighboursAndStaysInsideTheBuffer) {
  ControlHost host;
  QImage image(2, 2, QImage::Format_RGB32);
  image.setPixel(0, 0, qRgb(0, 0, 0));
  image.setPixel(1, 0, qRgb(100, 0, 0));
  image.setPixel(0, 1, qRgb(0, 200, 0));
  image.setPixel(1, 1, qRgb(100, 200, 0));
  host.Load(image);
  ASSERT_EQ(host.Call("OvResize", {4, 4}).toInt(), 4);  // sx = sy = 0.25
  host.Call("OvCopyModified");
  const QImage copied = ClipboardImage();
  EXPECT_EQ(qRed(copied.pixel(1, 0)), 25);
  EXPECT_EQ(qRed(copied.pixel(2, 0)), 50);
  EXPECT_EQ(qGreen(copied.pixel(0, 3)), 150);
  // A wide enlargement reads up to the last column without leaving the buffer.
  EXPECT_EQ(host.Call("OvResize", {997, 3}).toInt(), 3);
}

TEST(OrvellanImage, ResizeRefusals) {
  ControlHost host;
  EXPECT_EQ(host.Call("OvResize", {10, 10}).toInt(), 0);  // no picture
  host.Load(testimages::Gradient(5, 5));
  const struct { int w, h; } refused[] = {{1, 100}, {100, 1}, {0, 0}, {-3, 5}, {100000, 100000}};
  for (const auto& r : refused) {
    EXPECT_EQ(host.Call("OvResize", {r.w, r.h}).toInt(), 0) << r.w << "x" << r.h;
    EXPECT_EQ(host.GetInt("OvPicWidth"), 5);
  }
  host.Load(testimages::Gradient(1, 5));
  EXPECT_EQ(host.Call("OvResize", {4, 4}).toInt(), 0);
}

TEST(OrvellanImage, SaveWritesTheFlippedPictureAsABitmap) {
  QTemporaryDir dir;
  ControlHost host;
  const QString path = dir.filePath(QStringLiteral("saved.bmp"));
  host.Call("OvSaveImg", {path});  // no picture: nothing
  EXPECT_FALSE(QFile::exists(path));

  const QImage original = testimages::Gradient(9, 4);
  host.Load(original);
  host.Call("OvFlipImage", {1});
  host.Call("OvSaveImg", {path});
  QFile file(path);
  ASSERT_TRUE(file.open(QIODevice::ReadOnly));
  EXPECT_EQ(file.read(2), QByteArray("BM"));
  file.close();
  QImage decoded(path, "BMP");
  EXPECT_EQ(Opaque(decoded), original.mirrored(false, true));

  EXPECT_EQ(ControlHost::ErrorOf([&] { host.Call("OvSaveImg", {dir.filePath(QStringLiteral("no/such/x.bmp"))}); }),
            kErrPathNotFound);
  EXPECT_EQ(ControlHost::ErrorOf([&] { host.Call("OvSaveImg", {dir.path()}); }), kErrPathFileAccess);
}

TEST(OrvellanImage, PasteTakesTheClipboardPictureByReference) {
  ControlHost host;
  auto changed = host.Count("OvChanged");
  const QImage image = testimages::Gradient(8, 3);
  QApplication::clipboard()->setImage(image);
  host.Call("OvPaste");
  EXPECT_EQ(host.GetInt("OvPicWidth"), 8);
  EXPECT_EQ(*changed, 0);

  QApplication::clipboard()->setText(QStringLiteral("not a picture"));
  host.Call("OvPaste");
  EXPECT_EQ(host.GetInt("OvPicWidth"), 0);
  EXPECT_TRUE(host.Get("Picture").value<StdPicture>().isNull());
}

TEST(OrvellanImage, ClearRemovesEverythingAndRaisesNothing) {
  ControlHost host;
  auto changed = host.Count("OvChanged");
  host.Load(testimages::Gradient(8, 3));
  host.Set("OvZoomPercent", 300);
  host.Call("OvClear");
  EXPECT_EQ(host.GetInt("OvPicWidth"), 0);
  EXPECT_EQ(host.GetInt("OvZoomPercent"), 300);
  EXPECT_TRUE(host.Child("iDst")->isHidden());
  EXPECT_EQ(*changed, 1);
}

// ---- OvURL ----

namespace {

// Answers every connection on 127.0.0.1 with one fixed HTTP response.
class TinyHttpServer : public QTcpServer {
 public:
  explicit TinyHttpServer(QByteArray response) : response_(std::move(response)) {
    listen(QHostAddress::LocalHost, 0);
    connect(this, &QTcpServer::newConnection, this, [this] {
      while (QTcpSocket* socket = nextPendingConnection()) {
        connect(socket, &QTcpSocket::readyRead, socket, [this, socket] {
          if (!socket->readAll().contains("\r\n\r\n")) return;
          socket->write(response_);
          socket->disconnectFromHost();
        });
        connect(socket, &QTcpSocket::disconnected, socket, &QObject::deleteLater);
      }
    });
  }
  QString Url(const char* path) const {
    return QStringLiteral("http://127.0.0.1:%1/%2").arg(serverPort()).arg(QString::fromLatin1(path));
  }

 private:
  QByteArray response_;
};

QByteArray PngBytes(const QImage& image) {
  QByteArray bytes;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::WriteOnly);
  image.save(&buffer, "PNG");
  return bytes;
}

QByteArray HttpResponse(const char* status, const QByteArray& body) {
  return QByteArray("HTTP/1.1 ") + status + "\r\nContent-Type: application/octet-stream\r\nContent-Length: " +
         QByteArray::number(body.size()) + "\r\nConnection: close\r\n\r\n" + body;
}

// Sets OvURL and waits for OvChanged; returns the picture width then.
int LoadFromUrl(ControlHost& host, const QString& url) {
  auto changed = host.Count("OvChanged");
  host.Set("OvURL", url);
  EXPECT_TRUE(QTest::qWaitFor([&] { return *changed > 0; }, 5000)) << url.toStdString();
  EXPECT_EQ(*changed, 1);
  return host.GetInt("OvPicWidth");
}

}  // namespace

TEST(OrvellanUrl, LoadsFromALocalFile) {
  QTemporaryDir dir;
  const QString path = dir.filePath(QStringLiteral("p.png"));
  ASSERT_TRUE(testimages::Gradient(12, 7).save(path));
  ControlHost host;
  EXPECT_EQ(LoadFromUrl(host, QUrl::fromLocalFile(path).toString()), 12);
  EXPECT_EQ(host.Get("OvURL").toString(), QUrl::fromLocalFile(path).toString());
}

TEST(OrvellanUrl, LoadsFromAnHttpServerAndFailuresLeaveNoPicture) {
  TinyHttpServer good(HttpResponse("200 OK", PngBytes(testimages::Gradient(21, 4))));
  TinyHttpServer missing(HttpResponse("404 Not Found", "nothing here"));
  TinyHttpServer text(HttpResponse("200 OK", "this is not an image"));
  ASSERT_TRUE(good.isListening() && missing.isListening() && text.isListening());
  QTcpServer closed;
  closed.listen(QHostAddress::LocalHost, 0);
  const QString refused = QStringLiteral("http://127.0.0.1:%1/x.png").arg(closed.serverPort());
  closed.close();

  ControlHost host;
  EXPECT_EQ(LoadFromUrl(host, good.Url("a.png")), 21);
  EXPECT_EQ(LoadFromUrl(host, missing.Url("a.png")), 0);
  host.Load(testimages::Gradient(5, 5));
  EXPECT_EQ(LoadFromUrl(host, text.Url("a.txt")), 0);
  host.Load(testimages::Gradient(5, 5));
  EXPECT_EQ(LoadFromUrl(host, refused), 0);
}
