#include "app/controls/ucUpDownBox/ucUpDownBox.h"

#include <QKeyEvent>
#include <QLineEdit>
#include <QPainter>
#include <QRegularExpression>
#include <QScrollBar>
#include <QStyle>
#include <cmath>
#include <optional>

#include "app/controls/common/AmbientProperties.h"
#include "app/controls/common/ControlAccessibility.h"
#include "app/controls/common/SetIfChanged.h"
#include "app/controls/ucUpDownBox/UpDownBoxAccessible.h"
#include "platform/com/PropertyBag.h"
#include "platform/drawing/DrawEdge.h"
#include "platform/drawing/Numbers.h"

namespace {

// A number as the text box may hold one: optional sign, digits with an
// optional fraction, optional exponent, surrounding blanks allowed. Anything
// else (empty, a lone "-", "1-2") is not numeric.
std::optional<double> ParseNumber(const QString& text) {
  static const QRegularExpression kNumber(
      QStringLiteral(R"(^\s*[+-]?(\d+\.?\d*|\.\d+)([eE][+-]?\d+)?\s*$)"));
  if (!kNumber.match(text).hasMatch()) return std::nullopt;
  bool ok = false;
  const double v = text.trimmed().toDouble(&ok);
  if (!ok || !std::isfinite(v)) return std::nullopt;
  return v;
}

Qt::Alignment TextAlignment(int alignment) {
  switch (alignment) {
    case 1: return Qt::AlignRight | Qt::AlignVCenter;
    case 2: return Qt::AlignHCenter | Qt::AlignVCenter;
    default: return Qt::AlignLeft | Qt::AlignVCenter;
  }
}

bool AcceptedCharacter(QChar c) { return (c >= u'0' && c <= u'9') || c == u'-' || c == u'\b'; }

}  // namespace

ucUpDownBox::ucUpDownBox(QWidget* parent) : PersistedWidget(parent), notifiedFont_(font()) {
  RegisterAccessibleOnce<ucUpDownBox, UpDownBoxAccessible>();
  txtValue = new QLineEdit(this);
  txtValue->setObjectName(QStringLiteral("txtValue"));
  txtValue->setFrame(false);
  txtValue->setText(QStringLiteral("0"));
  txtValue->installEventFilter(this);
  setFocusProxy(txtValue);
  setFocusPolicy(Qt::StrongFocus);

  // The arrows rest at 0; the upper arrow moves to -1 in Qt's terms (towards
  // the top), which is the +1 step of the box.
  ucBar = new QScrollBar(Qt::Vertical, this);
  ucBar->setObjectName(QStringLiteral("ucBar"));
  ucBar->setRange(-1, 1);
  ucBar->setSingleStep(1);
  ucBar->setPageStep(1);
  ucBar->setValue(0);
  ucBar->setFocusPolicy(Qt::NoFocus);
  barWidth_ = style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, ucBar);

  connect(txtValue, &QLineEdit::textChanged, this, &ucUpDownBox::txtValue_Change);
  connect(ucBar, &QScrollBar::valueChanged, this, [this](int v) { ucBar_Change(-v); });

  ApplyColors();
  UpdateLayout();
}

ucUpDownBox::~ucUpDownBox() = default;

void ucUpDownBox::setMin(int min) { SetProperty(min_, min, &ucUpDownBox::MinChanged, "Min"); }

void ucUpDownBox::setMax(int max) { SetProperty(max_, max, &ucUpDownBox::MaxChanged, "Max"); }

void ucUpDownBox::setValue(int value) {
  // Max is tested last, so with Min above Max the value becomes Max.
  if (value < min_) value = min_;
  if (value > max_) value = max_;
  // The text-change rule stores the value and raises Change when it differs.
  txtValue->setText(QString::number(value));
}

void ucUpDownBox::storeValue(int value) {
  if (!SetIfChanged(value_, value)) return;
  NotifyAccessibleValue(this, value_);
  Notify(&ucUpDownBox::ValueChanged, value_, "Value");
}

void ucUpDownBox::txtValue_Change(const QString& text) {
  const int before = value_;
  const std::optional<double> number = ParseNumber(text);
  if (!number) {
    storeValue(0);
    return;
  }
  if (static_cast<double>(min_) <= *number && *number <= static_cast<double>(max_))
    storeValue(RoundHalfEven(*number));
  if (value_ != before) emit Change();
}

void ucUpDownBox::ucBar_Change(int position) {
  if (position == 0) return;
  if (position > 0) {
    if (value_ < max_) storeValue(value_ + 1);
  } else {
    if (value_ > min_) storeValue(value_ - 1);
  }
  {
    const QSignalBlocker block(ucBar);
    ucBar->setValue(0);
  }
  // The text already says what Value says, so the text-change rule finds no
  // difference; the arrows raise Change themselves, also at a bound.
  txtValue->setText(QString::number(value_));
  txtValue->selectAll();
  emit Change();
}

void ucUpDownBox::Spin(int direction) {
  ucBar->triggerAction(direction > 0 ? QAbstractSlider::SliderSingleStepSub : QAbstractSlider::SliderSingleStepAdd);
}

void ucUpDownBox::setAlignment(int alignment) {
  if (!SetIfChanged(alignment_, alignment)) return;
  txtValue->setAlignment(TextAlignment(alignment_));
  Notify(&ucUpDownBox::AlignmentChanged, alignment_, "Alignment");
}

void ucUpDownBox::setBackColor(ColorValue color) {
  if (!SetIfChanged(backColor_, color)) return;
  ApplyColors();
  Notify(&ucUpDownBox::BackColorChanged, backColor_, "BackColor");
}

void ucUpDownBox::setForeColor(ColorValue color) {
  if (!SetIfChanged(foreColor_, color)) return;
  ApplyColors();
  Notify(&ucUpDownBox::ForeColorChanged, foreColor_, "ForeColor");
}

void ucUpDownBox::setBorderStyle(int style) {
  if (!SetIfChanged(borderStyle_, style)) return;
  UpdateLayout();
  update();
  Notify(&ucUpDownBox::BorderStyleChanged, borderStyle_, "BorderStyle");
}

void ucUpDownBox::ApplyColors() {
  QPalette pal = palette();
  pal.setColor(QPalette::Window, TranslateColor(backColor_));
  setPalette(pal);
  setAutoFillBackground(true);
  QPalette tp = txtValue->palette();
  tp.setColor(QPalette::Base, TranslateColor(backColor_));
  tp.setColor(QPalette::Text, TranslateColor(foreColor_));
  txtValue->setPalette(tp);
  update();
}

void ucUpDownBox::InitProperties() {
  const auto loading = LoadingProperties();
  setBorderStyle(1);
  setBackColor(kDefaultBackColor);
  setFont(AmbientFont(this));
  setMin(0);
  setMax(100);
  txtValue->setText(QStringLiteral("0"));
}

void ucUpDownBox::ReadProperties(const PropertyBag& bag) {
  const auto loading = LoadingProperties();
  const QFont ambient = AmbientFont(this);
  setBackColor(bag.ReadProperty(QStringLiteral("BackColor"), kDefaultBackColor).toUInt());
  setBorderStyle(bag.ReadProperty(QStringLiteral("BorderStyle"), 1).toInt());
  setEnabled(bag.ReadProperty(QStringLiteral("Enabled"), true).toBool());
  setFont(bag.ReadProperty(QStringLiteral("Font"), ambient).value<QFont>());
  setAlignment(bag.ReadProperty(QStringLiteral("Alignment"), 0).toInt());
  // The text box's colour and font are stored under the control's own keys.
  setForeColor(bag.ReadProperty(QStringLiteral("ForeColor"), kDefaultForeColor).toUInt());
  setMin(bag.ReadProperty(QStringLiteral("Min"), 0).toInt());
  setMax(bag.ReadProperty(QStringLiteral("Max"), 100).toInt());
  // The stored value is taken as it is and then shown; reading raises no Change.
  storeValue(bag.ReadProperty(QStringLiteral("Value"), 0).toInt());
  txtValue->setText(QString::number(value_));
}

void ucUpDownBox::WriteProperties(PropertyBag& bag) const {
  const QFont ambient = AmbientFont(this);
  bag.WriteProperty(QStringLiteral("BackColor"), backColor_, kDefaultBackColor);
  bag.WriteProperty(QStringLiteral("BorderStyle"), borderStyle_, 1);
  bag.WriteProperty(QStringLiteral("Enabled"), isEnabled(), true);
  bag.WriteProperty(QStringLiteral("Font"), font(), ambient);
  bag.WriteProperty(QStringLiteral("Alignment"), alignment_, 0);
  bag.WriteProperty(QStringLiteral("ForeColor"), foreColor_, kDefaultForeColor);
  bag.WriteProperty(QStringLiteral("Min"), min_, 0);
  bag.WriteProperty(QStringLiteral("Max"), max_, 100);
  bag.WriteProperty(QStringLiteral("Value"), value_, 0);
}

bool ucUpDownBox::eventFilter(QObject* watched, QEvent* event) {
  if (watched != txtValue) return QWidget::eventFilter(watched, event);
  if (event->type() == QEvent::KeyPress) {
    auto* key = static_cast<QKeyEvent*>(event);
    switch (key->key()) {
      case Qt::Key_Up: Spin(+1); return true;
      case Qt::Key_Down: Spin(-1); return true;
      case Qt::Key_Tab:
      case Qt::Key_Backtab:
      case Qt::Key_Delete:
      case Qt::Key_Backspace:
        return false;
      default: break;
    }
    // Keys that type a character: only digits and the minus sign get through.
    // This also discards the control characters of Enter and Ctrl+V, X, C.
    const QString text = key->text();
    if (!text.isEmpty() && !AcceptedCharacter(text.at(0))) return true;
    return false;
  }
  if (event->type() == QEvent::FocusIn) {
    // Let the box take the focus first, then select everything in it.
    static_cast<QObject*>(txtValue)->event(event);
    txtValue->selectAll();
    return true;
  }
  return QWidget::eventFilter(watched, event);
}

int ucUpDownBox::wantedHeight() const {
  // One line of text with a two-pixel margin above and below, inside the border.
  return QFontMetrics(font()).height() + 4 + 2 * borderWidth();
}

QSize ucUpDownBox::sizeHint() const { return QSize(4 * barWidth_ + 2 * borderWidth(), wantedHeight()); }

QSize ucUpDownBox::minimumSizeHint() const { return QSize(2 * barWidth_, wantedHeight()); }

void ucUpDownBox::UpdateLayout() {
  setMinimumWidth(2 * barWidth_);
  setFixedHeight(wantedHeight());
  const int b = borderWidth();
  const int innerW = std::max(0, width() - 2 * b);
  const int innerH = std::max(0, height() - 2 * b);
  const int barW = std::min(barWidth_, innerW);
  ucBar->setGeometry(b + innerW - barW, b, barW, innerH);
  txtValue->setGeometry(b + 1, b, std::max(0, innerW - barW - 1), innerH);
}

void ucUpDownBox::paintEvent(QPaintEvent*) {
  if (borderStyle_ != 1) return;
  QImage border(size(), QImage::Format_RGB32);
  border.fill(TranslateColor(backColor_));
  DrawEdge(border, WinRect{0, 0, width(), height()}, EDGE_SUNKEN, BF_RECT);
  QPainter(this).drawImage(0, 0, border);
}

void ucUpDownBox::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  UpdateLayout();
}

void ucUpDownBox::changeEvent(QEvent* event) {
  QWidget::changeEvent(event);
  if (event->type() == QEvent::FontChange) {
    UpdateLayout();
    // Qt also reports a font set again with other resolve bits; only a
    // different font is a change.
    if (SetIfChanged(notifiedFont_, font())) Notify(&ucUpDownBox::FontChanged, notifiedFont_, "Font");
  } else if (event->type() == QEvent::EnabledChange) {
    Notify(&ucUpDownBox::EnabledChanged, isEnabled(), "Enabled");
  }
}
