// The program trusts nothing the decoder process says: every reply is
// checked against the request and the shared memory before a pixel is read.
#include <gtest/gtest.h>

#include <QBuffer>
#include <QFile>
#include <QImage>
#include <QTemporaryDir>
#include <QtEndian>
#include <cstring>
#include <string>
#include <vector>

#include "app/decoder/DecoderLimits.h"
#include "app/decoder/ImageDecoder.h"
#include "app/imaging/DecoderProtocol.h"
#include "app/decoder/HeaderGuards.h"
#include "tests/support/TestImages.h"

namespace proto = decoderproto;

namespace {

proto::Reply GoodReply() {
  proto::Reply r;
  r.id = 7;
  r.status = 0;
  r.width = 40;
  r.height = 30;
  r.bpp = 24;
  r.naturalWidth = 160;  // decoded at a quarter of its size
  r.naturalHeight = 120;
  r.pixelBytes = 40 * 30 * 4;
  return r;
}

std::vector<char> Bytes(const proto::Reply& r) {
  std::vector<char> b(sizeof r);
  std::memcpy(b.data(), &r, sizeof r);
  return b;
}

}  // namespace

TEST(DecoderProtocol, RepliesAreCheckedAgainstRequestAndSharedMemory) {
  struct Case {
    const char* name;
    void (*change)(proto::Reply&);
    proto::ReplyCheck expected;
  };
  const Case cases[] = {
      {"well formed", [](proto::Reply&) {}, proto::ReplyCheck::Decoded},
      {"wrong magic", [](proto::Reply& r) { r.magic = 0x12345678; }, proto::ReplyCheck::Malformed},
      {"hello magic", [](proto::Reply& r) { r.magic = proto::kHelloMagic; }, proto::ReplyCheck::Malformed},
      {"other request", [](proto::Reply& r) { r.id = 8; }, proto::ReplyCheck::Malformed},
      {"size not width x height x 4", [](proto::Reply& r) { r.pixelBytes -= 4; }, proto::ReplyCheck::Malformed},
      {"larger than the shared memory", [](proto::Reply& r) { r.width = 41; r.pixelBytes = 41 * 30 * 4; },
       proto::ReplyCheck::Malformed},
      {"size overflowing 32 bits", [](proto::Reply& r) { r.width = 65536; r.height = 65536; r.pixelBytes = 0; },
       proto::ReplyCheck::Malformed},
      {"above 2^28 pixels", [](proto::Reply& r) { r.width = 16385; r.height = 16384;
         r.pixelBytes = uint64_t{16385} * 16384 * 4; }, proto::ReplyCheck::Malformed},
      {"zero width", [](proto::Reply& r) { r.width = 0; r.pixelBytes = 0; }, proto::ReplyCheck::Malformed},
      {"odd bits per pixel", [](proto::Reply& r) { r.bpp = 23; }, proto::ReplyCheck::Malformed},
      {"refusal", [](proto::Reply& r) { r.status = 5; r.width = r.height = r.bpp = 0; r.pixelBytes = 0;
         r.naturalWidth = r.naturalHeight = 0; },
       proto::ReplyCheck::NotDecoded},
      {"refusal with pixels", [](proto::Reply& r) { r.status = 5; }, proto::ReplyCheck::Malformed},
      {"details past the shared memory", [](proto::Reply& r) { r.detailsBytes = 1; }, proto::ReplyCheck::Malformed},
      {"details length wrapping around", [](proto::Reply& r) { r.detailsBytes = 0xFFFF'FFFF; },
       proto::ReplyCheck::Malformed},
      {"refusal with details", [](proto::Reply& r) { r.status = 5; r.width = r.height = r.bpp = 0; r.pixelBytes = 0;
         r.naturalWidth = r.naturalHeight = 0; r.detailsBytes = 10; }, proto::ReplyCheck::Malformed},
      {"refusal with a size", [](proto::Reply& r) { r.status = 5; r.width = r.height = r.bpp = 0; r.pixelBytes = 0; },
       proto::ReplyCheck::Malformed},
      {"natural size below the decoded one", [](proto::Reply& r) { r.naturalWidth = 39; },
       proto::ReplyCheck::Malformed},
      {"natural size above 2^28 pixels", [](proto::Reply& r) { r.naturalWidth = 16385; r.naturalHeight = 16384; },
       proto::ReplyCheck::Malformed},
      {"unknown status", [](proto::Reply& r) { r.status = 99; r.width = r.height = 0; r.pixelBytes = 0; r.naturalWidth = r.naturalHeight = 0; },
       proto::ReplyCheck::Malformed},
      {"negative status", [](proto::Reply& r) { r.status = -1; r.width = r.height = 0; r.pixelBytes = 0; r.naturalWidth = r.naturalHeight = 0; },
       proto::ReplyCheck::Malformed},
  };
  for (const Case& c : cases) {
    proto::Reply r = GoodReply();
    c.change(r);
    const std::vector<char> b = Bytes(r);
    proto::Reply parsed;
    EXPECT_EQ(proto::ValidateReply(b.data(), b.size(), 7, 40 * 30 * 4, &parsed), c.expected) << c.name;
  }
}

TEST(DecoderProtocol, DetailsFitTheirBoundAndTheSharedMemory) {
  const uint64_t pixels = 40 * 30 * 4;
  const struct {
    uint32_t detailsBytes;
    uint64_t shared;
    proto::ReplyCheck expected;
  } cases[] = {
      {proto::kMaxDetailsBytes, pixels + proto::kMaxDetailsBytes, proto::ReplyCheck::Decoded},
      {proto::kMaxDetailsBytes + 1, pixels + proto::kMaxDetailsBytes + 1, proto::ReplyCheck::Malformed},
      {100, pixels + 99, proto::ReplyCheck::Malformed},
  };
  for (const auto& c : cases) {
    proto::Reply r = GoodReply();
    r.detailsBytes = c.detailsBytes;
    const std::vector<char> b = Bytes(r);
    EXPECT_EQ(proto::ValidateReply(b.data(), b.size(), 7, c.shared, nullptr), c.expected) << c.detailsBytes;
  }
}

TEST(DecoderProtocol, OnlyAWholeReplyCounts) {
  std::vector<char> b = Bytes(GoodReply());
  for (size_t size : {size_t{0}, size_t{1}, size_t{16}, sizeof(proto::Reply) - 1})
    EXPECT_EQ(proto::ValidateReply(b.data(), size, 7, 1 << 20, nullptr), proto::ReplyCheck::Malformed) << size;
  b.push_back(0);
  EXPECT_EQ(proto::ValidateReply(b.data(), b.size(), 7, 1 << 20, nullptr), proto::ReplyCheck::Malformed);
  EXPECT_EQ(proto::ValidateReply(nullptr, sizeof(proto::Reply), 7, 1 << 20, nullptr), proto::ReplyCheck::Malformed);
}

TEST(DecoderProtocol, HelloNamesProtocolVersion) {
  proto::Hello h;
  h.pid = 42;
  EXPECT_TRUE(proto::ValidateHello(&h, sizeof h));
  EXPECT_FALSE(proto::ValidateHello(&h, sizeof h - 1));
  proto::Hello old = h;
  old.version = proto::kVersion + 1;
  EXPECT_FALSE(proto::ValidateHello(&old, sizeof old));
  proto::Hello wrong = h;
  wrong.magic = proto::kReplyMagic;
  EXPECT_FALSE(proto::ValidateHello(&wrong, sizeof wrong));
}

TEST(DecoderLimits, AddressSpaceHoldsTheLargestImageTwiceButNeverHalfTheMachine) {
  const uint64_t GiB = uint64_t{1} << 30;
  const uint64_t largestTwice = 2 * proto::kMaxPixels * 4;
  EXPECT_GE(DecoderAddressSpaceLimit(64 * GiB), largestTwice);
  EXPECT_LE(DecoderAddressSpaceLimit(64 * GiB), 32 * GiB);
  EXPECT_EQ(DecoderAddressSpaceLimit(4 * GiB), 2 * GiB);
  EXPECT_EQ(DecoderAddressSpaceLimit(1 * GiB), GiB / 2);
}

// A decode for a size hint may grow the decoder by a fixed amount over what it
// uses already (however large an earlier natural-size decode left it); a
// natural-size one keeps the process's whole limit.
TEST(DecoderLimits, ARequestForAHintMayGrowTheDecoderByAFixedAmount) {
  const uint64_t MiB = uint64_t{1} << 20;
  const uint64_t process = 3072 * MiB;
  struct Case { bool shrinking; uint64_t inUse, limit; } cases[] = {
      {false, 40 * MiB, process},
      {true, 40 * MiB, 40 * MiB + kShrinkingDecodeBytes},
      {true, 1200 * MiB, 1200 * MiB + kShrinkingDecodeBytes},
      {true, 2900 * MiB, process},  // never past the process's own limit
  };
  for (const Case& c : cases)
    EXPECT_EQ(RequestAddressSpaceLimit(c.shrinking, c.inUse, process), c.limit) << c.inUse / MiB;
  EXPECT_LE(kShrinkingWholeImagePixels * 12, kShrinkingDecodeBytes);
}

// An image that has to be decoded whole is refused as too large for a size
// hint once the header says it is past what a hint may cost, before any
// pixel is allocated.
TEST(DecoderLimits, AWholeImagePastTheHintsRoomIsTooLarge) {
  // A small BMP whose header is made to say 9000 x 8000 (72 megapixels).
  QTemporaryDir dir;
  const QString path = dir.filePath(QStringLiteral("huge-header.bmp"));
  QByteArray bmp;
  QBuffer buffer(&bmp);
  ASSERT_TRUE(QImage(8, 8, QImage::Format_RGB888).save(&buffer, "BMP"));
  qToLittleEndian<quint32>(9000, bmp.data() + 18);
  qToLittleEndian<quint32>(8000, bmp.data() + 22);
  ASSERT_GT(uint64_t{9000} * 8000, kShrinkingWholeImagePixels);
  ASSERT_TRUE(testimages::WriteBytes(path, bmp));
  const auto nowhere = [](uint32_t, uint32_t) -> uint32_t* { return nullptr; };
  EXPECT_EQ(DecodeFileToPixels(QFile::encodeName(path).constData(), nowhere, {240, 0}).status,
            proto::DecodeStatus::TooLarge);
}

namespace {

std::vector<uint8_t> PcxHeader(int xmax, int bitsPerPixel, int planes, int bytesPerLine) {
  std::vector<uint8_t> h(128, 0);
  h[0] = 0x0A;
  h[1] = 5;
  h[2] = 1;
  h[3] = static_cast<uint8_t>(bitsPerPixel);
  h[8] = static_cast<uint8_t>(xmax & 0xFF);
  h[9] = static_cast<uint8_t>(xmax >> 8);
  h[10] = 9;  // ymax: 10 rows
  h[65] = static_cast<uint8_t>(planes);
  h[66] = static_cast<uint8_t>(bytesPerLine & 0xFF);
  h[67] = static_cast<uint8_t>(bytesPerLine >> 8);
  return h;
}

std::vector<uint8_t> TargaHeader(int type, int depth, int height) {
  std::vector<uint8_t> h(18, 0);
  h[2] = static_cast<uint8_t>(type);
  h[12] = 16;  // width
  h[14] = static_cast<uint8_t>(height);
  h[16] = static_cast<uint8_t>(depth);
  return h;
}

}  // namespace

TEST(HeaderGuards, RefuseHeadersThatMakeTheLibraryReadPastItsBuffers) {
  struct Case {
    const char* name;
    InputKind kind;
    std::vector<uint8_t> header;
    uint64_t fileSize;
    bool passes;
  };
  const Case cases[] = {
      {"pcx line holds width", InputKind::Pcx, PcxHeader(99, 8, 3, 100), 5000, true},
      {"pcx 1-bit line holds width", InputKind::Pcx, PcxHeader(99, 1, 1, 13), 5000, true},
      {"pcx line shorter than width", InputKind::Pcx, PcxHeader(63246, 8, 3, 16), 258, false},
      {"pcx 1-bit line one byte short", InputKind::Pcx, PcxHeader(99, 1, 1, 12), 5000, false},
      {"pcx xmin after xmax", InputKind::Pcx, [] { auto h = PcxHeader(5, 8, 1, 8); h[4] = 9; return h; }(), 5000, false},
      {"pcx truncated header", InputKind::Pcx, std::vector<uint8_t>(20, 0), 20, false},
      {"targa rle with data for every row", InputKind::Targa, TargaHeader(10, 24, 12), 18 + 12 * 8, true},
      {"targa rle, rows shorter than a pixel", InputKind::Targa, TargaHeader(10, 24, 12), 36, false},
      {"targa rle, no data", InputKind::Targa, TargaHeader(10, 24, 12), 18, false},
      {"targa rle grey, one byte a row", InputKind::Targa, TargaHeader(11, 8, 12), 18 + 12, true},
      {"targa rle grey, less than a byte a row", InputKind::Targa, TargaHeader(11, 8, 12), 18 + 11, false},
      {"targa rle 16-bit, two bytes a row", InputKind::Targa, TargaHeader(10, 16, 12), 18 + 24, false},
      {"targa uncompressed", InputKind::Targa, TargaHeader(2, 24, 12), 36, true},
      {"other formats", InputKind::Other, std::vector<uint8_t>(8, 0), 8, true},
  };
  for (const Case& c : cases)
    EXPECT_EQ(PassesHeaderGuards(c.kind, c.header.data(), c.header.size(), c.fileSize), c.passes) << c.name;
}
