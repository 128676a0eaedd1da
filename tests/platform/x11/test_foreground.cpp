// Bringing a window to the front over another one on a real X server.
#include <gtest/gtest.h>

#include <QApplication>
#include <QWidget>

#include "platform/foreground.h"

using namespace kravelo;

namespace {

// Runs the event loop (bounded) until the window is the active one.
bool BecomesActive(QWidget& w) {
    for (int i = 0; i < 200 && !w.isActiveWindow(); ++i) QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    return w.isActiveWindow();
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
    second.activateWindow();
    ASSERT_TRUE(BecomesActive(second));

    EXPECT_TRUE(ForceForeground(&first));
    EXPECT_TRUE(BecomesActive(first));
    EXPECT_TRUE(ForceForeground(&first));  // already in front

    second.showMinimized();
    QCoreApplication::processEvents();
    EXPECT_TRUE(ForceForeground(&second));
    EXPECT_TRUE(BecomesActive(second));
    EXPECT_FALSE(second.isMinimized());
    EXPECT_FALSE(ForceForeground(nullptr));
}
