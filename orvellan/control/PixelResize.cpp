#include "orvellan/control/PixelResize.h"

#include "orvellan/dib/Bilinear.h"

QImage ResizeBilinear(const QImage& source, int newWidth, int newHeight) {
  if (source.isNull() || source.depth() != 32 || newWidth < 1 || newHeight < 1) return QImage();
  QImage out(newWidth, newHeight, QImage::Format_RGB32);
  if (out.isNull()) return out;
  // Top-down in both: the rule works on scan lines in memory order.
  const PixelLayout from{source.width(), source.height(), source.bytesPerLine(), 4};
  const PixelLayout to{out.width(), out.height(), out.bytesPerLine(), 4};
  if (!ResampleBilinear(source.constBits(), from, out.bits(), to, EdgeReads::Clamped)) return QImage();
  return out;
}
