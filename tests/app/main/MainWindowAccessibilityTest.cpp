// The main window driven the way a screen reader user drives it: through the
// accessibility interfaces only (names, roles, values and actions), from the
// window's own interface down.
#include <QAccessible>
#include <QElapsedTimer>
#include <QRegularExpression>
#include <functional>

#include "tests/app/main/WindowFixture.h"
#include "tests/support/TestImages.h"

using windowtest::WindowTest;

namespace {

using Match = std::function<bool(QAccessibleInterface*)>;

// The first interface below root (depth first) that matches.
QAccessibleInterface* Find(QAccessibleInterface* root, const Match& match) {
  if (!root) return nullptr;
  if (match(root)) return root;
  for (int i = 0; i < root->childCount(); ++i)
    if (QAccessibleInterface* found = Find(root->child(i), match)) return found;
  return nullptr;
}

Match Named(QAccessible::Role role, const QString& name) {
  return [=](QAccessibleInterface* i) { return i->role() == role && i->text(QAccessible::Name) == name; };
}

// Processes events until done() holds or the guard (not a timing) runs out.
bool ProcessUntil(const std::function<bool()>& done) {
  QElapsedTimer guard;
  guard.start();
  while (!done() && guard.elapsed() < 30000) QTest::qWait(5);
  return done();
}

class MainWindowAccessibility : public WindowTest {};

}  // namespace

TEST_F(MainWindowAccessibility, ARunMadeThroughTheInterfacesOnlyWritesThumbnailsOfTheWidthSet) {
  const QString src = folder("src");
  const QString dest = folder("dest");
  for (int i = 1; i <= 3; ++i)
    ASSERT_TRUE(testimages::Solid(240, 160, Qt::darkCyan).save(QStringLiteral("%1/f%2.png").arg(src).arg(i)));
  record.sourceFolder = src;
  record.destinationFolder = dest;
  QAccessibleInterface* top = QAccessible::queryAccessibleInterface(&Open());
  ASSERT_TRUE(top);

  QAccessibleInterface* width = Find(top, Named(QAccessible::SpinBox, "Max.Width(Pixels)"));
  ASSERT_TRUE(width && width->valueInterface());
  width->valueInterface()->setCurrentValue(150);
  EXPECT_EQ(width->valueInterface()->currentValue(), 150);

  QAccessibleInterface* files = Find(top, Named(QAccessible::List, "Files"));
  QAccessibleInterface* selectAll = Find(top, Named(QAccessible::Button, "Select All"));
  ASSERT_TRUE(files && selectAll);
  selectAll->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
  ASSERT_TRUE(ProcessUntil([&] {
    int selected = 0;
    for (int i = 0; i < files->childCount(); ++i) selected += files->child(i)->state().selected ? 1 : 0;
    return selected == 3;
  }));

  QAccessibleInterface* start = Find(top, Named(QAccessible::Button, "START"));
  ASSERT_TRUE(start && start->actionInterface());
  ASSERT_TRUE(start->actionInterface()->actionNames().contains(QAccessibleActionInterface::pressAction()));
  QAccessibleInterface* progress = Find(top, Named(QAccessible::ProgressBar, "Progress"));
  ASSERT_TRUE(progress && progress->valueInterface());
  start->actionInterface()->doAction(QAccessibleActionInterface::pressAction());

  static const QRegularExpression completed(QStringLiteral(R"(^Completed (\d+) of \1 images$)"));
  QAccessibleInterface* counter = nullptr;
  EXPECT_TRUE(ProcessUntil([&] {
    counter = Find(top, [](QAccessibleInterface* i) {
      return i->role() == QAccessible::StaticText && completed.match(i->text(QAccessible::Name)).hasMatch();
    });
    return counter != nullptr;
  }));
  ASSERT_TRUE(counter);
  EXPECT_EQ(counter->text(QAccessible::Name), "Completed 3 of 3 images");
  EXPECT_EQ(progress->valueInterface()->currentValue(), 0);
  for (int i = 1; i <= 3; ++i) {
    const QImage thumb(QStringLiteral("%1/TH_f%2.jpg").arg(dest).arg(i));
    EXPECT_EQ(thumb.size(), QSize(150, 100)) << i;
  }
}
