#include "platform/single_instance.h"

#include <QDir>
#include <QFile>
#include <QLocalServer>
#include <QLocalSocket>
#include <QPointer>
#include <QTimer>
#include <algorithm>
#include <cerrno>
#include <memory>
#include <sys/socket.h>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>

namespace orvalis {

namespace {
// A socket file of the current user: anything else in its place may belong to another user, who would
// then receive this user's messages.
bool SocketOfUser(const QString& path) {
    struct stat info {};
    return lstat(QFile::encodeName(path).constData(), &info) == 0 && S_ISSOCK(info.st_mode) &&
           info.st_uid == geteuid();
}

// The process at the other end of a connected socket runs as the current user.
bool PeerIsUser(const QLocalSocket& socket) {
    ucred credentials{};
    socklen_t size = sizeof credentials;
    return getsockopt(static_cast<int>(socket.socketDescriptor()), SOL_SOCKET, SO_PEERCRED, &credentials,
                      &size) == 0 &&
           credentials.uid == geteuid();
}

// A folder of the current user that no other user may enter.
bool PrivateFolder(const QByteArray& path) {
    struct stat info {};
    return lstat(path.constData(), &info) == 0 && S_ISDIR(info.st_mode) && info.st_uid == geteuid() &&
           (info.st_mode & 077) == 0;
}

class QtSingleInstance;
QtSingleInstance* FirstCopy = nullptr;

class QtSingleInstance : public TSingleInstance {
public:
    explicit QtSingleInstance(QString name) : FName(std::move(name)) {
        FServer.setSocketOptions(QLocalServer::UserAccessOption);
        QObject::connect(&FServer, &QLocalServer::newConnection, [this] { Accept(); });
        FRelisten.setInterval(InstanceRelistenMilliseconds);
        QObject::connect(&FRelisten, &QTimer::timeout, [this] { Relisten(); });
    }

    ~QtSingleInstance() override {
        if (FirstCopy == this)
            FirstCopy = nullptr;
        DropConnections();
    }

    bool BecomeFirst() override {
        if (FServer.isListening())
            return true;
        QLocalSocket probe;
        if (ConnectToFirst(probe, 500))
            return false;
        // No other copy answered: when the name cannot be taken either (no private folder, no writable
        // place), this copy runs alone rather than not at all; later copies then run alone too.
        if (Listen()) {
            FirstCopy = this;
            FRelisten.start();
        }
        return true;
    }

    bool Send(TInstanceMessage message) override {
        QLocalSocket socket;
        if (!ConnectToFirst(socket, 1000))
            return false;
        socket.write(message == TInstanceMessage::imShow ? "show\n" : "close\n");
        const bool written = socket.waitForBytesWritten(1000);
        socket.disconnectFromServer();
        return written;
    }

    void Resign() override {
        if (FirstCopy == this)
            FirstCopy = nullptr;
        FRelisten.stop();
        FServer.close();
        DropConnections();
        FResigned = true;
    }

private:
    // Connects only to a socket of the current user with a process of the current user behind it.
    bool ConnectToFirst(QLocalSocket& socket, int milliseconds) const {
        if (FName.isEmpty() || !SocketOfUser(FName))
            return false;
        socket.connectToServer(FName);
        if (!socket.waitForConnected(milliseconds))
            return false;
        if (PeerIsUser(socket))
            return true;
        socket.abort();
        return false;
    }

    bool Listen() {
        if (FName.isEmpty())
            return false;
        // Nobody of this user answers: a name left behind by a copy that crashed, or a socket of another
        // user, is taken over.
        QLocalServer::removeServer(FName);
        return FServer.listen(FName);
    }

    // The server closes itself when it cannot accept a connection (no file handles left) and takes its
    // socket with it; it listens again, unless another copy has become the first meanwhile.
    void Relisten() {
        if (FServer.isListening())
            return;
        QLocalSocket probe;
        if (ConnectToFirst(probe, 500)) {
            FRelisten.stop();
            return;
        }
        Listen();
    }

    void Drop(QLocalSocket* socket) {
        FConnections.removeAll(socket);
        socket->abort();
        socket->deleteLater();
    }

    void DropConnections() {
        const QList<QPointer<QLocalSocket>> held = std::exchange(FConnections, {});
        for (const QPointer<QLocalSocket>& socket : held)
            if (socket) {
                QObject::disconnect(socket, nullptr, nullptr, nullptr);
                socket->abort();
                delete socket.data();
            }
    }

    void Accept() {
        while (QLocalSocket* socket = FServer.nextPendingConnection()) {
            if (FResigned) {
                Drop(socket);
                continue;
            }
            // The oldest connection makes room for the newest, so that idle connections cannot hold every
            // place (nor every file handle) for long.
            while (FConnections.size() >= InstanceConnectionBound) {
                const QPointer<QLocalSocket> oldest = FConnections.front();
                FConnections.pop_front();
                if (oldest)
                    Drop(oldest);
            }
            FConnections.push_back(socket);
            // Qt keeps no more than this of unread data; the words are read as they come.
            socket->setReadBufferSize(64);
            auto* idle = new QTimer(socket);
            idle->setSingleShot(true);
            idle->start(InstanceIdleMilliseconds);
            QObject::connect(idle, &QTimer::timeout, socket, [this, socket] { Drop(socket); });
            QObject::connect(socket, &QLocalSocket::disconnected, socket, [this, socket] { Drop(socket); });
            auto reader = std::make_shared<TInstanceLineReader>();
            QObject::connect(socket, &QLocalSocket::readyRead, socket, [this, socket, idle, reader] {
                // A handler may run the message loop (closing does), which can delete the socket: every
                // line is read first, and the messages are handed on from the loop once the socket's
                // signal has returned, never from inside it.
                std::vector<TInstanceMessage> messages;
                char chunk[64];
                qint64 count = 0;
                while (!reader->Overlong() && (count = socket->read(chunk, sizeof chunk)) > 0) {
                    reader->Feed(chunk, static_cast<size_t>(count), messages);
                    // Every complete line gives the connection its time again.
                    if (std::find(chunk, chunk + count, '\n') != chunk + count)
                        idle->start(InstanceIdleMilliseconds);
                }
                if (reader->Overlong())
                    Drop(socket);
                if (messages.empty())
                    return;
                QMetaObject::invokeMethod(
                    &FServer,
                    [this, messages] {
                        for (TInstanceMessage message : messages)
                            if (OnMessage && !FResigned)
                                OnMessage(message);
                    },
                    Qt::QueuedConnection);
            });
        }
    }

    QString FName;
    bool FResigned = false;
    QList<QPointer<QLocalSocket>> FConnections;
    QLocalServer FServer;
    QTimer FRelisten;
};
} // namespace

std::string InstanceSocketFolder() {
    const QByteArray runtime = qgetenv("XDG_RUNTIME_DIR");
    if (!runtime.isEmpty() && PrivateFolder(runtime))
        return runtime.toStdString();
    const QByteArray folder =
        QFile::encodeName(QDir::tempPath()) + "/orvalis-" + QByteArray::number(geteuid());
    // A folder made earlier by this user is kept, with any access of others taken away; one of another
    // user, or a link, is not used.
    if (mkdir(folder.constData(), 0700) != 0 && errno != EEXIST)
        return {};
    struct stat info {};
    if (lstat(folder.constData(), &info) == 0 && S_ISDIR(info.st_mode) && info.st_uid == geteuid() &&
        (info.st_mode & 077) != 0)
        chmod(folder.constData(), 0700);
    return PrivateFolder(folder) ? folder.toStdString() : std::string();
}

void ResignFirstCopy() {
    if (FirstCopy)
        FirstCopy->Resign();
}

std::unique_ptr<TSingleInstance> CreateSingleInstance(const std::string& name) {
    QString user = qEnvironmentVariable("USER");
    if (user.isEmpty())
        user = QDir::home().dirName();
    QString full = name.empty() ? QStringLiteral("Orvalis-") + user : QString::fromStdString(name);
    if (!full.contains(QLatin1Char('/'))) {
        const std::string folder = InstanceSocketFolder();
        // Without a private folder there is no place that other users cannot take: the copy runs alone.
        full = folder.empty() ? QString() : QFile::decodeName(folder.c_str()) + QLatin1Char('/') + full;
    }
    return std::make_unique<QtSingleInstance>(full);
}

} // namespace orvalis
