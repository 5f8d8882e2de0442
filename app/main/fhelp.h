#pragma once
// The help text window: how to use the main window's four numbered steps,
// and a button that opens the maker's web site.
#include <QDialog>

class QLabel;
class QPushButton;

class fhelp : public QDialog {
  Q_OBJECT
 public:
  explicit fhelp(QWidget* parent = nullptr);

  // The help text; each line ends in a carriage return (code 13).
  static QString HelpText();

 private:
  QLabel* lblHeader_ = nullptr;
  QLabel* lblAbout_ = nullptr;
  QPushButton* cmdVisit_ = nullptr;
};
