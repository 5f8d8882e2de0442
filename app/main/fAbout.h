#pragma once
// The about box: the program's title and version, what it does, a legal
// notice, OK, and System Info, which starts the system's information tool.
#include <QDialog>

class QLabel;
class QPushButton;

class fAbout : public QDialog {
  Q_OBJECT
 public:
  explicit fAbout(QWidget* parent = nullptr);

  static QString VersionText();      // "Version " and major.minor.patch
  static QString DescriptionText();

  // Starts the tool the registry names; otherwise says it is unavailable.
  void StartSysInfo();

 private:
  QLabel* lblTitle_ = nullptr;
  QLabel* lblVersion_ = nullptr;
  QLabel* lblDescription_ = nullptr;
  QLabel* lblDisclaimer_ = nullptr;
  QPushButton* cmdOK_ = nullptr;
  QPushButton* cmdSysInfo_ = nullptr;
};
