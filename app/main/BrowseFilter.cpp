#include "app/main/BrowseFilter.h"

#include "app/engine/FileMasks.h"

namespace {

// The masks that came after "All Files(*.*)", as "|text|pattern" pairs.
QString AddedFilters() {
  QString text;
  for (int i = kFirstAddedMask; i < FileMasks().size(); ++i)
    text += QLatin1Char('|') + FileMasks()[i].text + QLatin1Char('|') + FileMasks()[i].pattern;
  return text;
}

QString AddedPatterns() {
  QString text;
  for (int i = kFirstAddedMask; i < FileMasks().size(); ++i) text += QLatin1Char(';') + FileMasks()[i].pattern;
  return text;
}

}  // namespace

QString BrowseFilterText() {
  return QStringLiteral(
      "All Supported Formats|*.bmp;*.cur;*.dib;*.dds;*.emf;*.gif;*.ico;*.iff;*.jif;*.jng;*.jpg;*.jpeg;"
      "*.koala;*.lbm;*.mng;*.pbm;*.pcd;*.pcx;*.pgm;*.png;*.ppm;*.psd;*.ras;*.rle;*.tga;*.tiff;*.tif;*.wbmp;*.wmf;*.xbm;*.xpm") +
         AddedPatterns() +
         QStringLiteral(
      "|Windows or OS2 BMP(*.bmp)|*.bmp|Cursors(*.cur)|*.cur"
      "|Windows DIB(*.dib)|*.dib|Microsoft DirectDraw Surface(*.dds)|*.dds|Windows Enhanced Metafile(*.emf)|*.emf"
      "|Compuserve GIF|*.gif|Icon Files(*.ico)|*.ico|JPEG Network Graphics(*.jng)|*.jng|JPEG - JFIF Compliant(*.jpg,*.jpeg,*.jif,*.jfif)|*.jpg;*.jpeg;*.jif;*.jfif"
      "|KOALA Files(*.koala,*.gg)|*.koala;*.gg|Deluxe Paint(*.lbm)|*.lbm|Multiple Network Graphics(*.mng)|*.mng|Portable Bitmap(*.pbm)|*.pbm"
      "|Kodak PhotoCD(*.pcd)|*.pcd|Zsoft Paintbrush(*.pcx)|*.pcx|Portable Greymap(*.pgm)|*.pgm|Portable Network Graphics(*.png)|*.png"
      "|Portable Pixmap(*.ppm)|*.ppm|Adobe Photoshop Document(*.psd)|*.psd|Sun Raster File(*.ras)|*.ras|Run-Length encoded Bitmap(*.rle)|*.rle"
      "|Truevision Targa(*.tga)|*.tga|Tagged Image File Format(*.tif,*.tiff)|*.tif;*.tiff|Wireless Bitmap(*.wbmp)|*.wbmp|Windows Meta File(*.wmf)|*.wmf"
      "|X11 Bitmap Format(*.xbm)|*.xbm|X PIxMap Format definition(*.xpm)|*.xpm") +
         AddedFilters() + QStringLiteral("|All Files(*.*)|*.*");
}
