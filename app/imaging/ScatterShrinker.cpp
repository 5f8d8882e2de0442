#include "app/imaging/ScatterShrinker.h"

ScatterShrinker::Shares::Shares(const BoxTaps& taps, uint32_t src, bool bottomUp) {
  std::vector<std::vector<std::pair<uint32_t, float>>> bySource(src);
  for (uint32_t u = 0; u < taps.size(); ++u)
    for (uint32_t k = 0; k < taps.count(u); ++k) {
      const uint32_t s = taps.first(u) + k;
      const uint32_t out = bottomUp ? taps.size() - 1 - u : u;
      bySource[bottomUp ? src - 1 - s : s].emplace_back(out, static_cast<float>(taps.weights(u)[k]));
    }
  start.assign(size_t{src} + 1, 0);
  for (uint32_t s = 0; s < src; ++s) {
    for (const auto& share : bySource[s]) {
      index.push_back(share.first);
      weight.push_back(share.second);
    }
    start[s + 1] = static_cast<uint32_t>(index.size());
  }
}

ScatterShrinker::ScatterShrinker(uint32_t width, uint32_t height, uint32_t outWidth, uint32_t outHeight,
                                 MemoryTally* tally)
    : outWidth_(outWidth),
      outHeight_(outHeight),
      tally_(tally),
      across_(BoxTaps(width, outWidth), width, false),
      down_(BoxTaps(height, outHeight), height, true) {
  sums_.assign(size_t{outWidth} * outHeight * 3, 0.0f);
  const size_t sumBytes = sums_.size() * sizeof(float);
  const size_t shareBytes = (across_.index.size() + down_.index.size()) * (sizeof(uint32_t) + sizeof(float)) +
                            (size_t{width} + height) * sizeof(uint32_t);
  heldBytes_ = sumBytes + shareBytes;
  if (tally_) {
    tally_->Take(sumBytes);
    tally_->Take(shareBytes);
  }
}

ScatterShrinker::~ScatterShrinker() {
  if (tally_) tally_->Give(heldBytes_);
}

void ScatterShrinker::Add(uint32_t y, uint32_t x0, uint32_t step, const uint8_t* rgb, uint32_t count) {
  if (y + 1 >= down_.start.size()) return;
  for (uint32_t i = 0, x = x0; i < count && x + 1 < across_.start.size(); ++i, x += step, rgb += 3) {
    for (uint32_t a = across_.start[x]; a < across_.start[x + 1]; ++a) {
      const float wx = across_.weight[a];
      const uint32_t u = across_.index[a];
      for (uint32_t d = down_.start[y]; d < down_.start[y + 1]; ++d) {
        const float w = wx * down_.weight[d];
        float* cell = sums_.data() + (size_t{down_.index[d]} * outWidth_ + u) * 3;
        cell[0] += w * rgb[0];
        cell[1] += w * rgb[1];
        cell[2] += w * rgb[2];
      }
    }
  }
}

void ScatterShrinker::Finish(uint32_t* out) const {
  const float* cell = sums_.data();
  for (size_t i = 0, n = size_t{outWidth_} * outHeight_; i < n; ++i, cell += 3)
    out[i] = 0xFF000000u | uint32_t{RoundedByte(cell[0])} << 16 | uint32_t{RoundedByte(cell[1])} << 8 |
             RoundedByte(cell[2]);
}
