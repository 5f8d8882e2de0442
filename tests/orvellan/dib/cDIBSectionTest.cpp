#include <gtest/gtest.h>

#include <QClipboard>
#include <QGuiApplication>
#include <QImage>
#include <array>
#include <functional>
#include <set>
#include <vector>

#include "orvellan/dib/cDIBSection.h"
#include "platform/com/ComError.h"
#include "platform/com/StdPicture.h"
#include "platform/shell/MessageBox.h"
#include "tests/support/ComErrors.h"
#include "tests/support/TestImages.h"

namespace {

// Byte access by scan line as stored (scan line 0 is the bottom row).
uint8_t* PixelAt(const cDIBSection& dib, int x, int scanLine) {
  return dib.DIBSectionBitsPtr() + static_cast<size_t>(scanLine) * dib.BytesPerScanLine() + 3 * x;
}

void SetPixel(cDIBSection& dib, int x, int scanLine, uint8_t b, uint8_t g, uint8_t r) {
  uint8_t* p = PixelAt(dib, x, scanLine);
  p[0] = b;
  p[1] = g;
  p[2] = r;
}

std::array<int, 3> PixelBgr(const cDIBSection& dib, int x, int scanLine) {
  const uint8_t* p = PixelAt(dib, x, scanLine);
  return {p[0], p[1], p[2]};
}

}  // namespace

TEST(cDIBSection, BytesPerScanLinePadsToFourBytes) {
  const int expected[][2] = {{1, 4}, {2, 8}, {3, 12}, {4, 12}, {5, 16}};
  for (const auto& c : expected) {
    cDIBSection dib;
    ASSERT_TRUE(dib.Create(c[0], 3));
    EXPECT_EQ(dib.BytesPerScanLine(), c[1]) << "width " << c[0];
  }
}

TEST(cDIBSection, NewObjectHoldsNothingAndClearUpKeepsTheLastSize) {
  cDIBSection dib;
  EXPECT_EQ(dib.hdc(), nullptr);
  EXPECT_EQ(dib.hDib(), nullptr);
  EXPECT_EQ(dib.DIBSectionBitsPtr(), nullptr);
  EXPECT_EQ(dib.Width(), 0);
  EXPECT_EQ(dib.Height(), 0);
  EXPECT_EQ(dib.BytesPerScanLine(), 0);

  ASSERT_TRUE(dib.Create(7, 5));
  EXPECT_NE(dib.hdc(), nullptr);
  EXPECT_NE(dib.hDib(), nullptr);
  EXPECT_NE(dib.DIBSectionBitsPtr(), nullptr);

  // A header for another size would no longer describe the held memory.
  std::unique_ptr<DibSection> other;
  EXPECT_FALSE(dib.CreateDIB(dib.hdc(), 500, 500, other));
  EXPECT_EQ(other, nullptr);
  EXPECT_EQ(dib.Width(), 7);

  dib.ClearUp();
  EXPECT_EQ(dib.hdc(), nullptr);
  EXPECT_EQ(dib.hDib(), nullptr);
  EXPECT_EQ(dib.DIBSectionBitsPtr(), nullptr);
  EXPECT_EQ(dib.Width(), 7);
  EXPECT_EQ(dib.Height(), 5);
  EXPECT_EQ(dib.BytesPerScanLine(), 24);
}

TEST(cDIBSection, CreateRefusesEmptySizesAndRaisesOverflowBeforeAllocating) {
  cDIBSection dib;
  EXPECT_FALSE(dib.Create(0, 4));
  EXPECT_FALSE(dib.Create(4, 0));
  EXPECT_FALSE(dib.Create(-3, 4));
  EXPECT_EQ(dib.DIBSectionBitsPtr(), nullptr);

  struct Case {
    int32_t w, h;
  };
  // Scan line length beyond 32 bits; image size beyond 32 bits.
  for (const Case c : {Case{800000000, 1}, Case{30000, 30000}, Case{1, 600000000}}) {
    ASSERT_TRUE(dib.Create(2, 2));
    EXPECT_EQ(testsupport::ComErrorNumberOf([&] { dib.Create(c.w, c.h); }), kErrOverflow) << c.w << "x" << c.h;
    EXPECT_EQ(dib.hdc(), nullptr);
    EXPECT_EQ(dib.DIBSectionBitsPtr(), nullptr);
  }
}

TEST(cDIBSection, PixelsAreStoredBottomUpInBlueGreenRedOrder) {
  QImage picture(3, 2, QImage::Format_RGB32);
  picture.setPixel(0, 0, qRgb(10, 20, 30));   // top-left
  picture.setPixel(2, 1, qRgb(40, 50, 60));   // bottom-right
  picture.setPixel(1, 0, qRgb(1, 2, 3));
  picture.setPixel(0, 1, qRgb(4, 5, 6));
  picture.setPixel(1, 1, qRgb(7, 8, 9));
  picture.setPixel(2, 0, qRgb(11, 12, 13));

  cDIBSection dib;
  dib.CreateFromPicture(StdPicture(picture));
  ASSERT_EQ(dib.Width(), 3);
  ASSERT_EQ(dib.Height(), 2);
  EXPECT_EQ(PixelBgr(dib, 0, 1), (std::array<int, 3>{30, 20, 10}));  // top row is the last scan line
  EXPECT_EQ(PixelBgr(dib, 2, 0), (std::array<int, 3>{60, 50, 40}));

  // And out again: the whole bitmap (negative sizes) and a part of it.
  QImage whole(3, 2, QImage::Format_RGB32);
  whole.fill(Qt::black);
  dib.PaintPicture(whole, 0, 0, -1, -1, 0, 0, SRCCOPY);
  EXPECT_EQ(whole, picture);

  QImage part(4, 4, QImage::Format_RGB32);
  part.fill(Qt::black);
  dib.PaintPicture(part, 3, 3, 2, 2, 1, 1, SRCCOPY);  // clipped to one pixel
  EXPECT_EQ(part.pixel(3, 3), qRgb(7, 8, 9));
  EXPECT_EQ(part.pixel(2, 2), qRgb(0, 0, 0));
}

TEST(cDIBSection, CreateFromPictureOfAnIconHoldsNothing) {
  cDIBSection dib;
  ASSERT_TRUE(dib.Create(4, 4));
  dib.CreateFromPicture(StdPicture(testimages::Solid(16, 16, Qt::red), StdPicture::Icon));
  EXPECT_EQ(dib.hdc(), nullptr);
  EXPECT_EQ(dib.DIBSectionBitsPtr(), nullptr);
}

TEST(cDIBSection, ResampleToTheSameSizeIsAnExactCopy) {
  cDIBSection dib;
  ASSERT_TRUE(dib.Create(7, 5));
  dib.RandomiseBits(false, 7u);
  auto copy = dib.Resample(5, 7);
  ASSERT_TRUE(copy);
  ASSERT_EQ(copy->Width(), 7);
  ASSERT_EQ(copy->Height(), 5);
  EXPECT_NE(copy->DIBSectionBitsPtr(), dib.DIBSectionBitsPtr());
  // Interpolating would have mixed neighbours (step 6/7); a block copy keeps every pixel.
  for (int y = 0; y < 5; ++y)
    for (int x = 0; x < 7; ++x) EXPECT_EQ(PixelBgr(*copy, x, y), PixelBgr(dib, x, y)) << x << "," << y;
}

TEST(cDIBSection, ResampleTakesTheHeightFirst) {
  cDIBSection dib;
  ASSERT_TRUE(dib.Create(8, 8));
  auto out = dib.Resample(3, 6);
  ASSERT_TRUE(out);
  EXPECT_EQ(out->Width(), 6);
  EXPECT_EQ(out->Height(), 3);
  EXPECT_EQ(dib.Width(), 8);  // the source is unchanged
}

TEST(cDIBSection, ResampleThreeByThreeToTwoByTwoTakesSourcePixelsExactly) {
  cDIBSection dib;
  ASSERT_TRUE(dib.Create(3, 3));
  for (int y = 0; y < 3; ++y)
    for (int x = 0; x < 3; ++x)
      SetPixel(dib, x, y, static_cast<uint8_t>(10 * x + y), static_cast<uint8_t>(100 + 10 * x + y),
               static_cast<uint8_t>(200 + 10 * x + y));
  auto out = dib.Resample(2, 2);
  ASSERT_TRUE(out);
  for (int y = 0; y < 2; ++y)
    for (int x = 0; x < 2; ++x) EXPECT_EQ(PixelBgr(*out, x, y), PixelBgr(dib, x, y)) << x << "," << y;
}

TEST(cDIBSection, ResampleTwoByTwoToFourByFourMixesQuartersRoundingHalvesToEven) {
  cDIBSection dib;
  ASSERT_TRUE(dib.Create(2, 2));
  // Per channel, scan line 0 then scan line 1.
  SetPixel(dib, 0, 0, 0, 10, 255);
  SetPixel(dib, 1, 0, 2, 11, 0);
  SetPixel(dib, 0, 1, 4, 13, 0);
  SetPixel(dib, 1, 1, 6, 20, 255);
  auto out = dib.Resample(4, 4);
  ASSERT_TRUE(out);

  // Vertical pair first, rounded half to even, then horizontal (e.g. blue on
  // scan line 0: 0.75 * 0 + 0.25 * 2 = 0.5 gives 0; on scan line 1 the pair
  // gives 1 and 3, and 0.25 * 1 + 0.75 * 3 = 2.5 gives 2).
  const int blue[4][4] = {{0, 0, 1, 2}, {1, 2, 2, 2}, {2, 2, 3, 4}, {3, 4, 4, 4}};
  const int green[4][4] = {{10, 10, 10, 11}, {11, 12, 12, 12}, {12, 13, 14, 15}, {12, 14, 15, 16}};
  const int red[4][4] = {{255, 191, 128, 64}, {191, 159, 128, 96}, {128, 128, 128, 128}, {64, 96, 128, 159}};
  for (int y = 0; y < 4; ++y)
    for (int x = 0; x < 4; ++x)
      EXPECT_EQ(PixelBgr(*out, x, y), (std::array<int, 3>{blue[y][x], green[y][x], red[y][x]}))
          << "pixel " << x << " of scan line " << y;
}

TEST(cDIBSection, ResampleOfASourceOnePixelWideOrHighRaisesSubscriptOutOfRange) {
  struct Case {
    int srcW, srcH, newW, newH, error;
  };
  const Case cases[] = {
      {1, 5, 2, 5, kErrSubscriptOutOfRange},
      {1, 5, 1, 9, kErrSubscriptOutOfRange},
      {5, 1, 5, 3, kErrSubscriptOutOfRange},
      {5, 1, 9, 1, kErrSubscriptOutOfRange},
      {1, 1, 4, 4, kErrSubscriptOutOfRange},
      {1, 5, 1, 5, 0},  // same size: a copy, no interpolation
      {2, 2, 1, 1, 0},
  };
  for (const Case& c : cases) {
    cDIBSection dib;
    ASSERT_TRUE(dib.Create(c.srcW, c.srcH));
    EXPECT_EQ(testsupport::ComErrorNumberOf([&] { dib.Resample(c.newH, c.newW); }), c.error)
        << c.srcW << "x" << c.srcH << " to " << c.newW << "x" << c.newH;
  }
}

TEST(cDIBSection, ResampleOfAnEmptyObjectGivesNothingOrRaises) {
  cDIBSection dib;
  EXPECT_EQ(dib.Resample(0, 0), nullptr);  // the destination cannot be made
  EXPECT_EQ(testsupport::ComErrorNumberOf([&] { dib.Resample(4, 4); }), kErrSubscriptOutOfRange);
}

TEST(cDIBSection, CopyToClipboardAsDibShowsTheMessageAndLeavesTheClipboardAlone) {
  cDIBSection dib;
  ASSERT_TRUE(dib.Create(4, 4));
  QGuiApplication::clipboard()->setText(QStringLiteral("keep me"));

  std::vector<MessageBoxRequest> shown;
  MessageBoxHandler old = SetMessageBoxHandler([&](const MessageBoxRequest& r) {
    shown.push_back(r);
    return MsgResult::OK;
  });
  const bool result = dib.CopyToClipboard(true);
  SetMessageBoxHandler(old);

  EXPECT_FALSE(result);
  ASSERT_EQ(shown.size(), 1u);
  EXPECT_EQ(shown[0].text, QStringLiteral("I don't know how to put a DIB on the clipboard! Copy as bitmap instead!!!"));
  EXPECT_EQ(shown[0].icon, MsgIcon::None);
  EXPECT_EQ(shown[0].buttons, MsgButtons::OK);
  EXPECT_EQ(QGuiApplication::clipboard()->text(), QStringLiteral("keep me"));
}

TEST(cDIBSection, CopyToClipboardPutsThePictureOnTheClipboard) {
  const QImage picture = testimages::Gradient(5, 3);
  cDIBSection dib;
  dib.CreateFromPicture(StdPicture(picture));
  ASSERT_TRUE(dib.CopyToClipboard(false));
  const QImage copied = QGuiApplication::clipboard()->image().convertToFormat(QImage::Format_RGB32);
  EXPECT_EQ(copied, picture);

  // Holding nothing, nothing is copied.
  QGuiApplication::clipboard()->setText(QStringLiteral("keep me"));
  dib.ClearUp();
  EXPECT_FALSE(dib.CopyToClipboard(false));
  EXPECT_EQ(QGuiApplication::clipboard()->text(), QStringLiteral("keep me"));
}

TEST(cDIBSection, RandomiseBitsFillsPixelsAndLeavesPaddingAlone) {
  for (const bool gray : {false, true}) {
    cDIBSection dib;
    ASSERT_TRUE(dib.Create(5, 6));  // 15 pixel bytes and 1 padding byte a scan line
    for (int y = 0; y < 6; ++y) PixelAt(dib, 0, y)[15] = 0xAB;
    dib.RandomiseBits(gray);

    std::set<int> values;
    for (int y = 0; y < 6; ++y) {
      EXPECT_EQ(PixelAt(dib, 0, y)[15], 0xAB) << "padding of scan line " << y;
      for (int x = 0; x < 5; ++x) {
        const auto p = PixelBgr(dib, x, y);
        if (gray) {
          EXPECT_EQ(p[0], p[1]);
          EXPECT_EQ(p[1], p[2]);
        } else {
          EXPECT_EQ(p[0], 0) << "blue of " << x << "," << y;
        }
        values.insert(p[1]);
        values.insert(p[2]);
      }
    }
    EXPECT_GT(values.size(), 5u) << "noise, not a flat fill";
  }
}

TEST(cDIBSection, RandomiseBitsDrawsColourColumnByColumnAndGrayLineByLine) {
  // The same seed in both modes: colour takes the draws green, red down each
  // column; gray takes one draw a pixel along each scan line.
  cDIBSection colour;
  cDIBSection gray;
  ASSERT_TRUE(colour.Create(3, 2));
  ASSERT_TRUE(gray.Create(3, 2));
  colour.RandomiseBits(false, 99u);
  gray.RandomiseBits(true, 99u);
  std::vector<int> colourDraws;
  for (int x = 0; x < 3; ++x)
    for (int y = 0; y < 2; ++y) {
      colourDraws.push_back(PixelBgr(colour, x, y)[1]);
      colourDraws.push_back(PixelBgr(colour, x, y)[2]);
    }
  std::vector<int> grayDraws;
  for (int y = 0; y < 2; ++y)
    for (int x = 0; x < 3; ++x) grayDraws.push_back(PixelBgr(gray, x, y)[0]);
  EXPECT_EQ(std::vector<int>(colourDraws.begin(), colourDraws.begin() + 6), grayDraws);
}
