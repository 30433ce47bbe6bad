#include "output/StampBlock.h"

#include <algorithm>
#include <cstring>
#include <memory>
#include <optional>
#include <utility>
#include <vector>

#include "framework/Brush.h"
#include "framework/ByteReader.h"
#include "framework/DC.h"
#include "framework/Pen.h"
#include "model/blocks/BlockView.h"
#include "model/blocks/CurveBlock.h"
#include "model/editing/MainWindowNotice.h"
#include "model/geometry/Contour.h"
#include "model/geometry/ContourShapes.h"
#include "model/geometry/ShapeCurves.h"
#include "model/records/BlockRecord.h"
#include "model/records/BlockRecordReader.h"
#include "model/records/BlockRecordWriter.h"
#include "model/undo/UndoColourRecord.h"
#include "model/undo/UndoManager.h"
#include "model/undo/UndoScope.h"
#include "output/SquareSealDlg.h"
#include "output/StampLayout.h"
#include "output/UndoStampRecord.h"
#include "text/layout/CharBox.h"
#include "text/layout/TextDefaults.h"
#include "text/undo/UndoCharAttrRecord.h"

namespace {

const float kGlyphUnits = 1024.0f;
const DWORD kAnyColour = 0xFFFFFFFF;
const UINT kShowObjectTypeCommand = 32840;
const BYTE kFirstDoubleByte = 129;
const BYTE kSingleByteCharset = 0;

COLORREF PlatformColour(DWORD colour) {
  return RGB((colour >> 16) & 0xFF, (colour >> 8) & 0xFF, colour & 0xFF);
}

// A character that the layout gave a cell; the others are neither drawn nor cut.
bool IsPlaced(const CCharBox* box) {
  return box && !box->IsLineBreak() && box->m_width > 0 && box->m_height > 0;
}

// The glyph's 1024-unit square scaled onto the cell, its top-left corner on the cell's.
CMatrix2D CellMatrix(const CCharBox& box) {
  CMatrix2D cell;
  cell.m[0] = box.m_width / kGlyphUnits;
  cell.m[4] = box.m_height / kGlyphUnits;
  cell.m[6] = box.m_rect.left;
  cell.m[7] = box.m_rect.bottom - box.m_height;
  return cell;
}

void SetCell(CCharBox& box, const CFRect& cell) {
  box.m_rect = cell;
  box.m_width = cell.right - cell.left;
  box.m_height = cell.bottom - cell.top;
  box.m_x = cell.left;
  box.m_y = cell.top;
}

// The corner contour of one rectangle: its cut or radius r becomes the ratios the contour
// makers take (of half the width and half the height), held to the rectangle.
CContour* CornerContour(const CFRect& r, BYTE cornerType, float corner, const CMatrix2D& toPage) {
  const float width = r.right - r.left, height = r.bottom - r.top;
  if (cornerType == CStampBlock::kStraightCorners || corner <= 0 || width <= 0 || height <= 0)
    return ContourFromRect(r.left, r.top, r.right, r.bottom, &toPage);
  const float ratioX = std::min(1.0f, 2 * corner / width);
  const float ratioY = std::min(1.0f, 2 * corner / height);
  if (cornerType == CStampBlock::kCutCorners)
    return ContourFromChamferRect(r.left, r.top, r.right, r.bottom, ratioX, ratioY, &toPage);
  return ContourFromRoundRect(r.left, r.top, r.right, r.bottom, ratioX, ratioY, &toPage);
}

// The whole item list of a record, or nothing; false when the bytes after the fixed fields are
// not exactly one box-array record.
bool ReadItems(const BYTE* items, size_t size, CBoxArray& into) {
  if (size == 0) return true;
  CByteReader header(items, size);
  BYTE tag = 0;
  DWORD length = 0;
  if (!header.ReadByte(tag) || tag != CBoxArray::kRecordTag || !header.ReadDWord(length) ||
      length != size)
    return false;
  std::unique_ptr<CBoxArray> read(LoadBoxArray(items, size));
  if (!read) return true;
  for (INT_PTR i = 0; i < read->GetSize(); ++i) into.Add(read->GetAt(i));
  read->RemoveAll();
  return true;
}

}  // namespace

CStampBlock::CStampBlock()
    : m_colour(0),
      m_frame(0, 0, 0, 0),
      m_layout(0),
      m_border(0),
      m_cornerType(kStraightCorners),
      m_cornerSize(0),
      m_marginX(0),
      m_marginY(0),
      m_gapX(0),
      m_gapY(0) {
  m_type = kStampBlock;
}

CStampBlock::~CStampBlock() { m_items.DeleteAll(); }

// ---- Making and changing ----

CStampBlock* CStampBlock::CreateCentred(const CStampParams& params, float pageWidth,
                                        float pageHeight) {
  std::unique_ptr<CStampBlock> stamp(new CStampBlock);
  const float left = (pageWidth - params.width) / 2, top = (pageHeight - params.height) / 2;
  stamp->m_frame = CFRect(left, top, left + params.width, top + params.height);
  stamp->m_box = stamp->m_frame;
  stamp->m_layout = static_cast<BYTE>(params.templateIndex);
  stamp->m_border = params.border;
  stamp->m_cornerType = params.cornerType;
  stamp->m_cornerSize = params.cornerSize;
  stamp->m_marginX = params.marginX;
  stamp->m_marginY = params.marginY;
  stamp->m_gapX = params.gapX;
  stamp->m_gapY = params.gapY;
  stamp->AppendCharacters(params.text, std::min<size_t>(params.text.GetLength(), kMaxTextBytes),
                          CTextDefaults::Global());
  stamp->ApplyLayout();
  return stamp.release();
}

void CStampBlock::AppendCharacters(LPCSTR text, size_t length, const CTextDefaults& defaults) {
  const BYTE* bytes = reinterpret_cast<const BYTE*>(text ? text : "");
  for (size_t i = 0; i < length && bytes[i] != 0;) {
    int charset = kSingleByteCharset;
    WORD code = bytes[i];
    if (bytes[i] >= kFirstDoubleByte) {
      // The text ends here: a lead byte alone is no character.
      if (i + 1 >= length || bytes[i + 1] == 0) break;
      charset = CCharBox::kGb2312Charset;
      code = static_cast<WORD>(bytes[i] << 8 | bytes[i + 1]);
      ++i;
    }
    ++i;
    CCharBox* box = new CCharBox;
    box->Init(charset, code, defaults);
    box->m_colour = m_colour;
    if (m_attributes & kSolidAttr) box->m_style |= CCharBox::kFilled;
    m_items.Add(box);
  }
}

void CStampBlock::ApplyLayout() {
  std::vector<CCharBox*> characters;
  for (INT_PTR i = 0; i < m_items.GetSize(); ++i)
    if (CCharBox* box = m_items.GetCharBox(i)) characters.push_back(box);
  CStampLayout layout(m_frame, m_border, m_marginX, m_marginY, m_gapX, m_gapY);
  std::vector<CFRect> cells = layout.Cells(m_layout, static_cast<int>(characters.size()));
  if (!layout.HasRoom()) cells.clear();
  for (size_t i = 0; i < characters.size(); ++i)
    SetCell(*characters[i], i < cells.size() ? cells[i] : CFRect(0, 0, 0, 0));
}

void CStampBlock::UpdateFrameBox() {
  CFRect box = m_frame;
  m_matrix.TransformRect(&box);
  m_box = box;
}

CStampParams CStampBlock::GetParams() const {
  CStampParams params;
  params.templateIndex = m_layout;
  params.marginX = m_marginX;
  params.marginY = m_marginY;
  params.gapX = m_gapX;
  params.gapY = m_gapY;
  params.width = m_frame.right - m_frame.left;
  params.height = m_frame.bottom - m_frame.top;
  params.border = m_border;
  params.cornerSize = m_cornerSize;
  params.cornerType = m_cornerType;
  params.text = m_items.GetText();
  return params;
}

void CStampBlock::ApplyParams(CBlockView* view, const CStampParams& params) {
  if (IsRecording(view)) RecordUndo(view, new CUndoStampRecord(this));
  const float cx = (m_frame.left + m_frame.right) / 2, cy = (m_frame.top + m_frame.bottom) / 2;
  m_frame = CFRect(cx - params.width / 2, cy - params.height / 2, cx + params.width / 2,
                   cy + params.height / 2);
  m_layout = static_cast<BYTE>(params.templateIndex);
  m_border = params.border;
  m_cornerType = params.cornerType;
  m_cornerSize = params.cornerSize;
  m_marginX = params.marginX;
  m_marginY = params.marginY;
  m_gapX = params.gapX;
  m_gapY = params.gapY;
  if (params.text != m_items.GetText()) {
    m_items.DeleteAll();
    AppendCharacters(params.text, std::min<size_t>(params.text.GetLength(), kMaxTextBytes),
                     CTextDefaults::Global());
  }
  ApplyLayout();
  UpdateFrameBox();
}

CStampBlock* CStampBlock::Copy() const {
  std::unique_ptr<CStampBlock> copy(new CStampBlock);
  copy->m_type = m_type;
  copy->m_attributes = m_attributes;
  copy->m_box = m_box;
  copy->m_matrix = m_matrix;
  copy->m_colour = m_colour;
  copy->m_frame = m_frame;
  copy->m_layout = m_layout;
  copy->m_border = m_border;
  copy->m_cornerType = m_cornerType;
  copy->m_cornerSize = m_cornerSize;
  copy->m_marginX = m_marginX;
  copy->m_marginY = m_marginY;
  copy->m_gapX = m_gapX;
  copy->m_gapY = m_gapY;
  for (INT_PTR i = 0; i < m_items.GetSize(); ++i)
    if (CTextBox* item = m_items.GetBox(i)->Clone()) copy->m_items.Add(item);
  return copy.release();
}

void CStampBlock::SwapState(CStampBlock& other) {
  std::swap(m_attributes, other.m_attributes);
  std::swap(m_box, other.m_box);
  std::swap(m_matrix, other.m_matrix);
  std::swap(m_colour, other.m_colour);
  std::swap(m_frame, other.m_frame);
  std::swap(m_layout, other.m_layout);
  std::swap(m_border, other.m_border);
  std::swap(m_cornerType, other.m_cornerType);
  std::swap(m_cornerSize, other.m_cornerSize);
  std::swap(m_marginX, other.m_marginX);
  std::swap(m_marginY, other.m_marginY);
  std::swap(m_gapX, other.m_gapX);
  std::swap(m_gapY, other.m_gapY);
  CPtrArray mine;
  mine.Copy(m_items);
  m_items.Copy(other.m_items);
  other.m_items.Copy(mine);
}

// ---- Attributes and colour ----

void CStampBlock::SetAttrBits(CBlockView* view, WORD bits, WORD mask) {
  CBlock::SetAttrBits(view, bits, mask);
  if (!(mask & kSolidAttr)) return;
  const bool fill = (bits & kSolidAttr) != 0;
  const bool selectedOnly = m_editMode == kTextTool;
  CBlockView* undoView = view ? view : CBlockView::GetActive();
  for (INT_PTR i = 0; i < m_items.GetSize(); ++i) {
    CCharBox* box = m_items.GetCharBox(i);
    if (!box || (selectedOnly && !box->IsSelected())) continue;
    WORD style = fill ? (box->m_style | CCharBox::kFilled) : (box->m_style & ~CCharBox::kFilled);
    if (style == box->m_style) continue;
    if (IsRecording(undoView))
      RecordUndo(undoView, new CUndoCharAttrRecord(this, box, box->m_style));
    box->m_style = style;
  }
}

void CStampBlock::SetColour(CBlockView* view, DWORD colour, BOOL redraw) {
  if (colour == m_colour) return;
  if (IsRecording(view)) RecordUndo(view, new CUndoColourRecord(this, m_colour));
  m_colour = colour;
  for (INT_PTR i = 0; i < m_items.GetSize(); ++i)
    if (CCharBox* box = m_items.GetCharBox(i)) box->m_colour = colour;
  if (redraw) Invalidate(view, TRUE);
}

void CStampBlock::AddColourToCombo(HWND combo) { AddColourNumber(combo, m_colour); }

// ---- Geometry ----

CMatrix2D CStampBlock::ToPage(const CMatrix2D* matrix) const {
  CMatrix2D toPage = m_matrix;
  if (matrix) toPage.Multiply(*matrix);
  return toPage;
}

void CStampBlock::Offset(float dx, float dy) {
  CBlock::Offset(dx, dy);
  if (!m_matrix.IsIdentity()) {
    m_matrix.m[6] += dx;
    m_matrix.m[7] += dy;
    return;
  }
  m_frame.left += dx;
  m_frame.right += dx;
  m_frame.top += dy;
  m_frame.bottom += dy;
  for (INT_PTR i = 0; i < m_items.GetSize(); ++i)
    if (CCharBox* box = m_items.GetCharBox(i)) box->Offset(dx, dy);
}

CContour* CStampBlock::GetFrameContour(const CMatrix2D* matrix) const {
  const CMatrix2D toPage = ToPage(matrix);
  CContour* frame = CornerContour(m_frame, m_cornerType, m_cornerSize, toPage);
  if (m_border <= 0) return frame;
  CFRect inner(m_frame.left + m_border, m_frame.top + m_border, m_frame.right - m_border,
               m_frame.bottom - m_border);
  // A border as wide as half the frame leaves no inner edge: the frame is all border.
  if (inner.right <= inner.left || inner.bottom <= inner.top) return frame;
  std::unique_ptr<CContour> ring(
      CornerContour(inner, m_cornerType, std::max(0.0f, m_cornerSize - m_border), toPage));
  frame->Append(ring.get());
  return frame;
}

CContour* CStampBlock::GetCharactersContour(const CMatrix2D& toPage) {
  CContour* joined = nullptr;
  for (INT_PTR i = 0; i < m_items.GetSize(); ++i) {
    CCharBox* box = m_items.GetCharBox(i);
    if (!IsPlaced(box)) continue;
    CMatrix2D placement = CellMatrix(*box);
    placement.Multiply(toPage);
    std::unique_ptr<CContour> glyph(box->GetContour(&placement));
    if (!glyph) continue;
    if (!joined) {
      glyph->ApplyMatrix();
      joined = glyph.release();
    } else {
      joined->Append(glyph.get());
    }
  }
  return joined;
}

CContour* CStampBlock::GetContour(const CMatrix2D* matrix, UINT) {
  CContour* contour = GetFrameContour(matrix);
  std::unique_ptr<CContour> characters(GetCharactersContour(ToPage(matrix)));
  if (characters) contour->Append(characters.get());
  return contour;
}

// ---- Drawing ----

void CStampBlock::Draw(CDC* dc, CMatrix2D* matrix, int) {
  if (!dc) return;
  std::unique_ptr<CContour> frame(GetFrameContour(matrix));
  const bool solid = (m_attributes & kSolidAttr) != 0;
  CPen pen(PS_SOLID, 1, PlatformColour(m_colour));
  CBrush brush(PlatformColour(m_colour));
  int saved = dc->SaveDC();
  dc->SelectObject(&pen);
  if (solid) {
    dc->SelectObject(&brush);
    ::SetPolyFillMode(dc->GetSafeHdc(), ALTERNATE);
    frame->PaintDC(dc);
  } else {
    frame->Draw(dc);
  }
  dc->RestoreDC(saved);
  const CMatrix2D toPage = ToPage(matrix);
  for (INT_PTR i = 0; i < m_items.GetSize(); ++i) {
    CCharBox* box = m_items.GetCharBox(i);
    if (!IsPlaced(box)) continue;
    CMatrix2D placement = CellMatrix(*box);
    placement.Multiply(toPage);
    box->Draw(dc, &placement);
  }
}

void CStampBlock::DrawForPrint(CDC* dc, CMatrix2D* matrix, int flag) { Draw(dc, matrix, flag); }

void CStampBlock::DrawOutline(CDC* dc, CMatrix2D* matrix, int) {
  std::unique_ptr<CContour> contour(GetContour(matrix, 0));
  if (!dc || !contour) return;
  CPen pen(PS_SOLID, 1, PlatformColour(m_colour));
  int saved = dc->SaveDC();
  dc->SelectObject(&pen);
  contour->Draw(dc);
  dc->RestoreDC(saved);
}

void CStampBlock::DrawFilled(CDC* dc, CMatrix2D* matrix, int) {
  std::unique_ptr<CContour> contour(GetContour(matrix, 0));
  if (!dc || !contour) return;
  CPen pen(PS_SOLID, 1, PlatformColour(m_colour));
  CBrush brush(PlatformColour(m_colour));
  int saved = dc->SaveDC();
  dc->SelectObject(&pen);
  dc->SelectObject(&brush);
  contour->PaintDC(dc);
  dc->RestoreDC(saved);
}

// ---- Records and conversion ----

int CStampBlock::WriteRecord(HGLOBAL* record) {
  *record = nullptr;
  CBlockRecordWriter writer(kStampRecordTag, *this);
  CByteWriter& fields = writer.Fields();
  writer.WriteRect(m_box);
  writer.WriteRect(m_frame);
  for (float value : {m_marginX, m_marginY, m_gapX, m_gapY, m_border, m_cornerSize,
                      static_cast<float>(m_cornerType)})
    fields.WriteFloat(value);
  fields.WriteByte(m_layout);
  writer.WriteMatrix(m_matrix);
  if (m_items.GetSize() > 0 && !m_items.WriteRecord(fields)) return 0;
  return writer.Finish(record);
}

CBlock* CreateStampFromRecord(const BYTE* record, size_t available) {
  CBlockRecordReader reader(record, available);
  if (!reader.Open(kStampRecordTag) || reader.Length() < CStampBlock::kFixedRecordLength)
    return nullptr;
  if (reader.TypeCode() < kStampBlock || reader.TypeCode() > CStampBlock::kLastShape)
    return nullptr;
  std::unique_ptr<CStampBlock> stamp(new CStampBlock);
  reader.ReadHeaderInto(*stamp, true);
  CByteReader& fields = reader.Fields();
  float cornerType = 0;
  BYTE layout = 0;
  if (!reader.ReadRect(stamp->m_box) || !reader.ReadRect(stamp->m_frame) ||
      !reader.ReadFloat(stamp->m_marginX) || !reader.ReadFloat(stamp->m_marginY) ||
      !reader.ReadFloat(stamp->m_gapX) || !reader.ReadFloat(stamp->m_gapY) ||
      !reader.ReadFloat(stamp->m_border) || !reader.ReadFloat(stamp->m_cornerSize) ||
      !fields.ReadFloat(cornerType) || !fields.ReadByte(layout) ||
      !reader.ReadMatrix(stamp->m_matrix))
    return nullptr;
  if (cornerType != CStampBlock::kStraightCorners && cornerType != CStampBlock::kCutCorners &&
      cornerType != CStampBlock::kRoundCorners)
    return nullptr;
  stamp->m_cornerType = static_cast<BYTE>(cornerType);
  stamp->m_layout = layout;
  const size_t itemsSize = reader.Length() - CStampBlock::kFixedRecordLength;
  if (!ReadItems(reader.Data() + CStampBlock::kItemsOffset, itemsSize, *stamp->GetBoxArray()))
    return nullptr;
  CBoxArray& items = *stamp->GetBoxArray();
  for (INT_PTR i = 0; i < items.GetSize(); ++i) {
    if (const CCharBox* character = items.GetCharBox(i)) {
      stamp->m_colour = character->m_colour;
      break;
    }
  }
  return stamp.release();
}

CBlock* CStampBlock::ToCurve(DWORD colour) {
  if (colour != kAnyColour && colour != m_colour) return nullptr;
  std::unique_ptr<CContour> contour(GetContour(nullptr, 0));
  if (!contour) return nullptr;
  CCurveBlock* curve = MakeCurveFromContour(*contour, m_colour);
  if (curve) curve->m_attributes = static_cast<WORD>(m_attributes & kSolidAttr);
  return curve;
}

// ---- Panel ----

BOOL CStampBlock::ShowPanel(HWND host) {
  CString typeName;
  GetBlockTypeName(m_type, typeName);
  SendToMainWindow(kShowObjectTypeCommand, reinterpret_cast<LPARAM>(typeName.GetString()));
  // Requests that come while the dialog is up (a view activated meanwhile) find it open.
  static bool open = false;
  if (open) return TRUE;
  if (HWND panel = host ? ::GetWindow(host, GW_CHILD) : nullptr) ::ShowWindow(panel, SW_HIDE);
  CSquareSealDlg dialog(this);
  struct OpenFlag {
    explicit OpenFlag(bool& flag) : m_flag(flag) { m_flag = true; }
    ~OpenFlag() { m_flag = false; }
    bool& m_flag;
  };
  {
    OpenFlag guard(open);
    if (dialog.DoModal() != IDOK) return TRUE;
  }
  CBlockView* view = CBlockView::GetActive();
  CUndoManager* undo = view ? view->GetUndoManager() : nullptr;
  std::optional<CUndoScope> step;
  if (undo) step.emplace(*undo);
  Invalidate(view, TRUE);
  ApplyParams(view, dialog.Params());
  Invalidate(view, TRUE);
  return TRUE;
}

BOOL CStampBlock::RefreshPanel(HWND host) { return CBlock::ShowPanel(host); }
