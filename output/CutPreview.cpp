#include "output/CutPreview.h"

#include <algorithm>
#include <memory>

#include "model/blocks/AuxObject.h"
#include "model/blocks/Block.h"
#include "model/blocks/GroupBlock.h"
#include "model/blocks/ShapeBlock.h"
#include "model/document/AuxObjectList.h"
#include "model/document/PageSettings.h"
#include "model/document/TALVEX42Doc.h"
#include "model/geometry/Geometry.h"
#include "model/geometry/MatrixFactories.h"
#include "output/CutSettings.h"
#include "output/FigureClip.h"

namespace {

// Where "SavePaper" puts the job's corner, and where a scaled job's reference corner goes.
const float kSavedCorner = 0.1f;
const float kScaledCorner = 1.0f;

bool AreaIsFlagged(CAuxObject* area) { return (area->GetFlags() & CAuxObject::kSolidFlag) != 0; }

// The text's characters and, after them, the line it is set along, as one group.
CBlock* WithLayoutLine(const CBlock& text, CBlock* characters) {
  CBlock* line = text.GetEffectOutline();
  if (!line) return characters;
  CGroupBlock* group = new CGroupBlock;
  group->AddChild(characters);
  group->AddChild(line);
  return group;
}

// Moves the children of the group to the end of the list; the group's shell is deleted.
void TakeChildren(CGroupBlock* group, CSegArray& into) {
  std::unique_ptr<CGroupBlock> shell(group);
  for (INT_PTR i = 0; i < shell->GetChildCount(); ++i) into.AddBlock(shell->GetChild(i));
  shell->GetChildren().RemoveAll();
}

}  // namespace

CCutPreview::CCutPreview(CCutSettings& settings)
    : m_settings(settings), m_document(nullptr), m_library(nullptr), m_limited(false) {}

CCutPreview::~CCutPreview() { m_blocks.DeleteAll(); }

CFRect CCutPreview::DocumentPage() const {
  if (!m_document) return CFRect(0.0f, 0.0f, 0.0f, 0.0f);
  const CPageSettings& page = m_document->GetPageSettings();
  return CFRect(0.0f, 0.0f, page.m_width, page.m_height);
}

DWORD CCutPreview::GetColourFilter() const {
  return m_settings.m_colorSeparation ? static_cast<DWORD>(m_settings.m_colorNumber)
                                      : CShapeBlock::kAnyColour;
}

CGroupBlock* CCutPreview::CollectClipped(const CFRect& rect, DWORD colour) {
  if (!m_document) return nullptr;
  CSegArray& blocks = m_document->GetBlockList();
  CGroupBlock curves;
  for (INT_PTR i = 0; i < blocks.GetSize(); ++i) {
    CBlock* block = blocks.GetBlock(i);
    if (!block || block->m_type == kImageBlock) continue;
    const CFRect& box = block->m_box;
    if (!IntersectBoxes(nullptr, box.left, box.top, box.right, box.bottom, rect.left, rect.top,
                        rect.right, rect.bottom))
      continue;
    CBlock* curve = block->ToCurve(colour);
    if (!curve) continue;
    if (m_settings.m_textLine && block->m_type == kTextBlock) curve = WithLayoutLine(*block, curve);
    if (curve->m_type == kGroupBlock) static_cast<CGroupBlock*>(curve)->FlattenNested();
    curves.AddChild(curve);
  }
  std::unique_ptr<CGroupBlock> clipped(
      FigureClipGroup(&curves, rect.left, rect.top, rect.right, rect.bottom, m_library));
  curves.GetChildren().DeleteAll();
  if (!clipped || clipped->GetChildCount() == 0) return nullptr;
  return clipped.release();
}

void CCutPreview::CollectJob(const CFRect* rect) {
  m_blocks.DeleteAll();
  if (!m_document) return;
  const DWORD colour = GetColourFilter();
  CAuxObjectList& areas = m_document->GetOutputAreas();
  if (areas.GetSize() == 0) {
    CFRect limit = rect ? *rect : DocumentPage();
    if (CGroupBlock* pieces = CollectClipped(limit, colour)) TakeChildren(pieces, m_blocks);
    return;
  }
  // Only flagged areas are cut: an unflagged area is one the user has excluded.
  for (INT_PTR i = 0; i < areas.GetSize(); ++i) {
    CAuxObject* area = areas.GetObjectAt(i);
    CFRect box;
    if (!area || !AreaIsFlagged(area) || !area->GetRect(&box)) continue;
    box.Normalize();
    if (CGroupBlock* pieces = CollectClipped(box, colour)) m_blocks.AddBlock(pieces);
  }
}

void CCutPreview::BuildPreview(const CFRect* rect) {
  m_limited = rect != nullptr;
  if (rect) m_limit = *rect;
  CollectJob(rect);
  m_pageRect = DocumentPage();
  m_documentMatrix.SetIdentity();
  Apply(GetPlacementMatrix());
}

void CCutPreview::RebuildPreview() {
  CollectJob(m_limited ? &m_limit : nullptr);
  m_blocks.Transform(m_documentMatrix, FALSE);
  m_pageRect = DocumentPage();
  m_documentMatrix.TransformRect(&m_pageRect);
}

bool CCutPreview::GetJobBounds(CFRect* bounds) { return m_blocks.GetBounds(bounds, TRUE) != FALSE; }

CMatrix2D CCutPreview::GetPlacementMatrix() {
  CFRect page = DocumentPage();
  CFRect bounds;
  if (!GetJobBounds(&bounds)) bounds = CFRect(0.0f, 0.0f, 0.0f, 0.0f);
  CFRect extent(0.0f, 0.0f, std::max(bounds.right, page.right),
                std::max(bounds.bottom, page.bottom));
  CMatrix2D matrix;
  if (m_settings.m_mirror) {
    matrix.m[0] = -1.0f;
    matrix.m[6] = extent.right;
  }
  if (m_settings.m_savePaper) {
    CFRect corner = bounds;
    matrix.TransformRect(&corner);
    matrix.Multiply(CMatrix2D::Translation(kSavedCorner - corner.left, kSavedCorner - corner.top));
  }
  if (m_settings.m_zoomCut == 0.0f) m_settings.m_zoomCut = 1.0f;
  if (m_settings.m_zoomCut != 1.0f) matrix.Multiply(CMatrix2D::Scaling(m_settings.m_zoomCut));
  return matrix;
}

CMatrix2D* CCutPreview::GetPlacementMatrix(CMatrix2D* out) {
  CMatrix2D matrix = GetPlacementMatrix();
  if (!out) return new CMatrix2D(matrix);
  *out = matrix;
  return nullptr;
}

void CCutPreview::Apply(const CMatrix2D& matrix) {
  m_blocks.Transform(matrix, FALSE);
  matrix.TransformRect(&m_pageRect);
  m_documentMatrix.Multiply(matrix);
}

CFRect CCutPreview::ReferenceRect() {
  if (!m_settings.m_savePaper) return m_pageRect;
  CFRect bounds;
  if (!GetJobBounds(&bounds)) return m_pageRect;
  bounds.left = std::max(bounds.left, 0.0f);
  bounds.top = std::max(bounds.top, 0.0f);
  return bounds;
}

void CCutPreview::SetSavePaper(bool on) {
  m_settings.m_savePaper = on ? 1 : 0;
  CFRect reference = ReferenceRect();
  Apply(CMatrix2D::Translation(-reference.left, -reference.top));
}

void CCutPreview::ApplyKeepingCorner(CMatrix2D matrix) {
  CFRect reference = ReferenceRect();
  matrix.TransformRect(&reference);
  matrix.m[6] -= reference.left;
  matrix.m[7] -= reference.top;
  Apply(matrix);
}

void CCutPreview::MirrorJob() {
  CFRect bounds;
  if (!GetJobBounds(&bounds)) return;
  bounds.left = std::max(bounds.left, 0.0f);
  bounds.top = std::max(bounds.top, 0.0f);
  ApplyKeepingCorner(
      MakeMirrorMatrix(bounds.left, bounds.top, bounds.right, bounds.bottom, true, false));
}

void CCutPreview::RotateJob() {
  CFRect bounds;
  if (!GetJobBounds(&bounds)) return;
  ApplyKeepingCorner(
      MakeRotationMatrixAboutBox(bounds.left, bounds.bottom, bounds.left, bounds.bottom, 90.0f));
}

bool CCutPreview::ScaleJob(float zoom) {
  if (zoom < 0.0f) return false;
  if (zoom == 0.0f) zoom = 1.0f;
  if (m_settings.m_zoomCut <= 0.0f) m_settings.m_zoomCut = 1.0f;
  CMatrix2D matrix = CMatrix2D::Scaling(zoom / m_settings.m_zoomCut);
  CFRect reference = ReferenceRect();
  matrix.TransformRect(&reference);
  matrix.m[6] = kScaledCorner - reference.left;
  matrix.m[7] = kScaledCorner - reference.top;
  Apply(matrix);
  m_settings.m_zoomCut = zoom;
  return true;
}

bool CCutPreview::StepMedia(Step step) {
  CFRect& media = m_settings.m_mediaRect;
  const float width = media.right - media.left;
  const float height = media.bottom - media.top;
  const float overlap = static_cast<float>(m_settings.m_pageGaps);
  float left = media.left, top = media.top;
  if (step == kStepUp) top -= height - overlap;
  if (step == kStepDown) top += height - overlap;
  if (step == kStepLeft) left -= width - overlap;
  if (step == kStepRight) left += width - overlap;
  bool withinOrigin = left >= 0.0f && top >= 0.0f;
  media = CFRect(std::max(left, 0.0f), std::max(top, 0.0f), 0.0f, 0.0f);
  media.right = media.left + width;
  media.bottom = media.top + height;
  return withinOrigin;
}

CFRect CCutPreview::GetViewBox() {
  CFRect box = m_settings.m_mediaRect;
  CFRect bounds;
  if (m_blocks.GetBounds(&bounds, FALSE)) {
    box.left = std::min(box.left, bounds.left);
    box.top = std::min(box.top, bounds.top);
    box.right = std::max(box.right, bounds.right);
    box.bottom = std::max(box.bottom, bounds.bottom);
  }
  return box;
}
