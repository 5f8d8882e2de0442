#pragma once
// The image bridge: every call into FreeImage lives here. Decodes files into
// the load surface, rescales, paints library bitmaps onto images, turns drawn
// surfaces back into library bitmaps, and writes the thumbnail canvas.
#include <FreeImage.h>

#include <QImage>
#include <QString>
#include <cstdint>

#include "app/engine/DecoderProcess.h"
#include "app/imaging/FiBitmap.h"
#include "app/imaging/ImagingTypes.h"
#include "app/imaging/Outcome.h"
#include "platform/drawing/Surface.h"

constexpr uint32_t SRCCOPY = 0x00CC0020;

// Width, height and bits per pixel of the last image LoadImageFile decoded.
struct LastLoadedImage {
  int32_t width = 0;
  int32_t height = 0;
  int32_t bpp = 0;
};
const LastLoadedImage& LastLoaded();

// Decodes in the program's decoder process (SharedDecoder.h), never in the
// program: format from content, else from the name, input formats only; JPEG
// with JPEG_ACCURATE and JPEG_EXIFROTATE (so photos stand upright), every
// other format with 0. A file that crashes, hangs or exhausts the decoder
// simply does not decode; the outcome says why (Unavailable: no decoder can
// be started, SharedDecoder().unavailableReason() says why).
DecodedImage DecodeImageFile(const QString& path);

// Decodes path into picLoad at its natural size and records it as the last
// loaded image. On failure nothing changes and the result is false.
bool LoadImageFile(const QString& path, Surface& picLoad);

// Puts a decoded image into picLoad and records it as the last loaded image
// (at its natural size). A failed decode changes nothing and gives false.
bool PlaceDecodedImage(const DecodedImage& decoded, Surface& picLoad);

// Copies the bitmap's pixels (any standard depth) to the top-left of dc,
// width x height of them. Returns the number of scan lines copied.
int BlitBitmapToDevice(FIBITMAP* bitmap, QImage& dc, int width, int height);

// Rescales to w x h with a FreeImage filter (0-5). A size below 1 follows the
// other from the bitmap's aspect ratio; both below 1 give the source back. The
// source is owned by the call: the result is either a new bitmap (the source
// is released) or, when nothing was or could be rescaled, the source itself.
FiBitmap RescaleBitmap(FiBitmap source, int32_t w, int32_t h, ResampleFilter filter);

// Draws (xs, ys, ws, hs) of the bitmap (in bitmap coordinates, ys from the
// bottom row, as for a bottom-up bitmap) into (xd, yd, wd, hd) of dc. A source
// size of 0 means the bitmap's size; a destination size of 0 the source size.
void PaintBitmap(QImage* dc, FIBITMAP* bitmap, int xd, int yd, int wd, int hd, int xs, int ys, int ws, int hs,
                 uint32_t rop = SRCCOPY);

// A new 32-bit library bitmap with the picture's pixels; null for a null picture.
FiBitmap BitmapFromPicture(const QImage& picture);

// The RGB32 image of any standard or high-depth library bitmap (upright).
QImage ImageFromBitmap(FIBITMAP* bitmap);

struct CaptureRecord {
  FiBitmap bitmap;
  int32_t width = 0;
  int32_t height = 0;
};
// Makes the canvas's drawing its picture and returns it as a 32-bit bitmap
// whose fourth byte is opaque (255).
CaptureRecord CaptureThumbCanvas(Surface& picThumb);

// Captures the canvas and writes it in the format (a FREE_IMAGE_FORMAT number),
// whole: to a temporary file first, then renamed over path. ICO canvases that
// are not squares of 16 to 256 pixels are fitted into one (see the .cpp);
// their downscale uses filter. The outcome says why nothing was written.
Outcome SaveThumbCanvas(Surface& picThumb, const QString& path, int32_t format,
                        ResampleFilter filter = ResampleFilter::Halftone);
