#include "ui/framework/CSingleInstance.h"

#include "util/HomeFolder.h"

#include <QCryptographicHash>
#include <QLocalServer>
#include <QLocalSocket>
#include <QThread>
#include <QtEndian>

#include <pwd.h>
#include <unistd.h>

namespace {

constexpr quint32 kMsgForeground = 1;
constexpr quint32 kMsgCopyData = 2;
constexpr int kHeaderSize = 8;
// A command line is short; anything this large is not one of ours and ends the connection.
constexpr quint32 kMaxPayload = 1 << 20;
constexpr int kConnectTimeoutMs = 1000;
constexpr int kAnswerTimeoutMs = 5000;
// The time the running instance gets to come to the front before the text arrives.
constexpr unsigned long kForegroundWaitMs = 500;

QByteArray Message(quint32 type, const QByteArray& payload) {
    QByteArray bytes(kHeaderSize, Qt::Uninitialized);
    qToLittleEndian<quint32>(type, bytes.data());
    qToLittleEndian<quint32>(quint32(payload.size()), bytes.data() + 4);
    return bytes + payload;
}

QString UserName() {
    if (const passwd* entry = getpwuid(getuid()); entry && entry->pw_name && *entry->pw_name)
        return QString::fromLocal8Bit(entry->pw_name);
    return QString::number(getuid());
}

} // namespace

const QString CSingleInstance::kWindowClass = QStringLiteral("Quarrybook_MainWnd");

CSingleInstance::CSingleInstance(QObject* parent) : QObject(parent) {}

CSingleInstance::~CSingleInstance() = default;

QString CSingleInstance::ServerName() {
    QString name = kWindowClass + QLatin1Char('-') + UserName();
    if (HomeIsSelfContained()) {
        const QByteArray hash =
            QCryptographicHash::hash(HomeFolder().toUtf8(), QCryptographicHash::Sha1);
        name += QLatin1Char('-') + QString::fromLatin1(hash.toHex().left(12));
    }
    return name;
}

bool CSingleInstance::HandOver(const QString& commandLine, const QString& serverName) {
    QLocalSocket socket;
    socket.connectToServer(serverName);
    if (!socket.waitForConnected(kConnectTimeoutMs))
        return false;

    socket.write(Message(kMsgForeground, QByteArray()));
    socket.waitForBytesWritten(kConnectTimeoutMs);
    QThread::msleep(kForegroundWaitMs);

    // The text with its terminating zero: (characters + 1) * 2 bytes.
    QByteArray payload(4, '\0');
    qToLittleEndian<quint32>(0, payload.data());
    for (const QChar c : commandLine) {
        char unit[2];
        qToLittleEndian<quint16>(c.unicode(), unit);
        payload.append(unit, 2);
    }
    payload.append(2, '\0');
    socket.write(Message(kMsgCopyData, payload));
    socket.waitForBytesWritten(kAnswerTimeoutMs);
    // The copy-data message is answered once the running instance has stored the text.
    socket.waitForReadyRead(kAnswerTimeoutMs);
    socket.disconnectFromServer();
    return true;
}

bool CSingleInstance::Listen(const QString& serverName) {
    delete m_server;
    m_server = new QLocalServer(this);
    m_server->setSocketOptions(QLocalServer::UserAccessOption);
    connect(m_server, &QLocalServer::newConnection, this, &CSingleInstance::OnNewConnection);
    if (m_server->listen(serverName))
        return true;
    // Nobody answered on this name before start-up, so what is left of it is stale.
    if (m_server->serverError() == QAbstractSocket::AddressInUseError) {
        QLocalServer::removeServer(serverName);
        if (m_server->listen(serverName))
            return true;
    }
    return false;
}

bool CSingleInstance::IsListening() const {
    return m_server && m_server->isListening();
}

QString CSingleInstance::TextFromCopyData(const QByteArray& data) {
    QString text;
    text.reserve(int(data.size() / 2));
    for (qsizetype i = 0; i + 1 < data.size(); i += 2) {
        const quint16 unit = qFromLittleEndian<quint16>(data.constData() + i);
        if (unit == 0)
            break;
        text.append(QChar(unit));
    }
    return text;
}

void CSingleInstance::OnNewConnection() {
    while (QLocalSocket* socket = m_server->nextPendingConnection()) {
        m_buffers[socket];
        connect(socket, &QLocalSocket::readyRead, this, [this, socket] { OnReadyRead(socket); });
        connect(socket, &QLocalSocket::disconnected, this, [this, socket] {
            m_buffers.erase(socket);
            socket->deleteLater();
        });
        if (socket->bytesAvailable() > 0)
            OnReadyRead(socket);
    }
}

void CSingleInstance::OnReadyRead(QLocalSocket* socket) {
    auto found = m_buffers.find(socket);
    if (found == m_buffers.end())
        return;
    QByteArray& buffer = found->second;
    buffer += socket->readAll();
    while (buffer.size() >= kHeaderSize) {
        const quint32 type = qFromLittleEndian<quint32>(buffer.constData());
        const quint32 length = qFromLittleEndian<quint32>(buffer.constData() + 4);
        if (length > kMaxPayload) {
            m_buffers.erase(found);
            socket->abort();
            return;
        }
        if (buffer.size() < kHeaderSize + qsizetype(length))
            return;
        const QByteArray payload = buffer.mid(kHeaderSize, length);
        buffer.remove(0, kHeaderSize + length);

        if (type == kMsgForeground) {
            emit ForegroundRequested();
        } else if (type == kMsgCopyData && payload.size() >= 4) {
            const quint32 dataId = qFromLittleEndian<quint32>(payload.constData());
            if (dataId == 0)
                emit TextReceived(TextFromCopyData(payload.mid(4)));
            QByteArray answer(4, '\0');
            socket->write(answer);
            socket->flush();
        }
    }
}
