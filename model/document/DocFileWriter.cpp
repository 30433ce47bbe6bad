#include "model/document/DocFileWriter.h"

#include "framework/File.h"
#include "framework/GlobalLock.h"
#include "framework/String.h"
#include "model/document/AuxObjectList.h"
#include "model/document/FontMountSection.h"
#include "model/document/FontMountService.h"
#include "model/document/PageSettings.h"
#include "model/document/SegArray.h"
#include "model/settings/ProgramPaths.h"

namespace {

// Length of the longest prefix of at most limit bytes that does not split a double-byte character.
size_t CutWithoutSplitting(LPCSTR text, size_t length, size_t limit) {
  if (length <= limit) return length;
  size_t position = 0;
  while (position < limit) {
    bool doubleByte = CString::IsLeadByte(static_cast<unsigned char>(text[position])) &&
                      position + 1 < length;
    size_t next = position + (doubleByte ? 2 : 1);
    if (next > limit) break;
    position = next;
  }
  return position;
}

bool Exists(LPCSTR path) { return ::GetFileAttributesA(path) != INVALID_FILE_ATTRIBUTES; }

bool IsFolder(LPCSTR path) {
  DWORD attributes = ::GetFileAttributesA(path);
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

// A new empty file with a unique name in the folder of path; false when none can be made there.
bool MakeTempFileBeside(LPCSTR path, CString& temp) {
  CString folder(path, FolderPartLength(path));
  if (folder.IsEmpty()) folder = ".";
  char name[MAX_PATH * 4] = {};
  if (folder.GetLength() > MAX_PATH - 14 || !::GetTempFileNameA(folder, "T42", 0, name))
    return false;
  temp = name;
  return true;
}

// Offsets in a document are signed 32-bit numbers.
const ULONGLONG kLargestFile = 0x7FFFFFFF;

void WriteAt(CFile& file, ULONGLONG position, const BYTE* data, size_t size) {
  file.Seek(static_cast<LONGLONG>(position), CFile::begin);
  file.Write(data, static_cast<UINT>(size));
}

}  // namespace

CDocFileWriter::CDocFileWriter() : m_pendingBlocks(nullptr), m_failed(false) {
  m_failed = !m_header.WriteTo(m_file);
}

size_t CDocFileWriter::Size() const {
  BuildBlockList();
  return m_file.Size();
}

const BYTE* CDocFileWriter::Data() const {
  BuildBlockList();
  return m_file.Data();
}

bool CDocFileWriter::BeginSection(DocFileSection section) {
  BuildBlockList();  // a section after the block list follows it
  if (m_failed) return false;
  m_header.SetOffset(section, static_cast<DWORD>(m_file.Size()));
  return true;
}

bool CDocFileWriter::AddPageSettings(const CPageSettings& page) {
  if (!BeginSection(kPageSettingsSection)) return false;
  m_failed = !page.WriteTo(m_file) || !m_header.PatchTable(m_file);
  return !m_failed;
}

bool CDocFileWriter::AddEmptyFontMount() { return AddFontMount(CFontMountSection()); }

bool CDocFileWriter::AddFontMount(const CFontMountSection& section) {
  if (!BeginSection(kFontMountSection)) return false;
  m_failed = !section.WriteTo(m_file) || !m_header.PatchTable(m_file);
  return !m_failed;
}

bool CDocFileWriter::AddMountedFonts(CFontMountService& fonts) {
  if (!BeginSection(kFontMountSection)) return false;
  m_failed = !fonts.WriteSection(m_file) || !m_header.PatchTable(m_file);
  return !m_failed;
}

bool CDocFileWriter::AddText(LPCSTR text, size_t length) {
  if (!BeginSection(kTextSection)) return false;
  length = text ? CutWithoutSplitting(text, length, kMaxTextLength) : 0;
  if (length == 0) {
    m_header.SetOffset(kTextSection, 0);
    m_failed = !m_file.WriteInt32(0);
  } else {
    m_failed = !m_file.WriteInt32(static_cast<int>(length + 1)) ||
               !m_file.WriteBytes(text, length) || !m_file.WriteByte(0);
  }
  m_failed = m_failed || !m_header.PatchTable(m_file);
  return !m_failed;
}

bool CDocFileWriter::AddStoredText(const std::vector<BYTE>& stored) {
  if (!BeginSection(kTextSection)) return false;
  if (stored.empty()) {
    m_header.SetOffset(kTextSection, 0);
    m_failed = !m_file.WriteInt32(0);
  } else {
    m_failed = !m_file.WriteInt32(static_cast<int>(stored.size())) ||
               !m_file.WriteBytes(stored.data(), stored.size());
  }
  m_failed = m_failed || !m_header.PatchTable(m_file);
  return !m_failed;
}

bool CDocFileWriter::AddGuides(const CAuxObjectList& guides) {
  BuildBlockList();
  if (m_failed) return false;
  HGLOBAL block = nullptr;
  int length = guides.WriteToMemory(&block);
  return AddMemorySection(kGuideSection, block, length);
}

bool CDocFileWriter::AddBlockList(CSegArray& blocks) {
  BuildBlockList();
  if (m_failed) return false;
  m_pendingBlocks = &blocks;
  return true;
}

void CDocFileWriter::BuildBlockList() const {
  if (!m_pendingBlocks) return;
  CSegArray* blocks = m_pendingBlocks;
  m_pendingBlocks = nullptr;
  size_t start = m_file.Size();
  if (!blocks->AppendRecordTo(m_file)) return;  // no block has a record: no section
  m_header.SetOffset(kBlockListSection, static_cast<DWORD>(start));
  m_failed = !m_header.PatchTable(m_file);
}

bool CDocFileWriter::StreamBlockList(CFile& file) const {
  ULONGLONG start = m_file.Size();
  bool pieceWritten = false;
  CByteWriter piece;
  size_t length = m_pendingBlocks->WriteRecordInPieces(piece, kBlockListPiece,
                                                       [&](const BYTE* data, size_t size) {
                                                         file.Write(data, static_cast<UINT>(size));
                                                         pieceWritten = true;
                                                       });
  if (length == 0) return true;  // no block has a record: no section
  if (start + length > kLargestFile) return false;
  file.Write(piece.Data(), static_cast<UINT>(piece.Size()));
  CDocFileHeader header = m_header;
  header.SetOffset(kBlockListSection, static_cast<DWORD>(start));
  CByteWriter table;
  header.WriteTo(table);
  WriteAt(file, 0, table.Data(), table.Size());
  if (pieceWritten) {
    BYTE word[4];
    CByteWriter(word, sizeof word).WriteDWord(static_cast<DWORD>(length));
    WriteAt(file, start + 1, word, sizeof word);
  }
  return true;
}

bool CDocFileWriter::WriteWholeFile(LPCSTR path) const {
  CFile file;
  if (!file.Open(path,
                 CFile::modeCreate | CFile::modeWrite | CFile::shareExclusive | CFile::typeBinary))
    return false;
  try {
    if (m_file.Size() > 0) file.Write(m_file.Data(), static_cast<UINT>(m_file.Size()));
    bool whole = !m_pendingBlocks || StreamBlockList(file);
    if (!whole) {
      file.Abort();
      return false;
    }
    file.Flush();
    file.Close();
  } catch (CFileException* e) {
    e->Delete();
    file.Abort();
    return false;
  } catch (...) {
    file.Abort();  // a block that could not be written: the caller removes the file
    throw;
  }
  return true;
}

bool CDocFileWriter::AddMemorySection(DocFileSection section, HGLOBAL memory, int length) {
  if (length <= 0 || !memory) {
    if (memory) ::GlobalFree(memory);
    return true;  // nothing to store: no section
  }
  BeginSection(section);
  {
    CGlobalLock lock(memory);
    m_failed = !lock.Data() || static_cast<size_t>(length) > lock.Size() ||
               !m_file.WriteBytes(lock.Data(), static_cast<size_t>(length));
  }
  ::GlobalFree(memory);
  m_failed = m_failed || !m_header.PatchTable(m_file);
  return !m_failed;
}

CDocFileWriter::SaveResult CDocFileWriter::SaveTo(LPCSTR path, BackupMode backup) const {
  if (m_failed) return kCannotWrite;
  if (IsFolder(path)) return kCannotReplace;
  CString temp;
  if (!MakeTempFileBeside(path, temp)) return kCannotCreate;
  bool written = false;
  try {
    written = WriteWholeFile(temp);
  } catch (...) {
    ::DeleteFileA(temp);
    throw;
  }
  if (!written) {
    ::DeleteFileA(temp);
    return kCannotWrite;
  }
  bool backedUp = false;
  bool keepBackup = backup == kKeepBackup && Exists(CString(path) + ".bak");
  if (Exists(path) && !keepBackup) {
    backedUp = BackupFile(path) != 0;
    if (!backedUp) {
      ::DeleteFileA(temp);
      return kCannotReplace;
    }
  }
  if (!::MoveFileExA(temp, path, MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
    if (backedUp) ::MoveFileA(CString(path) + ".bak", path);
    ::DeleteFileA(temp);
    return kCannotReplace;
  }
  return kSaved;
}

int CDocFileWriter::BackupFile(LPCSTR path) {
  if (!Exists(path) || IsFolder(path)) return 0;
  CString backup = CString(path) + ".bak";
  if (Exists(backup)) ::DeleteFileA(backup);
  return ::MoveFileA(path, backup) ? 1 : 0;
}
