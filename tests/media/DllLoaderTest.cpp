#include <gtest/gtest.h>

#include <string>

#include "media/DllModule.h"
#include "media/PlugInDll.h"
#include "support/MessageBoxCapture.h"
#include "support/TempFolder.h"

namespace {

CString ProgramFile(LPCSTR name) { return CDllModule::ProgramFolder() + name; }

// Restores the current folder when the test changes it.
class CurrentFolderGuard {
public:
  CurrentFolderGuard() { GetCurrentDirectoryA(MAX_PATH, m_saved); }
  ~CurrentFolderGuard() { SetCurrentDirectoryA(m_saved); }

private:
  char m_saved[MAX_PATH];
};

TEST(CDllModule, ResolvesBareNamesToTheProgramFolderOnly) {
  CString folder = CDllModule::ProgramFolder();
  ASSERT_FALSE(folder.IsEmpty());
  EXPECT_EQ('\\', folder[folder.GetLength() - 1]);
  EXPECT_EQ(folder + "X.dll", CDllModule::ResolveLibraryPath("X.dll"));
  EXPECT_EQ(folder + "sub\\X.dll", CDllModule::ResolveLibraryPath("sub\\X.dll"));
  EXPECT_EQ(CString("D:\\libs\\X.dll"), CDllModule::ResolveLibraryPath("D:\\libs\\X.dll"));
  EXPECT_EQ(CString("\\\\server\\X.dll"), CDllModule::ResolveLibraryPath("\\\\server\\X.dll"));
}

TEST(CDllModule, LoadsFromTheProgramFolderNotTheCurrentFolder) {
  // A library of the same name in the current folder must not be picked up instead.
  TempFolder folder;
  HANDLE decoy = CreateFileA(folder.File("TestAddon.dll").c_str(), GENERIC_WRITE, 0, nullptr,
                             CREATE_ALWAYS, 0, nullptr);
  ASSERT_NE(INVALID_HANDLE_VALUE, decoy);
  DWORD written = 0;
  WriteFile(decoy, "not a library", 13, &written, nullptr);
  CloseHandle(decoy);
  CurrentFolderGuard guard;
  ASSERT_TRUE(SetCurrentDirectoryA(folder.Path().c_str()));

  MessageBoxCapture boxes;
  CDllModule module("TestAddon.dll");
  EXPECT_NE(nullptr, module.Load());
  EXPECT_TRUE(module.IsLoaded());
  EXPECT_EQ(0u, boxes.Count());
  EXPECT_NE(nullptr, module.GetProc("TestAddonProbe"));
  EXPECT_EQ(nullptr, module.GetProc("dllWeldXor"));
  module.Unload();
  EXPECT_FALSE(module.IsLoaded());
  EXPECT_EQ(nullptr, module.GetProc("TestAddonProbe"));
}

TEST(CDllModule, MissingLibraryIsReportedOncePerAttempt) {
  MessageBoxCapture boxes;
  CDllModule module("NoSuchLibrary.dll");
  EXPECT_EQ(nullptr, module.Load());
  EXPECT_FALSE(module.IsLoaded());
  ASSERT_EQ(1u, boxes.Count());
  std::string expected = std::string(" [") + ProgramFile("NoSuchLibrary.dll").GetString() + "] 打开失败!\n";
  EXPECT_EQ(0u, boxes.Last().text.find(expected)) << boxes.Last().text;
  EXPECT_EQ(MB_OK, boxes.Last().type & 0xF);
  EXPECT_EQ(nullptr, module.Load());
  EXPECT_EQ(2u, boxes.Count());
}

TEST(CDllModule, LoadReplacesTheHeldLibrary) {
  MessageBoxCapture boxes;
  CDllModule module("TestAddon.dll");
  ASSERT_NE(nullptr, module.Load());
  // A new path frees the old library first; failing leaves nothing held.
  EXPECT_EQ(nullptr, module.Load("Missing.dll"));
  EXPECT_FALSE(module.IsLoaded());
  EXPECT_EQ(CString("Missing.dll"), module.GetPath());
  EXPECT_NE(nullptr, module.Load("TestAddon.dll"));
}

TEST(CDllModule, SystemErrorTextIsBoundedAtACharacterBoundary) {
  CString text = CDllModule::SystemErrorText(ERROR_FILE_NOT_FOUND, 5);
  EXPECT_LE(text.GetLength(), 5);
  EXPECT_FALSE(CDllModule::SystemErrorText(ERROR_FILE_NOT_FOUND).IsEmpty());
  // "测试" is four bytes: three bytes would split the second character.
  EXPECT_EQ(CString("测"), CDllModule::ClipText("测试", 3));
  EXPECT_EQ(CString("a测"), CDllModule::ClipText("a测试", 4));
}

TEST(CPlugInDll, SetPathKeepsDrivesAndPutsBareNamesInTheProgramFolder) {
  CPlugInDll plugIn("C:\\first.upl");
  EXPECT_EQ(CString("C:\\first.upl"), plugIn.GetPath());
  plugIn.SetPath(nullptr);
  EXPECT_EQ(CString("C:\\first.upl"), plugIn.GetPath());
  plugIn.SetPath("D:\\plug\\second.upl");
  EXPECT_EQ(CString("D:\\plug\\second.upl"), plugIn.GetPath());
  plugIn.SetPath("third.upl");
  EXPECT_EQ(ProgramFile("third.upl"), plugIn.GetPath());
}

TEST(CPlugInDll, LoadsBindsAndReadsTheDisplayName) {
  MessageBoxCapture boxes;
  CPlugInDll plugIn;
  ASSERT_NE(nullptr, plugIn.Load("TestPlotter.upl"));
  EXPECT_NE(nullptr, plugIn.GetDllName);
  EXPECT_EQ(nullptr, plugIn.About);  // optional and not exported
  EXPECT_EQ(CString("Test plotter plug-in"), plugIn.GetDisplayName());
  plugIn.Unload();
  EXPECT_FALSE(plugIn.IsLoaded());
  EXPECT_EQ(nullptr, plugIn.GetDllName);

  // A missing plug-in fails silently.
  EXPECT_EQ(nullptr, plugIn.Load("Missing.upl"));
  EXPECT_TRUE(plugIn.GetDisplayName().IsEmpty());
  EXPECT_EQ(0u, boxes.Count());
}

TEST(CPlugInDll, AnOverlongDisplayNameIsCut) {
  TempFolder folder;
  std::string copy = folder.File("LongName.upl");
  ASSERT_TRUE(CopyFileA(ProgramFile("TestPlotter.upl"), copy.c_str(), FALSE));
  CPlugInDll plugIn;
  ASSERT_NE(nullptr, plugIn.Load(copy.c_str()));
  EXPECT_EQ(CPlugInDll::kDisplayNameLength - 1, plugIn.GetDisplayName().GetLength());
  plugIn.Unload();
}

}  // namespace
