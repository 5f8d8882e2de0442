#include "app/settings/SettingsFormat.h"

#include <QtEndian>

#include "app/settings/OptionTable.h"

namespace {

class Writer {
 public:
  explicit Writer(QByteArray& out) : out_(out) {}
  void int16(int16_t value) {
    char bytes[2];
    qToLittleEndian<int16_t>(value, bytes);
    out_.append(bytes, 2);
  }
  void color(ColorValue value) {
    char bytes[4];
    qToLittleEndian<uint32_t>(value, bytes);
    out_.append(bytes, 4);
  }
  void text(const QString& value) {
    const QByteArray bytes = EncodeSettingsText(value);
    char length[2];
    qToLittleEndian<uint16_t>(static_cast<uint16_t>(bytes.size()), length);
    out_.append(length, 2);
    out_.append(bytes);
  }

 private:
  QByteArray& out_;
};

class Reader {
 public:
  explicit Reader(const QByteArray& data) : data_(data) {}
  void int16(int16_t& value) {
    value = take(2) ? qFromLittleEndian<int16_t>(data_.constData() + pos_ - 2) : 0;
  }
  void color(ColorValue& value) {
    value = take(4) ? qFromLittleEndian<uint32_t>(data_.constData() + pos_ - 4) : 0;
  }
  void text(QString& value) {
    value.clear();
    if (!take(2)) return;
    const int length = qFromLittleEndian<uint16_t>(data_.constData() + pos_ - 2);
    if (!take(length)) return;
    value = QString::fromLocal8Bit(data_.constData() + pos_ - length, length);
  }

 private:
  // Moves past n bytes when they are all there; otherwise the rest of the
  // data counts as missing, so later fields read as 0 or empty too.
  bool take(qsizetype n) {
    if (data_.size() - pos_ < n) {
      pos_ = data_.size();
      return false;
    }
    pos_ += n;
    return true;
  }

  const QByteArray& data_;
  qsizetype pos_ = 0;
};

// Visits every field in file order; Io is a Writer or a Reader.
template <typename Io, typename Record>
void Fields(Io& io, Record& r) {
  io.int16(r.saveFolders);
  io.int16(r.autoCreateDestination);
  io.int16(r.autoSelectAll);
  io.int16(r.saveImageSettings);
  io.int16(r.saveHtmlSettings);
  io.int16(r.saveThumbPageSettings);
  io.int16(r.saveTableSettings);
  io.int16(r.alwaysCreateHtml);
  io.int16(r.autoViewGallery);
  io.text(r.sourceFolder);
  io.text(r.destinationFolder);
  io.int16(r.thumbStyleIndex);
  io.int16(r.thumbWidth);
  io.int16(r.thumbHeight);
  io.color(r.thumbBackColor);
  io.text(r.thumbBackImage);
  io.int16(r.resampleIndex);
  io.int16(r.imagePadding);
  io.text(r.prefix);
  io.text(r.suffix);
  io.int16(r.outputFormatIndex);
  io.text(r.pageTitle);
  io.text(r.pageHeader);
  io.color(r.headerColor);
  io.color(r.pageColor);
  io.int16(r.headerSize);
  io.int16(r.indexSize);
  io.text(r.backgroundImage);
  io.text(r.pageFileName);
  io.text(r.thumbFolderName);
  io.int16(r.repeatIndexAtTop);
  io.int16(r.rowsPerPage);
  io.int16(r.columnsPerRow);
  io.int16(r.alignmentIndex);
  io.int16(r.cellPadding);
  io.int16(r.cellSpacing);
  io.int16(r.borderWidth);
  io.color(r.borderColor);
  io.color(r.cellColor);
  io.color(r.captionBackColor);
  io.color(r.tableColor);
  io.color(r.captionFontColor);
  io.int16(r.captionFontSize);
  io.int16(r.reserved44);
  io.int16(r.reserved45);
}

}  // namespace

QByteArray EncodeSettingsText(const QString& text) {
  QByteArray bytes = text.toLocal8Bit();
  if (bytes.size() <= kSettingsTextMaxBytes) return bytes;
  // The longest prefix whose encoding fits, never splitting a surrogate pair.
  qsizetype low = 0, high = text.size();
  while (low < high) {
    const qsizetype mid = (low + high + 1) / 2;
    if (text.left(mid).toLocal8Bit().size() <= kSettingsTextMaxBytes)
      low = mid;
    else
      high = mid - 1;
  }
  if (low > 0 && text.at(low - 1).isHighSurrogate()) --low;
  return text.left(low).toLocal8Bit();
}

QByteArray EncodeSettings(const SettingsRecord& record) {
  QByteArray out;
  out.reserve(kSettingsFixedBytes);
  Writer writer(out);
  Fields(writer, record);
  return out;
}

SettingsRecord DecodeSettings(const QByteArray& data) {
  SettingsRecord record;
  Reader reader(data);
  Fields(reader, record);
  // A name part that would lead out of the destination folder is read at its default.
  for (const OptionRow& row : OptionTable())
    if (row.textRule == TextRule::Name &&
        !NamePartText(row.namePart, std::get<QString>(RecordValue(row, record))).accepted())
      SetRecordValue(row, record, OptionValue(row, ThumbnailOptions(), AlbumOptions()));
  return record;
}
