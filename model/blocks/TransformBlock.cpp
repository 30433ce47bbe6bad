#include "model/blocks/TransformBlock.h"

#include <memory>
#include <utility>

#include "framework/ClientDC.h"
#include "framework/DC.h"
#include "framework/GlobalLock.h"
#include "framework/Pen.h"
#include "model/blocks/BlockView.h"
#include "model/blocks/GroupBlock.h"
#include "model/blocks/ModelServices.h"
#include "model/blocks/TransformService.h"
#include "model/document/SegArray.h"
#include "model/editing/DragState.h"
#include "model/editing/FeedbackTools.h"
#include "model/geometry/Contour.h"
#include "model/geometry/MatrixFactories.h"
#include "model/records/BlockRecord.h"
#include "model/records/BlockRecordReader.h"
#include "model/records/BlockRecordWriter.h"
#include "model/undo/UndoTransformDataRecord.h"

namespace {

const DWORD kEveryColour = 0xFFFFFFFF;

// The result takes the block's attribute word as it is drawn; no undo record may point into it,
// since the next rebuild deletes it.
void SetAttributesQuietly(CBlock* block, WORD attributes) {
  block->m_attributes = attributes;
  if (block->m_type != kGroupBlock) return;
  CGroupBlock* group = static_cast<CGroupBlock*>(block);
  for (INT_PTR i = 0; i < group->GetChildCount(); ++i)
    if (CBlock* child = group->GetChild(i)) SetAttributesQuietly(child, attributes);
}

CGroupBlock* AsGroup(CBlock* block) {
  if (!block || block->m_type == kGroupBlock) return static_cast<CGroupBlock*>(block);
  CGroupBlock* group = new CGroupBlock;
  group->AddChild(block);
  return group;
}

std::vector<BYTE> BytesOf(HGLOBAL memory, int length) {
  std::vector<BYTE> bytes;
  CGlobalLock lock(memory);
  if (lock.Data() && length > 0 && static_cast<SIZE_T>(length) <= lock.Size())
    bytes.assign(lock.Data(), lock.Data() + length);
  return bytes;
}

// Transform records nest by recursion through their sources (and the groups in them): a record
// nested deeper than this is taken as damaged rather than let a crafted file run the stack out.
const int kMaxTransformNesting = 64;
int s_transformNesting = 0;

}  // namespace

CTransformBlock::CTransformBlock() : m_source(nullptr), m_result(nullptr), m_transform(nullptr) {
  m_type = kTransformBlock;
}

CTransformBlock::CTransformBlock(int transformation, CBlock* source) : CTransformBlock() {
  m_source = source;
  if (!source) return;
  m_box = source->m_box;
  if (CTransformService* library = Library()) {
    m_transform = library->InitTransformSeg(transformation, m_box);
    SyncMatrix();
    GetTransformData();
  }
}

CTransformBlock::~CTransformBlock() {
  if (m_transform) {
    if (CTransformService* library = Library()) library->DeleteTransform(m_transform);
  }
  delete m_source;
  delete m_result;
}

CTransformService* CTransformBlock::Library() {
  CTransformService* library = CModelServices::Transform();
  return library && library->IsAvailable() ? library : nullptr;
}

void CTransformBlock::SyncMatrix() const {
  CTransformService* library = m_transform ? Library() : nullptr;
  if (library) library->TFTransSegData(m_transform, m_matrix);
}

CBlock* CTransformBlock::ReleaseSource() {
  CBlock* source = m_source;
  m_source = nullptr;
  return source;
}

std::vector<BYTE> CTransformBlock::GetTransformData() {
  CTransformService* library = m_transform ? Library() : nullptr;
  if (!library) return m_data;
  HGLOBAL data = nullptr;
  int length = library->TFCreateData(m_transform, &data);
  std::vector<BYTE> bytes = BytesOf(data, length);
  if (data) ::GlobalFree(data);
  if (!bytes.empty()) m_data = std::move(bytes);
  return m_data;
}

CMatrix2D CTransformBlock::GetTransformMatrix() const {
  CTransformService* library = m_transform ? Library() : nullptr;
  if (!library) return m_matrix;
  SyncMatrix();
  CMatrix2D matrix = m_matrix;
  library->TFGetTransformMatrix(m_transform, &matrix);
  return matrix;
}

void CTransformBlock::TakeHandleFromData() {
  CTransformService* library = Library();
  if (!library || m_data.empty()) return;
  m_transform = library->TFCreateTransformFromData(m_data.data(), static_cast<int>(m_data.size()));
  SyncMatrix();
}

CGroupBlock* CTransformBlock::Rebuild() {
  if (!m_source) return nullptr;
  std::unique_ptr<CGroupBlock> curves(AsGroup(m_source->ToCurve(kEveryColour)));
  if (!curves) return nullptr;
  curves->FlattenNested();
  CBlock* bent = m_transform ? curves->CreateTransformed(m_transform, curves->m_box) : nullptr;
  if (bent) {
    delete m_result;
    m_result = AsGroup(bent);
  } else if (!m_result) {
    // Nothing bent and nothing shown yet: the source as it is rather than nothing at all.
    m_result = curves.release();
  }
  UpdateBoxFromMatrix();
  return m_result;
}

void CTransformBlock::RestoreTransformData(CBlockView* view, const std::vector<BYTE>& data) {
  if (view) Invalidate(view, TRUE);
  CTransformService* library = Library();
  HANDLE restored = library && !data.empty()
                        ? library->TFCreateTransformFromData(data.data(),
                                                             static_cast<int>(data.size()))
                        : nullptr;
  if (restored) {
    if (m_transform) library->DeleteTransform(m_transform);
    m_transform = restored;
    m_data = data;
    SyncMatrix();
  }
  Rebuild();
  if (view) Invalidate(view, TRUE);
}

int CTransformBlock::CountSourceOnly(const CSegArray& blocks) {
  int count = 0;
  for (INT_PTR i = 0; i < blocks.GetSize(); ++i) {
    CBlock* block = blocks.GetBlock(i);
    if (!block) continue;
    if (block->m_type == kTransformBlock && static_cast<CTransformBlock*>(block)->IsSourceOnly())
      ++count;
    else if (block->m_type == kGroupBlock)
      count += CountSourceOnly(static_cast<CGroupBlock*>(block)->GetChildren());
  }
  return count;
}

void CTransformBlock::UpdateBoxFromMatrix() {
  CBlock* shown = m_result ? static_cast<CBlock*>(m_result) : m_source;
  if (!shown) return;
  CFRect box = shown->m_box;
  m_matrix.TransformRect(&box);
  m_box = box;
}

// ---- Fonts and text of the source ----

void CTransformBlock::ReplaceFont(int oldFont, int oldIndex, int newFont, int newIndex) {
  if (m_source) m_source->ReplaceFont(oldFont, oldIndex, newFont, newIndex);
}

void CTransformBlock::RemountFonts(CFontRebinding& fonts) {
  if (m_source) m_source->RemountFonts(fonts);
}

void CTransformBlock::AppendClipboardText(char* buffer, size_t capacity) {
  if (m_source) m_source->AppendClipboardText(buffer, capacity);
}

// The cut's colour choice offers the colours the transformed outline is drawn in.
void CTransformBlock::AddColourToCombo(HWND combo) {
  if (m_source) m_source->AddColourToCombo(combo);
}

// ---- Drawing ----

void CTransformBlock::Draw(CDC* dc, CMatrix2D* matrix, int flag) {
  if (!m_result && !Rebuild()) return;
  SetAttributesQuietly(m_result, m_attributes);
  CMatrix2D combined = m_matrix;
  if (matrix) combined.Multiply(*matrix);
  m_result->Draw(dc, &combined, flag);
}

void CTransformBlock::DrawForPrint(CDC* dc, CMatrix2D* matrix, int flag) {
  // A document printed before it was ever drawn prints its transformed objects all the same.
  if (!m_result && !Rebuild()) return;
  CMatrix2D combined = m_matrix;
  if (matrix) combined.Multiply(*matrix);
  m_result->DrawForPrint(dc, &combined, flag);
}

void CTransformBlock::DrawOutline(CDC* dc, CMatrix2D* matrix, int) {
  std::unique_ptr<CContour> contour(GetContour(matrix, 0));
  if (!contour) return;
  int rop = dc->SetROP2(R2_NOTXORPEN);
  contour->Draw(dc);
  dc->SetROP2(rop);
}

void CTransformBlock::DrawFilled(CDC* dc, CMatrix2D* matrix, int) {
  std::unique_ptr<CContour> contour(GetContour(matrix, 0));
  if (!contour) return;
  int rop = dc->SetROP2(R2_NOTXORPEN);
  contour->PaintDC(dc);
  dc->SetROP2(rop);
}

void CTransformBlock::DrawNodeEditOverlay(CDC* dc, CMatrix2D* matrix) {
  CTransformService* library = m_transform ? Library() : nullptr;
  if (!library || !dc) return;
  SyncMatrix();
  CMatrix2D display = m_matrix;
  if (matrix) display.Multiply(*matrix);
  int rop = dc->SetROP2(R2_NOTXORPEN);
  CPen* red = CFeedbackTools::RedPen();
  HGDIOBJ pen = red ? dc->SelectObject(red->m_hObject) : nullptr;
  library->DrawTransform(dc->GetSafeHdc(), m_transform, display);
  if (pen) dc->SelectObject(pen);
  dc->SetROP2(rop);
}

void CTransformBlock::DrawOverlayOnView(CBlockView* view) {
  HWND window = view ? view->GetViewWindow() : nullptr;
  if (!window) return;
  CClientDC dc(window);
  DrawNodeEditOverlay(&dc, view->GetDisplayMatrix());
}

// ---- The node tool through the library ----

BOOL CTransformBlock::CanNodeEdit() { return m_transform != nullptr; }

int CTransformBlock::SendMouse(UINT message, UINT keyFlags, float x, float y) {
  CTransformService* library = m_transform ? Library() : nullptr;
  if (!library || m_editMode != kNodeTool) return 0;
  SyncMatrix();
  return library->DoMouseCmd(m_transform, message, keyFlags, x, y);
}

BOOL CTransformBlock::TakeChange(CBlockView* view, const std::vector<BYTE>& before) {
  if (IsRecording(view) && !before.empty() && before != GetTransformData())
    RecordUndo(view, new CUndoTransformDataRecord(this, before));
  Invalidate(view, TRUE);
  Rebuild();
  Invalidate(view, TRUE);
  return TRUE;
}

BOOL CTransformBlock::NodeOnLButtonDown(CBlockView*, UINT keyFlags, float x, float y) {
  std::vector<BYTE> before = GetTransformData();
  int answer = SendMouse(WM_LBUTTONDOWN, keyFlags, x, y);
  m_heldHandle = answer > 0 ? answer : kNoHandle;
  if (answer <= 0) return FALSE;
  m_pressData = std::move(before);
  GetDragState().Press(x, y);
  return TRUE;
}

BOOL CTransformBlock::NodeOnMouseMove(CBlockView* view, UINT keyFlags, float x, float y) {
  // While a handle is dragged the bent frame follows the pointer: erased, moved, drawn again.
  bool dragging = m_heldHandle > 0;
  if (dragging) DrawOverlayOnView(view);
  int answer = SendMouse(WM_MOUSEMOVE, keyFlags, x, y);
  if (dragging) DrawOverlayOnView(view);
  return answer > 0;
}

BOOL CTransformBlock::NodeOnLButtonUp(CBlockView* view, UINT keyFlags, float x, float y) {
  int answer = SendMouse(WM_LBUTTONUP, keyFlags, x, y);
  m_heldHandle = kNoHandle;
  std::vector<BYTE> before = std::move(m_pressData);
  m_pressData.clear();
  return answer ? TakeChange(view, before) : FALSE;
}

BOOL CTransformBlock::OnRButtonDown(CBlockView*, UINT keyFlags, float x, float y) {
  m_pressData = GetTransformData();
  return SendMouse(WM_RBUTTONDOWN, keyFlags, x, y);
}

BOOL CTransformBlock::OnRButtonUp(CBlockView* view, UINT keyFlags, float x, float y) {
  std::vector<BYTE> before = std::move(m_pressData);
  m_pressData.clear();
  return SendMouse(WM_RBUTTONUP, keyFlags, x, y) ? TakeChange(view, before) : FALSE;
}

BOOL CTransformBlock::OnLButtonDblClk(CBlockView*, UINT keyFlags, float x, float y) {
  return SendMouse(WM_LBUTTONDBLCLK, keyFlags, x, y);
}

BOOL CTransformBlock::NodeOnChar(CBlockView* view, UINT ch, UINT flags) {
  CTransformService* library = m_transform ? Library() : nullptr;
  if (!library) return FALSE;
  std::vector<BYTE> before = GetTransformData();
  SyncMatrix();
  return library->TFOnChar(m_transform, ch, flags) ? TakeChange(view, before) : FALSE;
}

BOOL CTransformBlock::NodeOnKeyDown(CBlockView*, UINT key, UINT modifiers) {
  CTransformService* library = m_transform ? Library() : nullptr;
  if (!library) return FALSE;
  SyncMatrix();
  return library->TFKeyDown(m_transform, key, modifiers);
}

// ---- Geometry ----

void CTransformBlock::FitToRect(float left, float top, float right, float bottom) {
  Transform(MakeFitMatrix(m_box, left, top, right, bottom));
}

void CTransformBlock::Offset(float dx, float dy) {
  CBlock::Offset(dx, dy);
  m_matrix.m[6] += dx;
  m_matrix.m[7] += dy;
  SyncMatrix();
}

void CTransformBlock::Transform(const CMatrix2D& matrix) {
  m_matrix.Multiply(matrix);
  UpdateBoxFromMatrix();
  SyncMatrix();
}

CContour* CTransformBlock::GetContour(const CMatrix2D* matrix, UINT) {
  if (!m_result && !Rebuild()) return nullptr;
  CMatrix2D combined = m_matrix;
  if (matrix) combined.Multiply(*matrix);
  return m_result->GetContour(&combined, 0);
}

CBlock* CTransformBlock::ToCurve(DWORD colour) {
  if (!m_result && !Rebuild()) return nullptr;
  CBlock* curves = m_result->ToCurve(colour);
  if (!curves) return nullptr;
  if (!m_matrix.IsIdentity()) curves->Transform(m_matrix);
  // The curves look as the block was drawn.
  SetAttributesQuietly(curves, m_attributes);
  return curves;
}

void CTransformBlock::SetColour(CBlockView* view, DWORD colour, BOOL redraw) {
  if (!m_source) return;
  // Recorded before the source's own colour record, so that undo rebuilds after the source has
  // its old colour back.
  if (IsRecording(view)) RecordUndo(view, new CUndoTransformDataRecord(this, {}));
  m_source->SetColour(view, colour, FALSE);
  Rebuild();
  if (redraw) Invalidate(view, TRUE);
}

// ---- Record ----

int CTransformBlock::WriteRecord(HGLOBAL* record) {
  *record = nullptr;
  if (!m_source) return 0;
  HGLOBAL source = nullptr;
  int length = m_source->WriteRecord(&source);
  std::vector<BYTE> sourceBytes = BytesOf(source, length);
  if (source) ::GlobalFree(source);
  if (sourceBytes.empty()) return 0;
  std::vector<BYTE> data = GetTransformData();
  CBlockRecordWriter writer(kTransformRecordTag, *this);
  if (!writer.WriteMatrix(m_matrix) || !writer.WriteRect(m_box) ||
      !writer.Fields().WriteBytes(sourceBytes.data(), sourceBytes.size()) ||
      (!data.empty() && !writer.Fields().WriteBytes(data.data(), data.size())))
    return 0;
  return writer.Finish(record);
}

CBlock* LoadTransformBlock(const BYTE* record, size_t available) {
  CBlockRecordReader reader(record, available);
  const size_t kFixed = CTransformBlock::kFixedRecordSize;
  if (!reader.Open(kTransformRecordTag) || reader.Length() < kFixed + kMinRecordLength + 1)
    return nullptr;
  if (s_transformNesting >= kMaxTransformNesting) return nullptr;
  struct NestingLevel {
    NestingLevel() { ++s_transformNesting; }
    ~NestingLevel() { --s_transformNesting; }
  } level;
  std::unique_ptr<CTransformBlock> block(new CTransformBlock);
  reader.ReadHeaderInto(*block, false);
  if (!reader.ReadMatrix(block->m_matrix) || !reader.ReadRect(block->m_box)) return nullptr;
  // The source's record and the data behind it lie before the end byte.
  const size_t room = reader.Length() - kFixed - 1;
  size_t sourceLength = 0;
  if (!CBlockRecordReader::ReadLength(record + kFixed, room, &sourceLength)) return nullptr;
  block->m_source = CreateBlockFromRecord(record + kFixed, sourceLength);
  if (!block->m_source) return nullptr;
  const BYTE* data = record + kFixed + sourceLength;
  block->m_data.assign(data, data + (room - sourceLength));
  block->TakeHandleFromData();
  return block.release();
}
