#include "model/document/DocFileV6.h"

#include <cstring>

#include "framework/ByteReader.h"
#include "framework/GlobalLock.h"
#include "framework/MemoryException.h"
#include "model/document/DocFileHeader.h"
#include "model/records/BlockRecord.h"

namespace {

const char kMagic[] = "RQF42";
const size_t kVersionOffset = 12;
// Offsets and lengths in a document are signed 32-bit numbers.
const ULONGLONG kLargestFile = 0x7FFFFFFF;
// Tag, length and end byte, and at least one block record's tag.
const DWORD kShortestBlockList = 7;
const SIZE_T kSpareAfterList = 10;

HGLOBAL AllocateZeroed(SIZE_T size) {
  HGLOBAL memory = ::GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, size);
  if (!memory) AfxThrowMemoryException();
  return memory;
}

}  // namespace

CDocFileV6::~CDocFileV6() {
  FreeMemory();
  if (IsOpen()) Abort();
}

void CDocFileV6::FreeMemory() {
  if (m_blockList) ::GlobalFree(m_blockList);
  if (m_text) ::GlobalFree(m_text);
  m_blockList = m_text = nullptr;
}

HGLOBAL CDocFileV6::TakeBlockList() {
  HGLOBAL taken = m_blockList;
  m_blockList = nullptr;
  return taken;
}

HGLOBAL CDocFileV6::TakeText() {
  HGLOBAL taken = m_text;
  m_text = nullptr;
  return taken;
}

int CDocFileV6::ReadFile(LPCSTR path) {
  SetPath(path);
  FreeMemory();
  int result = OpenAndCheck();
  if (result == kRead) result = LoadSections();
  if (result != kRead) FreeMemory();
  if (IsOpen()) Abort();
  return result;
}

int CDocFileV6::CheckHeader() {
  if (!ReadExactly(m_header, kHeaderSize) || memcmp(m_header, kMagic, sizeof kMagic) != 0 ||
      !ReadExactly(m_table, kTableSize)) {
    Abort();
    return kBadHeader;
  }
  return kRead;
}

int CDocFileV6::GetVersion() {
  CByteReader reader(m_header, kHeaderSize);
  float version = 0.0f;
  reader.Seek(kVersionOffset);
  // Written as NaN-proof comparisons: a version that is no number lies in no range.
  if (!reader.ReadFloat(version) || !(version >= kLowestVersion && version <= kHighestVersion)) {
    Abort();
    return kBadVersion;
  }
  return kRead;
}

DWORD CDocFileV6::SectionOffset(int section) const {
  CByteReader reader(m_table, kTableSize);
  DWORD offset = 0;
  reader.Seek(4 + 4 * static_cast<size_t>(section));
  reader.ReadDWord(offset);
  return offset;
}

int CDocFileV6::LoadSections() {
  ULONGLONG length = 0;
  try {
    length = GetLength();
  } catch (CFileException* e) {
    e->Delete();
    return kCannotOpen;
  }
  if (length > kLargestFile) return kDamaged;
  int text = LoadText(length);
  return text != kRead ? text : LoadBlockList(length);
}

int CDocFileV6::LoadText(ULONGLONG fileLength) {
  DWORD offset = SectionOffset(kTextSection);
  if (offset == 0) return kRead;
  BYTE word[4];
  if (offset > fileLength || fileLength - offset < sizeof word) return kDamaged;
  Seek(offset, begin);
  int count = 0;
  CByteReader reader(word, sizeof word);
  if (!ReadExactly(word, sizeof word) || !reader.ReadInt32(count)) return kDamaged;
  if (count == 0) return kRead;
  if (count < 0 || static_cast<ULONGLONG>(count) > fileLength - offset - sizeof word)
    return kDamaged;
  m_text = AllocateZeroed(static_cast<SIZE_T>(count) + 1);
  CGlobalLock lock(m_text);
  if (!lock.Data() || !ReadExactly(lock.Data(), static_cast<UINT>(count))) return kDamaged;
  return kRead;
}

int CDocFileV6::LoadBlockList(ULONGLONG fileLength) {
  DWORD offset = SectionOffset(kBlockListSection);
  if (offset == 0) return kRead;
  BYTE head[5];
  if (offset > fileLength || fileLength - offset < sizeof head) return kDamaged;
  Seek(offset, begin);
  BYTE tag = 0;
  DWORD length = 0;
  CByteReader reader(head, sizeof head);
  if (!ReadExactly(head, sizeof head) || !reader.ReadByte(tag) || !reader.ReadDWord(length))
    return kDamaged;
  if (length == 0) return kRead;
  if (tag != kSegArrayRecordTag || length < kShortestBlockList || length > fileLength - offset)
    return kDamaged;
  Seek(offset, begin);
  m_blockList = AllocateZeroed(static_cast<SIZE_T>(length) + kSpareAfterList);
  CGlobalLock lock(m_blockList);
  if (!lock.Data() || !ReadExactly(lock.Data(), length)) return kDamaged;
  lock.Data()[length] = kRecordPadByte;
  return kRead;
}
