#include "app/settings/OptionDigest.h"

#include <QCryptographicHash>
#include <QDataStream>
#include <QIODevice>
#include <type_traits>

#include "app/settings/OptionTable.h"

namespace {

// Whether a row's member belongs to ThumbnailOptions.
bool IsThumbnailRow(const OptionRow& row) {
  return std::visit(
      [](auto member) {
        using Member = decltype(member);
        return std::is_same_v<Member, int16_t ThumbnailOptions::*> ||
               std::is_same_v<Member, ColorValue ThumbnailOptions::*> ||
               std::is_same_v<Member, QString ThumbnailOptions::*>;
      },
      row.member);
}

QByteArray DigestOfRows(bool thumbnailRows, const ThumbnailOptions& thumbnail, const AlbumOptions& album) {
  QByteArray bytes;
  QDataStream stream(&bytes, QIODevice::WriteOnly);
  stream.setVersion(QDataStream::Qt_6_0);
  for (const OptionRow& row : OptionTable()) {
    if (IsThumbnailRow(row) != thumbnailRows) continue;
    // The row is named by its control, which stays the same when rows move.
    stream << static_cast<qint32>(row.control.index())
           << static_cast<qint32>(std::visit([](auto control) { return static_cast<int>(control); }, row.control));
    const ControlValue value = OptionValue(row, thumbnail, album);
    stream << static_cast<qint32>(value.index());
    std::visit([&](const auto& v) {
      using V = std::decay_t<decltype(v)>;
      if constexpr (std::is_same_v<V, QString>) stream << v;
      else stream << static_cast<qint64>(v);
    }, value);
  }
  return QCryptographicHash::hash(bytes, QCryptographicHash::Sha256);
}

}  // namespace

QByteArray ThumbnailOptionsDigest(const ThumbnailOptions& options) { return DigestOfRows(true, options, AlbumOptions()); }

QByteArray AlbumOptionsDigest(const AlbumOptions& options) { return DigestOfRows(false, ThumbnailOptions(), options); }
