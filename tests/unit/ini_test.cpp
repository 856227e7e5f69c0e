#include "platform/core/ini.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "data/config.h"

namespace kob {
namespace {

std::string ReadFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void WriteFile(const std::string& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary) << bytes;
}

class IniTest : public ::testing::Test {
  protected:
    std::string Path(const char* name = "wyf.ini") {
        return dir_.path().toStdString() + "/" + name;
    }
    QTemporaryDir dir_;
};

TEST_F(IniTest, MissingFileSectionOrKeyReadsEmpty) {
    EXPECT_EQ(ReadProfileString(Path(), "配置", "最近登录的用户名"), "");
    WriteFile(Path(), "[a]\r\nx=1\r\n");
    EXPECT_EQ(ReadProfileString(Path(), "b", "x"), "");
    EXPECT_EQ(ReadProfileString(Path(), "a", "y"), "");
    EXPECT_EQ(ReadProfileString(Path(), "a", "x"), "1");
}

TEST_F(IniTest, FirstWriteCreatesFolderAndFileInGbk) {
    const std::string path = dir_.path().toStdString() + "/new/folder/wyf.ini";
    ASSERT_TRUE(WriteProfileString(path, "配置", "最近登录的用户名", "张三"));
    // [配置] 最近登录的用户名=张三 in GBK, Windows line ends.
    EXPECT_EQ(
        ReadFile(path),
        "[\xC5\xE4\xD6\xC3]\r\n"
        "\xD7\xEE\xBD\xFC\xB5\xC7\xC2\xBC\xB5\xC4\xD3\xC3\xBB\xA7\xC3\xFB=\xD5\xC5\xC8\xFD\r\n");
    EXPECT_EQ(ReadProfileString(path, "配置", "最近登录的用户名"), "张三");
}

TEST_F(IniTest, WritingOneKeyKeepsEveryOtherLine) {
    const std::string before =
        "; kept comment\r\n"
        "[\xC5\xE4\xD6\xC3]\r\n"  // [配置]
        "  Old = value  \r\n"
        "\r\n"
        "[list]\r\n"
        "a=1\r\n"
        "odd line without equals\r\n"
        "b = \"quoted\"\r\n";
    WriteFile(Path(), before);

    ASSERT_TRUE(WriteProfileString(Path(), "LIST", "A", "2"));  // names ignore ASCII case
    ASSERT_TRUE(WriteProfileString(Path(), "配置", "新键", "真"));
    ASSERT_TRUE(WriteProfileString(Path(), "充值", "默认充值方式", "微信"));

    EXPECT_EQ(ReadFile(Path()),
              "; kept comment\r\n"
              "[\xC5\xE4\xD6\xC3]\r\n"
              "  Old = value  \r\n"
              "\xD0\xC2\xBC\xFC=\xD5\xE6\r\n"  // 新键=真 after the section's last line
              "\r\n"
              "[list]\r\n"
              "A=2\r\n"
              "odd line without equals\r\n"
              "b = \"quoted\"\r\n"
              "[\xB3\xE4\xD6\xB5]\r\n"  // [充值]
              "\xC4\xAC\xC8\xCF\xB3\xE4\xD6\xB5\xB7\xBD\xCA\xBD=\xCE\xA2\xD0\xC5\r\n");
    EXPECT_EQ(ReadProfileString(Path(), "配置", "old"), "value");
    EXPECT_EQ(ReadProfileString(Path(), "list", "b"), "quoted");
    EXPECT_EQ(ReadProfileString(Path(), "充值", "默认充值方式"), "微信");
}

TEST_F(IniTest, KeepsUnixLineEndsAndAMissingLastLineEnd) {
    WriteFile(Path(), "[s]\nk=1");
    ASSERT_TRUE(WriteProfileString(Path(), "s", "n", "2"));
    ASSERT_TRUE(WriteProfileString(Path(), "t", "k", "3"));
    EXPECT_EQ(ReadFile(Path()), "[s]\nk=1\nn=2\n[t]\nk=3\n");
}

TEST_F(IniTest, GbkTrailBytesAreNotTakenForBracketsOrLetters) {
    // 臸 is GBK 0xC5 0x5D: its second byte is ']'. 乗 is 0x81 0x5C.
    ASSERT_TRUE(WriteProfileString(Path(), "臸乗", "键", "A臸"));
    EXPECT_EQ(ReadProfileString(Path(), "臸乗", "键"), "A臸");
    EXPECT_EQ(ReadProfileString(Path(), "臸", "键"), "");
}

TEST_F(IniTest, TextsGbkCannotHoldAreNotWritten) {
    EXPECT_FALSE(WriteProfileString(Path(), "配置", "最近登录的用户名", "😀"));
    EXPECT_FALSE(std::filesystem::exists(Path()));
}

TEST_F(IniTest, UnwritableFolderFailsQuietly) {
    WriteFile(Path("plain-file"), "x");
    EXPECT_FALSE(WriteProfileString(Path("plain-file") + "/wyf.ini", "a", "b", "c"));
}

TEST(ConfigFile, LivesInTheAppDataFolderAndRoundTrips) {
    const std::string path = data::ConfigFilePath();
    EXPECT_EQ(path, QDir(QStandardPaths::writableLocation(QStandardPaths::AppDataLocation))
                        .filePath("wyf.ini")
                        .toStdString());
    std::filesystem::remove(path);
    EXPECT_EQ(data::ReadConfig(data::kSectionListDisplay, data::kKeyNewestFirst), "");
    data::WriteConfig(data::kSectionListDisplay, data::kKeyNewestFirst, "真");
    EXPECT_EQ(data::ReadConfig(data::kSectionListDisplay, data::kKeyNewestFirst), "真");
    std::filesystem::remove(path);
}

}  // namespace
}  // namespace kob
