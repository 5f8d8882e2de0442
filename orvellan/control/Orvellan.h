#pragma once
// The Orvellan viewport control: one picture shown with integer zoom (100 %
// to 2500 %), a best-fit view, scroll bars, drag and keyboard scrolling,
// flips, clipboard copy and paste, saving, resampling and loading from an
// address. Hosts create it by programmatic identifier and use it through its
// meta-object only: properties, invokable methods, and the events of its
// event source (property Events).
//
// Implementation files: Orvellan.cpp (state, properties, persistence, life
// cycle), OrvellanView.cpp (zoom, layout, painting), OrvellanInput.cpp
// (scrolling and input), OrvellanImage.cpp (picture operations).
#include <QImage>
#include <QPointer>
#include <QWidget>
#include <array>

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

class Orvellan : public QWidget {
  Q_OBJECT
  Q_CLASSINFO("ProgID", "OrvellanLib.Orvellan")
  Q_CLASSINFO("PropertyPages", "OrvellanLib.General")
  Q_CLASSINFO("DefaultProperty", "Picture")
  Q_CLASSINFO("DispId.About", "-552")
  Q_CLASSINFO("Description.ToolTipText", "Returns/sets the text displayed when the mouse is paused over the control.")
  Q_PROPERTY(uint BackColor READ BackColor WRITE setBackColor)
  Q_PROPERTY(short OvScrollBarWidth READ OvScrollBarWidth WRITE setOvScrollBarWidth)
  Q_PROPERTY(bool Enabled READ getEnabled WRITE setEnabledProperty)
  Q_PROPERTY(bool OvMouseScrolling READ OvMouseScrolling WRITE setOvMouseScrolling)
  Q_PROPERTY(StdPicture Picture READ Picture WRITE letPicture)
  Q_PROPERTY(short OvPicWidth READ OvPicWidth)
  Q_PROPERTY(short OvPicHeight READ OvPicHeight)
  Q_PROPERTY(int OvScrollBars READ OvScrollBars WRITE setOvScrollBars)
  Q_PROPERTY(short OvZoomPercent READ OvZoomPercent WRITE setOvZoomPercent DESIGNABLE false)
  Q_PROPERTY(QString OvURL READ OvURL WRITE setOvURL)
  Q_PROPERTY(bool OvKeyboardScrolling READ OvKeyboardScrolling WRITE setOvKeyboardScrolling)
  Q_PROPERTY(int OvBorderStyle READ OvBorderStyle WRITE setOvBorderStyle)
  Q_PROPERTY(QString ToolTipText READ ToolTipText WRITE setToolTipText)
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

  // Persistence through the host's property bag.
  Q_INVOKABLE void ReadProperties(PropertyBag* bag);
  Q_INVOKABLE void WriteProperties(PropertyBag* bag);

 signals:
  // The persisted state became dirty (the property named changed).
  void PropertyChanged(const QString& name);

 protected:
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void showEvent(QShowEvent* event) override;
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

  // Picture operations (OrvellanImage.cpp).
  [[nodiscard]] bool LoadPicture(const StdPicture& picture, bool byValue);
  [[nodiscard]] bool Clear();
  void ReadSourcePixels();
  int WriteSourcePixels();
  void StartDownload(const QString& url);
  void OnDownloadComplete(const AsyncReadResult& result);
  void ScrollImpl(int direction, short numPixels);
  void CopyModifiedImpl();

  void MarkChanged(const QString& name) { emit PropertyChanged(name); }

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
