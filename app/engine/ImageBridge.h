#pragma once
// The image bridge: decodes files into the load surface (through the decoder
// process), rescales pictures with the codec's filters and writes the
// thumbnail canvas in an output format. The codec itself is behind
// app/imaging; here pictures are QImages.
#include <QImage>
#include <QString>
#include <cstdint>

#include "app/engine/DecoderProcess.h"
#include "app/imaging/ImagingTypes.h"
#include "app/imaging/Outcome.h"
#include "app/imaging/PixelBuffer.h"
#include "platform/drawing/Surface.h"

// Width, height and bits per pixel of the last image LoadImageFile decoded.
struct LastLoadedImage {
  int32_t width = 0;
  int32_t height = 0;
  int32_t bpp = 0;
};
const LastLoadedImage& LastLoaded();

// Decodes in the program's decoder process (SharedDecoder.h), never in the
// program: format from content, else from the name, input formats only; JPEG
// accurately and turned upright by its orientation tag. A file that crashes,
// hangs or exhausts the decoder simply does not decode; the result says why.
DecodedImage DecodeImageFile(const QString& path);

// Decodes path into picLoad at its natural size and records it as the last
// loaded image. On failure nothing changes and the result is false.
bool LoadImageFile(const QString& path, Surface& picLoad);

// Puts a decoded image into picLoad and records it as the last loaded image
// (at its natural size). A failed decode changes nothing and gives false.
bool PlaceDecodedImage(const DecodedImage& decoded, Surface& picLoad);

// A view of an RGB32 image's pixels (valid while the image lives unchanged).
PixelView ViewOf(const QImage& rgb32);
// An RGB32 image with a copy of the buffer's pixels.
QImage ImageOf(const PixelBuffer& pixels);
// An RGB32 image of the pixels shrunk to size by area averages (AverageArea);
// null when size is larger than the pixels on either side, or no memory.
QImage AveragedImage(const PixelView& pixels, const QSize& size);

// The picture rescaled to w x h with one of the codec's filters (Halftone:
// smooth stretching). A size below 1 follows the other from the picture's
// aspect ratio; both below 1, or a filter that cannot rescale, give the
// picture back unchanged.
QImage RescaleImage(const QImage& picture, int32_t w, int32_t h, ResampleFilter filter);

// Makes the canvas's drawing its picture and returns it as an opaque RGB32
// image; null for an empty canvas.
QImage CaptureThumbCanvas(Surface& picThumb);

// Writes a picture in the format, whole: to a temporary file first, then
// renamed over path. ICO pictures that are not squares of 16 to 256 pixels
// are fitted into one; their downscale uses filter. The outcome says why
// nothing was written.
Outcome SavePicture(const QImage& picture, const QString& path, ImageFileFormat format,
                    ResampleFilter filter = ResampleFilter::Halftone);

// The size of a copy of an image of the natural size whose longer side is
// at most longestSide: the natural size when it fits already (never enlarged).
QSize CopySize(const QSize& natural, int longestSide);

// A decoded image as an image page's copy: at CopySize of its natural size,
// made from its pixels with filter; pixels decoded at that size or a little
// smaller are taken as they are.
QImage CopyPicture(const DecodedImage& decoded, int longestSide, ResampleFilter filter);

// Captures the canvas and writes it in the format, whole: to a temporary file
// first, then renamed over path. ICO canvases that are not squares of 16 to
// 256 pixels are fitted into one; their downscale uses filter. The outcome
// says why nothing was written.
Outcome SaveThumbCanvas(Surface& picThumb, const QString& path, ImageFileFormat format,
                        ResampleFilter filter = ResampleFilter::Halftone);
