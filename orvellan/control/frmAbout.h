#pragma once
// The library's about box: its version, an OK button and a link to the
// maker's web site (opened with the shell's "Open"; a hand cursor over it).
#include <QDialog>

class QLabel;
class QPushButton;

class frmAbout : public QDialog {
 public:
  explicit frmAbout(QWidget* parent = nullptr);

  static QString VersionText();
  static const char* SiteAddress();

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  QLabel* lblVersion_ = nullptr;
  QLabel* lblURL_ = nullptr;
  QPushButton* cmdOK_ = nullptr;
};
