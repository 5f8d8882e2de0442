#pragma once
// The full-size preview window. One Orvellan viewport control, created by its
// programmatic identifier, fills it on a black background; the picture is
// passed to it by value and first shown at 100 %, with scroll bars and drag
// scrolling where it is larger than the window. F switches between the whole
// picture fitted into the window and 100 %. A double-click or Esc closes the
// window, which destroys the control, so the next opening starts afresh.
#include <QImage>
#include <QPointer>
#include <QWidget>

class fFullScale : public QWidget {
  Q_OBJECT
 public:
  static constexpr char kViewerProgId[] = "OrvellanLib.Orvellan";

  // Shows picture in owner's preview window, opening the window when none is
  // open. False when the picture cannot be shown: the user has been told why
  // and no window is left open.
  static bool Open(QWidget* owner, const QImage& picture, const QString& caption = QString());
  // The open preview window of owner, or null.
  static fFullScale* Instance(QWidget* owner);

  explicit fFullScale(QWidget* owner, const QString& progId = QString::fromLatin1(kViewerProgId));

  bool ShowPicture(const QImage& picture, const QString& caption = QString());
  QWidget* imView() const { return imView_; }
  // Switches between the fitted view and 100 % (the F key).
  void ToggleFit();
  bool isFitted() const { return fitted_; }

 protected:
  bool event(QEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;
  void closeEvent(QCloseEvent* event) override;

 private:
  bool CreateView();
  void LayoutView();
  void PlaceFor(const QSize& pictureSize);
  void Fail(const QString& text);

  QString progId_;
  QPointer<QWidget> imView_;
  bool closed_ = false;
  bool fitted_ = false;
};
