#pragma once
// Where the parts of the one-cell album sample sit inside the sample area
// (picThumbPreview), in pixels of the area. Painting, hit-testing and tests
// all read this one layout.
#include <QRect>

struct SampleCellInput {
  QSize area;              // inner size of the sample area
  int captionHeight = 0;   // designed height of the caption shape: one line of the caption font
  int noteHeight = 0;      // height of the note's one line ("Note: Preview may not be actual size.")
  int borderWidth = 1;     // "Border Width" (udTableOpt 4)
  int cellOutlineWidth = 1;  // the cell shapes keep their own outline width
};

struct SampleCellLayout {
  static constexpr int kCellWidth = 154;
  static constexpr int kCellHeight = 127;
  static constexpr int kCellTop = 10;

  QRect table;        // shpPreview 2, behind the cells
  QRect cell;         // shpPreview 0, the thumbnail cell
  QRect caption;      // shpPreview 1, the caption cell
  QRect thumb;        // picPreviewThumb, inside the thumbnail cell
  QRect captionText;  // lblCaptionPreview, inside the caption cell
  QRect note;         // Label29, across the area
  // A border width of 0 makes every outline transparent.
  bool outlinesVisible = true;
  // Outline widths as drawn, inside each shape's rectangle. The table's is
  // the border width, cut to the room between the table's edge and the
  // cells, so a wide border never covers the cells or the sample.
  int tableOutlineWidth = 1;
  int cellOutlineWidth = 1;
};

SampleCellLayout LayOutSampleCell(const SampleCellInput& input);

// The sample area's place in the window: the image preview's left, top and
// width, and its height plus the image size label's height plus 53.
QRect SampleAreaRect(const QRect& imagePreview, int imageSizeLabelHeight);
