// CLibraryFileAccess: the one open file of a graphics-library operation. Library operations open
// the file, read and write it at absolute offsets and close it again; nothing is kept between
// calls. Every access reports by its result (no exception leaves it), reads never go past the
// file's end, and offsets are 32-bit as the file format's are.
#pragma once

#include <windows.h>

#include <cstddef>

#include "framework/File.h"

class CLibraryFileAccess {
public:
  enum Mode { kRead, kReadWrite, kCreate, kCreateNew };

  CLibraryFileAccess() = default;
  ~CLibraryFileAccess();
  CLibraryFileAccess(const CLibraryFileAccess&) = delete;
  CLibraryFileAccess& operator=(const CLibraryFileAccess&) = delete;

  // kCreate makes a new empty file (or empties an existing one); kCreateNew makes a new empty
  // file and fails when one of that name exists.
  bool Open(LPCSTR path, Mode mode);
  void Close();
  bool IsOpen() const { return m_file.IsOpen(); }
  // The file's length; files past 4 GB cannot be libraries and count as empty.
  DWORD Length() const { return m_length; }

  // Exactly count bytes at offset; false when they do not all lie inside the file.
  bool ReadAt(DWORD offset, void* data, size_t count);
  // As many of count bytes as lie inside the file from offset; the number read.
  size_t ReadUpTo(DWORD offset, void* data, size_t count);
  bool WriteAt(DWORD offset, const void* data, size_t count);
  // Writes at the end; *offset receives where the bytes begin.
  bool Append(const void* data, size_t count, DWORD* offset);

private:
  CFile m_file;
  DWORD m_length = 0;
};
