#pragma once
// The weights the codec library's box filter gives when it rescales one line
// (a row or a column) of src pixels to dst pixels: for each output pixel the
// first source pixel it reads and the weight of each source pixel from there.
// A reader that shrinks while it reads uses the same weights, in the same
// order and with the same rounding, so that its pixels equal what the
// whole-image path makes of the decoded image.
#include <cstdint>
#include <vector>

class BoxTaps {
 public:
  BoxTaps(uint32_t src, uint32_t dst);

  uint32_t size() const { return static_cast<uint32_t>(first_.size()); }
  uint32_t first(uint32_t u) const { return first_[u]; }
  uint32_t count(uint32_t u) const { return start_[u + 1] - start_[u]; }
  const double* weights(uint32_t u) const { return weights_.data() + start_[u]; }
  // The most source pixels one output pixel reads.
  uint32_t widest() const { return widest_; }
  // Whether output pixel u weighs a run of source pixels equally (zeros at
  // either end aside): its sum is then the plain average of that run, and
  // evenFirst / evenCount name the run.
  bool even(uint32_t u) const { return evenCount_[u] > 0; }
  uint32_t evenFirst(uint32_t u) const { return evenFirst_[u]; }
  uint32_t evenCount(uint32_t u) const { return evenCount_[u]; }

 private:
  std::vector<uint32_t> first_;
  std::vector<uint32_t> start_;  // into weights_, one more than outputs
  std::vector<double> weights_;
  std::vector<uint32_t> evenFirst_, evenCount_;
  uint32_t widest_ = 0;
};

// ceil(size / divisor), at least 1: one side shrunk by a power of two.
uint32_t ShrunkExtent(uint32_t size, uint32_t divisor);

// The library's rounding of a weighted sum to a byte.
inline uint8_t RoundedByte(double value) {
  const int v = static_cast<int>(value + 0.5);
  return static_cast<uint8_t>(v < 0 ? 0 : v > 255 ? 255 : v);
}

// The library's rounded weighted sum over an even run of count pixels whose
// values add up to sum, without summing in double: the average rounded half
// up, which is what the library's sum rounds to unless the average is
// exactly a half (its sum may then land either side): -1 for that case.
inline int EvenRoundedAverage(uint32_t sum, uint32_t count) {
  if ((2 * uint64_t{sum}) % (2 * uint64_t{count}) == count) return -1;
  return static_cast<int>((2 * uint64_t{sum} + count) / (2 * uint64_t{count}));
}
