#pragma once
// The shell's "Open" verb: a document path or an address opens in the
// desktop's default application. Replaceable, so tests can see what would open.
#include <QString>
#include <functional>

using OpenDocumentHandler = std::function<bool(const QString& pathOrUrl)>;

bool OpenDocument(const QString& pathOrUrl);
OpenDocumentHandler SetOpenDocumentHandler(OpenDocumentHandler handler);
