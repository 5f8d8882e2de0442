#pragma once
// Number conversions shared by every module: fractional values become sizes,
// positions and counts by rounding half to even.
#include <cstdint>

// Rounds to the nearest integer, halves to the even one (2.5 -> 2, 3.5 -> 4).
// Values beyond the 32-bit range saturate.
int32_t RoundHalfEven(double value);

// Integer division as the system's "\" operator does it: both operands are
// rounded half to even first, then the quotient is truncated toward zero.
// A zero divisor gives 0 rather than a fault.
int64_t IntDivide(double left, double right);

constexpr int kTwipsPerPixel = 15;
int32_t TwipsToPixels(double twips);
constexpr int32_t PixelsToTwips(int32_t pixels) { return pixels * kTwipsPerPixel; }
