#include "app/imaging/BoxTaps.h"

#include <algorithm>
#include <cmath>

uint32_t ShrunkExtent(uint32_t size, uint32_t divisor) {
  return std::max<uint32_t>(1, static_cast<uint32_t>((uint64_t{size} + divisor - 1) / divisor));
}

BoxTaps::BoxTaps(uint32_t src, uint32_t dst) {
  // The box is half a pixel either side of an output pixel's centre, widened
  // by the reduction; source pixels whose centres fall inside it count
  // equally. The arithmetic follows the library's step by step (double
  // precision, the centre as u / scale plus an offset), since a different but
  // equal formula can round a centre onto the other side of a box edge.
  const double scale = double(dst) / double(src);
  const double filterScale = scale < 1.0 ? scale : 1.0;
  const double halfWidth = scale < 1.0 ? 0.5 / scale : 0.5;
  const int window = 2 * static_cast<int>(std::ceil(halfWidth)) + 1;
  const double offset = 0.5 / scale - 0.5;
  first_.resize(dst);
  start_.assign(size_t{dst} + 1, 0);
  evenFirst_.assign(dst, 0);
  evenCount_.assign(dst, 0);
  for (uint32_t u = 0; u < dst; ++u) {
    const double centre = double(u) / scale + offset;
    int left = std::max(0, static_cast<int>(std::floor(centre - halfWidth)));
    const int right = std::min(static_cast<int>(std::ceil(centre + halfWidth)), int(src) - 1);
    if (right - left + 1 > window) ++left;  // one too many: the library drops the leftmost
    const size_t from = weights_.size();
    double total = 0;
    for (int i = left; i <= right; ++i) {
      const double weight = filterScale * (std::fabs(filterScale * (centre - double(i))) <= 0.5 ? 1.0 : 0.0);
      weights_.push_back(weight);
      total += weight;
    }
    if (total > 0 && total != 1)
      for (size_t k = from; k < weights_.size(); ++k) weights_[k] /= total;
    first_[u] = static_cast<uint32_t>(left);
    start_[u + 1] = static_cast<uint32_t>(weights_.size());
    widest_ = std::max(widest_, static_cast<uint32_t>(weights_.size() - from));
    // The run of equal, non-zero weights, when nothing else is weighed.
    size_t a = from, b = weights_.size();
    while (a < b && weights_[a] == 0) ++a;
    while (b > a && weights_[b - 1] == 0) --b;
    if (a < b && std::all_of(weights_.begin() + a, weights_.begin() + b, [&](double w) { return w == weights_[a]; })) {
      evenFirst_[u] = static_cast<uint32_t>(left + (a - from));
      evenCount_[u] = static_cast<uint32_t>(b - a);
    }
  }
}
