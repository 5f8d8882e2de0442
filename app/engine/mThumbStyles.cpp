#include "app/engine/mThumbStyles.h"

#include <QPainter>

#include "app/engine/ImageBridge.h"
#include "app/engine/ThumbGeometry.h"
#include "app/engine/mScaleImage.h"
#include "platform/drawing/Numbers.h"

void ThumbStage::SetCanvasSize(int width, int height) {
  picThumb.setOuterSize(width, height);
  picBknd.setOuterSize(width, height);
}

void ThumbStage::SetThumbBackColor(ColorValue color) {
  picBknd.setBackColor(color);
  picThumb.setBackColor(color);
}

bool ThumbStage::ApplyBrowsedBackgroundImage(const QString& path) {
  return ApplyBackgroundImage(DecodeImageFile(path.trimmed()));
}

bool ThumbStage::ApplyBackgroundImage(const DecodedImage& decoded) {
  if (!PlaceDecodedImage(decoded, PicLoad)) return false;
  picBknd.setPicture(PicLoad.image());
  PicLoad.removePicture();
  return true;
}

void ThumbStage::BackgroundImageTextChanged(const QString& text) {
  if (text.isEmpty()) picBknd.removePicture();
}

void DrawScaledImage(QImage& dc, const QImage& source, int x, int y, int w, int h, ResampleFilter filter) {
  if (source.isNull() || dc.isNull() || w <= 0 || h <= 0) return;
  // When the codec cannot rescale, the unscaled picture is painted at its own
  // size from (x, y), cut off by the canvas.
  // The codec's filters give opaque pixels (fourth byte 255), also for the
  // picture it could not rescale.
  QImage scaled;
  if (filter == ResampleFilter::Halftone)
    scaled = source.size() == QSize(w, h) ? source : RescaleImage(source, w, h, filter);
  else
    scaled = RescaleImage(source, w, h, filter).convertToFormat(QImage::Format_RGB32);
  QPainter p(&dc);
  p.setCompositionMode(QPainter::CompositionMode_Source);
  p.drawImage(x, y, scaled);
}

void ComposePlainThumb(ThumbStage& stage, int32_t w0, int32_t h0, int resizeMode, ResampleFilter filter) {
  const Surface& load = stage.PicLoad;
  // The size rules take the image's own size, also when its pixels were decoded smaller.
  const QSize natural = load.naturalSize();
  const QSize size = ThumbnailSize(natural.width(), natural.height(), w0, h0, resizeMode);
  stage.picThumb.removePicture();
  stage.SetCanvasSize(size.width(), size.height());
  stage.picThumb.Clear();
  DrawScaledImage(stage.picThumb.image(), load.image(), 0, 0, size.width(), size.height(), filter);
}

StyledLayout LayoutStyledThumb(int sourceWidth, int sourceHeight, int canvasWidth, int canvasHeight, int style,
                               int16_t padding, bool centre) {
  StyledLayout layout;
  // Fitted into the canvas less the padding, never enlarged, as the preview boxes are.
  const QRect fitted = FittedRect(sourceWidth, sourceHeight, canvasWidth, canvasHeight, padding, centre);
  int x = fitted.x();
  int y = fitted.y();
  int sw = fitted.width();
  int sh = fitted.height();
  if (style == kStyleRaised || style == kStyleRaisedBorder) {
    layout.raisedEdge = true;
    layout.raisedRect = {0, 0, canvasWidth, canvasHeight};
  }
  x += 5;
  y += 5;
  sw -= 10;
  sh -= 10;
  if (style == kStyleRaisedBorder) {
    layout.sunkenEdge = true;
    layout.sunkenRect = {x - 1, y - 1, x + sw + 2, y + sh + 2};
  }
  layout.x = x;
  layout.y = y;
  layout.width = sw;
  layout.height = sh;
  // An image of 10 pixels or less in either direction has nothing left after
  // the inset: the frame is composed without it.
  layout.drawImage = sw > 0 && sh > 0;
  return layout;
}

void ComposeStyledThumb(const Surface& source, Surface& canvas, const Surface& background, int style,
                        int16_t padding, bool centre, ResampleFilter filter) {
  const QSize natural = source.naturalSize();
  const StyledLayout layout = LayoutStyledThumb(natural.width(), natural.height(), canvas.innerWidth(),
                                                canvas.innerHeight(), style, padding, centre);
  canvas.setPicture(background.image());  // clears the canvas to show the background
  if (layout.raisedEdge) DrawEdge(canvas.image(), layout.raisedRect, EDGE_RAISED, BF_RECT);
  if (layout.sunkenEdge) DrawEdge(canvas.image(), layout.sunkenRect, EDGE_SUNKEN, BF_RECT);
  if (layout.drawImage)
    DrawScaledImage(canvas.image(), source.image(), layout.x, layout.y, layout.width, layout.height,
                    filter);
}
