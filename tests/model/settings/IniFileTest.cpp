#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "model/settings/IniFile.h"
#include "model/settings/ProgramPaths.h"
#include "support/TempFolder.h"

namespace {

// Settings files of these tests live in a fresh temporary folder, named by full path.
class IniFileTest : public ::testing::Test {
protected:
  explicit IniFileTest(const std::string& subfolder = "") : m_folder(subfolder) {
    EXPECT_TRUE(m_ini.SetPath(m_folder.File("TEST.INI").c_str()));
  }

  // The text stored in the file, read past the accessor.
  std::string Raw(LPCSTR section, LPCSTR key) {
    char text[256];
    GetPrivateProfileStringA(section, key, "<missing>", text, sizeof text, m_ini.GetPath());
    return text;
  }

  TempFolder m_folder;
  CIniFile m_ini;
};

TEST_F(IniFileTest, IntegersRoundTrip) {
  EXPECT_EQ(10, m_ini.GetInt("SystemParam", "UndoStep", 10));
  EXPECT_TRUE(m_ini.WriteInt("SystemParam", "UndoStep", 25));
  EXPECT_EQ(25, m_ini.GetInt("SystemParam", "UndoStep", 10));
  m_ini.WriteInt("SystemParam", "Offset", -42);
  EXPECT_EQ("-42", Raw("SystemParam", "Offset"));
  EXPECT_EQ(-42, m_ini.GetInt("SystemParam", "Offset", 0));
  // Section and key names compare without regard to case.
  EXPECT_EQ(25, m_ini.GetInt("SYSTEMPARAM", "undostep", 10));
}

TEST_F(IniFileTest, FloatsAreStoredWithFourDecimals) {
  EXPECT_TRUE(m_ini.WriteFloat("CutInfo", "Scale", 1.5f));
  EXPECT_EQ("1.5000", Raw("CutInfo", "Scale"));
  EXPECT_FLOAT_EQ(1.5f, m_ini.GetFloat("CutInfo", "Scale", 0));
  m_ini.WriteString("CutInfo", "A", "2");
  m_ini.WriteString("CutInfo", "B", "2.25");
  m_ini.WriteString("CutInfo", "C", "abc");
  EXPECT_FLOAT_EQ(2.0f, m_ini.GetFloat("CutInfo", "A", 0));
  EXPECT_FLOAT_EQ(2.25f, m_ini.GetFloat("CutInfo", "B", 0));
  EXPECT_FLOAT_EQ(0.0f, m_ini.GetFloat("CutInfo", "C", 7));
  EXPECT_FLOAT_EQ(400.0f, m_ini.GetFloat("CutInfo", "Missing", 400.0f));
  EXPECT_FLOAT_EQ(-0.1235f, m_ini.GetFloat("CutInfo", "Missing", -0.12345f));
}

TEST_F(IniFileTest, HugeFloatsDoNotOverflowTheText) {
  EXPECT_TRUE(m_ini.WriteFloat("CutInfo", "Huge", -3.0e38f));
  std::string raw = Raw("CutInfo", "Huge");
  EXPECT_GT(raw.size(), 40u);
  EXPECT_EQ(".0000", raw.substr(raw.size() - 5));
  EXPECT_FLOAT_EQ(-3.0e38f, m_ini.GetFloat("CutInfo", "Huge", 0));
}

TEST_F(IniFileTest, StringsAndDeletion) {
  EXPECT_EQ("C:\\TALVEX\\", std::string(m_ini.GetString("PATH", "PALETTE", "C:\\TALVEX\\")));
  m_ini.WriteString("PAGE", "A4", "210,297");
  CString value;
  m_ini.GetString("PAGE", "A4", value, "400,900");
  EXPECT_EQ("210,297", std::string(value));

  EXPECT_TRUE(m_ini.WriteString("PAGE", "A4", ""));
  EXPECT_EQ("", Raw("PAGE", "A4"));  // an empty value, still there
  EXPECT_TRUE(m_ini.WriteStringOrDelete("PAGE", "A4", ""));
  EXPECT_EQ("<missing>", Raw("PAGE", "A4"));
  EXPECT_TRUE(m_ini.WriteStringOrDelete("PAGE", "A3", "297,420"));
  EXPECT_EQ("297,420", Raw("PAGE", "A3"));
}

TEST_F(IniFileTest, ChineseValuesRoundTrip) {
  m_ini.WriteString("PAGE", "名片", "90,54");
  m_ini.WriteString("Language0", "Name", "简体中文誠");
  EXPECT_EQ("90,54", std::string(m_ini.GetString("PAGE", "名片", "")));
  EXPECT_EQ("简体中文誠", std::string(m_ini.GetString("Language0", "Name", "")));
}

TEST_F(IniFileTest, ReadStringZeroesAndListsKeys) {
  m_ini.WriteString("Models", "First", "1");
  m_ini.WriteString("Models", "Second", "2");
  char buffer[32];
  memset(buffer, 'Z', sizeof buffer);
  EXPECT_EQ(13u, m_ini.ReadString("Models", nullptr, buffer, sizeof buffer, ""));
  EXPECT_EQ(0, memcmp("First\0Second\0\0", buffer, 14));
  EXPECT_EQ('\0', buffer[31]);

  EXPECT_EQ(1u, m_ini.ReadString("Models", "Second", buffer, sizeof buffer, ""));
  EXPECT_STREQ("2", buffer);
  memset(buffer, 'Z', sizeof buffer);
  m_ini.ReadString("Models", "Missing", buffer, 8, "0123456789");
  EXPECT_EQ('Z', buffer[8]);
  EXPECT_EQ('\0', buffer[7]);
}

TEST_F(IniFileTest, EscapedTemplatesExpand) {
  m_ini.WriteString("Model", "Init", "IN;\\x1B.@;\\r\\n");
  m_ini.WriteString("Model", "Bell", "\\b\\q\\X41\\x4");
  char command[64];
  EXPECT_EQ(9, m_ini.GetEscapedString("Model", "Init", command, sizeof command, ""));
  EXPECT_STREQ("IN;\x1B.@;\r\n", command);
  m_ini.GetEscapedString("Model", "Bell", command, sizeof command, "");
  EXPECT_STREQ("\a\\A", command);
  m_ini.GetEscapedString("Model", "Missing", command, sizeof command, "PU\\n");
  EXPECT_STREQ("PU\n", command);

  memset(command, 'Z', sizeof command);
  EXPECT_EQ(3, m_ini.GetEscapedString("Model", "Init", command, 4, ""));
  EXPECT_STREQ("IN;", command);
  EXPECT_EQ('Z', command[4]);
}

TEST(IniFilePath, FullPathsAndProgramFolderNames) {
  char folder[MAX_PATH];
  ASSERT_EQ(1, GetProgramDir(folder, sizeof folder));
  CIniFile ini;
  EXPECT_EQ(std::string(folder) + "TALVEX42.INI", ini.GetPath());
  EXPECT_TRUE(ini.SetPath("D:\\X.INI"));
  EXPECT_STREQ("D:\\X.INI", ini.GetPath());
  EXPECT_TRUE(ini.SetPath("Cutters.INI"));
  EXPECT_EQ(std::string(folder) + "Cutters.INI", ini.GetPath());

  CIniFile port(CIniFile::ReturnSelf);
  EXPECT_FALSE(port.HasPath());
  EXPECT_TRUE(port.MakeProgramFilePath("UPort.Ini"));
  EXPECT_EQ(std::string(folder) + "UPort.Ini", port.GetPath());
}

TEST(IniFilePath, APathThatDoesNotFitLeavesNoFile) {
  CIniFile ini;
  std::string tooLong = "C:\\" + std::string(MAX_PATH, 'a') + ".INI";
  EXPECT_FALSE(ini.SetPath(tooLong.c_str()));
  EXPECT_FALSE(ini.HasPath());
  EXPECT_FALSE(ini.MakeProgramFilePath(std::string(MAX_PATH, 'b').c_str()));
  // Reads give the defaults, writes fail instead of going to some other file.
  EXPECT_EQ(5, ini.GetInt("S", "K", 5));
  EXPECT_FLOAT_EQ(2.5f, ini.GetFloat("S", "K", 2.5f));
  EXPECT_EQ("d", std::string(ini.GetString("S", "K", "d")));
  char buffer[8];
  EXPECT_EQ(1, ini.GetEscapedString("S", "K", buffer, sizeof buffer, "\\n"));
  EXPECT_FALSE(ini.WriteInt("S", "K", 1));
  EXPECT_FALSE(ini.WriteStringOrDelete("S", "K", "x"));
}

class ChineseFolderIniTest : public IniFileTest {
protected:
  ChineseFolderIniTest() : IniFileTest("刻字机設置誠\\切割") {}
};

TEST_F(ChineseFolderIniTest, RoundTripInAChineseFolder) {
  EXPECT_TRUE(m_ini.WriteInt("CutInfo", "Sort", 1));
  EXPECT_TRUE(m_ini.WriteFloat("CutInfo", "Overcut", 0.25f));
  EXPECT_EQ(1, m_ini.GetInt("CutInfo", "Sort", 0));
  EXPECT_FLOAT_EQ(0.25f, m_ini.GetFloat("CutInfo", "Overcut", 0));
  EXPECT_NE(INVALID_FILE_ATTRIBUTES, GetFileAttributesA(m_folder.File("TEST.INI").c_str()));
}

}  // namespace
