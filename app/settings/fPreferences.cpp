#include "app/settings/fPreferences.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QVBoxLayout>

#include "app/settings/SettingsFile.h"

fPreferences::fPreferences(SettingsRecord& record, const QString& settingsPath, QWidget* parent,
                           bool* onlyChanged)
    : QDialog(parent), record_(record), settingsPath_(settingsPath) {
  setWindowTitle(QStringLiteral("Preferences"));
  frame_ = new QGroupBox(QStringLiteral("Set Program Preferences"), this);
  auto* boxes = new QVBoxLayout(frame_);
  for (int i = 0; i < kPreferenceCount; ++i) {
    const auto preference = static_cast<Preference>(i);
    auto* box = new QCheckBox(PreferenceCaption(preference), frame_);
    box->setObjectName(QStringLiteral("ckPrefs_%1").arg(i));
    box->setChecked(PreferenceOn(record_, preference));
    connect(box, &QCheckBox::toggled, this, [this, i] { ckPrefs_Click(i); });
    boxes->addWidget(box);
    ckPrefs_[static_cast<size_t>(i)] = box;
  }
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(frame_);
  if (onlyChanged) {
    ckOnlyChanged_ = new QCheckBox(QStringLiteral("Make again only images that changed (this session)"), this);
    ckOnlyChanged_->setObjectName(QStringLiteral("ckOnlyChanged"));
    ckOnlyChanged_->setChecked(*onlyChanged);
    connect(ckOnlyChanged_, &QCheckBox::toggled, this, [onlyChanged](bool on) { *onlyChanged = on; });
    layout->addWidget(ckOnlyChanged_);
  }
}

QCheckBox* fPreferences::ckPrefs(int index) const {
  if (index < 0 || index >= kPreferenceCount) return nullptr;
  return ckPrefs_[static_cast<size_t>(index)];
}

void fPreferences::ckPrefs_Click(int index) {
  SetPreference(record_, static_cast<Preference>(index), ckPrefs(index)->isChecked());
}

void fPreferences::done(int result) {
  SaveSettings(record_, settingsPath_);
  QDialog::done(result);
}
