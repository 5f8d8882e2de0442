#include "orvellan/dib/cDIBSection.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QTime>
#include <cfenv>
#include <cmath>
#include <cstdlib>
#include <limits>
#include <new>
#include <random>
#include <vector>

#include "platform/com/ComError.h"
#include "platform/com/StdPicture.h"
#include "platform/drawing/Numbers.h"
#include "platform/shell/MessageBox.h"

namespace {

constexpr int64_t kInt32Max = std::numeric_limits<int32_t>::max();
constexpr int64_t kInt32Min = std::numeric_limits<int32_t>::min();

bool FitsInt32(int64_t v) { return v >= kInt32Min && v <= kInt32Max; }

// Keeps the floating-point rounding mode at round-to-nearest-even for one
// resampling pass, so Mix rounds halves to even throughout.
class NearestRounding {
 public:
  NearestRounding() : saved_(std::fegetround()) {
    if (saved_ != FE_TONEAREST) std::fesetround(FE_TONEAREST);
  }
  ~NearestRounding() {
    if (saved_ != FE_TONEAREST) std::fesetround(saved_);
  }
  NearestRounding(const NearestRounding&) = delete;
  NearestRounding& operator=(const NearestRounding&) = delete;

 private:
  int saved_;
};

// Interpolates a + f * (b - a) and rounds half to even. With f a single and
// a, b bytes the double arithmetic is exact, so this is the rounded value of
// (1 - f) * a + f * b. Adding and taking away 1.5 * 2^52 leaves no fraction
// bits, so the sum itself is rounded to nearest, halves to even (the mode the
// pass pins); it is the inline form of std::rint for values this small.
inline int Mix(int a, int b, double f) {
  constexpr double kRound = 6755399441055744.0;  // 1.5 * 2^52
  const double v = a + f * (b - a);
  return static_cast<int>((v + kRound) - kRound);
}

inline uint8_t ClampByte(int v) { return static_cast<uint8_t>(v < 0 ? 0 : (v > 255 ? 255 : v)); }

}  // namespace

DibSection::~DibSection() { std::free(bytes_); }

cDIBSection::~cDIBSection() { ClearUp(); }

bool cDIBSection::CopyToClipboard(bool bAsDIB) {
  // Without a GUI application there is no screen and no clipboard.
  if (!qobject_cast<QGuiApplication*>(QCoreApplication::instance())) return false;
  QClipboard* clipboard = QGuiApplication::clipboard();
  if (!clipboard) return false;
  if (bAsDIB) {
    ShowMessageBox(QStringLiteral("I don't know how to put a DIB on the clipboard! Copy as bitmap instead!!!"),
                   QGuiApplication::applicationDisplayName(), MsgIcon::None, MsgButtons::OK);
    return false;
  }
  // Holding nothing, there is nothing to copy: leave the clipboard as it is.
  if (!dc_) return false;
  QImage bitmap(Width(), Height(), QImage::Format_RGB32);
  if (bitmap.isNull()) return false;
  PaintPicture(bitmap, 0, 0, -1, -1, 0, 0, SRCCOPY);
  clipboard->setImage(bitmap);
  return true;
}

bool cDIBSection::CreateDIB(const DibContext* /*lHDC*/, int32_t lWidth, int32_t lHeight,
                            std::unique_ptr<DibSection>& hDib) {
  hDib.reset();
  // The header describes the selected section; while one is held, a new
  // header would no longer match the memory the object reads and writes.
  if (dib_) return false;
  // Check both sizes before anything is filled in or allocated.
  const int64_t lineLength = int64_t{lWidth} * 3 + 3;
  if (!FitsInt32(lineLength)) throw ComError(kErrOverflow);
  const int64_t bytesPerLine = lineLength & ~int64_t{3};
  const int64_t sizeImage = bytesPerLine * lHeight;
  if (!FitsInt32(sizeImage)) throw ComError(kErrOverflow);

  bmi_ = BitmapInfoHeader{};
  bmi_.biSize = 40;
  bmi_.biWidth = lWidth;
  bmi_.biHeight = lHeight;
  bmi_.biPlanes = 1;
  bmi_.biBitCount = 24;
  bmi_.biCompression = 0;
  bmi_.biSizeImage = static_cast<uint32_t>(sizeImage);

  // Only a bottom-up bitmap of at least one pixel is made.
  if (lWidth <= 0 || lHeight <= 0) return false;
  // calloc: zeroed pixels, and pages of a large bitmap are only touched when drawn.
  auto* bytes = static_cast<uint8_t*>(std::calloc(static_cast<size_t>(sizeImage), 1));
  if (!bytes) return false;
  hDib.reset(new (std::nothrow) DibSection(bytes));
  if (!hDib) {
    std::free(bytes);
    return false;
  }
  return true;
}

void cDIBSection::CreateFromPicture(const StdPicture& picThis) {
  const bool isBitmap = picThis.kind() == StdPicture::Bitmap;
  if (!Create(isBitmap ? picThis.width() : 0, isBitmap ? picThis.height() : 0)) return;
  LoadPictureBlt(picThis.image(), 0, 0, -1, -1, SRCCOPY);
}

bool cDIBSection::Create(int32_t lWidth, int32_t lHeight) {
  ClearUp();
  std::unique_ptr<DibContext> dc(new (std::nothrow) DibContext);
  if (!dc) return false;
  std::unique_ptr<DibSection> dib;
  if (!CreateDIB(dc.get(), lWidth, lHeight, dib)) return false;
  // Select the section into the context.
  dc->pixels_ = DibPixels{dib->bytes_, lWidth, lHeight, BytesPerScanLine()};
  bits_ = dib->bytes_;
  dib_ = std::move(dib);
  dc_ = std::move(dc);
  return true;
}

int32_t cDIBSection::BytesPerScanLine() const {
  return static_cast<int32_t>((int64_t{bmi_.biWidth} * 3 + 3) & ~int64_t{3});
}

void cDIBSection::LoadPictureBlt(const QImage& lHDC, int32_t lSrcLeft, int32_t lSrcTop, int32_t lSrcWidth,
                                 int32_t lSrcHeight, uint32_t eRop) {
  if (!dc_) return;
  BlockTransfer(dc_->pixels_, 0, 0, lSrcWidth < 0 ? Width() : lSrcWidth, lSrcHeight < 0 ? Height() : lSrcHeight,
                lHDC, lSrcLeft, lSrcTop, eRop);
}

void cDIBSection::LoadPictureBlt(const DibContext* lHDC, int32_t lSrcLeft, int32_t lSrcTop, int32_t lSrcWidth,
                                 int32_t lSrcHeight, uint32_t eRop) {
  if (!dc_ || !lHDC) return;
  BlockTransfer(dc_->pixels_, 0, 0, lSrcWidth < 0 ? Width() : lSrcWidth, lSrcHeight < 0 ? Height() : lSrcHeight,
                lHDC->pixels_, lSrcLeft, lSrcTop, eRop);
}

void cDIBSection::PaintPicture(QImage& lHDC, int32_t lDestLeft, int32_t lDestTop, int32_t lDestWidth,
                               int32_t lDestHeight, int32_t lSrcLeft, int32_t lSrcTop, uint32_t eRop) const {
  if (!dc_) return;
  BlockTransfer(lHDC, lDestLeft, lDestTop, lDestWidth < 0 ? Width() : lDestWidth,
                lDestHeight < 0 ? Height() : lDestHeight, dc_->pixels_, lSrcLeft, lSrcTop, eRop);
}

void cDIBSection::PaintPicture(DibContext* lHDC, int32_t lDestLeft, int32_t lDestTop, int32_t lDestWidth,
                               int32_t lDestHeight, int32_t lSrcLeft, int32_t lSrcTop, uint32_t eRop) const {
  if (!dc_ || !lHDC) return;
  BlockTransfer(lHDC->pixels_, lDestLeft, lDestTop, lDestWidth < 0 ? Width() : lDestWidth,
                lDestHeight < 0 ? Height() : lDestHeight, dc_->pixels_, lSrcLeft, lSrcTop, eRop);
}

void cDIBSection::RandomiseBits(bool bGray) {
  RandomiseBits(bGray, static_cast<uint32_t>(QTime::currentTime().msecsSinceStartOfDay()));
}

void cDIBSection::RandomiseBits(bool bGray, uint32_t seed) {
  if (!bits_) return;
  std::mt19937 generator(seed);
  // r in [0, 1) from the top 24 bits, then r * 255 rounded half to even.
  auto next = [&generator]() -> uint8_t {
    const float r = static_cast<float>(generator() >> 8) * (1.0f / 16777216.0f);
    return static_cast<uint8_t>(RoundHalfEven(static_cast<double>(r) * 255.0));
  };
  const int w = Width();
  const int h = Height();
  const size_t stride = static_cast<size_t>(BytesPerScanLine());
  if (bGray) {
    for (int y = 0; y < h; ++y) {
      uint8_t* row = bits_ + stride * y;
      for (int x = 0; x < w; ++x) {
        const uint8_t v = next();
        row[3 * x] = v;
        row[3 * x + 1] = v;
        row[3 * x + 2] = v;
      }
    }
  } else {
    for (int x = 0; x < w; ++x) {
      for (int y = 0; y < h; ++y) {
        uint8_t* px = bits_ + stride * y + 3 * static_cast<size_t>(x);
        px[0] = 0;
        px[1] = next();
        px[2] = next();
      }
    }
  }
}

void cDIBSection::ClearUp() {
  // Deselect, then free the section and the context; the header stays.
  if (dc_) dc_->pixels_ = DibPixels{};
  dib_.reset();
  dc_.reset();
  bits_ = nullptr;
}

std::unique_ptr<cDIBSection> cDIBSection::Resample(int32_t lNewHeight, int32_t lNewWidth) const {
  auto dest = std::make_unique<cDIBSection>();
  if (!dest->Create(lNewWidth, lNewHeight)) return nullptr;
  // Holding nothing, every read would fall outside the bitmap.
  if (!dc_) throw ComError(kErrSubscriptOutOfRange);
  if (lNewWidth == Width() && lNewHeight == Height())
    dest->LoadPictureBlt(hdc(), 0, 0, -1, -1, SRCCOPY);
  else
    ResampleDIB(*dest);  // on an error, dest is released as the error passes
  return dest;
}

void cDIBSection::ResampleDIB(cDIBSection& dest) const {
  const int32_t W = Width();
  const int32_t H = Height();
  const int32_t w = dest.Width();
  const int32_t h = dest.Height();
  const int64_t srcStride = BytesPerScanLine();
  const int64_t destStride = dest.BytesPerScanLine();

  // The steps: quotients in double, kept in single. The denominator is the
  // full destination size, so the last pixel samples a little short of the
  // last source pixel.
  const float sx = static_cast<float>(static_cast<double>(W - 1) / w);
  const float sy = static_cast<float>(static_cast<double>(H - 1) / h);

  // Every source read is checked against the bitmap (byte offset within the
  // scan line, scan line index) before any pixel is written. Sample positions
  // only grow with x and y, so a failure shows before the pass starts.
  std::vector<int64_t> columnOffset(static_cast<size_t>(w));
  std::vector<double> columnFraction(static_cast<size_t>(w));
  for (int32_t x = 0; x < w; ++x) {
    const float xs = sx * static_cast<float>(x);
    const float xi = std::floor(xs);
    const float fx = xs - xi;
    const int64_t p = 3 * static_cast<int64_t>(xi);
    if (p < 0 || p + 5 > srcStride - 1) throw ComError(kErrSubscriptOutOfRange);
    columnOffset[static_cast<size_t>(x)] = p;
    columnFraction[static_cast<size_t>(x)] = fx;
  }
  {
    const float ys = sy * static_cast<float>(h - 1);
    const int64_t yi = static_cast<int64_t>(std::floor(ys));
    if (yi < 0 || yi + 1 > int64_t{H} - 1) throw ComError(kErrSubscriptOutOfRange);
  }

  NearestRounding rounding;
  const uint8_t* S = bits_;
  uint8_t* D = dest.bits_;
  // The vertical pair of a scan line has one fraction fy, so its rounded
  // result is a + offset(b - a), where the offset depends only on b - a and
  // on the parity of a (which way a half rounds). The 2 x 511 offsets are
  // worked out once a scan line with the same rule, and the pixels then only
  // look them up.
  int16_t verticalOffset[2][511];
  float lastFy = -1.0f;
  for (int32_t y = 0; y < h; ++y) {
    const float ys = sy * static_cast<float>(y);
    const float yiF = std::floor(ys);
    const float fy = ys - yiF;
    const int64_t yi = static_cast<int64_t>(yiF);
    if (fy != lastFy) {
      for (int parity = 0; parity < 2; ++parity)
        for (int d = -255; d <= 255; ++d)
          verticalOffset[parity][d + 255] = static_cast<int16_t>(Mix(parity, parity + d, fy) - parity);
      lastFy = fy;
    }
    const uint8_t* row0 = S + yi * srcStride;
    const uint8_t* row1 = row0 + srcStride;
    uint8_t* out = D + int64_t{y} * destStride;
    for (int32_t x = 0; x < w; ++x) {
      const int64_t p = columnOffset[static_cast<size_t>(x)];
      const double fx = columnFraction[static_cast<size_t>(x)];
      const uint8_t* a = row0 + p;
      const uint8_t* b = row1 + p;
      for (int c = 0; c < 3; ++c) {
        const int left = a[c] + verticalOffset[a[c] & 1][b[c] - a[c] + 255];
        const int right = a[3 + c] + verticalOffset[a[3 + c] & 1][b[3 + c] - a[3 + c] + 255];
        out[3 * x + c] = ClampByte(Mix(left, right, fx));
      }
    }
  }
}
