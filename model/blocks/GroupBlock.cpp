#include "model/blocks/GroupBlock.h"

#include <algorithm>
#include <cmath>
#include <memory>

#include "framework/GlobalLock.h"
#include "model/blocks/CurveBlock.h"
#include "model/blocks/ModelServices.h"
#include "model/blocks/TransformService.h"
#include "model/geometry/Contour.h"
#include "model/geometry/CurveBoxClip.h"
#include "model/geometry/MatrixFactories.h"
#include "model/records/BlockRecord.h"
#include "model/records/BlockRecordReader.h"
#include "model/records/BlockRecordWriter.h"

namespace {

// The group record up to its nested list: header, box, matrix.
const size_t kGroupFixedSize = 60;
const DWORD kEveryColour = 0xFFFFFFFF;

void Unite(CFRect* box, const CFRect& other) {
  box->left = std::min(box->left, other.left);
  box->top = std::min(box->top, other.top);
  box->right = std::max(box->right, other.right);
  box->bottom = std::max(box->bottom, other.bottom);
}

CGroupBlock* AsGroup(CBlock* block) {
  return block && block->m_type == kGroupBlock ? static_cast<CGroupBlock*>(block) : nullptr;
}

CCurveBlock* AsCurve(CBlock* block) {
  return block && block->m_type == kCurveBlock ? static_cast<CCurveBlock*>(block) : nullptr;
}

// The part of the curve in the rectangle, in page coordinates; the curve itself is not touched.
CCurveBlock* ClipCurve(CCurveBlock* curve, const CFRect& rect, const CMatrix2D* outer) {
  std::unique_ptr<CCurveBlock> copy(static_cast<CCurveBlock*>(curve->Clone()));
  if (outer) copy->Transform(*outer);
  copy->ApplyMatrix();
  if (copy->m_box.IsInside(rect.left, rect.top, rect.right, rect.bottom)) return copy.release();
  return ClipCurveBlockToBox(copy.get(), rect.left, rect.top, rect.right, rect.bottom);
}

// outer maps the blocks' coordinates onto the page (the matrices of the groups around them).
CGroupBlock* ClipBlocks(const CSegArray& blocks, const CFRect& rect, const CMatrix2D* outer) {
  std::unique_ptr<CGroupBlock> result(new CGroupBlock);
  for (INT_PTR i = 0; i < blocks.GetSize(); ++i) {
    CBlock* block = blocks.GetBlock(i);
    if (!block) continue;
    CFRect box = block->m_box;
    if (outer) outer->TransformRect(&box);
    if (!box.Meets(rect)) continue;
    if (CCurveBlock* curve = AsCurve(block)) {
      result->AddChild(ClipCurve(curve, rect, outer));
    } else if (CGroupBlock* group = AsGroup(block)) {
      CMatrix2D inner = group->m_matrix;
      if (outer) inner.Multiply(*outer);
      result->AddChild(
          ClipBlocks(group->GetChildren(), rect, inner.IsIdentity() ? nullptr : &inner));
    }
  }
  return result->GetChildCount() ? result.release() : nullptr;
}

}  // namespace

CGroupBlock::CGroupBlock() { m_type = kGroupBlock; }

CGroupBlock::~CGroupBlock() = default;

void CGroupBlock::AddChild(CBlock* block) {
  if (!block) return;
  bool wasEmpty = m_children.IsEmpty();
  m_children.AddBlock(block);
  WidenBoxBy(*block, wasEmpty);
}

void CGroupBlock::AddChildren(const CSegArray& blocks) {
  for (INT_PTR i = 0; i < blocks.GetSize(); ++i) AddChild(blocks.GetBlock(i));
}

void CGroupBlock::TakeChildren(CSegArray& blocks) {
  if (!m_children.IsEmpty()) {
    AddChildren(blocks);
    blocks.RemoveAll();
    return;
  }
  // A group being read takes its list whole instead of growing its own block by block.
  m_children.Swap(blocks);
  bool first = true;
  for (INT_PTR i = 0; i < m_children.GetSize(); ++i) {
    if (const CBlock* child = m_children.GetBlock(i)) {
      WidenBoxBy(*child, first);
      first = false;
    }
  }
}

void CGroupBlock::WidenBoxBy(const CBlock& child, bool first) {
  CFRect box = child.m_box;
  m_matrix.TransformRect(&box);
  if (first)
    m_box = box;
  else
    Unite(&m_box, box);
}

int CGroupBlock::CountCurvePoints() const {
  int points = 0;
  for (INT_PTR i = 0; i < m_children.GetSize(); ++i)
    if (CCurveBlock* curve = AsCurve(m_children.GetBlock(i))) points += curve->GetCount();
  return points;
}

template <class KeyOf>
void CGroupBlock::SortBy(KeyOf key) {
  for (INT_PTR i = m_children.GetSize() - 1; i >= 1; --i) {
    INT_PTR greatest = 0;
    for (INT_PTR j = 1; j <= i; ++j)
      if (key(m_children.GetBlock(j)) > key(m_children.GetBlock(greatest))) greatest = j;
    CBlock* moved = m_children.GetBlock(greatest);
    m_children.SetBlock(greatest, m_children.GetBlock(i));
    m_children.SetBlock(i, moved);
  }
}

void CGroupBlock::SortByLeft() {
  SortBy([](const CBlock* block) { return block ? block->m_box.left : 0.0f; });
}

void CGroupBlock::SortByTop() {
  SortBy([](const CBlock* block) { return block ? block->m_box.top : 0.0f; });
}

CCurveBlock* CGroupBlock::MergeToCurve(DWORD colour) {
  CCurveBlock* merged = new CCurveBlock;
  // A nested group's curve takes that group's matrix before it joins.
  auto appendGroup = [merged](CGroupBlock* group) {
    std::unique_ptr<CCurveBlock> inner(group->MergeToCurve(kEveryColour));
    if (!group->m_matrix.IsIdentity()) inner->Transform(group->m_matrix);
    merged->AppendCurve(*inner);
  };
  for (INT_PTR i = 0; i < m_children.GetSize(); ++i) {
    CBlock* child = m_children.GetBlock(i);
    if (CCurveBlock* curve = AsCurve(child)) {
      merged->AppendCurve(*curve);
    } else if (CGroupBlock* group = AsGroup(child)) {
      appendGroup(group);
    } else if (child) {
      std::unique_ptr<CBlock> converted(child->ToCurve(colour));
      if (CCurveBlock* curve = AsCurve(converted.get()))
        merged->AppendCurve(*curve);
      else if (CGroupBlock* group = AsGroup(converted.get()))
        appendGroup(group);
    }
  }
  return merged;
}

void CGroupBlock::FlattenNested() {
  INT_PTR i = 0;
  while (i < m_children.GetSize()) {
    CGroupBlock* nested = AsGroup(m_children.GetBlock(i));
    if (!nested) {
      ++i;
      continue;
    }
    m_children.RemoveAt(i);
    bool transformed = !nested->m_matrix.IsIdentity();
    for (INT_PTR j = 0; j < nested->m_children.GetSize(); ++j) {
      CBlock* moved = nested->m_children.GetBlock(j);
      if (!moved) continue;
      if (transformed) moved->Transform(nested->m_matrix);
      m_children.AddBlock(moved);
    }
    nested->m_children.RemoveAll();
    delete nested;
  }
}

CMatrix2D CGroupBlock::CombinedMatrix(const CMatrix2D* matrix) const {
  CMatrix2D combined = m_matrix;
  if (matrix) combined.Multiply(*matrix);
  return combined;
}

void CGroupBlock::ReplaceFont(int oldFont, int oldIndex, int newFont, int newIndex) {
  m_children.ReplaceFont(oldFont, oldIndex, newFont, newIndex);
}

void CGroupBlock::RemountFonts(CFontRebinding& fonts) { m_children.RemountFonts(fonts); }

void CGroupBlock::SetAttrBits(CBlockView* view, WORD bits, WORD mask) {
  for (INT_PTR i = 0; i < m_children.GetSize(); ++i)
    if (CBlock* child = m_children.GetBlock(i)) child->SetAttrBits(view, bits, mask);
  m_attributes = static_cast<WORD>((m_attributes & ~mask) | bits);
}

void CGroupBlock::Draw(CDC* dc, CMatrix2D* matrix, int flag) {
  CMatrix2D combined = CombinedMatrix(matrix);
  for (INT_PTR i = m_children.GetSize() - 1; i >= 0; --i)
    if (CBlock* child = m_children.GetBlock(i)) child->Draw(dc, &combined, flag);
}

void CGroupBlock::DrawForPrint(CDC* dc, CMatrix2D* matrix, int flag) {
  CMatrix2D combined = CombinedMatrix(matrix);
  for (INT_PTR i = m_children.GetSize() - 1; i >= 0; --i)
    if (CBlock* child = m_children.GetBlock(i)) child->DrawForPrint(dc, &combined, flag);
}

CFRect CGroupBlock::GetDrawnBox() const {
  CFRect drawn = m_box;
  drawn.Normalize();
  for (INT_PTR i = 0; i < m_children.GetSize(); ++i) {
    const CBlock* child = m_children.GetBlock(i);
    if (!child) continue;
    CFRect box = child->GetDrawnBox();
    m_matrix.TransformRect(&box);
    Unite(&drawn, box);
  }
  return drawn;
}

void CGroupBlock::DrawXorOutline(CDC* dc, CMatrix2D* matrix) {
  CMatrix2D combined = CombinedMatrix(matrix);
  for (INT_PTR i = 0; i < m_children.GetSize(); ++i)
    if (CBlock* child = m_children.GetBlock(i)) child->DrawXorOutline(dc, &combined);
}

BOOL CGroupBlock::HitTest(CBlockView* view, float x, float y) {
  if (!CBlock::HitTest(view, x, y)) return FALSE;
  FPOINT point = {x, y};
  if (!m_matrix.IsIdentity()) m_matrix.Inverted().TransformPoint(&point);
  for (INT_PTR i = 0; i < m_children.GetSize(); ++i) {
    CBlock* child = m_children.GetBlock(i);
    if (child && child->HitTest(view, point.x, point.y)) return TRUE;
  }
  return FALSE;
}

void CGroupBlock::Offset(float dx, float dy) {
  CBlock::Offset(dx, dy);
  if (!m_matrix.IsIdentity()) {
    m_matrix.m[6] += dx;
    m_matrix.m[7] += dy;
    return;
  }
  for (INT_PTR i = 0; i < m_children.GetSize(); ++i)
    if (CBlock* child = m_children.GetBlock(i)) child->Offset(dx, dy);
}

void CGroupBlock::SetBox(float left, float top, float right, float bottom) {
  if (m_matrix.IsIdentity()) {
    CMatrix2D fit = MakeFitMatrix(m_box, left, top, right, bottom);
    for (INT_PTR i = 0; i < m_children.GetSize(); ++i) {
      CBlock* child = m_children.GetBlock(i);
      if (!child) continue;
      CFRect box = child->m_box;
      fit.TransformFRect(&box);
      child->SetBox(box.left, box.top, box.right, box.bottom);
    }
  } else {
    FitToRect(left, top, right, bottom);
  }
  m_box = CFRect(left, top, right, bottom);
}

void CGroupBlock::Transform(const CMatrix2D& matrix) {
  CMatrix2D product = CombinedMatrix(&matrix);
  bool first = true;
  for (INT_PTR i = 0; i < m_children.GetSize(); ++i) {
    CBlock* child = m_children.GetBlock(i);
    if (!child) continue;
    child->Transform(product);
    if (first)
      m_box = child->m_box;
    else
      Unite(&m_box, child->m_box);
    first = false;
  }
  m_matrix.SetIdentity();
}

CContour* CGroupBlock::GetContour(const CMatrix2D* matrix, UINT flags) {
  CMatrix2D combined = CombinedMatrix(matrix);
  CContour* joined = nullptr;
  for (INT_PTR i = 0; i < m_children.GetSize(); ++i) {
    CBlock* child = m_children.GetBlock(i);
    CContour* contour = child ? child->GetContour(&combined, flags) : nullptr;
    if (!contour) continue;
    if (!joined) {
      joined = contour;
      continue;
    }
    joined->Append(contour);
    delete contour;
  }
  return joined;
}

void CGroupBlock::AppendText(CString& text) { m_children.AppendText(text); }

void CGroupBlock::AppendClipboardText(char* buffer, size_t capacity) {
  for (INT_PTR i = 0; i < m_children.GetSize(); ++i)
    if (CBlock* child = m_children.GetBlock(i)) child->AppendClipboardText(buffer, capacity);
}

int CGroupBlock::WriteRecord(HGLOBAL* record) { return WriteRecordThroughAppend(record); }

int CGroupBlock::AppendRecordTo(CByteWriter& out) {
  CBlockRecordWriter writer(out, kGroupRecordTag, *this);
  writer.WriteRect(m_box);
  writer.WriteMatrix(m_matrix);
  // Children that write nothing would make a group that no reader accepts, and that would stop
  // the reading of the whole list it stands in: then the group writes nothing either.
  if (!m_children.AppendRecordTo(writer.Fields())) return 0;
  return writer.Close();
}

CBlock* CGroupBlock::ToCurve(DWORD colour) {
  std::unique_ptr<CGroupBlock> curves(new CGroupBlock);
  for (INT_PTR i = 0; i < m_children.GetSize(); ++i) {
    CBlock* child = m_children.GetBlock(i);
    CBlock* curve = child ? child->ToCurve(colour) : nullptr;
    if (!curve) continue;
    if (!m_matrix.IsIdentity()) curve->Transform(m_matrix);
    curves->AddChild(curve);
  }
  if (curves->GetChildCount() == 0) return nullptr;
  if (curves->GetChildCount() > 1) return curves.release();
  CBlock* only = curves->m_children.GetBlock(0);
  curves->m_children.RemoveAll();
  return only;
}

void CGroupBlock::SetColour(CBlockView* view, DWORD colour, BOOL redraw) {
  for (INT_PTR i = 0; i < m_children.GetSize(); ++i)
    if (CBlock* child = m_children.GetBlock(i)) child->SetColour(view, colour, redraw);
}

CBlock* CGroupBlock::CreateTransformed(HANDLE transform, const CFRect& target) {
  CTransformService* library = CModelServices::Transform();
  if (!library || !transform) return nullptr;
  HGLOBAL record = nullptr;
  int length = WriteRecord(&record);
  if (!record) return nullptr;
  TransformParams params = {length, m_box, target, record};
  HGLOBAL result = library->DoTransform(transform, params);
  ::GlobalFree(record);
  if (!result) return nullptr;
  CBlock* block = nullptr;
  {
    CGlobalLock lock(result);
    if (lock.Data()) block = CreateBlockFromRecord(lock.Data(), lock.Size());
  }
  ::GlobalFree(result);
  return block;
}

void CGroupBlock::AddColourToCombo(HWND combo) { m_children.AddColoursToCombo(combo); }

// Nested groups load by recursion: a record nested deeper than this is taken as damaged rather
// than let a crafted file run the stack out. No drawing nests groups nearly this deep.
static const int kMaxGroupNesting = 256;
static int s_groupNesting = 0;

CBlock* LoadGroupBlock(const BYTE* record, size_t available) {
  CBlockRecordReader reader(record, available);
  if (!reader.Open(kGroupRecordTag) || reader.Length() <= kGroupFixedSize + 1) return nullptr;
  if (s_groupNesting >= kMaxGroupNesting) return nullptr;
  struct NestingLevel {
    NestingLevel() { ++s_groupNesting; }
    ~NestingLevel() { --s_groupNesting; }
  } level;
  std::unique_ptr<CGroupBlock> group(new CGroupBlock);
  reader.ReadHeaderInto(*group, false);
  if (!reader.ReadRect(group->m_box) || !reader.ReadMatrix(group->m_matrix)) return nullptr;
  // The nested list must end inside the group record, before its end byte.
  std::unique_ptr<CSegArray> children(
      LoadSegArray(record + kGroupFixedSize, reader.Length() - kGroupFixedSize - 1));
  if (!children) return nullptr;
  group->TakeChildren(*children);
  if (group->GetChildCount() > 1) return group.release();
  CBlock* only = group->GetChild(0);
  group->GetChildren().RemoveAll();
  // The lone child keeps its place on the page, unless getting it there overflows.
  if (only && !group->m_matrix.IsIdentity()) {
    only->Transform(group->m_matrix);
    const CFRect& box = only->m_box;
    if (!std::isfinite(box.left) || !std::isfinite(box.top) || !std::isfinite(box.right) ||
        !std::isfinite(box.bottom)) {
      delete only;
      return nullptr;
    }
  }
  return only;
}

CGroupBlock* ClipGroupToRect(const CSegArray& blocks, const CFRect& rect) {
  return ClipBlocks(blocks, rect, nullptr);
}
