#include "orvellan/control/Orvellan.h"

#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QScrollBar>
#include <algorithm>
#include <atomic>
#include <limits>
#include <type_traits>
#include <utility>

#include "orvellan/control/BoxWidget.h"
#include "orvellan/control/Cursors.h"
#include "orvellan/control/OrvellanEvents.h"
#include "orvellan/control/frmAbout.h"
#include "platform/com/Dispatch.h"
#include "platform/com/PropertyBag.h"
#include "platform/drawing/Numbers.h"

namespace {

std::atomic<int> g_liveControls{0};

constexpr ColorValue kDefaultBackColor = SystemColor(COLOR_BTNFACE);

// Reads a key of a property bag as type T; a value that is not of a fitting
// type stops loading with error 13.
template <class T>
T ReadTyped(const PropertyBag& bag, const char* key, const T& defaultValue) {
  const QVariant v = bag.ReadProperty(QString::fromLatin1(key), QVariant::fromValue(defaultValue));
  if (v.metaType() == QMetaType::fromType<T>()) return v.value<T>();
  if constexpr (std::is_same_v<T, QString>) {
    if (v.canConvert<QString>() && v.metaType().id() != QMetaType::QVariantList) return v.toString();
  } else if constexpr (std::is_same_v<T, StdPicture>) {
    if (!v.isValid()) return StdPicture();
  } else if constexpr (std::is_arithmetic_v<T>) {
    bool ok = false;
    const double d = v.toDouble(&ok);
    if (ok) {
      if constexpr (std::is_same_v<T, bool>) return d != 0;
      if (d < static_cast<double>(std::numeric_limits<T>::lowest()) ||
          d > static_cast<double>(std::numeric_limits<T>::max()))
        throw ComError(kErrOverflow);
      return static_cast<T>(RoundHalfEven(d));
    }
  }
  throw ComError(kErrTypeMismatch);
}

}  // namespace

int Orvellan::LiveCount() { return g_liveControls.load(); }

Orvellan::Orvellan(QWidget* parent) : QWidget(parent) {
  ++g_liveControls;
  setObjectName(QStringLiteral("Orvellan"));
  setFocusPolicy(Qt::StrongFocus);
  events_ = new OrvellanEvents(this);
  events_->setObjectName(QStringLiteral("Events"));

  iDst_ = new BoxWidget(QStringLiteral("iDst"), this);
  iDst_->setFocusPolicy(Qt::StrongFocus);
  iDst_->setMouseTracking(true);
  iDst_->setPaintHook([this](QPainter& p) { PaintDisplay(p); });
  iDst_->installEventFilter(this);
  iDst_->hide();

  iBestFit_ = new BoxWidget(QStringLiteral("iBestFit"), this);
  iBestFit_->setFocusPolicy(Qt::StrongFocus);
  iBestFit_->installEventFilter(this);
  iBestFit_->hide();
  iBestFit_->setEnabled(false);

  hSB_ = new QScrollBar(Qt::Horizontal, this);
  hSB_->setObjectName(QStringLiteral("hSB"));
  vSB_ = new QScrollBar(Qt::Vertical, this);
  vSB_->setObjectName(QStringLiteral("vSB"));
  for (QScrollBar* bar : {hSB_, vSB_}) {
    bar->setFocusPolicy(Qt::NoFocus);  // keys always reach the display box
    bar->setRange(0, 0);
    bar->hide();
    connect(bar, &QScrollBar::valueChanged, this, &Orvellan::OnBarValueChanged);
  }

  shp_ = new QWidget(this);
  shp_->setObjectName(QStringLiteral("shp"));
  shp_->setAutoFillBackground(true);
  shp_->hide();
  cmdCorner_ = new QPushButton(this);
  cmdCorner_->setObjectName(QStringLiteral("cmdCorner"));
  cmdCorner_->setEnabled(false);
  cmdCorner_->setFocusPolicy(Qt::NoFocus);
  cmdCorner_->hide();

  for (int i = 0; i < 25; ++i) zoomTable_[i] = i + 1;
  ApplyBackColor(kDefaultBackColor);
}

Orvellan::~Orvellan() {
  // The pictures and the pixel buffer go with the members; the control never
  // confines the mouse cursor, so there is nothing to lift.
  if (raising_ > 0) {
    // A handler is destroying the control. The event may have come from a
    // scroll bar's own mouse, wheel or timer handling, which goes on using
    // the bar when the event returns: the bars leave now and go later.
    for (QScrollBar* bar : {hSB_, vSB_}) {
      bar->disconnect(this);
      bar->hide();
      bar->setParent(nullptr);
      bar->deleteLater();
    }
  }
  --g_liveControls;
}

QObject* Orvellan::Events() const { return events_; }

// ---- properties ----

bool Orvellan::MarkChanged(const QString& name) {
  return Survives([&] { emit PropertyChanged(name); });
}

// The control, the display box, the best-fit box and the corner filler.
void Orvellan::ApplyBackColor(ColorValue color) {
  backColor_ = color;
  iDst_->setBackColor(color);
  iBestFit_->setBackColor(color);
  QPalette pal = shp_->palette();
  pal.setColor(QPalette::Window, TranslateColor(color));
  shp_->setPalette(pal);
}

void Orvellan::setBackColor(uint color) {
  if (color == backColor_) return;
  ApplyBackColor(color);
  Refresh();
  (void)Notify(&Orvellan::BackColorChanged, backColor_);
}

void Orvellan::setOvScrollBarWidth(short width) {
  const short clamped = std::clamp<short>(width, 13, 50);
  if (clamped == scrollBarWidth_) return;
  scrollBarWidth_ = clamped;
  if (LayoutView()) (void)Notify(&Orvellan::OvScrollBarWidthChanged, scrollBarWidth_);
}

void Orvellan::setOvMouseScrolling(bool on) {
  if (on == mouseScrolling_) return;
  if ((hSB_->maximum() >= 1 || vSB_->maximum() >= 1) && on)
    iDst_->setCursor(ReleaseCursor());
  else
    iDst_->unsetCursor();
  mouseScrolling_ = on;
  (void)Notify(&Orvellan::OvMouseScrollingChanged, mouseScrolling_);
}

void Orvellan::letPicture(const StdPicture& picture) {
  Dispatch::Guard(this, [&] { (void)LoadPicture(picture, true); });
}

void Orvellan::putref_Picture(const StdPicture& picture) {
  Dispatch::Guard(this, [&] { (void)LoadPicture(picture, false); });
}

namespace {
// A picture size as a 16-bit value; a size beyond 32767 is an overflow for
// the host rather than a wrapped, negative number.
short PictureSize(const Orvellan* self, bool hasPicture, int size) {
  if (!hasPicture) return 0;
  if (size > std::numeric_limits<short>::max()) {
    Dispatch::Record(const_cast<Orvellan*>(self), ComError(kErrOverflow));
    return 0;
  }
  return static_cast<short>(size);
}
}  // namespace

short Orvellan::OvPicWidth() const { return PictureSize(this, hasPicture_, srcWidth_); }
short Orvellan::OvPicHeight() const { return PictureSize(this, hasPicture_, srcHeight_); }

void Orvellan::setOvScrollBars(int mode) {
  if (mode == scrollBars_) return;
  scrollBars_ = mode;
  if (LayoutView()) (void)Notify(&Orvellan::OvScrollBarsChanged, scrollBars_);
}

short Orvellan::OvZoomPercent() const { return static_cast<short>(Factor() * 100); }

// Every set raises OvZoomPCNT and leaves best fit, even at the same zoom.
void Orvellan::setOvZoomPercent(short percent) {
  if (!Raise(&OrvellanEvents::OvZoomPCNT)) return;
  bestFit_ = false;
  const quint8 index = static_cast<quint8>(std::clamp(RoundHalfEven(percent / 100.0 - 1), 0, 24));
  const bool changed = index != zoomIndex_;
  zoomIndex_ = index;
  if (LayoutView() && changed) (void)Notify(&Orvellan::OvZoomPercentChanged, OvZoomPercent());
}

// Every non-empty address starts a download, even the same one again.
void Orvellan::setOvURL(const QString& url) {
  const bool changed = url != url_;
  url_ = url;
  if (!url.isEmpty()) StartDownload(url);
  if (MarkChanged(QStringLiteral("OvURL")) && changed) (void)Notify(&Orvellan::OvURLChanged, url_);
}

void Orvellan::setOvKeyboardScrolling(bool on) {
  if (on == keyboardScrolling_) return;
  keyboardScrolling_ = on;
  if (MarkChanged(QStringLiteral("OvKeyboardScrolling")))
    (void)Notify(&Orvellan::OvKeyboardScrollingChanged, keyboardScrolling_);
}

void Orvellan::setOvBorderStyle(int style) {
  if (style == borderStyle_) return;
  borderStyle_ = style;
  if (!MarkChanged(QStringLiteral("OvBorderStyle"))) return;
  Refresh();
  if (LayoutView()) (void)Notify(&Orvellan::OvBorderStyleChanged, borderStyle_);
}

// The boxes get the text when it is set, also the same text again after
// reading it from a property bag (which only stores it).
void Orvellan::setToolTipText(const QString& text) {
  const bool changed = text != toolTipText_;
  if (!changed && iDst_->toolTip() == text && iBestFit_->toolTip() == text) return;
  toolTipText_ = text;
  iDst_->setToolTip(text);
  iBestFit_->setToolTip(text);
  if (changed && MarkChanged(QStringLiteral("ToolTipText"))) (void)Notify(&Orvellan::ToolTipTextChanged, toolTipText_);
}

void Orvellan::About() {
  frmAbout about(this);
  about.exec();
}

// ---- persistence ----

Orvellan::StoredValues Orvellan::Stored() const {
  return {backColor_, scrollBarWidth_, mouseScrolling_, scrollBars_,
          url_,       keyboardScrolling_, borderStyle_,  toolTipText_};
}

bool Orvellan::NotifyStoredChanges(const StoredValues& before) {
  const StoredValues now = Stored();
  // Each step is true when nothing changed or the control outlived the signal.
  return (now.backColor == before.backColor || Notify(&Orvellan::BackColorChanged, now.backColor)) &&
         (now.scrollBarWidth == before.scrollBarWidth ||
          Notify(&Orvellan::OvScrollBarWidthChanged, now.scrollBarWidth)) &&
         (now.mouseScrolling == before.mouseScrolling ||
          Notify(&Orvellan::OvMouseScrollingChanged, now.mouseScrolling)) &&
         (now.scrollBars == before.scrollBars || Notify(&Orvellan::OvScrollBarsChanged, now.scrollBars)) &&
         (now.url == before.url || Notify(&Orvellan::OvURLChanged, now.url)) &&
         (now.keyboardScrolling == before.keyboardScrolling ||
          Notify(&Orvellan::OvKeyboardScrollingChanged, now.keyboardScrolling)) &&
         (now.borderStyle == before.borderStyle || Notify(&Orvellan::OvBorderStyleChanged, now.borderStyle)) &&
         (now.toolTipText == before.toolTipText || Notify(&Orvellan::ToolTipTextChanged, now.toolTipText));
}

void Orvellan::ReadProperties(const PropertyBag& bag) {
  const StoredValues before = Stored();
  try {
    scrollBarWidth_ = ReadTyped<short>(bag, "OvScrollBarWidth", 15);
    mouseScrolling_ = ReadTyped<bool>(bag, "OvMouseScrolling", true);
    scrollBars_ = ReadTyped<short>(bag, "OvScrollBars", 0);
    appearance_ = ReadTyped<short>(bag, "Appearance", 1);
    ApplyBackColor(ReadTyped<ColorValue>(bag, "BackColor", kDefaultBackColor));
    update();
    setEnabled(ReadTyped<bool>(bag, "Enabled", true));
    // Loading lays the view out; a handler of what it raises may destroy the control.
    if (!LoadPicture(ReadTyped<StdPicture>(bag, "Picture", StdPicture()), false)) return;
    url_ = ReadTyped<QString>(bag, "OvURL", QString());
    keyboardScrolling_ = ReadTyped<bool>(bag, "OvKeyboardScrolling", false);
    ztBackColor_ = ReadTyped<ColorValue>(bag, "OvZTBackColor", kDefaultBackColor);
    borderStyle_ = ReadTyped<short>(bag, "OvBorderStyle", 0);
    toolTipText_ = ReadTyped<QString>(bag, "ToolTipText", QString());
  } catch (const ComError&) {
    // What was read before the bad value stays, and is announced.
    if (NotifyStoredChanges(before)) throw;
    return;
  }
  (void)NotifyStoredChanges(before);
}

void Orvellan::WriteProperties(PropertyBag& bag) const {
  bag.WriteProperty(QStringLiteral("Appearance"), static_cast<short>(appearance_), static_cast<short>(1));
  bag.WriteProperty(QStringLiteral("BackColor"), iDst_->backColor(), kDefaultBackColor);
  bag.WriteProperty(QStringLiteral("OvScrollBarWidth"), scrollBarWidth_, static_cast<short>(15));
  bag.WriteProperty(QStringLiteral("Enabled"), isEnabled(), true);
  bag.WriteProperty(QStringLiteral("OvMouseScrolling"), mouseScrolling_, true);
  bag.WriteProperty(QStringLiteral("Picture"), QVariant::fromValue(srcPicture_), QVariant::fromValue(StdPicture()));
  bag.WriteProperty(QStringLiteral("OvScrollBars"), static_cast<qint32>(scrollBars_), static_cast<qint32>(0));
  bag.WriteProperty(QStringLiteral("OvURL"), url_, QString());
  bag.WriteProperty(QStringLiteral("OvKeyboardScrolling"), keyboardScrolling_, false);
  bag.WriteProperty(QStringLiteral("OvZTBackColor"), ztBackColor_, kDefaultBackColor);
  bag.WriteProperty(QStringLiteral("OvBorderStyle"), static_cast<qint32>(borderStyle_), static_cast<qint32>(0));
  bag.WriteProperty(QStringLiteral("ToolTipText"), toolTipText_, QString());
}

void Orvellan::ReadProperties(PropertyBag* bag) {
  Dispatch::Guard(this, [&] {
    if (!bag) throw ComError(kErrInvalidPropertyValue);
    ReadProperties(std::as_const(*bag));
  });
}

void Orvellan::WriteProperties(PropertyBag* bag) const {
  Dispatch::Guard(const_cast<Orvellan*>(this), [&] {
    if (!bag) throw ComError(kErrInvalidPropertyValue);
    WriteProperties(*bag);
  });
}

// ---- life cycle and the control's own surface ----

void Orvellan::showEvent(QShowEvent*) {
  QtHandlerScope scope(this);
  (void)LayoutView();
}

// Enabling or disabling sends this event as its last step, so a handler of
// EnabledChanged may destroy the control here.
void Orvellan::changeEvent(QEvent* event) {
  QWidget::changeEvent(event);
  if (event->type() == QEvent::EnabledChange) (void)Notify(&Orvellan::EnabledChanged, isEnabled());
}

void Orvellan::resizeEvent(QResizeEvent*) {
  QtHandlerScope scope(this);
  (void)LayoutView();
}

void Orvellan::paintEvent(QPaintEvent*) {
  QImage surface(size(), QImage::Format_RGB32);
  if (surface.isNull()) return;
  DrawBorder(surface);
  QPainter(this).drawImage(0, 0, surface);
}

void Orvellan::mouseReleaseEvent(QMouseEvent* event) {
  if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()))
    (void)Raise(&OrvellanEvents::ClickBack);
}

void Orvellan::keyPressEvent(QKeyEvent* event) { (void)RaiseKeyPress(event); }

bool Orvellan::eventFilter(QObject* watched, QEvent* event) {
  if (watched == iDst_) return DisplayEvent(event);
  if (watched == iBestFit_) return BestFitEvent(event);
  return QWidget::eventFilter(watched, event);
}
