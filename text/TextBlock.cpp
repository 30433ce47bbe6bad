#include "text/TextBlock.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "framework/Brush.h"
#include "framework/ByteReader.h"
#include "framework/ClientDC.h"
#include "framework/DC.h"
#include "framework/GbkClipboard.h"
#include "framework/GbkText.h"
#include "framework/Pen.h"
#include "model/blocks/BlockView.h"
#include "model/blocks/CurveBlock.h"
#include "model/blocks/GroupBlock.h"
#include "model/document/FontRebinding.h"
#include "model/editing/DragState.h"
#include "model/editing/KeyboardCharset.h"
#include "model/editing/MainWindowNotice.h"
#include "model/geometry/Contour.h"
#include "model/geometry/Geometry.h"
#include "model/geometry/ShapeCurves.h"
#include "model/records/BlockRecord.h"
#include "model/records/BlockRecordReader.h"
#include "model/records/BlockRecordWriter.h"
#include "model/undo/UndoManager.h"
#include "text/Language.h"
#include "text/TextServices.h"
#include "text/layout/AttrBox.h"
#include "text/layout/BoxPlacements.h"
#include "text/layout/CharBox.h"
#include "text/layout/DirectionEffect.h"
#include "text/layout/GlyphSource.h"
#include "text/layout/TextEffect.h"
#include "text/layout/UndoArrayItemRecord.h"
#include "text/undo/UndoCaretRecord.h"
#include "text/undo/UndoCharAttrRecord.h"
#include "text/undo/UndoCharColourRecord.h"
#include "text/undo/UndoCharFormatRecord.h"
#include "text/undo/UndoTextEffectRecord.h"
#include "text/undo/UndoTextInsertRecord.h"
#include "text/undo/UndoTextRecord.h"

namespace {

const int kCaretPenWidth = 3;
const float kGlyphUnits = 1024.0f;
const DWORD kAnyColour = 0xFFFFFFFF;
const UINT kBackspaceKey = 8;
// The modifier bit the block base hands with a key for Shift.
const UINT kShiftModifier = 4;
const UINT kFirstCaretKey = 35;
const UINT kLastCaretKey = 40;
// A press becomes a drag once the pointer is this many pixels away in x or y.
const int kDragPixels = 3;
// The private clipboard format of character boxes, shared with the application's formats.
const char kTextBoxFormat[] = "Ravenquillor V60 - [TextBoxes]";

bool IsDoubleByteCharset(int charset) {
  return charset == 128 || charset == 129 || charset == 134 || charset == 136;
}

float MapX(const CMatrix2D& m, float x, float y) { return x * m.m[0] + y * m.m[3] + m.m[6]; }
float MapY(const CMatrix2D& m, float x, float y) { return x * m.m[1] + y * m.m[4] + m.m[7]; }

HWND WindowOf(CBlockView* view) { return view ? view->GetViewWindow() : nullptr; }

CFRect Union(const CFRect& a, const CFRect& b) {
  return CFRect(std::min(a.left, b.left), std::min(a.top, b.top), std::max(a.right, b.right),
                std::max(a.bottom, b.bottom));
}

// Along a path a character's own angle holds its turn to the path, which its placement applies
// already: the glyph is taken with the angle set aside for as long as this lives.
class CTurnSetAside {
public:
  CTurnSetAside(CCharBox* box, bool alongPath)
      : m_box(alongPath ? box : nullptr), m_angle(box->m_angle) {
    if (m_box) m_box->m_angle = 0;
  }
  ~CTurnSetAside() {
    if (m_box) m_box->m_angle = m_angle;
  }
  CTurnSetAside(const CTurnSetAside&) = delete;
  CTurnSetAside& operator=(const CTurnSetAside&) = delete;

private:
  CCharBox* m_box;
  float m_angle;
};

}  // namespace

// ---- Construction and storage ----

CTextBlock::CTextBlock() {
  m_type = kTextBlock;
  m_layoutState.Clear();
}

CTextBlock::~CTextBlock() {
  // The boxes go with the array; the effects refer to them, so they go first.
  m_effect.reset();
  m_layoutBeforeDrag.reset();
  m_boxes.DeleteAll();
}

CTextBlock* CTextBlock::CreateAt(int kind, float left, float top, float right, float bottom) {
  CTextBlock* block = new CTextBlock;
  block->m_box = CFRect(left, top, right, bottom);
  block->m_frame = block->m_box;
  block->m_effect.reset(
      new CDirectionEffect(left, top, right, bottom, &block->m_boxes, &block->m_matrix));
  static_cast<CDirectionEffect*>(block->m_effect.get())->SetKind(static_cast<BYTE>(kind & 3));
  block->m_caretSide = 1;
  return block;
}

int CTextBlock::WriteRecord(HGLOBAL* record) { return WriteRecordThroughAppend(record); }

int CTextBlock::AppendRecordTo(CByteWriter& out) {
  if (!m_effect) return 0;
  CBlockRecordWriter writer(out, kTextRecordTag, *this);
  writer.WriteRect(m_box);
  writer.WriteRect(m_frame);
  writer.WriteMatrix(m_matrix);
  if (m_effect->WriteRecord(writer.Fields()) <= 0) return 0;
  // An empty text writes no box array at all.
  if (m_boxes.GetSize() > 0 && !m_boxes.WriteRecord(writer.Fields())) return 0;
  return writer.Close();
}

CBlock* CTextBlock::FromRecord(const BYTE* record, size_t available) {
  CBlockRecordReader reader(record, available);
  if (!reader.Open(kTextRecordTag) || reader.Length() < kFixedRecordLength + 1) return nullptr;
  // Another type code in a text record would have other code take the block for what it is not.
  if (reader.TypeCode() != kTextBlock) return nullptr;
  std::unique_ptr<CTextBlock> block(new CTextBlock);
  reader.ReadHeaderInto(*block, true);
  if (!reader.ReadRect(block->m_box) || !reader.ReadRect(block->m_frame) ||
      !reader.ReadMatrix(block->m_matrix))
    return nullptr;
  // Everything between the fixed fields and the end byte belongs to the effect and the boxes.
  const BYTE* effect = reader.Data() + kEffectOffset;
  size_t inner = reader.Length() - 1 - kEffectOffset;
  CByteReader lengths(effect, inner);
  int effectLength = 0;
  if (!lengths.Skip(1) || !lengths.ReadInt32(effectLength) || effectLength <= 0 ||
      static_cast<size_t>(effectLength) > inner)
    return nullptr;
  // A text whose layout cannot be read is refused: no text is left without one.
  block->m_effect.reset(LoadTextEffect(effect, effectLength, &block->m_boxes, &block->m_matrix));
  if (!block->m_effect) return nullptr;
  size_t rest = inner - effectLength;
  if (rest == 0) return block.release();
  const BYTE* array = effect + effectLength;
  if (array[0] != CBoxArray::kRecordTag) return nullptr;
  std::unique_ptr<CBoxArray> boxes(LoadBoxArray(array, rest));
  if (boxes) {
    block->m_caret = -1;
    block->InsertBoxesAtCaret(*boxes);
  }
  block->m_caret = -1;
  block->m_caretSide = 1;
  if (block->LacksPathTurns()) block->Relayout(nullptr, 0);
  return block.release();
}

bool CTextBlock::LacksPathTurns() const {
  if (GetEffectKind() != CTextEffect::kPath || !(m_effect->GetAttributes() & CTextEffect::kPathBit))
    return false;
  // Files written before the turns went into the characters' angles hold 0 in every one; a
  // layout along a path leaves a 0 only where the path runs exactly left to right, and there
  // laying out again changes nothing.
  bool any = false;
  for (INT_PTR i = 0; i < m_boxes.GetSize(); ++i) {
    const CCharBox* box = m_boxes.GetCharBox(i);
    if (!box || box->IsLineBreak()) continue;
    if (box->m_angle != 0) return false;
    any = true;
  }
  return any;
}

// ---- Fonts ----

bool CTextBlock::SetFont(CCharBox* box, WORD key, int number) {
  if (box->FontKey() == (key & 0x0FFF) && box->m_fontNumber == number) return false;
  box->m_kind = static_cast<WORD>((box->m_kind & 0xF000) | (key & 0x0FFF));
  box->m_fontNumber = static_cast<WORD>(number);
  box->ForgetGlyph();
  return true;
}

void CTextBlock::ReplaceFont(int oldFont, int oldIndex, int newFont, int newIndex) {
  bool changed = false;
  for (INT_PTR i = 0; i < m_boxes.GetSize(); ++i) {
    CCharBox* box = m_boxes.GetCharBox(i);
    if (!box || box->FontKey() != (oldFont & 0x0FFF) || box->m_fontNumber != oldIndex) continue;
    changed = SetFont(box, static_cast<WORD>(newFont), newIndex) || changed;
  }
  // New glyphs have other widths.
  if (changed) Relayout(nullptr, 0);
}

void CTextBlock::RemountFonts(CFontRebinding& fonts) {
  bool changed = false;
  for (INT_PTR i = 0; i < m_boxes.GetSize(); ++i) {
    CCharBox* box = m_boxes.GetCharBox(i);
    if (!box) continue;
    if (fonts.GetPhase() == CFontRebinding::kDeclare) {
      DeclareFont(fonts, box->FontKey(), box->m_fontNumber);
    } else if (const CFontRebinding::Font* font = fonts.Find(box->FontKey(), box->m_fontNumber)) {
      changed = SetFont(box, font->newKey, font->newNumber) || changed;
    }
    if (fonts.GetPhase() == CFontRebinding::kApplyAll) box->ForgetGlyph();
  }
  if (changed || (fonts.GetPhase() == CFontRebinding::kApplyAll && m_boxes.GetSize() > 0))
    Relayout(nullptr, 0);
}

void CTextBlock::DeclareFont(CFontRebinding& fonts, WORD key, int number) {
  const CLanguage* language = CTextServices::Language();
  if (!language || fonts.Find(key, number)) return;
  BYTE charset = static_cast<BYTE>(key & 0xFF);
  int source = (key >> 8) & 0x0F;
  CString name;
  if (!fonts.Section().FindName(charset, static_cast<BYTE>(source), number, name)) {
    fonts.Declare(key, number, nullptr, -1);
    return;
  }
  fonts.Declare(key, number, &name, language->FindFont(language->FindIndex(charset), source, name));
}

// ---- Box and geometry ----

CFRect CTextBlock::MapRect(const CFRect& rect) const {
  FPOINT corners[4] = {{rect.left, rect.top},
                       {rect.right, rect.top},
                       {rect.right, rect.bottom},
                       {rect.left, rect.bottom}};
  CFRect mapped;
  for (int i = 0; i < 4; ++i) {
    float x = MapX(m_matrix, corners[i].x, corners[i].y);
    float y = MapY(m_matrix, corners[i].x, corners[i].y);
    mapped = i == 0 ? CFRect(x, y, x, y) : Union(mapped, CFRect(x, y, x, y));
  }
  return mapped;
}

CCharBox* CTextBlock::PlacedCharAt(INT_PTR index) const {
  CCharBox* box = m_boxes.GetCharBox(index);
  return box && !box->IsLineBreak() && (box->m_style & CCharBox::kPlaced) ? box : nullptr;
}

void CTextBlock::SetBoxFromExtent(const CFRect& extent) {
  // A matrix of a damaged record can map a finite text onto no float: the box stays as it was,
  // so that the next save writes a record the next open reads.
  CFRect mapped = MapRect(extent);
  if (std::isfinite(mapped.left) && std::isfinite(mapped.top) && std::isfinite(mapped.right) &&
      std::isfinite(mapped.bottom))
    m_box = mapped;
}

bool CTextBlock::TextExtent(CFRect* extent) const {
  bool any = false;
  for (INT_PTR i = 0; i < m_boxes.GetSize(); ++i) {
    const CCharBox* box = m_boxes.GetCharBox(i);
    if (!box || box->m_rect.top == box->m_rect.bottom) continue;
    *extent = any ? Union(*extent, box->m_rect) : box->m_rect;
    any = true;
  }
  return any;
}

void CTextBlock::UpdateBox() {
  CFRect extent;
  if (!TextExtent(&extent)) return;
  SetBoxFromExtent(extent);
  m_frame = m_box;
  auto* straight = dynamic_cast<CDirectionEffect*>(m_effect.get());
  if (!straight) return;
  // Out of editing the frame fits the text, so that its guide, its handles and lines spread over
  // it lie on the text. Under edit it only grows: cut down to the text so far, it would wrap the
  // next character typed at the end of the longest line.
  CFRect frame = m_editMode == kTextTool ? Union(straight->GetFrame(), extent) : extent;
  m_effect->SetFrame(frame.left, frame.top, frame.right, frame.bottom);
}

BOOL CTextBlock::IsEmpty() { return m_boxes.NextCharIndex(-1) < 0 ? TRUE : FALSE; }

void CTextBlock::Offset(float dx, float dy) {
  CBlock::Offset(dx, dy);
  m_frame.left += dx;
  m_frame.right += dx;
  m_frame.top += dy;
  m_frame.bottom += dy;
  if (!m_matrix.IsIdentity()) {
    m_matrix.m[6] += dx;
    m_matrix.m[7] += dy;
    return;
  }
  for (INT_PTR i = 0; i < m_boxes.GetSize(); ++i)
    if (CCharBox* box = m_boxes.GetCharBox(i)) box->Offset(dx, dy);
  if (m_effect) m_effect->Offset(dx, dy);
}

void CTextBlock::SetBox(float left, float top, float right, float bottom) {
  FitToRect(left, top, right, bottom);
  CBlock::SetBox(left, top, right, bottom);
}

void CTextBlock::Transform(const CMatrix2D& matrix) {
  m_matrix.Multiply(matrix);
  UpdateBox();
}

BOOL CTextBlock::HitTest(CBlockView*, float x, float y) {
  if (x < m_box.left || x > m_box.right || y < m_box.top || y > m_box.bottom) return FALSE;
  INT_PTR index = -1;
  return HitTestChars(x, y, kAnyChar, &index) ? TRUE : FALSE;
}

namespace {

// The view as the layout sees it: the layout works in the text's own coordinates, so a pixel
// there is as long as a pixel on the page mapped back through the block's matrix (the longer of
// the two axes, so that a handle is never harder to grab than the pixels say).
class CTextSpaceView : public CBlockView {
public:
  CTextSpaceView(CBlockView* view, const CMatrix2D& inverse) : m_view(view) {
    double pixel = view->GetScale();
    FPOINT origin = {0, 0}, across = {static_cast<float>(pixel), 0};
    FPOINT down = {0, static_cast<float>(pixel)};
    inverse.TransformPoint(&origin);
    inverse.TransformPoint(&across);
    inverse.TransformPoint(&down);
    m_scale = std::max(Distance(origin.x, origin.y, across.x, across.y),
                       Distance(origin.x, origin.y, down.x, down.y));
  }
  HWND GetViewWindow() override { return m_view->GetViewWindow(); }
  CMatrix2D* GetDisplayMatrix() override { return m_view->GetDisplayMatrix(); }
  double GetScale() override { return m_scale; }
  int GetUndoDepth() override { return m_view->GetUndoDepth(); }
  CUndoManager* GetUndoManager() override { return m_view->GetUndoManager(); }
  int GetCurrentTool() override { return m_view->GetCurrentTool(); }

private:
  CBlockView* m_view;
  double m_scale;
};

}  // namespace

BOOL CTextBlock::HitTestHandle(CBlockView* view, float x, float y, int* handle) {
  if (!m_effect) return FALSE;
  if (m_matrix.IsIdentity() || !view)
    return m_effect->HitTestHandle(view, x, y, handle) ? TRUE : FALSE;
  // The handles are drawn through the block's matrix: the point goes back through it.
  bool invertible = true;
  CMatrix2D inverse = m_matrix.Inverted(&invertible);
  if (!invertible) return FALSE;
  CTextSpaceView textSpace(view, inverse);
  return m_effect->HitTestHandle(&textSpace, MapX(inverse, x, y), MapY(inverse, x, y), handle)
             ? TRUE
             : FALSE;
}

void CTextBlock::DrawXorOutline(CDC* dc, CMatrix2D* matrix) {
  if (!m_effect || !dc) return;
  CMatrix2D toDevice = m_matrix;
  if (matrix) toDevice.Multiply(*matrix);
  m_effect->DrawGuideXor(dc, toDevice);
}

void CTextBlock::DrawHandleXor(CBlockView* view, int, float, float) {
  HWND window = WindowOf(view);
  CMatrix2D* display = view ? view->GetDisplayMatrix() : nullptr;
  if (!window || !display) return;
  CFRect frame = m_frame;
  CClientDC dc(window);
  DrawXorOutline(&dc, display);
  m_frame = frame;
}

void CTextBlock::MoveHandle(UINT, int handle, float x, float y) {
  if (!m_effect) return;
  // A drag keeps the layout it started from for its undo: undo puts that layout back exactly.
  if (m_heldHandle != kNoHandle && !m_layoutBeforeDrag)
    m_layoutBeforeDrag.reset(CloneTextEffect(*m_effect));
  CMatrix2D inverse = m_matrix.Inverted();
  m_effect->MoveHandle(CBlockView::GetActive(), handle, MapX(inverse, x, y), MapY(inverse, x, y));
}

BOOL CTextBlock::FinishHandleDrag(CBlockView* view, UINT keyFlags, float x, float y) {
  CDragState& drag = GetDragState();
  bool moved = drag.moved != 0;
  if (moved) MoveHandle(keyFlags, m_heldHandle, x, y);
  std::unique_ptr<CTextEffect> before = std::move(m_layoutBeforeDrag);
  if (moved && before && IsRecording(view))
    RecordUndo(view, new CUndoTextEffectRecord(this, std::move(before)));
  drag.moved = 0;
  m_heldHandle = kNoHandle;
  if (moved) {
    Relayout(view, -1);
    UpdateBox();
  }
  return TRUE;
}

// ---- Drawing ----

CMatrix2D CTextBlock::PlacementOf(const CCharBox* box) const {
  CMatrix2D placement = m_effect ? m_effect->GetBoxMatrix(box) : CMatrix2D();
  placement.Multiply(m_matrix);
  return placement;
}

CMatrix2D CTextBlock::ToDevice(CBlockView* view) const {
  CMatrix2D toDevice = m_matrix;
  if (CMatrix2D* display = view ? view->GetDisplayMatrix() : nullptr) toDevice.Multiply(*display);
  return toDevice;
}

template <class Function>
void CTextBlock::ForEachGlyph(const CMatrix2D* matrix, Function draw) const {
  if (!m_effect) return;
  for (INT_PTR i = 0; i < m_boxes.GetSize(); ++i) {
    CCharBox* box = m_boxes.GetCharBox(i);
    if (!box || box->IsLineBreak()) continue;
    CMatrix2D placement = PlacementOf(box);
    if (matrix) placement.Multiply(*matrix);
    CTurnSetAside turn(box, TurnsInPlacement());
    draw(box, placement);
  }
}

void CTextBlock::Draw(CDC* dc, CMatrix2D* matrix, int) {
  if (!dc) return;
  ForEachGlyph(matrix,
               [dc](CCharBox* box, const CMatrix2D& placement) { box->Draw(dc, &placement); });
}

CFRect CTextBlock::GetDrawnBox() const {
  CFRect drawn = m_box;
  drawn.Normalize();
  ForEachGlyph(nullptr, [&drawn](CCharBox* box, const CMatrix2D& placement) {
    CFRect glyph;
    if (box->GetDrawnBounds(placement, &glyph)) drawn = Union(drawn, glyph);
  });
  return drawn;
}

CFRect CTextBlock::DrawnBoxOf(CCharBox* box) const {
  CFRect drawn = MapRect(box->m_rect);
  CMatrix2D placement = PlacementOf(box);
  CTurnSetAside turn(box, TurnsInPlacement());
  CFRect glyph;
  if (!box->IsLineBreak() && box->GetDrawnBounds(placement, &glyph)) drawn = Union(drawn, glyph);
  return drawn;
}

std::vector<CFRect> CTextBlock::DrawnBoxesOfChars() const {
  std::vector<CFRect> drawn(static_cast<size_t>(m_boxes.GetSize()));
  for (INT_PTR i = 0; i < m_boxes.GetSize(); ++i) {
    CCharBox* box = m_boxes.GetCharBox(i);
    if (box && !box->IsLineBreak()) drawn[static_cast<size_t>(i)] = DrawnBoxOf(box);
  }
  return drawn;
}

void CTextBlock::DrawForPrint(CDC* dc, CMatrix2D* matrix, int flag) { Draw(dc, matrix, flag); }

CContour* CTextBlock::GetContour(const CMatrix2D* matrix, UINT) {
  if (!m_effect) return nullptr;
  CContour* joined = nullptr;
  for (INT_PTR i = 0; i < m_boxes.GetSize(); ++i) {
    CCharBox* box = m_boxes.GetCharBox(i);
    if (!box || box->IsLineBreak()) continue;
    CMatrix2D placement = PlacementOf(box);
    if (matrix) placement.Multiply(*matrix);
    CTurnSetAside turn(box, TurnsInPlacement());
    CContour* glyph = box->GetContour(&placement);
    if (!glyph) continue;
    if (!joined) {
      glyph->ApplyMatrix();
      joined = glyph;
      continue;
    }
    joined->Append(glyph);
    delete glyph;
  }
  return joined;
}

CBlock* CTextBlock::ToCurve(DWORD colour) {
  if (!m_effect) return nullptr;
  std::vector<CBlock*> curves;
  for (INT_PTR i = 0; i < m_boxes.GetSize(); ++i) {
    CCharBox* box = m_boxes.GetCharBox(i);
    if (!box || box->IsLineBreak()) continue;
    if (colour != kAnyColour && box->m_colour != colour) continue;
    CMatrix2D placement = PlacementOf(box);
    CTurnSetAside turn(box, TurnsInPlacement());
    std::unique_ptr<CContour> glyph(box->GetContour(&placement));
    if (!glyph) continue;
    glyph->ApplyMatrix();
    CCurveBlock* curve = MakeCurveFromContour(*glyph, box->m_colour);
    if (!curve) continue;
    curve->m_selected = 0;
    curve->m_attributes = (box->m_style & CCharBox::kFilled) ? kSolidAttr : 0;
    curves.push_back(curve);
  }
  if (curves.empty()) return nullptr;
  if (curves.size() == 1) return curves.front();
  CGroupBlock* group = new CGroupBlock;
  for (CBlock* curve : curves) group->AddChild(curve);
  return group;
}

CBlock* CTextBlock::GetEffectOutline() const {
  CBlock* outline = m_effect ? m_effect->GetOutlineBlock() : nullptr;
  if (!outline) return nullptr;
  outline->Transform(m_matrix);
  if (outline->m_type == kCurveBlock) static_cast<CCurveBlock*>(outline)->ApplyMatrix();
  return outline;
}

std::unique_ptr<CTextEffect> CTextBlock::ReplaceEffect(std::unique_ptr<CTextEffect> effect) {
  m_effect.swap(effect);
  return effect;
}

void CTextBlock::TakeEffect(CBlockView* view, std::unique_ptr<CTextEffect> effect) {
  std::unique_ptr<CTextEffect> old = ReplaceEffect(std::move(effect));
  bool leavesPath = old && old->GetKind() == CTextEffect::kPath && !TurnsInPlacement();
  // The record keeps the characters' angles as they are before anything below changes them.
  if (IsRecording(view)) RecordUndo(view, new CUndoTextEffectRecord(this, std::move(old)));
  // Off the path the turns it gave would turn the characters themselves.
  if (leavesPath)
    for (INT_PTR i = 0; i < m_boxes.GetSize(); ++i)
      if (CCharBox* box = m_boxes.GetCharBox(i)) box->m_angle = 0;
  Relayout(view, -1);
  UpdateBox();
}

bool CTextBlock::TurnsInPlacement() const { return GetEffectKind() == CTextEffect::kPath; }

BYTE CTextBlock::GetEffectKind() const { return m_effect ? m_effect->GetKind() : 0; }

UINT CTextBlock::GetPanelId() {
  return m_effect ? static_cast<UINT>(m_effect->GetPanelId()) : kEmptyPanelId;
}

void CTextBlock::SetPanelCaption(HWND panel) {
  if (m_effect)
    m_effect->SetPanelCaption(panel);
  else
    CBlock::SetPanelCaption(panel);
}

HWND CTextBlock::CreatePanel(HWND parent) {
  HWND panel = m_effect ? m_effect->CreatePanel(parent) : nullptr;
  return panel ? panel : CBlock::CreatePanel(parent);
}

void CTextBlock::FillPanel(HWND host) {
  if (m_effect) m_effect->FillPanel(host);
}

BOOL CTextBlock::ApplyPanel(HWND panel) {
  if (!m_effect) return FALSE;
  CBlockView* view = CBlockView::GetActive();
  std::unique_ptr<CTextEffect> before(CloneTextEffect(*m_effect));
  if (!m_effect->ApplyPanel(panel)) return FALSE;
  if (before && IsRecording(view))
    RecordUndo(view, new CUndoTextEffectRecord(this, std::move(before)));
  Relayout(view, -1);
  UpdateBox();
  return TRUE;
}

void CTextBlock::AppendText(CString& text) { m_boxes.AppendText(text); }

void CTextBlock::AppendClipboardText(char* buffer, size_t capacity) {
  if (!buffer || capacity == 0) return;
  size_t used = strnlen(buffer, capacity);
  if (used >= capacity) return;
  std::string text;
  for (INT_PTR i = 0; i < m_boxes.GetSize(); ++i) {
    const CCharBox* box = m_boxes.GetCharBox(i);
    if (!box) continue;
    std::string piece;
    if (box->IsLineBreak()) {
      piece = "\r\n";
    } else {
      if (box->m_code >> 8) piece += static_cast<char>(box->m_code >> 8);
      // A zero byte would end the text early.
      if (box->m_code & 0xFF) piece += static_cast<char>(box->m_code & 0xFF);
    }
    if (text.empty() && used > 0) piece.insert(0, "\r\n");
    // Whole characters only: half a double-byte character would spoil what follows it.
    if (used + text.size() + piece.size() >= capacity) break;
    text += piece;
  }
  std::memcpy(buffer + used, text.c_str(), text.size() + 1);
}

// ---- Attributes and colour ----

void CTextBlock::SetAttrBits(CBlockView* view, WORD bits, WORD mask) {
  CBlock::SetAttrBits(view, bits, mask);
  if (!(mask & kSolidAttr)) return;
  bool fill = (bits & kSolidAttr) != 0;
  bool selectedOnly = m_editMode == kTextTool;
  CBlockView* undoView = view ? view : CBlockView::GetActive();
  for (INT_PTR i = 0; i < m_boxes.GetSize(); ++i) {
    CCharBox* box = m_boxes.GetCharBox(i);
    if (!box || (selectedOnly && !box->IsSelected())) continue;
    WORD style = fill ? (box->m_style | CCharBox::kFilled) : (box->m_style & ~CCharBox::kFilled);
    if (style == box->m_style) continue;
    if (IsRecording(undoView))
      RecordUndo(undoView, new CUndoCharAttrRecord(this, box, box->m_style));
    box->m_style = style;
  }
}

void CTextBlock::SetColour(CBlockView* view, DWORD colour, BOOL redraw) {
  SetCharsColour(view, 0, m_boxes.GetSize() - 1, colour, redraw);
}

void CTextBlock::SetCharsColour(CBlockView* view, INT_PTR from, INT_PTR to, DWORD colour,
                                BOOL redraw) {
  for (INT_PTR i = std::max<INT_PTR>(from, 0); i <= to && i < m_boxes.GetSize(); ++i) {
    CCharBox* box = m_boxes.GetCharBox(i);
    if (!box || box->m_colour == colour) continue;
    if (IsRecording(view)) RecordUndo(view, new CUndoCharColourRecord(this, box, box->m_colour));
    box->m_colour = colour;
    if (redraw) InvalidateBox(view, box);
  }
}

void CTextBlock::AddColourToCombo(HWND combo) {
  if (!combo) return;
  for (INT_PTR i = 0; i < m_boxes.GetSize(); ++i) {
    const CCharBox* box = m_boxes.GetCharBox(i);
    if (!box || box->IsLineBreak() || box->m_code == CCharBox::kSpace) continue;
    char text[16];
    snprintf(text, sizeof text, "%lu", static_cast<unsigned long>(box->m_colour));
    if (::SendMessageA(combo, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                       reinterpret_cast<LPARAM>(text)) == CB_ERR)
      ::SendMessageA(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text));
  }
}

void CTextBlock::SetCharFlags(CBlockView* view, INT_PTR from, INT_PTR to, WORD set, WORD clear) {
  bool recorded = false;
  for (INT_PTR i = std::max<INT_PTR>(from, 0); i <= to && i < m_boxes.GetSize(); ++i) {
    CCharBox* box = m_boxes.GetCharBox(i);
    if (!box) continue;
    if (IsRecording(view)) {
      if (!recorded) RecordUndo(view, new CUndoTextRecord(this, from));
      recorded = true;
      RecordUndo(view, new CUndoCharAttrRecord(this, box, box->m_style));
    }
    box->m_style = static_cast<WORD>(set | (box->m_style & ~clear));
    box->ForgetGlyph();
  }
  m_relayoutStart = from;
  Relayout(view, -1);
}

BOOL CTextBlock::ApplyFormatToSelection(CBlockView* view, const CTextDefaults& format, int flags) {
  INT_PTR first = -1, last = -1;
  if (!m_boxes.FindFirstSelected(&first) || !m_boxes.FindLastSelected(&last)) return FALSE;
  ApplyFormat(view, format, flags, first, last);
  return TRUE;
}

int CTextBlock::FormatDifferences(const CCharBox* box, const CTextDefaults& format, int flags) {
  const float kSizeTolerance = 0.01f;
  int differs = 0;
  if ((flags & CBoxArray::kApplySize) &&
      (std::fabs(box->m_width - format.fontSizeX) > kSizeTolerance ||
       std::fabs(box->m_height - format.fontSizeY) > kSizeTolerance))
    differs |= CBoxArray::kApplySize;
  if ((flags & CBoxArray::kApplyAngle) && box->m_angle != format.fontAngle)
    differs |= CBoxArray::kApplyAngle;
  if ((flags & CBoxArray::kApplySkew) &&
      (box->m_skewX != format.fontSkewX || box->m_skewY != format.fontSkewY))
    differs |= CBoxArray::kApplySkew;
  // A font belongs to one character set: characters of another keep theirs.
  WORD fontCode = static_cast<WORD>(format.fontCode & 0x0FFF);
  if ((flags & CBoxArray::kApplyFont) && box->Charset() == (fontCode & 0xFF)) {
    CGlyphSource* source = CGlyphSource::Installed();
    int row = source ? source->FindRow(box->Charset()) : -1;
    if (box->FontKey() != fontCode || box->m_fontNumber != format.DefaultFontNumber(row))
      differs |= CBoxArray::kApplyFont;
  }
  return differs;
}

int CTextBlock::ApplyFormat(CBlockView* view, const CTextDefaults& format, int flags, INT_PTR from,
                            INT_PTR to) {
  // Sizes are lengths on the page: through a matrix they become the block's own units.
  CTextDefaults own = format;
  if (!m_matrix.IsIdentity()) {
    float ox = MapX(m_matrix, 0, 0), oy = MapY(m_matrix, 0, 0);
    float unitX = Distance(ox, oy, MapX(m_matrix, 1, 0), MapY(m_matrix, 1, 0));
    float unitY = Distance(ox, oy, MapX(m_matrix, 0, 1), MapY(m_matrix, 0, 1));
    if (unitX > 0) own.fontSizeX /= unitX;
    if (unitY > 0) own.fontSizeY /= unitY;
  }
  // Each character is tested on its own, so that one that already has the values does not keep
  // the rest of the selection from taking them.
  int changed = 0;
  INT_PTR firstChanged = -1;
  for (INT_PTR i = std::max<INT_PTR>(from, 0); i <= to && i < m_boxes.GetSize(); ++i) {
    CCharBox* box = m_boxes.GetCharBox(i);
    int differs = box ? FormatDifferences(box, own, flags) : 0;
    if (!differs) continue;
    if (firstChanged < 0) {
      firstChanged = i;
      if (IsRecording(view)) RecordUndo(view, new CUndoTextRecord(this, i));
    }
    if (IsRecording(view)) RecordUndo(view, new CUndoCharFormatRecord(this, box));
    CBoxArray one;
    one.Add(box);
    one.ApplyCharFormat(own, differs);
    // The array only lent the box.
    one.RemoveAll();
    ++changed;
  }
  if (firstChanged >= 0) Relayout(view, static_cast<int>(firstChanged));
  return changed;
}

int CTextBlock::AlignLineStart(CBlockView* view) {
  if (IsRecording(view)) RecordUndo(view, new CUndoTextRecord(this, -1));
  m_boxes.RemoveFormatAtSelection(CAttrBox::kAlignOpen);
  INT_PTR first = -1, last = -1;
  if (!m_boxes.FindFirstSelected(&first) || !m_boxes.FindLastSelected(&last)) return 0;
  // The closer first, so that the opener's index still holds.
  CAttrBox* closer = new CAttrBox(CAttrBox::kAlignClose, 0);
  CAttrBox* opener = new CAttrBox(CAttrBox::kAlignOpen, 0);
  m_boxes.InsertAt(last + 1, closer);
  m_boxes.InsertAt(first, opener);
  if (IsRecording(view)) {
    RecordUndo(view, new CUndoTextInsertRecord(this, closer));
    RecordUndo(view, new CUndoTextInsertRecord(this, opener));
  }
  m_boxes.RemoveEmptyFormatPairs(CAttrBox::kAlignOpen);
  Relayout(view, static_cast<int>(std::max<INT_PTR>(first - 1, 0)));
  return 1;
}

void CTextBlock::RemoveAttrBoxes(CBlockView* view, INT_PTR from, INT_PTR to) {
  if (IsRecording(view)) RecordUndo(view, new CUndoTextRecord(this, -1));
  INT_PTR start = PrevCharIndex(from);
  if (start < 0) start = 0;
  for (INT_PTR i = std::min(to, m_boxes.GetSize() - 1); i >= start; --i) {
    const CTextBox* box = m_boxes.GetBox(i);
    if (!box || !box->IsAttrBox() || static_cast<const CAttrBox*>(box)->m_attrKind == 0) continue;
    WORD kind = static_cast<const CAttrBox*>(box)->m_attrKind;
    if (kind == CAttrBox::kAlignOpen) {
      m_boxes.RemoveFormatForward(i, CAttrBox::kAlignOpen);
    } else if (kind == CAttrBox::kAlignClose) {
      INT_PTR at = i;
      m_boxes.RemoveFormatBackward(&at, CAttrBox::kAlignOpen);
      i = at;
    }
    if (i < m_boxes.GetSize() && m_boxes.GetBox(i) && m_boxes.GetBox(i)->IsAttrBox())
      DiscardBoxAt(view, i);
  }
  Relayout(view, 0);
}

bool CTextBlock::GetCharSize(INT_PTR index, float* width, float* height) const {
  const CCharBox* box = m_boxes.GetCharBox(index);
  if (!box) return false;
  if (m_matrix.IsIdentity()) {
    *width = box->m_width;
    *height = box->m_height;
    return true;
  }
  float ox = MapX(m_matrix, 0, 0), oy = MapY(m_matrix, 0, 0);
  *width = Distance(ox, oy, MapX(m_matrix, box->m_width, 0), MapY(m_matrix, box->m_width, 0));
  *height = Distance(ox, oy, MapX(m_matrix, 0, box->m_height), MapY(m_matrix, 0, box->m_height));
  return true;
}

// ---- Insertion ----

INT_PTR CTextBlock::InsertChar(CTextBox* box) {
  if (m_caret < 0) {
    m_caret = 0;
    m_caretSide = 1;
    if (m_boxes.GetSize() == 0) {
      CTextDefaults& defaults = CTextDefaults::Global();
      if (defaults.lineGaps != 0) {
        m_boxes.Add(new CAttrBox(CAttrBox::kLineGaps, defaults.lineGaps));
        ++m_caret;
      }
      if (defaults.boxGaps != 0) {
        m_boxes.Add(new CAttrBox(CAttrBox::kBoxGaps, defaults.boxGaps));
        ++m_caret;
      }
    }
  } else if (m_caretSide == 0) {
    ++m_caret;
  }
  m_caret = std::min(m_caret, m_boxes.GetSize());
  m_boxes.InsertAt(m_caret, box);
  m_caretSide = 1;
  return m_caret;
}

int CTextBlock::InsertBoxesAtCaret(CBoxArray& array) {
  if (m_caret < 0) {
    m_caret = 0;
    m_caretSide = 1;
  } else if (m_caretSide == 0) {
    ++m_caret;
  }
  INT_PTR at = std::min(m_caret, m_boxes.GetSize());
  if (m_boxes.IsEmpty())
    m_boxes.Swap(array);  // a text read from its record
  else
    m_boxes.InsertAt(at, &array);
  array.RemoveAll();
  m_caretSide = 1;
  return 1;
}

void CTextBlock::FitBoxToPage(CCharBox* box) const {
  // The character keeps the current font size on the page whatever the block's matrix does.
  bool invertible = false;
  CMatrix2D inverse = m_matrix.Inverted(&invertible);
  if (!invertible) return;
  const CTextDefaults& defaults = CTextDefaults::Global();
  float ox = MapX(m_matrix, 0, 0), oy = MapY(m_matrix, 0, 0);
  auto lengthAlong = [&](float ax, float ay, float size) {
    float angle = AngleOf(ox, oy, MapX(m_matrix, ax, ay), MapY(m_matrix, ax, ay));
    float px = ox + size * std::cos(angle), py = oy - size * std::sin(angle);
    float mx0 = MapX(inverse, ox, oy), my0 = MapY(inverse, ox, oy);
    return Distance(mx0, my0, MapX(inverse, px, py), MapY(inverse, px, py));
  };
  box->m_width = lengthAlong(defaults.fontSizeX, 0, defaults.fontSizeX);
  box->m_height = lengthAlong(0, defaults.fontSizeY, defaults.fontSizeY);
}

BOOL CTextBlock::TextOnChar(CBlockView* view, UINT ch, UINT) {
  if (ch < 32 && ch != CCharBox::kLineBreak) return FALSE;
  const CTextDefaults& defaults = CTextDefaults::Global();
  int charset = ::GetKeyboardCharset();
  int boxCharset = charset;
  WORD code = static_cast<WORD>(ch);
  if (IsDoubleByteCharset(charset)) {
    m_lastInput = static_cast<BYTE>(ch);
    if (ch <= 128) {
      boxCharset = defaults.singleByteCharset;
    } else if (ch <= 256) {
      if (!m_pendingLead) {
        m_pendingLead = static_cast<BYTE>(ch);
        return FALSE;
      }
      code = static_cast<WORD>((m_pendingLead << 8) | (ch & 0xFF));
      m_pendingLead = m_lastInput = 0;
    } else {
      m_pendingLead = m_lastInput = 0;
    }
  } else if (ch > 0xFF) {
    // A whole double-byte character handed over by the view in any keyboard set.
    boxCharset = defaults.eastAsianCharset;
  }
  CCharBox* box = new CCharBox;
  if (code >= CCharBox::kFirstDoubleByte && !IsDoubleByteCharset(boxCharset))
    box->InitFromCode(code, defaults);
  else
    box->Init(boxCharset, code, defaults);
  if (!m_matrix.IsIdentity()) FitBoxToPage(box);
  INT_PTR index = InsertChar(box);
  if (IsRecording(view)) RecordUndo(view, new CUndoTextInsertRecord(this, box));
  m_ticks = 0;
  m_caret = index;
  m_caretSide = 0;
  if (m_relayoutStart < 0) StartRelayoutTimer(view, index);
  return TRUE;
}

void CTextBlock::StartRelayoutTimer(CBlockView* view, INT_PTR from) {
  m_relayoutStart = from;
  if (HWND window = WindowOf(view)) ::SetTimer(window, kRelayoutTimer, kRelayoutPeriod, nullptr);
}

BOOL CTextBlock::OnTimer(CBlockView* view, UINT_PTR timer) {
  if (timer != kRelayoutTimer) return FALSE;
  if (++m_ticks < kTicksBeforeLayout) return TRUE;
  if (HWND window = WindowOf(view)) ::KillTimer(window, kRelayoutTimer);
  m_ticks = -1;
  Relayout(view, -1);
  m_relayoutStart = -1;
  if (HWND window = WindowOf(view)) ::UpdateWindow(window);
  return TRUE;
}

void CTextBlock::Relayout(CBlockView* view, int from) {
  if (!m_effect) return;
  bool shown = m_caretShown != 0;
  if (shown) HideCaret(view);
  INT_PTR start = from >= 0 ? from : m_relayoutStart >= 0 ? m_relayoutStart : 0;
  const CBoxPlacements before(m_boxes);
  // Without a window nothing is repainted, and no glyph needs measuring for it.
  const bool repaints = WindowOf(view) != nullptr;
  const std::vector<CFRect> drawnBefore = repaints ? DrawnBoxesOfChars() : std::vector<CFRect>();
  m_effect->Layout(start);
  m_relayoutStart = -1;
  for (INT_PTR i = 0; i < m_boxes.GetSize(); ++i)
    if (CCharBox* box = PlacedCharAt(i)) m_effect->PlaceBox(box);
  // A layout whose arithmetic overflowed on a damaged record is not taken: the characters keep
  // the places they had, which the record held finite.
  if (!CBoxPlacements::ArePlacedFinite(m_boxes)) before.Restore(m_boxes);
  for (INT_PTR i = 0; i < m_boxes.GetSize(); ++i) {
    CCharBox* box = PlacedCharAt(i);
    if (!box) continue;
    if (repaints) {
      InvalidatePageRect(view, drawnBefore[static_cast<size_t>(i)]);
      InvalidateBox(view, box);
    }
    box->m_style &= static_cast<WORD>(~CCharBox::kPlaced);
  }
  CFRect extent;
  if (TextExtent(&extent)) SetBoxFromExtent(extent);
  if (shown) SetCaret(view, m_caret, m_caretSide);
}

// ---- Deleting ----

void CTextBlock::DiscardBoxAt(CBlockView* view, INT_PTR index) {
  CTextBox* box = m_boxes.GetBox(index);
  if (!box) return;
  if (box->IsCharBox()) InvalidateBox(view, static_cast<CCharBox*>(box));
  m_boxes.RemoveAt(index);
  if (IsRecording(view))
    RecordUndo(view, new CUndoArrayItemRecord(&m_boxes, box, index, this));
  else
    delete box;
}

void CTextBlock::DeleteCharAtCaret(CBlockView* view) {
  if (!m_boxes.GetCharBox(m_caret)) return;
  CUndoManager* undo = view ? view->GetUndoManager() : nullptr;
  if (undo) undo->BeginStep();
  if (IsRecording(view)) RecordUndo(view, new CUndoTextRecord(this, m_caret));
  INT_PTR removed = m_caret;
  DiscardBoxAt(view, removed);
  if (m_caretSide == 0) {
    // After the character before the gap; with none, before the one that follows it.
    INT_PTR previous = PrevCharIndex(removed);
    if (previous >= 0)
      m_caret = previous;
    else
      m_caretSide = 1;
  }
  NormalizeCaret(&m_caret, &m_caretSide);
  Relayout(view, static_cast<int>(std::max<INT_PTR>(m_caret, 0)));
  m_relayoutStart = -1;
  if (undo) undo->EndStep();
}

void CTextBlock::DeleteSelection(CBlockView* view) {
  INT_PTR first = -1, last = -1;
  m_boxes.FindFirstSelected(&first);
  m_boxes.FindLastSelected(&last);
  if (first < 0) return;
  INT_PTR before = PrevCharIndex(first);
  m_caret = before >= 0 ? before : PrevCharIndex(last);
  m_caretSide = before >= 0 ? 0 : 1;
  m_selectedCount = 0;
  if (IsRecording(view)) {
    RecordUndo(view, new CUndoTextRecord(this, m_caret));
    RecordUndo(view, new CUndoCaretRecord(this, m_caret, m_anchor));
  }
  for (INT_PTR i = last; i >= first; --i) {
    CTextBox* box = m_boxes.GetBox(i);
    if (box && box->IsSelected()) DiscardBoxAt(view, i);
  }
  m_caret = first;
  m_caretSide = 1;
  NormalizeCaret(&m_caret, &m_caretSide);
  Relayout(view, static_cast<int>(std::max<INT_PTR>(m_caret, 0)));
}

void CTextBlock::TextDelete(CBlockView* view) {
  if (m_caret < 0) return;
  if (m_boxes.FindFirstSelected(nullptr)) {
    DeleteSelection(view);
    return;
  }
  if (m_caretSide == 0) {
    INT_PTR next = NextCharIndex(m_caret);
    if (next < 0) return;
    m_caret = next;
    m_caretSide = 1;
  }
  DeleteCharAtCaret(view);
}

void CTextBlock::TextBackspace(CBlockView* view) {
  if (m_caret < 0) return;
  HideCaret(view);
  INT_PTR first = -1;
  if (m_boxes.FindFirstSelected(&first)) {
    DeleteSelection(view);
    INT_PTR before = PrevCharIndex(first);
    if (before >= 0) SetCaret(view, before, 0);
    return;
  }
  if (m_caretSide == 1) {
    INT_PTR previous = PrevCharIndex(m_caret);
    if (previous < 0) return;
    m_caret = previous;
    m_caretSide = 0;
  }
  DeleteCharAtCaret(view);
}

BOOL CTextBlock::TextOnKeyDown(CBlockView* view, UINT key, UINT modifiers) {
  if (key == kBackspaceKey) {
    if (m_caret < 0) return FALSE;
    TextBackspace(view);
    return TRUE;
  }
  if (key < kFirstCaretKey || key > kLastCaretKey || !m_effect) return FALSE;
  bool shift = (modifiers & kShiftModifier) != 0;
  INT_PTR anchor = m_caret;
  int anchorSide = m_caretSide;
  if (shift) GetSelectionAnchor(&anchor, &anchorSide);
  int side = m_caretSide;
  INT_PTR caret = m_effect->OnKeyDown(static_cast<int>(key), m_caret, &side);
  if (caret < 0) return FALSE;
  if (m_selectedCount > 0 || m_boxes.FindFirstSelected(nullptr)) DrawSelection(view, true);
  SetCaret(view, caret, side);
  if (shift) ExtendSelection(view, anchor, anchorSide);
  return TRUE;
}

// ---- Caret ----

INT_PTR CTextBlock::PrevCharIndex(INT_PTR index) const {
  INT_PTR previous = m_boxes.PrevCharIndex(index);
  return previous < index && m_boxes.GetCharBox(previous) ? previous : -1;
}

void CTextBlock::NormalizeCaret(INT_PTR* index, int* side) const {
  INT_PTR count = m_boxes.GetSize();
  if (*index < 0) {
    *index = NextCharIndex(-1);
    *side = 1;
    return;
  }
  if (*index >= count) {
    *index = PrevCharIndex(count);
    *side = *index >= 0 ? 0 : 1;
    return;
  }
  if (m_boxes.GetCharBox(*index)) return;
  INT_PTR next = NextCharIndex(*index);
  if (next >= 0) {
    *index = next;
    *side = 1;
    return;
  }
  INT_PTR previous = PrevCharIndex(*index);
  *index = previous;
  *side = previous >= 0 ? 0 : 1;
}

void CTextBlock::ComputeCaretLine() {
  if (!m_effect) return;
  if (m_caret < 0) {
    const CTextDefaults& defaults = CTextDefaults::Global();
    m_effect->GetStartPoint(&m_caretTop, &m_caretBottom, defaults.fontSizeX, defaults.fontSizeY);
  } else {
    m_effect->GetCaretPos(m_caret, m_caretSide, &m_caretTop, &m_caretBottom);
  }
}

void CTextBlock::DrawCaretLine(CBlockView* view) {
  HWND window = WindowOf(view);
  if (!window) return;
  CMatrix2D toDevice = ToDevice(view);
  FPOINT top = m_caretTop, bottom = m_caretBottom;
  POINT from, to;
  toDevice.TransformPointToInt(&top, &from);
  toDevice.TransformPointToInt(&bottom, &to);
  CClientDC dc(window);
  CPen pen(PS_SOLID, kCaretPenWidth, RGB(0, 0, 0));
  CPen* previous = dc.SelectObject(&pen);
  int mode = dc.SetROP2(R2_NOTXORPEN);
  dc.MoveTo(from);
  dc.LineTo(to);
  dc.SetROP2(mode);
  dc.SelectObject(previous);
}

void CTextBlock::HideCaret(CBlockView* view) {
  if (!m_caretShown) return;
  DrawCaretLine(view);
  m_caretShown = 0;
}

void CTextBlock::ShowCaret(CBlockView* view) {
  HideCaret(view);
  if (m_caret < 0) m_caretSide = 1;
  ComputeCaretLine();
  DrawCaretLine(view);
  m_caretShown = 1;
}

void CTextBlock::RefreshCaret(CBlockView* view) {
  bool shown = m_caretShown != 0;
  HideCaret(view);
  ComputeCaretLine();
  if (shown || m_editMode == kTextTool) {
    DrawCaretLine(view);
    m_caretShown = 1;
  }
}

void CTextBlock::SetCaret(CBlockView* view, INT_PTR index, int side) {
  HideCaret(view);
  m_caret = index;
  m_caretSide = side;
  NormalizeCaret(&m_caret, &m_caretSide);
  ComputeCaretLine();
  DrawCaretLine(view);
  m_caretShown = 1;
}

void CTextBlock::PlaceCaretAtPoint(CBlockView* view, INT_PTR index, float x, float y) {
  if (!m_effect) return;
  CMatrix2D inverse = m_matrix.Inverted();
  float mx = MapX(inverse, x, y), my = MapY(inverse, x, y);
  HideCaret(view);
  m_caretSide = m_effect->HitTestCaret(index, mx, my, &m_caretTop, &m_caretBottom);
  m_caret = index;
  if (index < 0) ComputeCaretLine();
  DrawCaretLine(view);
  m_caretShown = 1;
}

// ---- Selection ----

bool CTextBlock::HitTestChars(float x, float y, int filter, INT_PTR* index) const {
  bool invertible = false;
  CMatrix2D inverse = m_matrix.Inverted(&invertible);
  if (!invertible) return false;
  float mx = MapX(inverse, x, y), my = MapY(inverse, x, y);
  for (INT_PTR i = 0; i < m_boxes.GetSize(); ++i) {
    const CCharBox* box = m_boxes.GetCharBox(i);
    if (!box) continue;
    const CFRect& r = box->m_rect;
    if (mx < std::min(r.left, r.right) || mx > std::max(r.left, r.right) ||
        my < std::min(r.top, r.bottom) || my > std::max(r.top, r.bottom))
      continue;
    if ((filter == kUnselectedChar && box->IsSelected()) ||
        (filter == kSelectedChar && !box->IsSelected()))
      continue;
    *index = i;
    return true;
  }
  return false;
}

void CTextBlock::SelectRange(INT_PTR a, INT_PTR b) {
  m_selectedCount = 0;
  for (INT_PTR i = 0; i < m_boxes.GetSize(); ++i)
    if (CCharBox* box = m_boxes.GetCharBox(i)) box->m_style &= ~CCharBox::kSelected;
  if (a < 0 && b < 0) return;
  INT_PTR low = std::max<INT_PTR>(std::min(a, b), 0);
  INT_PTR high = std::min(std::max(a, b), m_boxes.GetSize() - 1);
  for (INT_PTR i = low; i <= high; ++i) {
    CCharBox* box = m_boxes.GetCharBox(i);
    if (!box) continue;
    box->m_style |= CCharBox::kSelected;
    if (!box->IsLineBreak()) ++m_selectedCount;
  }
}

void CTextBlock::GetSelectionAnchor(INT_PTR* anchor, int* side) const {
  INT_PTR first = -1, last = -1;
  if (!m_boxes.FindFirstSelected(&first)) {
    *anchor = m_caret;
    *side = m_caretSide;
    return;
  }
  m_boxes.FindLastSelected(&last);
  // The end of the selection away from the caret.
  if (std::abs(m_caret - first) <= std::abs(m_caret - last)) {
    *anchor = last;
    *side = 0;
  } else {
    *anchor = first;
    *side = 1;
  }
}

void CTextBlock::ExtendSelection(CBlockView* view, INT_PTR anchor, int anchorSide) {
  // A position between characters: the box index and its side give the gap before it (side 1)
  // or after it (side 0); the selection is every character between the two gaps.
  auto gap = [](INT_PTR index, int side) { return side ? index : index + 1; };
  INT_PTR a = gap(anchor, anchorSide), b = gap(m_caret, m_caretSide);
  SelectRange(-1, -1);
  if (a != b) SelectRange(std::min(a, b), std::max(a, b) - 1);
  DrawSelection(view, false);
}

void CTextBlock::DrawSelection(CDC* dc, const CMatrix2D* matrix, bool clear) {
  if (dc) {
    HDC hdc = dc->GetSafeHdc();
    int mode = ::SetROP2(hdc, R2_NOTXORPEN);
    HGDIOBJ brush = ::SelectObject(hdc, ::GetStockObject(BLACK_BRUSH));
    HGDIOBJ pen = ::SelectObject(hdc, ::GetStockObject(NULL_PEN));
    for (INT_PTR i = 0; i < m_boxes.GetSize(); ++i) {
      CCharBox* box = m_boxes.GetCharBox(i);
      if (!box || !box->IsSelected()) continue;
      CMatrix2D cell = PlacementOf(box);
      if (matrix) cell.Multiply(*matrix);
      float ratio = box->m_ratio > 0 ? box->m_ratio : (box->IsDoubleByte() ? 1.0f : 0.5f);
      FPOINT corners[4] = {{0, 0},
                           {ratio * kGlyphUnits, 0},
                           {ratio * kGlyphUnits, kGlyphUnits},
                           {0, kGlyphUnits}};
      POINT points[4];
      for (int k = 0; k < 4; ++k) cell.TransformPointToInt(&corners[k], &points[k]);
      ::Polygon(hdc, points, 4);
    }
    ::SelectObject(hdc, pen);
    ::SelectObject(hdc, brush);
    ::SetROP2(hdc, mode);
  }
  if (clear) SelectRange(-1, -1);
}

void CTextBlock::DrawSelection(CBlockView* view, bool clear) {
  HWND window = WindowOf(view);
  if (!window) {
    if (clear) SelectRange(-1, -1);
    return;
  }
  CClientDC dc(window);
  CMatrix2D* display = view->GetDisplayMatrix();
  DrawSelection(&dc, display, clear);
}

void CTextBlock::InvalidateBox(CBlockView* view, CCharBox* box) {
  if (box && WindowOf(view)) InvalidatePageRect(view, DrawnBoxOf(box));
}

void CTextBlock::InvalidatePageRect(CBlockView* view, CFRect page) {
  HWND window = WindowOf(view);
  CMatrix2D* display = view ? view->GetDisplayMatrix() : nullptr;
  if (!window || !display) return;
  RECT pixels;
  display->TransformRectToInt(&page, &pixels);
  ::InflateRect(&pixels, kCaretPenWidth + 1, kCaretPenWidth + 1);
  ::InvalidateRect(window, &pixels, FALSE);
}

CBoxArray* CTextBlock::CopySelectedBoxes() const {
  CBoxArray* copies = nullptr;
  for (INT_PTR i = 0; i < m_boxes.GetSize(); ++i) {
    const CTextBox* box = m_boxes.GetBox(i);
    if (!box || !box->IsSelected()) continue;
    if (!copies) copies = new CBoxArray;
    copies->Add(box->Clone());
  }
  return copies;
}

CBoxArray* CTextBlock::CutSelectedBoxes(CBlockView* view, INT_PTR* index) {
  CBoxArray* taken = nullptr;
  INT_PTR lowest = -1;
  for (INT_PTR i = 0; i < m_boxes.GetSize();) {
    CTextBox* box = m_boxes.GetBox(i);
    if (!box->IsSelected()) {
      ++i;
      continue;
    }
    if (view) InvalidateBox(view, static_cast<CCharBox*>(box));
    if (!taken) taken = new CBoxArray;
    if (lowest < 0) lowest = i;
    taken->Add(m_boxes.RemoveAt(i));
  }
  m_selectedCount = 0;
  if (index) *index = lowest;
  if (taken) {
    m_caret = lowest;
    m_caretSide = 1;
    NormalizeCaret(&m_caret, &m_caretSide);
  }
  return taken;
}

// ---- Editing state ----

BOOL CTextBlock::CanTextEdit() {
  m_pendingLead = m_lastInput = 0;
  return TRUE;
}

BOOL CTextBlock::HasEditSelection() { return m_editMode == kTextTool ? TRUE : FALSE; }

BOOL CTextBlock::EndTextEdit(CBlockView* view) {
  if (m_relayoutStart >= 0) return FALSE;
  DrawSelection(view, true);
  HideCaret(view);
  m_caret = -1;
  m_anchor = -1;
  m_editMode = 0;
  UpdateBox();
  return TRUE;
}

void CTextBlock::DrawTextEditOverlay(CDC* dc, CMatrix2D* matrix) {
  if (!dc) return;
  if (m_caretShown) {
    CMatrix2D toDevice = m_matrix;
    if (matrix) toDevice.Multiply(*matrix);
    FPOINT top = m_caretTop, bottom = m_caretBottom;
    POINT from, to;
    toDevice.TransformPointToInt(&top, &from);
    toDevice.TransformPointToInt(&bottom, &to);
    CPen pen(PS_SOLID, kCaretPenWidth, RGB(0, 0, 0));
    CPen* previous = dc->SelectObject(&pen);
    int mode = dc->SetROP2(R2_NOTXORPEN);
    dc->MoveTo(from);
    dc->LineTo(to);
    dc->SetROP2(mode);
    dc->SelectObject(previous);
  }
  DrawSelection(dc, matrix, false);
}

// ---- Cursors and mouse ----

BOOL CTextBlock::TextUpdateCursor(CBlockView* view, UINT keyFlags, float x, float y) {
  if (keyFlags & MK_LBUTTON) return FALSE;
  INT_PTR index = -1;
  if (HitTestChars(x, y, kSelectedChar, &index)) {
    m_heldHandle = static_cast<int>(index);
    m_cursorOperation = kTextTool;
    if (HWND window = WindowOf(view))
      ::SetClassLongPtrA(window, GCLP_HCURSOR,
                         reinterpret_cast<LONG_PTR>(::LoadCursor(nullptr, IDC_ARROW)));
  }
  return TRUE;
}

BOOL CTextBlock::DragUpdateCursor(CBlockView* view, UINT keyFlags, float x, float y) {
  INT_PTR index = -1;
  if (!(keyFlags & MK_LBUTTON) || !HitTestChars(x, y, kAnyChar, &index)) return FALSE;
  m_heldHandle = static_cast<int>(index);
  m_cursorOperation = kTextDragTool;
  PlaceCaretAtPoint(view, index, x, y);
  return TRUE;
}

BOOL CTextBlock::DragResetCursor(CBlockView* view) {
  CBlock::DragResetCursor(view);
  HideCaret(view);
  return TRUE;
}

BOOL CTextBlock::TextOnLButtonDown(CBlockView* view, UINT, float x, float y) {
  INT_PTR index = -1;
  if (!HitTestChars(x, y, kUnselectedChar, &index)) return FALSE;
  DrawSelection(view, true);
  m_anchor = index;
  PlaceCaretAtPoint(view, index, x, y);
  m_press = {x, y};
  m_pressed = true;
  m_dragStarted = false;
  return TRUE;
}

BOOL CTextBlock::TextOnMouseMove(CBlockView* view, UINT keyFlags, float x, float y) {
  // Only a press that placed this block's caret selects; other drags belong to the tool.
  if (!m_pressed || !(keyFlags & MK_LBUTTON)) return FALSE;
  if (!m_dragStarted) {
    double limit = kDragPixels * (view ? view->GetScale() : 1.0);
    if (std::fabs(x - m_press.x) <= limit && std::fabs(y - m_press.y) <= limit) return TRUE;
    m_dragStarted = true;
  }
  INT_PTR index = -1;
  if (m_anchor < 0 || !HitTestChars(x, y, kAnyChar, &index)) return TRUE;
  PlaceCaretAtPoint(view, index, x, y);
  DrawSelection(view, true);
  SelectRange(m_anchor, index);
  DrawSelection(view, false);
  return TRUE;
}

BOOL CTextBlock::TextOnLButtonUp(CBlockView*, UINT, float x, float y) {
  if (!m_pressed) return FALSE;
  m_pressed = false;
  m_dragStarted = false;
  m_press = {x, y};
  float width = 0, height = 0;
  if (m_caret < 0 || !GetCharSize(m_caret, &width, &height)) return TRUE;
  // The next characters typed take the size of the one clicked.
  CTextDefaults& defaults = CTextDefaults::Global();
  defaults.fontSizeX = width;
  defaults.fontSizeY = height;
  ReportCharacter(m_boxes.GetCharBox(m_caret));
  return TRUE;
}

void CTextBlock::ReportCharacter(CCharBox* box) const {
  // The size shown is that of the glyph's cell: its outline's box, else the whole em (half of
  // it across for a single-byte character).
  float cellWidth = box->IsDoubleByte() ? kGlyphUnits : kGlyphUnits / 2, cellHeight = kGlyphUnits;
  CTurnSetAside turn(box, TurnsInPlacement());
  if (std::unique_ptr<CContour> glyph{box->GetContour(nullptr)}) {
    const CFRect& ink = glyph->GetBox();
    cellWidth = ink.right - ink.left;
    cellHeight = ink.bottom - ink.top;
  }
  float ox = MapX(m_matrix, 0, 0), oy = MapY(m_matrix, 0, 0);
  float unitX = Distance(ox, oy, MapX(m_matrix, 1, 0), MapY(m_matrix, 1, 0));
  float unitY = Distance(ox, oy, MapX(m_matrix, 0, 1), MapY(m_matrix, 0, 1));
  float size[2] = {cellWidth * box->m_width / kGlyphUnits * unitX,
                   cellHeight * box->m_height / kGlyphUnits * unitY};
  SendToMainWindow(kCharSizeNotice, reinterpret_cast<LPARAM>(size));
  CString name;
  const CLanguage* language = CTextServices::Language();
  if (language && language->GetName(language->FindIndex(box->Charset()), name))
    SendToMainWindow(kLanguageNotice, reinterpret_cast<LPARAM>(static_cast<LPCSTR>(name)));
}

namespace {

CTextBlock::EditorSelectionCopier g_editorSelectionCopier = nullptr;

}  // namespace

CTextBlock::EditorSelectionCopier CTextBlock::SetEditorSelectionCopier(
    EditorSelectionCopier copier) {
  EditorSelectionCopier previous = g_editorSelectionCopier;
  g_editorSelectionCopier = copier;
  return previous;
}

BOOL CTextBlock::OnLButtonDblClk(CBlockView* view, UINT keyFlags, float, float) {
  if (m_editMode != kTextTool) return FALSE;
  bool ctrl = (keyFlags & MK_CONTROL) != 0, shift = (keyFlags & MK_SHIFT) != 0;
  if (!ctrl || shift) {
    SendToMainWindow(kShowTextEditor, 0);
    return TRUE;
  }
  // Whatever else the clipboard holds was not asked for: only the editor's selection is pasted.
  if (!g_editorSelectionCopier || !g_editorSelectionCopier(WindowOf(view))) return TRUE;
  PasteFromClipboard(view);
  return TRUE;
}

// ---- Clipboard ----

UINT CTextBlock::GetClipboardFormat() { return ::RegisterClipboardFormatA(kTextBoxFormat); }

BOOL CTextBlock::CopyToClipboard(HWND owner) {
  std::unique_ptr<CBoxArray> copies(CopySelectedBoxes());
  if (!copies) return FALSE;
  CString text;
  copies->AppendText(text);
  CGbkClipboard plain(text);
  if (!::OpenClipboard(owner)) return FALSE;
  ::EmptyClipboard();
  plain.Hand();
  ScaleBoxSizes(copies.get(), m_matrix);
  HGLOBAL record = nullptr;
  if (copies->WriteToMemory(&record) > 0 && record) {
    UINT format = ::RegisterClipboardFormatA(kTextBoxFormat);
    if (!::SetClipboardData(format, record)) ::GlobalFree(record);
  }
  ::CloseClipboard();
  return TRUE;
}

BOOL CTextBlock::PasteFromClipboard(CBlockView* view) {
  HWND owner = WindowOf(view);
  if (!::OpenClipboard(owner)) return FALSE;
  std::unique_ptr<CBoxArray> boxes;
  bool held = true;
  UINT format = ::RegisterClipboardFormatA(kTextBoxFormat);
  if (HGLOBAL record = ::GetClipboardData(format)) {
    if (const BYTE* data = static_cast<const BYTE*>(::GlobalLock(record))) {
      boxes.reset(LoadBoxArray(data, ::GlobalSize(record)));
      ::GlobalUnlock(record);
    }
  } else {
    CString text;
    held = CGbkClipboard::Read(&text);
    boxes.reset(MakeCharBoxesFromText(text, CTextDefaults::Global()));
  }
  ::CloseClipboard();
  if (!held) CGbkText::ShowRefusal(owner);
  if (!boxes || boxes->GetSize() == 0) return FALSE;
  bool invertible = false;
  CMatrix2D inverse = m_matrix.Inverted(&invertible);
  if (invertible && !m_matrix.IsIdentity()) ScaleBoxSizes(boxes.get(), inverse);
  INT_PTR at = m_caret;
  std::vector<CTextBox*> inserted(boxes->GetSize());
  for (INT_PTR i = 0; i < boxes->GetSize(); ++i) inserted[i] = boxes->GetBox(i);
  InsertBoxesAtCaret(*boxes);
  // A paste is one step of its own, so that one undo takes all of it out again.
  CUndoManager* undo = view ? view->GetUndoManager() : nullptr;
  if (undo) undo->BeginStep();
  if (IsRecording(view)) {
    RecordUndo(view, new CUndoTextRecord(this, std::max<INT_PTR>(at - 1, 0)));
    for (CTextBox* box : inserted) RecordUndo(view, new CUndoTextInsertRecord(this, box));
  }
  if (undo) undo->EndStep();
  Relayout(view, static_cast<int>(std::max<INT_PTR>(at - 1, 0)));
  m_relayoutStart = -1;
  return TRUE;
}
