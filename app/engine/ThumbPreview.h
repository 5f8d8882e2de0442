#pragma once
// The preview choice (optPreview): index 0 "Preview Original" hides the album
// sample cell so the image preview shows; index 1 "Preview Result" shows it.
struct SampleCellLook {
  bool enabled = false;
  bool visible = false;
  bool bringToFront = false;
};

inline SampleCellLook LookForPreviewChoice(int optPreviewIndex) {
  if (optPreviewIndex == 0) return {false, false, true};
  return {true, true, false};
}
