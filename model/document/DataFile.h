// CDataFile: the file of the merge readers, a binary file that knows its path and checks what it
// opened. A reader derives from it and answers CheckHeader and GetVersion; OpenAndCheck opens the
// path and runs both. Results are codes: 0 read, kCannotOpen, kBadHeader, kNoParser, kBadVersion,
// and kDamaged for data that does not hold together (a length running past the file, a body that
// does not convert), so that a damaged file is never taken for one that merged nothing.
#pragma once

#include <windows.h>

#include "framework/File.h"
#include "framework/String.h"

class CDataFile : public CFile {
public:
  enum Result : int {
    kRead = 0,
    kCannotOpen = 126,
    kBadHeader = 127,
    kDamaged = 128,
    kNoParser = 132,
    kBadVersion = 133,
  };
  // Paths are kept in a field of this size; a longer one cannot be opened.
  static constexpr int kPathCapacity = 300;

  CDataFile() = default;

  // Opens the stored path for reading, then CheckHeader, then GetVersion; the first code that is
  // not kRead, else kRead.
  int OpenAndCheck();

  virtual int GetVersion();
  virtual int CheckHeader();
  // The body in new movable memory (the caller frees it), or null.
  virtual HGLOBAL ReadBody();
  // Turns the body into *result; the base has no parser.
  virtual int Parse(HGLOBAL* result, HGLOBAL body);

  void SetPath(LPCSTR path);
  const CString& GetPath() const { return m_path; }

protected:
  // Reads exactly count bytes at the file position; false (and nothing read for sure) otherwise.
  bool ReadExactly(void* buffer, UINT count);

  CString m_path;
};
