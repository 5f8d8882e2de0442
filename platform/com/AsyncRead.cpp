#include "platform/com/AsyncRead.h"

#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QTemporaryFile>
#include <QUrl>

AsyncReadService::AsyncReadService(QObject* parent) : QObject(parent), manager_(new QNetworkAccessManager(this)) {}

AsyncReadService::~AsyncReadService() = default;

bool AsyncReadService::AsyncRead(const QString& address, const QString& propertyName) {
  const QUrl url = QUrl::fromUserInput(address);
  const QString scheme = url.scheme().toLower();
  if (!url.isValid() || (scheme != QLatin1String("file") && scheme != QLatin1String("http") &&
                         scheme != QLatin1String("https")))
    return false;

  auto* file = new QTemporaryFile(this);
  if (!file->open()) {
    delete file;
    return false;
  }
  QNetworkRequest request(url);
  request.setAttribute(QNetworkRequest::RedirectPolicyAttribute, QNetworkRequest::NoLessSafeRedirectPolicy);
  QNetworkReply* reply = manager_->get(request);
  reply->setParent(this);

  connect(reply, &QNetworkReply::readyRead, this, [this, reply, file, propertyName] {
    const QByteArray chunk = reply->readAll();
    if (file->size() + chunk.size() > maxBytes_ || file->write(chunk) != chunk.size()) {
      reply->disconnect(this);
      reply->abort();
      Finish(reply, file, propertyName, false);
    }
  });
  connect(reply, &QNetworkReply::finished, this, [this, reply, file, propertyName] {
    const QByteArray rest = reply->readAll();
    bool ok = reply->error() == QNetworkReply::NoError && file->size() + rest.size() <= maxBytes_ &&
              file->write(rest) == rest.size() && file->flush();
    const QVariant status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute);
    if (status.isValid() && (status.toInt() < 200 || status.toInt() > 299)) ok = false;
    reply->disconnect(this);
    Finish(reply, file, propertyName, ok);
  });
  return true;
}

void AsyncReadService::Finish(QNetworkReply* reply, QTemporaryFile* file, const QString& propertyName, bool ok) {
  AsyncReadResult result;
  result.propertyName = propertyName;
  result.url = reply->url().toString();
  result.ok = ok;
  reply->deleteLater();
  file->setParent(nullptr);
  if (ok) {
    file->close();
    result.filePath = file->fileName();
    lastFile_.reset(file);
  } else {
    delete file;
  }
  emit AsyncReadComplete(result);
}
