#pragma once
// The host's asynchronous download service for controls: reads an address
// (file: or http:) into a local temporary file without blocking the user
// interface, then reports completion with the property name it was started
// for. Answers above the size limit, failed or refused reads complete with
// ok = false and no file.
#include <QMetaType>
#include <QObject>
#include <QString>
#include <memory>

class QNetworkAccessManager;
class QNetworkReply;
class QTemporaryFile;

struct AsyncReadResult {
  QString propertyName;
  QString url;
  bool ok = false;
  QString filePath;  // the downloaded file while the result's service lives
};

Q_DECLARE_METATYPE(AsyncReadResult)

class AsyncReadService : public QObject {
  Q_OBJECT
 public:
  static constexpr qint64 kMaxBytes = 256LL * 1024 * 1024;

  explicit AsyncReadService(QObject* parent = nullptr);
  ~AsyncReadService() override;

  // Starts a read; returns false when the address cannot be started (the
  // completion is then not reported).
  bool AsyncRead(const QString& url, const QString& propertyName);

  // The largest answer accepted (kMaxBytes unless changed).
  void setMaxBytes(qint64 bytes) { maxBytes_ = bytes; }

 signals:
  void AsyncReadComplete(const AsyncReadResult& result);

 private:
  void Finish(QNetworkReply* reply, QTemporaryFile* file, const QString& propertyName, bool ok);

  QNetworkAccessManager* manager_ = nullptr;
  qint64 maxBytes_ = kMaxBytes;
  std::unique_ptr<QTemporaryFile> lastFile_;  // kept until the next completion
};
