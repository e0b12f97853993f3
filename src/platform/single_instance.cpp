// The holder's lock is the arbiter: a local socket alone can not tell a holder that is starting from
// none, and two starts a file manager makes at once would both listen. The lock file says who holds
// the folder; the channel, named after the folder, carries the files (local_channel.h).
#include "platform/single_instance.h"

#include <QByteArray>
#include <QCryptographicHash>
#include <QDeadlineTimer>
#include <QLockFile>
#include <QThread>
#include <algorithm>
#include <memory>
#include <utility>
#include <vector>

#include "platform/local_channel.h"

namespace qo::platform {
namespace {

// Far more than any list of paths a file manager hands over; a peer that sends more is cut off.
constexpr qsizetype kLargestMessage = 1 << 20;

QString ServerName(const QString& folder) {
    const QByteArray hash = QCryptographicHash::hash(folder.toUtf8(), QCryptographicHash::Sha256).toHex();
    return QStringLiteral("fishkodrom-") + QString::fromLatin1(hash.left(24));
}

// One path a line, then an empty line; the holder answers "ok" once it has them all.
QByteArray Message(const QStringList& files) {
    QByteArray message;
    for (const QString& f : files)
        message += f.toUtf8() + '\n';
    return message + '\n';
}

// The paths of a whole message, or false while it is not whole yet.
bool ReadMessage(const QByteArray& bytes, QStringList& files) {
    const qsizetype end = bytes.startsWith('\n') ? 0 : bytes.indexOf("\n\n");
    if (end < 0) return false;
    files.clear();
    if (end == 0) return true;
    for (const QByteArray& line : bytes.left(end).split('\n')) {
        if (!line.isEmpty()) files.push_back(QString::fromUtf8(line));
    }
    return true;
}

} // namespace

struct SingleInstance::Parts {
    QString folder;
    QString lockName;
    QString name;
    std::unique_ptr<QLockFile> lock;
    std::unique_ptr<ChannelListener> listener;
    std::function<void(const QStringList&)> received;
    std::vector<QStringList> waiting; // handed over before anyone asked for them

    void deliver(const QStringList& files) {
        if (received)
            received(files);
        else
            waiting.push_back(files);
    }

    // Whether this program now holds the folder.
    bool lockFolder() {
        lock = std::make_unique<QLockFile>(folder + lockName);
        // Only a holder that is gone lets go of the lock, however long it has been playing.
        lock->setStaleLockTime(0);
        if (lock->tryLock(0)) return true;
        // A folder where no lock can be made can keep no game either; this start is the one that
        // tries, as it always did.
        return lock->error() != QLockFile::LockFailedError;
    }

    void listen() {
        listener = ListenOn(name, [this](const QByteArray& bytes) {
            Heard h;
            QStringList files;
            if (bytes.size() > kLargestMessage) {
                h.verdict = Heard::Verdict::CutOff;
            } else if (ReadMessage(bytes, files)) {
                h.verdict = Heard::Verdict::Answer;
                h.answer = "ok\n";
                if (!files.isEmpty()) h.then = [this, files] { deliver(files); };
            }
            return h;
        });
    }

    // Hands `files` to the holder within `deadline`; false when none took them.
    bool hand(const QStringList& files, const QDeadlineTimer& deadline) {
        const QByteArray message = Message(files);
        do {
            QByteArray answer;
            if (SendOn(name, message, 200, deadline, answer)) return answer.startsWith("ok");
            QThread::msleep(50);
        } while (!deadline.hasExpired());
        return false;
    }
};

SingleInstance::SingleInstance(const QString& folder, const QString& lockName)
    : parts_(std::make_unique<Parts>()) {
    parts_->folder = folder;
    parts_->lockName = lockName;
    parts_->name = ServerName(folder);
}

SingleInstance::~SingleInstance() = default;

SingleInstance::Role SingleInstance::claim(const QStringList& files, int waitMs) {
    Parts& p = *parts_;
    if (p.folder.isEmpty()) return role_ = Role::Keeper;
    const QDeadlineTimer deadline(waitMs);
    for (;;) {
        if (p.lockFolder()) {
            p.listen();
            return role_ = Role::Keeper;
        }
        if (files.isEmpty()) return role_ = Role::Beside;
        if (p.hand(files,
                   QDeadlineTimer(std::min<qint64>(1000, std::max<qint64>(0, deadline.remainingTime())))))
            return role_ = Role::Handed;
        // A holder that does not answer may be one that has just ended: then the folder is free.
        if (deadline.hasExpired()) return role_ = Role::Beside;
    }
}

void SingleInstance::onFiles(std::function<void(const QStringList&)> received) {
    Parts& p = *parts_;
    p.received = std::move(received);
    if (!p.received) return;
    for (const QStringList& files : std::exchange(p.waiting, {}))
        p.received(files);
}

} // namespace qo::platform
