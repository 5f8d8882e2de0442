// liborvellan.so carries the bitmap class: this executable links only the
// shared library (not the module's static library) and uses cDIBSection.
#include <gtest/gtest.h>

#include "orvellan/dib/cDIBSection.h"
#include "tests/support/ComErrors.h"

TEST(OrvellanSharedLibrary, ExportsTheBitmapClass) {
  cDIBSection dib;
  ASSERT_TRUE(dib.Create(3, 3));
  EXPECT_EQ(dib.BytesPerScanLine(), 12);
  for (int line = 0; line < 3; ++line)
    for (int x = 0; x < 3; ++x)
      for (int c = 0; c < 3; ++c)
        dib.DIBSectionBitsPtr()[line * 12 + 3 * x + c] = static_cast<uint8_t>(30 * line + 10 * x + c);
  auto half = dib.Resample(2, 2);  // steps of 1.0: the source pixels themselves
  ASSERT_TRUE(half);
  EXPECT_EQ(half->DIBSectionBitsPtr()[8 + 3], 40);  // pixel 1 of scan line 1, blue

  cDIBSection thin;
  ASSERT_TRUE(thin.Create(1, 4));
  EXPECT_EQ(testsupport::ComErrorNumberOf([&] { thin.Resample(4, 3); }), kErrSubscriptOutOfRange);
}
