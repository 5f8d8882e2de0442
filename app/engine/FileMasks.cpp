#include "app/engine/FileMasks.h"

#include <dirent.h>
#include <sys/stat.h>

#include <QCollator>
#include <QFile>
#include <QRegularExpression>
#include <algorithm>
#include <cerrno>
#include <cstring>
#include <memory>
#include <utility>
#include <vector>

const QList<FileMask>& FileMasks() {
  static const QList<FileMask> masks{
      {"All Supported Formats",
       "*.bmp;*.cur;*.dib;*.dds;*.emf;*.gif;*.ico;*.iff;*.jif;*.jng;*.jpg;*.koala;*.lbm;*.mng;*.pbm;*.pcd;*.pcx;"
       "*.pgm;*.png;*.ppm;*.psd;*.ras;*.rle;*.tga;*.tiff;*.wbmp;*.wmf;*.xbm;*.xpm;"
       "*.heic;*.heif;*.avif;*.webp;*.jp2;*.j2k;*.exr;*.jxl;"
       "*.dng;*.cr2;*.cr3;*.nef;*.arw;*.orf;*.rw2;*.raf;*.pef;*.srw"},
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
      // Entries 0-28 keep their numbers (quillmora-batch --mask); later formats follow.
      {"HEIF and AVIF Images(*.heic,*.heif,*.avif)", "*.heic;*.heif;*.avif"},
      {"Camera RAW(*.dng,*.cr2,*.cr3,*.nef,*.arw,*.orf,*.rw2,*.raf,*.pef,*.srw)",
       "*.dng;*.cr2;*.cr3;*.nef;*.arw;*.orf;*.rw2;*.raf;*.pef;*.srw"},
      {"WebP(*.webp)", "*.webp"},
      {"JPEG 2000(*.jp2,*.j2k)", "*.jp2;*.j2k"},
      {"OpenEXR(*.exr)", "*.exr"},
      {"JPEG XL(*.jxl)", "*.jxl"},
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

namespace {

// One case-insensitive expression for a mask's patterns ("*.*" also selects
// names without a dot, as the file list always did).
QRegularExpression MaskExpression(const QString& pattern) {
  QStringList alternatives;
  for (const QString& part : pattern.split(QLatin1Char(';'), Qt::SkipEmptyParts)) {
    if (part == QLatin1String("*.*")) return QRegularExpression();  // matches every name
    alternatives << QStringLiteral("(?:%1)").arg(QRegularExpression::wildcardToRegularExpression(part));
  }
  return QRegularExpression(alternatives.join(QLatin1Char('|')), QRegularExpression::CaseInsensitiveOption);
}

bool IsRegularFile(int folderFd, const dirent* entry) {
  if (entry->d_type == DT_REG) return true;
  if (entry->d_type != DT_LNK && entry->d_type != DT_UNKNOWN) return false;
  struct stat st {};
  return ::fstatat(folderFd, entry->d_name, &st, 0) == 0 && S_ISREG(st.st_mode);
}

struct DirCloser {
  void operator()(DIR* dir) const { ::closedir(dir); }
};

}  // namespace

FolderListing ListFolder(const QString& folder, const QString& pattern) {
  FolderListing listing;
  std::unique_ptr<DIR, DirCloser> dir(::opendir(QFile::encodeName(folder).constData()));
  if (!dir) {
    listing.readable = false;
    listing.error = QString::fromLocal8Bit(std::strerror(errno));
    return listing;
  }
  const QRegularExpression mask = MaskExpression(pattern);
  while (const dirent* entry = ::readdir(dir.get())) {
    const QByteArray bytes(entry->d_name);
    if (bytes.startsWith('.')) continue;  // ".", "..", and hidden files (our own unfinished ones among them)
    const QString name = QFile::decodeName(bytes);
    if (!mask.match(name).hasMatch() || !IsRegularFile(::dirfd(dir.get()), entry)) continue;
    if (QFile::encodeName(name) != bytes) listing.unrepresentable << name;
    listing.names << name;
  }
  // Alphabetical ignoring case, with sort keys made once per name. The C
  // locale's collator compares bytes whatever it is told, so the names are
  // case-folded for it first.
  QCollator collator;
  collator.setCaseSensitivity(Qt::CaseInsensitive);
  const bool foldFirst = collator.locale().language() == QLocale::C;
  std::vector<std::pair<QCollatorSortKey, QString>> keyed;
  keyed.reserve(static_cast<size_t>(listing.names.size()));
  for (const QString& name : listing.names)
    keyed.emplace_back(collator.sortKey(foldFirst ? name.toCaseFolded() : name), name);
  std::sort(keyed.begin(), keyed.end(), [](const auto& a, const auto& b) {
    const int c = a.first.compare(b.first);
    return c != 0 ? c < 0 : a.second < b.second;
  });
  for (qsizetype i = 0; i < listing.names.size(); ++i) listing.names[i] = keyed[static_cast<size_t>(i)].second;
  return listing;
}

QStringList ListFolderFiles(const QString& folder, const QString& pattern) { return ListFolder(folder, pattern).names; }
