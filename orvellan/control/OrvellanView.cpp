// Zoom, view layout, best fit, the border and painting of the visible part.
#include <QPainter>
#include <QPushButton>
#include <QScrollBar>

#include "orvellan/control/BoxWidget.h"
#include "orvellan/control/Cursors.h"
#include "orvellan/control/Orvellan.h"
#include "orvellan/control/OrvellanEvents.h"
#include "orvellan/control/ViewLayout.h"
#include "orvellan/control/ZoomBlit.h"
#include "platform/drawing/Numbers.h"

void Orvellan::OvZoomIN() {
  if (!Raise(&OrvellanEvents::OvZoomIN)) return;
  bestFit_ = false;
  if (hasPicture_ && zoomIndex_ < 24) {
    ++zoomIndex_;
    if (LayoutView()) (void)Notify(&Orvellan::OvZoomPercentChanged, OvZoomPercent());
  }
}

void Orvellan::OvZoomOUT() {
  if (!Raise(&OrvellanEvents::OvZoomOUT)) return;
  bestFit_ = false;
  if (hasPicture_ && zoomIndex_ > 0) {
    --zoomIndex_;
    if (LayoutView()) (void)Notify(&Orvellan::OvZoomPercentChanged, OvZoomPercent());
  }
}

void Orvellan::OvZoom100() {
  if (!Raise(&OrvellanEvents::OvZoomACTUAL)) return;
  bestFit_ = false;
  if (hasPicture_) {
    const bool changed = zoomIndex_ != 0;
    zoomIndex_ = 0;
    if (LayoutView() && changed) (void)Notify(&Orvellan::OvZoomPercentChanged, OvZoomPercent());
  }
}

void Orvellan::OvZoomBestFit() {
  if (!hasPicture_) return;
  if (!Raise(&OrvellanEvents::OvZoomBEST)) return;
  HideBarsAndCorner();
  displayBlank_ = true;
  iDst_->update();
  bestFit_ = true;
  FitPicture();
  iBestFit_->setEnabled(true);
  iBestFit_->show();
  iBestFit_->raise();
}

void Orvellan::Refresh() {
  update();  // the border, drawn by paintEvent
  RepaintDisplay();
}

// Picture <-> view. The display box sits at D in the control and shows the
// zoomed picture scrolled by s = (hv, vv), at zoom factor f:
//
//   view = D - s + picture * f          picture = (view - D + s) / f
//
// Zoom anchor: to keep the picture point under view point a fixed while the
// factor goes from f to f', the scroll becomes
//
//   s' = (a - D + s) * f' / f - (a - D)
//
// (the same picture point, p = (a - D + s) / f, then lies at a again). With
// f' = f this is the scroll that brings a chosen picture point to a chosen
// view point, which is how OvSetView aims at edges and the centre.
QPointF Orvellan::ViewOrigin() const { return QPointF(iDst_->pos()) - QPointF(hSB_->value(), vSB_->value()); }

QPointF Orvellan::mapToView(const QPointF& picturePoint) const { return ViewOrigin() + picturePoint * Factor(); }

QPointF Orvellan::mapToImage(const QPointF& viewPoint) const { return (viewPoint - ViewOrigin()) / Factor(); }

void Orvellan::HideBarsAndCorner() {
  hSB_->hide();
  vSB_->hide();
  shp_->hide();
  cmdCorner_->hide();
}

void Orvellan::RepaintDisplay() { iDst_->update(); }

// Narrowing a range moves a position beyond it back inside, which raises OvScrolled.
bool Orvellan::SetScrollRanges(int hMax, int vMax) {
  return Survives([&] { hSB_->setRange(0, hMax); }) && Survives([&] { vSB_->setRange(0, vMax); });
}

bool Orvellan::LayoutView() {
  iBestFit_->setGeometry(2, 2, width() - 4, height() - 4);
  if (bestFit_) {
    ShowBestFit();
    return true;
  }
  iBestFit_->hide();
  iBestFit_->setEnabled(false);
  if (!hasPicture_) return true;

  const int f = Factor();
  const double zw = static_cast<double>(srcWidth_) * f;
  const double zh = static_cast<double>(srcHeight_) * f;
  if (zw > 32767 || zh > 32767) {
    displayBlank_ = true;
    iDst_->update();
    return true;
  }

  QRect area = rect();
  if (borderStyle_ > 0) area.adjust(2, 2, -2, -2);
  layoutInProgress_ = true;
  iDst_->hide();

  const int s = scrollBarWidth_;
  // The resize lays the view out again.
  if (area.width() < 2 * s) return Survives([&] { resize(2 * s, height()); });
  if (area.height() < 2 * s) return Survives([&] { resize(width(), 2 * s); });

  ViewLayoutInput in;
  in.zoomedWidth = zw;
  in.zoomedHeight = zh;
  in.area = area;
  in.barWidth = s;
  in.mode = scrollBars_;
  in.factor = f;
  in.hBarVisible = !hSB_->isHidden();
  in.vBarVisible = !vSB_->isHidden();
  in.fillerVisible = !shp_->isHidden();
  in.cornerVisible = !cmdCorner_->isHidden();
  const ViewLayout out = ComputeViewLayout(in);

  hSB_->setVisible(out.hBarVisible);
  vSB_->setVisible(out.vBarVisible);
  shp_->setVisible(out.fillerVisible);
  cmdCorner_->setVisible(out.cornerVisible);
  hSB_->setGeometry(out.hBar);
  vSB_->setGeometry(out.vBar);
  shp_->setGeometry(out.filler);
  cmdCorner_->setGeometry(out.corner);
  if (out.hBarVisible && out.vBarVisible) cmdCorner_->raise();

  iDst_->setGeometry(out.display);
  if (!SetScrollRanges(out.hMax, out.vMax)) return false;
  hSB_->setPageStep(out.hLargeChange);
  vSB_->setPageStep(out.vLargeChange);
  hSB_->setSingleStep(out.smallChange);
  vSB_->setSingleStep(out.smallChange);

  if (mouseScrolling_ && (out.needH || out.needV))
    iDst_->setCursor(ReleaseCursor());
  else
    iDst_->unsetCursor();

  layoutInProgress_ = false;
  displayBlank_ = false;
  iDst_->show();
  RepaintDisplay();
  return true;
}

void Orvellan::ShowBestFit() {
  HideBarsAndCorner();
  FitPicture();
}

void Orvellan::FitPicture() {
  iBestFit_->ClearDrawing();
  QImage& box = iBestFit_->drawing();
  if (box.isNull() || srcPicture_.isNull() || srcWidth_ < 1 || srcHeight_ < 1) return;
  // The fit follows the source box's size (changed by OvResize); what is
  // drawn is the picture as loaded.
  const float w = static_cast<float>(srcWidth_);
  const float h = static_cast<float>(srcHeight_);
  const float boxW = static_cast<float>(box.width());
  const float boxH = static_cast<float>(box.height());
  const float ratio = w / h;
  float fw = boxW - 5;
  float fh = boxH - 5;
  if (fw / fh > ratio)
    fw = ratio * fh;
  else
    fh = fw / ratio;
  if (w <= fw) fw = w - 1;
  if (h <= fh) fh = h - 1;
  // A picture is never enlarged; one that fits is drawn one pixel smaller.
  QPainter p(&box);
  p.setRenderHint(QPainter::SmoothPixmapTransform);
  p.drawImage(QRectF((boxW - fw) / 2, (boxH - fh) / 2, fw, fh), srcPicture_.image());
  fittedWidth_ = fw;
  fittedHeight_ = fh;
  iBestFit_->update();
}

void Orvellan::DrawBorder(QImage& target) const {
  target.fill(TranslateColor(backColor_));
  const WinRect r{0, 0, target.width(), target.height()};
  const unsigned edge = EdgeForBorderStyle(borderStyle_);
  if (edge != 0) DrawEdge(target, r, edge, BF_RECT);
}

// Each picture pixel becomes an f x f square. Only the source rectangle that
// the box shows (its size / f plus two columns and rows) is drawn, straight
// from the pixel buffer; the columns and rows beyond the box are clipped.
void Orvellan::PaintDisplay(QPainter& painter) {
  if (!hasPicture_ || bestFit_ || displayBlank_ || buffer_.isNull()) return;
  const int f = Factor();
  const int dw = iDst_->width();
  const int dh = iDst_->height();
  const int w = buffer_.width();
  const int h = buffer_.height();
  // The picture pixel at the box's top-left corner and where its square
  // starts, in box coordinates: (hv \ f, vv \ f) and (-(hv mod f), -(vv mod f)).
  const QPointF boxCorner = iDst_->pos();
  const QPointF first = mapToImage(boxCorner);
  const int sx = static_cast<int>(first.x());
  const int sy = static_cast<int>(first.y());
  const QPoint start = (mapToView(QPointF(sx, sy)) - boxCorner).toPoint();
  const int dx = start.x();
  const int dy = start.y();

  // Without scrolling the whole picture fills the box; scrolled, the columns
  // and rows the box shows plus two.
  int dWidth, sWidth;
  if (hSB_->maximum() < 1) {
    dWidth = dw;
    sWidth = w;
  } else {
    sWidth = dw / f + 2;
    dWidth = sWidth * f;
  }
  int dHeight, sHeight;
  if (vSB_->maximum() < 1) {
    dHeight = dh;
    sHeight = h;
  } else {
    sHeight = (dh - 1) / f + 2;
    dHeight = sHeight * f;
  }
  // Keep the source inside the buffer, shrinking the destination with it.
  if (sx + sWidth > w && sWidth > 0) {
    const int keep = std::max(0, w - sx);
    dWidth = dWidth * keep / sWidth;
    sWidth = keep;
  }
  if (sy + sHeight > h && sHeight > 0) {
    const int keep = std::max(0, h - sy);
    dHeight = dHeight * keep / sHeight;
    sHeight = keep;
  }
  if (sWidth <= 0 || sHeight <= 0) return;
  if (f == 1 || dWidth != sWidth * f || dHeight != sHeight * f) {
    painter.setRenderHint(QPainter::SmoothPixmapTransform, false);
    painter.drawImage(QRect(dx, dy, dWidth, dHeight), buffer_, QRect(sx, sy, sWidth, sHeight));
    return;
  }
  // Zoomed: squares written into a display-sized scratch image, then one plain copy.
  if (zoomScratch_.size() != QSize(dw, dh)) zoomScratch_ = QImage(dw, dh, QImage::Format_RGB32);
  const QRect drawn = ZoomBlit(zoomScratch_, dx, dy, buffer_, sx, sy, sWidth, sHeight, f);
  if (!drawn.isEmpty()) painter.drawImage(drawn.topLeft(), zoomScratch_, drawn);
}
