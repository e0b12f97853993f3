// One program per data folder, inside one test process: a second claim runs on a thread of its own,
// as a second program would, while this thread's loop serves the holder.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QFile>
#include <QLockFile>
#include <QTemporaryDir>
#include <atomic>
#include <thread>

#include "platform/single_instance.h"

namespace qotest {
namespace {

using qo::platform::SingleInstance;
using Role = SingleInstance::Role;

// The lock the program names beside its kept game.
const QString kLock = QStringLiteral("Игра.lock");

// Runs the holder's loop until `done`, bounded.
bool ServeUntil(const std::function<bool()>& done, int ms = 10000) {
    const QDeadlineTimer deadline(ms);
    while (!done() && !deadline.hasExpired())
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    return done();
}

// What a later start would be, claimed beside this thread.
Role ClaimElsewhere(const QString& folder, const QStringList& files, int waitMs = 3000) {
    std::atomic<bool> finished{false};
    Role role = Role::Keeper;
    std::thread later([&] {
        SingleInstance other(folder, kLock);
        role = other.claim(files, waitMs);
        finished = true;
    });
    ServeUntil([&] { return finished.load(); });
    later.join();
    return role;
}

// The host name as a lock names it, which on Windows is not the machine's network name.
QByteArray LockHost() {
    QTemporaryDir dir;
    QLockFile probe(dir.filePath(QStringLiteral("probe.lock")));
    qint64 pid = 0;
    QString host, app;
    if (!probe.tryLock(0) || !probe.getLockInfo(&pid, &host, &app)) return {};
    return host.toUtf8();
}

// A lock as a holder leaves it: its process, its name, its host.
void WriteLock(const QString& folder, qint64 pid, const QByteArray& app) {
    QFile lock(folder + kLock);
    ASSERT_TRUE(lock.open(QIODevice::WriteOnly));
    lock.write(QByteArray::number(pid) + "\n" + app + "\n" + LockHost() + "\n");
}

class OneProgramPerFolder : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(dir.isValid()); }
    QString folder() const { return dir.path() + QLatin1Char('/'); }
    QTemporaryDir dir;
};

TEST_F(OneProgramPerFolder, LaterStartsHandTheirFilesOverInOrderOrRunBesideWithNone) {
    SingleInstance first(folder(), kLock);
    ASSERT_EQ(first.claim({}), Role::Keeper);
    std::vector<QStringList> received;
    first.onFiles([&](const QStringList& files) { received.push_back(files); });

    const QStringList files = {QStringLiteral("/билеты/первый.tkt"), QStringLiteral("/tmp/a b.tkt")};
    EXPECT_EQ(ClaimElsewhere(folder(), files), Role::Handed);
    EXPECT_EQ(ClaimElsewhere(folder(), {QStringLiteral("/tmp/третий.tkt")}), Role::Handed);
    ASSERT_TRUE(ServeUntil([&] { return received.size() == 2; }));
    EXPECT_EQ(received[0], files);
    EXPECT_EQ(received[1], QStringList{QStringLiteral("/tmp/третий.tkt")});

    EXPECT_EQ(ClaimElsewhere(folder(), {}), Role::Beside) << "no files: it runs, keeping nothing";
}

TEST_F(OneProgramPerFolder, FilesHandedBeforeAnyoneAsksWaitForTheAsking) {
    SingleInstance first(folder(), kLock);
    ASSERT_EQ(first.claim({}), Role::Keeper);
    EXPECT_EQ(ClaimElsewhere(folder(), {QStringLiteral("/tmp/1.tkt")}), Role::Handed);
    std::vector<QStringList> received;
    first.onFiles([&](const QStringList& files) { received.push_back(files); });
    ASSERT_EQ(received.size(), 1u);
    EXPECT_EQ(received[0], QStringList{QStringLiteral("/tmp/1.tkt")});
}

TEST_F(OneProgramPerFolder, AHolderThatIsGoneLeavesTheFolderToTheNextStart) {
    {
        SingleInstance first(folder(), kLock);
        ASSERT_EQ(first.claim({}), Role::Keeper);
    }
    SingleInstance again(folder(), kLock);
    EXPECT_EQ(again.claim({QStringLiteral("/tmp/1.tkt")}), Role::Keeper) << "ended cleanly";

    // One that died mid-game left its lock, naming a process that no longer runs.
    QTemporaryDir other;
    const QString died = other.path() + QLatin1Char('/');
    WriteLock(died, 2147480000, "fishkodrom");
    SingleInstance next(died, kLock);
    EXPECT_EQ(next.claim({QStringLiteral("/tmp/1.tkt")}, 500), Role::Keeper);
}

TEST_F(OneProgramPerFolder, AHolderThatTakesNothingLeavesTheFilesToTheirOwnStart) {
    // Holding the folder without listening: a program of an older build, or one that hangs.
    WriteLock(folder(), QCoreApplication::applicationPid(), QCoreApplication::applicationName().toUtf8());
    SingleInstance later(folder(), kLock);
    const QDeadlineTimer bound(5000);
    EXPECT_EQ(later.claim({QStringLiteral("/tmp/1.tkt")}, 600), Role::Beside);
    EXPECT_FALSE(bound.hasExpired()) << "the wait is bounded";
}

TEST(OneProgramWithoutAFolder, IsAlwaysTheKeeper) {
    SingleInstance a{QString(), kLock}, b{QString(), kLock};
    EXPECT_EQ(a.claim({}), Role::Keeper);
    EXPECT_EQ(b.claim({QStringLiteral("/tmp/1.tkt")}), Role::Keeper);
}

} // namespace
} // namespace qotest
