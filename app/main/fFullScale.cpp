#include "app/main/fFullScale.h"

#include <QCloseEvent>
#include <QKeyEvent>
#include <QScreen>

#include "app/main/ProgramInfo.h"
#include "platform/com/ComError.h"
#include "platform/com/CreateControl.h"
#include "platform/com/Dispatch.h"
#include "platform/com/StdPicture.h"
#include "platform/shell/MessageBox.h"

namespace {

constexpr int kKeyAsciiEscape = 27;

bool IsFitKey(int keyAscii) { return keyAscii == 'f' || keyAscii == 'F'; }

QString ErrorDetail(const ComError& error) {
  return QStringLiteral("Error %1: %2").arg(error.number()).arg(error.description());
}

}  // namespace

bool fFullScale::Open(QWidget* owner, const QImage& picture, const QString& caption) {
  fFullScale* window = Instance(owner);
  if (!window) window = new fFullScale(owner);
  return window->ShowPicture(picture, caption);
}

fFullScale* fFullScale::Instance(QWidget* owner) {
  if (!owner) return nullptr;
  for (fFullScale* window : owner->findChildren<fFullScale*>(QString(), Qt::FindDirectChildrenOnly)) {
    if (!window->closed_) return window;
  }
  return nullptr;
}

fFullScale::fFullScale(QWidget* owner, const QString& progId) : QWidget(owner, Qt::Window), progId_(progId) {
  setObjectName(QStringLiteral("fFullScale"));
  setAttribute(Qt::WA_DeleteOnClose);
  setWindowIcon(ProgramInfo::ProgramIcon());
  setAutoFillBackground(true);
  QPalette black = palette();
  black.setColor(QPalette::Window, Qt::black);
  setPalette(black);
}

bool fFullScale::ShowPicture(const QImage& picture, const QString& caption) {
  if (picture.isNull() || closed_) return false;
  if (!imView_ && !CreateView()) return false;
  try {
    Dispatch::Set(imView_, "Picture", QVariant::fromValue(StdPicture(picture)));
    // The control reports a picture it cannot show (a side beyond 16 bits) here.
    Dispatch::Get(imView_, "OvPicWidth");
    Dispatch::Get(imView_, "OvPicHeight");
  } catch (const ComError& error) {
    Fail(QStringLiteral("The full-size preview cannot show this picture (%1 x %2 pixels).\n\n%3")
             .arg(picture.width())
             .arg(picture.height())
             .arg(ErrorDetail(error)));
    return false;
  }
  const QString title = QStringLiteral("Full-Size Preview");
  setWindowTitle(caption.isEmpty() ? title : caption + QStringLiteral(" - ") + title);
  if (!isVisible()) PlaceFor(picture.size());
  show();
  raise();
  activateWindow();
  if (imView_) imView_->setFocus();
  return true;
}

bool fFullScale::CreateView() {
  try {
    imView_ = CreateControl(progId_, this);
    imView_->setObjectName(QStringLiteral("imView"));
    Dispatch::Set(imView_, "BackColor", QVariant::fromValue(0u));
    Dispatch::Advise(imView_, "DblClick", [this](QVariantList&) { close(); }, this);
    Dispatch::Advise(
        imView_, "KeyPress",
        [this](QVariantList& args) {
          const int key = args.value(0).toInt();
          if (key != kKeyAsciiEscape && !IsFitKey(key)) return;
          args[0] = 0;
          if (key == kKeyAsciiEscape)
            close();
          else
            ToggleFit();
        },
        this);
  } catch (const ComError& error) {
    delete imView_.data();
    Fail(QStringLiteral("The full-size preview is not available: its viewer (%1) could not be created.\n\n%2")
             .arg(progId_, ErrorDetail(error)));
    return false;
  }
  LayoutView();
  return true;
}

void fFullScale::ToggleFit() {
  if (!imView_) return;
  try {
    Dispatch::Call(imView_, fitted_ ? "OvZoom100" : "OvZoomBestFit");
    fitted_ = !fitted_;
  } catch (const ComError&) {
    // The view stays as it was; nothing to tell the user.
  }
}

void fFullScale::LayoutView() {
  if (!imView_) return;
  imView_->setGeometry(0, 0, width(), height());
  try {
    Dispatch::Call(imView_, "Refresh");
  } catch (const ComError&) {
    // A repaint that fails leaves the last drawing; nothing to tell the user.
  }
}

void fFullScale::PlaceFor(const QSize& pictureSize) {
  const QScreen* screen = parentWidget() ? parentWidget()->screen() : this->screen();
  const QRect available = screen ? screen->availableGeometry() : QRect(0, 0, 1024, 768);
  const QSize most = available.size() * 0.9;
  const QSize size = pictureSize.expandedTo(QSize(320, 240)).boundedTo(most);
  resize(size);
  move(available.center() - QPoint(size.width() / 2, size.height() / 2));
}

void fFullScale::Fail(const QString& text) {
  ShowMessageBox(text, QString::fromLatin1(ProgramInfo::kProgramName), MsgIcon::Critical, MsgButtons::OK,
                 parentWidget());
  close();
}

bool fFullScale::event(QEvent* event) {
  // Esc belongs to this window: no shortcut elsewhere may take it first.
  if (event->type() == QEvent::ShortcutOverride && static_cast<QKeyEvent*>(event)->key() == Qt::Key_Escape) {
    event->accept();
    return true;
  }
  return QWidget::event(event);
}

void fFullScale::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  LayoutView();
}

void fFullScale::keyPressEvent(QKeyEvent* event) {
  if (event->key() == Qt::Key_Escape) {
    event->accept();
    close();
    return;
  }
  if (event->key() == Qt::Key_F) {
    event->accept();
    ToggleFit();
    return;
  }
  QWidget::keyPressEvent(event);
}

void fFullScale::mouseDoubleClickEvent(QMouseEvent* event) {
  event->accept();
  close();
}

void fFullScale::closeEvent(QCloseEvent* event) {
  closed_ = true;
  QWidget::closeEvent(event);
}
