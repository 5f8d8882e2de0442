// The one-cell album sample: its layout, and what it paints as the colours,
// the border width and the sample thumbnail change.
#include <gtest/gtest.h>

#include <QLabel>
#include <QSignalSpy>
#include <QTest>

#include "app/options/AlbumSampleCell.h"
#include "app/options/SampleCellLayout.h"
#include "tests/support/TestImages.h"

namespace {

SampleCellInput Input(int borderWidth) {
  SampleCellInput in;
  in.area = QSize(200, 230);
  in.captionHeight = 16;
  in.noteHeight = 12;
  in.borderWidth = borderWidth;
  return in;
}

TEST(SampleCellLayout, PlacesCellsTableThumbAndCaption) {
  const SampleCellLayout l = LayOutSampleCell(Input(1));
  EXPECT_EQ(l.cell, QRect(23, 10, 154, 127));           // centred: 100 - 77
  EXPECT_EQ(l.caption, QRect(23, 147, 154, 16));        // 10 below the cell
  EXPECT_EQ(l.table, QRect(17, 4, 165, 16 + 20 + 127));  // b = 1: 6 out, width + 11
  EXPECT_EQ(l.thumb, QRect(25, 12, 151, 124));          // inside the cell's outline
  EXPECT_EQ(l.captionText, QRect(25, 149, 150, 12));
  EXPECT_EQ(l.note.width(), 200);
  EXPECT_GT(l.note.top(), l.table.bottom());
  // An odd width centres on the half pixel, rounded half to even.
  SampleCellInput odd = Input(1);
  odd.area.setWidth(201);
  EXPECT_EQ(LayOutSampleCell(odd).cell.left(), 24);  // 100.5 - 77 = 23.5 -> 24
}

TEST(SampleCellLayout, BorderWidthChangesOnlyTheTableOutline) {
  struct Case {
    int borderWidth;
    bool visible;
    int drawn;
  };
  // The room between the table's edge and the cells is 4 pixels (at the bottom).
  const Case cases[] = {{0, false, 0}, {1, true, 1}, {3, true, 3}, {4, true, 4}, {5, true, 4}, {500, true, 4}};
  const SampleCellLayout base = LayOutSampleCell(Input(1));
  for (const Case& c : cases) {
    const SampleCellLayout l = LayOutSampleCell(Input(c.borderWidth));
    EXPECT_EQ(l.outlinesVisible, c.visible) << c.borderWidth;
    EXPECT_EQ(l.tableOutlineWidth, c.drawn) << c.borderWidth;
    EXPECT_EQ(l.cellOutlineWidth, 1) << c.borderWidth;
    EXPECT_EQ(l.cell, base.cell) << c.borderWidth;
    EXPECT_EQ(l.thumb, base.thumb) << c.borderWidth;
    EXPECT_EQ(l.table, base.table) << c.borderWidth;
  }
}

TEST(SampleCellLayout, AreaFollowsTheImagePreview) {
  EXPECT_EQ(SampleAreaRect(QRect(8, 20, 180, 150), 14), QRect(8, 20, 180, 150 + 14 + 53));
}

class SampleCellTest : public ::testing::Test {
 protected:
  AlbumSampleCell cell;
  void SetUp() override {
    cell.resize(220, 240);
    cell.show();
  }
  QImage Shot() { return cell.grab().toImage().convertToFormat(QImage::Format_RGB32); }
  QRgb At(const QImage& shot, QPoint p) { return shot.pixel(p); }
};

TEST_F(SampleCellTest, CellColourRecoloursCellAndSampleTogether) {
  // A 100 x 80 canvas of one colour sits centred in the 151 x 124 box.
  Surface canvas;
  canvas.setImage(testimages::Solid(100, 80, Qt::blue));
  cell.ShowSample(canvas);
  cell.setCellColor(0x0000FF);  // red
  const SampleCellLayout l = cell.cellLayout();
  const QImage shot = Shot();
  const QPoint thumbCorner = l.thumb.topLeft() + QPoint(2, 2);
  const QPoint cellInside = l.cell.topLeft() + QPoint(1, 1);  // between outline and thumbnail box
  EXPECT_EQ(At(shot, thumbCorner), qRgb(255, 0, 0));
  EXPECT_EQ(At(shot, cellInside), qRgb(255, 0, 0));
  EXPECT_EQ(At(shot, l.thumb.center()), qRgb(0, 0, 255));  // the thumbnail is still there
  EXPECT_EQ(cell.thumbSurface().image().pixel(2, 2), qRgb(255, 0, 0));
}

TEST_F(SampleCellTest, SampleIsFittedNeverEnlarged) {
  struct Case {
    QSize canvas;
    QRect drawn;  // in the 151 x 124 box
  };
  const Case cases[] = {
      {{100, 80}, QRect(26, 22, 100, 80)},    // smaller: own size, centred
      {{300, 300}, QRect(14, 0, 124, 124)},   // larger: shrunk to fit
  };
  for (const Case& c : cases) {
    Surface canvas;
    canvas.setImage(testimages::Solid(c.canvas.width(), c.canvas.height(), Qt::green));
    cell.ShowSample(canvas);
    const QImage& box = cell.thumbSurface().image();
    ASSERT_EQ(box.size(), QSize(151, 124));
    EXPECT_EQ(box.pixel(c.drawn.topLeft()), qRgb(0, 255, 0)) << c.canvas.width();
    EXPECT_EQ(box.pixel(c.drawn.bottomRight()), qRgb(0, 255, 0)) << c.canvas.width();
    if (c.drawn.left() > 0) {
      EXPECT_NE(box.pixel(c.drawn.left() - 1, c.drawn.top()), qRgb(0, 255, 0));
    }
    if (c.drawn.bottom() < box.height() - 1) {
      EXPECT_NE(box.pixel(c.drawn.left(), c.drawn.bottom() + 1), qRgb(0, 255, 0));
    }
  }
}

TEST_F(SampleCellTest, BorderWidthZeroHidesOutlinesAndThreeBringsThemBack) {
  cell.setBorderColor(0x00FF00);  // green outlines
  cell.setTableColor(0xFF0000);   // blue table
  cell.setCellColor(0x0000FF);    // red cell
  const SampleCellLayout l = cell.cellLayout();
  cell.setBorderWidth(0);
  QImage shot = Shot();
  EXPECT_EQ(At(shot, l.table.topLeft()), qRgb(0, 0, 255));
  EXPECT_EQ(At(shot, l.cell.topLeft()), qRgb(255, 0, 0));
  EXPECT_EQ(At(shot, l.caption.topLeft()), TranslateColor(cell.CaptionBackColor()).rgb());

  cell.setBorderWidth(3);
  shot = Shot();
  for (int i = 0; i < 3; ++i) EXPECT_EQ(At(shot, l.table.topLeft() + QPoint(i, i)), qRgb(0, 255, 0)) << i;
  EXPECT_EQ(At(shot, l.table.topLeft() + QPoint(3, 3)), qRgb(0, 0, 255));
  EXPECT_EQ(At(shot, l.cell.topLeft()), qRgb(0, 255, 0));  // cells keep a one-pixel outline
  EXPECT_EQ(At(shot, l.cell.topLeft() + QPoint(1, 1)), qRgb(255, 0, 0));
  EXPECT_EQ(At(shot, l.caption.topLeft()), qRgb(0, 255, 0));
}

TEST_F(SampleCellTest, WideBorderDoesNotCoverTheCellsOrTheSample) {
  Surface canvas;
  canvas.setImage(testimages::Solid(150, 120, Qt::blue));
  cell.ShowSample(canvas);
  cell.setBorderColor(0x00FF00);
  cell.setCellColor(0x0000FF);
  cell.setBorderWidth(500);
  const SampleCellLayout l = cell.cellLayout();
  const QImage shot = Shot();
  EXPECT_EQ(At(shot, l.cell.topLeft() + QPoint(1, 1)), qRgb(255, 0, 0));
  EXPECT_EQ(At(shot, l.thumb.center()), qRgb(0, 0, 255));
  EXPECT_EQ(At(shot, l.caption.center()), TranslateColor(cell.CaptionBackColor()).rgb());
  // Above the table the page still shows.
  EXPECT_EQ(At(shot, QPoint(l.table.left(), l.table.top() - 1)), qRgb(255, 255, 255));
}

TEST_F(SampleCellTest, SystemColoursAreTranslatedNotBlack) {
  const ColorValue buttonFace = SystemColor(COLOR_BTNFACE);  // 0x8000000F
  cell.setPageColor(buttonFace);
  cell.setCellColor(SystemColor(COLOR_WINDOW));
  const QImage shot = Shot();
  const SampleCellLayout l = cell.cellLayout();
  const QRgb expectedPage = TranslateColor(buttonFace).rgb();
  ASSERT_NE(expectedPage, qRgb(0, 0, 0));
  EXPECT_EQ(At(shot, QPoint(1, 1)), expectedPage);
  EXPECT_EQ(At(shot, l.thumb.topLeft()), TranslateColor(SystemColor(COLOR_WINDOW)).rgb());
  EXPECT_NE(At(shot, l.thumb.topLeft()), qRgb(0, 0, 0));
}

TEST_F(SampleCellTest, CaptionAndNoteFitAndClickAsksForASample) {
  const QLabel* caption = cell.lblCaptionPreview();
  EXPECT_EQ(caption->text(), QStringLiteral("Single Cell Sample Preview..."));
  EXPECT_LE(caption->fontMetrics().horizontalAdvance(caption->text()), caption->width());
  EXPECT_LE(caption->fontMetrics().height(), caption->height());
  EXPECT_EQ(cell.Label29()->text(), QStringLiteral("Note: Preview may not be actual size."));
  EXPECT_EQ(cell.picPreviewThumb()->toolTip(), QStringLiteral("Click to update preview."));

  cell.setCaptionFontColor(0x0000FF);
  EXPECT_EQ(caption->palette().color(QPalette::WindowText), QColor(255, 0, 0));

  QSignalSpy asked(&cell, &AlbumSampleCell::SampleRequested);
  QTest::mouseClick(cell.picPreviewThumb(), Qt::LeftButton, {}, QPoint(5, 5));
  EXPECT_EQ(asked.count(), 1);
}

}  // namespace
