#include <gtest/gtest.h>

#include "framework/WinApp.h"

namespace {

void DeleteKeyTree(HKEY parent, LPCSTR name) {
  HKEY key = nullptr;
  if (::RegOpenKeyExA(parent, name, 0, KEY_ALL_ACCESS, &key) != ERROR_SUCCESS) return;
  char child[256];
  DWORD length = sizeof child;
  while (::RegEnumKeyExA(key, 0, child, &length, nullptr, nullptr, nullptr, nullptr) == ERROR_SUCCESS) {
    DeleteKeyTree(key, child);
    length = sizeof child;
  }
  ::RegCloseKey(key);
  ::RegDeleteKeyA(parent, name);
}

class ProfileTest : public ::testing::Test {
protected:
  void TearDown() override { DeleteKeyTree(HKEY_CURRENT_USER, "Software\\TalvexTestKey"); }
};

TEST_F(ProfileTest, RegistryValuesLiveUnderKeyAndApplicationName) {
  CWinApp app("TALVEXTEST");
  app.SetRegistryKey("TalvexTestKey");
  EXPECT_STREQ("TalvexTestKey", app.m_pszRegistryKey);
  EXPECT_STREQ("TALVEXTEST", app.m_pszProfileName);
  EXPECT_EQ(&app, AfxGetApp());

  EXPECT_EQ(10u, app.GetProfileInt("SystemParam", "UndoStep", 10));
  EXPECT_TRUE(app.WriteProfileInt("SystemParam", "UndoStep", -3));
  EXPECT_EQ(static_cast<UINT>(-3), app.GetProfileInt("SystemParam", "undostep", 10));  // keys ignore case
  EXPECT_TRUE(app.WriteProfileString("SystemParam", "PageWidth", "400.0000"));
  EXPECT_EQ("400.0000", app.GetProfileString("SystemParam", "PAGEWIDTH", "1"));
  EXPECT_EQ("fallback", app.GetProfileString("SystemParam", "Missing", "fallback"));

  // The values are where other programs (and the next start) look for them.
  HKEY key = nullptr;
  ASSERT_EQ(ERROR_SUCCESS, ::RegOpenKeyExA(HKEY_CURRENT_USER, "Software\\TalvexTestKey\\TALVEXTEST\\SystemParam",
                                           0, KEY_READ, &key));
  DWORD value = 0, size = sizeof value, type = 0;
  EXPECT_EQ(ERROR_SUCCESS, ::RegQueryValueExA(key, "UndoStep", nullptr, &type, reinterpret_cast<LPBYTE>(&value), &size));
  EXPECT_EQ(static_cast<DWORD>(REG_DWORD), type);
  ::RegCloseKey(key);

  // A string where an integer is expected gives the default; null deletes.
  EXPECT_EQ(7u, app.GetProfileInt("SystemParam", "PageWidth", 7));
  EXPECT_TRUE(app.WriteProfileString("SystemParam", "PageWidth", nullptr));
  EXPECT_EQ("gone", app.GetProfileString("SystemParam", "PageWidth", "gone"));
  EXPECT_TRUE(app.WriteProfileString("SystemParam", nullptr, nullptr));
  EXPECT_EQ(10u, app.GetProfileInt("SystemParam", "UndoStep", 10));
}

TEST_F(ProfileTest, BinaryValuesAndChineseText) {
  CWinApp app("TALVEXTEST");
  app.SetRegistryKey("TalvexTestKey");
  BYTE state[] = {1, 2, 0, 255};
  EXPECT_TRUE(app.WriteProfileBinary("BarStates", "Data", state, sizeof state));
  LPBYTE read = nullptr;
  UINT bytes = 0;
  ASSERT_TRUE(app.GetProfileBinary("BarStates", "Data", &read, &bytes));
  ASSERT_EQ(sizeof state, bytes);
  EXPECT_EQ(0, memcmp(state, read, bytes));
  delete[] read;
  EXPECT_FALSE(app.GetProfileBinary("BarStates", "None", &read, &bytes));
  EXPECT_EQ(nullptr, read);

  const char* chinese = "\xD6\xD0\xCE\xC4";  // GBK
  EXPECT_TRUE(app.WriteProfileString("Recent File List", "File1", chinese));
  EXPECT_EQ(chinese, app.GetProfileString("Recent File List", "File1"));
}

TEST_F(ProfileTest, WithoutRegistryKeyTheProfileIsAnIniFile) {
  char folder[MAX_PATH];
  ::GetTempPathA(MAX_PATH, folder);
  CString path = CString(folder) + "talvex_profile_test.ini";
  CWinApp app("TALVEXTEST");
  app.m_pszProfileName = path;
  EXPECT_TRUE(app.WriteProfileInt("Section", "Number", 42));
  EXPECT_EQ(42u, app.GetProfileInt("Section", "Number", 0));
  CString longText('x', 3000);
  EXPECT_TRUE(app.WriteProfileString("Section", "Long", longText));
  EXPECT_EQ(longText, app.GetProfileString("Section", "Long"));
  ::DeleteFileA(path);
}

}  // namespace
