#pragma once
// Turning the computer off after the movie. The program holds a PowerOff; it is the logind one
// in the real program and a RecordingPowerOff in tests, so no test can switch anything off.

#include <QDBusConnection>
#include <QString>

namespace kravelo {

class PowerOff {
public:
    virtual ~PowerOff() = default;
    // Asks the system to power off. False, with the reason in `error`, when it refused.
    virtual bool Shutdown(QString* error = nullptr) = 0;
};

// org.freedesktop.login1 Manager.PowerOff(interactive = false) on the system bus: no password
// prompt, so a user who may not power off gets a refusal instead of a dialog after the movie.
class LogindPowerOff : public PowerOff {
public:
    explicit LogindPowerOff(QDBusConnection bus = QDBusConnection::systemBus(), int timeoutMs = 10000);
    bool Shutdown(QString* error = nullptr) override;

private:
    QDBusConnection bus_;
    int timeoutMs_;
};

// Counts the requests and answers with `result`.
class RecordingPowerOff : public PowerOff {
public:
    int requests = 0;
    bool result = true;
    bool Shutdown(QString* error = nullptr) override {
        ++requests;
        if (!result && error) *error = QStringLiteral("refused by the test");
        return result;
    }
};

}  // namespace kravelo
