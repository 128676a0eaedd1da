#pragma once
// Keeping the screen saver away while the program runs. The window holds a ScreenSaverInhibitor
// for its lifetime: the D-Bus one in the real program, a RecordingScreenSaver in tests.

#include <QDBusConnection>
#include <QString>

namespace kravelo {

class ScreenSaverInhibitor {
public:
    virtual ~ScreenSaverInhibitor() = default;
    // True when the screen saver is held off (a desktop without the service is no error: it
    // simply reports false and the program goes on).
    virtual bool Inhibit() = 0;
    // Lets the screen saver run again; nothing when it was not held.
    virtual void UnInhibit() = 0;
};

// org.freedesktop.ScreenSaver Inhibit/UnInhibit on the session bus. The cookie Inhibit returns
// is what UnInhibit gives back; the destructor releases a hold still in place.
class DBusScreenSaverInhibitor : public ScreenSaverInhibitor {
public:
    explicit DBusScreenSaverInhibitor(QDBusConnection bus = QDBusConnection::sessionBus(), int timeoutMs = 2000);
    ~DBusScreenSaverInhibitor() override;
    bool Inhibit() override;
    void UnInhibit() override;
    bool Inhibited() const { return held_; }

private:
    QDBusConnection bus_;
    int timeoutMs_;
    uint cookie_ = 0;
    bool held_ = false;
};

// Counts the calls; tests check the window holds the screen saver off while it exists.
class RecordingScreenSaver : public ScreenSaverInhibitor {
public:
    int inhibits = 0;
    int releases = 0;
    bool Inhibit() override {
        ++inhibits;
        return true;
    }
    void UnInhibit() override { ++releases; }
};

}  // namespace kravelo
