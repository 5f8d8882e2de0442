#include "app/imaging/AreaAverage.h"

#include <algorithm>
#include <vector>

#ifdef __SSE2__
#include <emmintrin.h>
#endif

namespace {

constexpr int kWeightBits = 14;
constexpr int32_t kOne = 1 << kWeightBits;
constexpr int32_t kHalf = kOne / 2;

// How a line of `from` pixels shrinks to `to`: for each output pixel the
// first source pixel it covers and `taps` weights from there, summing to
// kOne. Short runs are padded with zero weights, so `taps` is even and the
// same for every output pixel (the loops below take the weights in pairs).
struct LineTaps {
  int32_t taps = 0;
  std::vector<int32_t> first;
  std::vector<int32_t> used;     // the weights that may be non-zero, per output pixel
  std::vector<int16_t> weights;  // taps per output pixel

  LineTaps(int32_t from, int32_t to) : first(static_cast<size_t>(to)), used(static_cast<size_t>(to)) {
    // In units of 1/to of a source pixel, output pixel d covers
    // [d * from, (d + 1) * from): exact, whatever the sizes.
    const int64_t f = from, t = to;
    for (int64_t d = 0; d < t; ++d) taps = std::max<int32_t>(taps, static_cast<int32_t>(((d + 1) * f - 1) / t - d * f / t + 1));
    taps += taps % 2;
    weights.assign(static_cast<size_t>(to) * static_cast<size_t>(taps), 0);
    for (int64_t d = 0; d < t; ++d) {
      const int64_t lo = d * f, hi = (d + 1) * f;
      const int64_t firstPixel = lo / t, lastPixel = (hi - 1) / t;
      int16_t* w = &weights[static_cast<size_t>(d) * static_cast<size_t>(taps)];
      int32_t sum = 0, largest = 0;
      for (int64_t i = firstPixel; i <= lastPixel; ++i) {
        const int64_t overlap = std::min(hi, (i + 1) * t) - std::max(lo, i * t);
        const auto k = static_cast<size_t>(i - firstPixel);
        w[k] = static_cast<int16_t>((overlap * kOne + f / 2) / f);
        sum += w[k];
        if (w[k] > w[largest]) largest = static_cast<int32_t>(k);
      }
      w[largest] = static_cast<int16_t>(w[largest] + kOne - sum);  // rounding never moves the mean
      first[static_cast<size_t>(d)] = static_cast<int32_t>(firstPixel);
      used[static_cast<size_t>(d)] = static_cast<int32_t>(lastPixel - firstPixel + 1);
    }
  }

  const int16_t* of(int32_t d) const { return &weights[static_cast<size_t>(d) * static_cast<size_t>(taps)]; }
};

#ifdef __SSE2__
// Two 16-bit weights in one 32-bit word, as _mm_madd_epi16 takes a pair.
int32_t PackedPair(int16_t first, int16_t second) {
  return static_cast<int32_t>(uint32_t{static_cast<uint16_t>(first)} | uint32_t{static_cast<uint16_t>(second)} << 16);
}
#endif

uint8_t Rounded(int32_t sum) { return static_cast<uint8_t>((sum + kHalf) >> kWeightBits); }

// out[x] = the weighted sum of rows[k][x] over the first `taps` rows, byte by
// byte; rows and w hold an even number of them (taps rounded up).
void BlendRows(const uint32_t* const* rows, const int16_t* w, int32_t taps, int32_t width, uint32_t* out) {
  int32_t x = 0;
#ifdef __SSE2__
  const __m128i zero = _mm_setzero_si128();
  const __m128i half = _mm_set1_epi32(kHalf);
  __m128i pairs[64];
  const int32_t pairCount = std::min((taps + 1) / 2, 64);
  for (int32_t j = 0; j < pairCount; ++j)
    pairs[j] = _mm_set1_epi32(PackedPair(w[2 * j], w[2 * j + 1]));
  if ((taps + 1) / 2 <= 64) {
    for (; x + 4 <= width; x += 4) {
      __m128i acc0 = zero, acc1 = zero, acc2 = zero, acc3 = zero;
      for (int32_t j = 0; j < pairCount; ++j) {
        const __m128i a = _mm_loadu_si128(reinterpret_cast<const __m128i*>(rows[2 * j] + x));
        const __m128i b = _mm_loadu_si128(reinterpret_cast<const __m128i*>(rows[2 * j + 1] + x));
        const __m128i lo = _mm_unpacklo_epi8(a, b);  // a and b's bytes side by side: pixels 0 and 1
        const __m128i hi = _mm_unpackhi_epi8(a, b);  // pixels 2 and 3
        acc0 = _mm_add_epi32(acc0, _mm_madd_epi16(_mm_unpacklo_epi8(lo, zero), pairs[j]));
        acc1 = _mm_add_epi32(acc1, _mm_madd_epi16(_mm_unpackhi_epi8(lo, zero), pairs[j]));
        acc2 = _mm_add_epi32(acc2, _mm_madd_epi16(_mm_unpacklo_epi8(hi, zero), pairs[j]));
        acc3 = _mm_add_epi32(acc3, _mm_madd_epi16(_mm_unpackhi_epi8(hi, zero), pairs[j]));
      }
      const auto round = [&](__m128i v) { return _mm_srai_epi32(_mm_add_epi32(v, half), kWeightBits); };
      const __m128i packed = _mm_packus_epi16(_mm_packs_epi32(round(acc0), round(acc1)),
                                              _mm_packs_epi32(round(acc2), round(acc3)));
      _mm_storeu_si128(reinterpret_cast<__m128i*>(out + x), packed);
    }
  }
#endif
  for (; x < width; ++x) {
    int32_t sum[4] = {0, 0, 0, 0};
    for (int32_t k = 0; k < taps; ++k)
      for (int c = 0; c < 4; ++c) sum[c] += w[k] * static_cast<int32_t>((rows[k][x] >> (8 * c)) & 0xFF);
    out[x] = uint32_t{Rounded(sum[0])} | uint32_t{Rounded(sum[1])} << 8 | uint32_t{Rounded(sum[2])} << 16 |
             uint32_t{Rounded(sum[3])} << 24;
  }
}

#ifdef __SSE2__
// Each output pixel's weights in pairs, each pair repeated across a whole
// register, as _mm_madd_epi16 takes them.
std::vector<int32_t> PairedWeights(const LineTaps& taps) {
  std::vector<int32_t> paired(taps.weights.size() * 2);
  for (size_t j = 0; j < taps.weights.size() / 2; ++j)
    std::fill_n(&paired[4 * j], 4, PackedPair(taps.weights[2 * j], taps.weights[2 * j + 1]));
  return paired;
}

// The weighted sum of pairs x 2 pixels from p, rounded: one pixel's four
// channels in 32-bit lanes. Pairs: a fixed count the compiler unrolls, or 0
// for `pairs`.
template <int Pairs>
__m128i SumAcross(const uint32_t* p, const int32_t* w, int32_t pairs) {
  const __m128i zero = _mm_setzero_si128();
  __m128i acc = zero;
  for (int32_t j = 0; j < (Pairs ? Pairs : pairs); ++j) {
    const __m128i two = _mm_loadl_epi64(reinterpret_cast<const __m128i*>(p + 2 * j));
    // The first pixel's bytes interleaved with the second's, widened to 16 bits.
    const __m128i side = _mm_unpacklo_epi8(_mm_unpacklo_epi8(two, _mm_srli_si128(two, 4)), zero);
    const __m128i weights = _mm_loadu_si128(reinterpret_cast<const __m128i*>(w + 4 * j));
    acc = _mm_add_epi32(acc, _mm_madd_epi16(side, weights));
  }
  return _mm_srai_epi32(_mm_add_epi32(acc, _mm_set1_epi32(kHalf)), kWeightBits);
}

template <int Pairs>
void ShrinkRowInPairs(const uint32_t* row, const LineTaps& taps, const int32_t* paired, int32_t width, uint32_t* out) {
  const int32_t pairs = taps.taps / 2;
  const __m128i opaque = _mm_set1_epi32(static_cast<int32_t>(0xFF000000u));
  const int32_t* first = taps.first.data();
  int32_t d = 0;
  for (; d + 2 <= width; d += 2) {
    const __m128i a = SumAcross<Pairs>(row + first[d], paired + static_cast<size_t>(d) * 4 * pairs, pairs);
    const __m128i b = SumAcross<Pairs>(row + first[d + 1], paired + static_cast<size_t>(d + 1) * 4 * pairs, pairs);
    const __m128i both = _mm_or_si128(_mm_packus_epi16(_mm_packs_epi32(a, b), a), opaque);
    _mm_storel_epi64(reinterpret_cast<__m128i*>(out + d), both);
  }
  if (d < width) {
    const __m128i a = SumAcross<Pairs>(row + first[d], paired + static_cast<size_t>(d) * 4 * pairs, pairs);
    out[d] = static_cast<uint32_t>(_mm_cvtsi128_si32(_mm_packus_epi16(_mm_packs_epi32(a, a), a))) | 0xFF000000u;
  }
}
#endif

// One row shrunk across; `row` holds taps.taps readable pixels past its end.
class RowShrink {
 public:
  explicit RowShrink(const LineTaps& taps) : taps_(taps) {
#ifdef __SSE2__
    paired_ = PairedWeights(taps);
#endif
  }

  void operator()(const uint32_t* row, int32_t width, uint32_t* out) const {
#ifdef __SSE2__
    switch (taps_.taps / 2) {
      case 1: return ShrinkRowInPairs<1>(row, taps_, paired_.data(), width, out);
      case 2: return ShrinkRowInPairs<2>(row, taps_, paired_.data(), width, out);
      case 3: return ShrinkRowInPairs<3>(row, taps_, paired_.data(), width, out);
      default: return ShrinkRowInPairs<0>(row, taps_, paired_.data(), width, out);
    }
#else
    for (int32_t d = 0; d < width; ++d) {
      const uint32_t* p = row + taps_.first[static_cast<size_t>(d)];
      const int16_t* w = taps_.of(d);
      int32_t sum[3] = {0, 0, 0};
      for (int32_t k = 0; k < taps_.taps; ++k)
        for (int c = 0; c < 3; ++c) sum[c] += w[k] * static_cast<int32_t>((p[k] >> (8 * c)) & 0xFF);
      out[d] = uint32_t{Rounded(sum[0])} | uint32_t{Rounded(sum[1])} << 8 | uint32_t{Rounded(sum[2])} << 16 |
               0xFF000000u;
    }
#endif
  }

 private:
  const LineTaps& taps_;
#ifdef __SSE2__
  std::vector<int32_t> paired_;
#endif
};

}  // namespace

bool AverageArea(const PixelView& source, uint32_t* target, int32_t width, int32_t height, size_t stride) {
  if (source.empty() || !target || width < 1 || height < 1 || width > source.width || height > source.height ||
      stride < static_cast<size_t>(width))
    return false;
  const LineTaps across(source.width, width);
  const LineTaps down(source.height, height);
  const RowShrink shrinkAcross(across);
  // Rows are blended down first, into one row of the source's width (padded
  // for the reads across), then shrunk across: the costlier step sees the
  // fewest rows.
  std::vector<uint32_t> blended(static_cast<size_t>(source.width) + static_cast<size_t>(across.taps), 0);
  std::vector<const uint32_t*> rows(static_cast<size_t>(down.taps));
  for (int32_t y = 0; y < height; ++y) {
    const int32_t first = down.first[static_cast<size_t>(y)];
    // Taps past the last row weigh nothing; any row will do for them.
    for (int32_t k = 0; k < down.taps; ++k) rows[static_cast<size_t>(k)] = source.row(std::min(first + k, source.height - 1));
    BlendRows(rows.data(), down.of(y), down.used[static_cast<size_t>(y)], source.width, blended.data());
    shrinkAcross(blended.data(), width, target + static_cast<size_t>(y) * stride);
  }
  return true;
}
