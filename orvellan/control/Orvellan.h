#pragma once
// The Orvellan viewport control: one picture shown with integer zoom (100 %
// to 2500 %), a best-fit view, scroll bars, drag and keyboard scrolling,
// flips, clipboard copy and paste, saving, resampling and loading from an
// address. Hosts create it by programmatic identifier and use it through its
// meta-object only: properties, invokable methods, and the events of its
// event source (property Events).
//
// Every property a host reads back notifies its change (NOTIFY), and setters
// act only on a real change, except where the control's contract asks for
// more: assigning Picture always loads it (by value also raises OvChanged),
// setting OvZoomPercent always raises OvZoomPCNT and leaves best fit, a
// non-empty OvURL always starts a download and marks OvURL changed, and
// ToolTipText always reaches the boxes that do not show it yet.
//
// Implementation files: Orvellan.cpp (state, properties, persistence, life
// cycle), OrvellanView.cpp (zoom, layout, painting), OrvellanInput.cpp
// (scrolling and input), OrvellanImage.cpp (picture operations).
#include <QImage>
#include <QPointer>
#include <QWidget>
#include <array>

#include "platform/com/PersistedControl.h"
#include "platform/com/StdPicture.h"
#include "platform/drawing/ColorValue.h"
#include "platform/drawing/DrawEdge.h"

class BoxWidget;
class OrvellanEvents;
class PropertyBag;
class QPushButton;
class QScrollBar;
class AsyncReadService;
struct AsyncReadResult;

class Orvellan : public QWidget, public PersistedControl {
  Q_OBJECT
  Q_CLASSINFO("ProgID", "OrvellanLib.Orvellan")
  Q_CLASSINFO("PropertyPages", "OrvellanLib.General")
  Q_CLASSINFO("DefaultProperty", "Picture")
  Q_CLASSINFO("DispId.About", "-552")
  Q_CLASSINFO("Description.ToolTipText", "Returns/sets the text displayed when the mouse is paused over the control.")
  Q_PROPERTY(uint BackColor READ BackColor WRITE setBackColor NOTIFY BackColorChanged)
  Q_PROPERTY(short OvScrollBarWidth READ OvScrollBarWidth WRITE setOvScrollBarWidth NOTIFY OvScrollBarWidthChanged)
  Q_PROPERTY(bool Enabled READ getEnabled WRITE setEnabledProperty NOTIFY EnabledChanged)
  Q_PROPERTY(bool OvMouseScrolling READ OvMouseScrolling WRITE setOvMouseScrolling NOTIFY OvMouseScrollingChanged)
  Q_PROPERTY(StdPicture Picture READ Picture WRITE letPicture NOTIFY PictureChanged)
  Q_PROPERTY(short OvPicWidth READ OvPicWidth NOTIFY OvPicWidthChanged)
  Q_PROPERTY(short OvPicHeight READ OvPicHeight NOTIFY OvPicHeightChanged)
  Q_PROPERTY(int OvScrollBars READ OvScrollBars WRITE setOvScrollBars NOTIFY OvScrollBarsChanged)
  Q_PROPERTY(short OvZoomPercent READ OvZoomPercent WRITE setOvZoomPercent NOTIFY OvZoomPercentChanged
                 DESIGNABLE false)
  Q_PROPERTY(QString OvURL READ OvURL WRITE setOvURL NOTIFY OvURLChanged)
  Q_PROPERTY(bool OvKeyboardScrolling READ OvKeyboardScrolling WRITE setOvKeyboardScrolling
                 NOTIFY OvKeyboardScrollingChanged)
  Q_PROPERTY(int OvBorderStyle READ OvBorderStyle WRITE setOvBorderStyle NOTIFY OvBorderStyleChanged)
  Q_PROPERTY(QString ToolTipText READ ToolTipText WRITE setToolTipText NOTIFY ToolTipTextChanged)
  Q_PROPERTY(QObject* Events READ Events CONSTANT DESIGNABLE false)

 public:
  explicit Orvellan(QWidget* parent = nullptr);
  ~Orvellan() override;

  // Live controls of this library (for DllCanUnloadNow).
  static int LiveCount();

  // Properties.
  uint BackColor() const { return backColor_; }
  void setBackColor(uint color);
  short OvScrollBarWidth() const { return scrollBarWidth_; }
  void setOvScrollBarWidth(short width);
  bool getEnabled() const { return isEnabled(); }
  void setEnabledProperty(bool enabled) { setEnabled(enabled); }
  bool OvMouseScrolling() const { return mouseScrolling_; }
  void setOvMouseScrolling(bool on);
  StdPicture Picture() const { return srcPicture_; }
  void letPicture(const StdPicture& picture);  // by value: raises OvChanged
  short OvPicWidth() const;
  short OvPicHeight() const;
  int OvScrollBars() const { return scrollBars_; }
  void setOvScrollBars(int mode);
  short OvZoomPercent() const;
  void setOvZoomPercent(short percent);
  QString OvURL() const { return url_; }
  void setOvURL(const QString& url);
  bool OvKeyboardScrolling() const { return keyboardScrolling_; }
  void setOvKeyboardScrolling(bool on);
  int OvBorderStyle() const { return borderStyle_; }
  void setOvBorderStyle(int style);
  QString ToolTipText() const { return toolTipText_; }
  void setToolTipText(const QString& text);
  QObject* Events() const;

  // Assigning Picture by reference: loads without OvChanged.
  Q_INVOKABLE void putref_Picture(const StdPicture& picture);

  // Methods, in dispatch order.
  Q_INVOKABLE void OvClear();
  Q_INVOKABLE void OvSetView(int Direction);
  Q_INVOKABLE void OvScroll(int Direction, short numPixels);
  Q_INVOKABLE void OvZoomIN();
  Q_INVOKABLE void OvZoomOUT();
  Q_INVOKABLE void OvZoomBestFit();
  Q_INVOKABLE void OvZoom100();
  Q_INVOKABLE void Refresh();
  Q_INVOKABLE int OvResize(int nWidth, int nHeight);
  Q_INVOKABLE void OvSaveImg(const QString& sPath);
  Q_INVOKABLE void OvCopyOriginal();
  Q_INVOKABLE void OvCopyModified();
  Q_INVOKABLE void OvPaste();
  Q_INVOKABLE void OvFlipImage(int Direc);
  Q_INVOKABLE void About();

  // Picture <-> view coordinates of the zoomed view at the current zoom
  // factor and scroll position. The view is the control's own area; picture
  // pixel (x, y) covers the square from mapToView(x, y) to mapToView(x + 1,
  // y + 1). Painting, the mouse events' picture coordinates and OvSetView
  // all go through these two (see OrvellanView.cpp for the formulas).
  Q_INVOKABLE QPointF mapToView(const QPointF& picturePoint) const;
  Q_INVOKABLE QPointF mapToImage(const QPointF& viewPoint) const;

  // Persistence through the host's property bag (PersistedControl). A value
  // of the wrong type stops reading with ComError 13 (6 when it does not fit);
  // the properties read before it keep their new values.
  void ReadProperties(const PropertyBag& bag) override;
  void WriteProperties(PropertyBag& bag) const override;
  // The same for hosts that persist the control by name through the dispatch
  // layer, which hands the bag over by pointer; a null bag is error 380.
  Q_INVOKABLE void ReadProperties(PropertyBag* bag);
  Q_INVOKABLE void WriteProperties(PropertyBag* bag) const;

 signals:
  // The persisted state became dirty (the property named changed).
  void PropertyChanged(const QString& name);

  // A property's value changed; the new value. (A picture size beyond
  // 32767, which reading reports as an overflow, is told as 32767.)
  void BackColorChanged(uint BackColor);
  void OvScrollBarWidthChanged(short OvScrollBarWidth);
  void EnabledChanged(bool Enabled);
  void OvMouseScrollingChanged(bool OvMouseScrolling);
  void PictureChanged(const StdPicture& Picture);
  void OvPicWidthChanged(short OvPicWidth);
  void OvPicHeightChanged(short OvPicHeight);
  void OvScrollBarsChanged(int OvScrollBars);
  void OvZoomPercentChanged(short OvZoomPercent);
  void OvURLChanged(const QString& OvURL);
  void OvKeyboardScrollingChanged(bool OvKeyboardScrolling);
  void OvBorderStyleChanged(int OvBorderStyle);
  void ToolTipTextChanged(const QString& ToolTipText);

 protected:
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void showEvent(QShowEvent* event) override;
  void changeEvent(QEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  // Raising events. Every event goes out through Raise. A handler may destroy
  // the control (a host closing its window on a key, a click or a zoom):
  // Raise then returns false, and so does every step below that can raise an
  // event, directly or through a scroll bar; the caller then returns at once
  // without touching the control. Defined in OrvellanEvents.h.
  template <class... Params, class... Args>
  [[nodiscard]] bool Raise(void (OrvellanEvents::*event)(Params...), Args&... args);
  // Runs step and tells whether the control outlived it.
  template <class Step>
  [[nodiscard]] bool Survives(Step&& step);
  // Emits one of the control's own change signals the same way; its
  // handlers get a copy of value. Defined in OrvellanEvents.h.
  template <class Arg, class Value>
  [[nodiscard]] bool Notify(void (Orvellan::*signal)(Arg), const Value& value);
  [[nodiscard]] bool MarkChanged(const QString& name);
  // While Qt runs one of the control's own resize or show handlers it touches
  // the control again after the handler returns, so argumentless events
  // raised meanwhile (OvScrolled of a layout) go out from the event loop.
  class QtHandlerScope;

  // View (OrvellanView.cpp).
  int Factor() const { return zoomTable_[zoomIndex_]; }
  QPointF ViewOrigin() const;  // where picture point (0, 0) is in the view
  [[nodiscard]] bool LayoutView();
  [[nodiscard]] bool SetScrollRanges(int hMax, int vMax);
  void ShowBestFit();
  void FitPicture();
  void PaintDisplay(QPainter& painter);
  void DrawBorder(QImage& target) const;
  void RepaintDisplay();
  void HideBarsAndCorner();

  // Input (OrvellanInput.cpp).
  void OnBarValueChanged();
  [[nodiscard]] bool SetScrollPosition(QScrollBar* bar, int value);
  QPointF PictureCoordinates(const QPointF& boxPoint) const;
  bool DisplayEvent(QEvent* event);
  bool BestFitEvent(QEvent* event);
  [[nodiscard]] bool DisplayMouseDown(QMouseEvent* event);
  [[nodiscard]] bool DisplayMouseMove(QMouseEvent* event);
  [[nodiscard]] bool DisplayMouseUp(QMouseEvent* event);
  [[nodiscard]] bool DisplayKeyDown(QKeyEvent* event);
  [[nodiscard]] bool KeyScroll(QScrollBar* bar, int direction);
  [[nodiscard]] bool RaiseMouse(int which, QMouseEvent* event, QPointF at);
  [[nodiscard]] bool RaiseKeyPress(QKeyEvent* event);
  [[nodiscard]] bool RaiseKeyUp(QKeyEvent* event);

  // Properties and persistence (Orvellan.cpp).
  void ApplyBackColor(ColorValue color);
  // The values of the properties ReadProperties sets directly.
  struct StoredValues {
    ColorValue backColor;
    short scrollBarWidth;
    bool mouseScrolling;
    int scrollBars;
    QString url;
    bool keyboardScrolling;
    int borderStyle;
    QString toolTipText;
  };
  StoredValues Stored() const;
  [[nodiscard]] bool NotifyStoredChanges(const StoredValues& before);

  // Picture operations (OrvellanImage.cpp).
  // What Picture, OvPicWidth and OvPicHeight read.
  struct PictureState {
    StdPicture picture;
    short width;
    short height;
  };
  PictureState CurrentPicture() const;
  [[nodiscard]] bool NotifyPictureChanges(const PictureState& before);
  [[nodiscard]] bool LoadPicture(const StdPicture& picture, bool byValue);
  [[nodiscard]] bool Clear();
  void ReadSourcePixels();
  int WriteSourcePixels();
  void StartDownload(const QString& url);
  void OnDownloadComplete(const AsyncReadResult& result);
  void ScrollImpl(int direction, short numPixels);
  void CopyModifiedImpl();

  // Elements.
  BoxWidget* iDst_ = nullptr;
  BoxWidget* iBestFit_ = nullptr;
  QScrollBar* hSB_ = nullptr;
  QScrollBar* vSB_ = nullptr;
  QWidget* shp_ = nullptr;
  QPushButton* cmdCorner_ = nullptr;
  OrvellanEvents* events_ = nullptr;
  AsyncReadService* downloads_ = nullptr;

  // Source box: the picture as loaded, its size, and its persistent image.
  StdPicture srcPicture_;
  QImage srcImage_;
  int srcWidth_ = 0;
  int srcHeight_ = 0;

  // State.
  short scrollBarWidth_ = 15;
  bool mouseScrolling_ = true;
  int scrollBars_ = 0;
  bool bestFit_ = false;
  float fittedWidth_ = 0;
  float fittedHeight_ = 0;
  QImage buffer_;  // the pixel buffer: 32-bit, top-down, bytes B G R x
  QImage zoomScratch_;  // the display's size: where zoomed repaints are composed
  bool hasPicture_ = false;
  std::array<int, 25> zoomTable_{};
  quint8 zoomIndex_ = 0;
  bool keyHeld_ = false;
  QPoint dragCurrent_;
  QPoint dragPrevious_;
  bool dragging_ = false;
  bool layoutInProgress_ = false;
  QString toolTipText_;
  int borderStyle_ = 0;
  ColorValue ztBackColor_ = SystemColor(COLOR_BTNFACE);
  bool keyboardScrolling_ = false;
  QString url_;
  WinRect borderRect_;
  ColorValue backColor_ = SystemColor(COLOR_BTNFACE);
  int appearance_ = 1;
  bool displayBlank_ = false;  // the display box was cleared until the next layout
  int raising_ = 0;            // events being raised now
  int insideQtHandler_ = 0;    // resize or show handlers running now
};
