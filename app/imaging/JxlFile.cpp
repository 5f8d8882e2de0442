#include "app/imaging/JxlFile.h"

#include <jxl/decode.h>

#include <cstdio>
#include <memory>
#include <new>
#include <vector>

#include "app/imaging/ColourProfile.h"

namespace {

struct DecoderDestroy {
  void operator()(JxlDecoder* decoder) const { JxlDecoderDestroy(decoder); }
};
struct FileClose {
  void operator()(std::FILE* file) const { std::fclose(file); }
};

JxlRead Failed(Failure why) {
  JxlRead read;
  read.outcome = Outcome::Failed(why);
  return read;
}

bool ReadWhole(const char* path, std::vector<uint8_t>* bytes) {
  std::unique_ptr<std::FILE, FileClose> file(std::fopen(path, "rb"));
  if (!file) return false;
  uint8_t chunk[65536];
  size_t n;
  while ((n = std::fread(chunk, 1, sizeof chunk, file.get())) > 0) bytes->insert(bytes->end(), chunk, chunk + n);
  return !std::ferror(file.get());
}

// Whether the pixels come out in sRGB already (nothing to convert).
bool IsSrgb(const JxlDecoder* decoder) {
  JxlColorEncoding encoding{};
  if (JxlDecoderGetColorAsEncodedProfile(decoder, nullptr, JXL_COLOR_PROFILE_TARGET_DATA, &encoding) !=
      JXL_DEC_SUCCESS)
    return false;
  return encoding.color_space == JXL_COLOR_SPACE_RGB && encoding.white_point == JXL_WHITE_POINT_D65 &&
         encoding.primaries == JXL_PRIMARIES_SRGB && encoding.transfer_function == JXL_TRANSFER_FUNCTION_SRGB;
}

std::vector<uint8_t> DataProfile(const JxlDecoder* decoder) {
  std::vector<uint8_t> icc;
  size_t size = 0;
  if (JxlDecoderGetICCProfileSize(decoder, nullptr, JXL_COLOR_PROFILE_TARGET_DATA, &size) != JXL_DEC_SUCCESS ||
      size == 0)
    return icc;
  icc.resize(size);
  if (JxlDecoderGetColorAsICCProfile(decoder, nullptr, JXL_COLOR_PROFILE_TARGET_DATA, icc.data(), size) !=
      JXL_DEC_SUCCESS)
    icc.clear();
  return icc;
}

}  // namespace

bool IsJxlFile(const uint8_t* header, size_t headerBytes) {
  const JxlSignature signature = JxlSignatureCheck(header, headerBytes);
  return signature == JXL_SIG_CODESTREAM || signature == JXL_SIG_CONTAINER;
}

JxlRead ReadJxl(const char* path, uint64_t maxPixels) {
  std::vector<uint8_t> file;
  if (!ReadWhole(path, &file)) return Failed(Failure::NotReadable);
  std::unique_ptr<JxlDecoder, DecoderDestroy> decoder(JxlDecoderCreate(nullptr));
  if (!decoder) return Failed(Failure::TooLarge);
  JxlDecoder* dec = decoder.get();
  if (JxlDecoderSubscribeEvents(dec, JXL_DEC_BASIC_INFO | JXL_DEC_COLOR_ENCODING | JXL_DEC_FULL_IMAGE) !=
          JXL_DEC_SUCCESS ||
      JxlDecoderSetInput(dec, file.data(), file.size()) != JXL_DEC_SUCCESS)
    return Failed(Failure::Damaged);
  JxlDecoderCloseInput(dec);

  const JxlPixelFormat format{3, JXL_TYPE_UINT8, JXL_NATIVE_ENDIAN, 0};
  JxlBasicInfo info{};
  std::vector<uint8_t> rgb;
  std::vector<uint8_t> icc;
  bool srgb = true;
  for (;;) {
    switch (JxlDecoderProcessInput(dec)) {
      case JXL_DEC_BASIC_INFO:
        if (JxlDecoderGetBasicInfo(dec, &info) != JXL_DEC_SUCCESS || info.xsize == 0 || info.ysize == 0)
          return Failed(Failure::Damaged);
        if (uint64_t{info.xsize} * info.ysize > maxPixels) return Failed(Failure::TooLarge);
        break;
      case JXL_DEC_COLOR_ENCODING:
        srgb = IsSrgb(dec);
        if (!srgb) icc = DataProfile(dec);
        break;
      case JXL_DEC_NEED_IMAGE_OUT_BUFFER: {
        size_t size = 0;
        if (JxlDecoderImageOutBufferSize(dec, &format, &size) != JXL_DEC_SUCCESS) return Failed(Failure::Damaged);
        try {
          rgb.resize(size);
        } catch (const std::bad_alloc&) {
          return Failed(Failure::TooLarge);
        }
        if (JxlDecoderSetImageOutBuffer(dec, &format, rgb.data(), rgb.size()) != JXL_DEC_SUCCESS)
          return Failed(Failure::Damaged);
        break;
      }
      case JXL_DEC_FULL_IMAGE:
        break;
      case JXL_DEC_SUCCESS: {
        // The codec turned the picture upright: orientations 5-8 swap its sides.
        const bool turned = info.orientation >= JXL_ORIENT_TRANSPOSE;
        const uint32_t w = turned ? info.ysize : info.xsize;
        const uint32_t h = turned ? info.xsize : info.ysize;
        if (rgb.size() < size_t{w} * h * 3) return Failed(Failure::Damaged);
        JxlRead read;
        read.pixels.pixels.resize(size_t{w} * h);
        const uint8_t* src = rgb.data();
        for (uint32_t& out : read.pixels.pixels) {
          out = 0xFF000000u | uint32_t{src[0]} << 16 | uint32_t{src[1]} << 8 | src[2];
          src += 3;
        }
        read.pixels.width = static_cast<int32_t>(w);
        read.pixels.height = static_cast<int32_t>(h);
        read.pixels.sourceBpp = info.bits_per_sample * (info.alpha_bits > 0 ? 4 : 3);
        if (!srgb && !icc.empty())
          ConvertToSrgb(read.pixels.pixels.data(), read.pixels.width, read.pixels.height, w, icc.data(), icc.size());
        return read;
      }
      default:  // an error, or a file that ends too soon
        return Failed(Failure::Damaged);
    }
  }
}
