#pragma once
// Inside the platform: the channel a later start hands its files over by, to the program that holds
// the data folder. Named after the folder; only the user's own programs may use it. On Windows a
// named pipe of the user's session; on Linux a socket file in the temporary folder, made with plain
// system calls so the program's start loads no network library for it.
#include <QByteArray>
#include <QDeadlineTimer>
#include <QString>
#include <functional>
#include <memory>

namespace qo::platform {

// What the listener makes of a peer's bytes so far.
struct Heard {
    enum class Verdict { More, Answer, CutOff } verdict = Verdict::More;
    QByteArray answer; // for Answer: sent back before the peer is let go
    // For Answer: done once the answer is sent, so a peer never waits on what the listener does.
    std::function<void()> then;
};

class ChannelListener {
public:
    // `heard` is given all a peer has sent so far, each time more comes, on the thread that made
    // the listener, from its event loop.
    using Hear = std::function<Heard(const QByteArray& bytes)>;
    virtual ~ChannelListener() = default;
};

// Listens on `name`, taking it over from a holder that died; null when it cannot.
std::unique_ptr<ChannelListener> ListenOn(const QString& name, ChannelListener::Hear heard);

// Connects to `name` and sends `message`, within `connectMs`; then reads the answer up to its first
// line break until `deadline`. False when nobody listens; `answer` empty when none came.
bool SendOn(const QString& name, const QByteArray& message, int connectMs, const QDeadlineTimer& deadline,
            QByteArray& answer);

} // namespace qo::platform
