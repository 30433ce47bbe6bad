#include "model/document/AuxObjectList.h"

#include <cstring>

#include "framework/ByteReader.h"
#include "framework/ByteWriter.h"
#include "framework/DC.h"
#include "framework/File.h"
#include "framework/GlobalLock.h"
#include "framework/WinApp.h"
#include "framework/Wnd.h"
#include "model/blocks/AuxObject.h"
#include "model/blocks/BlockView.h"
#include "model/records/BlockRecord.h"

namespace {

const size_t kBlockHeaderSize = 5;  // tag and length
// A copied block holds at least one record past its header (9 bytes before the end byte).
const size_t kSmallestCopiedBlock = 9;

// Smallest record length of each kind: everything up to and including its end byte.
size_t MinimumRecordLength(BYTE tag) {
  switch (tag) {
    case CAuxObject::kGuideLineType:
      return 20;
    case CAuxObject::kOutputAreaType:
      return 24;
    default:
      return 0;
  }
}

HWND ClipboardOwner() {
  CWnd* mainWindow = AfxGetMainWnd();
  return mainWindow ? mainWindow->GetSafeHwnd() : nullptr;
}

// The record of one object appended to the block under construction; false when it wrote none.
bool AppendRecord(CAuxObject* object, CByteWriter& block) {
  HGLOBAL record = nullptr;
  int length = object->WriteRecord(&record);
  bool appended = false;
  if (length > 0 && record) {
    CGlobalLock lock(record);
    if (lock.Data() && static_cast<size_t>(length) <= lock.Size())
      appended = block.WriteBytes(lock.Data(), static_cast<size_t>(length));
  }
  if (record) ::GlobalFree(record);
  return appended;
}

HGLOBAL CopyToGlobal(const CByteWriter& bytes) {
  HGLOBAL memory = ::GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, bytes.Size());
  if (!memory) return nullptr;
  CGlobalLock lock(memory);
  if (!lock.Data()) {
    ::GlobalFree(memory);
    return nullptr;
  }
  memcpy(lock.Data(), bytes.Data(), bytes.Size());
  return memory;
}

}  // namespace

CAuxObjectList::~CAuxObjectList() { DeleteAll(); }

CAuxObject* CAuxObjectList::GetObjectAt(INT_PTR index) const {
  return static_cast<CAuxObject*>(GetAt(index));
}

void CAuxObjectList::AddObject(CAuxObject* object) {
  if (object) Add(object);
}

void CAuxObjectList::TakeAll(CAuxObjectList& other) {
  if (&other == this) return;
  for (INT_PTR i = 0; i < other.GetSize(); ++i) Add(other.GetAt(i));
  other.RemoveAll();
  other.ForgetSelection();
}

void CAuxObjectList::DeleteAll() {
  for (INT_PTR i = 0; i < GetSize(); ++i) delete GetObjectAt(i);
  RemoveAll();
  ForgetSelection();
}

void CAuxObjectList::ForgetSelection() {
  m_current = nullptr;
  m_selectedCount = 0;
}

template <class Operation>
void CAuxObjectList::ForSelectedInXor(CDC* dc, Operation operation) {
  int previousMode = dc ? dc->SetROP2(R2_NOTXORPEN) : 0;
  for (INT_PTR i = 0; i < GetSize(); ++i) {
    CAuxObject* object = GetObjectAt(i);
    if (object->GetState() != CAuxObject::kNormalState) operation(object);
  }
  if (dc) dc->SetROP2(previousMode);
}

void CAuxObjectList::SelectObject(CDC* dc, const CMatrix2D& matrix, const CFRect& visible,
                                  CAuxObject* object) {
  if (!object) return;
  int previousMode = dc ? dc->SetROP2(R2_NOTXORPEN) : 0;
  object->SetState(CAuxObject::kSelectedState);
  object->DrawXor(dc, matrix, visible);
  if (dc) dc->SetROP2(previousMode);
  if (m_selectedCount == 0) m_current = object;
  ++m_selectedCount;
}

void CAuxObjectList::DeselectAll(CDC* dc, const CMatrix2D& matrix, const CFRect& visible) {
  ForSelectedInXor(dc, [&](CAuxObject* object) {
    object->DrawXor(dc, matrix, visible);
    object->SetState(CAuxObject::kNormalState);
  });
  ForgetSelection();
}

void CAuxObjectList::DrawSelected(CDC* dc, const CMatrix2D& matrix, const CFRect& visible) {
  ForSelectedInXor(dc, [&](CAuxObject* object) { object->DrawXor(dc, matrix, visible); });
}

void CAuxObjectList::RedrawSelected(CDC* dc, const CMatrix2D& matrix, const CFRect& visible) {
  ForSelectedInXor(dc, [&](CAuxObject* object) {
    if (object->GetState() != CAuxObject::kSelectedState) return;
    object->DrawXor(dc, matrix, visible);
    object->Draw(dc, matrix, visible);
  });
}

void CAuxObjectList::MarkSelected(CDC* dc, const CMatrix2D& matrix, const CFRect& visible) {
  ForSelectedInXor(dc, [&](CAuxObject* object) { object->SetMarkState(dc, matrix, visible); });
}

void CAuxObjectList::SetSelectedState(CDC* dc, const CMatrix2D& matrix, const CFRect& visible) {
  ForSelectedInXor(dc, [&](CAuxObject* object) { object->SetSelectState(dc, matrix, visible); });
}

void CAuxObjectList::OffsetSelected(float dx, float dy) {
  for (INT_PTR i = 0; i < GetSize(); ++i) {
    CAuxObject* object = GetObjectAt(i);
    if (object->GetState() != CAuxObject::kNormalState) object->Offset(dx, dy);
  }
}

void CAuxObjectList::DeleteSelected(CBlockView* view) {
  for (INT_PTR i = GetSize() - 1; i >= 0; --i) {
    CAuxObject* object = GetObjectAt(i);
    if (object->GetState() == CAuxObject::kNormalState) continue;
    object->Invalidate(view, FALSE);
    RemoveAt(i);
    delete object;
  }
  ForgetSelection();
  HWND window = view ? view->GetViewWindow() : nullptr;
  if (IsEmpty() && window) ::InvalidateRect(window, nullptr, FALSE);
}

CAuxObject* CAuxObjectList::HitTest(float x, float y, float tolerance) const {
  for (INT_PTR i = 0; i < GetSize(); ++i) {
    CAuxObject* object = GetObjectAt(i);
    if (object->HitTest(x, y, tolerance)) return object;
  }
  return nullptr;
}

int CAuxObjectList::BuildBlock(bool selectedOnly, HGLOBAL* block) const {
  *block = nullptr;
  CByteWriter writer;
  writer.WriteByte(kAuxListRecordTag);
  writer.WriteInt32(0);  // the length, known at the end
  bool any = false;
  for (INT_PTR i = 0; i < GetSize(); ++i) {
    CAuxObject* object = GetObjectAt(i);
    if (selectedOnly && object->GetState() != CAuxObject::kSelectedState) continue;
    if (AppendRecord(object, writer)) any = true;
  }
  if (!any || !writer.WriteByte(kListEndByte)) return 0;
  writer.PatchDWord(1, static_cast<DWORD>(writer.Size()));
  *block = CopyToGlobal(writer);
  return *block ? static_cast<int>(writer.Size()) : 0;
}

int CAuxObjectList::WriteToMemory(HGLOBAL* block) const { return BuildBlock(false, block); }

int CAuxObjectList::WriteToFile(CFile& file) const {
  HGLOBAL block = nullptr;
  int length = WriteToMemory(&block);
  if (length <= 0) return 0;
  try {
    CGlobalLock lock(block);
    file.Write(lock.Data(), static_cast<UINT>(length));
  } catch (...) {
    ::GlobalFree(block);
    throw;
  }
  ::GlobalFree(block);
  return 1;
}

UINT CAuxObjectList::GetClipboardFormat() {
  // The same name gives the same format as the one registered at start-up.
  static const UINT format = ::RegisterClipboardFormatA("Ravenquillor V60 - [OBJMULTI]");
  return format;
}

int CAuxObjectList::CopySelectedToClipboard() const {
  if (IsEmpty()) return 0;
  // Built before the clipboard is opened: running out of memory on the way leaves it closed.
  HGLOBAL block = nullptr;
  int length = BuildBlock(true, &block);
  if (!::OpenClipboard(ClipboardOwner())) {
    if (block) ::GlobalFree(block);
    return 0;
  }
  ::EmptyClipboard();
  int result = 1;
  if (length <= 0) {
    result = 0;
  } else if (static_cast<size_t>(length) - 1 <= kSmallestCopiedBlock - 1) {
    ::GlobalFree(block);
  } else if (!::SetClipboardData(GetClipboardFormat(), block)) {
    ::GlobalFree(block);
  }
  ::CloseClipboard();
  return result;
}

int CAuxObjectList::PasteFromClipboard() {
  if (!::OpenClipboard(ClipboardOwner())) return 0;
  CAuxObjectList* pasted = nullptr;
  HANDLE data = ::GetClipboardData(GetClipboardFormat());
  if (data) {
    CGlobalLock lock(data);
    if (lock.Data()) pasted = LoadAuxObjectList(lock.Data(), lock.Size());
  }
  ::CloseClipboard();
  if (!pasted) return 0;
  TakeAll(*pasted);
  delete pasted;
  return 1;
}

CAuxObjectList* LoadAuxObjectList(const BYTE* block, size_t available, bool* damaged) {
  if (damaged) *damaged = false;
  CByteReader header(block, available);
  BYTE tag = 0;
  DWORD length = 0;
  if (!header.ReadByte(tag) || tag != kAuxListRecordTag) return nullptr;
  if (!header.ReadDWord(length) || length > available || length < kBlockHeaderSize + 1) {
    if (damaged) *damaged = true;
    return nullptr;
  }
  CAuxObjectList* list = nullptr;
  size_t end = length - 1;  // the end byte's position; records lie before it
  size_t position = kBlockHeaderSize;
  while (position + 2 < length) {
    BYTE recordTag = block[position];
    size_t minimum = MinimumRecordLength(recordTag);
    if (minimum == 0) break;
    DWORD recordLength = 0;
    CByteReader lengthField(block + position + 1, end - position - 1);
    if (!lengthField.ReadDWord(recordLength) || recordLength < minimum ||
        recordLength > end - position) {
      delete list;
      if (damaged) *damaged = true;
      return nullptr;
    }
    CAuxObject* object = CreateAuxObjectFromRecord(block + position, recordLength);
    if (object) {
      if (!list) list = new CAuxObjectList;
      list->AddObject(object);
    }
    position += recordLength;
  }
  return list;
}
