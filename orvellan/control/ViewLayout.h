#pragma once
// Where the display box, the two scroll bars, the corner filler and the
// corner button go for a zoomed picture of ZW x ZH in the area, and the bars'
// ranges. Two passes settle the bars, starting from none: a bar found needed
// in the first pass may make the other one needed in the second.
#include <QRect>

struct ViewLayoutInput {
  double zoomedWidth = 0;   // ZW
  double zoomedHeight = 0;  // ZH
  QRect area;               // client rectangle, less 2 on each side with a border
  int barWidth = 15;        // s
  int mode = 0;             // ScrollBarCts
  int factor = 1;           // f
  // Visibility before the layout (the bars' own counts only where the mode
  // leaves their visibility to the host).
  bool hBarVisible = false;
  bool vBarVisible = false;
  bool fillerVisible = false;
  bool cornerVisible = false;
};

struct ViewLayout {
  bool needH = false;
  bool needV = false;
  bool hBarVisible = false;
  bool vBarVisible = false;
  bool fillerVisible = false;
  bool cornerVisible = false;
  QRect hBar, vBar, filler, corner, display;
  int hMax = 0, vMax = 0;
  int hLargeChange = 0, vLargeChange = 0;
  int smallChange = 1;
};

ViewLayout ComputeViewLayout(const ViewLayoutInput& in);
