#include "model/document/DocFileReader.h"

#include <algorithm>
#include <memory>
#include <new>
#include <utility>

#include "framework/ByteReader.h"
#include "framework/File.h"
#include "framework/FileException.h"
#include "model/document/DocumentTexts.h"
#include "model/editing/MainWindowNotice.h"
#include "model/records/BlockRecord.h"

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
// A block list shorter than this holds no block.
const DWORD kShortestBlockList = 7;

// Without copying the list of a large drawing when the target is empty, as it is on an open.
void MoveBlocks(CSegArray& from, CSegArray& to) {
  if (to.IsEmpty())
    to.Swap(from);
  else
    to.Append(from);
  from.RemoveAll();
}

}  // namespace

void CDocFileReader::ShowStatus(UINT stringId) { SendToMainWindow(kStatusStringCommand, stringId); }

CString CDocFileReader::MessageFor(Error error) {
  switch (error) {
    case kNoError:
      return CString();
    case kBlockListDamaged:
      return AfxLoadString(DocumentText::kDamagedFileEmpty);
    case kCannotOpen:
      return AfxLoadString(DocumentText::kCannotOpen);
    case kWrongVersion:
      return AfxLoadString(DocumentText::kWrongVersion);
    case kNotDocument:
    case kDamaged:
    default:
      return AfxLoadString(DocumentText::kNotDocument);
  }
}

CDocFileReader::Error CDocFileReader::Read(LPCSTR path) {
  ShowStatus(kOpeningFile);
  CFile file;
  if (!file.Open(path, CFile::modeRead | CFile::shareDenyWrite | CFile::typeBinary))
    return kCannotOpen;
  Error result = kNoError;
  try {
    ULONGLONG length = file.GetLength();
    if (length > kLargestFile) return kDamaged;
    ReadImageOf(file, static_cast<size_t>(length));
    result = ReadSections();
    file.Close();
  } catch (CFileException* e) {
    e->Delete();
    result = kCannotOpen;  // also a file that shrank while being read
  } catch (const std::bad_alloc&) {
    result = kCannotOpen;
  }
  m_listFile = nullptr;
  return result;
}

void CDocFileReader::ReadImageOf(CFile& file, size_t size) {
  auto readUpTo = [&](size_t end) {
    size_t done = m_file.size();
    m_file.resize(end);
    while (done < end) {
      UINT read = file.Read(m_file.data() + done, static_cast<UINT>(end - done));
      if (read == 0) AfxThrowFileException(CFileException::endOfFile);
      done += read;
    }
  };
  m_file.clear();
  m_fileSize = size;
  readUpTo(std::min(size, CDocFileHeader::kFirstSectionOffset));
  CDocFileHeader header;
  DWORD list = 0;
  bool listLast = header.Read(m_file.data(), m_file.size()) == CDocFileHeader::kValid &&
                  header.PointsIntoFile(kBlockListSection, size);
  if (listLast) {
    list = header.GetOffset(kBlockListSection);
    for (int section = 0; section < kDocFileSectionCount; ++section)
      if (section != kBlockListSection &&
          header.GetOffset(static_cast<DocFileSection>(section)) >= list)
        listLast = false;
  }
  readUpTo(listLast ? list : size);
  if (listLast) m_listFile = &file;
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
  if (m_header.GetOffset(kPageSettingsSection) == 0 || m_header.GetOffset(kFontMountSection) == 0)
    return kDamaged;

  ShowStatus(kReadingPageSettings);
  if (!m_header.PointsIntoFile(kPageSettingsSection, m_file.size())) return kDamaged;
  size_t available = 0;
  const BYTE* page = SectionStart(kPageSettingsSection, &available);
  m_page.m_width = 400.0f;
  m_page.m_height = 900.0f;
  if (!m_page.ReadFrom(page, available, CDocFileHeader::kVersion)) return kDamaged;

  ShowStatus(kCheckingText);
  ReadText();
  ShowStatus(kCheckingBlockList);
  Error blockList = ReadBlockList();
  if (blockList != kNoError) return blockList;
  ShowStatus(kCheckingGuides);
  ReadGuides();
  ShowStatus(kReadingFontMount);
  ReadFontMount();
  return kNoError;
}

const BYTE* CDocFileReader::SectionStart(DocFileSection section, size_t* available) {
  *available = 0;
  DWORD offset = m_header.GetOffset(section);
  if (offset == 0) return nullptr;
  if (!m_header.PointsIntoFile(section, m_file.size())) {
    m_partial = true;
    return nullptr;
  }
  *available = m_file.size() - offset;
  return m_file.data() + offset;
}

// The stored bytes are kept as they are; a length running past the file keeps what is there.
void CDocFileReader::ReadText() {
  size_t available = 0;
  const BYTE* section = SectionStart(kTextSection, &available);
  if (!section) return;
  ShowStatus(kReadingText);
  CByteReader reader(section, available);
  DWORD length = 0;
  if (!reader.ReadDWord(length)) {
    m_partial = true;
    return;
  }
  if (length > reader.Remaining()) {
    m_partial = true;
    length = static_cast<DWORD>(reader.Remaining());
  }
  const BYTE* text = section + reader.Position();
  m_storedText.assign(text, text + length);
}

CString CDocFileReader::GetText() const {
  size_t length = 0;
  while (length < m_storedText.size() && m_storedText[length] != 0) ++length;
  return CString(reinterpret_cast<const char*>(m_storedText.data()), static_cast<int>(length));
}

CDocFileReader::Error CDocFileReader::ReadBlockList() {
  if (m_header.GetOffset(kBlockListSection) == 0) return kNoError;
  if (m_listFile) return ReadBlockListFromFile(m_header.GetOffset(kBlockListSection));
  // Without a list to start from no block can be found.
  if (!m_header.PointsIntoFile(kBlockListSection, m_file.size())) return kDamaged;
  size_t available = 0;
  const BYTE* section = SectionStart(kBlockListSection, &available);
  ShowStatus(kReadingBlockList);
  CByteReader reader(section, available);
  BYTE tag = 0;
  DWORD length = 0;
  if (!reader.ReadByte(tag) || tag != kSegArrayRecordTag || !reader.ReadDWord(length) ||
      length < kShortestBlockList)
    return kDamaged;
  // A file cut short keeps the blocks that are there; the list notes the damage.
  if (length > available) length = static_cast<DWORD>(available);
  CLoadDamage damage;
  return TakeList(LoadSegArray(section, length), damage);
}

CDocFileReader::Error CDocFileReader::ReadBlockListFromFile(size_t offset) {
  ShowStatus(kReadingBlockList);
  size_t available = m_fileSize - offset;
  BYTE head[5] = {};
  m_listFile->Seek(static_cast<LONGLONG>(offset), CFile::begin);
  UINT got = m_listFile->Read(head, sizeof head);
  CByteReader reader(head, got);
  BYTE tag = 0;
  DWORD length = 0;
  if (!reader.ReadByte(tag) || tag != kSegArrayRecordTag || !reader.ReadDWord(length) ||
      length < kShortestBlockList)
    return kDamaged;
  // A file cut short keeps the blocks that are there; the list notes the damage.
  if (length > available) length = static_cast<DWORD>(available);
  m_listFile->Seek(static_cast<LONGLONG>(offset), CFile::begin);
  CLoadDamage damage;
  return TakeList(LoadSegArrayFromFile(*m_listFile, length, m_piece), damage);
}

CDocFileReader::Error CDocFileReader::TakeList(CSegArray* read, const CLoadDamage& damage) {
  std::unique_ptr<CSegArray> blocks(read);
  if (!blocks) return damage.Any() ? kBlockListDamaged : kDamaged;
  if (!damage.Any()) {
    MoveBlocks(*blocks, m_blocks);
    return kNoError;
  }
  m_partial = true;
  const int kept = static_cast<int>(blocks->GetSize());
  if (damage.Stopped())
    m_damageMessage.Format(AfxLoadString(DocumentText::kDamagedFileStopped), kept);
  else if (damage.LeftOut() > 0)
    m_damageMessage.Format(AfxLoadString(DocumentText::kDamagedFileLeftOut), kept,
                           damage.LeftOut());
  else
    m_damageMessage.Format(AfxLoadString(DocumentText::kDamagedFileMended), kept);
  MoveBlocks(*blocks, m_blocks);
  return kNoError;
}

void CDocFileReader::TakeBlocks(CSegArray& target) { MoveBlocks(m_blocks, target); }

void CDocFileReader::ReadGuides() {
  size_t available = 0;
  const BYTE* section = SectionStart(kGuideSection, &available);
  if (!section) return;
  ShowStatus(kReadingGuides);
  bool damaged = false;
  std::unique_ptr<CAuxObjectList> guides(LoadAuxObjectList(section, available, &damaged));
  if (damaged) {
    m_partial = true;
    return;
  }
  if (guides) m_guides.TakeAll(*guides);
}

void CDocFileReader::ReadFontMount() {
  size_t available = 0;
  if (!SectionStart(kFontMountSection, &available)) return;
  size_t offset = m_header.GetOffset(kFontMountSection);
  if (!m_fontMount.Read(m_file.data(), m_file.size(), offset)) m_partial = true;
}
