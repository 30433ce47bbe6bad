#include "text/FontFileOutput.h"

#include "framework/File.h"
#include "framework/FileException.h"
#include "framework/String.h"

namespace {

bool WriteThroughFile(CFile& file, const BYTE* data, size_t size) {
  try {
    if (size > 0) file.Write(data, static_cast<UINT>(size));
    file.Flush();
  } catch (CFileException* e) {
    e->Delete();
    return false;
  }
  return true;
}

// A new empty file with a unique name in the folder of path; false when none can be made there.
bool MakeTempBeside(LPCSTR path, CString& temp) {
  CString folder(path);
  int slash = folder.ReverseFind('\\');
  folder = slash >= 0 ? folder.Left(slash + 1) : CString(".");
  char name[MAX_PATH * 4] = {};
  if (folder.GetLength() > MAX_PATH - 14 || !::GetTempFileNameA(folder, "CFT", 0, name))
    return false;
  temp = name;
  return true;
}

}  // namespace

bool CFontFileOutput::CanCreate(LPCSTR path) {
  CString temp;
  if (!path || !MakeTempBeside(path, temp)) return false;
  ::DeleteFileA(temp);
  return true;
}

CFontFileOutput::Result CFontFileOutput::Write(LPCSTR path, const BYTE* data, size_t size,
                                               const Writer& writer) {
  CString temp;
  if (!path || !MakeTempBeside(path, temp)) return kCannotCreate;
  CFile file;
  if (!file.Open(temp, CFile::modeCreate | CFile::modeWrite | CFile::shareExclusive |
                           CFile::typeBinary)) {
    ::DeleteFileA(temp);
    return kCannotCreate;
  }
  bool written = writer ? writer(file, data, size) : WriteThroughFile(file, data, size);
  file.Abort();
  if (!written) {
    ::DeleteFileA(temp);
    return kCannotWrite;
  }
  if (!::MoveFileExA(temp, path, MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
    ::DeleteFileA(temp);
    return kCannotReplace;
  }
  return kWritten;
}
