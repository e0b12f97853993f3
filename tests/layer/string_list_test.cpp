// String list: CR / CR LF splitting, NUL end, CR LF text, files.
#include "widgets/layer/string_list.h"
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

struct SplitCase {
    const char* name;
    std::string text;
    std::vector<std::string> lines;
};

void PrintTo(const SplitCase& c, std::ostream* os) {
    *os << c.name;
}

class Split : public ::testing::TestWithParam<SplitCase> {};

TEST_P(Split, Lines) {
    qo::StringList list;
    list.setText(GetParam().text);
    EXPECT_EQ(list.lines(), GetParam().lines);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, Split,
    ::testing::Values(SplitCase{"Empty", "", {}}, SplitCase{"NoBreak", "a", {"a"}},
                      SplitCase{"CrLf", "a\r\nb", {"a", "b"}}, SplitCase{"LoneCr", "a\rb\r", {"a", "b"}},
                      SplitCase{"FinalCrLfAddsNothing", "a\r\n", {"a"}},
                      SplitCase{"LoneLfIsAChar", "a\nb\r\n", {"a\nb"}},
                      SplitCase{"EmptyLines", "\r\n\r\nx", {"", "", "x"}},
                      SplitCase{"CrThenCrLf", "a\r\r\nb", {"a", "", "b"}},
                      SplitCase{"EndsAtNul", std::string("a\r\nb\0c\r\nd", 9), {"a", "b"}},
                      SplitCase{"TicketFile", "5;17;38;61;90;\r\n\r\n", {"5;17;38;61;90;", ""}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(StringListTest, TextIsEveryLineWithCrLf) {
    qo::StringList list;
    list.add("a");
    list.add("");
    EXPECT_EQ(list.text(), "a\r\n\r\n");
    list.remove(0);
    EXPECT_EQ(list.text(), "\r\n");
}

TEST(StringListTest, SaveOverwritesAndCutsLoadRoundTrips) {
    QTemporaryDir dir;
    const std::string path = dir.path().toStdString() + "/билет.tkt";
    {
        QFile f(QString::fromStdString(path));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(std::string(100, 'x').c_str());
    }
    qo::StringList list;
    list.setText("1;2;\r\nnotes");
    ASSERT_TRUE(list.saveToFile(path));
    QFile f(QString::fromStdString(path));
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_EQ(f.readAll().toStdString(), "1;2;\r\nnotes\r\n");
    qo::StringList back;
    ASSERT_TRUE(back.loadFromFile(path));
    EXPECT_EQ(back.lines(), list.lines());
}

TEST(StringListTest, FailuresLeaveListAndFileAlone) {
    QTemporaryDir dir;
    qo::StringList list;
    list.setText("keep");
    std::string error;
    EXPECT_FALSE(list.loadFromFile(dir.path().toStdString() + "/missing.tkt", &error));
    EXPECT_FALSE(error.empty());
    EXPECT_EQ(list.lines(), std::vector<std::string>{"keep"});
    EXPECT_FALSE(list.saveToFile(dir.path().toStdString() + "/no/such/folder/x.tkt", &error));
}

} // namespace
