#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "model/settings/IniFile.h"
#include "model/settings/ProgramPaths.h"
#include "support/TempFolder.h"

namespace {

std::string ModulePath() {
  char path[1024];
  DWORD length = GetModuleFileNameA(nullptr, path, sizeof path);
  return std::string(path, length);
}

std::string FolderOf(const std::string& path) { return path.substr(0, path.rfind('\\') + 1); }

TEST(ProgramPaths, FolderPartStepsOverDoubleByteCharacters) {
  EXPECT_EQ(5, FolderPartLength("C:\\x\\a.exe"));
  // The second byte of 誠 is a backslash; it must not split the name.
  EXPECT_EQ(5, FolderPartLength("C:\\x\\誠.exe"));
  EXPECT_EQ(6, FolderPartLength("C:\\誠\\a.exe"));
  EXPECT_EQ(0, FolderPartLength("a.exe"));
}

TEST(ProgramPaths, RemoveLastFolderLevel) {
  char folder[64] = "C:\\A\\B\\";
  EXPECT_TRUE(RemoveLastFolderLevel(folder));
  EXPECT_STREQ("C:\\A\\", folder);
  EXPECT_TRUE(RemoveLastFolderLevel(folder));
  EXPECT_STREQ("C:\\", folder);
  EXPECT_FALSE(RemoveLastFolderLevel(folder));
  EXPECT_STREQ("C:\\", folder);

  strcpy(folder, "C:\\程序\\誠\\");
  EXPECT_TRUE(RemoveLastFolderLevel(folder));
  EXPECT_STREQ("C:\\程序\\", folder);
  strcpy(folder, "C:\\A\\B");  // not a folder name
  EXPECT_FALSE(RemoveLastFolderLevel(folder));
}

TEST(ProgramPaths, UpperCaseLeavesDoubleByteCharactersAlone) {
  char text[] = "abc乤z{";
  UpperCaseAscii(text);
  EXPECT_STREQ("ABC乤Z{", text);
  EXPECT_EQ('\x61', text[4]);  // the trail byte of 乤 is an 'a'
  char lone[] = "x\x81";       // a lead byte at the end is a byte of its own
  UpperCaseAscii(lone);
  EXPECT_STREQ("X\x81", lone);
  UpperCaseAscii(nullptr);
}

TEST(ProgramPaths, ProgramFolderOfThisProgram) {
  std::string folder = FolderOf(ModulePath());
  char out[1024];
  ASSERT_EQ(1, GetProgramDir(out, sizeof out));
  EXPECT_EQ(folder, out);
  ASSERT_EQ(1, GetExeFolder(out, sizeof out));
  EXPECT_EQ(folder, out);
  EXPECT_EQ(0, GetExeFolder(nullptr, 10));

  ASSERT_EQ(1, GetProgramParentDir(out, sizeof out));
  EXPECT_EQ(FolderOf(folder.substr(0, folder.size() - 1)), out);

  ASSERT_EQ(1, GetModulePathUpper(out, sizeof out));
  std::string upper = ModulePath();
  for (char& ch : upper) ch = (ch >= 'a' && ch <= 'z') ? ch - 32 : ch;
  EXPECT_EQ(upper, out);
}

TEST(ProgramPaths, TooSmallBuffersGiveEmptyResults) {
  char out[8];
  memset(out, 'Z', sizeof out);
  EXPECT_EQ(0, GetProgramDir(out, 4));
  EXPECT_EQ('\0', out[0]);
  EXPECT_EQ('Z', out[4]);
  EXPECT_EQ(0, GetProgramParentDir(out, 4));
  EXPECT_EQ(0, GetModulePathUpper(out, 4));
  EXPECT_EQ('\0', out[0]);
  EXPECT_EQ(0, MakeTempFileName("OSI", out, 4));
  EXPECT_EQ('\0', out[0]);
}

TEST(ProgramPaths, TempFileNameCreatesTheFile) {
  char name[MAX_PATH];
  ASSERT_NE(0u, MakeTempFileName("OSI", name, sizeof name));
  std::string file = name;
  std::string base = file.substr(file.rfind('\\') + 1);
  EXPECT_EQ("OSI", base.substr(0, 3));
  EXPECT_NE(INVALID_FILE_ATTRIBUTES, GetFileAttributesA(name));
  char again[MAX_PATH];
  ASSERT_NE(0u, MakeTempFileName("OSI", again, sizeof again));
  EXPECT_STRNE(name, again);
  DeleteFileA(name);
  DeleteFileA(again);
}

const char kChildSwitch[] = "TALVEX_PROGRAM_FOLDER_CHILD";

// Run only inside a copy of this program (see the test below): reports what the copy sees of its
// own folder through the settings file that lives there.
TEST(ProgramFolderChild, ReportsItsFolder) {
  char flag[8];
  if (!GetEnvironmentVariableA(kChildSwitch, flag, sizeof flag)) GTEST_SKIP();
  CIniFile ini;
  ASSERT_TRUE(ini.HasPath());
  char text[1024];
  ASSERT_EQ(1, GetProgramDir(text, sizeof text));
  EXPECT_TRUE(ini.WriteString("Child", "ProgramDir", text));
  ASSERT_EQ(1, GetProgramParentDir(text, sizeof text));
  ini.WriteString("Child", "ParentDir", text);
  ASSERT_EQ(1, GetModulePathUpper(text, sizeof text));
  ini.WriteString("Child", "ModuleUpper", text);
  ini.WriteString("Child", "IniPath", ini.GetPath());
  CIniFile cutters(CIniFile::ReturnSelf);
  ASSERT_TRUE(cutters.MakeProgramFilePath("Cutters.INI"));
  cutters.WriteFloat("CutInfo", "Speed", 12.5f);
}

// The program folder under Wine is often a deep path, and a Chinese user's folders have Chinese
// names; a copy of this program is run from such a folder and reports what it sees.
TEST(ProgramFolder, DeepChineseFolderIsReadWhole) {
  std::string deep = "中文字体测试程序設置誠";
  while (deep.size() < 60) deep += "ABCDEFGH";
  TempFolder folder(deep + "\\" + deep + "\\level three with blanks\\程序");
  std::string programDir = folder.Path();
  ASSERT_GT(programDir.size(), 150u);
  ASSERT_LT(programDir.size() + strlen("TALVEX42.INI"), static_cast<size_t>(MAX_PATH));
  std::string copy = programDir + "talvex.exe";
  ASSERT_TRUE(CopyFileA(ModulePath().c_str(), copy.c_str(), FALSE)) << GetLastError();

  SetEnvironmentVariableA(kChildSwitch, "1");
  std::string command = "\"" + copy + "\" --gtest_filter=ProgramFolderChild.* --gtest_brief=1";
  std::string log = programDir + "child.log";
  SECURITY_ATTRIBUTES inherit = {sizeof inherit, nullptr, TRUE};
  HANDLE output = CreateFileA(log.c_str(), GENERIC_WRITE, FILE_SHARE_READ, &inherit, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
  STARTUPINFOA startup = {};
  startup.cb = sizeof startup;
  startup.dwFlags = STARTF_USESTDHANDLES;
  startup.hStdOutput = output;
  startup.hStdError = output;
  PROCESS_INFORMATION process = {};
  BOOL started = CreateProcessA(copy.c_str(), &command[0], nullptr, nullptr, TRUE, 0, nullptr,
                                nullptr, &startup, &process);
  SetEnvironmentVariableA(kChildSwitch, nullptr);
  CloseHandle(output);
  ASSERT_TRUE(started) << GetLastError();
  // A bound for a hung child only; a copy normally ends within a second or two.
  EXPECT_EQ(WAIT_OBJECT_0, WaitForSingleObject(process.hProcess, 120000));
  DWORD exitCode = 1;
  GetExitCodeProcess(process.hProcess, &exitCode);
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  EXPECT_EQ(0u, exitCode);

  CIniFile report(CIniFile::ReturnSelf);
  auto reported = [&report](LPCSTR key) {
    char text[1024];
    report.ReadString("Child", key, text, sizeof text, "?");
    return std::string(text);
  };
  ASSERT_TRUE(report.MakeProgramFilePath((programDir + "TALVEX42.INI").c_str()));
  std::string upper = copy;
  for (char& ch : upper) ch = (ch >= 'a' && ch <= 'z') ? ch - 32 : ch;
  EXPECT_EQ(programDir, reported("ProgramDir"));
  EXPECT_EQ(programDir + "TALVEX42.INI", reported("IniPath"));
  EXPECT_EQ(FolderOf(programDir.substr(0, programDir.size() - 1)), reported("ParentDir"));
  EXPECT_EQ(upper, reported("ModuleUpper"));

  ASSERT_TRUE(report.SetPath((programDir + "Cutters.INI").c_str()));
  EXPECT_EQ("12.5000", std::string(report.GetString("CutInfo", "Speed", "?")));
}

}  // namespace
