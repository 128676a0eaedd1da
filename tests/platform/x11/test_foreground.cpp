// Bringing a window to the front over another one on a real X server.
#include <gtest/gtest.h>

#include <QApplication>
#include <QTest>
#include <QWidget>

#include "platform/foreground.h"

using namespace kravelo;

namespace {

// Runs the event loop until the window is the active one (at most five seconds).
bool BecomesActive(QWidget& w) {
    return QTest::qWaitFor([&w] { return w.isActiveWindow(); }, 5000);
}

}  // namespace

TEST(ForceForeground, ActivatesAWindowBehindAnotherAndAMinimisedOne) {
    if (QGuiApplication::platformName() != QLatin1String("xcb")) GTEST_SKIP() << "needs an X display (xvfb-run)";
    QWidget first;
    QWidget second;
    first.setGeometry(10, 10, 200, 100);
    second.setGeometry(50, 50, 200, 100);
    first.show();
    second.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&first));
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&second));
    second.activateWindow();
    ASSERT_TRUE(BecomesActive(second));

    EXPECT_TRUE(ForceForeground(&first));
    EXPECT_TRUE(BecomesActive(first));
    EXPECT_TRUE(ForceForeground(&first));  // already in front

    second.showMinimized();
    ASSERT_TRUE(QTest::qWaitFor([&second] { return second.isMinimized(); }, 5000));
    EXPECT_TRUE(ForceForeground(&second));
    EXPECT_TRUE(BecomesActive(second));
    EXPECT_FALSE(second.isMinimized());
    EXPECT_FALSE(ForceForeground(nullptr));
}
