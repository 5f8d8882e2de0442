#include "platform/shell/OpenDocument.h"

#include <QDesktopServices>
#include <QFileInfo>
#include <QUrl>

namespace {
OpenDocumentHandler& Handler() {
  static OpenDocumentHandler handler;
  return handler;
}
}  // namespace

bool OpenDocument(const QString& pathOrUrl) {
  if (Handler()) return Handler()(pathOrUrl);
  const QUrl url = QUrl::fromUserInput(pathOrUrl, QString(), QUrl::AssumeLocalFile);
  return QDesktopServices::openUrl(url);
}

OpenDocumentHandler SetOpenDocumentHandler(OpenDocumentHandler handler) {
  OpenDocumentHandler old = std::move(Handler());
  Handler() = std::move(handler);
  return old;
}
