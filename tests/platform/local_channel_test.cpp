// The channel later starts hand their files over by, on Linux made with plain system calls: it must
// meet programs that use the toolkit's local sockets for the same name, both ways, as a program of
// an earlier version still running does, and keep its socket file to the user.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QLocalServer>
#include <QLocalSocket>
#include <QUuid>
#include <atomic>
#include <sys/stat.h>
#include <thread>

#include "platform/local_channel.h"

namespace qotest {
namespace {

using qo::platform::Heard;

QString FreshName() {
    return QStringLiteral("fishkodrom-test-") + QUuid::createUuid().toString(QUuid::Id128).left(16);
}

void ServeUntil(const std::atomic<bool>& done) {
    const QDeadlineTimer deadline(10000);
    while (!done && !deadline.hasExpired())
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
}

TEST(LocalChannel, AToolkitSocketReachesTheListenerAndTheSocketFileIsTheUsersAlone) {
    const QString name = FreshName();
    QByteArray got;
    bool after = false;
    auto listener = qo::platform::ListenOn(name, [&](const QByteArray& bytes) {
        Heard h;
        if (!bytes.endsWith("\n\n")) return h;
        got = bytes;
        h.verdict = Heard::Verdict::Answer;
        h.answer = "ok\n";
        h.then = [&] { after = true; };
        return h;
    });
    ASSERT_TRUE(listener);
    struct stat st {};
    ASSERT_EQ(::stat(QFile::encodeName(QDir::tempPath() + QLatin1Char('/') + name).constData(), &st), 0);
    EXPECT_EQ(st.st_mode & 0077, 0u);

    std::atomic<bool> done{false};
    QByteArray answer;
    std::thread peer([&] {
        QLocalSocket socket;
        socket.connectToServer(name);
        if (socket.waitForConnected(2000)) {
            socket.write("/tmp/a.tkt\n");
            socket.flush();
            socket.write("\n"); // in two pieces: the listener waits for the whole
            while (!answer.contains('\n') && socket.waitForReadyRead(5000))
                answer += socket.readAll();
        }
        done = true;
    });
    ServeUntil(done);
    peer.join();
    EXPECT_EQ(got, "/tmp/a.tkt\n\n");
    EXPECT_EQ(answer, "ok\n");
    EXPECT_TRUE(after);
    listener.reset();
    EXPECT_FALSE(QFile::exists(QDir::tempPath() + QLatin1Char('/') + name)) << "the socket file goes with it";
}

TEST(LocalChannel, ReachesAToolkitServerAndTellsWhenNobodyListens) {
    const QString name = FreshName();
    QByteArray answer;
    EXPECT_FALSE(qo::platform::SendOn(name, "x\n\n", 100, QDeadlineTimer(500), answer));

    QLocalServer server;
    server.setSocketOptions(QLocalServer::UserAccessOption);
    ASSERT_TRUE(server.listen(name));
    QByteArray got;
    QObject::connect(&server, &QLocalServer::newConnection, &server, [&] {
        QLocalSocket* peer = server.nextPendingConnection();
        QObject::connect(peer, &QLocalSocket::readyRead, peer, [&, peer] {
            got += peer->readAll();
            if (got.endsWith("\n\n")) {
                peer->write("ok\n");
                peer->flush();
            }
        });
    });
    std::atomic<bool> done{false};
    bool sent = false;
    std::thread later([&] {
        sent = qo::platform::SendOn(name, "/tmp/b.tkt\n\n", 2000, QDeadlineTimer(5000), answer);
        done = true;
    });
    ServeUntil(done);
    later.join();
    EXPECT_TRUE(sent);
    EXPECT_EQ(got, "/tmp/b.tkt\n\n");
    EXPECT_EQ(answer, "ok\n");
}

} // namespace
} // namespace qotest
