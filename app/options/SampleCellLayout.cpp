#include "app/options/SampleCellLayout.h"

#include <algorithm>

#include "platform/drawing/Numbers.h"

SampleCellLayout LayOutSampleCell(const SampleCellInput& in) {
  SampleCellLayout l;
  const int w = SampleCellLayout::kCellWidth;
  const int h = SampleCellLayout::kCellHeight;
  // The thumbnail cell, centred across the area, 10 pixels below its top.
  l.cell = QRect(RoundHalfEven(in.area.width() / 2.0 - w / 2.0), SampleCellLayout::kCellTop, w, h);
  // The caption cell 10 pixels below it, one caption line high.
  l.caption = QRect(l.cell.left(), l.cell.top() + h + 10, w, std::max(0, in.captionHeight));
  // The table round both, measured from the thumbnail cell's outline width b.
  const int b = std::max(0, in.cellOutlineWidth);
  l.table = QRect(l.cell.left() - (b + 5), l.cell.top() - (b + 5), w + b + 10, l.caption.height() + 20 + h);
  l.thumb = QRect(l.cell.left() + b + 1, l.cell.top() + b + 1, std::max(0, w - (b + 2)), std::max(0, h - (b + 2)));
  const int c = b;  // the caption cell's outline width is the same as the thumbnail cell's
  l.captionText = QRect(l.caption.left() + c + 1, l.caption.top() + c + 1, std::max(0, w - (c + 3)),
                        std::max(0, l.caption.height() - (c + 3)));
  const int noteHeight = std::max(0, in.noteHeight);
  l.note = QRect(0, std::max(l.table.bottom() + 1, in.area.height() - noteHeight - 2), in.area.width(), noteHeight);

  l.outlinesVisible = in.borderWidth != 0;
  l.cellOutlineWidth = b;
  // Room between the table's edge and the cells on each side.
  const int room = std::min({l.cell.left() - l.table.left(), l.cell.top() - l.table.top(),
                             (l.table.left() + l.table.width()) - (l.cell.left() + w),
                             (l.table.top() + l.table.height()) - (l.caption.top() + l.caption.height())});
  l.tableOutlineWidth = std::clamp(in.borderWidth, 0, std::max(0, room));
  return l;
}

QRect SampleAreaRect(const QRect& imagePreview, int imageSizeLabelHeight) {
  return QRect(imagePreview.left(), imagePreview.top(), imagePreview.width(),
               imagePreview.height() + imageSizeLabelHeight + 53);
}
