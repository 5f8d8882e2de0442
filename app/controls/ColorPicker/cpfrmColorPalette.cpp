#include "app/controls/ColorPicker/cpfrmColorPalette.h"

#include <QColorDialog>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>

#include "app/controls/ColorPicker/cpfrmTip.h"
#include "platform/drawing/DrawEdge.h"

namespace {

std::optional<ColorValue> RunColorDialog(QWidget* parent) {
  // Opens with every custom slot black and black as the starting colour.
  for (int i = 0; i < QColorDialog::customCount(); ++i) QColorDialog::setCustomColor(i, QColor(Qt::black));
  QPointer<QColorDialog> dialog = new QColorDialog(QColor(Qt::black), parent);
  const int result = dialog->exec();
  // The dialog goes with its parent if that is deleted while it runs.
  if (!dialog) return std::nullopt;
  const QColor chosen = dialog->selectedColor();
  delete dialog;
  if (result != QDialog::Accepted || !chosen.isValid()) return std::nullopt;
  return ColorValueFromQColor(chosen);
}

cpfrmColorPalette::ColorDialogHandler& DialogHandler() {
  static cpfrmColorPalette::ColorDialogHandler handler;
  return handler;
}

QRect ToQRect(const WinRect& r) { return QRect(r.left, r.top, r.right - r.left, r.bottom - r.top); }

}  // namespace

cpfrmColorPalette::ColorDialogHandler cpfrmColorPalette::SetColorDialogHandler(ColorDialogHandler handler) {
  ColorDialogHandler old = DialogHandler();
  DialogHandler() = std::move(handler);
  return old;
}

cpfrmColorPalette::cpfrmColorPalette(const PaletteState& state, QWidget* parent)
    : QWidget(parent, Qt::Popup | Qt::FramelessWindowHint), state_(state) {
  setAttribute(Qt::WA_DeleteOnClose, false);
  setMouseTracking(true);
  QFont f = font();
  f.setFamily(QStringLiteral("Arial"));
  setFont(f);
  layout_ = LayoutPalette(state_, mode_, SharedCustomColors());
  setFixedSize(kPaletteWidth, layout_.height);

  tip_ = new cpfrmTip(this);
  tipTimer_.setSingleShot(true);
  tipTimer_.setInterval(kTipDelayMs);
  connect(&tipTimer_, &QTimer::timeout, this, &cpfrmColorPalette::ShowPendingTip);
}

cpfrmColorPalette::~cpfrmColorPalette() = default;

void cpfrmColorPalette::HideTip() {
  tipTimer_.stop();
  if (tip_) tip_->hide();
}

void cpfrmColorPalette::ShowPendingTip() {
  tipTimer_.stop();
  if (!state_.ShowToolTips || hot_ == 0) return;
  const QString text = layout_.cell(hot_).tip;
  if (text.isEmpty()) return;
  // Below and to the right of the cell's bottom-left corner, like a tool tip.
  const WinRect& r = layout_.cell(hot_).rect;
  tip_->ShowTip(text, mapToGlobal(QPoint(r.left + 8, r.bottom + 4)));
}

void cpfrmColorPalette::SetHot(int cell) {
  if (cell == hot_) return;
  hot_ = cell;
  HideTip();
  if (hot_ != 0 && state_.ShowToolTips && !layout_.cell(hot_).tip.isEmpty()) tipTimer_.start();
  update();
}

void cpfrmColorPalette::mouseMoveEvent(QMouseEvent* event) {
  const QPoint p = event->position().toPoint();
  SetHot(layout_.cellAt(p.x(), p.y()));
}

void cpfrmColorPalette::mousePressEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton) return;
  const QPoint p = event->position().toPoint();
  SetHot(layout_.cellAt(p.x(), p.y()));
  if (hot_ == 0) return;
  pressed_ = hot_;
  HideTip();
  update();
}

void cpfrmColorPalette::mouseReleaseEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton) return;
  const QPoint p = event->position().toPoint();
  if (!rect().contains(p)) {
    pressed_ = 0;
    Done(std::nullopt);
    return;
  }
  const int cell = pressed_;
  pressed_ = 0;
  update();
  if (cell != 0 && layout_.cellAt(p.x(), p.y()) == cell) Activate(cell);
}

void cpfrmColorPalette::keyPressEvent(QKeyEvent* event) {
  if (event->key() == Qt::Key_Escape) Done(std::nullopt);
  // No other key acts in the palette.
  event->accept();
}

void cpfrmColorPalette::closeEvent(QCloseEvent* event) {
  // Closed from outside (the window system, a click elsewhere): no choice.
  if (!done_) Done(std::nullopt);
  event->accept();
}

void cpfrmColorPalette::Activate(int cell) {
  if (IsColorCell(cell)) {
    Done(layout_.cell(cell).color);
  } else if (cell == kCellNormal) {
    SwitchMode(PaletteMode::Normal);
  } else if (cell == kCellSystem) {
    SwitchMode(PaletteMode::System);
  } else if (cell == kCellMore) {
    OpenColorDialog();
  }
}

void cpfrmColorPalette::SwitchMode(PaletteMode mode) {
  if (mode == mode_) return;
  mode_ = mode;
  FillColorCells(layout_, mode_);
  update();
}

void cpfrmColorPalette::OpenColorDialog() {
  // A pop-up keeps the mouse and keyboard to itself, so it steps aside while
  // the dialog runs; the palette ends with the dialog either way.
  HideTip();
  hide();
  QPointer<cpfrmColorPalette> self(this);
  const ColorDialogHandler& handler = DialogHandler();
  const std::optional<ColorValue> chosen = handler ? handler(parentWidget()) : RunColorDialog(parentWidget());
  if (!self) return;
  if (chosen) SharedCustomColors().Add(*chosen);
  Done(chosen);
}

void cpfrmColorPalette::Done(std::optional<ColorValue> choice) {
  if (done_) return;
  done_ = true;
  HideTip();
  for (PaletteCell& c : layout_.cells) c.rect = WinRect{};
  hot_ = pressed_ = 0;
  close();
  deleteLater();
  emit Finished(choice.has_value(), choice.value_or(0));
}

void cpfrmColorPalette::DrawCell(QImage& image, int n) const {
  const PaletteCell& c = layout_.cell(n);
  const QRect r = ToQRect(c.rect);
  if (r.isEmpty()) return;
  const bool pressed = pressed_ == n && hot_ == n;
  {
    QPainter p(&image);
    p.fillRect(r, TranslateSystemColor(COLOR_BTNFACE));
    if (IsColorCell(n)) {
      const QRect inset = r.adjusted(2, 2, -2, -2);
      p.fillRect(inset, TranslateColor(c.color));
      FrameRect(p, inset, TranslateSystemColor(COLOR_GRAYTEXT));
    }
    if (!c.caption.isEmpty()) {
      QColor text = TranslateSystemColor(COLOR_BTNTEXT);
      if (IsColorCell(n)) {
        // The default button's caption sits on its colour: keep it readable.
        text = qGray(TranslateColor(c.color).rgb()) < 128 ? QColor(Qt::white) : QColor(Qt::black);
      }
      p.setFont(font());
      p.setPen(text);
      p.drawText(pressed ? r.translated(1, 1) : r, Qt::AlignCenter | Qt::TextSingleLine, c.caption);
    }
  }
  if (pressed)
    DrawEdge(image, c.rect, BDR_SUNKENOUTER, BF_RECT);
  else if (hot_ == n)
    DrawEdge(image, c.rect, BDR_RAISEDINNER, BF_RECT);
}

QImage cpfrmColorPalette::Render() const {
  QImage image(kPaletteWidth, layout_.height, QImage::Format_RGB32);
  image.fill(TranslateSystemColor(COLOR_BTNFACE));
  {
    QPainter p(&image);
    for (int y : layout_.separators) {
      p.fillRect(4, y, 135, 1, TranslateSystemColor(COLOR_BTNSHADOW));
      p.fillRect(4, y + 1, 135, 1, TranslateSystemColor(COLOR_BTNHIGHLIGHT));
    }
  }
  for (int n = 1; n <= kPaletteCells; ++n) DrawCell(image, n);
  DrawEdge(image, WinRect{0, 0, kPaletteWidth, layout_.height}, BDR_RAISEDINNER, BF_RECT);
  return image;
}

void cpfrmColorPalette::paintEvent(QPaintEvent*) { QPainter(this).drawImage(0, 0, Render()); }

QPoint PlacePalette(const QRect& pickerGlobal, const QSize& paletteSize, const QRect& screen) {
  int left = pickerGlobal.left();
  int top = pickerGlobal.top() + pickerGlobal.height();
  if (top + paletteSize.height() > screen.top() + screen.height()) top = pickerGlobal.top() - paletteSize.height();
  if (left + paletteSize.width() > screen.left() + screen.width())
    left = screen.left() + screen.width() - paletteSize.width();
  if (left < screen.left()) left = screen.left();
  return QPoint(left, top);
}
