#include "model/blocks/ShapeBlock.h"

#include <cmath>
#include <memory>

#include "framework/ClientDC.h"
#include "model/blocks/BlockView.h"
#include "model/blocks/CurveBlock.h"
#include "model/editing/DrawUtils.h"
#include "model/editing/ThinPenScope.h"
#include "model/geometry/Contour.h"
#include "model/geometry/ShapeCurves.h"
#include "model/undo/UndoColourRecord.h"

namespace {

LONG Truncate(float value) { return static_cast<LONG>(value); }

// Selects a solid pen (and optionally a brush) of one colour for its lifetime.
class CColourScope {
public:
  CColourScope(CDC* dc, COLORREF colour, bool withBrush)
      : m_dc(dc), m_pen(PS_SOLID, 1, colour), m_oldBrush(nullptr) {
    m_oldPen = dc->SelectObject(m_pen.m_hObject);
    if (withBrush) {
      m_brush.CreateSolidBrush(colour);
      m_oldBrush = dc->SelectObject(m_brush.m_hObject);
    }
  }
  ~CColourScope() {
    if (m_oldBrush) m_dc->SelectObject(m_oldBrush);
    m_dc->SelectObject(m_oldPen);
  }
  CColourScope(const CColourScope&) = delete;
  CColourScope& operator=(const CColourScope&) = delete;

private:
  CDC* m_dc;
  CPen m_pen;
  CBrush m_brush;
  HGDIOBJ m_oldPen;
  HGDIOBJ m_oldBrush;
};

}  // namespace

CShapeBlock::CShapeBlock() : m_colour(0), m_printsThroughStroke(false) {}

COLORREF CShapeBlock::ColourRef() const {
  return RGB((m_colour >> 16) & 0xFF, (m_colour >> 8) & 0xFF, m_colour & 0xFF);
}

void CShapeBlock::DrawOutline(CDC* dc, CMatrix2D* matrix, int) {
  std::unique_ptr<CContour> contour(GetContour(matrix, 0));
  if (!contour) return;
  CThinPenScope pen(dc, ColourRef());
  contour->DrawThin(dc);
}

void CShapeBlock::DrawFilled(CDC* dc, CMatrix2D* matrix, int) {
  std::unique_ptr<CContour> contour(GetContour(matrix, 0));
  if (!contour) return;
  CColourScope colour(dc, ColourRef(), true);
  contour->PaintDC(dc);
}

void CShapeBlock::DrawForPrint(CDC* dc, CMatrix2D* matrix, int) {
  std::unique_ptr<CContour> contour(GetContour(matrix, 0));
  if (!contour) return;
  bool solid = (m_attributes & kSolidAttr) != 0;
  CColourScope colour(dc, ColourRef(), solid);
  if (solid)
    contour->PaintDC(dc);
  else if (m_printsThroughStroke)
    contour->Stroke(dc);
  else
    contour->Draw(dc);
}

CBlock* CShapeBlock::ToCurve(DWORD colour) {
  if (colour != kAnyColour && colour != m_colour) return nullptr;
  std::unique_ptr<CContour> contour(GetContour(nullptr, 0));
  CCurveBlock* curve = contour ? MakeCurveFromContour(*contour, m_colour) : nullptr;
  // A filled shape stays filled as curves.
  if (curve) curve->m_attributes = static_cast<WORD>(m_attributes & kSolidAttr);
  return curve;
}

void CShapeBlock::SetColour(CBlockView* view, DWORD colour, BOOL redraw) {
  if (colour == m_colour) return;
  if (IsRecording(view)) RecordUndo(view, new CUndoColourRecord(this, m_colour));
  m_colour = colour;
  if (redraw) Invalidate(view, TRUE);
}

void CShapeBlock::AddColourToCombo(HWND combo) { AddColourNumber(combo, m_colour); }

void CShapeBlock::SetBox(float left, float top, float right, float bottom) {
  FitToRect(left, top, right, bottom);
  m_box = CFRect(left, top, right, bottom);
}

float CShapeBlock::PixelUnits(CBlockView* view, int pixels) {
  return static_cast<float>((view ? view->GetScale() : 1.0) * pixels);
}

FPOINT CShapeBlock::ToBlock(float x, float y) const {
  FPOINT point = {x, y};
  if (m_matrix.IsIdentity()) return point;
  m_matrix.Inverted().TransformPoint(&point);
  return point;
}

FPOINT CShapeBlock::ToPage(const FPOINT& point) const {
  FPOINT mapped = point;
  m_matrix.TransformPoint(&mapped);
  return mapped;
}

bool CShapeBlock::HitsControlSquare(CBlockView* view, const FPOINT& blockPoint, float x,
                                    float y) const {
  FPOINT p = ToPage(blockPoint);
  float tolerance = PixelUnits(view, kControlPixels);
  return std::fabs(p.x - x) <= tolerance && std::fabs(p.y - y) <= tolerance;
}

CContour* CShapeBlock::FinishContour(CContour* blockContour, const CMatrix2D* matrix) {
  if (!blockContour) return nullptr;
  if (m_matrix.IsIdentity() && blockContour->GetMatrix().IsIdentity()) {
    // The outline is on the page already, and its box was built from the same points appended in
    // the same order (the shapes' outlines are only ever appended to): copying it would give the
    // same records and box.
    if (!blockContour->IsBoxEmpty()) m_box = blockContour->GetBox();
    if (matrix) blockContour->Transform(matrix);
    return blockContour;
  }
  // Each point is mapped before it is appended, so the box fits the mapped outline itself.
  CContour* contour = new CContour;
  for (POINTREC record : blockContour->GetPoints()) {
    if (IsSpecialPoint(record.flags)) {
      contour->AppendRaw(record);
      continue;
    }
    FPOINT p = ToPage(FPOINT{record.x, record.y});
    record.x = p.x;
    record.y = p.y;
    contour->AppendPoint(record);
  }
  delete blockContour;
  if (!contour->IsBoxEmpty()) m_box = contour->GetBox();
  if (matrix) contour->Transform(matrix);
  return contour;
}

void CShapeBlock::DrawOutlineAndOverlayXor(CBlockView* view) {
  HWND window = view ? view->GetViewWindow() : nullptr;
  if (!window) return;
  CClientDC dc(window);
  int rop = dc.SetROP2(R2_NOTXORPEN);
  DrawOutline(&dc, view->GetDisplayMatrix(), 0);
  DrawNodeEditOverlay(&dc, view->GetDisplayMatrix());
  dc.SetROP2(rop);
}

void CShapeBlock::DrawControlSquare(CDC* dc, const CMatrix2D& toDevice,
                                    const FPOINT& blockPoint) const {
  FPOINT p = blockPoint;
  toDevice.TransformPoint(&p);
  DrawMarkSquare(dc, Truncate(p.x), Truncate(p.y), kControlPixels);
}

CMatrix2D CShapeBlock::BlockToDevice(const CMatrix2D* matrix) const {
  CMatrix2D combined = m_matrix;
  if (matrix) combined.Multiply(*matrix);
  return combined;
}
