#include "model/document/DocFileV56.h"

#include <cstring>
#include <vector>

#include "framework/ByteReader.h"
#include "framework/GlobalLock.h"
#include "framework/MemoryException.h"
#include "model/document/V56BodyConverter.h"

namespace {

const char kMagic[] = "Talvex V5.6 (For 95)";
// Zeroed bytes after the body and after the converted record.
const SIZE_T kSpareBytes = 10;

HGLOBAL AllocateZeroed(SIZE_T size) {
  HGLOBAL memory = ::GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, size);
  if (!memory) AfxThrowMemoryException();
  return memory;
}

}  // namespace

CDocFileV56::~CDocFileV56() {
  if (IsOpen()) Abort();
}

int CDocFileV56::ReadFile(HGLOBAL* record, LPCSTR path) {
  *record = nullptr;
  SetPath(path);
  int result = OpenAndCheck();
  if (result > 0) {
    if (IsOpen()) Abort();
    return result;
  }
  HGLOBAL body = ReadBody();
  if (IsOpen()) Abort();
  if (!body) return kDamaged;
  result = Parse(record, body);
  ::GlobalFree(body);
  return result;
}

int CDocFileV56::CheckHeader() {
  if (!ReadExactly(m_header, kHeaderSize) || memcmp(m_header, kMagic, strlen(kMagic)) != 0) {
    Abort();
    return kBadHeader;
  }
  return kRead;
}

HGLOBAL CDocFileV56::ReadBody() {
  m_bodySize = 0;
  CByteReader header(m_header, kHeaderSize);
  int offset = 0;
  header.Seek(kBodyOffsetField);
  if (!header.ReadInt32(offset) || offset < static_cast<int>(kHeaderSize)) return nullptr;
  ULONGLONG length = 0;
  try {
    length = GetLength();
    if (static_cast<ULONGLONG>(offset) > length || length - offset > kLargestBody) return nullptr;
    Seek(offset, begin);
  } catch (CFileException* e) {
    e->Delete();
    return nullptr;
  }
  size_t size = static_cast<size_t>(length - offset);
  HGLOBAL body = AllocateZeroed(size + kSpareBytes);
  bool read = false;
  {
    CGlobalLock lock(body);
    read = lock.Data() && ReadExactly(lock.Data(), static_cast<UINT>(size));
  }
  if (!read) {
    ::GlobalFree(body);
    return nullptr;
  }
  m_bodySize = size;
  return body;
}

int CDocFileV56::Parse(HGLOBAL* result, HGLOBAL body) {
  *result = nullptr;
  std::vector<BYTE> record;
  {
    CGlobalLock lock(body);
    if (!lock.Data() || lock.Size() < m_bodySize) return kDamaged;
    CV56BodyConverter converter;
    if (!converter.Convert(lock.Data(), m_bodySize, record)) return kDamaged;
  }
  HGLOBAL memory = AllocateZeroed(record.size() + kSpareBytes);
  {
    CGlobalLock lock(memory);
    if (!lock.Data()) {
      ::GlobalFree(memory);
      return kDamaged;
    }
    memcpy(lock.Data(), record.data(), record.size());
  }
  *result = memory;
  return kRead;
}
