#include "app/imaging/WebpFile.h"

#include <webp/decode.h>
#include <webp/demux.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <memory>
#include <new>
#include <vector>

#include "app/imaging/ColourProfile.h"

namespace {

struct FileClose {
  void operator()(std::FILE* f) const { std::fclose(f); }
};
struct DemuxDelete {
  void operator()(WebPDemuxer* d) const { WebPDemuxDelete(d); }
};

WebpRead Failed(Failure why) {
  WebpRead read;
  read.outcome = Outcome::Failed(why);
  return read;
}

bool ReadWhole(const char* path, std::vector<uint8_t>* bytes, size_t limit) {
  std::unique_ptr<std::FILE, FileClose> file(std::fopen(path, "rb"));
  if (!file) return false;
  uint8_t chunk[65536];
  size_t n;
  while (bytes->size() < limit && (n = std::fread(chunk, 1, sizeof chunk, file.get())) > 0)
    bytes->insert(bytes->end(), chunk, chunk + n);
  return !std::ferror(file.get());
}

std::vector<uint8_t> IccOf(const std::vector<uint8_t>& file) {
  const WebPData data{file.data(), file.size()};
  std::unique_ptr<WebPDemuxer, DemuxDelete> demux(WebPDemux(&data));
  std::vector<uint8_t> icc;
  WebPChunkIterator chunk;
  if (demux && WebPDemuxGetChunk(demux.get(), "ICCP", 1, &chunk)) {
    icc.assign(chunk.chunk.bytes, chunk.chunk.bytes + chunk.chunk.size);
    WebPDemuxReleaseChunkIterator(&chunk);
  }
  return icc;
}

}  // namespace

bool ReadWebpSize(const char* path, uint32_t* width, uint32_t* height) {
  std::vector<uint8_t> head;
  if (!ReadWhole(path, &head, 4096)) return false;
  WebPBitstreamFeatures features;
  if (WebPGetFeatures(head.data(), head.size(), &features) != VP8_STATUS_OK || features.width <= 0 ||
      features.height <= 0)
    return false;
  *width = static_cast<uint32_t>(features.width);
  *height = static_cast<uint32_t>(features.height);
  return true;
}

WebpRead ReadWebp(const char* path, double scale, uint64_t maxPixels) {
  std::vector<uint8_t> file;
  if (!ReadWhole(path, &file, SIZE_MAX)) return Failed(Failure::NotReadable);
  WebPDecoderConfig config;
  if (!WebPInitDecoderConfig(&config) || WebPGetFeatures(file.data(), file.size(), &config.input) != VP8_STATUS_OK)
    return Failed(Failure::Damaged);
  if (config.input.has_animation) return Failed(Failure::Unsupported);
  const auto width = static_cast<uint32_t>(config.input.width);
  const auto height = static_cast<uint32_t>(config.input.height);
  if (width == 0 || height == 0) return Failed(Failure::Damaged);
  if (uint64_t{width} * height > maxPixels) return Failed(Failure::TooLarge);
  scale = std::clamp(scale, 0.0, 1.0);
  const auto w = static_cast<uint32_t>(std::max(1.0, std::ceil(width * scale)));
  const auto h = static_cast<uint32_t>(std::max(1.0, std::ceil(height * scale)));
  WebpRead read;
  try {
    read.pixels.pixels.resize(size_t{w} * h);
  } catch (const std::bad_alloc&) {
    return Failed(Failure::TooLarge);
  }
  if (w != width || h != height) {
    config.options.use_scaling = 1;
    config.options.scaled_width = static_cast<int>(w);
    config.options.scaled_height = static_cast<int>(h);
  }
  // BGRA bytes are 0xAARRGGBB words on this (little-endian) platform.
  config.output.colorspace = MODE_BGRA;
  config.output.is_external_memory = 1;
  config.output.u.RGBA.rgba = reinterpret_cast<uint8_t*>(read.pixels.pixels.data());
  config.output.u.RGBA.stride = static_cast<int>(w * 4);
  config.output.u.RGBA.size = read.pixels.pixels.size() * 4;
  const VP8StatusCode status = WebPDecode(file.data(), file.size(), &config);
  WebPFreeDecBuffer(&config.output);
  if (status != VP8_STATUS_OK) return Failed(status == VP8_STATUS_OUT_OF_MEMORY ? Failure::TooLarge : Failure::Damaged);
  for (uint32_t& p : read.pixels.pixels) p |= 0xFF000000u;
  read.pixels.width = static_cast<int32_t>(w);
  read.pixels.height = static_cast<int32_t>(h);
  read.pixels.sourceBpp = config.input.has_alpha ? 32 : 24;
  read.naturalWidth = width;
  read.naturalHeight = height;
  const std::vector<uint8_t> icc = IccOf(file);
  if (!icc.empty()) ConvertToSrgb(read.pixels.pixels.data(), read.pixels.width, read.pixels.height, w, icc.data(), icc.size());
  return read;
}
