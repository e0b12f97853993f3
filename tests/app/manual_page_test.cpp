// The manual page's FILES say where the program really keeps what it keeps: the folders the
// toolkit gives it on Linux, the ones it gives on Windows, and the file names the code uses.
#include <gtest/gtest.h>

#include <QByteArray>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <string>

#include "app/advertisement.h"
#include "app/inline_code_kept_game.h"
#include "widgets/layer/platform.h"

namespace qotest {
namespace {

// The text of the FILES section, groff's "\e" read as the backslash it prints.
std::string FilesSection() {
    QFile page(QStringLiteral(QO_MANUAL_PAGE));
    if (!page.open(QIODevice::ReadOnly)) return {};
    std::string text = page.readAll().toStdString();
    const std::size_t from = text.find(".SH FILES");
    if (from == std::string::npos) return {};
    text = text.substr(from, text.find("\n.SH ", from + 1) - from);
    for (std::size_t at = 0; (at = text.find("\\e", at)) != std::string::npos;)
        text.replace(at, 2, "\\");
    return text;
}

class ManualPage : public ::testing::TestWithParam<std::string> {};

TEST_P(ManualPage, FilesNamesIt) {
    EXPECT_NE(FilesSection().find(GetParam()), std::string::npos) << GetParam();
}

INSTANTIATE_TEST_SUITE_P(
    Locations, ManualPage,
    ::testing::Values(
        std::string("Параметры.ini"), std::string("$XDG_CONFIG_HOME/fishkodrom/"),
        std::string("~/.config/fishkodrom/"), std::string("%LOCALAPPDATA%\\fishkodrom\\"),
        std::string("beside the program"), std::string(lotto::TQOInlineCode_KeptGame::kFileName),
        std::string("$XDG_DATA_HOME/fishkodrom/"), std::string("~/.local/share/fishkodrom/"),
        std::string("%APPDATA%\\fishkodrom\\"), std::string(lotto::TQOInlineCode_KeptGame::kFileName) + ".1",
        std::string(lotto::TQOInlineCode_KeptGame::kFileName) + ".bad", std::string("Фишкодром.html")));

// What the page says of Linux is what the toolkit does: "<folder>/<program's name>/", the program's
// name being the executable's, as here.
class ToolkitFolders : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(home.isValid());
        for (const char* name : {"XDG_CONFIG_HOME", "XDG_DATA_HOME"}) {
            saved.emplace_back(name, qgetenv(name));
            qputenv(name, (home.path() + QLatin1Char('/') + QLatin1String(name)).toLocal8Bit());
        }
        scripted = qo::SetPlatform(nullptr);
    }
    void TearDown() override {
        qo::SetPlatform(scripted);
        for (const auto& [name, value] : saved) {
            if (value.isNull())
                qunsetenv(name);
            else
                qputenv(name, value);
        }
    }
    // The folder the page names for an XDG variable; on Windows, the user's local (settings) or
    // roaming (data) application data, which no environment variable of the test moves.
    std::string expected(const char* variable) const {
#ifdef _WIN32
        const char* windows =
            QLatin1String(variable) == QLatin1String("XDG_CONFIG_HOME") ? "LOCALAPPDATA" : "APPDATA";
        return (QDir::fromNativeSeparators(qEnvironmentVariable(windows)) + QStringLiteral("/fishkodrom/"))
            .toStdString();
#else
        return (home.path() + QLatin1Char('/') + QLatin1String(variable) + QLatin1Char('/') +
                QCoreApplication::applicationName() + QLatin1Char('/'))
            .toStdString();
#endif
    }

    QTemporaryDir home;
    std::vector<std::pair<const char*, QByteArray>> saved;
    qo::Platform* scripted = nullptr;
};

TEST_F(ToolkitFolders, SettingsOfAnInstalledProgramAndTheGameGoWhereThePageSays) {
    EXPECT_EQ(qo::SettingsFolderFor("/proc/"), expected("XDG_CONFIG_HOME"));
    EXPECT_EQ(qo::DataFolder(), expected("XDG_DATA_HOME"));
    EXPECT_EQ(lotto::OwnPagePath(), expected("XDG_DATA_HOME") + "Фишкодром.html");
}

} // namespace
} // namespace qotest
