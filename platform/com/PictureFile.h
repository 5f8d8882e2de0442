#pragma once
// The platform's picture loader and bitmap-file writer. The loader accepts
// what Qt reads here (BMP, GIF, JPEG, PNG, ICO, cursors); anything else gives
// a null picture. The writer saves a Windows bitmap file whole (temporary
// file, then rename) and throws the file error (ComError 53..76) when it cannot.
#include <QString>

#include "platform/com/StdPicture.h"

StdPicture LoadPictureFile(const QString& path);
void SaveBitmapFile(const QImage& image, const QString& path);
