#include <gtest/gtest.h>

#include "framework/File.h"

namespace {

CString TempPath(LPCSTR name) {
  char folder[MAX_PATH];
  GetTempPathA(MAX_PATH, folder);
  return CString(folder) + name;
}

TEST(CFile, WritesReadsSeeksAndTruncates) {
  CString path = TempPath("talvex_file_test.bin");
  {
    CFile file(path, CFile::modeCreate | CFile::modeWrite);
    file.Write("0123456789", 10);
    EXPECT_EQ(10u, file.GetLength());
    file.Seek(2, CFile::begin);
    file.Write("ab", 2);
    file.Close();
  }
  CFile file;
  ASSERT_TRUE(file.Open(path, CFile::modeReadWrite));
  char buffer[16] = {};
  EXPECT_EQ(10u, file.Read(buffer, sizeof buffer));
  EXPECT_STREQ("01ab456789", buffer);
  EXPECT_EQ(0u, file.Read(buffer, 4));
  EXPECT_EQ(7u, file.Seek(-3, CFile::end));
  EXPECT_EQ(7u, file.GetPosition());
  file.SetLength(4);
  EXPECT_EQ(4u, file.GetLength());
  EXPECT_EQ(file.GetFileName(), "talvex_file_test.bin");
  file.Close();
  CFile::Remove(path);
  EXPECT_EQ(INVALID_FILE_ATTRIBUTES, GetFileAttributesA(path));
}

TEST(CFile, OpenReportsWhyItFailed) {
  CFile file;
  CFileException error;
  EXPECT_FALSE(file.Open(TempPath("no_such_file_here.t42"), CFile::modeRead, &error));
  EXPECT_EQ(CFileException::fileNotFound, error.m_cause);
  EXPECT_EQ(ERROR_FILE_NOT_FOUND, error.m_lOsError);
  char text[256];
  error.GetErrorMessage(text, sizeof text);
  EXPECT_NE(nullptr, strstr(text, "no_such_file_here.t42"));
  // The message never runs past a small buffer.
  char small[5];
  memset(small, 'x', sizeof small);
  error.GetErrorMessage(small, 4);
  EXPECT_EQ('\0', small[3]);
  EXPECT_EQ('x', small[4]);
}

TEST(CFile, FailuresThrowFileExceptions) {
  try {
    CFile file(TempPath("missing_dir\\x.bin"), CFile::modeRead);
    FAIL() << "no exception";
  } catch (CFileException* e) {
    EXPECT_EQ(CFileException::badPath, e->m_cause);
    e->Delete();
  }
  try {
    CFile::Remove(TempPath("no_such_file_to_remove.bin"));
    FAIL() << "no exception";
  } catch (CFileException* e) {
    EXPECT_EQ(CFileException::fileNotFound, e->m_cause);
    e->Delete();
  }
  CString path = TempPath("talvex_readonly.bin");
  {
    CFile file(path, CFile::modeCreate | CFile::modeWrite);
  }
  CFile file(path, CFile::modeRead);
  try {
    file.Write("x", 1);
    FAIL() << "no exception";
  } catch (CFileException* e) {
    e->Delete();
  }
  file.Close();
  CFile::Remove(path);
}

TEST(CFile, RenamesFiles) {
  CString from = TempPath("talvex_rename_a.bin"), to = TempPath("talvex_rename_b.bin");
  DeleteFileA(to);
  { CFile file(from, CFile::modeCreate | CFile::modeWrite); }
  CFile::Rename(from, to);
  EXPECT_NE(INVALID_FILE_ATTRIBUTES, GetFileAttributesA(to));
  EXPECT_EQ(INVALID_FILE_ATTRIBUTES, GetFileAttributesA(from));
  CFile::Remove(to);
}

}  // namespace
