#include "app/engine/FileKind.h"

#include <QFile>

#include "app/engine/FailureTexts.h"

namespace {

struct Signature {
  int offset;
  QByteArray bytes;
  const char* name;
  bool read;  // a format the program reads
};

// ISO base media files: the brand after "ftyp" says which.
QString BrandKind(const QByteArray& head) {
  if (head.size() < 12 || head.mid(4, 4) != "ftyp") return QString();
  const QByteArray brand = head.mid(8, 4);
  if (brand == "avif" || brand == "avis") return QStringLiteral("AVIF");
  if (brand == "heic" || brand == "heix" || brand == "hevc" || brand == "heim" || brand == "heis")
    return QStringLiteral("HEIC");
  if (brand == "mif1" || brand == "msf1") return QStringLiteral("HEIF");
  if (brand == "crx ") return QStringLiteral("Canon CR3");
  return QString();
}

const Signature* SignatureOf(const QByteArray& head) {
  static const Signature kSignatures[] = {
      {8, QByteArray("WEBP"), "WebP", true},
      {0, QByteArray("\xFF\x0A", 2), "JPEG XL", true},
      {4, QByteArray("JXL \r\n\x87\n", 8), "JPEG XL", true},
      {0, QByteArray("\xFF\x4F\xFF\x51", 4), "JPEG 2000", true},
      {4, QByteArray("jP  ", 4), "JPEG 2000", true},
      {0, QByteArray("II\xBC", 3), "JPEG XR", false},
      {0, QByteArray("\x76\x2F\x31\x01", 4), "OpenEXR", true},
      {0, QByteArray("#?RADIANCE"), "Radiance HDR", false},
      {0, QByteArray("PF\n"), "Portable Float Map", false},
      {0, QByteArray("Pf\n"), "Portable Float Map", false},
      {0, QByteArray("\x89PNG", 4), "PNG", true},
      {0, QByteArray("\xFF\xD8\xFF", 3), "JPEG", true},
      {0, QByteArray("GIF8"), "GIF", true},
      {0, QByteArray("8BPS"), "Photoshop", true},
      {0, QByteArray("<svg"), "SVG", false},
      {0, QByteArray("<?xml"), "XML", false},
      {0, QByteArray("%PDF"), "PDF", false},
  };
  for (const Signature& s : kSignatures)
    if (head.mid(s.offset, s.bytes.size()) == s.bytes) return &s;
  return nullptr;
}

struct Kind {
  QString name;
  bool read = true;
};

Kind KindOfFile(const QString& path) {
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) return {};
  const QByteArray head = file.read(32);
  const QString brand = BrandKind(head);
  if (!brand.isEmpty()) return {brand, true};
  const Signature* signature = SignatureOf(head);
  return signature ? Kind{QString::fromLatin1(signature->name), signature->read} : Kind{};
}

}  // namespace

QString ImageKindOfFile(const QString& path) { return KindOfFile(path).name; }

QString FileFailureText(const QString& path, Failure why) {
  if (why != Failure::Unsupported && why != Failure::Damaged) return FailureText(why);
  const Kind kind = KindOfFile(path);
  if (kind.name.isEmpty()) return FailureText(why);
  // "an AVIF", "an SVG", "a WebP"
  const QString article = QStringLiteral("AEIOUSX").contains(kind.name.front()) ? QStringLiteral("an") : QStringLiteral("a");
  if (!kind.read)
    return QStringLiteral("this is %1 %2 file, which this program does not read").arg(article, kind.name);
  if (why == Failure::Unsupported && (kind.name == QLatin1String("HEIC") || kind.name == QLatin1String("HEIF")))
    return QStringLiteral("%1 images need a HEVC decoder, which this system lacks").arg(kind.name);
  if (why == Failure::Unsupported && kind.name == QLatin1String("AVIF"))
    return QStringLiteral("AVIF images need an AV1 decoder, which this system lacks");
  return QStringLiteral("%1 (this is %2 %3 file)").arg(FailureText(why), article, kind.name);
}
