#include "orvellan/dib/cDIBSection.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QTime>
#include <cstdlib>
#include <limits>
#include <new>
#include <random>

#include "orvellan/dib/Bilinear.h"
#include "platform/com/ComError.h"
#include "platform/com/StdPicture.h"
#include "platform/drawing/Numbers.h"
#include "platform/shell/MessageBox.h"

namespace {

constexpr int64_t kInt32Max = std::numeric_limits<int32_t>::max();
constexpr int64_t kInt32Min = std::numeric_limits<int32_t>::min();

bool FitsInt32(int64_t v) { return v >= kInt32Min && v <= kInt32Max; }

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
  // Both bitmaps as stored: scan line 0 at the bottom, in the same order.
  const PixelLayout source{Width(), Height(), BytesPerScanLine(), 3};
  const PixelLayout target{dest.Width(), dest.Height(), dest.BytesPerScanLine(), 3};
  if (!ResampleBilinear(bits_, source, dest.bits_, target, EdgeReads::Checked))
    throw ComError(kErrSubscriptOutOfRange);
}
