#include "app/engine/OutputFormats.h"

const QList<OutputFormat>& OutputFormats() {
  static const QList<OutputFormat> formats{
      {QStringLiteral("Windows or OS2 BMP(*.bmp)"), QStringLiteral(".bmp"), ImageFileFormat::Bmp},
      {QStringLiteral("Compuserve GIF(*.gif)"), QStringLiteral(".gif"), ImageFileFormat::Gif},
      {QStringLiteral("Icon File(*.ico)"), QStringLiteral(".ico"), ImageFileFormat::Ico},
      {QStringLiteral("JPEG(*.jpg)"), QStringLiteral(".jpg"), ImageFileFormat::Jpeg},
      {QStringLiteral("Portable Network Graphics(*.png)"), QStringLiteral(".png"), ImageFileFormat::Png},
      {QStringLiteral("Truevision Targa(*.tga)"), QStringLiteral(".tga"), ImageFileFormat::Targa},
      {QStringLiteral("Tagged Image File Format(*.tif)"), QStringLiteral(".tif"), ImageFileFormat::Tiff},
      {QStringLiteral("WebP(*.webp)"), QStringLiteral(".webp"), ImageFileFormat::Webp},
      {QStringLiteral("AVIF(*.avif)"), QStringLiteral(".avif"), ImageFileFormat::Avif},
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
