#pragma once
// A container that draws a decorated frame behind the controls placed on it:
// a plain or rounded outline with a filled body, a caption (in a caption box
// or a themed gradient bar depending on Style) and an optional icon.
//
// Styles: 0 group box, 1 themed bar with a gradient panel, 2 caption box inset
// 15 pixels, 3 full-width caption box, 4 themed bar alone.
// IconAlignment: 0 the icon sits at the left end of the caption area, 1 at its
// right end, 2 just before the caption text; the text keeps clear of it.
#include <QFont>
#include <QImage>

#include "app/controls/common/PersistedWidget.h"
#include "app/controls/vkFrames/FrameThemes.h"
#include "platform/com/StdPicture.h"

class PropertyBag;
class QPainter;

class vkFrames : public PersistedWidget {
  Q_OBJECT
  Q_PROPERTY(quint32 FrameColor READ FrameColor WRITE setFrameColor NOTIFY FrameColorChanged)
  Q_PROPERTY(quint32 BackColor READ BackColor WRITE setBackColor NOTIFY BackColorChanged)
  Q_PROPERTY(quint32 FillColor READ FillColor WRITE setFillColor NOTIFY FillColorChanged)
  Q_PROPERTY(quint32 TextBoxColor READ TextBoxColor WRITE setTextBoxColor NOTIFY TextBoxColorChanged)
  Q_PROPERTY(int Style READ Style WRITE setStyle NOTIFY StyleChanged)
  Q_PROPERTY(bool RoundedCorner READ RoundedCorner WRITE setRoundedCorner NOTIFY RoundedCornerChanged)
  Q_PROPERTY(bool RoundedCornerTxtBox READ RoundedCornerTxtBox WRITE setRoundedCornerTxtBox NOTIFY
                 RoundedCornerTxtBoxChanged)
  Q_PROPERTY(QString Caption READ Caption WRITE setCaption NOTIFY CaptionChanged)
  Q_PROPERTY(int TextBoxHeight READ TextBoxHeight WRITE setTextBoxHeight NOTIFY TextBoxHeightChanged)
  Q_PROPERTY(quint32 TextColor READ TextColor WRITE setTextColor NOTIFY TextColorChanged)
  Q_PROPERTY(int Alignment READ Alignment WRITE setAlignment NOTIFY AlignmentChanged)
  Q_PROPERTY(int IconAlignment READ IconAlignment WRITE setIconAlignment NOTIFY IconAlignmentChanged)
  Q_PROPERTY(QFont Font READ font WRITE setFrameFont NOTIFY FontChanged)
  Q_PROPERTY(StdPicture Picture READ Picture WRITE setPicture NOTIFY PictureChanged)
  Q_PROPERTY(int IconSize READ IconSize WRITE setIconSize NOTIFY IconSizeChanged)
  Q_PROPERTY(int ThemeColor READ ThemeColor WRITE setThemeColor NOTIFY ThemeColorChanged)
  Q_PROPERTY(quint32 ColorFrom READ ColorFrom WRITE setColorFrom NOTIFY ColorFromChanged)
  Q_PROPERTY(quint32 ColorTo READ ColorTo WRITE setColorTo NOTIFY ColorToChanged)

 public:
  static constexpr ColorValue kDefaultColorFrom = 10395391u;  // &H9E9EFF
  static constexpr ColorValue kDefaultColorTo = 0xF0F0FFu;

  explicit vkFrames(QWidget* parent = nullptr);
  ~vkFrames() override;

  ColorValue FrameColor() const { return frameColor_; }
  ColorValue BackColor() const { return backColor_; }
  ColorValue FillColor() const { return fillColor_; }
  ColorValue TextBoxColor() const { return textBoxColor_; }
  int Style() const { return style_; }
  bool RoundedCorner() const { return roundedCorner_; }
  bool RoundedCornerTxtBox() const { return roundedCornerTxtBox_; }
  QString Caption() const { return caption_; }
  int TextBoxHeight() const { return textBoxHeight_; }
  ColorValue TextColor() const { return textColor_; }
  int Alignment() const { return alignment_; }
  int IconAlignment() const { return iconAlignment_; }
  const StdPicture& Picture() const { return picture_; }
  int IconSize() const { return iconSize_; }
  int ThemeColor() const { return themeColor_; }
  ColorValue ColorFrom() const { return colorFrom_; }
  ColorValue ColorTo() const { return colorTo_; }
  // The theme colours in use.
  FrameTheme theme() const { return ThemeColors(themeColor_, colorFrom_, colorTo_, frameColor_); }

  void setFrameColor(ColorValue c);
  void setBackColor(ColorValue c);
  void setFillColor(ColorValue c);
  void setTextBoxColor(ColorValue c);
  // Applies the style's preset, overwriting the properties it lists. Every
  // set does, also a set to the style the frame already has, and every set
  // marks Style changed; StyleChanged follows only a real change.
  void setStyle(int style);
  void setRoundedCorner(bool on);
  void setRoundedCornerTxtBox(bool on);
  void setCaption(const QString& caption);
  void setTextBoxHeight(int height);
  void setTextColor(ColorValue c);
  void setAlignment(int alignment);
  void setIconAlignment(int alignment);
  // Copies bold, italic, family and size into the frame's own font.
  void setFrameFont(const QFont& font);
  void setPicture(const StdPicture& picture);
  // Sizes outside 16 bits are clamped to them.
  void setIconSize(int size);
  void setThemeColor(int theme);
  void setColorFrom(ColorValue c);
  void setColorTo(ColorValue c);

  // Persistence in the host's property store. Stored values are taken as
  // they are: no style preset overwrites them.
  void InitProperties();
  void ReadProperties(const PropertyBag& bag) override;
  void WriteProperties(PropertyBag& bag) const override;

  // The host's background colour: the parent's window colour, else button face.
  ColorValue AmbientBackColor() const;
  // The frame as it is drawn now.
  QImage Render() const;

 signals:
  // Each raised once for every real change, with the new value.
  void FrameColorChanged(quint32 color);
  void BackColorChanged(quint32 color);
  void FillColorChanged(quint32 color);
  void TextBoxColorChanged(quint32 color);
  void StyleChanged(int style);
  void RoundedCornerChanged(bool on);
  void RoundedCornerTxtBoxChanged(bool on);
  void CaptionChanged(const QString& caption);
  void TextBoxHeightChanged(int height);
  void TextColorChanged(quint32 color);
  void AlignmentChanged(int alignment);
  void IconAlignmentChanged(int alignment);
  void FontChanged(const QFont& font);
  void PictureChanged(const StdPicture& picture);
  void IconSizeChanged(int size);
  void ThemeColorChanged(int theme);
  void ColorFromChanged(quint32 color);
  void ColorToChanged(quint32 color);

 protected:
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void changeEvent(QEvent* event) override;

 private:
  void DrawCaption(QImage& image, QRect area, ColorValue color, int iconTop) const;
  void DrawIcon(QPainter& p, int left, int top) const;

  ColorValue frameColor_ = 0;
  ColorValue backColor_ = 0;
  ColorValue fillColor_ = 0;
  ColorValue textBoxColor_ = 0xFFFFFFu;
  int style_ = 1;
  bool roundedCorner_ = true;
  bool roundedCornerTxtBox_ = false;
  QString caption_;
  int textBoxHeight_ = 22;
  ColorValue textColor_ = 0;
  int alignment_ = 2;
  int iconAlignment_ = 0;
  StdPicture picture_;
  int iconSize_ = 16;
  int themeColor_ = 0;
  ColorValue colorFrom_ = kDefaultColorFrom;
  ColorValue colorTo_ = kDefaultColorTo;
  QFont notifiedFont_;  // the font FontChanged last told of
};
