#include "platform/single_instance.h"

#include <QDeadlineTimer>
#include <QFileInfo>
#include <QLocalServer>
#include <QLocalSocket>
#include <QtEndian>
#include <unistd.h>

namespace kravelo {

namespace {

constexpr char kConfirm = 'K';
// Far beyond any path; a bigger announced length is not a hand-over from this program.
constexpr quint32 kMaxArgumentBytes = 1u << 20;

}  // namespace

QString SingleInstance::DefaultServerName() {
    const QString runtime = qEnvironmentVariable("XDG_RUNTIME_DIR");
    // The runtime folder belongs to the user alone; a relative value is ignored, as XDG says.
    if (runtime.startsWith(u'/') && QFileInfo(runtime).isDir()) return runtime + QStringLiteral("/kravelo-instance");
    return QStringLiteral("kravelo-instance-") + QString::number(getuid());
}

SingleInstance::SingleInstance(QString serverName, QObject* parent) : QObject(parent), name_(std::move(serverName)) {}

SingleInstance::~SingleInstance() = default;

bool SingleInstance::HandOver(const QString& argument, int timeoutMs) {
    QDeadlineTimer deadline(timeoutMs);
    QLocalSocket socket;
    socket.connectToServer(name_);
    if (!socket.waitForConnected(static_cast<int>(deadline.remainingTime()))) return false;

    // The running instance has a working folder of its own: a relative name is made absolute
    // here, where it was typed. An empty argument stays empty.
    const QByteArray bytes = QFileInfo(argument).absoluteFilePath().toUtf8();
    QByteArray frame(4, '\0');
    qToBigEndian(static_cast<quint32>(bytes.size()), frame.data());
    frame += bytes;
    socket.write(frame);
    while (socket.bytesToWrite() > 0)
        if (!socket.waitForBytesWritten(static_cast<int>(deadline.remainingTime()))) return false;

    while (socket.bytesAvailable() < 1)
        if (!socket.waitForReadyRead(static_cast<int>(deadline.remainingTime()))) return false;
    char answer = 0;
    return socket.getChar(&answer) && answer == kConfirm;
}

bool SingleInstance::Listen(QString* error) {
    if (Listening()) return true;
    // The name belongs to a live instance only if it accepts a connection; anything else is a
    // socket file left by an instance that did not end normally. (Listening would not notice:
    // the user-only socket is made aside and renamed over the name.)
    QLocalSocket probe;
    probe.connectToServer(name_);
    if (probe.waitForConnected(500)) {
        probe.abort();
        if (error) *error = QStringLiteral("another instance is listening on ") + name_;
        return false;
    }
    QLocalServer::removeServer(name_);
    delete server_;
    server_ = new QLocalServer(this);
    server_->setSocketOptions(QLocalServer::UserAccessOption);
    if (!server_->listen(name_)) {
        if (error) *error = server_->errorString();
        return false;
    }
    connect(server_, &QLocalServer::newConnection, this, [this] {
        while (QLocalSocket* socket = server_->nextPendingConnection()) {
            connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
            connect(socket, &QLocalSocket::readyRead, this, [this, socket] { ReadHandOver(socket); });
            ReadHandOver(socket);
        }
    });
    return true;
}

bool SingleInstance::Listening() const { return server_ && server_->isListening(); }

void SingleInstance::ReadHandOver(QLocalSocket* socket) {
    if (socket->property("kravelo_done").toBool() || socket->bytesAvailable() < 4) return;
    char head[4];
    socket->peek(head, 4);
    const quint32 length = qFromBigEndian<quint32>(head);
    if (length > kMaxArgumentBytes) {
        socket->abort();
        return;
    }
    if (socket->bytesAvailable() < 4 + static_cast<qint64>(length)) return;
    socket->skip(4);
    const QString argument = QString::fromUtf8(socket->read(length));
    socket->setProperty("kravelo_done", true);
    // Confirm before acting: what the argument opens may show a modal box for a long time.
    socket->putChar(kConfirm);
    socket->flush();
    emit argumentReceived(argument);
}

}  // namespace kravelo
