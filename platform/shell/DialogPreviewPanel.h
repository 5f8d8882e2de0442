#pragma once
// The preview panel of the file dialog: the picture box PicPreview, the
// image information picinfo with its label lblinfo ("640x480 24 bpp"), and the
// frame frOpts below them for options a host may add. The panel decodes
// nothing; the host previews the browsed file and hands the result over.
#include <QWidget>

class PreviewPictureBox;
class QFrame;
class QLabel;

class DialogPreviewPanel : public QWidget {
  Q_OBJECT
 public:
  explicit DialogPreviewPanel(QWidget* parent = nullptr);

  // Shows picture fitted into PicPreview and info in lblinfo, made visible.
  void showPreview(const QImage& picture, const QString& info);
  // Empties PicPreview and hides lblinfo.
  void clearPreview();

  PreviewPictureBox* PicPreview() const { return picPreview_; }
  QFrame* picinfo() const { return picinfo_; }
  QLabel* lblinfo() const { return lblinfo_; }
  QFrame* frOpts() const { return frOpts_; }

 private:
  PreviewPictureBox* picPreview_;
  QFrame* picinfo_;
  QLabel* lblinfo_;
  QFrame* frOpts_;
};
