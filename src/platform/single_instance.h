#pragma once
// One program per user: the first instance listens on a local socket with a fixed per-user name;
// a later one hands its first command-line argument to it and ends without showing a window.
//
// In main(), before the main window exists:
//
//     SingleInstance instance;
//     if (instance.HandOver(firstArgument)) return 0;   // the older instance has it now
//     instance.Listen();                                // false: run alone, unreachable
//     QObject::connect(&instance, &SingleInstance::argumentReceived, &window, ...);
//
// On the socket a hand-over is a 4-byte big-endian length and that many bytes of UTF-8 (an
// empty argument is allowed); the listening instance confirms with one byte before it acts on
// the argument, so the newer process never waits for a dialog the argument may open.

#include <QObject>
#include <QString>

class QLocalServer;
class QLocalSocket;

namespace kravelo {

class SingleInstance : public QObject {
    Q_OBJECT
public:
    // $XDG_RUNTIME_DIR/kravelo-instance, else "kravelo-instance-<uid>" in the temporary folder.
    static QString DefaultServerName();

    explicit SingleInstance(QString serverName = DefaultServerName(), QObject* parent = nullptr);
    ~SingleInstance() override;

    const QString& ServerName() const { return name_; }

    // Gives `argument` to a running instance, a relative path made absolute in this process's
    // working folder. True once that instance confirmed it; false when none answered within
    // timeoutMs (none runs, or a stale socket is left).
    bool HandOver(const QString& argument, int timeoutMs = 3000);

    // Becomes the instance the others hand over to. A socket file nobody answers on (left by an
    // instance that did not end normally) is removed first. False, with the reason in `error`,
    // when another instance does answer or the socket cannot be made.
    bool Listen(QString* error = nullptr);
    bool Listening() const;

signals:
    // A newer instance handed over its first argument (possibly empty).
    void argumentReceived(const QString& argument);

private:
    void ReadHandOver(QLocalSocket* socket);

    QString name_;
    QLocalServer* server_ = nullptr;
};

}  // namespace kravelo
