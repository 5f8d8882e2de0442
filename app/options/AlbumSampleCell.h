#pragma once
// The one-cell album sample (picThumbPreview): the page colour behind a table
// shape (shpPreview 2) holding a thumbnail cell (shpPreview 0) with the sample
// thumbnail box picPreviewThumb, and a caption cell (shpPreview 1) with the
// caption lblCaptionPreview; the note Label29 runs across the area. It shares
// its place in the window with the image preview, so the window places it.
//
// Colours are colour values; system colours (top bit set) are translated
// when painted. The sample thumbnail is the last canvas drawn fitted into
// picPreviewThumb on the cell colour; a new cell colour redraws it from the
// shrunk copy kept here (no decode, no composition).
#include <QWidget>

#include "app/options/SampleCellLayout.h"
#include "platform/drawing/Surface.h"

class QLabel;

class AlbumSampleCell : public QWidget {
  Q_OBJECT
  Q_PROPERTY(quint32 PageColor READ PageColor WRITE setPageColor NOTIFY PageColorChanged)
  Q_PROPERTY(quint32 TableColor READ TableColor WRITE setTableColor NOTIFY TableColorChanged)
  Q_PROPERTY(quint32 CellColor READ CellColor WRITE setCellColor NOTIFY CellColorChanged)
  Q_PROPERTY(quint32 CaptionBackColor READ CaptionBackColor WRITE setCaptionBackColor NOTIFY CaptionBackColorChanged)
  Q_PROPERTY(quint32 CaptionFontColor READ CaptionFontColor WRITE setCaptionFontColor NOTIFY CaptionFontColorChanged)
  Q_PROPERTY(quint32 BorderColor READ BorderColor WRITE setBorderColor NOTIFY BorderColorChanged)
  Q_PROPERTY(int BorderWidth READ BorderWidth WRITE setBorderWidth NOTIFY BorderWidthChanged)

 public:
  static const QString kCaptionText;  // "Single Cell Sample Preview..."
  static const QString kNoteText;     // "Note: Preview may not be actual size."
  static const QString kThumbToolTip;  // "Click to update preview."

  explicit AlbumSampleCell(QWidget* parent = nullptr);
  ~AlbumSampleCell() override;

  ColorValue PageColor() const { return pageColor_; }
  ColorValue TableColor() const { return tableColor_; }
  ColorValue CellColor() const { return cellColor_; }
  ColorValue CaptionBackColor() const { return captionBackColor_; }
  ColorValue CaptionFontColor() const { return captionFontColor_; }
  ColorValue BorderColor() const { return borderColor_; }
  int BorderWidth() const { return borderWidth_; }

  void setPageColor(ColorValue color);
  void setTableColor(ColorValue color);
  // Recolours the thumbnail cell and the sample thumbnail's background together.
  void setCellColor(ColorValue color);
  void setCaptionBackColor(ColorValue color);
  void setCaptionFontColor(ColorValue color);
  void setBorderColor(ColorValue color);
  // 0 makes the three outlines transparent; any other value makes them solid
  // with the table outline that wide (as far as it fits beside the cells).
  void setBorderWidth(int width);

  // Draws the canvas (picThumb) fitted into picPreviewThumb, margin 0,
  // centred: shrunk when larger, never enlarged. A shrunk copy is kept for
  // redrawing on a new cell colour.
  void ShowSample(const Surface& canvas);
  // picPreviewThumb's drawing.
  const Surface& thumbSurface() const { return thumb_; }

  SampleCellLayout cellLayout() const;
  QWidget* picPreviewThumb() const { return picPreviewThumb_; }
  QLabel* lblCaptionPreview() const { return lblCaptionPreview_; }
  QLabel* Label29() const { return Label29_; }

  QSize sizeHint() const override;
  QSize minimumSizeHint() const override;

 signals:
  // A click on picPreviewThumb asks for a new sample.
  void SampleRequested();
  void PageColorChanged(quint32 color);
  void TableColorChanged(quint32 color);
  void CellColorChanged(quint32 color);
  void CaptionBackColorChanged(quint32 color);
  void CaptionFontColorChanged(quint32 color);
  void BorderColorChanged(quint32 color);
  void BorderWidthChanged(int width);

 protected:
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void changeEvent(QEvent* event) override;

 private:
  SampleCellInput layoutInput() const;
  void Relayout();
  void RedrawSample();
  void FitCaptionFont();

  ColorValue pageColor_;
  ColorValue tableColor_;
  ColorValue cellColor_;
  ColorValue captionBackColor_;
  ColorValue captionFontColor_;
  ColorValue borderColor_;
  int borderWidth_;
  Surface thumb_;   // picPreviewThumb's persistent image
  Surface sample_;  // the last canvas, already fitted to picPreviewThumb
  QWidget* picPreviewThumb_ = nullptr;  // child, owned by this
  QLabel* lblCaptionPreview_ = nullptr;  // child, owned by this
  QLabel* Label29_ = nullptr;            // child, owned by this
};
