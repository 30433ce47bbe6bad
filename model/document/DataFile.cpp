#include "model/document/DataFile.h"

#include <cstring>

void CDataFile::SetPath(LPCSTR path) {
  if (path) m_path = path;
}

int CDataFile::OpenAndCheck() {
  if (m_path.IsEmpty() || m_path.GetLength() >= kPathCapacity) return kCannotOpen;
  if (IsOpen()) Abort();
  if (!Open(m_path, modeRead | shareDenyWrite | typeBinary)) return kCannotOpen;
  int header = CheckHeader();
  if (header > 0) return header;
  int version = GetVersion();
  if (version > 0) return version;
  return kRead;
}

int CDataFile::GetVersion() { return kRead; }

int CDataFile::CheckHeader() { return kRead; }

HGLOBAL CDataFile::ReadBody() { return nullptr; }

int CDataFile::Parse(HGLOBAL* result, HGLOBAL) {
  if (result) *result = nullptr;
  Abort();
  return kNoParser;
}

bool CDataFile::ReadExactly(void* buffer, UINT count) {
  try {
    UINT done = 0;
    while (done < count) {
      UINT read = Read(static_cast<BYTE*>(buffer) + done, count - done);
      if (read == 0) return false;
      done += read;
    }
    return true;
  } catch (CFileException* e) {
    e->Delete();
    return false;
  }
}
