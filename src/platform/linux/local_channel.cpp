// The channel over a Unix socket file in the temporary folder, where the toolkit's local sockets put
// theirs, so programs of either kind find each other. The file is the user's alone, and a peer of
// another user is turned away by its credentials all the same.
#include <QDir>
#include <QFile>
#include <QSocketNotifier>
#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <map>
#include <memory>
#include <poll.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

#include "platform/front.h"
#include "platform/local_channel.h"

namespace qo::platform {
namespace {

// The socket file's address; false when the path does not fit one.
bool AddressOf(const QString& name, sockaddr_un& address) {
    const QByteArray path = QFile::encodeName(QDir::tempPath() + QLatin1Char('/') + name);
    std::memset(&address, 0, sizeof address);
    address.sun_family = AF_UNIX;
    if (static_cast<std::size_t>(path.size()) >= sizeof address.sun_path) return false;
    std::memcpy(address.sun_path, path.constData(), static_cast<std::size_t>(path.size()));
    return true;
}

int NewSocket() {
    return ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0);
}

bool SameUser(int fd) {
    ucred peer{};
    socklen_t length = sizeof peer;
    return ::getsockopt(fd, SOL_SOCKET, SO_PEERCRED, &peer, &length) == 0 && peer.uid == ::getuid();
}

void SendAll(int fd, const QByteArray& bytes) {
    qsizetype sent = 0;
    while (sent < bytes.size()) {
        pollfd p{fd, POLLOUT, 0};
        if (::poll(&p, 1, 1000) <= 0) return;
        const ssize_t n =
            ::send(fd, bytes.constData() + sent, static_cast<std::size_t>(bytes.size() - sent), MSG_NOSIGNAL);
        if (n < 0 && errno != EAGAIN && errno != EINTR) return;
        if (n > 0) sent += n;
    }
}

class SocketListener final : public ChannelListener {
public:
    explicit SocketListener(Hear heard) : heard_(std::move(heard)) {}
    ~SocketListener() override {
        for (auto& [fd, peer] : peers_)
            ::close(fd);
        peers_.clear();
        accepting_.reset();
        if (fd_ >= 0) {
            ::close(fd_);
            ::unlink(address_.sun_path);
        }
    }

    bool listen(const QString& name) {
        if (!AddressOf(name, address_)) return false;
        fd_ = NewSocket();
        if (fd_ < 0) return false;
        // Left by a holder that died: the lock is ours now, so the name is too.
        ::unlink(address_.sun_path);
        const mode_t mask = ::umask(0077);
        const bool bound = ::bind(fd_, reinterpret_cast<const sockaddr*>(&address_), sizeof address_) == 0;
        ::umask(mask);
        if (!bound || ::chmod(address_.sun_path, S_IRUSR | S_IWUSR) != 0 || ::listen(fd_, 8) != 0) {
            ::close(fd_);
            fd_ = -1;
            return false;
        }
        accepting_ = std::make_unique<QSocketNotifier>(fd_, QSocketNotifier::Read);
        QObject::connect(accepting_.get(), &QSocketNotifier::activated, accepting_.get(),
                         [this] { Accept(); });
        return true;
    }

private:
    struct Peer {
        std::unique_ptr<QSocketNotifier> reading;
        QByteArray bytes;
    };

    void Accept() {
        for (;;) {
            const int peer = ::accept4(fd_, nullptr, nullptr, SOCK_CLOEXEC | SOCK_NONBLOCK);
            if (peer < 0) return;
            if (!SameUser(peer)) {
                ::close(peer);
                continue;
            }
            Peer& p = peers_[peer];
            p.reading = std::make_unique<QSocketNotifier>(peer, QSocketNotifier::Read);
            QObject::connect(p.reading.get(), &QSocketNotifier::activated, p.reading.get(),
                             [this, peer] { Read(peer); });
        }
    }

    void Read(int fd) {
        const auto at = peers_.find(fd);
        if (at == peers_.end()) return;
        Peer& p = at->second;
        char chunk[4096];
        bool ended = false;
        for (;;) {
            const ssize_t n = ::recv(fd, chunk, sizeof chunk, 0);
            if (n > 0) {
                p.bytes.append(chunk, n);
                continue;
            }
            ended = n == 0 || (errno != EAGAIN && errno != EINTR);
            break;
        }
        const Heard h = heard_(p.bytes);
        if (h.verdict == Heard::Verdict::Answer) SendAll(fd, h.answer);
        if (h.verdict != Heard::Verdict::More || ended) Drop(fd);
        if (h.then) h.then();
    }

    void Drop(int fd) {
        const auto at = peers_.find(fd);
        if (at == peers_.end()) return;
        // Taken out of the loop's hands before the socket closes; deleted later, as it may be the
        // notifier whose signal is running now.
        QSocketNotifier* reading = at->second.reading.release();
        reading->setEnabled(false);
        reading->deleteLater();
        peers_.erase(at);
        ::close(fd);
    }

    Hear heard_;
    sockaddr_un address_{};
    int fd_ = -1;
    std::unique_ptr<QSocketNotifier> accepting_;
    std::map<int, Peer> peers_;
};

} // namespace

std::unique_ptr<ChannelListener> ListenOn(const QString& name, ChannelListener::Hear heard) {
    auto listener = std::make_unique<SocketListener>(std::move(heard));
    if (!listener->listen(name)) return nullptr;
    return listener;
}

bool SendOn(const QString& name, const QByteArray& message, int connectMs, const QDeadlineTimer& deadline,
            QByteArray& answer) {
    sockaddr_un address{};
    if (!AddressOf(name, address)) return false;
    const int fd = NewSocket();
    if (fd < 0) return false;
    const auto closed = [fd](bool result) {
        ::close(fd);
        return result;
    };
    if (::connect(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address) != 0) {
        if (errno != EINPROGRESS && errno != EAGAIN) return closed(false);
        pollfd p{fd, POLLOUT, 0};
        int error = 0;
        socklen_t length = sizeof error;
        if (::poll(&p, 1, connectMs) <= 0 || ::getsockopt(fd, SOL_SOCKET, SO_ERROR, &error, &length) != 0 ||
            error != 0)
            return closed(false);
    }
    // The holder may bring its window up only if this program, which the player just started and
    // so may, lets it.
    LetAnotherComeToFront();
    SendAll(fd, message);
    answer.clear();
    while (!answer.contains('\n')) {
        pollfd p{fd, POLLIN, 0};
        if (::poll(&p, 1, static_cast<int>(std::max<qint64>(1, deadline.remainingTime()))) <= 0) break;
        char chunk[256];
        const ssize_t n = ::recv(fd, chunk, sizeof chunk, 0);
        if (n > 0) {
            answer.append(chunk, n);
        } else if (n == 0 || (errno != EAGAIN && errno != EINTR)) {
            break;
        }
    }
    return closed(true);
}

} // namespace qo::platform
