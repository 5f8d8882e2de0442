#pragma once
// Settings files written by hand, field by field, for tests that read them.
#include <QByteArray>
#include <cstdint>

class RecordBytes {
 public:
  RecordBytes& i16(int16_t v) {
    const auto u = static_cast<uint16_t>(v);
    bytes_.append(static_cast<char>(u & 0xFF)).append(static_cast<char>(u >> 8));
    return *this;
  }
  RecordBytes& i32(uint32_t v) {
    for (int shift = 0; shift < 32; shift += 8) bytes_.append(static_cast<char>((v >> shift) & 0xFF));
    return *this;
  }
  RecordBytes& text(const QByteArray& t) {
    i16(static_cast<int16_t>(static_cast<uint16_t>(t.size())));
    bytes_.append(t);
    return *this;
  }
  QByteArray bytes() const { return bytes_; }

 private:
  QByteArray bytes_;
};

inline int Le16(const QByteArray& b, int offset) {
  return static_cast<int16_t>(static_cast<uint8_t>(b.at(offset)) | (static_cast<uint8_t>(b.at(offset + 1)) << 8));
}
inline uint32_t Le32(const QByteArray& b, int offset) {
  uint32_t v = 0;
  for (int i = 3; i >= 0; --i) v = (v << 8) | static_cast<uint8_t>(b.at(offset + i));
  return v;
}

// A full record of the program's usual values, with texts, flags on for
// every group, and the two reserved fields holding 0x1234 and -2.
inline QByteArray SampleRecordBytes() {
  return RecordBytes()
      .i16(-1).i16(0).i16(-1).i16(-1).i16(-1).i16(-1).i16(-1).i16(-1).i16(0)  // flags 1-9
      .text("/home/ann/photos").text("/home/ann/web")                         // folders
      .i16(2).i16(160).i16(140).i32(0x00C0C0C0).text("/home/ann/bg.png")      // style, w, h, colour, image
      .i16(5).i16(8).text("TH_").text("_s").i16(4)                            // resample, padding, prefix, suffix, format
      .text("Trip").text("Our trip").i32(0x000000FF).i32(0x00FFFFFF)           // title, header, colours
      .i16(3).i16(2).text("bg.gif").text("gallery").text("thumbs").i16(-1)    // sizes, texts, repeat
      .i16(7).i16(5).i16(2).i16(2).i16(5).i16(1)                              // rows .. border width
      .i32(0x00000000).i32(0x00808080).i32(0x00C0FFFF).i32(0x00808000).i32(0x00000080)
      .i16(3).i16(0x1234).i16(-2)
      .bytes();
}
