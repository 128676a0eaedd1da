#pragma once
// A session bus of the test's own (dbus-daemon), with a thread that a fake service answers from,
// as a real service answers from its own process.

#include <QDBusConnection>
#include <QProcess>
#include <QStandardPaths>
#include <QStringList>
#include <QThread>

namespace kravelo::test {

class PrivateBus {
public:
    PrivateBus() {
        const QString daemon = QStandardPaths::findExecutable(QStringLiteral("dbus-daemon"));
        if (daemon.isEmpty()) return;
        process_.start(daemon, {QStringLiteral("--session"), QStringLiteral("--nofork"), QStringLiteral("--print-address=1")});
        if (!process_.waitForStarted(10000)) return;
        while (!process_.canReadLine())
            if (!process_.waitForReadyRead(10000)) return;
        address_ = QString::fromUtf8(process_.readLine()).trimmed();
        thread_.start();
    }
    ~PrivateBus() {
        for (const QString& name : names_) QDBusConnection::disconnectFromBus(name);
        thread_.quit();
        thread_.wait();
        process_.terminate();
        process_.waitForFinished(5000);
    }
    // False when dbus-daemon is missing or did not start.
    bool Running() const { return !address_.isEmpty(); }
    // A connection named `name`, closed when the bus goes.
    QDBusConnection Connect(const QString& name) {
        names_ << name;
        return QDBusConnection::connectToBus(address_, name);
    }
    // Moves the fake service into the service thread; it is deleted when the thread ends.
    template <typename T>
    T& Serve(T* service) {
        service->moveToThread(&thread_);
        QObject::connect(&thread_, &QThread::finished, service, &QObject::deleteLater);
        return *service;
    }

private:
    QProcess process_;
    QThread thread_;
    QString address_;
    QStringList names_;
};

}  // namespace kravelo::test
