#pragma once
// The pop-up colour palette. It opens under its picker, grabs the mouse and
// keyboard as a pop-up window, and ends with Finished: chosen and the colour,
// or not chosen (Escape, a release outside it, a cancelled colour dialog).
// It deletes itself after finishing.
#include <QImage>
#include <QPointer>
#include <QTimer>
#include <QWidget>
#include <functional>
#include <optional>

#include "app/controls/ColorPicker/PaletteLayout.h"

class cpfrmTip;

class cpfrmColorPalette : public QWidget {
  Q_OBJECT
 public:
  // Runs the full colour dialog; nothing when it is cancelled.
  using ColorDialogHandler = std::function<std::optional<ColorValue>(QWidget* parent)>;
  // Replaces the dialog (an empty handler restores QColorDialog); returns the old one.
  static ColorDialogHandler SetColorDialogHandler(ColorDialogHandler handler);

  static constexpr int kTipDelayMs = 1000;

  explicit cpfrmColorPalette(const PaletteState& state, QWidget* parent = nullptr);
  ~cpfrmColorPalette() override;

  const PaletteLayout& layout() const { return layout_; }
  PaletteMode mode() const { return mode_; }
  int hotCell() const { return hot_; }
  int pressedCell() const { return pressed_; }
  // The palette as it is drawn now.
  QImage Render() const;

  // The tip waiting for the mouse to rest, and showing it at once.
  bool tipPending() const { return tipTimer_.isActive(); }
  void ShowPendingTip();
  cpfrmTip* tipWindow() const { return tip_; }

 signals:
  void Finished(bool chosen, quint32 color);

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void closeEvent(QCloseEvent* event) override;

 private:
  void SetHot(int cell);
  void Activate(int cell);
  void SwitchMode(PaletteMode mode);
  void OpenColorDialog();
  void Done(std::optional<ColorValue> choice);
  void DrawCell(QImage& image, int n) const;
  void HideTip();

  PaletteState state_;
  PaletteLayout layout_;
  PaletteMode mode_ = PaletteMode::Normal;
  int hot_ = 0;
  int pressed_ = 0;
  bool done_ = false;
  QTimer tipTimer_;
  cpfrmTip* tip_ = nullptr;  // child window, owned by this
};

// Where the palette opens: left edge at the picker's left edge and top at its
// bottom edge; above the picker when it would pass the screen's bottom; moved
// left (never past the screen's left edge) when it would pass the right edge.
QPoint PlacePalette(const QRect& pickerGlobal, const QSize& paletteSize, const QRect& screen);
