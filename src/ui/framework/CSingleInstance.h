#pragma once

#include <QByteArray>
#include <QObject>
#include <QString>

#include <map>

class QLocalServer;
class QLocalSocket;

// Keeps the program to one running instance per user. The running instance listens on a local
// socket that stands for its main window class "Quarrybook_MainWnd"; a second start finds it,
// asks it to come to the front, waits half a second and hands over its command line (a record
// link such as "qbook:GC12ABC") as a copy-data message, then ends without a window.
//
// Messages on the socket: a 32-bit message type and a 32-bit payload length, both little-endian,
// then the payload. Type 1 asks for the foreground (no payload, no answer). Type 2 is copy-data:
// a 32-bit data identifier and the data bytes; the receiver answers with a 32-bit result (0).
class CSingleInstance : public QObject {
    Q_OBJECT
public:
    static const QString kWindowClass;

    explicit CSingleInstance(QObject* parent = nullptr);
    ~CSingleInstance() override;

    // The socket name of the user's running instance: the window class, "-" and the user name.
    // A self-contained home folder (QUARRYBOOK_HOME or portable) has an instance of its own: its
    // name adds a short hash of the folder.
    static QString ServerName();

    // Run by a starting process before anything else: when an instance is running, brings it to
    // the front, waits 500 ms and hands over `commandLine` as UTF-16 text with its terminating
    // zero; returns true, and the process must then end. False when no instance answers.
    static bool HandOver(const QString& commandLine, const QString& serverName = ServerName());

    // Starts listening under `serverName`; a name left behind by an instance that ended without
    // cleaning up is taken over. False when the socket cannot be created.
    bool Listen(const QString& serverName = ServerName());
    bool IsListening() const;

    // Decodes copy-data text: UTF-16 (little-endian) up to the first zero character.
    static QString TextFromCopyData(const QByteArray& data);

signals:
    // Another instance asks this one to come to the front.
    void ForegroundRequested();
    // Another instance handed over a text (copy-data with identifier 0).
    void TextReceived(const QString& text);

private:
    void OnNewConnection();
    void OnReadyRead(QLocalSocket* socket);

    QLocalServer* m_server = nullptr;
    std::map<QLocalSocket*, QByteArray> m_buffers;
};
