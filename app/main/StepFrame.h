#pragma once
// One of the main window's four numbered areas: a styled frame with its
// caption and a round marker carrying the step's number, whose tool tip says
// what to do in that step. The frame's content goes into contentLayout().
#include <QString>

#include "app/controls/vkFrames/vkFrames.h"

class QLabel;
class QVBoxLayout;

class StepFrame : public vkFrames {
  Q_OBJECT
 public:
  StepFrame(int step, const QString& caption, const QString& markerToolTip, QWidget* parent = nullptr);

  QVBoxLayout* contentLayout() const { return content_; }
  // The marker: a label over the caption bar's icon that carries the tool tip.
  QLabel* marker() const { return marker_; }

  // The round numbered marker picture.
  static QImage MarkerImage(int step, int size);

 protected:
  void resizeEvent(QResizeEvent* event) override;

 private:
  QVBoxLayout* content_ = nullptr;
  QLabel* marker_;
};
