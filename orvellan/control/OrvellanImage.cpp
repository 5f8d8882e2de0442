// Picture operations: loading by value and by reference, clearing, flips,
// clipboard copy and paste, saving, resampling and loading from an address.
#include <QClipboard>
#include <QGuiApplication>
#include <QPainter>
#include <QPushButton>
#include <QScrollBar>
#include <algorithm>
#include <utility>

#include "orvellan/control/BoxWidget.h"
#include "orvellan/control/Orvellan.h"
#include "orvellan/control/OrvellanEvents.h"
#include "orvellan/control/PixelResize.h"
#include "orvellan/control/TypeLibrary.h"
#include "platform/com/AsyncRead.h"
#include "platform/com/Dispatch.h"
#include "platform/com/PictureFile.h"
#include "platform/drawing/Numbers.h"

namespace {
// The source box's persistent image of a picture: the picture drawn over the
// background colour, 32 bits a pixel. An opaque RGB32 picture is shared, not copied.
QImage ComposeSource(const QImage& picture, ColorValue back) {
  if (picture.format() == QImage::Format_RGB32) return picture;
  QImage image(picture.size(), QImage::Format_RGB32);
  if (image.isNull()) return image;
  image.fill(TranslateColor(back));
  QPainter p(&image);
  p.drawImage(0, 0, picture);
  return image;
}
}  // namespace

Orvellan::PictureState Orvellan::CurrentPicture() const {
  auto told = [this](int size) { return static_cast<short>(hasPicture_ ? std::min(size, 32767) : 0); };
  return {srcPicture_, told(srcWidth_), told(srcHeight_)};
}

bool Orvellan::NotifyPictureChanges(const PictureState& before) {
  const PictureState now = CurrentPicture();
  return (now.picture == before.picture || Notify(&Orvellan::PictureChanged, now.picture)) &&
         (now.width == before.width || Notify(&Orvellan::OvPicWidthChanged, now.width)) &&
         (now.height == before.height || Notify(&Orvellan::OvPicHeightChanged, now.height));
}

// Every assignment loads, also of the picture the control already shows: the
// working pixels start again from it.
bool Orvellan::LoadPicture(const StdPicture& picture, bool byValue) {
  hSB_->hide();
  vSB_->hide();
  QImage source = picture.isNull() ? QImage() : ComposeSource(picture.image(), iDst_->backColor());
  if (source.isNull()) return Clear();
  const PictureState before = CurrentPicture();
  srcPicture_ = picture;
  srcWidth_ = picture.width();
  srcHeight_ = picture.height();
  srcImage_ = std::move(source);
  ReadSourcePixels();
  if (byValue && !Raise(&OrvellanEvents::OvChanged)) return false;
  hasPicture_ = true;
  return LayoutView() && NotifyPictureChanges(before);
}

void Orvellan::ReadSourcePixels() {
  if (srcImage_.isNull()) return;
  buffer_ = srcImage_;  // shares the pixels until one side changes
}

int Orvellan::WriteSourcePixels() {
  if (!hasPicture_ || buffer_.isNull()) return 0;
  srcImage_ = buffer_;
  return buffer_.height();
}

void Orvellan::OvClear() { (void)Clear(); }

bool Orvellan::Clear() {
  const PictureState before = CurrentPicture();
  iDst_->hide();
  iDst_->unsetCursor();
  iBestFit_->hide();
  iBestFit_->setEnabled(false);
  iBestFit_->drawing() = QImage();
  layoutInProgress_ = true;
  HideBarsAndCorner();
  srcPicture_ = StdPicture();
  srcImage_ = QImage();
  srcWidth_ = srcHeight_ = 0;
  buffer_ = QImage();
  hasPicture_ = false;
  // Moving the positions to 0 raises OvScrolled.
  return SetScrollRanges(0, 0) && NotifyPictureChanges(before);
}

void Orvellan::OvFlipImage(int Direc) {
  if (hasPicture_ && !srcImage_.isNull()) {
    if (Direc == OrvellanLib::Horizontal)
      srcImage_ = srcImage_.mirrored(true, false);
    else if (Direc == OrvellanLib::Vertical)
      srcImage_ = srcImage_.mirrored(false, true);
    ReadSourcePixels();
  }
  Refresh();
}

void Orvellan::OvCopyOriginal() {
  if (!hasPicture_ || srcPicture_.isNull()) return;
  QClipboard* clipboard = QGuiApplication::clipboard();
  clipboard->clear();
  clipboard->setImage(srcPicture_.image());
}

void Orvellan::OvCopyModified() {
  Dispatch::Guard(this, [&] { CopyModifiedImpl(); });
}

void Orvellan::CopyModifiedImpl() {
  QClipboard* clipboard = QGuiApplication::clipboard();
  if (bestFit_) {
    const QImage& box = iBestFit_->drawing();
    const int w = RoundHalfEven(fittedWidth_);
    const int h = RoundHalfEven(fittedHeight_);
    const int x = RoundHalfEven((box.width() - fittedWidth_) / 2);
    const int y = RoundHalfEven((box.height() - fittedHeight_) / 2);
    if (box.isNull() || w < 1 || h < 1) return;
    QImage scratch(w, h, QImage::Format_RGB32);  // iSave
    scratch.fill(TranslateColor(backColor_));
    QPainter(&scratch).drawImage(0, 0, box, x, y, w, h);
    clipboard->clear();
    clipboard->setImage(scratch);
    return;
  }
  if (!hasPicture_ || buffer_.isNull()) throw ComError(kErrSubscriptOutOfRange);
  clipboard->clear();
  clipboard->setImage(buffer_);  // the working picture at its own size
}

void Orvellan::OvPaste() {
  const QImage image = QGuiApplication::clipboard()->image();
  putref_Picture(image.isNull() ? StdPicture() : StdPicture(image));
}

void Orvellan::OvSaveImg(const QString& sPath) {
  Dispatch::Guard(this, [&] {
    if (!hasPicture_) return;
    WriteSourcePixels();
    SaveBitmapFile(srcImage_, sPath);
  });
}

int Orvellan::OvResize(int nWidth, int nHeight) {
  if (!hasPicture_ || nWidth < 2 || nHeight < 2) return 0;
  if (srcWidth_ == 1 || srcHeight_ == 1) return 0;
  // A size whose pixels cannot be held is refused like a size below 2 x 2.
  if (static_cast<qint64>(nWidth) * nHeight > (qint64(1) << 28)) return 0;
  QImage resized = ResizeBilinear(buffer_, nWidth, nHeight);
  if (resized.isNull()) return 0;
  const PictureState before = CurrentPicture();
  buffer_ = resized;
  srcWidth_ = nWidth;
  srcHeight_ = nHeight;
  const int lines = WriteSourcePixels();
  // A handler of what follows may destroy the control; the count is kept.
  if (LayoutView()) (void)NotifyPictureChanges(before);
  return lines;
}

void Orvellan::StartDownload(const QString& url) {
  if (!downloads_) {
    downloads_ = new AsyncReadService(this);
    connect(downloads_, &AsyncReadService::AsyncReadComplete, this, &Orvellan::OnDownloadComplete);
  }
  downloads_->AsyncRead(url, QStringLiteral("OvURL"));  // errors while starting are ignored
}

void Orvellan::OnDownloadComplete(const AsyncReadResult& result) {
  if (result.propertyName == QLatin1String("OvURL")) {
    if (!LoadPicture(StdPicture(), false)) return;
    if (!LoadPicture(result.ok ? LoadPictureFile(result.filePath) : StdPicture(), false)) return;
    if (!MarkChanged(QStringLiteral("Picture"))) return;
  }
  (void)Raise(&OrvellanEvents::OvChanged);
}
