#include "platform/drawing/Numbers.h"

#include <cfenv>
#include <cmath>
#include <limits>

int32_t RoundHalfEven(double value) {
  if (std::isnan(value)) return 0;
  // nearbyint follows the current rounding mode, which is round-to-nearest-even
  // unless someone changed it; make sure of it for this call.
  const int saved = std::fegetround();
  if (saved != FE_TONEAREST) std::fesetround(FE_TONEAREST);
  double r = std::nearbyint(value);
  if (saved != FE_TONEAREST) std::fesetround(saved);
  if (r >= static_cast<double>(std::numeric_limits<int32_t>::max())) return std::numeric_limits<int32_t>::max();
  if (r <= static_cast<double>(std::numeric_limits<int32_t>::min())) return std::numeric_limits<int32_t>::min();
  return static_cast<int32_t>(r);
}

int64_t IntDivide(double left, double right) {
  const int64_t a = RoundHalfEven(left);
  const int64_t b = RoundHalfEven(right);
  if (b == 0) return 0;
  return a / b;
}

int32_t TwipsToPixels(double twips) { return RoundHalfEven(twips / kTwipsPerPixel); }
