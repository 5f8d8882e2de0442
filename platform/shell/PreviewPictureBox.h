#pragma once
// A picture box that shows one picture shrunk to fit and centred, never
// enlarged (the previews of the file dialog). It decodes nothing: the host
// hands it a picture, ideally already shrunk to pixelSize().
#include <QFrame>
#include <QImage>

class PreviewPictureBox : public QFrame {
  Q_OBJECT
 public:
  explicit PreviewPictureBox(QWidget* parent = nullptr);

  void setPicture(const QImage& picture);
  void clearPicture();
  const QImage& picture() const { return picture_; }

  // Where the picture shows, in the box's coordinates.
  QRect pictureRect() const;
  // The drawing area in device pixels: a larger picture is shrunk anyway.
  QSize pixelSize() const;

  // A picture of size picture (logical pixels) fitted into box: shrunk to the
  // box keeping its aspect, never enlarged, centred; sizes round half to even.
  static QRect FitRect(const QSize& picture, const QRect& box);

  QSize sizeHint() const override;

 signals:
  void DblClick();

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;

 private:
  QImage picture_;
};
