#pragma once
// The control's property page "General". It reads the first selected control
// when the selection changes, marks itself changed on any edit, and applies
// its values to the first selected control in a fixed order through the
// control's dispatch interface. A scroll-bar width that is not a number stops
// applying with error 13 at that property: the ones before it are set, the
// ones after it are not.
#include <QPointer>
#include <QWidget>

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLineEdit;

class General : public QWidget {
  Q_OBJECT
  Q_CLASSINFO("ProgID", "OrvellanLib.General")
  Q_PROPERTY(bool Changed READ Changed WRITE setChanged NOTIFY ChangedChanged)

 public:
  explicit General(QWidget* parent = nullptr);

  bool Changed() const { return changed_; }
  void setChanged(bool changed);

  // The page's selection: the controls it edits (the first one counts).
  Q_INVOKABLE void SelectionChanged(const QObjectList& selectedControls);
  Q_INVOKABLE void ApplyChanges();

 signals:
  // The page's Changed flag went on or off.
  void ChangedChanged();

 private:
  void ApplyImpl();
  void MarkChanged() { setChanged(true); }

  QGroupBox* fraControls_ = nullptr;
  QComboBox* cboScrolls_ = nullptr;
  QLineEdit* txtToolTipText_ = nullptr;
  QComboBox* cboBorder_ = nullptr;
  QCheckBox* chkOvKeyboardScrolling_ = nullptr;
  QCheckBox* chkOvMouseScrolling_ = nullptr;
  QCheckBox* chkEnabled_ = nullptr;
  QLineEdit* txtOvURL_ = nullptr;
  QLineEdit* txtOvScrollBarWidth_ = nullptr;
  QList<QPointer<QObject>> selected_;
  bool changed_ = false;
};
