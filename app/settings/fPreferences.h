#pragma once
// The preferences dialog: one check box per preference flag. A click stores
// its flag in the record at once; closing the dialog saves the settings file
// (the current flags together with the option values the record holds).
// "Make again only what changed" is a preference of this session only: the
// settings file's layout is fixed, so it is kept in memory by the window.
#include <QDialog>
#include <QString>
#include <array>

#include "app/settings/SettingsRecord.h"

class QCheckBox;
class QGroupBox;

class fPreferences : public QDialog {
  Q_OBJECT
 public:
  // The record (and onlyChanged, when given) must outlive the dialog.
  explicit fPreferences(SettingsRecord& record, const QString& settingsPath, QWidget* parent = nullptr,
                        bool* onlyChanged = nullptr);

  // Box i of ckPrefs 0-8 (nullptr outside that range).
  QCheckBox* ckPrefs(int index) const;
  QGroupBox* frame() const { return frame_; }
  // The session's "make again only what changed" box (nullptr without one).
  QCheckBox* ckOnlyChanged() const { return ckOnlyChanged_; }

  void done(int result) override;

 private:
  void ckPrefs_Click(int index);

  SettingsRecord& record_;
  QString settingsPath_;
  QGroupBox* frame_ = nullptr;
  std::array<QCheckBox*, kPreferenceCount> ckPrefs_{};
  QCheckBox* ckOnlyChanged_ = nullptr;
};
