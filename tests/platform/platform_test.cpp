// Each side of the platform on its own system: the folders it names, and a rename that replaces a
// file as the kept game's backup needs, with the Cyrillic names the program's files have.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include "platform/files.h"
#include "platform/folders.h"

namespace qotest {
namespace {

QByteArray Read(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

void Write(const QString& path, const QByteArray& bytes) {
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}

TEST(PlatformFiles, RenameReplacesTheFileAtTheNewNameOrLeavesBothAsTheyWere) {
    QTemporaryDir dir;
    const QString game = dir.filePath(QStringLiteral("Игра.txt")), backup = game + QStringLiteral(".1");
    Write(game, "new");
    Write(backup, "old");
    ASSERT_TRUE(qo::platform::RenameReplacing(game, backup));
    EXPECT_FALSE(QFile::exists(game));
    EXPECT_EQ(Read(backup), "new");

    EXPECT_FALSE(qo::platform::RenameReplacing(game, backup)) << "nothing to rename";
    EXPECT_EQ(Read(backup), "new");
}

class PlatformFolders : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(home.isValid());
        for (const char* name : {"XDG_CONFIG_HOME", "XDG_DATA_HOME"}) {
            saved.push_back({name, qgetenv(name), qEnvironmentVariableIsSet(name)});
            qputenv(name, QFile::encodeName(home.filePath(QString::fromLatin1(name))));
        }
    }
    void TearDown() override {
        for (const auto& s : saved) {
            if (s.set)
                qputenv(s.name, s.value);
            else
                qunsetenv(s.name);
        }
    }
    // The program's folder in a user's folder: on Windows the one the variable names, on Linux the
    // XDG folder the test set.
    static QString Expected(const char* windowsVariable, const QString& linuxFolder) {
#ifdef _WIN32
        (void)linuxFolder;
        return QDir::fromNativeSeparators(qEnvironmentVariable(windowsVariable)) +
               QStringLiteral("/fishkodrom/");
#else
        (void)windowsVariable;
        return linuxFolder + QStringLiteral("/") + QCoreApplication::applicationName() + QStringLiteral("/");
#endif
    }

    struct Saved {
        const char* name;
        QByteArray value;
        bool set;
    };
    QTemporaryDir home;
    std::vector<Saved> saved;
};

// Settings stay on this machine; the kept game follows a Windows player between machines.
TEST_F(PlatformFolders, SettingsAndDataFoldersAreTheUsersOwnAndMade) {
    const QString settings = qo::platform::UserFolder(qo::platform::FolderKind::Settings);
    const QString data = qo::platform::UserFolder(qo::platform::FolderKind::Data);
    EXPECT_EQ(settings, Expected("LOCALAPPDATA", home.filePath(QStringLiteral("XDG_CONFIG_HOME"))));
    EXPECT_EQ(data, Expected("APPDATA", home.filePath(QStringLiteral("XDG_DATA_HOME"))));
    EXPECT_TRUE(QDir(settings).exists());
    EXPECT_TRUE(QDir(data).exists());
}

TEST_F(PlatformFolders, InstalledFilesLieBesideTheProgramOnWindowsAndInShareOnLinux) {
    const QString installed = qo::platform::InstalledDataFolder(QStringLiteral("/opt/x/games"));
#ifdef _WIN32
    EXPECT_EQ(installed, QString());
#else
    EXPECT_EQ(installed,
              QStringLiteral("/opt/x/share/") + QCoreApplication::applicationName() + QStringLiteral("/"));
#endif
}

} // namespace
} // namespace qotest
