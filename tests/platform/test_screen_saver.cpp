// Holding the screen saver off through org.freedesktop.ScreenSaver on a private session bus.
#include <gtest/gtest.h>

#include <QDBusConnection>
#include <QDBusContext>
#include <atomic>

#include "platform/screen_saver.h"
#include "support/private_bus.h"

using namespace kravelo;

namespace {

// Stands in for the desktop's screen-saver service.
class FakeScreenSaver : public QObject, protected QDBusContext {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.ScreenSaver")
public:
    std::atomic<int> inhibits{0};
    std::atomic<uint> releasedCookie{0};
    std::atomic<int> releases{0};

public slots:
    uint Inhibit(const QString& application, const QString& reason) {
        ++inhibits;
        return application == QLatin1String("Kravelo") && !reason.isEmpty() ? 4242u : 1u;
    }
    void UnInhibit(uint cookie) {
        ++releases;
        releasedCookie = cookie;
    }
};

}  // namespace

TEST(ScreenSaver, InhibitedWhileHeldAndReleasedWithItsCookie) {
    test::PrivateBus bus;
    if (!bus.Running()) GTEST_SKIP() << "dbus-daemon is not available (scripts/setup.sh installs it)";
    auto* fake = new FakeScreenSaver;
    FakeScreenSaver& saver = bus.Serve(fake);
    {
        QDBusConnection client = bus.Connect(QStringLiteral("kravelo-saver-client"));
        // No service on the bus yet: no hold, and no error either.
        {
            DBusScreenSaverInhibitor none(client, 2000);
            EXPECT_FALSE(none.Inhibit());
        }

        QDBusConnection service = bus.Connect(QStringLiteral("kravelo-fake-saver"));
        ASSERT_TRUE(service.registerObject(QStringLiteral("/org/freedesktop/ScreenSaver"), fake,
                                           QDBusConnection::ExportAllSlots));
        ASSERT_TRUE(service.registerService(QStringLiteral("org.freedesktop.ScreenSaver")));
        {
            DBusScreenSaverInhibitor inhibitor(client, 5000);
            EXPECT_TRUE(inhibitor.Inhibit());
            EXPECT_TRUE(inhibitor.Inhibit());  // held once, not twice
            EXPECT_EQ(saver.inhibits, 1);
            inhibitor.UnInhibit();
            EXPECT_EQ(saver.releasedCookie, 4242u);
            inhibitor.UnInhibit();  // nothing held any more
            EXPECT_EQ(saver.releases, 1);
            // Held again, then released by going away (the program's end).
            inhibitor.Inhibit();
        }
        EXPECT_EQ(saver.inhibits, 2);
        EXPECT_EQ(saver.releases, 2);
        service.unregisterService(QStringLiteral("org.freedesktop.ScreenSaver"));
        service.unregisterObject(QStringLiteral("/org/freedesktop/ScreenSaver"));
    }
}

#include "test_screen_saver.moc"
