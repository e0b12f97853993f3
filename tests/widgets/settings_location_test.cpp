// Where kept properties live: beside a portable program, in the user's configuration folder for an
// installed one whose folder takes no files.
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include "runtime/cp1251.h"
#include "widget_test.h"
#include "widgets/label.h"
#include "widgets/layer/ini_file.h"
#include "widgets/layer/platform.h"

namespace qotest {
namespace {

std::string ReadFile(const std::string& pathUtf8) {
    QFile f(QString::fromStdString(pathUtf8));
    if (!f.open(QIODevice::ReadOnly)) return {};
    return f.readAll().toStdString();
}

class SettingsLocationTest : public WidgetTest {
protected:
    // A label keeping its left edge in "Параметры.ini", taken down again so that it saves.
    void KeepLeft(int left) {
        qo::TQOLabel label(parent());
        label.left = left;
        label.keepProperties = 1;
        label.keptPropertyList = "left=L";
        label.settingsFile = qo::Cp1251("Параметры.ini");
        label.settingsSection = "S";
        label.Init();
        loadedLeft = label.control()->bounds().left;
    }

    ProgramFolder folder;
    int loadedLeft = 0;
};

TEST_F(SettingsLocationTest, PortableProgramKeepsSettingsBesideItself) {
    KeepLeft(12);
    EXPECT_EQ(qo::IniFile(folder.path("Параметры.ini")).readString("S", "L", "<none>"), "12");
    EXPECT_TRUE(QDir(QString::fromStdString(folder.platform.configFolder())).isEmpty());
    KeepLeft(40);
    EXPECT_EQ(loadedLeft, 12);
}

TEST_F(SettingsLocationTest, InstalledProgramKeepsTheSameFileInTheConfigurationFolder) {
    folder.platform.programFolderWritable = false;
    KeepLeft(12);
    const std::string inConfig = folder.platform.configFolder() + "Параметры.ini";
    EXPECT_EQ(qo::IniFile(inConfig).readString("S", "L", "<none>"), "12");
    EXPECT_EQ(ReadFile(inConfig), "[S]\r\nL=12\r\n");
    EXPECT_EQ(folder.read("Параметры.ini"), "");
    KeepLeft(40);
    EXPECT_EQ(loadedLeft, 12);
}

// The toolkit's decision, on folders that really do or do not take files (even for an administrator).
class SettingsFolderForTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(config.isValid());
        savedConfigHome = qgetenv("XDG_CONFIG_HOME");
        hadConfigHome = qEnvironmentVariableIsSet("XDG_CONFIG_HOME");
        qputenv("XDG_CONFIG_HOME", config.path().toLocal8Bit());
    }
    void TearDown() override {
        if (hadConfigHome)
            qputenv("XDG_CONFIG_HOME", savedConfigHome);
        else
            qunsetenv("XDG_CONFIG_HOME");
    }
    // A configuration folder for this application inside the temporary XDG home (on Windows, the
    // user's local application data), made on the way.
    void ExpectConfigurationFolder(const std::string& chosen) const {
        ASSERT_FALSE(chosen.empty());
        EXPECT_EQ(chosen.back(), '/');
#ifdef _WIN32
        // Windows names the user's local application data itself, whatever XDG says.
        const QString local = QDir::fromNativeSeparators(qEnvironmentVariable("LOCALAPPDATA"));
        EXPECT_EQ(chosen, (local + QStringLiteral("/fishkodrom/")).toStdString());
#else
        EXPECT_EQ(chosen.rfind(config.path().toStdString() + "/", 0), 0u) << chosen;
#endif
        EXPECT_TRUE(QFileInfo(QString::fromStdString(chosen)).isDir()) << chosen;
    }

    QTemporaryDir config;
    QByteArray savedConfigHome;
    bool hadConfigHome = false;
};

TEST_F(SettingsFolderForTest, WritableFolderIsKeptAndLeftClean) {
    QTemporaryDir program;
    const std::string folder = program.path().toStdString() + "/";
    EXPECT_EQ(qo::SettingsFolderFor(folder), folder);
    EXPECT_TRUE(
        QDir(program.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot).isEmpty());
}

TEST_F(SettingsFolderForTest, FolderThatTakesNoFilesGivesTheConfigurationFolder) {
    QTemporaryDir scratch;
    QFile plain(scratch.filePath("plain"));
    ASSERT_TRUE(plain.open(QIODevice::WriteOnly));
    plain.close();
    for (const std::string& folder :
         {scratch.filePath("plain").toStdString() + "/inside/", std::string("/proc/")}) {
        SCOPED_TRACE(folder);
        ExpectConfigurationFolder(qo::SettingsFolderFor(folder));
    }
}

} // namespace
} // namespace qotest
