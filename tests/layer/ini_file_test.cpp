// The settings file: case-blind names (Latin and Cyrillic), trimmed values, other lines kept.
#include "runtime/cp1251.h"
#include "widgets/layer/ini_file.h"
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using qo::Cp1251;

namespace {

class IniTest : public ::testing::Test {
protected:
    std::string path() const { return dir.path().toStdString() + "/Параметры.ini"; }
    std::string contents() const {
        QFile f(QString::fromStdString(path()));
        return f.open(QIODevice::ReadOnly) ? f.readAll().toStdString() : std::string();
    }
    void write(const std::string& bytes) const {
        QFile f(QString::fromStdString(path()));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(bytes.data(), static_cast<qint64>(bytes.size()));
    }
    QTemporaryDir dir;
};

TEST_F(IniTest, MissingFileOrKeyGivesTheDefault) {
    qo::IniFile ini(path());
    EXPECT_EQ(ini.readInteger("S", "K", 42), 42);
    EXPECT_EQ(ini.readString("S", "K", "d"), "d");
    EXPECT_TRUE(ini.readBool("S", "K", true));
    write("[S]\r\nother=1\r\n");
    EXPECT_EQ(ini.readInteger("S", "K", -7), -7);
}

TEST_F(IniTest, FirstWriteCreatesFileSectionAndKeysInOrder) {
    qo::IniFile ini(path());
    const std::string form = Cp1251("Форма");
    ASSERT_TRUE(ini.writeInteger(form, "Left", 20));
    ASSERT_TRUE(ini.writeInteger(form, "Top", 105));
    ASSERT_TRUE(ini.writeBool(form, "WS", false));
    EXPECT_EQ(contents(), "[" + form + "]\r\nLeft=20\r\nTop=105\r\nWS=0\r\n");
}

TEST_F(IniTest, CyrillicNamesMatchWithoutRegardToCaseBesideForeignLines) {
    const std::string original = "; comment\r\n[Other]\r\nLeft=1\r\n\r\n[" + Cp1251("ФОРМА") + "]\r\n  " +
                                 Cp1251("Ключ") + " =  old value  \r\nstray line\r\n\r\n[Tail]\r\nx=y\r\n";
    write(original);
    qo::IniFile ini(path());
    const std::string section = Cp1251("форма");
    EXPECT_EQ(ini.readString(section, Cp1251("КЛЮЧ"), ""), "old value");
    EXPECT_EQ(ini.readInteger("other", "LEFT", 0), 1);

    ASSERT_TRUE(ini.writeString(section, Cp1251("ключ"), "new"));
    ASSERT_TRUE(ini.writeInteger(section, "Added", -16777201));
    EXPECT_EQ(ini.readInteger(section, "added", 0), -16777201);
    EXPECT_EQ(ini.readString(section, Cp1251("Ключ"), ""), "new");
    EXPECT_EQ(contents(), "; comment\r\n[Other]\r\nLeft=1\r\n\r\n[" + Cp1251("ФОРМА") + "]\r\n" +
                              Cp1251("ключ") +
                              "=new\r\nstray line\r\nAdded=-16777201\r\n\r\n[Tail]\r\nx=y\r\n");
}

// A name is the same name whatever blanks or line breaks surround it and whatever its letters'
// case: writing one key must change that key only, and reading it under such a spelling finds it.
TEST_F(IniTest, NamesMatchWithoutSurroundingBreaksAndWritesTouchOnlyTheirKey) {
    qo::IniFile ini(path());
    const std::string section = Cp1251("ЁЖЗ раздел");
    ASSERT_TRUE(ini.writeInteger(section, Cp1251("Ключи"), 1));
    ASSERT_TRUE(ini.writeInteger(section, Cp1251("Ключ"), 5));
    EXPECT_EQ(ini.readInteger(section, Cp1251(" ключ\n\n"), -1), 5);
    EXPECT_EQ(ini.readInteger(section, Cp1251("Ключи"), -1), 1);
    ASSERT_TRUE(ini.writeInteger(section, Cp1251("\tКЛЮЧ\r\n"), 6));
    EXPECT_EQ(ini.readInteger(section, Cp1251("Ключ"), -1), 6);
    EXPECT_EQ(ini.readInteger(section, Cp1251("Ключи"), -1), 1);
}

TEST_F(IniTest, IntegersAndBoolsReadAsTheProfileDoes) {
    write("[S]\r\na=12abc\r\nb=  -5 \r\nc=x\r\nd=2\r\ne=\r\nf=  \r\n");
    qo::IniFile ini(path());
    EXPECT_EQ(ini.readInteger("S", "a", 0), 12);
    EXPECT_EQ(ini.readInteger("S", "b", 0), -5);
    EXPECT_EQ(ini.readInteger("S", "c", 9), 0);
    EXPECT_TRUE(ini.readBool("S", "d", false));
    // An empty value reads as none at all.
    EXPECT_EQ(ini.readInteger("S", "e", 20), 20);
    EXPECT_EQ(ini.readInteger("S", "f", -3), -3);
    EXPECT_TRUE(ini.readBool("S", "e", true));
}

TEST_F(IniTest, StringsComeBackThroughA2048ByteBuffer) {
    qo::IniFile ini(path());
    ASSERT_TRUE(ini.writeString("S", "long", std::string(3000, 'z')));
    EXPECT_EQ(ini.readString("S", "long", "").size(), 2047u);
}

TEST(Cp1251Case, LowersLatinAndCyrillic) {
    EXPECT_TRUE(qo::Cp1251EqualNoCase(Cp1251("ЁЖ Zя"), Cp1251("ёж zЯ")));
    EXPECT_FALSE(qo::Cp1251EqualNoCase(Cp1251("Е"), Cp1251("Ё")));
}

} // namespace
