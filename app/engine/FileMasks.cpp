#include "app/engine/FileMasks.h"

#include <QCollator>
#include <QDir>
#include <algorithm>

const QList<FileMask>& FileMasks() {
  static const QList<FileMask> masks{
      {"All Supported Formats",
       "*.bmp;*.cur;*.dib;*.dds;*.emf;*.gif;*.ico;*.iff;*.jif;*.jng;*.jpg;*.koala;*.lbm;*.mng;*.pbm;*.pcd;*.pcx;"
       "*.pgm;*.png;*.ppm;*.psd;*.ras;*.rle;*.tga;*.tiff;*.wbmp;*.wmf;*.xbm;*.xpm"},
      {"Windows or OS2 BMP(*.bmp)", "*.bmp"},
      {"Cursors(*.cur)", "*.cur"},
      {"Windows DIB(*.dib)", "*.dib"},
      {"Microsoft DirectDraw Surface(*.dds)", "*.dds"},
      {"Windows Enhanced Metafile(*.emf)", "*.emf"},
      {"Compuserve GIF(*.gif)", "*.gif"},
      {"Icon Files(*.ico)", "*.ico"},
      {"JPEG Network Graphics(*.jng)", "*.jng"},
      {"JPEG - JFIF Compliant(*.jpg,*.jpeg,*.jif,*.jfif)", "*.jpg;*.jpeg;*.jif;*.jfif"},
      {"KOALA Files(*.koala,*.gg)", "*.koala;*.gg"},
      {"Deluxe Paint(*.lbm)", "*.lbm"},
      {"Multiple Network Graphics(*.mng)", "*.mng"},
      {"Portable Bitmap(*.pbm)", "*.pbm"},
      {"Kodak PhotoCD(*.pcd)", "*.pcd"},
      {"Zsoft Paintbrush(*.pcx)", "*.pcx"},
      {"Portable Greymap(*.pgm)", "*.pgm"},
      {"Portable Network Graphics(*.png)", "*.png"},
      {"Portable Pixmap(*.ppm)", "*.ppm"},
      {"Adobe Photoshop Document(*.psd)", "*.psd"},
      {"Sun Raster File(*.ras)", "*.ras"},
      {"Run-Length encoded Bitmap(*.rle)", "*.rle"},
      {"Truevision Targa(*.tga)", "*.tga"},
      {"Tagged Image File Format(*.tif,*.tiff)", "*.tif;*.tiff"},
      {"Wireless Bitmap(*.wbmp)", "*.wbmp"},
      {"Windows Meta File(*.wmf)", "*.wmf"},
      {"X11 Bitmap Format(*.xbm)", "*.xbm"},
      {"X PIxMap Format definition(*.xpm)", "*.xpm"},
      {"All Files(*.*)", "*.*"},
  };
  return masks;
}

const QStringList& FileMaskTexts() {
  static const QStringList texts = [] {
    QStringList list;
    for (const FileMask& m : FileMasks()) list << m.text;
    return list;
  }();
  return texts;
}

QStringList ListFolderFiles(const QString& folder, const QString& pattern) {
  QDir dir(folder);
  QStringList filters = pattern.split(QLatin1Char(';'), Qt::SkipEmptyParts);
  // "*.*" selects every file, also those without a dot in the name.
  if (filters.contains(QStringLiteral("*.*"))) filters = QStringList{QStringLiteral("*")};
  dir.setNameFilters(filters);
  dir.setFilter(QDir::Files);
  QStringList names = dir.entryList(QDir::Files, QDir::NoSort);
  QCollator collator;
  collator.setCaseSensitivity(Qt::CaseInsensitive);
  std::sort(names.begin(), names.end(), [&](const QString& a, const QString& b) {
    const int c = collator.compare(a, b);
    return c != 0 ? c < 0 : a < b;
  });
  return names;
}
