#include "text/layout/BoxArray.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <memory>
#include <string>

#include "framework/ByteReader.h"
#include "framework/ByteWriter.h"
#include "framework/GlobalLock.h"
#include "model/blocks/BlockView.h"
#include "model/document/DocumentTexts.h"
#include "model/document/SegArray.h"
#include "model/geometry/Matrix2D.h"
#include "model/undo/UndoManager.h"
#include "text/layout/AttrBox.h"
#include "text/layout/CharBox.h"
#include "text/layout/GlyphSource.h"
#include "text/layout/TextDefaults.h"
#include "text/layout/UndoArrayItemRecord.h"

namespace {

// Bytes after the record in its block, as the block list's records have.
const size_t kSpareAfterRecord = 10;

// Inside a block list being read, the list's one report of its damage.
void ReportDamagedArray() {
  ReportDamagedData(AfxLoadString(DocumentText::kDamagedTextArray),
                    AfxLoadString(DocumentText::kDamagedCaption));
}

const CAttrBox* AsAttr(const CTextBox* box) {
  return box && box->IsAttrBox() ? static_cast<const CAttrBox*>(box) : nullptr;
}

bool IsMarkerOf(const CTextBox* box, WORD mask) {
  const CAttrBox* attr = AsAttr(box);
  return attr && attr->Meets(mask);
}

// A box record at the position: its own reader by tag, within the bytes the array holds.
CTextBox* LoadBox(const BYTE* record, size_t available) {
  if (record[0] == CTextBox::kAttrRecordTag) return LoadAttrBox(record, available);
  if (record[0] == CTextBox::kCharRecordTag) return LoadCharBox(record, available);
  return nullptr;
}

float MappedLength(const CMatrix2D& matrix, FPOINT origin, float x, float y) {
  FPOINT point = {x, y};
  matrix.TransformPoint(&point);
  return std::hypot(point.x - origin.x, point.y - origin.y);
}

// A GBK trail byte; a lead byte followed by anything else is no character.
bool IsTrailByte(BYTE byte) { return byte >= 0x40 && byte <= 0xFE && byte != 0x7F; }
bool IsLeadByte(BYTE byte) { return byte >= 0x81 && byte <= 0xFE; }

}  // namespace

CBoxArray::~CBoxArray() { DeleteAll(); }

CTextBox* CBoxArray::GetBox(INT_PTR index) const {
  return index >= 0 && index < GetSize() ? static_cast<CTextBox*>(GetAt(index)) : nullptr;
}

CCharBox* CBoxArray::GetCharBox(INT_PTR index) const {
  CTextBox* box = GetBox(index);
  return box && box->IsCharBox() ? static_cast<CCharBox*>(box) : nullptr;
}

void CBoxArray::DeleteAll() {
  for (INT_PTR i = 0; i < GetSize(); ++i) delete GetBox(i);
  RemoveAll();
}

bool CBoxArray::WriteRecord(CByteWriter& out) const {
  if (GetSize() == 0) return false;
  // Written in place; a box that cannot be written takes the whole array back out.
  size_t start = out.Size();
  bool written = out.WriteByte(kRecordTag) && out.WriteDWord(0);
  for (INT_PTR i = 0; written && i < GetSize(); ++i) {
    // Every box's record goes through the bounded writer, which refuses what does not fit.
    written = GetBox(i)->WriteRecord(out) > 0;
  }
  written = written && out.WriteByte(kEndByte) &&
            out.PatchDWord(start + 1, static_cast<DWORD>(out.Size() - start));
  if (!written) out.Truncate(start);
  return written;
}

int CBoxArray::WriteToMemory(HGLOBAL* out) const {
  *out = nullptr;
  CByteWriter record;
  if (!WriteRecord(record)) return 0;
  HGLOBAL block = ::GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, record.Size() + kSpareAfterRecord);
  if (!block) return 0;
  {
    CGlobalLock lock(block);
    if (!lock.Data()) {
      ::GlobalFree(block);
      return 0;
    }
    std::memcpy(lock.Data(), record.Data(), record.Size());
  }
  *out = block;
  return static_cast<int>(record.Size());
}

namespace {

// The box records that stand whole before the end byte or the first unknown tag: the boxes a
// load will take at most.
INT_PTR CountBoxRecords(const BYTE* record, size_t limit) {
  INT_PTR count = 0;
  size_t position = CTextBox::kRecordHeaderSize;
  while (position < limit) {
    size_t size = record[position] == CTextBox::kAttrRecordTag   ? CAttrBox::kRecordSize
                  : record[position] == CTextBox::kCharRecordTag ? CCharBox::kRecordSize
                                                                 : 0;
    if (size == 0 || size > limit - position) break;
    ++count;
    position += size;
  }
  return count;
}

}  // namespace

CBoxArray* LoadBoxArray(const BYTE* record, size_t available) {
  if (!record || available < 1 || record[0] != CBoxArray::kRecordTag) return nullptr;
  CByteReader header(record, available);
  DWORD length = 0;
  header.Skip(1);
  if (!header.ReadDWord(length) || length < CBoxArray::kEmptyRecordLength) {
    ReportDamagedArray();
    return nullptr;
  }
  // The array's own length bounds every box; bytes beyond it belong to whatever follows.
  size_t limit = std::min<size_t>(length, available);
  std::unique_ptr<CBoxArray> array(new CBoxArray);
  array->Reserve(CountBoxRecords(record, limit));
  bool whole = false;
  size_t position = CTextBox::kRecordHeaderSize;
  while (position < limit) {
    if (record[position] == CBoxArray::kEndByte) {
      whole = position + 1 == length;
      break;
    }
    CTextBox* box = LoadBox(record + position, limit - position);
    if (!box) break;
    array->Add(box);
    // Box readers accept only their exact record length, never 0.
    position += box->IsAttrBox() ? CAttrBox::kRecordSize : CCharBox::kRecordSize;
  }
  if (!whole) ReportDamagedArray();
  if (array->GetSize() == 0) return nullptr;
  return array.release();
}

INT_PTR CBoxArray::IndexOf(const CTextBox* box) const {
  for (INT_PTR i = 0; i < GetSize(); ++i)
    if (GetAt(i) == box) return i;
  return -1;
}

CTextBox* CBoxArray::RemoveAt(INT_PTR index) {
  CTextBox* box = GetBox(index);
  if (box) CPtrArray::RemoveAt(index);
  return box;
}

INT_PTR CBoxArray::Remove(const CTextBox* box) {
  for (INT_PTR i = GetSize() - 1; i >= 0; --i) {
    if (GetAt(i) == box) {
      CPtrArray::RemoveAt(i);
      return i;
    }
  }
  return -1;
}

INT_PTR CBoxArray::PrevCharIndex(INT_PTR position) const {
  for (INT_PTR i = std::min(position, GetSize()) - 1; i >= 0; --i)
    if (GetBox(i)->IsCharBox()) return i;
  return position;
}

INT_PTR CBoxArray::NextCharIndex(INT_PTR position) const {
  for (INT_PTR i = std::max<INT_PTR>(position + 1, 0); i < GetSize(); ++i)
    if (GetBox(i)->IsCharBox()) return i;
  return -1;
}

CTextBox* CBoxArray::FindFirstSelected(INT_PTR* index) const {
  for (INT_PTR i = 0; i < GetSize(); ++i) {
    if (GetBox(i)->IsSelected()) {
      if (index) *index = i;
      return GetBox(i);
    }
  }
  if (index) *index = -1;
  return nullptr;
}

CTextBox* CBoxArray::FindLastSelected(INT_PTR* index) const {
  for (INT_PTR i = GetSize() - 1; i >= 0; --i) {
    if (GetBox(i)->IsSelected()) {
      if (index) *index = i;
      return GetBox(i);
    }
  }
  if (index) *index = -1;
  return nullptr;
}

void CBoxArray::GetTextExtent(float* total, float* largestHeight, int* count,
                              bool wholeAdvances) const {
  float sum = 0, tallest = 0, previous = 0;
  int counted = 0;
  for (INT_PTR i = 0; i < GetSize(); ++i) {
    const CCharBox* box = GetCharBox(i);
    if (!box || box->IsLineBreak()) continue;
    float advance = box->m_width * box->m_ratio;
    if (wholeAdvances)
      sum += advance;
    else
      sum += advance / 2 + (counted > 0 ? previous / 2 : 0);
    previous = advance;
    tallest = std::max(tallest, box->m_height);
    ++counted;
  }
  if (total) *total = sum;
  if (largestHeight) *largestHeight = tallest;
  if (count) *count = counted;
}

void CBoxArray::GetFormatAt(INT_PTR n, CTextDefaults* format) const {
  for (INT_PTR i = 0; i < std::min(n, GetSize()); ++i) {
    const CAttrBox* attr = AsAttr(GetBox(i));
    if (!attr) continue;
    if (attr->m_attrKind == CAttrBox::kBoxGaps) format->boxGaps = attr->GetFloat();
    if (attr->m_attrKind == CAttrBox::kLineGaps) format->lineGaps = attr->GetFloat();
  }
}

void CBoxArray::ApplyCharFormat(const CTextDefaults& format, int flags) {
  WORD fontCode = static_cast<WORD>(format.fontCode & 0x0FFF);
  CGlyphSource* source = CGlyphSource::Installed();
  for (INT_PTR i = 0; i < GetSize(); ++i) {
    CCharBox* box = GetCharBox(i);
    if (!box) continue;
    if ((flags & kApplyFont) && box->Charset() == (fontCode & 0xFF)) {
      box->m_kind = static_cast<WORD>((box->m_kind & 0xF000) | fontCode);
      int row = source ? source->FindRow(box->Charset()) : -1;
      box->m_fontNumber = static_cast<WORD>(format.DefaultFontNumber(row));
      box->ForgetGlyph();
    }
    if (flags & kApplySize) {
      box->m_width = format.fontSizeX;
      box->m_height = format.fontSizeY;
      box->m_inkWidth = box->m_inkHeight = 0;
    }
    if (flags & kApplyAngle) box->m_angle = format.fontAngle;
    if (flags & kApplySkew) {
      box->m_skewX = format.fontSkewX;
      box->m_skewY = format.fontSkewY;
    }
  }
}

void CBoxArray::AppendText(CString& text) const {
  std::string bytes;
  bytes.reserve(static_cast<size_t>(GetSize()) * 2);
  for (INT_PTR i = 0; i < GetSize(); ++i) {
    const CCharBox* box = GetCharBox(i);
    if (!box) continue;
    if (box->m_code >> 8) bytes += static_cast<char>(box->m_code >> 8);
    // A zero byte would end the text early.
    if (box->m_code & 0xFF) bytes += static_cast<char>(box->m_code & 0xFF);
  }
  text += bytes.c_str();
}

CString CBoxArray::GetText() const {
  CString text;
  AppendText(text);
  return text;
}

void CBoxArray::DiscardAt(INT_PTR index) {
  CTextBox* box = RemoveAt(index);
  if (!box) return;
  CBlockView* view = CBlockView::GetActive();
  CUndoManager* undo = view && view->GetUndoDepth() ? view->GetUndoManager() : nullptr;
  if (undo)
    undo->AppendRecord(new CUndoArrayItemRecord(this, box, index));
  else
    delete box;
}

void CBoxArray::RemoveRedundantFormats() {
  INT_PTR lastBoxGaps = -1, lastLineGaps = -1;
  for (INT_PTR i = 0; i < GetSize(); ++i) {
    const CAttrBox* attr = AsAttr(GetBox(i));
    if (!attr) {
      lastBoxGaps = lastLineGaps = -1;
      continue;
    }
    INT_PTR* last = attr->m_attrKind == CAttrBox::kBoxGaps    ? &lastBoxGaps
                    : attr->m_attrKind == CAttrBox::kLineGaps ? &lastLineGaps
                                                              : nullptr;
    if (!last) continue;
    if (*last >= 0) {
      DiscardAt(*last);
      --i;
      INT_PTR* other = last == &lastBoxGaps ? &lastLineGaps : &lastBoxGaps;
      if (*other > *last) --*other;
    }
    *last = i;
  }
}

void CBoxArray::RemoveEmptyFormatPairs(WORD mask) {
  for (INT_PTR i = 0; i < GetSize(); ++i) {
    const CAttrBox* opener = AsAttr(GetBox(i));
    if (!opener || opener->IsCloser() || !opener->Meets(mask)) continue;
    int depth = 1;
    INT_PTR closer = -1;
    bool holdsText = false;
    for (INT_PTR j = i + 1; j < GetSize() && closer < 0 && !holdsText; ++j) {
      const CTextBox* box = GetBox(j);
      if (box->IsCharBox()) {
        holdsText = depth <= 1;
      } else if (IsMarkerOf(box, mask)) {
        depth += static_cast<const CAttrBox*>(box)->IsCloser() ? -1 : 1;
        if (depth == 0) closer = j;
      }
    }
    if (holdsText) continue;
    // An opener that no closer matches and no character follows formats nothing: it goes alone.
    if (closer >= 0) DiscardAt(closer);
    DiscardAt(i);
    --i;
  }
}

void CBoxArray::RemoveFormatBackward(INT_PTR* position, WORD mask) {
  int open = 1;
  for (INT_PTR i = std::min(*position, GetSize()) - 1; i >= 0 && open > 0; --i) {
    if (!IsMarkerOf(GetBox(i), mask)) continue;
    open += static_cast<const CAttrBox*>(GetBox(i))->IsCloser() ? 1 : -1;
    DiscardAt(i);
    --*position;
  }
}

void CBoxArray::RemoveFormatForward(INT_PTR position, WORD mask) {
  int open = 1;
  INT_PTR i = std::max<INT_PTR>(position + 1, 0);
  while (i < GetSize() && open > 0) {
    if (!IsMarkerOf(GetBox(i), mask)) {
      ++i;
      continue;
    }
    open += static_cast<const CAttrBox*>(GetBox(i))->IsCloser() ? -1 : 1;
    DiscardAt(i);
  }
}

void CBoxArray::RemoveFormatInRange(INT_PTR from, INT_PTR to, WORD mask) {
  for (INT_PTR i = std::min(GetSize(), to) - 1; i >= std::max<INT_PTR>(from, 0); --i)
    if (IsMarkerOf(GetBox(i), mask)) DiscardAt(i);
}

void CBoxArray::RemoveFormatAtSelection(WORD mask) {
  INT_PTR i = -1;
  if (!FindFirstSelected(&i)) return;
  while (i > 0 && GetBox(i - 1)->IsAttrBox()) --i;
  while (i < GetSize()) {
    CTextBox* box = GetBox(i);
    if (box->IsCharBox()) {
      if (!box->IsSelected()) break;
      ++i;
    } else if (IsMarkerOf(box, mask)) {
      if (static_cast<CAttrBox*>(box)->IsCloser())
        RemoveFormatBackward(&i, mask);
      else
        RemoveFormatForward(i, mask);
      DiscardAt(i);
    } else {
      ++i;
    }
  }
}

CBoxArray* MakeCharBoxesFromText(LPCSTR text, const CTextDefaults& defaults) {
  std::unique_ptr<CBoxArray> array(new CBoxArray);
  const BYTE* bytes = reinterpret_cast<const BYTE*>(text ? text : "");
  for (size_t i = 0; bytes[i] != 0;) {
    WORD code = bytes[i];
    size_t used = 1;
    if (IsLeadByte(bytes[i])) {
      // The terminator is no trail byte, so a lead byte at the end never pairs with it.
      if (!IsTrailByte(bytes[i + 1])) {
        ++i;
        continue;
      }
      code = static_cast<WORD>(bytes[i] << 8 | bytes[i + 1]);
      used = 2;
    }
    i += used;
    BYTE last = static_cast<BYTE>(code & 0xFF);
    if (last <= 31 && last != CCharBox::kLineBreak) continue;
    CCharBox* box = new CCharBox;
    box->InitFromCode(code, defaults);
    array->Add(box);
  }
  return array->GetSize() > 0 ? array.release() : nullptr;
}

void ScaleBoxSizes(CBoxArray* array, const CMatrix2D& matrix) {
  if (!array || matrix.IsIdentity()) return;
  FPOINT origin = {0, 0};
  matrix.TransformPoint(&origin);
  for (INT_PTR i = 0; i < array->GetSize(); ++i) {
    CCharBox* box = array->GetCharBox(i);
    if (!box) continue;
    float width = MappedLength(matrix, origin, box->m_width, 0);
    float height = MappedLength(matrix, origin, 0, box->m_height);
    box->m_width = width;
    box->m_height = height;
  }
}
