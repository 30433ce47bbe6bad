#include "model/document/SegArray.h"

#include <algorithm>
#include <cstring>
#include <memory>
#include <vector>

#include "framework/ByteReader.h"
#include "framework/ByteWriter.h"
#include "framework/File.h"
#include "framework/GbkClipboard.h"
#include "framework/GlobalLock.h"
#include "framework/WinApp.h"
#include "framework/Wnd.h"
#include "model/blocks/Block.h"
#include "model/document/LoadDamage.h"
#include "model/geometry/DrawingBounds.h"
#include "model/geometry/Matrix2D.h"
#include "model/records/BlockRecord.h"
#include "model/records/BlockRecordReader.h"

namespace {

const size_t kListHeaderSize = 5;
// A list record with no block in it: tag, length and end byte.
const size_t kEmptyListLength = 6;
// Bytes after the record in memory: one 0xFF and nine zeros.
const size_t kSpareAfterList = 10;
const char kBlockListFormatTemplate[] = "%s - [SEGMULTI]";
const char kProgramName[] = "Ravenquillor V60";

HWND MainWindowHandle() {
  CWnd* mainWindow = AfxGetMainWnd();
  return mainWindow ? mainWindow->GetSafeHwnd() : nullptr;
}

// Appends the block's record to the writer; false when the block writes none.
bool AppendRecordOf(CBlock* block, CByteWriter* writer) {
  return block->AppendRecordTo(*writer) > 0;
}

// Ends the list in the writer: 0xFE and the length at offset 1.
size_t CloseList(CByteWriter* writer) {
  writer->WriteByte(kListEndByte);
  size_t length = writer->Size();
  writer->PatchDWord(1, static_cast<DWORD>(length));
  return length;
}

// Appends the list record of the blocks that take part, each block writing its own record in
// place. Whenever more than pieceSize bytes stand in the writer after a block's record, they go
// to flush(data, size) and leave the writer; pieceSize 0 keeps the whole record in the writer.
// Returns the record's length, or 0 having appended (and flushed) nothing when no block wrote a
// record, since a list without a block is one that no reader accepts.
template <class TakesPart, class Flush>
size_t AppendListRecord(const CSegArray& list, TakesPart takesPart, CByteWriter* out,
                        size_t pieceSize, Flush flush) {
  size_t start = out->Size();
  out->WriteByte(kSegArrayRecordTag);
  out->WriteInt32(0);
  // The record's bytes gone to flush, and where the rest of it begins in the writer.
  size_t flushed = 0, rest = start;
  bool any = false;
  for (INT_PTR i = 0; i < list.GetSize(); ++i) {
    CBlock* block = list.GetBlock(i);
    if (!block || !takesPart(block) || !AppendRecordOf(block, out)) continue;
    any = true;
    if (pieceSize != 0 && out->Size() > pieceSize) {
      flush(out->Data(), out->Size());
      flushed += out->Size() - rest;
      rest = 0;
      out->Truncate(0);
    }
  }
  if (!any) {
    out->Truncate(start);
    return 0;
  }
  out->WriteByte(kListEndByte);
  size_t length = flushed + out->Size() - rest;
  if (flushed == 0) out->PatchDWord(start + 1, static_cast<DWORD>(length));
  return length;
}

template <class TakesPart>
bool AppendListRecord(const CSegArray& list, TakesPart takesPart, CByteWriter* out) {
  return AppendListRecord(list, takesPart, out, 0, [](const BYTE*, size_t) {}) != 0;
}

bool EveryBlock(CBlock*) { return true; }

struct GlobalFreer {
  void operator()(void* memory) const { ::GlobalFree(memory); }
};
using GlobalMemory = std::unique_ptr<void, GlobalFreer>;

// Hands the memory (when there is any) to the open clipboard, which then owns it.
bool HandToClipboard(UINT format, GlobalMemory& memory) {
  if (!memory) return true;
  if (!::SetClipboardData(format, memory.get())) return false;
  memory.release();
  return true;
}

void Unite(CFRect* box, const CFRect& other) {
  box->left = std::min(box->left, other.left);
  box->top = std::min(box->top, other.top);
  box->right = std::max(box->right, other.right);
  box->bottom = std::max(box->bottom, other.bottom);
}

bool CopiesToClipboard(BYTE type) {
  switch (type) {
    case kLineBlock:
    case kRectBlock:
    case kCircleBlock:
    case kPolygonBlock:
    case kTransformBlock:
    case kCurveBlock:
    case kGroupBlock:
    case kTextBlock:
    case kLibBlock:
    case kImageBlock:
      return true;
    default:
      return false;  // stamps stay out
  }
}

// The transform block hands this on to its source, so a transform over a text gives its text.
bool CopiesText(BYTE type) {
  return type == kTransformBlock || type == kGroupBlock || type == kTextBlock;
}

}  // namespace

CSegArray::CSegArray() { m_bounds.SetEmpty(); }

CSegArray::~CSegArray() { DeleteAll(); }

CBlock* CSegArray::GetBlock(INT_PTR index) const {
  if (index < 0 || index >= GetSize()) return nullptr;
  return static_cast<CBlock*>(GetAt(index));
}

INT_PTR CSegArray::AddBlock(CBlock* block) { return Add(block); }
void CSegArray::SetBlock(INT_PTR index, CBlock* block) { SetAt(index, block); }
void CSegArray::InsertBlock(INT_PTR index, CBlock* block) { InsertAt(index, block); }

void CSegArray::DeleteAll() {
  for (INT_PTR i = 0; i < GetSize(); ++i) delete GetBlock(i);
  RemoveAll();
}

int CSegArray::WriteToMemory(HGLOBAL* record) {
  *record = nullptr;
  if (IsEmpty()) return 0;
  CByteWriter writer;
  writer.WriteByte(kSegArrayRecordTag);
  writer.WriteInt32(0);
  for (INT_PTR i = 0; i < GetSize(); ++i)
    if (CBlock* block = GetBlock(i)) AppendRecordOf(block, &writer);
  size_t length = CloseList(&writer);
  *record = AfxCopyToGlobal(writer.Data(), length, kSpareAfterList);
  CGlobalLock lock(*record);
  if (lock.Data()) lock.Data()[length] = kRecordPadByte;
  return static_cast<int>(length);
}

bool CSegArray::AppendRecordTo(CByteWriter& writer) {
  return AppendListRecord(*this, EveryBlock, &writer);
}

size_t CSegArray::WriteRecordInPieces(CByteWriter& writer, size_t pieceSize,
                                      const std::function<void(const BYTE*, size_t)>& flush) {
  return AppendListRecord(*this, EveryBlock, &writer, pieceSize, flush);
}

BOOL CSegArray::WriteToFile(CFile* file) {
  CByteWriter record;
  if (!AppendRecordTo(record)) return FALSE;
  file->Write(record.Data(), static_cast<UINT>(record.Size()));
  return TRUE;
}

BOOL CSegArray::ReadFromFile(CFile* file) {
  ULONGLONG start = file->GetPosition();
  BYTE header[kListHeaderSize];
  UINT peeked = file->Read(header, sizeof header);
  file->Seek(static_cast<LONGLONG>(start), CFile::begin);
  if (peeked < sizeof header) return FALSE;
  CByteReader reader(header, sizeof header);
  DWORD length = 0;
  reader.Skip(1);
  reader.ReadDWord(length);
  ULONGLONG fileLength = file->GetLength();
  // The length may not promise more than the file holds.
  if (length <= kEmptyListLength || start > fileLength || length > fileLength - start) return FALSE;
  std::vector<BYTE> buffer(length);
  if (file->Read(buffer.data(), length) != length) return FALSE;
  CSegArray* loaded = LoadSegArray(buffer.data(), buffer.size());
  if (!loaded) return FALSE;
  for (INT_PTR i = 0; i < loaded->GetSize(); ++i) AddBlock(loaded->GetBlock(i));
  loaded->RemoveAll();
  delete loaded;
  return TRUE;
}

bool CSegArray::PassedOver(const CBlock* block, BOOL skipNegative) {
  if (!block) return true;
  return skipNegative && (block->m_box.right < 0.0f || block->m_box.bottom < 0.0f);
}

BOOL CSegArray::GetBounds(CFRect* bounds, BOOL skipNegative) {
  if (IsEmpty() || !bounds) return FALSE;
  bounds->SetEmpty();
  bool first = true;
  for (INT_PTR i = 0; i < GetSize(); ++i) {
    const CBlock* block = GetBlock(i);
    if (PassedOver(block, skipNegative)) continue;
    if (first)
      *bounds = block->m_box;
    else
      Unite(bounds, block->m_box);
    first = false;
  }
  m_bounds = *bounds;
  return TRUE;
}

BOOL CSegArray::Transform(const CMatrix2D& matrix, BOOL skipNegative) {
  if (IsEmpty()) return FALSE;
  std::vector<CBlock*> transformed;
  for (INT_PTR i = 0; i < GetSize(); ++i) {
    CBlock* block = GetBlock(i);
    if (PassedOver(block, skipNegative)) continue;
    block->Transform(matrix);
    transformed.push_back(block);
  }
  m_bounds.SetEmpty();
  for (size_t i = 0; i < transformed.size(); ++i) {
    if (i == 0)
      m_bounds = transformed[i]->m_box;
    else
      Unite(&m_bounds, transformed[i]->m_box);
  }
  return TRUE;
}

void CSegArray::RemountFonts(CFontRebinding& fonts) {
  for (INT_PTR i = 0; i < GetSize(); ++i)
    if (CBlock* block = GetBlock(i)) block->RemountFonts(fonts);
}

void CSegArray::ReplaceFont(int oldFont, int oldIndex, int newFont, int newIndex) {
  for (INT_PTR i = 0; i < GetSize(); ++i)
    if (CBlock* block = GetBlock(i)) block->ReplaceFont(oldFont, oldIndex, newFont, newIndex);
}

void CSegArray::AddColoursToCombo(HWND combo) {
  for (INT_PTR i = 0; i < GetSize(); ++i)
    if (CBlock* block = GetBlock(i)) block->AddColourToCombo(combo);
}

void CSegArray::AppendText(CString& text) {
  for (INT_PTR i = 0; i < GetSize(); ++i)
    if (CBlock* block = GetBlock(i)) block->AppendText(text);
}

namespace {

// A list read without knowing its number of blocks first reserves room once this many are read,
// for as many as their bytes let expect in the whole list, and a little more.
const INT_PTR kBlocksBeforeEstimate = 1024;

INT_PTR ExpectedBlocks(const CSegArray& list, size_t position, size_t available) {
  double perByte = static_cast<double>(list.GetSize()) / static_cast<double>(position);
  return static_cast<INT_PTR>(perByte * static_cast<double>(available) * 1.1) + 1;
}

// The bytes of a list record that lies whole in memory.
class CMemoryListSource {
public:
  explicit CMemoryListSource(const BYTE* record) : m_record(record) {}
  // count bytes from position on; the caller stays within the bytes available.
  const BYTE* Bytes(size_t position, size_t /*count*/) { return m_record + position; }
  // The block records that stand whole before the end byte, walked by their lengths.
  INT_PTR CountRecords(size_t available) const {
    INT_PTR count = 0;
    size_t position = kListHeaderSize, length = 0;
    while (position < available && m_record[position] != kListEndByte &&
           CBlockRecordReader::ReadLength(m_record + position, available - position, &length)) {
      ++count;
      position += length;
    }
    return count;
  }

private:
  const BYTE* m_record;
};

// The bytes of a list record read from a file piece by piece through a window that keeps the
// piece in use; a record larger than a piece widens the window to hold it whole.
class CFileListSource {
public:
  CFileListSource(CFile& file, size_t available, size_t pieceSize)
      : m_file(file),
        m_available(available),
        m_pieceSize(std::max<size_t>(pieceSize, 16)),
        m_start(0) {}
  // Not known before the records are read: 0.
  INT_PTR CountRecords(size_t /*available*/) const { return 0; }
  // count bytes from position on, null when the file ends before them. Positions only grow.
  const BYTE* Bytes(size_t position, size_t count) {
    size_t end = m_start + m_window.size();
    if (position >= m_start && position + count <= end) return m_window.data() + position - m_start;
    // Keep what is left of the window from position on, then read up to a piece behind it.
    size_t kept = position < end ? end - position : 0;
    if (kept) memmove(m_window.data(), m_window.data() + (position - m_start), kept);
    if (position > end) m_file.Seek(static_cast<LONGLONG>(position - end), CFile::current);
    size_t wanted = std::min(std::max(count, m_pieceSize), m_available - position);
    m_window.resize(std::max(wanted, kept));
    size_t filled = kept;
    while (filled < wanted) {
      UINT read = m_file.Read(m_window.data() + filled, static_cast<UINT>(wanted - filled));
      if (read == 0) break;  // the file shrank while being read
      filled += read;
    }
    m_window.resize(filled);
    m_start = position;
    return count <= filled ? m_window.data() : nullptr;
  }

private:
  CFile& m_file;
  size_t m_available;
  size_t m_pieceSize;
  size_t m_start;
  std::vector<BYTE> m_window;
};

// The blocks of a list record whose first five bytes (tag and length) have been checked, taken
// from the source one record at a time.
template <class Source>
CSegArray* LoadListFrom(Source& source, size_t available, bool* damaged) {
  CLoadDamage::ListScope scope;
  std::unique_ptr<CSegArray> list(new CSegArray);
  list->Reserve(source.CountRecords(available));
  size_t position = kListHeaderSize;
  bool ended = false;
  while (position < available) {
    if (list->GetSize() == kBlocksBeforeEstimate)
      list->Reserve(ExpectedBlocks(*list, position, available));
    const BYTE* tag = source.Bytes(position, 1);
    if (tag && *tag == kListEndByte) {
      ended = true;
      break;
    }
    // The length is checked against what the list has left; the record's reader then needs
    // only the record's own bytes.
    size_t left = available - position, length = 0;
    const BYTE* header = source.Bytes(position, std::min(left, kListHeaderSize));
    CBlock* block = nullptr;
    const int leftOut = CLoadDamage::LeftOutSoFar();
    if (header && CBlockRecordReader::ReadLength(header, left, &length)) {
      if (const BYTE* record = source.Bytes(position, length))
        block = CreateBlockFromRecord(record, length);
    }
    if (block && CLoadDamage::LeavesOutFarPoints() && !CDrawingBounds::Contains(block->m_box)) {
      delete block;
      block = nullptr;
      CLoadDamage::NoteLeftOut();
    }
    // A block left out by its reader or here had a whole record: the list reads on after it.
    if (!block && CLoadDamage::LeftOutSoFar() != leftOut) {
      position += length;
      continue;
    }
    if (!block) break;
    list->AddBlock(block);
    position += length;
  }
  const bool loadDamaged = scope.End(ended);
  if (damaged) *damaged = loadDamaged;
  return list->IsEmpty() ? nullptr : list.release();
}

}  // namespace

void ReportDamagedData(LPCSTR text, LPCSTR caption) { CLoadDamage::NoteMended(text, caption); }

CSegArray* LoadSegArray(const BYTE* record, size_t available, bool* damaged) {
  if (damaged) *damaged = false;
  if (!record || available < kListHeaderSize || record[0] != kSegArrayRecordTag) return nullptr;
  CMemoryListSource source(record);
  return LoadListFrom(source, available, damaged);
}

CSegArray* LoadSegArrayFromFile(CFile& file, size_t available, size_t pieceSize, bool* damaged) {
  if (damaged) *damaged = false;
  CFileListSource source(file, available, pieceSize);
  const BYTE* header = available >= kListHeaderSize ? source.Bytes(0, kListHeaderSize) : nullptr;
  if (!header || header[0] != kSegArrayRecordTag) return nullptr;
  return LoadListFrom(source, available, damaged);
}

UINT GetBlockListClipboardFormat() {
  char name[64];
  wsprintfA(name, kBlockListFormatTemplate, kProgramName);
  return ::RegisterClipboardFormatA(name);
}

BOOL CopyBlocksToClipboard(CSegArray* list) {
  std::vector<char> text(kClipboardTextCapacity, '\0');
  for (INT_PTR i = 0; list && i < list->GetSize(); ++i) {
    CBlock* block = list->GetBlock(i);
    if (!block || !block->m_selected || !CopiesToClipboard(block->m_type) ||
        !CopiesText(block->m_type))
      continue;
    block->AppendClipboardText(text.data(), text.size());
    text.back() = '\0';  // whatever a block did, the buffer stays one string
  }
  CByteWriter blocks;
  bool anyBlock = list && AppendListRecord(
                              *list,
                              [](CBlock* block) {
                                return block->m_selected && CopiesToClipboard(block->m_type);
                              },
                              &blocks);
  CGbkClipboard plain(text.data());
  GlobalMemory blockMemory(anyBlock ? AfxCopyToGlobal(blocks.Data(), blocks.Size(), 1) : nullptr);

  if (!::OpenClipboard(MainWindowHandle())) return FALSE;
  ::EmptyClipboard();
  bool handed = plain.Hand() && HandToClipboard(GetBlockListClipboardFormat(), blockMemory);
  if (!handed) ::EmptyClipboard();  // the text alone would paste as something else
  ::CloseClipboard();
  return handed ? TRUE : FALSE;
}
