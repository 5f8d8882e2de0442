#pragma once
// Composition of a thumbnail on the canvas, in the plain style and the three
// framed styles, and the background surface of the framed styles.
#include <QString>
#include <cstdint>

#include "app/engine/DecoderProcess.h"
#include "app/imaging/ImagingTypes.h"
#include "platform/drawing/DrawEdge.h"
#include "platform/drawing/Surface.h"

enum ThumbStyle : int {
  kStyleNormal = 0,        // "Normal (Thumb Image Only)"
  kStyleFlat = 1,          // "Flat Background"
  kStyleRaised = 2,        // "Raised Button"
  kStyleRaisedBorder = 3,  // "Raised Button With Inner Border"
};

// The three hidden surfaces the engine works on: the load surface, the
// thumbnail canvas and the framed styles' background. The main window (or a
// headless host) owns one set.
struct ThumbStage {
  Surface PicLoad;
  Surface picThumb;
  Surface picBknd;

  // The canvas's outer size; picBknd always follows it.
  void SetCanvasSize(int width, int height);
  // Colour choice in cpThumbBack: both the background surface and the canvas take it.
  void SetThumbBackColor(ColorValue color);
  // A background image chosen with the browse button: loaded into PicLoad,
  // PicLoad's drawing becomes picBknd's picture, PicLoad's picture is removed.
  // A file that does not decode changes nothing (PicLoad and picBknd keep
  // what they held) and gives false.
  bool ApplyBrowsedBackgroundImage(const QString& path);
  // The same for an image already decoded (at its natural size).
  bool ApplyBackgroundImage(const DecodedImage& decoded);
  // Text change of txtThumbBackImage: an empty text removes the background image.
  void BackgroundImageTextChanged(const QString& text);
};

// Where the framed styles put the image and their edges on a canvas.
struct StyledLayout {
  int x = 0, y = 0, width = 0, height = 0;  // the image after the 5-pixel inset
  bool drawImage = false;                    // false when the inset leaves nothing to draw
  bool raisedEdge = false;
  WinRect raisedRect;
  bool sunkenEdge = false;
  WinRect sunkenRect;
};
StyledLayout LayoutStyledThumb(int sourceWidth, int sourceHeight, int canvasWidth, int canvasHeight, int style,
                               int16_t padding, bool centre);

// Sizes the canvas to the thumbnail size of PicLoad's image and draws the image scaled into it.
void ComposePlainThumb(ThumbStage& stage, int32_t w0, int32_t h0, int resizeMode, ResampleFilter filter);

// Composes a framed thumbnail on a canvas already sized to the size boxes.
void ComposeStyledThumb(const Surface& source, Surface& canvas, const Surface& background, int style,
                        int16_t padding, bool centre, ResampleFilter filter);

// Draws source's whole image scaled to (x, y, w, h) of dc: smooth stretching
// for code 6, else the library filter.
void DrawScaledImage(QImage& dc, const QImage& source, int x, int y, int w, int h, ResampleFilter filter);
