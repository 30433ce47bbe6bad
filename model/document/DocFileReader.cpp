#include "model/document/DocFileReader.h"

#include <memory>
#include <new>

#include "framework/ByteReader.h"
#include "framework/File.h"
#include "model/records/BlockRecord.h"
#include "model/editing/MainWindowNotice.h"

namespace {

const UINT kStatusStringCommand = 32851;

// Progress texts of the open, by string resource id.
enum : UINT {
  kOpeningFile = 108,
  kReadingHeader = 109,
  kCheckingVersion = 110,
  kReadingTable = 111,
  kCheckingPageSettings = 112,
  kCheckingFontMount = 113,
  kReadingPageSettings = 114,
  kCheckingText = 115,
  kReadingText = 116,
  kCheckingBlockList = 117,
  kReadingBlockList = 118,
  kCheckingGuides = 119,
  kReadingGuides = 120,
  kReadingFontMount = 121,
};

// Offsets in a file are signed 32-bit numbers.
const ULONGLONG kLargestFile = 0x7FFFFFFF;
const size_t kFontMountEntrySize = 14;
// A block list shorter than this holds no block.
const DWORD kShortestBlockList = 7;

void MoveBlocks(CSegArray& from, CSegArray& to) {
  for (INT_PTR i = 0; i < from.GetSize(); ++i) to.AddBlock(from.GetBlock(i));
  from.RemoveAll();
}

}  // namespace

void CDocFileReader::ShowStatus(UINT stringId) { SendToMainWindow(kStatusStringCommand, stringId); }

LPCSTR CDocFileReader::MessageFor(Error error) {
  switch (error) {
    case kNoError:
      return "";
    case kBlockListDamaged:
      return nullptr;
    case kCannotOpen:
      return "文件打开失败!";
    case kWrongVersion:
      return "图匠文件版本非6.0版!";
    case kNotDocument:
    case kDamaged:
    default:
      return "非镌图匠文件或文件有错误!";
  }
}

CDocFileReader::Error CDocFileReader::Read(LPCSTR path) {
  ShowStatus(kOpeningFile);
  CFile file;
  if (!file.Open(path, CFile::modeRead | CFile::shareDenyWrite | CFile::typeBinary)) return kCannotOpen;
  try {
    ULONGLONG length = file.GetLength();
    if (length > kLargestFile) return kDamaged;
    m_file.resize(static_cast<size_t>(length));
    size_t done = 0;
    while (done < m_file.size()) {
      UINT read = file.Read(m_file.data() + done, static_cast<UINT>(m_file.size() - done));
      if (read == 0) return kCannotOpen;  // the file shrank while being read
      done += read;
    }
    file.Close();
  } catch (CFileException* e) {
    e->Delete();
    return kCannotOpen;
  } catch (const std::bad_alloc&) {
    return kCannotOpen;
  }
  return ReadSections();
}

CDocFileReader::Error CDocFileReader::ReadImage(const BYTE* data, size_t size) {
  m_file.assign(data, data + size);
  return ReadSections();
}

CDocFileReader::Error CDocFileReader::ReadSections() {
  ShowStatus(kReadingHeader);
  ShowStatus(kCheckingVersion);
  ShowStatus(kReadingTable);
  CDocFileHeader::Check check = m_header.Read(m_file.data(), m_file.size());
  if (check == CDocFileHeader::kNotDocument) return kNotDocument;
  if (check == CDocFileHeader::kWrongVersion) return kWrongVersion;
  if (check != CDocFileHeader::kValid) return kDamaged;

  // Both sections are always written; a table without them is not a document's.
  ShowStatus(kCheckingPageSettings);
  ShowStatus(kCheckingFontMount);
  if (m_header.GetOffset(kPageSettingsSection) == 0 || m_header.GetOffset(kFontMountSection) == 0) return kDamaged;

  ShowStatus(kReadingPageSettings);
  size_t available = 0;
  const BYTE* page = SectionStart(kPageSettingsSection, &available);
  m_page.m_width = 400.0f;
  m_page.m_height = 900.0f;
  if (!m_page.ReadFrom(page, available, CDocFileHeader::kVersion)) return kDamaged;

  ShowStatus(kCheckingText);
  if (!ReadText()) return kDamaged;
  ShowStatus(kCheckingBlockList);
  Error blockList = ReadBlockList();
  if (blockList != kNoError) return blockList;
  ShowStatus(kCheckingGuides);
  if (!ReadGuides()) return kDamaged;
  ShowStatus(kReadingFontMount);
  if (!CheckFontMount()) return kDamaged;
  return kNoError;
}

const BYTE* CDocFileReader::SectionStart(DocFileSection section, size_t* available) const {
  DWORD offset = m_header.GetOffset(section);
  // The header has checked that every offset lies inside the file.
  *available = offset ? m_file.size() - offset : 0;
  return offset ? m_file.data() + offset : nullptr;
}

bool CDocFileReader::ReadText() {
  size_t available = 0;
  const BYTE* section = SectionStart(kTextSection, &available);
  if (!section) return true;
  ShowStatus(kReadingText);
  CByteReader reader(section, available);
  DWORD length = 0;
  if (!reader.ReadDWord(length) || length > reader.Remaining()) return false;
  CString text;
  if (length > 0 && !reader.ReadFixedString(text, length)) return false;
  m_text = text;
  return true;
}

CDocFileReader::Error CDocFileReader::ReadBlockList() {
  size_t available = 0;
  const BYTE* section = SectionStart(kBlockListSection, &available);
  if (!section) return kNoError;
  ShowStatus(kReadingBlockList);
  CByteReader reader(section, available);
  BYTE tag = 0;
  DWORD length = 0;
  if (!reader.ReadByte(tag) || tag != kSegArrayRecordTag || !reader.ReadDWord(length) ||
      length < kShortestBlockList || length > available || section[length - 1] != kListEndByte)
    return kDamaged;
  bool damaged = false;
  std::unique_ptr<CSegArray> blocks(LoadSegArray(section, length, &damaged));
  if (damaged) return kBlockListDamaged;
  if (!blocks) return kDamaged;
  MoveBlocks(*blocks, m_blocks);
  return kNoError;
}

void CDocFileReader::TakeBlocks(CSegArray& target) { MoveBlocks(m_blocks, target); }

bool CDocFileReader::ReadGuides() {
  size_t available = 0;
  const BYTE* section = SectionStart(kGuideSection, &available);
  if (!section) return true;
  ShowStatus(kReadingGuides);
  bool damaged = false;
  CAuxObjectList* guides = LoadAuxObjectList(section, available, &damaged);
  if (damaged) return false;
  if (guides) {
    m_guides.TakeAll(*guides);
    delete guides;
  }
  return true;
}

// The section: int32 T, T / 14 entries (name-block size, character set, font source, slot width,
// file position of the name block), the name blocks.
bool CDocFileReader::CheckFontMount() const {
  size_t available = 0;
  const BYTE* section = SectionStart(kFontMountSection, &available);
  CByteReader reader(section, available);
  DWORD tableSize = 0;
  if (!reader.ReadDWord(tableSize)) return false;
  if (tableSize % kFontMountEntrySize != 0 || tableSize > reader.Remaining()) return false;
  for (DWORD i = 0; i < tableSize / kFontMountEntrySize; ++i) {
    DWORD blockSize = 0, slotWidth = 0, position = 0;
    if (!reader.ReadDWord(blockSize) || !reader.Skip(2) || !reader.ReadDWord(slotWidth) ||
        !reader.ReadDWord(position))
      return false;
    ULONGLONG end = static_cast<ULONGLONG>(position) + blockSize;
    if (position < CDocFileHeader::kFirstSectionOffset || end > m_file.size()) return false;
  }
  return true;
}
