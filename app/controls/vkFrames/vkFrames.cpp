#include "app/controls/vkFrames/vkFrames.h"

#include <QApplication>
#include <QPainter>
#include <limits>

#include "app/controls/vkFrames/FrameGradient.h"
#include "platform/com/PropertyBag.h"
#include "platform/drawing/Numbers.h"

namespace {

constexpr ColorValue kWhite = 0xFFFFFFu;
constexpr int kCaptionMargin = 15;  // outer caption margin of the group box
constexpr int kCaptionGap = 6;      // room around the group box's caption
constexpr int kIconMargin = 3;      // icon to the end of the caption area
constexpr int kIconSpacing = 4;     // icon to caption text

// The platform's rounded rectangle from (l, t) to (r, b), right and bottom
// exclusive, filled with fill and outlined in pen; corner ellipse 10 x 10 when
// rounded, else square corners.
void RoundRect(QImage& image, int l, int t, int r, int b, bool rounded, ColorValue pen, ColorValue fill) {
  if (r - l < 1 || b - t < 1) return;
  QPainter p(&image);
  p.setRenderHint(QPainter::Antialiasing, false);
  p.setPen(QPen(TranslateColor(pen), 0));
  p.setBrush(TranslateColor(fill));
  const QRect rect(l, t, r - l - 1, b - t - 1);
  if (rounded)
    p.drawRoundedRect(rect, 5, 5, Qt::AbsoluteSize);
  else
    p.drawRect(rect);
}

Qt::Alignment CaptionFlags(int alignment) {
  switch (alignment) {
    case 0: return Qt::AlignLeft | Qt::AlignVCenter;
    case 1: return Qt::AlignRight | Qt::AlignVCenter;
    default: return Qt::AlignHCenter | Qt::AlignVCenter;
  }
}

QFont AmbientFont(const QWidget* w) { return w->parentWidget() ? w->parentWidget()->font() : QApplication::font(); }

int ClampInt16(int v) {
  return std::clamp(v, static_cast<int>(std::numeric_limits<int16_t>::min()),
                    static_cast<int>(std::numeric_limits<int16_t>::max()));
}

}  // namespace

vkFrames::vkFrames(QWidget* parent) : QWidget(parent) {
  setAttribute(Qt::WA_OpaquePaintEvent);
  backColor_ = fillColor_ = AmbientBackColor();
  ApplyTheme();
}

vkFrames::~vkFrames() = default;

ColorValue vkFrames::AmbientBackColor() const {
  if (parentWidget()) return ColorValueFromQColor(parentWidget()->palette().color(QPalette::Window));
  return SystemColor(COLOR_BTNFACE);
}

template <typename T>
void vkFrames::set(T& member, const T& value) {
  if (member == value) return;
  member = value;
  update();
  emit PropertyChanged();
}

void vkFrames::setFrameColor(ColorValue c) {
  if (c == frameColor_) return;
  frameColor_ = c;
  if (themeColor_ == 5) ApplyTheme();  // the custom theme's dark colour
  update();
  emit PropertyChanged();
}
void vkFrames::setBackColor(ColorValue c) { set(backColor_, c); }
void vkFrames::setFillColor(ColorValue c) { set(fillColor_, c); }
void vkFrames::setTextBoxColor(ColorValue c) { set(textBoxColor_, c); }
void vkFrames::setRoundedCorner(bool on) { set(roundedCorner_, on); }
void vkFrames::setRoundedCornerTxtBox(bool on) { set(roundedCornerTxtBox_, on); }
void vkFrames::setCaption(const QString& caption) { set(caption_, caption); }
void vkFrames::setTextBoxHeight(int height) { set(textBoxHeight_, height); }
void vkFrames::setTextColor(ColorValue c) { set(textColor_, c); }
void vkFrames::setAlignment(int alignment) { set(alignment_, alignment); }
void vkFrames::setIconAlignment(int alignment) { set(iconAlignment_, alignment); }
void vkFrames::setIconSize(int size) { set(iconSize_, ClampInt16(size)); }

void vkFrames::setPicture(const StdPicture& picture) {
  picture_ = picture;
  update();
  emit PropertyChanged();
}

void vkFrames::setStyle(int style) {
  // Every set applies the preset, also to the style the frame already has.
  style_ = style;
  textBoxHeight_ = 22;
  textBoxColor_ = kWhite;
  textColor_ = 0;
  alignment_ = 2;
  switch (style_) {
    case 0:
      textColor_ = 0xCF3603u;
      frameColor_ = 0xC3C3C3u;
      alignment_ = 0;
      fillColor_ = AmbientBackColor();
      break;
    case 1:
    case 4:
      frameColor_ = 0;
      themeColor_ = 0;
      break;
    case 2:
      frameColor_ = 0x6A6A6Au;
      textBoxColor_ = 0xB0EFF0u;
      roundedCornerTxtBox_ = true;
      break;
    case 3:
      frameColor_ = 0;
      textBoxColor_ = 0xB0EFF0u;
      roundedCorner_ = true;
      fillColor_ = 0xE0FFFFu;
      break;
    default:
      break;
  }
  ApplyTheme();
  update();
  emit PropertyChanged();
}

void vkFrames::setThemeColor(int theme) {
  if (theme == themeColor_) return;
  themeColor_ = theme;
  ApplyTheme();
  update();
  emit PropertyChanged();
}

void vkFrames::setColorFrom(ColorValue c) {
  if (c == colorFrom_) return;
  colorFrom_ = c;
  ApplyTheme();
  update();
  emit PropertyChanged();
}

void vkFrames::setColorTo(ColorValue c) {
  if (c == colorTo_) return;
  colorTo_ = c;
  ApplyTheme();
  update();
  emit PropertyChanged();
}

void vkFrames::ApplyTheme() { theme_ = ThemeColors(themeColor_, colorFrom_, colorTo_, frameColor_); }

void vkFrames::setFrameFont(const QFont& source) {
  QFont f = font();
  f.setFamily(source.family());
  f.setBold(source.bold());
  f.setItalic(source.italic());
  if (source.pointSizeF() > 0)
    f.setPointSizeF(source.pointSizeF());
  else if (source.pixelSize() > 0)
    f.setPixelSize(source.pixelSize());
  if (f == font()) return;
  setFont(f);
  update();
  emit PropertyChanged();
}

void vkFrames::InitProperties() {
  setFont(AmbientFont(this));
  iconSize_ = 16;
  themeColor_ = 0;
  textBoxHeight_ = 22;
  alignment_ = 2;
  frameColor_ = 0;
  backColor_ = fillColor_ = AmbientBackColor();
  textBoxColor_ = kWhite;
  style_ = 1;
  roundedCorner_ = true;
  roundedCornerTxtBox_ = false;
  caption_ = objectName();
  textColor_ = 0;
  iconAlignment_ = 0;
  picture_ = StdPicture();
  colorFrom_ = kDefaultColorFrom;
  colorTo_ = kDefaultColorTo;
  ApplyTheme();
  update();
  emit PropertyChanged();
}

void vkFrames::ReadProperties(const PropertyBag& bag) {
  // Stored values are taken as they are: no style preset overwrites them.
  const ColorValue ambient = AmbientBackColor();
  auto colour = [&bag](const char* key, ColorValue def) {
    return bag.ReadProperty(QString::fromLatin1(key), def).toUInt();
  };
  frameColor_ = colour("FrameColor", 0);
  backColor_ = colour("BackColor", ambient);
  fillColor_ = colour("FillColor", ambient);
  textBoxColor_ = colour("TextBoxColor", kWhite);
  style_ = bag.ReadProperty(QStringLiteral("Style"), 1).toInt();
  roundedCorner_ = bag.ReadProperty(QStringLiteral("RoundedCorner"), true).toBool();
  roundedCornerTxtBox_ = bag.ReadProperty(QStringLiteral("RoundedCornerTxtBox"), false).toBool();
  caption_ = bag.ReadProperty(QStringLiteral("Caption"), objectName()).toString();
  textBoxHeight_ = bag.ReadProperty(QStringLiteral("TextBoxHeight"), 22).toInt();
  textColor_ = colour("TextColor", 0);
  alignment_ = bag.ReadProperty(QStringLiteral("Alignment"), 2).toInt();
  iconAlignment_ = bag.ReadProperty(QStringLiteral("IconAlignment"), 0).toInt();
  const QFont f = bag.ReadProperty(QStringLiteral("Font"), AmbientFont(this)).value<QFont>();
  const QImage icon = bag.ReadProperty(QStringLiteral("Picture"), QImage()).value<QImage>();
  picture_ = icon.isNull() ? StdPicture() : StdPicture(icon);
  iconSize_ = ClampInt16(bag.ReadProperty(QStringLiteral("IconSize"), 16).toInt());
  themeColor_ = bag.ReadProperty(QStringLiteral("ThemeColor"), 0).toInt();
  colorFrom_ = colour("ColorFrom", kDefaultColorFrom);
  colorTo_ = colour("ColorTo", kDefaultColorTo);
  setFont(f);
  ApplyTheme();
  update();
  emit PropertyChanged();
}

void vkFrames::WriteProperties(PropertyBag& bag) const {
  const ColorValue ambient = AmbientBackColor();
  bag.WriteProperty(QStringLiteral("FrameColor"), frameColor_, 0u);
  bag.WriteProperty(QStringLiteral("BackColor"), backColor_, ambient);
  bag.WriteProperty(QStringLiteral("FillColor"), fillColor_, ambient);
  bag.WriteProperty(QStringLiteral("TextBoxColor"), textBoxColor_, kWhite);
  bag.WriteProperty(QStringLiteral("Style"), style_, 1);
  bag.WriteProperty(QStringLiteral("RoundedCorner"), roundedCorner_, true);
  bag.WriteProperty(QStringLiteral("RoundedCornerTxtBox"), roundedCornerTxtBox_, false);
  bag.WriteProperty(QStringLiteral("Caption"), caption_, objectName());
  bag.WriteProperty(QStringLiteral("TextBoxHeight"), textBoxHeight_, 22);
  bag.WriteProperty(QStringLiteral("TextColor"), textColor_, 0u);
  bag.WriteProperty(QStringLiteral("Alignment"), alignment_, 2);
  bag.WriteProperty(QStringLiteral("IconAlignment"), iconAlignment_, 0);
  bag.WriteProperty(QStringLiteral("Font"), font(), AmbientFont(this));
  bag.WriteProperty(QStringLiteral("Picture"), picture_.isNull() ? QImage() : picture_.image(), QImage());
  bag.WriteProperty(QStringLiteral("IconSize"), iconSize_, 16);
  bag.WriteProperty(QStringLiteral("ThemeColor"), themeColor_, 0);
  bag.WriteProperty(QStringLiteral("ColorFrom"), colorFrom_, kDefaultColorFrom);
  bag.WriteProperty(QStringLiteral("ColorTo"), colorTo_, kDefaultColorTo);
}

void vkFrames::DrawIcon(QPainter& p, int left, int top) const {
  // Scaled while drawing, so only the visible part is ever computed.
  p.setRenderHint(QPainter::SmoothPixmapTransform, true);
  p.drawImage(QRect(left, top, iconSize_, iconSize_), picture_.image());
}

void vkFrames::DrawCaption(QImage& image, QRect area, ColorValue color, int iconTop) const {
  const bool hasIcon = !picture_.isNull() && iconSize_ > 0;
  const QFontMetrics fm(font());
  QRect textArea = area;
  Qt::Alignment flags = CaptionFlags(alignment_);
  QPainter p(&image);
  if (hasIcon) {
    int iconLeft = area.left() + kIconMargin;
    if (iconAlignment_ == 1) {
      iconLeft = area.left() + area.width() - kIconMargin - iconSize_;
      textArea.setRight(iconLeft - kIconSpacing - 1);
    } else if (iconAlignment_ == 2) {
      // Icon and text move as one block, aligned like the caption.
      const int w = caption_.isEmpty() ? 0 : fm.horizontalAdvance(caption_);
      const int block = iconSize_ + (w > 0 ? kIconSpacing + w : 0);
      if (alignment_ == 0)
        iconLeft = area.left();
      else if (alignment_ == 1)
        iconLeft = area.left() + area.width() - block;
      else
        iconLeft = area.left() + RoundHalfEven((area.width() - block) / 2.0);
      textArea = QRect(iconLeft + iconSize_ + kIconSpacing, area.top(), std::max(0, w), area.height());
      flags = Qt::AlignLeft | Qt::AlignVCenter;
    } else {
      textArea.setLeft(iconLeft + iconSize_ + kIconSpacing);
    }
    DrawIcon(p, iconLeft, iconTop);
  }
  if (caption_.isEmpty()) return;
  p.setFont(font());
  p.setPen(TranslateColor(color));
  p.drawText(textArea, flags | Qt::TextSingleLine, caption_);
}

QImage vkFrames::Render() const {
  const int iw = std::max(1, width());
  const int ih = std::max(1, height());
  QImage image(iw, ih, QImage::Format_RGB32);
  image.fill(TranslateColor(backColor_));

  const QFontMetrics fm(font());
  const int w = caption_.isEmpty() ? 0 : fm.horizontalAdvance(caption_);
  const int h = caption_.isEmpty() ? 0 : fm.height();
  const int tbh = textBoxHeight_;
  const ColorValue body = ColorAverage(theme_.start, kWhite);

  switch (style_) {
    case 0: {
      const int y0 = RoundHalfEven(h / 2.0);
      RoundRect(image, 0, y0, iw, ih, roundedCorner_, frameColor_, fillColor_);
      const bool hasIcon = !picture_.isNull() && iconSize_ > 0;
      // The icon travels with the caption and widens the gap in the top line.
      const int extra = hasIcon ? iconSize_ + kIconSpacing : 0;
      const int block = w + extra;
      int x = 0;
      if (alignment_ == 0)
        x = kCaptionMargin;
      else if (alignment_ == 1)
        x = iw - block - kCaptionMargin - kCaptionGap;
      else
        x = RoundHalfEven((iw - block) / 2.0);
      if (block > 0) {
        QPainter p(&image);
        p.fillRect(x, y0, block + kCaptionGap, 1, TranslateColor(fillColor_));
      }
      int textLeft = x + 3;
      if (hasIcon) {
        const int iconTop = RoundHalfEven((h - iconSize_) / 2.0);
        const int iconLeft = iconAlignment_ == 1 ? x + 3 + w + kIconSpacing : x + 3;
        if (iconAlignment_ != 1) textLeft += extra;
        QPainter p(&image);
        DrawIcon(p, iconLeft, iconTop);
      }
      if (w > 0) {
        QPainter p(&image);
        p.setFont(font());
        p.setPen(TranslateColor(textColor_));
        p.drawText(QRect(textLeft, 0, w, h), Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine, caption_);
      }
      break;
    }
    case 2:
    case 3: {
      const int y0 = RoundHalfEven(tbh / 2.0);
      RoundRect(image, 0, y0, iw, ih, roundedCorner_, frameColor_, fillColor_);
      const int inset = style_ == 2 ? kCaptionMargin : 0;
      RoundRect(image, inset, 0, iw - inset, tbh, roundedCornerTxtBox_, frameColor_, textBoxColor_);
      const int textInset = style_ == 2 ? 24 : 6;
      DrawCaption(image, QRect(QPoint(textInset, 0), QPoint(iw - textInset - 1, tbh - 2)), textColor_,
                  RoundHalfEven((tbh - iconSize_) / 2.0));
      break;
    }
    case 4: {
      RoundRect(image, 0, 0, iw, ih, roundedCorner_, theme_.dark, body);
      DrawGradientBox(image, theme_.end, theme_.start, 0, 0, iw - 1, tbh, theme_.dark);
      {
        // Two separator lines under the bar: the dark colour, then the bar's middle colour.
        QPainter p(&image);
        p.fillRect(1, tbh + 2, iw - 2, 1, TranslateColor(theme_.dark));
        p.fillRect(1, tbh + 3, iw - 2, 1, TranslateColor(ColorAverage(theme_.start, theme_.end)));
      }
      DrawCaption(image, QRect(QPoint(6, 0), QPoint(iw - 7, tbh)), theme_.dark,
                  RoundHalfEven((tbh - iconSize_) / 2.0));
      break;
    }
    default: {  // style 1 and any other value
      const int y0 = RoundHalfEven(tbh / 2.0);
      RoundRect(image, 0, y0, iw, ih, roundedCorner_, theme_.dark, body);
      DrawGradientBox(image, theme_.end, theme_.start, 0, 0, iw - 1, 3, theme_.dark);
      DrawGradientBox(image, theme_.end, theme_.start, 0, 3, iw - 1, tbh, theme_.dark);
      DrawGradientBox(image, theme_.end, theme_.start, 0, tbh + 3, iw - 1, 3, theme_.dark);
      // The panel stops above the body's bottom line and, when rounded, its corners.
      const int panelTop = tbh + 7;
      const int panelBottom = ih - (roundedCorner_ ? 6 : 2);
      if (panelBottom >= panelTop)
        DrawVerticalGradient(image, ColorAverage(theme_.end, kWhite), body, 1, iw - 1, panelTop,
                             panelBottom - panelTop);
      DrawCaption(image, QRect(QPoint(6, 3), QPoint(iw - 7, 3 + tbh)), theme_.dark,
                  3 + RoundHalfEven((tbh - iconSize_) / 2.0));
      break;
    }
  }
  return image;
}

void vkFrames::paintEvent(QPaintEvent*) { QPainter(this).drawImage(0, 0, Render()); }

void vkFrames::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  update();
}
