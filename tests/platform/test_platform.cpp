// The Linux layer: single instance between real processes and the logind power-off on a private
// bus.
#include <gtest/gtest.h>

#include <QDBusConnection>
#include <QDBusContext>
#include <QFileInfo>
#include <QProcess>
#include <QSignalSpy>
#include <atomic>
#include <filesystem>

#include "platform/power_off.h"
#include "platform/single_instance.h"
#include "support/private_bus.h"
#include "support/temp_dir.h"

using namespace kravelo;
using kravelo::test::TempDir;
namespace fs = std::filesystem;

namespace {

QString Q(const std::string& s) { return QString::fromStdString(s); }

// Runs the helper (in `workingDir` when given); waits for the event loop to have served it.
int RunHelper(const QStringList& args, const QString& workingDir = {}) {
    QProcess helper;
    if (!workingDir.isEmpty()) helper.setWorkingDirectory(workingDir);
    helper.start(QStringLiteral(KRAVELO_INSTANCE_HELPER), args);
    if (!helper.waitForStarted(10000)) return -1;
    QSignalSpy finished(&helper, &QProcess::finished);
    if (!finished.wait(20000)) {
        helper.kill();
        helper.waitForFinished();
        return -2;
    }
    return helper.exitCode();
}

// A helper instance listening until it receives an argument (or is killed).
bool StartListeningHelper(QProcess& helper, const QString& server) {
    helper.start(QStringLiteral(KRAVELO_INSTANCE_HELPER), {server, QStringLiteral("listen")});
    if (!helper.waitForStarted(10000)) return false;
    while (!helper.canReadLine())
        if (!helper.waitForReadyRead(20000)) return false;
    return helper.readLine() == "listening\n";
}

}  // namespace

TEST(SingleInstance, AStaleSocketIsTakenOverThenLaterProcessesHandOverTheirArgument) {
    TempDir dir;
    const QString server = Q(dir.File("instance"));
    // An instance killed by SIGKILL leaves its socket behind; it does not block the next start.
    QProcess crashed;
    ASSERT_TRUE(StartListeningHelper(crashed, server));
    crashed.kill();
    ASSERT_TRUE(crashed.waitForFinished(10000));
    ASSERT_TRUE(QFileInfo::exists(server));
    SingleInstance first(server);
    EXPECT_FALSE(first.HandOver(QStringLiteral("film.avi")));
    QString error;
    ASSERT_TRUE(first.Listen(&error)) << error.toStdString();
    QSignalSpy received(&first, &SingleInstance::argumentReceived);

    const QString movie = QString::fromUtf8("/filmy/Żółw i \"zając\" 100%.avi");
    EXPECT_EQ(RunHelper({server, QStringLiteral("handover"), movie}), 0);
    ASSERT_EQ(received.size(), 1);
    EXPECT_EQ(received[0][0].toString(), movie);

    // No argument: the first instance still hears of it, with an empty name.
    EXPECT_EQ(RunHelper({server, QStringLiteral("handover"), QString()}), 0);
    ASSERT_EQ(received.size(), 2);
    EXPECT_EQ(received[1][0].toString(), QString());

    // A name relative to the newer process's folder arrives absolute, in that folder.
    fs::create_directories(dir.path() / "inny folder" / "filmy");
    const QString elsewhere = Q(dir.File("inny folder/filmy"));
    const QString relative = QStringLiteral("../drugi/./film 2.avi");
    EXPECT_EQ(RunHelper({server, QStringLiteral("handover"), relative}, elsewhere), 0);
    ASSERT_EQ(received.size(), 3);
    EXPECT_EQ(received[2][0].toString(), Q(dir.File("inny folder/drugi/film 2.avi")));

    // A second listener on the same name is refused while the first answers.
    SingleInstance second(server);
    EXPECT_FALSE(second.Listen(&error));
    EXPECT_FALSE(error.isEmpty());
}

namespace {

// Stands in for logind on a private bus.
class FakeLogind : public QObject, protected QDBusContext {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.login1.Manager")
public:
    std::atomic<int> calls{0};
    std::atomic<int> interactiveCalls{0};
    std::atomic<bool> refuse{false};

public slots:
    void PowerOff(bool interactive) {
        ++calls;
        if (interactive) ++interactiveCalls;
        if (refuse) sendErrorReply(QStringLiteral("org.freedesktop.DBus.Error.AccessDenied"), QStringLiteral("not allowed"));
    }
};

}  // namespace

TEST(PowerOff, LogindCallOnAPrivateBus) {
    test::PrivateBus bus;
    if (!bus.Running()) GTEST_SKIP() << "dbus-daemon is not available (scripts/setup.sh installs it)";
    auto* fake = new FakeLogind;
    FakeLogind& logind = bus.Serve(fake);
    {
        QDBusConnection service = bus.Connect(QStringLiteral("kravelo-fake-logind"));
        ASSERT_TRUE(service.registerObject(QStringLiteral("/org/freedesktop/login1"), fake,
                                           QDBusConnection::ExportAllSlots));
        ASSERT_TRUE(service.registerService(QStringLiteral("org.freedesktop.login1")));
        QDBusConnection client = bus.Connect(QStringLiteral("kravelo-client"));

        LogindPowerOff powerOff(client, 5000);
        QString error;
        EXPECT_TRUE(powerOff.Shutdown(&error)) << error.toStdString();
        EXPECT_EQ(logind.calls, 1);
        EXPECT_EQ(logind.interactiveCalls, 0);

        // A refusal is reported, never taken for success.
        logind.refuse = true;
        EXPECT_FALSE(powerOff.Shutdown(&error));
        EXPECT_EQ(error, "not allowed");

        // No logind on the bus.
        service.unregisterService(QStringLiteral("org.freedesktop.login1"));
        EXPECT_FALSE(powerOff.Shutdown(&error));
        EXPECT_FALSE(error.isEmpty());
        service.unregisterObject(QStringLiteral("/org/freedesktop/login1"));
    }
}

#include "test_platform.moc"
