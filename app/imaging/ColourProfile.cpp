#include "app/imaging/ColourProfile.h"

#include <lcms2.h>

#include <memory>

namespace {

struct ProfileCloser {
  void operator()(void* profile) const { cmsCloseProfile(profile); }
};
struct TransformDeleter {
  void operator()(void* transform) const { cmsDeleteTransform(transform); }
};
using Profile = std::unique_ptr<void, ProfileCloser>;
using Transform = std::unique_ptr<void, TransformDeleter>;

// lcms2 reports damaged profiles through a global handler; the outcome
// already says it, so nothing is printed.
void Quiet(cmsContext, cmsUInt32Number, const char*) {}

}  // namespace

Outcome ConvertToSrgb(uint32_t* pixels, int32_t width, int32_t height, size_t stride, const uint8_t* icc,
                      size_t iccSize) {
  if (!pixels || width <= 0 || height <= 0 || stride < static_cast<size_t>(width) || !icc || iccSize == 0 ||
      iccSize > UINT32_MAX)
    return Outcome::Failed(Failure::ConversionFailed);
  cmsSetLogErrorHandler(Quiet);
  Profile source(cmsOpenProfileFromMem(icc, static_cast<cmsUInt32Number>(iccSize)));
  const cmsColorSpaceSignature space = source ? cmsGetColorSpace(source.get()) : cmsSigRgbData;
  if (!source || (space != cmsSigRgbData && space != cmsSigCmykData))
    return Outcome::Failed(Failure::ConversionFailed);
  const bool cmyk = space == cmsSigCmykData;
  Profile srgb(cmsCreate_sRGBProfile());
  if (!srgb) return Outcome::Failed(Failure::ConversionFailed);
  // 0xAARRGGBB words are B, G, R, A bytes on this (little-endian) platform;
  // the fourth byte is copied through untouched. CMYK words are C, M, Y, K bytes.
  Transform transform(cmsCreateTransform(source.get(), cmyk ? TYPE_CMYK_8 : TYPE_BGRA_8, srgb.get(), TYPE_BGRA_8,
                                         INTENT_PERCEPTUAL,
                                         cmsFLAGS_BLACKPOINTCOMPENSATION | (cmyk ? 0 : cmsFLAGS_COPY_ALPHA)));
  if (!transform) return Outcome::Failed(Failure::ConversionFailed);
  const cmsUInt32Number strideBytes = static_cast<cmsUInt32Number>(stride * 4);
  cmsDoTransformLineStride(transform.get(), pixels, pixels, static_cast<cmsUInt32Number>(width),
                           static_cast<cmsUInt32Number>(height), strideBytes, strideBytes, 0, 0);
  if (cmyk) {  // CMYK has no fourth byte to keep: opaque
    for (int32_t y = 0; y < height; ++y)
      for (uint32_t *p = pixels + static_cast<size_t>(y) * stride, *end = p + width; p != end; ++p) *p |= 0xFF000000u;
  }
  return Outcome::Done();
}

std::vector<uint8_t> RgbProfileBytes(const RgbPrimaries& p, ToneCurve curve) {
  cmsSetLogErrorHandler(Quiet);
  // Parametric type 4: Y = (aX + b)^g above d, cX below.
  const cmsFloat64Number srgb[5] = {2.4, 1 / 1.055, 0.055 / 1.055, 1 / 12.92, 0.04045};
  const cmsFloat64Number bt709[5] = {1 / 0.45, 1 / 1.099, 0.099 / 1.099, 1 / 4.5, 0.081};
  const cmsFloat64Number linear[5] = {1.0, 1.0, 0.0, 1.0, 0.0};
  const cmsFloat64Number gamma22[5] = {2.2, 1.0, 0.0, 1.0, 0.0};
  const cmsFloat64Number* params = curve == ToneCurve::Srgb    ? srgb
                                   : curve == ToneCurve::Bt709 ? bt709
                                   : curve == ToneCurve::Linear ? linear
                                                                : gamma22;
  cmsToneCurve* tone = cmsBuildParametricToneCurve(nullptr, 4, params);
  if (!tone) return {};
  const cmsCIExyY white{p.whiteX, p.whiteY, 1.0};
  const cmsCIExyYTRIPLE primaries{{p.redX, p.redY, 1.0}, {p.greenX, p.greenY, 1.0}, {p.blueX, p.blueY, 1.0}};
  cmsToneCurve* curves[3] = {tone, tone, tone};
  Profile profile(cmsCreateRGBProfile(&white, &primaries, curves));
  cmsFreeToneCurve(tone);
  std::vector<uint8_t> bytes;
  cmsUInt32Number size = 0;
  if (!profile || !cmsSaveProfileToMem(profile.get(), nullptr, &size) || size == 0) return bytes;
  bytes.resize(size);
  if (!cmsSaveProfileToMem(profile.get(), bytes.data(), &size)) bytes.clear();
  return bytes;
}
