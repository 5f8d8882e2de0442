#include "app/engine/OutputFormats.h"

#include <FreeImage.h>

const QList<OutputFormat>& OutputFormats() {
  static const QList<OutputFormat> formats{
      {QStringLiteral("Windows or OS2 BMP(*.bmp)"), QStringLiteral(".bmp"), FIF_BMP},
      {QStringLiteral("Compuserve GIF(*.gif)"), QStringLiteral(".gif"), FIF_GIF},
      {QStringLiteral("Icon File(*.ico)"), QStringLiteral(".ico"), FIF_ICO},
      {QStringLiteral("JPEG(*.jpg)"), QStringLiteral(".jpg"), FIF_JPEG},
      {QStringLiteral("Portable Network Graphics(*.png)"), QStringLiteral(".png"), FIF_PNG},
      {QStringLiteral("Truevision Targa(*.tga)"), QStringLiteral(".tga"), FIF_TARGA},
      {QStringLiteral("Tagged Image File Format(*.tif)"), QStringLiteral(".tif"), FIF_TIFF},
  };
  return formats;
}

const OutputFormat& OutputFormatAt(int index) {
  const QList<OutputFormat>& formats = OutputFormats();
  if (index < 0 || index >= formats.size()) index = kDefaultOutputFormatIndex;
  return formats[index];
}

const QStringList& OutputFormatTexts() {
  static const QStringList texts = [] {
    QStringList list;
    for (const OutputFormat& f : OutputFormats()) list << f.text;
    return list;
  }();
  return texts;
}
