#include "app/options/AlbumSampleCell.h"

#include <QEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <algorithm>
#include <functional>

#include "app/album/AlbumOptions.h"
#include "app/engine/mScaleImage.h"

const QString AlbumSampleCell::kCaptionText = QStringLiteral("Single Cell Sample Preview...");
const QString AlbumSampleCell::kNoteText = QStringLiteral("Note: Preview may not be actual size.");
const QString AlbumSampleCell::kThumbToolTip = QStringLiteral("Click to update preview.");

namespace {

// picPreviewThumb: shows its surface and reports clicks.
class SampleThumbBox : public QWidget {
 public:
  SampleThumbBox(const Surface& surface, std::function<void()> clicked, QWidget* parent)
      : QWidget(parent), surface_(surface), clicked_(std::move(clicked)) {
    setAttribute(Qt::WA_OpaquePaintEvent);
    setCursor(Qt::PointingHandCursor);
  }

 protected:
  void paintEvent(QPaintEvent*) override { QPainter(this).drawImage(0, 0, surface_.image()); }
  void mouseReleaseEvent(QMouseEvent* event) override {
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint())) clicked_();
  }

 private:
  const Surface& surface_;
  std::function<void()> clicked_;
};

// A shape: filled rectangle with an outline of the given width drawn inside it.
void PaintShape(QPainter& p, const QRect& r, ColorValue fill, ColorValue outline, int outlineWidth) {
  if (r.isEmpty()) return;
  p.fillRect(r, TranslateColor(fill));
  const int w = std::min({outlineWidth, (r.width() + 1) / 2, (r.height() + 1) / 2});
  if (w <= 0) return;
  const QColor line = TranslateColor(outline);
  p.fillRect(QRect(r.left(), r.top(), r.width(), w), line);
  p.fillRect(QRect(r.left(), r.bottom() - w + 1, r.width(), w), line);
  p.fillRect(QRect(r.left(), r.top(), w, r.height()), line);
  p.fillRect(QRect(r.right() - w + 1, r.top(), w, r.height()), line);
}

template <typename T, typename Signal>
bool Change(T& member, T value, AlbumSampleCell* cell, Signal signal) {
  if (member == value) return false;
  member = value;
  emit(cell->*signal)(value);
  return true;
}

}  // namespace

AlbumSampleCell::AlbumSampleCell(QWidget* parent) : QWidget(parent) {
  setObjectName(QStringLiteral("picThumbPreview"));
  const AlbumOptions defaults;
  pageColor_ = defaults.pageColor;
  tableColor_ = defaults.tableColor;
  cellColor_ = defaults.cellColor;
  captionBackColor_ = defaults.captionBackColor;
  captionFontColor_ = defaults.captionFontColor;
  borderColor_ = defaults.borderColor;
  borderWidth_ = defaults.borderWidth;
  setAttribute(Qt::WA_OpaquePaintEvent);

  picPreviewThumb_ = new SampleThumbBox(thumb_, [this] { emit SampleRequested(); }, this);
  picPreviewThumb_->setObjectName(QStringLiteral("picPreviewThumb"));
  picPreviewThumb_->setToolTip(kThumbToolTip);
  thumb_.setBackColor(cellColor_);
  thumb_.setRefreshHook([this] { picPreviewThumb_->update(); });

  lblCaptionPreview_ = new QLabel(kCaptionText, this);
  lblCaptionPreview_->setObjectName(QStringLiteral("lblCaptionPreview"));
  lblCaptionPreview_->setAlignment(Qt::AlignCenter);
  Label29_ = new QLabel(kNoteText, this);
  Label29_->setObjectName(QStringLiteral("Label29"));
  Label29_->setAlignment(Qt::AlignCenter);
  QPalette captionPalette = lblCaptionPreview_->palette();
  captionPalette.setColor(QPalette::WindowText, TranslateColor(captionFontColor_));
  lblCaptionPreview_->setPalette(captionPalette);
  FitCaptionFont();
  Relayout();
}

AlbumSampleCell::~AlbumSampleCell() {
  // The box draws thumb_, which goes before the children do.
  delete picPreviewThumb_;
}

void AlbumSampleCell::setPageColor(ColorValue color) {
  if (Change(pageColor_, color, this, &AlbumSampleCell::PageColorChanged)) update();
}

void AlbumSampleCell::setTableColor(ColorValue color) {
  if (Change(tableColor_, color, this, &AlbumSampleCell::TableColorChanged)) update();
}

void AlbumSampleCell::setCellColor(ColorValue color) {
  if (!Change(cellColor_, color, this, &AlbumSampleCell::CellColorChanged)) return;
  update();
  thumb_.setBackColor(cellColor_);
  RedrawSample();
}

void AlbumSampleCell::setCaptionBackColor(ColorValue color) {
  if (Change(captionBackColor_, color, this, &AlbumSampleCell::CaptionBackColorChanged)) update();
}

void AlbumSampleCell::setCaptionFontColor(ColorValue color) {
  if (!Change(captionFontColor_, color, this, &AlbumSampleCell::CaptionFontColorChanged)) return;
  QPalette pal = lblCaptionPreview_->palette();
  pal.setColor(QPalette::WindowText, TranslateColor(captionFontColor_));
  lblCaptionPreview_->setPalette(pal);
}

void AlbumSampleCell::setBorderColor(ColorValue color) {
  if (Change(borderColor_, color, this, &AlbumSampleCell::BorderColorChanged)) update();
}

void AlbumSampleCell::setBorderWidth(int width) {
  if (Change(borderWidth_, width, this, &AlbumSampleCell::BorderWidthChanged)) update();
}

void AlbumSampleCell::ShowSample(const Surface& canvas) {
  // Shrink the canvas once to the size it takes in the box, so every later
  // redraw is a plain copy.
  const QRect fitted =
      FittedRect(canvas.innerWidth(), canvas.innerHeight(), thumb_.innerWidth(), thumb_.innerHeight(), 0, true);
  sample_ = Surface(std::max(0, fitted.width()), std::max(0, fitted.height()));
  DrawPictureFitted(canvas, sample_, 0, true);
  RedrawSample();
}

void AlbumSampleCell::RedrawSample() { DrawPictureFitted(sample_, thumb_, 0, true); }

SampleCellInput AlbumSampleCell::layoutInput() const {
  SampleCellInput in;
  in.area = size();
  in.captionHeight = QFontMetrics(lblCaptionPreview_->font()).height() + 6;
  in.noteHeight = QFontMetrics(Label29_->font()).height();
  in.borderWidth = borderWidth_;
  return in;
}

SampleCellLayout AlbumSampleCell::cellLayout() const { return LayOutSampleCell(layoutInput()); }

void AlbumSampleCell::Relayout() {
  const SampleCellLayout l = cellLayout();
  if (thumb_.outerWidth() != l.thumb.width() || thumb_.outerHeight() != l.thumb.height()) {
    thumb_.setOuterSize(l.thumb.width(), l.thumb.height());
    RedrawSample();
  }
  picPreviewThumb_->setGeometry(l.thumb);
  lblCaptionPreview_->setGeometry(l.captionText);
  Label29_->setGeometry(l.note);
  lblCaptionPreview_->raise();
  update();
}

// The caption's font stands in for a small bitmap font: the widget's font,
// made smaller until the caption fits its cell on one line.
void AlbumSampleCell::FitCaptionFont() {
  QFont f = font();
  const int room = SampleCellLayout::kCellWidth - 4;
  qreal size = f.pointSizeF() > 0 ? f.pointSizeF() : 8;
  f.setPointSizeF(size);
  while (size > 4 && QFontMetrics(f).horizontalAdvance(kCaptionText) > room) {
    size -= 0.5;
    f.setPointSizeF(size);
  }
  lblCaptionPreview_->setFont(f);
}

QSize AlbumSampleCell::minimumSizeHint() const {
  SampleCellInput in = layoutInput();
  in.area = QSize(0, 0);
  const SampleCellLayout l = LayOutSampleCell(in);
  const int width = std::max(l.table.width() + 10, QFontMetrics(Label29_->font()).horizontalAdvance(kNoteText) + 8);
  return QSize(width, l.table.bottom() + 1 + in.noteHeight + 8);
}

QSize AlbumSampleCell::sizeHint() const { return minimumSizeHint() + QSize(20, 20); }

void AlbumSampleCell::paintEvent(QPaintEvent*) {
  QPainter p(this);
  p.fillRect(rect(), TranslateColor(pageColor_));
  const SampleCellLayout l = cellLayout();
  const int table = l.outlinesVisible ? l.tableOutlineWidth : 0;
  const int cell = l.outlinesVisible ? l.cellOutlineWidth : 0;
  PaintShape(p, l.table, tableColor_, borderColor_, table);
  PaintShape(p, l.cell, cellColor_, borderColor_, cell);
  PaintShape(p, l.caption, captionBackColor_, borderColor_, cell);
}

void AlbumSampleCell::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  Relayout();
}

void AlbumSampleCell::changeEvent(QEvent* event) {
  QWidget::changeEvent(event);
  if (event->type() == QEvent::FontChange) {
    FitCaptionFont();
    Relayout();
    updateGeometry();
  }
}
