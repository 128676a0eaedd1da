// The Linux layer: single instance between real processes, the crash-resume autostart entry and
// the logind power-off on a private bus.
#include <gtest/gtest.h>

#include <QDBusConnection>
#include <QDBusContext>
#include <QDBusMessage>
#include <QFileInfo>
#include <QProcess>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QThread>
#include <atomic>
#include <filesystem>

#include "platform/crash_resume_marker.h"
#include "platform/power_off.h"
#include "platform/single_instance.h"
#include "support/temp_dir.h"

using namespace kravelo;
using kravelo::test::TempDir;
namespace fs = std::filesystem;

namespace {

QString Q(const std::string& s) { return QString::fromStdString(s); }

// Runs the helper; waits for the event loop to have served it.
int RunHelper(const QStringList& args, QString* output = nullptr) {
    QProcess helper;
    helper.start(QStringLiteral(KRAVELO_INSTANCE_HELPER), args);
    if (!helper.waitForStarted(10000)) return -1;
    QSignalSpy finished(&helper, &QProcess::finished);
    if (!finished.wait(20000)) {
        helper.kill();
        helper.waitForFinished();
        return -2;
    }
    if (output) *output = QString::fromUtf8(helper.readAllStandardOutput());
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

TEST(SingleInstance, LaterProcessesHandOverTheirArgument) {
    TempDir dir;
    const QString server = Q(dir.File("instance"));
    SingleInstance first(server);
    ASSERT_TRUE(first.Listen());
    QSignalSpy received(&first, &SingleInstance::argumentReceived);

    const QString movie = QString::fromUtf8("/filmy/Żółw i \"zając\" 100%.avi");
    EXPECT_EQ(RunHelper({server, QStringLiteral("handover"), movie}), 0);
    ASSERT_EQ(received.size(), 1);
    EXPECT_EQ(received[0][0].toString(), movie);

    // No argument: the first instance still hears of it, with an empty name.
    EXPECT_EQ(RunHelper({server, QStringLiteral("handover"), QString()}), 0);
    ASSERT_EQ(received.size(), 2);
    EXPECT_EQ(received[1][0].toString(), QString());

    // A second listener on the same name is refused while the first answers.
    SingleInstance second(server);
    QString error;
    EXPECT_FALSE(second.Listen(&error));
    EXPECT_FALSE(error.isEmpty());
}

TEST(SingleInstance, StaleSocketDoesNotBlockTheNextStart) {
    TempDir dir;
    const QString server = Q(dir.File("instance"));
    // Nobody there: no hand-over.
    EXPECT_FALSE(SingleInstance(server).HandOver(QStringLiteral("film.avi")));

    QProcess crashed;
    ASSERT_TRUE(StartListeningHelper(crashed, server));
    crashed.kill();  // SIGKILL: no chance to remove its socket
    ASSERT_TRUE(crashed.waitForFinished(10000));
    ASSERT_TRUE(QFileInfo::exists(server));

    SingleInstance next(server);
    EXPECT_FALSE(next.HandOver(QStringLiteral("film.avi")));
    QString error;
    ASSERT_TRUE(next.Listen(&error)) << error.toStdString();
    QSignalSpy received(&next, &SingleInstance::argumentReceived);
    EXPECT_EQ(RunHelper({server, QStringLiteral("handover"), QStringLiteral("film.avi")}), 0);
    ASSERT_EQ(received.size(), 1);
    EXPECT_EQ(received[0][0].toString(), "film.avi");
}

TEST(CrashResumeMarker, AutostartEntryRoundTrip) {
    TempDir dir;
    const std::string config = dir.File("config");  // not there yet
    const std::string program = "/opt/moje programy/kra\"ve`lo$HOME\\x 100%/żółw";
    CrashResumeMarker marker(program, config);
    EXPECT_EQ(marker.EntryPath(), config + "/autostart/kravelo-resume.desktop");
    EXPECT_EQ(marker.RegisteredProgram(), "");

    std::string error;
    ASSERT_TRUE(marker.Register(&error)) << error;
    EXPECT_EQ(marker.RegisteredProgram(), program);
    const std::string entry = TempDir::Read(marker.EntryPath());
    EXPECT_TRUE(entry.starts_with("[Desktop Entry]\nType=Application\n")) << entry;
    // The quoting the desktop-entry rules ask for: string escapes over the quoted argument.
    EXPECT_NE(entry.find("\nExec=\"/opt/moje programy/kra\\\\\"ve\\\\`lo\\\\$HOME\\\\\\\\x 100%%/żółw\"\n"),
              std::string::npos)
        << entry;

    // Registering again replaces the entry; another program's path reads back as that.
    CrashResumeMarker plain("/usr/bin/kravelo", config);
    ASSERT_TRUE(plain.Register());
    EXPECT_NE(TempDir::Read(plain.EntryPath()).find("\nExec=\"/usr/bin/kravelo\"\n"), std::string::npos);
    EXPECT_EQ(marker.RegisteredProgram(), "/usr/bin/kravelo");

    EXPECT_TRUE(marker.Remove());
    EXPECT_FALSE(fs::exists(marker.EntryPath()));
    EXPECT_EQ(marker.RegisteredProgram(), "");
    EXPECT_TRUE(marker.Remove());  // nothing left to remove is no failure

    // A path no desktop entry line can hold, and a config folder that cannot be made.
    EXPECT_FALSE(CrashResumeMarker("/tmp/a\nExec=rm", config).Register(&error));
    EXPECT_FALSE(fs::exists(marker.EntryPath()));
    dir.Write("file", "");
    EXPECT_FALSE(CrashResumeMarker(program, dir.File("file")).Register(&error));
    EXPECT_FALSE(error.empty());

    // Values that are not one quoted argument name no program.
    EXPECT_EQ(DesktopExecUnquote("/usr/bin/kravelo"), "");
    EXPECT_EQ(DesktopExecUnquote("\"/usr/bin/kravelo"), "");
    EXPECT_EQ(DesktopExecUnquote("\"/usr/bin/kravelo\" %f"), "");
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
    const QString daemon = QStandardPaths::findExecutable(QStringLiteral("dbus-daemon"));
    if (daemon.isEmpty()) GTEST_SKIP() << "dbus-daemon is not installed (scripts/setup.sh installs it)";
    QProcess bus;
    bus.start(daemon, {QStringLiteral("--session"), QStringLiteral("--nofork"), QStringLiteral("--print-address=1")});
    ASSERT_TRUE(bus.waitForStarted(10000));
    while (!bus.canReadLine()) ASSERT_TRUE(bus.waitForReadyRead(10000));
    const QString address = QString::fromUtf8(bus.readLine()).trimmed();

    // The fake answers in its own thread, as logind answers from its own process.
    QThread serviceThread;
    serviceThread.start();
    auto* fake = new FakeLogind;
    FakeLogind& logind = *fake;
    fake->moveToThread(&serviceThread);
    QObject::connect(&serviceThread, &QThread::finished, fake, &QObject::deleteLater);
    {
        QDBusConnection service = QDBusConnection::connectToBus(address, QStringLiteral("kravelo-fake-logind"));
        ASSERT_TRUE(service.isConnected());
        ASSERT_TRUE(service.registerObject(QStringLiteral("/org/freedesktop/login1"), fake,
                                           QDBusConnection::ExportAllSlots));
        ASSERT_TRUE(service.registerService(QStringLiteral("org.freedesktop.login1")));
        QDBusConnection client = QDBusConnection::connectToBus(address, QStringLiteral("kravelo-client"));

        LogindPowerOff powerOff(client, 5000);
        QString error;
        EXPECT_TRUE(powerOff.Shutdown(&error)) << error.toStdString();
        EXPECT_EQ(logind.calls, 1);
        EXPECT_EQ(logind.interactiveCalls, 0);

        // A refusal is reported, never taken for success.
        logind.refuse = true;
        EXPECT_FALSE(powerOff.Shutdown(&error));
        EXPECT_EQ(error, "not allowed");
        EXPECT_EQ(logind.calls, 2);

        // No logind on the bus.
        service.unregisterService(QStringLiteral("org.freedesktop.login1"));
        EXPECT_FALSE(powerOff.Shutdown(&error));
        EXPECT_FALSE(error.isEmpty());
        EXPECT_EQ(logind.calls, 2);
        service.unregisterObject(QStringLiteral("/org/freedesktop/login1"));
    }
    QDBusConnection::disconnectFromBus(QStringLiteral("kravelo-fake-logind"));
    QDBusConnection::disconnectFromBus(QStringLiteral("kravelo-client"));
    serviceThread.quit();
    serviceThread.wait();
    bus.terminate();
    bus.waitForFinished(5000);
}

#include "test_platform.moc"
