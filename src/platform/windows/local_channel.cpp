// The channel over the toolkit's local sockets: a named pipe of the user's session.
#include <QLocalServer>
#include <QLocalSocket>
#include <memory>

#include "platform/front.h"
#include "platform/local_channel.h"

namespace qo::platform {
namespace {

class PipeListener final : public ChannelListener {
public:
    explicit PipeListener(Hear heard) : heard_(std::move(heard)) {}
    bool listen(const QString& name) {
        server_.setSocketOptions(QLocalServer::UserAccessOption);
        QLocalServer::removeServer(name);
        if (!server_.listen(name)) return false;
        QObject::connect(&server_, &QLocalServer::newConnection, &server_, [this] {
            while (QLocalSocket* peer = server_.nextPendingConnection()) {
                QObject::connect(peer, &QLocalSocket::disconnected, peer, &QObject::deleteLater);
                auto bytes = std::make_shared<QByteArray>();
                QObject::connect(peer, &QLocalSocket::readyRead, peer, [this, peer, bytes] {
                    *bytes += peer->readAll();
                    const Heard h = heard_(*bytes);
                    if (h.verdict == Heard::Verdict::CutOff) {
                        peer->abort();
                    } else if (h.verdict == Heard::Verdict::Answer) {
                        bytes->clear();
                        peer->write(h.answer);
                        peer->flush();
                        peer->disconnectFromServer();
                        if (h.then) h.then();
                    }
                });
            }
        });
        return true;
    }

private:
    Hear heard_;
    QLocalServer server_;
};

} // namespace

std::unique_ptr<ChannelListener> ListenOn(const QString& name, ChannelListener::Hear heard) {
    auto listener = std::make_unique<PipeListener>(std::move(heard));
    if (!listener->listen(name)) return nullptr;
    return listener;
}

bool SendOn(const QString& name, const QByteArray& message, int connectMs, const QDeadlineTimer& deadline,
            QByteArray& answer) {
    QLocalSocket socket;
    socket.connectToServer(name);
    if (!socket.waitForConnected(connectMs)) return false;
    // The holder may bring its window up only if this program, which the player just started and
    // so may, lets it.
    LetAnotherComeToFront();
    socket.write(message);
    answer.clear();
    while (!answer.contains('\n') &&
           socket.waitForReadyRead(static_cast<int>(std::max<qint64>(1, deadline.remainingTime()))))
        answer += socket.readAll();
    return true;
}

} // namespace qo::platform
