// Late-bound calls: conversions, numbered errors reaching the caller, and
// event arguments passed by reference.
#include <gtest/gtest.h>

#include "tests/support/ComErrors.h"

#include <QObject>

#include "platform/com/Dispatch.h"

namespace {

class Sample : public QObject {
  Q_OBJECT
  Q_PROPERTY(short Width READ Width WRITE setWidth)
  Q_PROPERTY(QString Name READ Name)

 public:
  short Width() const { return width_; }
  void setWidth(short w) {
    Dispatch::Guard(this, [&] {
      if (w < 0) throw ComError(kErrInvalidPropertyValue);
      width_ = w;
    });
  }
  QString Name() const { return QStringLiteral("sample"); }

  Q_INVOKABLE int Add(int a, short b) { return a + b; }
  Q_INVOKABLE void Fail() {
    Dispatch::Guard(this, [] { throw ComError(kErrFileNotFound); });
  }
  Q_INVOKABLE short Fire() {
    short code = 39;
    emit KeyDown(code);
    return code;
  }

 signals:
  void KeyDown(short& KeyCode);

 private:
  short width_ = 0;
};

}  // namespace

TEST(Dispatch, PropertiesAndMethodsByName) {
  Sample s;
  Dispatch::Set(&s, "Width", 12);
  EXPECT_EQ(Dispatch::Get(&s, "Width").toInt(), 12);
  EXPECT_EQ(Dispatch::Call(&s, "Add", {40, 2}).toInt(), 42);
  EXPECT_EQ(Dispatch::Call(&s, "Add", {QStringLiteral("40"), 2.0}).toInt(), 42);
}

TEST(Dispatch, ErrorsReachTheCaller) {
  Sample s;
  const struct { const char* what; std::function<void()> call; int error; } cases[] = {
      {"raised by setter", [&] { Dispatch::Set(&s, "Width", -1); }, kErrInvalidPropertyValue},
      {"raised by method", [&] { Dispatch::Call(&s, "Fail"); }, kErrFileNotFound},
      {"16-bit overflow", [&] { Dispatch::Set(&s, "Width", 32768); }, kErrOverflow},
      {"16-bit argument overflow", [&] { Dispatch::Call(&s, "Add", {1, -40000}); }, kErrOverflow},
      {"not a number", [&] { Dispatch::Call(&s, "Add", {QStringLiteral("x"), 1}); }, kErrTypeMismatch},
      {"unknown property", [&] { Dispatch::Get(&s, "Height"); }, kErrNotSupported},
      {"read-only property", [&] { Dispatch::Set(&s, "Name", QStringLiteral("x")); }, kErrNotSupported},
      {"wrong argument count", [&] { Dispatch::Call(&s, "Add", {1}); }, kErrNotSupported},
      {"unknown event", [&] { Dispatch::Advise(&s, "KeyUp", [](QVariantList&) {}); }, kErrNotSupported},
  };
  for (const auto& c : cases) EXPECT_EQ(testsupport::ComErrorNumberOf(c.call), c.error) << c.what;
  // A failed call leaves nothing behind for the next one.
  EXPECT_EQ(testsupport::ComErrorNumberOf([&] { Dispatch::Set(&s, "Width", 3); }), 0);
  EXPECT_EQ(s.Width(), 3);
}

TEST(Dispatch, EventHandlersSeeAndChangeArgumentsByReference) {
  Sample s;
  int seen = -1;
  Dispatch::Advise(&s, "KeyDown", [&](QVariantList& args) {
    seen = args.value(0).toInt();
    args[0] = 0;
  });
  EXPECT_EQ(Dispatch::Call(&s, "Fire").toInt(), 0);
  EXPECT_EQ(seen, 39);
}

#include "DispatchTest.moc"
