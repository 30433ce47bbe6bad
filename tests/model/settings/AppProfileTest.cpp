#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "framework/WinApp.h"
#include "model/settings/AppProfile.h"
#include "model/settings/SettingNames.h"

namespace {

const char kTestKey[] = "TalvexModelTestKey";

void DeleteKeyTree(HKEY parent, LPCSTR name) {
  HKEY key = nullptr;
  if (RegOpenKeyExA(parent, name, 0, KEY_ALL_ACCESS, &key) != ERROR_SUCCESS) return;
  char child[256];
  DWORD length = sizeof child;
  while (RegEnumKeyExA(key, 0, child, &length, nullptr, nullptr, nullptr, nullptr) ==
         ERROR_SUCCESS) {
    DeleteKeyTree(key, child);
    length = sizeof child;
  }
  RegCloseKey(key);
  RegDeleteKeyA(parent, name);
}

// The application's profile under a key of its own, removed afterwards.
class AppProfileTest : public ::testing::Test {
protected:
  AppProfileTest() : m_app("TALVEX42") {
    m_app.SetRegistryKey(kTestKey);
    m_profile.Attach();
  }
  ~AppProfileTest() override {
    DeleteKeyTree(HKEY_CURRENT_USER, (std::string("Software\\") + kTestKey).c_str());
  }

  CWinApp m_app;
  CAppProfile m_profile;
};

TEST_F(AppProfileTest, IntegersAndFloatsRoundTrip) {
  EXPECT_EQ(&m_app, m_profile.GetApp());
  EXPECT_EQ(-10, m_profile.GetInt("SystemParam", "EXPANDACCURATE", -10));
  EXPECT_TRUE(m_profile.WriteInt("SystemParam", "EXPANDACCURATE", -20));
  EXPECT_EQ(-20, m_profile.GetInt("SystemParam", "ExpandAccurate", -10));

  using namespace settings;
  EXPECT_FLOAT_EQ(400.0f, m_profile.GetFloat(kSystemParam, kPageWidth, kPageWidthDefault));
  EXPECT_TRUE(m_profile.WriteFloat("SystemParam", "PAGEWIDTH", 1.5f));
  EXPECT_EQ("1.5000", std::string(m_profile.GetString("SystemParam", "PageWidth", "")));
  EXPECT_FLOAT_EQ(1.5f, m_profile.GetFloat("SystemParam", "PageWidth", 400.0f));
  m_profile.WriteString("Coordinate", "SPACELR", "2.25");
  EXPECT_FLOAT_EQ(2.25f, m_profile.GetFloat("Coordinate", "SPACELR", 0));
}

TEST_F(AppProfileTest, StringsAreCutToTheBufferWithoutSplittingCharacters) {
  EXPECT_TRUE(m_profile.WriteString("SystemParam", "FilePath", "D:\\招牌\\"));
  char buffer[16];
  EXPECT_EQ(8,
            m_profile.GetString("SystemParam", "FilePath", buffer, sizeof buffer, "C:\\TALVEX\\"));
  EXPECT_STREQ("D:\\招牌\\", buffer);
  memset(buffer, 'Z', sizeof buffer);
  EXPECT_EQ(5, m_profile.GetString("SystemParam", "FilePath", buffer, 7, "C:\\TALVEX\\"));
  EXPECT_STREQ("D:\\招", buffer);  // 牌 would need bytes 5 and 6
  EXPECT_EQ('Z', buffer[7]);
  EXPECT_EQ(3, m_profile.GetString("SystemParam", "Image", buffer, 4, "C:\\TALVEX\\"));
  EXPECT_STREQ("C:\\", buffer);
}

TEST(AppProfile, WithoutApplicationGivesDefaults) {
  CAppProfile profile;
  EXPECT_EQ(3, profile.GetInt("SystemParam", "PolygonAmount", 3));
  EXPECT_FLOAT_EQ(7.0f, profile.GetFloat("IMAGE", "BarHeight", 7.0f));
  EXPECT_FALSE(profile.WriteInt("SystemParam", "PolygonAmount", 5));
  EXPECT_FALSE(profile.WriteFloat("IMAGE", "BarHeight", 5));
}

}  // namespace
