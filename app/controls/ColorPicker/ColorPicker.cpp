#include "app/controls/ColorPicker/ColorPicker.h"

#include <QFontDatabase>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QScreen>

#include "app/controls/ColorPicker/ColorPickerAccessible.h"
#include "app/controls/ColorPicker/cpfrmColorPalette.h"
#include "app/controls/common/ControlAccessibility.h"
#include "platform/com/InputCodes.h"
#include "platform/com/PropertyBag.h"
#include "platform/drawing/DrawEdge.h"
#include "platform/drawing/Numbers.h"
#include "platform/shell/MessageBox.h"

namespace {

constexpr ColorValue kWhite = 0xFFFFFFu;

// Rectangle from corner (l, t) to (r, b), right and bottom exclusive.
QRect Span(int l, int t, int r, int b) { return QRect(l, t, std::max(0, r - l), std::max(0, b - t)); }

// The dotted focus rectangle: every other pixel of the outline inverted.
void DrawFocusRect(QImage& image, const QRect& r) {
  if (r.width() <= 0 || r.height() <= 0) return;
  auto flip = [&image](int x, int y) {
    if (!image.rect().contains(x, y)) return;
    image.setPixel(x, y, image.pixel(x, y) ^ 0x00FFFFFFu);
  };
  for (int x = r.left(); x <= r.right(); x += 2) {
    flip(x, r.top());
    flip(x, r.bottom());
  }
  for (int y = r.top() + 2; y < r.bottom(); y += 2) {
    flip(r.left(), y);
    flip(r.right(), y);
  }
}

bool HasMarlett() {
  static const bool has = QFontDatabase::families().contains(QStringLiteral("Marlett"), Qt::CaseInsensitive);
  return has;
}

// The drop arrow: Marlett's "6" where the font exists, else the same small
// downward triangle (7 wide, 4 high) centred in r.
void DrawDropArrow(QPainter& p, const QRect& r, const QColor& c) {
  if (HasMarlett()) {
    QFont f(QStringLiteral("Marlett"));
    f.setPixelSize(11);
    p.setFont(f);
    p.setPen(c);
    p.drawText(r, Qt::AlignCenter, QStringLiteral("6"));
    return;
  }
  const int cx = r.left() + (r.width() - 7) / 2;
  const int cy = r.top() + (r.height() - 4) / 2;
  for (int row = 0; row < 4; ++row) p.fillRect(cx + row, cy + row, 7 - 2 * row, 1, c);
}

}  // namespace

ColorPicker::ColorPicker(QWidget* parent) : PersistedWidget(parent) {
  RegisterAccessibleOnce<ColorPicker, ColorPickerAccessible>();
  setFocusPolicy(Qt::StrongFocus);
  setAttribute(Qt::WA_OpaquePaintEvent);
  setMinimumHeight(TwipsToPixels(kMinHeightTwips));
  resize(64, TwipsToPixels(kHeightTwips));
}

ColorPicker::~ColorPicker() = default;

void ColorPicker::setColor(ColorValue c) {
  if (!SetIfChanged(state_.Color, c)) return;
  update();
  NotifyAccessibleValue(this, ColorPickerAccessible::ColorText(c));
  Notify(&ColorPicker::ColorChanged, state_.Color, "Color");
}

void ColorPicker::setDefaultColor(ColorValue c) {
  SetProperty(state_.DefaultColor, c, &ColorPicker::DefaultColorChanged, "DefaultColor");
}

void ColorPicker::setAppearance(int a) { SetProperty(appearance_, a, &ColorPicker::AppearanceChanged, "Appearance"); }

void ColorPicker::setBackColor(ColorValue c) {
  SetProperty(backColor_, c, &ColorPicker::BackColorChanged, "BackColor");
}

void ColorPicker::setShowDefault(bool on) {
  SetProperty(state_.ShowDefault, on, &ColorPicker::ShowDefaultChanged, "ShowDefault");
}

void ColorPicker::setShowCustomColors(bool on) {
  SetProperty(state_.ShowCustomColors, on, &ColorPicker::ShowCustomColorsChanged, "ShowCustomColors");
}

void ColorPicker::setShowMoreColors(bool on) {
  SetProperty(state_.ShowMoreColors, on, &ColorPicker::ShowMoreColorsChanged, "ShowMoreColors");
}

void ColorPicker::setDefaultCaption(const QString& s) {
  SetProperty(state_.DefaultCaption, s, &ColorPicker::DefaultCaptionChanged, "DefaultCaption");
}

void ColorPicker::setMoreColorsCaption(const QString& s) {
  SetProperty(state_.MoreColorsCaption, s, &ColorPicker::MoreColorsCaptionChanged, "MoreColorsCaption");
}

void ColorPicker::setShowSysColorButton(bool on) {
  SetProperty(state_.ShowSysColorButton, on, &ColorPicker::ShowSysColorButtonChanged, "ShowSysColorButton");
}

void ColorPicker::setShowToolTips(bool on) {
  SetProperty(state_.ShowToolTips, on, &ColorPicker::ShowToolTipsChanged, "ShowToolTips");
}

void ColorPicker::InitProperties() {
  const auto loading = LoadingProperties();
  const PaletteState defaults;
  setDefaultColor(defaults.DefaultColor);
  setColor(defaults.Color);
  setAppearance(1);
  setBackColor(kDefaultBackColor);
  setShowDefault(defaults.ShowDefault);
  setShowCustomColors(defaults.ShowCustomColors);
  setShowMoreColors(defaults.ShowMoreColors);
  setDefaultCaption(defaults.DefaultCaption);
  setMoreColorsCaption(defaults.MoreColorsCaption);
  setShowSysColorButton(defaults.ShowSysColorButton);
  setShowToolTips(defaults.ShowToolTips);
}

void ColorPicker::ReadProperties(const PropertyBag& bag) {
  const auto loading = LoadingProperties();
  const PaletteState d;
  setDefaultColor(bag.ReadProperty(QStringLiteral("DefaultColor"), d.DefaultColor).toUInt());
  setColor(bag.ReadProperty(QStringLiteral("Value"), d.Color).toUInt());
  setAppearance(bag.ReadProperty(QStringLiteral("Appearance"), 1).toInt());
  setBackColor(bag.ReadProperty(QStringLiteral("BackColor"), kDefaultBackColor).toUInt());
  setShowDefault(bag.ReadProperty(QStringLiteral("ShowDefault"), d.ShowDefault).toBool());
  setShowCustomColors(bag.ReadProperty(QStringLiteral("ShowCustomColors"), d.ShowCustomColors).toBool());
  setShowMoreColors(bag.ReadProperty(QStringLiteral("ShowMoreColors"), d.ShowMoreColors).toBool());
  setDefaultCaption(bag.ReadProperty(QStringLiteral("DefaultCaption"), d.DefaultCaption).toString());
  setMoreColorsCaption(bag.ReadProperty(QStringLiteral("MoreColorsCaption"), d.MoreColorsCaption).toString());
  setShowSysColorButton(bag.ReadProperty(QStringLiteral("ShowSysColorButton"), d.ShowSysColorButton).toBool());
  setShowToolTips(bag.ReadProperty(QStringLiteral("ShowToolTips"), d.ShowToolTips).toBool());
}

void ColorPicker::WriteProperties(PropertyBag& bag) const {
  const PaletteState d;
  bag.WriteProperty(QStringLiteral("DefaultColor"), state_.DefaultColor, d.DefaultColor);
  bag.WriteProperty(QStringLiteral("Value"), state_.Color, d.Color);
  bag.WriteProperty(QStringLiteral("Appearance"), appearance_, 1);
  bag.WriteProperty(QStringLiteral("BackColor"), backColor_, kDefaultBackColor);
  bag.WriteProperty(QStringLiteral("ShowDefault"), state_.ShowDefault, d.ShowDefault);
  bag.WriteProperty(QStringLiteral("ShowCustomColors"), state_.ShowCustomColors, d.ShowCustomColors);
  bag.WriteProperty(QStringLiteral("ShowMoreColors"), state_.ShowMoreColors, d.ShowMoreColors);
  bag.WriteProperty(QStringLiteral("DefaultCaption"), state_.DefaultCaption, d.DefaultCaption);
  bag.WriteProperty(QStringLiteral("MoreColorsCaption"), state_.MoreColorsCaption, d.MoreColorsCaption);
  bag.WriteProperty(QStringLiteral("ShowSysColorButton"), state_.ShowSysColorButton, d.ShowSysColorButton);
  bag.WriteProperty(QStringLiteral("ShowToolTips"), state_.ShowToolTips, d.ShowToolTips);
}

void ColorPicker::About() {
  ShowMessageBox(QStringLiteral("ColorPicker\nVersion 1.0"), QStringLiteral("About ColorPicker"),
                 MsgIcon::Information, MsgButtons::OK, this);
}

QRect ColorPicker::buttonRect() const {
  const int w = width();
  const int h = height();
  if (appearance_ == 1) return Span(w - kButtonWidth, 2, w - 2, h - 2);
  return Span(w - kButtonWidth, 0, w, h);
}

QImage ColorPicker::Render() const {
  const int w = width();
  const int h = height();
  QImage image(std::max(1, w), std::max(1, h), QImage::Format_RGB32);
  image.fill(TranslateColor(backColor_));
  const bool flat = appearance_ != 1;
  const QRect button = buttonRect();
  {
    QPainter p(&image);
    if (flat) FrameRect(p, QRect(0, 0, w, h), TranslateSystemColor(COLOR_WINDOWFRAME));
    p.fillRect(button, TranslateSystemColor(COLOR_BTNFACE));
  }
  if (!flat) DrawEdge(image, WinRect{0, 0, w, h}, EDGE_SUNKEN, BF_RECT);
  if (flat || pressed_) {
    // The flat look's button and the pressed button: a one-pixel shadow frame.
    QPainter p(&image);
    FrameRect(p, button, TranslateSystemColor(COLOR_BTNSHADOW));
  } else {
    DrawEdge(image, WinRect{button.left(), button.top(), button.left() + button.width(), button.top() + button.height()},
             EDGE_RAISED, BF_RECT);
  }
  {
    QPainter p(&image);
    DrawDropArrow(p, pressed_ ? button.adjusted(2, 0, 0, 0) : button, TranslateSystemColor(COLOR_BTNTEXT));
    const QRect swatch = flat ? Span(3, 3, w - 17, h - 3) : Span(4, 4, w - 17, h - 4);
    p.fillRect(swatch, TranslateColor(state_.Color));
    FrameRect(p, swatch, TranslateSystemColor(COLOR_GRAYTEXT));
  }
  if (focused_) DrawFocusRect(image, flat ? Span(5, 5, w - 19, h - 5) : Span(6, 6, w - 19, h - 6));
  return image;
}

void ColorPicker::paintEvent(QPaintEvent*) { QPainter(this).drawImage(0, 0, Render()); }

void ColorPicker::OpenPalette() {
  if (palette_) return;
  palette_ = new cpfrmColorPalette(state_, this);
  connect(palette_, &cpfrmColorPalette::Finished, this, &ColorPicker::PaletteFinished, Qt::QueuedConnection);
  const QRect global(mapToGlobal(QPoint(0, 0)), size());
  const QScreen* s = screen();
  const QRect screenRect = s ? s->geometry() : QRect(0, 0, 1 << 16, 1 << 16);
  palette_->move(PlacePalette(global, palette_->size(), screenRect));
  palette_->show();
}

cpfrmColorPalette* ColorPicker::palette() const { return palette_; }

void ColorPicker::PaletteFinished(bool chosen, quint32 color) {
  palette_.clear();  // it is closed and deletes itself
  // A ColorChanged handler may delete the picker.
  const QPointer<ColorPicker> self(this);
  if (chosen) setColor(color);
  if (self) emit Click();
}

void ColorPicker::mousePressEvent(QMouseEvent* event) {
  const QPoint p = event->position().toPoint();
  // A handler of the mouse notifications may delete the picker.
  const QPointer<ColorPicker> self(this);
  emit MouseDown(ButtonMask(event->button()), ShiftMask(event->modifiers()), PixelsToTwips(p.x()),
                 PixelsToTwips(p.y()));
  if (!self) return;
  if (event->button() == Qt::LeftButton && buttonRect().contains(p)) {
    pressed_ = true;
    update();
  }
}

void ColorPicker::mouseMoveEvent(QMouseEvent* event) {
  const QPoint p = event->position().toPoint();
  const QPointer<ColorPicker> self(this);
  emit MouseMove(ButtonMask(event->buttons()), ShiftMask(event->modifiers()), PixelsToTwips(p.x()),
                 PixelsToTwips(p.y()));
  if (!self) return;
  if (pressed_ && !buttonRect().contains(p)) {
    pressed_ = false;
    update();
  }
}

void ColorPicker::mouseReleaseEvent(QMouseEvent* event) {
  const QPoint p = event->position().toPoint();
  const QPointer<ColorPicker> self(this);
  emit MouseUp(ButtonMask(event->button()), ShiftMask(event->modifiers()), PixelsToTwips(p.x()),
               PixelsToTwips(p.y()));
  if (!self || event->button() != Qt::LeftButton) return;
  if (pressed_) {
    pressed_ = false;
    update();
  }
  if (rect().contains(p)) OpenPalette();
}

void ColorPicker::mouseDoubleClickEvent(QMouseEvent* event) {
  emit DblClick();
  QWidget::mouseDoubleClickEvent(event);
}

void ColorPicker::keyPressEvent(QKeyEvent* event) {
  // Passed through unchanged: the picker acts on no key.
  const QPointer<ColorPicker> self(this);
  emit KeyDown(KeyCodeOf(event), ShiftMask(event->modifiers()));
  if (!self) return;
  if (const short ascii = KeyAsciiOf(event)) emit KeyPress(ascii);
  if (self) QWidget::keyPressEvent(event);
}

void ColorPicker::keyReleaseEvent(QKeyEvent* event) {
  const QPointer<ColorPicker> self(this);
  emit KeyUp(KeyCodeOf(event), ShiftMask(event->modifiers()));
  if (self) QWidget::keyReleaseEvent(event);
}

void ColorPicker::focusInEvent(QFocusEvent* event) {
  focused_ = true;
  update();
  QWidget::focusInEvent(event);
}

void ColorPicker::focusOutEvent(QFocusEvent* event) {
  focused_ = false;
  update();
  QWidget::focusOutEvent(event);
}

void ColorPicker::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  emit Resize();
}

QSize ColorPicker::sizeHint() const { return QSize(64, TwipsToPixels(kHeightTwips)); }

QSize ColorPicker::minimumSizeHint() const { return QSize(2 * kButtonWidth, TwipsToPixels(kMinHeightTwips)); }
