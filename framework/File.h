// CFile: a binary file on a system handle. Failures throw CFileException, except Open, which
// reports through its result and the optional exception object.
#pragma once

#include "framework/FileException.h"
#include "framework/Object.h"
#include "framework/String.h"

class CFile : public CObject {
  DECLARE_DYNAMIC(CFile)
public:
  enum OpenFlags : UINT {
    modeRead = 0x0000,
    modeWrite = 0x0001,
    modeReadWrite = 0x0002,
    shareCompat = 0x0000,
    shareExclusive = 0x0010,
    shareDenyWrite = 0x0020,
    shareDenyRead = 0x0030,
    shareDenyNone = 0x0040,
    modeNoInherit = 0x0080,
    modeCreate = 0x1000,
    modeNoTruncate = 0x2000,
    typeText = 0x4000,
    typeBinary = 0x8000
  };
  enum SeekPosition { begin = 0, current = 1, end = 2 };
  static const HANDLE hFileNull;

  CFile();
  CFile(LPCSTR fileName, UINT openFlags);  // throws on failure
  ~CFile() override;
  CFile(const CFile&) = delete;
  CFile& operator=(const CFile&) = delete;

  virtual BOOL Open(LPCSTR fileName, UINT openFlags, CFileException* error = nullptr);
  virtual void Close();
  // Closes without throwing.
  virtual void Abort();
  BOOL IsOpen() const { return m_hFile != hFileNull; }

  virtual UINT Read(void* buffer, UINT count);
  virtual void Write(const void* buffer, UINT count);
  virtual ULONGLONG Seek(LONGLONG offset, UINT from);
  void SeekToBegin() { Seek(0, begin); }
  ULONGLONG SeekToEnd() { return Seek(0, end); }
  virtual ULONGLONG GetPosition() const;
  virtual ULONGLONG GetLength() const;
  virtual void SetLength(ULONGLONG newLength);
  virtual void Flush();

  CString GetFilePath() const { return m_strFileName; }
  CString GetFileName() const;
  HANDLE GetHandle() const { return m_hFile; }

  static void Remove(LPCSTR fileName);
  static void Rename(LPCSTR oldName, LPCSTR newName);

  HANDLE m_hFile;

private:
  [[noreturn]] void ThrowLastError() const;

  CString m_strFileName;
};
