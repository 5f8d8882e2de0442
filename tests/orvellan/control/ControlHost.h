#pragma once
// A test host for the viewport control: it creates the control by its
// programmatic identifier inside a window and reaches it only through the
// dispatch interface (properties, methods and events by name).
#include <gtest/gtest.h>

#include <QStandardPaths>
#include <QWidget>
#include <memory>

#include "platform/com/ComError.h"
#include "platform/com/CreateControl.h"
#include "platform/com/Dispatch.h"
#include "platform/com/StdPicture.h"
#include "tests/support/ComErrors.h"

class ControlHost {
 public:
  explicit ControlHost(int width = 300, int height = 200) : window_(new QWidget) {
    QStandardPaths::setTestModeEnabled(true);  // never read the user's control registry
    window_->resize(width + 40, height + 40);
    control_ = CreateControl(QStringLiteral("OrvellanLib.Orvellan"), window_.get());
    control_->setGeometry(0, 0, width, height);
    window_->show();
  }

  QWidget* control() const { return control_; }
  QWidget* window() const { return window_.get(); }
  void DestroyWindow() { window_.reset(); }

  QVariant Get(const char* name) const { return Dispatch::Get(control_, name); }
  int GetInt(const char* name) const { return Get(name).toInt(); }
  void Set(const char* name, const QVariant& value) { Dispatch::Set(control_, name, value); }
  QVariant Call(const char* name, const QVariantList& args = {}) { return Dispatch::Call(control_, name, args); }

  void Load(const QImage& image) { Set("Picture", QVariant::fromValue(StdPicture(image))); }
  void LoadRef(const QImage& image) { Dispatch::SetRef(control_, "Picture", QVariant::fromValue(StdPicture(image))); }

  // Counts how often an event fires.
  std::shared_ptr<int> Count(const char* event) {
    auto n = std::make_shared<int>(0);
    Dispatch::Advise(control_, event, [n](QVariantList&) { ++*n; }, window_.get());
    return n;
  }

  // The control's windows, as a host sees them in the window tree.
  template <class T = QWidget>
  T* Child(const char* name) const {
    return control_->findChild<T*>(QString::fromLatin1(name));
  }

  // Number of the ComError a call raises, 0 when it raises none.
  static int ErrorOf(const std::function<void()>& call) { return testsupport::ComErrorNumberOf(call); }

 private:
  std::unique_ptr<QWidget> window_;
  QWidget* control_ = nullptr;
};
