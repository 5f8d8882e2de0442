// The download service: completion with the property name, the size limit,
// and addresses that cannot be read.
#include <gtest/gtest.h>

#include <QFile>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QUrl>

#include "platform/com/AsyncRead.h"
#include "tests/support/TestImages.h"

namespace {
AsyncReadResult ReadOnce(AsyncReadService& service, const QString& url) {
  QSignalSpy spy(&service, &AsyncReadService::AsyncReadComplete);
  EXPECT_TRUE(service.AsyncRead(url, QStringLiteral("OvURL")));
  EXPECT_TRUE(spy.count() > 0 || spy.wait(5000)) << url.toStdString();
  return spy.isEmpty() ? AsyncReadResult() : spy.takeFirst().at(0).value<AsyncReadResult>();
}
}  // namespace

TEST(AsyncRead, CompletesWithTheFileAndRespectsTheSizeLimit) {
  QTemporaryDir dir;
  const QString path = dir.filePath(QStringLiteral("data.bin"));
  const QByteArray bytes(1000, 'x');
  ASSERT_TRUE(testimages::WriteBytes(path, bytes));
  const QString url = QUrl::fromLocalFile(path).toString();

  AsyncReadService service;
  const AsyncReadResult ok = ReadOnce(service, url);
  EXPECT_TRUE(ok.ok);
  EXPECT_EQ(ok.propertyName, QStringLiteral("OvURL"));
  QFile copy(ok.filePath);
  ASSERT_TRUE(copy.open(QIODevice::ReadOnly));
  EXPECT_EQ(copy.readAll(), bytes);

  service.setMaxBytes(999);
  const AsyncReadResult tooBig = ReadOnce(service, url);
  EXPECT_FALSE(tooBig.ok);
  EXPECT_TRUE(tooBig.filePath.isEmpty());

  const AsyncReadResult missing = ReadOnce(service, QUrl::fromLocalFile(dir.filePath(QStringLiteral("none"))).toString());
  EXPECT_FALSE(missing.ok);
  EXPECT_FALSE(service.AsyncRead(QStringLiteral("gopher://127.0.0.1/x"), QStringLiteral("OvURL")));
}
