#pragma once
// A 24-bit bitmap the library owns together with the memory drawing context
// that holds it: direct byte access to the pixels, block copies in and out,
// a clipboard copy, random fill, and bilinear resized copies.
//
// Layout of the pixel memory: blue, green, red per pixel, no alpha; each scan
// line padded to a multiple of 4 bytes (BytesPerScanLine); scan lines stored
// bottom-up, so scan line 0 is the bottom row of the picture.
//
// Sizes whose scan line or image size do not fit a signed 32-bit integer raise
// ComError 6; resampling reads are bounds-checked and raise ComError 9.
//
// The class is part of liborvellan.so and exported from it, so a host can
// link the library and use it.
#include <QImage>
#include <cstdint>
#include <memory>

#include "orvellan/dib/BlockTransfer.h"
#include "orvellan/dib/DibExport.h"

class StdPicture;

// The 40-byte description a device-independent bitmap is made from.
struct BitmapInfoHeader {
  uint32_t biSize = 0;
  int32_t biWidth = 0;
  int32_t biHeight = 0;
  uint16_t biPlanes = 0;
  uint16_t biBitCount = 0;
  uint32_t biCompression = 0;
  uint32_t biSizeImage = 0;
  int32_t biXPelsPerMeter = 0;
  int32_t biYPelsPerMeter = 0;
  uint32_t biClrUsed = 0;
  uint32_t biClrImportant = 0;
};

// The pixel memory of one section; owned through the handle CreateDIB hands out.
class ORVELLAN_DIB_EXPORT DibSection {
 public:
  ~DibSection();
  DibSection(const DibSection&) = delete;
  DibSection& operator=(const DibSection&) = delete;

 private:
  friend class cDIBSection;
  explicit DibSection(uint8_t* bytes) : bytes_(bytes) {}
  uint8_t* bytes_;
};

// A memory drawing context with one section selected into it: what block
// transfers read from and write to.
class ORVELLAN_DIB_EXPORT DibContext {
 public:
  const DibPixels& pixels() const { return pixels_; }

 private:
  friend class cDIBSection;
  DibPixels pixels_;
};

class ORVELLAN_DIB_EXPORT cDIBSection {
 public:
  cDIBSection() = default;
  ~cDIBSection();
  cDIBSection(const cDIBSection&) = delete;
  cDIBSection& operator=(const cDIBSection&) = delete;

  // Puts the picture on the clipboard as an image; true when it was put there.
  // bAsDIB true only tells the user to copy as a bitmap instead, and gives false.
  bool CopyToClipboard(bool bAsDIB);

  // Fills the header for lWidth x lHeight and makes a zeroed section of that
  // size, handed out through hDib. lHDC takes no part (kept for the call's shape).
  // While the object holds a section it returns false and changes nothing.
  bool CreateDIB(const DibContext* lHDC, int32_t lWidth, int32_t lHeight, std::unique_ptr<DibSection>& hDib);

  // Sizes the object to the picture's bitmap and copies the picture in. A
  // picture that is not a bitmap leaves the object holding nothing.
  void CreateFromPicture(const StdPicture& picThis);

  // Frees what the object held, then makes a new context with a new section
  // of lWidth x lHeight (both at least 1) selected into it.
  bool Create(int32_t lWidth, int32_t lHeight);

  int32_t BytesPerScanLine() const;
  int32_t Width() const { return bmi_.biWidth; }
  int32_t Height() const { return bmi_.biHeight; }

  // Copies from lHDC into this bitmap at (0, 0). A negative width or height means this bitmap's.
  void LoadPictureBlt(const QImage& lHDC, int32_t lSrcLeft, int32_t lSrcTop, int32_t lSrcWidth,
                      int32_t lSrcHeight, uint32_t eRop = SRCCOPY);
  void LoadPictureBlt(const DibContext* lHDC, int32_t lSrcLeft, int32_t lSrcTop, int32_t lSrcWidth,
                      int32_t lSrcHeight, uint32_t eRop = SRCCOPY);

  // Copies from this bitmap into lHDC. A negative width or height means this bitmap's.
  void PaintPicture(QImage& lHDC, int32_t lDestLeft, int32_t lDestTop, int32_t lDestWidth, int32_t lDestHeight,
                    int32_t lSrcLeft, int32_t lSrcTop, uint32_t eRop = SRCCOPY) const;
  void PaintPicture(DibContext* lHDC, int32_t lDestLeft, int32_t lDestTop, int32_t lDestWidth,
                    int32_t lDestHeight, int32_t lSrcLeft, int32_t lSrcTop, uint32_t eRop = SRCCOPY) const;

  // Handles stay owned by the object; null when it holds nothing.
  DibContext* hdc() const { return dc_.get(); }
  const DibSection* hDib() const { return dib_.get(); }
  uint8_t* DIBSectionBitsPtr() const { return bits_; }

  // Fills the pixels with noise, seeded from the clock: gray (equal blue,
  // green and red) or colour without blue. Padding bytes are left as they are.
  void RandomiseBits(bool bGray);
  // The same with a given seed, so a fill can be repeated.
  void RandomiseBits(bool bGray, uint32_t seed);

  // Releases the section and the context. The header keeps the last size.
  void ClearUp();

  // A resized copy (height first, then width); null when the copy cannot be
  // made. This object is unchanged. Raises ComError 9 when the bilinear
  // reads would fall outside this bitmap (a source one pixel wide or high
  // resized to another size) or when this object holds nothing.
  std::unique_ptr<cDIBSection> Resample(int32_t lNewHeight, int32_t lNewWidth) const;

 private:
  void ResampleDIB(cDIBSection& dest) const;

  std::unique_ptr<DibSection> dib_;
  std::unique_ptr<DibContext> dc_;
  uint8_t* bits_ = nullptr;
  BitmapInfoHeader bmi_;
};
