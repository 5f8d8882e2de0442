#include "app/controls/vkFrames/vkFrames.h"

#include <QEvent>
#include <QPainter>
#include <limits>

#include "app/controls/common/AmbientProperties.h"
#include "app/controls/common/ControlAccessibility.h"
#include "app/controls/common/PictureProperty.h"
#include "app/controls/common/SetIfChanged.h"
#include "app/controls/vkFrames/FrameGradient.h"
#include "app/controls/vkFrames/vkFramesAccessible.h"
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

int ClampInt16(int v) {
  return std::clamp(v, static_cast<int>(std::numeric_limits<int16_t>::min()),
                    static_cast<int>(std::numeric_limits<int16_t>::max()));
}

}  // namespace

vkFrames::vkFrames(QWidget* parent) : PersistedWidget(parent), notifiedFont_(font()) {
  RegisterAccessibleOnce<vkFrames, vkFramesAccessible>();
  setAttribute(Qt::WA_OpaquePaintEvent);
  backColor_ = fillColor_ = AmbientBackColor();
}

vkFrames::~vkFrames() = default;

ColorValue vkFrames::AmbientBackColor() const { return ::AmbientBackColor(this); }

void vkFrames::setFrameColor(ColorValue c) {
  SetProperty(frameColor_, c, &vkFrames::FrameColorChanged, "FrameColor");
}

void vkFrames::setBackColor(ColorValue c) { SetProperty(backColor_, c, &vkFrames::BackColorChanged, "BackColor"); }

void vkFrames::setFillColor(ColorValue c) { SetProperty(fillColor_, c, &vkFrames::FillColorChanged, "FillColor"); }

void vkFrames::setTextBoxColor(ColorValue c) {
  SetProperty(textBoxColor_, c, &vkFrames::TextBoxColorChanged, "TextBoxColor");
}

void vkFrames::setRoundedCorner(bool on) {
  SetProperty(roundedCorner_, on, &vkFrames::RoundedCornerChanged, "RoundedCorner");
}

void vkFrames::setRoundedCornerTxtBox(bool on) {
  SetProperty(roundedCornerTxtBox_, on, &vkFrames::RoundedCornerTxtBoxChanged, "RoundedCornerTxtBox");
}

void vkFrames::setCaption(const QString& caption) {
  if (!SetIfChanged(caption_, caption)) return;
  update();
  // The caption names the frame for assistive tools unless it has a name of its own.
  if (accessibleName().isEmpty()) NotifyAccessibleName(this);
  Notify(&vkFrames::CaptionChanged, caption_, "Caption");
}

void vkFrames::setTextBoxHeight(int height) {
  SetProperty(textBoxHeight_, height, &vkFrames::TextBoxHeightChanged, "TextBoxHeight");
}

void vkFrames::setTextColor(ColorValue c) { SetProperty(textColor_, c, &vkFrames::TextColorChanged, "TextColor"); }

void vkFrames::setAlignment(int alignment) {
  SetProperty(alignment_, alignment, &vkFrames::AlignmentChanged, "Alignment");
}

void vkFrames::setIconAlignment(int alignment) {
  SetProperty(iconAlignment_, alignment, &vkFrames::IconAlignmentChanged, "IconAlignment");
}

void vkFrames::setIconSize(int size) {
  SetProperty(iconSize_, ClampInt16(size), &vkFrames::IconSizeChanged, "IconSize");
}

void vkFrames::setPicture(const StdPicture& picture) {
  SetProperty(picture_, picture, &vkFrames::PictureChanged, "Picture");
}

void vkFrames::setStyle(int style) {
  const bool changed = SetIfChanged(style_, style);
  // The preset's colours and alignment first, so that each property changes
  // at most once; any other style keeps FrameColor.
  ColorValue text = 0;
  ColorValue frame = frameColor_;
  ColorValue textBox = kWhite;
  int alignment = 2;
  switch (style_) {
    case 0:
      text = 0xCF3603u;
      frame = 0xC3C3C3u;
      alignment = 0;
      break;
    case 1:
    case 4:
      frame = 0;
      break;
    case 2:
      frame = 0x6A6A6Au;
      textBox = 0xB0EFF0u;
      break;
    case 3:
      frame = 0;
      textBox = 0xB0EFF0u;
      break;
    default:
      break;
  }
  setTextColor(text);
  setFrameColor(frame);
  setTextBoxColor(textBox);
  setTextBoxHeight(22);
  setAlignment(alignment);
  switch (style_) {
    case 0:
      setFillColor(AmbientBackColor());
      break;
    case 1:
    case 4:
      setThemeColor(0);
      break;
    case 2:
      setRoundedCornerTxtBox(true);
      break;
    case 3:
      setRoundedCorner(true);
      setFillColor(0xE0FFFFu);
      break;
    default:
      break;
  }
  update();
  // Marked changed also when the style stays.
  if (changed)
    Notify(&vkFrames::StyleChanged, style_, "Style");
  else
    MarkChanged("Style");
}

void vkFrames::setThemeColor(int theme) {
  SetProperty(themeColor_, theme, &vkFrames::ThemeColorChanged, "ThemeColor");
}

void vkFrames::setColorFrom(ColorValue c) { SetProperty(colorFrom_, c, &vkFrames::ColorFromChanged, "ColorFrom"); }

void vkFrames::setColorTo(ColorValue c) { SetProperty(colorTo_, c, &vkFrames::ColorToChanged, "ColorTo"); }

void vkFrames::setFrameFont(const QFont& source) {
  QFont f = font();
  f.setFamily(source.family());
  f.setBold(source.bold());
  f.setItalic(source.italic());
  if (source.pointSizeF() > 0)
    f.setPointSizeF(source.pointSizeF());
  else if (source.pixelSize() > 0)
    f.setPixelSize(source.pixelSize());
  setFont(f);  // changeEvent notifies a real change
}

void vkFrames::changeEvent(QEvent* event) {
  QWidget::changeEvent(event);
  if (event->type() != QEvent::FontChange) return;
  // Qt also reports a font set again with other resolve bits; only a
  // different font is a change.
  if (!SetIfChanged(notifiedFont_, font())) return;
  update();
  Notify(&vkFrames::FontChanged, notifiedFont_, "Font");
}

void vkFrames::InitProperties() {
  const auto loading = LoadingProperties();
  setFont(AmbientFont(this));
  setIconSize(16);
  setThemeColor(0);
  setTextBoxHeight(22);
  setAlignment(2);
  setFrameColor(0);
  setBackColor(AmbientBackColor());
  setFillColor(AmbientBackColor());
  setTextBoxColor(kWhite);
  if (SetIfChanged(style_, 1)) Notify(&vkFrames::StyleChanged, style_, "Style");
  setRoundedCorner(true);
  setRoundedCornerTxtBox(false);
  setCaption(objectName());
  setTextColor(0);
  setIconAlignment(0);
  setPicture(StdPicture());
  setColorFrom(kDefaultColorFrom);
  setColorTo(kDefaultColorTo);
}

void vkFrames::ReadProperties(const PropertyBag& bag) {
  const auto loading = LoadingProperties();
  const ColorValue ambient = AmbientBackColor();
  auto colour = [&bag](const char* key, ColorValue def) {
    return bag.ReadProperty(QString::fromLatin1(key), def).toUInt();
  };
  setFrameColor(colour("FrameColor", 0));
  setBackColor(colour("BackColor", ambient));
  setFillColor(colour("FillColor", ambient));
  setTextBoxColor(colour("TextBoxColor", kWhite));
  // Stored as it is, without the style's preset.
  if (SetIfChanged(style_, bag.ReadProperty(QStringLiteral("Style"), 1).toInt()))
    Notify(&vkFrames::StyleChanged, style_, "Style");
  setRoundedCorner(bag.ReadProperty(QStringLiteral("RoundedCorner"), true).toBool());
  setRoundedCornerTxtBox(bag.ReadProperty(QStringLiteral("RoundedCornerTxtBox"), false).toBool());
  setCaption(bag.ReadProperty(QStringLiteral("Caption"), objectName()).toString());
  setTextBoxHeight(bag.ReadProperty(QStringLiteral("TextBoxHeight"), 22).toInt());
  setTextColor(colour("TextColor", 0));
  setAlignment(bag.ReadProperty(QStringLiteral("Alignment"), 2).toInt());
  setIconAlignment(bag.ReadProperty(QStringLiteral("IconAlignment"), 0).toInt());
  setFont(bag.ReadProperty(QStringLiteral("Font"), AmbientFont(this)).value<QFont>());
  setPicture(ReadPictureProperty(bag, QStringLiteral("Picture")));
  setIconSize(bag.ReadProperty(QStringLiteral("IconSize"), 16).toInt());
  setThemeColor(bag.ReadProperty(QStringLiteral("ThemeColor"), 0).toInt());
  setColorFrom(colour("ColorFrom", kDefaultColorFrom));
  setColorTo(colour("ColorTo", kDefaultColorTo));
  update();
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
  WritePictureProperty(bag, QStringLiteral("Picture"), picture_);
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
  const FrameTheme colors = theme();
  const ColorValue body = ColorAverage(colors.start, kWhite);

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
      RoundRect(image, 0, 0, iw, ih, roundedCorner_, colors.dark, body);
      DrawGradientBox(image, colors.end, colors.start, 0, 0, iw - 1, tbh, colors.dark);
      {
        // Two separator lines under the bar: the dark colour, then the bar's middle colour.
        QPainter p(&image);
        p.fillRect(1, tbh + 2, iw - 2, 1, TranslateColor(colors.dark));
        p.fillRect(1, tbh + 3, iw - 2, 1, TranslateColor(ColorAverage(colors.start, colors.end)));
      }
      DrawCaption(image, QRect(QPoint(6, 0), QPoint(iw - 7, tbh)), colors.dark,
                  RoundHalfEven((tbh - iconSize_) / 2.0));
      break;
    }
    default: {  // style 1 and any other value
      const int y0 = RoundHalfEven(tbh / 2.0);
      RoundRect(image, 0, y0, iw, ih, roundedCorner_, colors.dark, body);
      DrawGradientBox(image, colors.end, colors.start, 0, 0, iw - 1, 3, colors.dark);
      DrawGradientBox(image, colors.end, colors.start, 0, 3, iw - 1, tbh, colors.dark);
      DrawGradientBox(image, colors.end, colors.start, 0, tbh + 3, iw - 1, 3, colors.dark);
      // The panel stops above the body's bottom line and, when rounded, its corners.
      const int panelTop = tbh + 7;
      const int panelBottom = ih - (roundedCorner_ ? 6 : 2);
      if (panelBottom >= panelTop)
        DrawVerticalGradient(image, ColorAverage(colors.end, kWhite), body, 1, iw - 1, panelTop,
                             panelBottom - panelTop);
      DrawCaption(image, QRect(QPoint(6, 3), QPoint(iw - 7, 3 + tbh)), colors.dark,
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
