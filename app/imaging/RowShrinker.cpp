#include "app/imaging/RowShrinker.h"

#include <algorithm>
#include <cstring>

RowShrinker::RowShrinker(uint32_t width, uint32_t height, uint32_t outWidth, uint32_t outHeight, uint32_t* out,
                         MemoryTally* tally)
    : width_(width),
      height_(height),
      outWidth_(outWidth),
      outHeight_(outHeight),
      out_(out),
      tally_(tally),
      across_(width, outWidth),
      down_(height, outHeight),
      ringRows_(std::max<uint32_t>(1, outHeight == height ? 1 : down_.widest())) {
  ring_.assign(size_t{ringRows_} * outWidth_ * 3, 0);
  heldBytes_ = ring_.size() + (size_t{outWidth_} + outHeight_) * (2 * sizeof(uint32_t)) +
               (size_t{across_.widest()} * outWidth_ + size_t{down_.widest()} * outHeight_) * sizeof(double);
  if (tally_) tally_->Take(heldBytes_);
}

RowShrinker::~RowShrinker() {
  if (tally_) tally_->Give(heldBytes_);
}

void RowShrinker::AddRow(const uint8_t* rgb) {
  if (rowsIn_ >= height_) return;
  uint8_t* narrow = ring_.data() + size_t{rowsIn_ % ringRows_} * outWidth_ * 3;
  if (outWidth_ == width_) {
    std::memcpy(narrow, rgb, size_t{width_} * 3);  // the library leaves an equal width alone
  } else {
    for (uint32_t u = 0; u < outWidth_; ++u) {
      uint8_t* cell = narrow + size_t{u} * 3;
      if (across_.even(u)) {
        // Equal weights: integer sums give the same bytes, save an exact half.
        const uint8_t* src = rgb + size_t{across_.evenFirst(u)} * 3;
        uint32_t sum[3] = {0, 0, 0};
        for (uint32_t k = 0, n = across_.evenCount(u); k < n; ++k, src += 3) {
          sum[0] += src[0];
          sum[1] += src[1];
          sum[2] += src[2];
        }
        bool exact = true;
        for (int c = 0; c < 3; ++c) {
          const int average = EvenRoundedAverage(sum[c], across_.evenCount(u));
          exact = exact && average >= 0;
          cell[c] = static_cast<uint8_t>(average);
        }
        if (exact) continue;
      }
      const uint8_t* src = rgb + size_t{across_.first(u)} * 3;
      const double* w = across_.weights(u);
      double r = 0, g = 0, b = 0;
      for (uint32_t k = 0, n = across_.count(u); k < n; ++k, src += 3) {
        r += w[k] * double(src[0]);
        g += w[k] * double(src[1]);
        b += w[k] * double(src[2]);
      }
      cell[0] = RoundedByte(r);
      cell[1] = RoundedByte(g);
      cell[2] = RoundedByte(b);
    }
  }
  ++rowsIn_;
  EmitReadyRows();
}

void RowShrinker::EmitReadyRows() {
  for (; nextOut_ < outHeight_; ++nextOut_) {
    uint32_t* out = out_ + size_t{nextOut_} * outWidth_;
    if (outHeight_ == height_) {
      // An equal height is left alone as well.
      if (rowsIn_ <= nextOut_) return;
      const uint8_t* narrow = ring_.data() + size_t{nextOut_ % ringRows_} * outWidth_ * 3;
      for (uint32_t u = 0; u < outWidth_; ++u)
        out[u] = 0xFF000000u | uint32_t{narrow[u * 3]} << 16 | uint32_t{narrow[u * 3 + 1]} << 8 | narrow[u * 3 + 2];
      continue;
    }
    // Output row nextOut_ is the library's row (outHeight_ - 1 - nextOut_),
    // counted from the bottom; its lowest source row is the last to arrive.
    const uint32_t v = outHeight_ - 1 - nextOut_;
    const uint32_t n = down_.count(v);
    const uint32_t lowest = height_ - 1 - down_.first(v);  // top down
    if (rowsIn_ <= lowest) return;
    const double* w = down_.weights(v);
    for (uint32_t u = 0; u < outWidth_; ++u) {
      double r = 0, g = 0, b = 0;
      for (uint32_t k = 0; k < n; ++k) {
        const uint8_t* p = ring_.data() + (size_t{(lowest - k) % ringRows_} * outWidth_ + u) * 3;
        r += w[k] * double(p[0]);
        g += w[k] * double(p[1]);
        b += w[k] * double(p[2]);
      }
      out[u] = 0xFF000000u | uint32_t{RoundedByte(r)} << 16 | uint32_t{RoundedByte(g)} << 8 | RoundedByte(b);
    }
  }
}
