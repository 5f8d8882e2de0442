#pragma once
// The preferences dialog: one check box per preference flag. A click stores
// its flag in the record at once; closing the dialog saves the settings file
// (the current flags together with the option values the record holds).
#include <QDialog>
#include <QString>
#include <array>

#include "app/settings/SettingsRecord.h"

class QCheckBox;
class QGroupBox;

class fPreferences : public QDialog {
  Q_OBJECT
 public:
  // The record must outlive the dialog.
  explicit fPreferences(SettingsRecord& record, const QString& settingsPath, QWidget* parent = nullptr);

  // Box i of ckPrefs 0-8 (nullptr outside that range).
  QCheckBox* ckPrefs(int index) const;
  QGroupBox* frame() const { return frame_; }

  void done(int result) override;

 private:
  void ckPrefs_Click(int index);

  SettingsRecord& record_;
  QString settingsPath_;
  QGroupBox* frame_ = nullptr;
  std::array<QCheckBox*, kPreferenceCount> ckPrefs_{};
};
