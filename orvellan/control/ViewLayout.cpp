#include "orvellan/control/ViewLayout.h"

#include <algorithm>

#include "platform/drawing/Numbers.h"

ViewLayout ComputeViewLayout(const ViewLayoutInput& in) {
  ViewLayout out;
  out.hBarVisible = in.hBarVisible;
  out.vBarVisible = in.vBarVisible;
  out.fillerVisible = in.fillerVisible;
  out.cornerVisible = in.cornerVisible;
  const int s = in.barWidth;
  const QRect& a = in.area;
  // The modes that decide the bars decide them afresh: a bar shown for an
  // earlier, smaller area would otherwise keep itself (and the other bar)
  // where the picture now fits exactly.
  if (in.mode == 0 || in.mode == 1) out.hBarVisible = out.vBarVisible = false;

  for (int pass = 0; pass < 2; ++pass) {
    const bool needH = in.zoomedWidth > a.width() - (out.vBarVisible ? s : 0);
    const bool needV = in.zoomedHeight > a.height() - (out.hBarVisible ? s : 0);
    out.needH = out.needH || needH;
    out.needV = out.needV || needV;
    if (in.mode == 0) {
      out.hBarVisible = out.needH;
      out.vBarVisible = out.needV;
      if (out.hBarVisible && out.vBarVisible) out.fillerVisible = true;
    } else if (in.mode == 1) {
      out.hBarVisible = out.vBarVisible = out.fillerVisible = out.cornerVisible = false;
    }
  }

  const int sh = out.hBarVisible ? s : 0;  // height taken by the horizontal bar
  const int sv = out.vBarVisible ? s : 0;  // width taken by the vertical bar
  out.hBar = QRect(a.left(), a.top() + a.height() - s, a.width() - sv, s);
  out.vBar = QRect(a.left() + a.width() - s, a.top(), s, a.height() - sh);
  const QPoint cornerPos(out.hBar.left() + out.hBar.width(), out.vBar.top() + out.vBar.height());
  out.filler = QRect(cornerPos, QSize(s, s));
  out.corner = QRect(cornerPos, QSize(out.vBar.width(), out.hBar.height()));
  if (out.hBarVisible && out.vBarVisible) out.cornerVisible = true;

  int top, height, left, width;
  if (out.needV) {
    height = a.height() - sh;
    top = a.top();
  } else {
    height = RoundHalfEven(in.zoomedHeight);
    top = a.top() + static_cast<int>(IntDivide(a.height() - in.zoomedHeight - sh, 2));
  }
  if (out.needH) {
    width = a.width() - sv;
    left = a.left();
  } else {
    width = RoundHalfEven(in.zoomedWidth);
    left = a.left() + static_cast<int>(IntDivide(a.width() - in.zoomedWidth - sv, 2));
  }
  out.display = QRect(left, top, width, height);

  // A need kept from the first pass can leave the picture narrower than the
  // box; a bar's range never goes below 0.
  out.hMax = std::clamp(RoundHalfEven(in.zoomedWidth - width), 0, 32767);
  out.vMax = std::clamp(RoundHalfEven(in.zoomedHeight - height), 0, 32767);
  out.hLargeChange = width;
  out.vLargeChange = height;
  out.smallChange = in.factor;
  return out;
}
