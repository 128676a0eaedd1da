#include "platform/screen_saver.h"

#include <QDBusMessage>

namespace kravelo {

namespace {

QDBusMessage ScreenSaverCall(const QString& method) {
    return QDBusMessage::createMethodCall(QStringLiteral("org.freedesktop.ScreenSaver"),
                                          QStringLiteral("/org/freedesktop/ScreenSaver"),
                                          QStringLiteral("org.freedesktop.ScreenSaver"), method);
}

}  // namespace

DBusScreenSaverInhibitor::DBusScreenSaverInhibitor(QDBusConnection bus, int timeoutMs)
    : bus_(std::move(bus)), timeoutMs_(timeoutMs) {}

DBusScreenSaverInhibitor::~DBusScreenSaverInhibitor() { UnInhibit(); }

bool DBusScreenSaverInhibitor::Inhibit() {
    if (held_) return true;
    if (!bus_.isConnected()) return false;
    QDBusMessage call = ScreenSaverCall(QStringLiteral("Inhibit"));
    call << QStringLiteral("Kravelo") << QStringLiteral("Playing a movie");
    const QDBusMessage reply = bus_.call(call, QDBus::Block, timeoutMs_);
    if (reply.type() != QDBusMessage::ReplyMessage || reply.arguments().isEmpty()) return false;
    cookie_ = reply.arguments().constFirst().toUInt();
    held_ = true;
    return true;
}

void DBusScreenSaverInhibitor::UnInhibit() {
    if (!held_) return;
    held_ = false;
    if (!bus_.isConnected()) return;
    QDBusMessage call = ScreenSaverCall(QStringLiteral("UnInhibit"));
    call << cookie_;
    bus_.call(call, QDBus::Block, timeoutMs_);
}

}  // namespace kravelo
