#pragma once
// The main window. It owns the engine's hidden surfaces; the option pages,
// folder trees and file list come with the window's own work.
#include <QMainWindow>

#include "app/engine/mThumbStyles.h"

class fMain : public QMainWindow {
  Q_OBJECT
 public:
  explicit fMain(QWidget* parent = nullptr);

  ThumbStage& stage() { return stage_; }

 private:
  ThumbStage stage_;
};
