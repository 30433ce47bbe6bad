#include "text/layout/CurvedTextEffect.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>

#include "framework/DC.h"
#include "framework/Pen.h"
#include "framework/String.h"
#include "model/blocks/BlockView.h"
#include "model/blocks/CurveBlock.h"
#include "model/editing/DrawUtils.h"
#include "model/geometry/Contour.h"
#include "model/geometry/ContourShapes.h"
#include "model/geometry/Geometry.h"
#include "text/layout/AttrBox.h"
#include "text/layout/BoxArray.h"
#include "text/layout/CharBox.h"
#include "text/layout/TextDefaults.h"

namespace {

const float kGlyphUnits = 1024.0f;
const float kHalfUnits = 512.0f;
const double kHalfPi = 1.5707963267948966;
const int kPanelTextLength = 32;

struct ModeButton {
  int button;
  WORD mode;
};
// clang-format off
const ModeButton kModeButtons[] = {
    {CCurvedTextEffect::kOutsideButton, CCurvedTextEffect::kOutside},
    {CCurvedTextEffect::kLineCentreButton, CCurvedTextEffect::kLineCentre},
    {CCurvedTextEffect::kInsideButton, CCurvedTextEffect::kInside},
    {CCurvedTextEffect::kCharCentreButton, CCurvedTextEffect::kCharCentre},
};
struct CheckBit {
  int box;
  WORD bit;
};
const CheckBit kCheckBits[] = {
    {CCurvedTextEffect::kSpreadBox, CTextEffect::kSpread},
    {CCurvedTextEffect::kTurnedBox, CTextEffect::kTurnChars},
    {CCurvedTextEffect::kReversedBox, CTextEffect::kReversed},
};
// clang-format on

float AdvanceOf(const CCharBox& box) { return box.IsLineBreak() ? 0 : box.m_width * box.m_ratio; }

HWND PanelOf(HWND host, int panelId) {
  HWND panel = host ? ::GetWindow(host, GW_CHILD) : nullptr;
  if (!panel || ::GetWindowLongPtrA(panel, GWLP_USERDATA) != panelId) return nullptr;
  return panel;
}

}  // namespace

void WritePanelNumber(HWND panel, int id, double value) {
  char text[kPanelTextLength];
  std::snprintf(text, sizeof text, "%.1f", value);
  ::SetDlgItemTextA(panel, id, text);
}

bool ReadPanelNumber(HWND panel, int id, double* value) {
  char text[kPanelTextLength] = {};
  ::GetDlgItemTextA(panel, id, text, sizeof text);
  char* end = nullptr;
  double read = std::strtod(text, &end);
  if (end == text) return false;
  while (*end == ' ') ++end;
  if (*end != 0 || !std::isfinite(read)) return false;
  *value = read;
  return true;
}

bool ReadChangedPanelNumber(HWND panel, int id, double shown, double* value) {
  char was[kPanelTextLength], text[kPanelTextLength] = {};
  std::snprintf(was, sizeof was, "%.1f", shown);
  ::GetDlgItemTextA(panel, id, text, sizeof text);
  if (std::strcmp(was, text) == 0) return false;
  return ReadPanelNumber(panel, id, value);
}

CCurvedTextEffect::CCurvedTextEffect(BYTE kind, CBoxArray* boxes, CMatrix2D* blockMatrix)
    : CTextEffect(kind, boxes, blockMatrix), m_textHeight(0) {}

// ---- The layout line ----

void CCurvedTextEffect::AppendLayoutLine(CCurveBlock& curve) const {
  std::vector<POINTREC> line;
  BuildLayoutLine(&line);
  if (line.size() < 2) return;
  for (const POINTREC& point : line) curve.AddPoint(point);
}

void CCurvedTextEffect::BuildArcLine(FPOINT centre, float radius, float start, float end,
                                     std::vector<POINTREC>* points) {
  std::unique_ptr<CContour> arc(ContourFromArc(centre.x - radius, centre.y - radius,
                                               centre.x + radius, centre.y + radius, start,
                                               RaiseAngleToAtLeast(end, start)));
  if (!arc) return;
  for (const POINTREC& point : arc->GetPoints())
    if (!IsSpecialPoint(point.flags)) points->push_back(point);
}

// ---- Placement ----

CMatrix2D CCurvedTextEffect::CellMatrix(const CCharBox* box, float lift) const {
  float w = box->m_width, h = box->m_height, r = box->m_ratio, x = box->m_x, y = box->m_y;
  float height = m_textHeight;
  bool turned = (m_attributes & kTurnChars) != 0;
  float top;
  switch (m_attributes & kPlacementMask) {
    case kLineCentre:
      top = turned ? y - height : y - h + height / 2;
      break;
    case kInside:
      top = y;
      break;
    case kCharCentre:
      top = y - h / 2;
      break;
    default:
      top = turned ? y - height : y - h;
      break;
  }
  CMatrix2D cell;
  if (turned) {
    cell.m[0] = -1;
    cell.m[4] = -1;
    cell.m[6] = r * kGlyphUnits;
    cell.m[7] = kGlyphUnits;
  }
  CMatrix2D place;
  place.m[0] = w / kGlyphUnits;
  place.m[4] = h / kGlyphUnits;
  place.m[6] = x - r * w / 2;
  place.m[7] = top - lift;
  cell.Multiply(place);
  return cell;
}

CMatrix2D CCurvedTextEffect::CircleBoxMatrix(const CCharBox* box, FPOINT centre) const {
  CMatrix2D matrix = CellMatrix(box, 0);
  double q = kHalfPi - AngleOf(centre.x, centre.y, box->m_x, box->m_y);
  float c = static_cast<float>(std::cos(q)), s = static_cast<float>(std::sin(q));
  float x = box->m_x, y = box->m_y;
  CMatrix2D turn;
  turn.m[0] = c;
  turn.m[1] = s;
  turn.m[3] = -s;
  turn.m[4] = c;
  turn.m[6] = y * s + x * (1 - c);
  turn.m[7] = y * (1 - c) - x * s;
  matrix.Multiply(turn);
  return matrix;
}

void CCurvedTextEffect::LayOutOnCircle(FPOINT centre, float radius, float start, float end) {
  // Every step along the arc is a length divided by the radius.
  if (!m_boxes || !(radius > 0) || !std::isfinite(radius)) return;
  end = RaiseAngleToAtLeast(end, start);
  // Advances first: the spreading needs them all. A line break is a character of no width here:
  // it takes a place of its own in the spreading and the spacing, but no part in the height.
  std::vector<CCharBox*> chars;
  float tallest = 0;
  bool drawn = false;
  for (INT_PTR i = 0; i < m_boxes->GetSize(); ++i) {
    CCharBox* box = m_boxes->GetCharBox(i);
    if (!box) continue;
    chars.push_back(box);
    if (box->IsLineBreak()) continue;
    box->GetAdvance(0);
    tallest = std::max(tallest, box->m_height);
    drawn = true;
  }
  if (drawn) m_textHeight = tallest;
  bool spread = (m_attributes & kSpread) != 0;
  double extra = 0;
  if (spread && chars.size() > 1) {
    double centres = 0;
    for (size_t k = 1; k < chars.size(); ++k)
      centres += (AdvanceOf(*chars[k - 1]) + AdvanceOf(*chars[k])) / 2;
    // Spreading fills the arc but never squeezes the characters into each other: a text longer
    // than its arc runs on past the end.
    extra = std::max(0.0, ((static_cast<double>(end) - start) * radius - centres) /
                              static_cast<double>(chars.size() - 1));
  }
  bool reversed = (m_attributes & kReversed) != 0;
  double direction = reversed ? -1.0 : 1.0;
  const double begin = reversed ? end : start;
  double t = begin;
  double gaps = 0, previousHalf = 0;
  bool first = true;
  for (INT_PTR i = 0; i < m_boxes->GetSize(); ++i) {
    CTextBox* any = m_boxes->GetBox(i);
    if (any && any->IsAttrBox()) {
      const auto* attr = static_cast<const CAttrBox*>(any);
      if (attr->m_attrKind == CAttrBox::kBoxGaps) gaps = attr->GetFloat();
      continue;
    }
    CCharBox* box = m_boxes->GetCharBox(i);
    if (!box) continue;
    double half = AdvanceOf(*box) / 2;
    // Every character but the first keeps its distance from the one before, spread or not; the
    // spacing stands after every character but one standing where the walk began.
    if (!first) t += direction * (extra + previousHalf + half + (t != begin ? gaps : 0)) / radius;
    box->m_x = static_cast<float>(centre.x + radius * std::cos(t));
    box->m_y = static_cast<float>(centre.y - radius * std::sin(t));
    box->m_style |= CCharBox::kPlaced;
    previousHalf = half;
    first = false;
  }
}

void CCurvedTextEffect::PlaceBox(CCharBox* box) {
  CMatrix2D matrix = GetBoxMatrix(box);
  CFRect cell(0, 0, box->m_ratio * kGlyphUnits, kGlyphUnits);
  matrix.TransformRect(&cell);
  box->m_rect = cell;
}

// ---- Caret and hit testing ----

void CCurvedTextEffect::GetCaretPos(INT_PTR index, int side, FPOINT* top, FPOINT* bottom) {
  CCharBox* box = m_boxes ? m_boxes->GetCharBox(index) : nullptr;
  if (!box) {
    index = NextCharIndex(-1);
    box = m_boxes ? m_boxes->GetCharBox(index) : nullptr;
    side = 1;
  }
  if (!box) {
    const CTextDefaults& defaults = CTextDefaults::Global();
    GetStartPoint(top, bottom, defaults.fontSizeX, defaults.fontSizeY);
    return;
  }
  float edge = side == 1 ? 0 : box->m_ratio * kGlyphUnits;
  CMatrix2D matrix = GetBoxMatrix(box);
  *top = {edge, 0};
  *bottom = {edge, kGlyphUnits};
  matrix.TransformPoint(top);
  matrix.TransformPoint(bottom);
}

void CCurvedTextEffect::GetStartPoint(FPOINT* top, FPOINT* bottom, float width, float height) {
  CCharBox box;
  FPOINT at = EmptyTextPoint();
  box.m_x = at.x;
  box.m_y = at.y;
  box.m_width = width;
  box.m_height = height;
  box.m_ratio = 1;
  CMatrix2D matrix = GetBoxMatrix(&box);
  *top = {0, 0};
  *bottom = {0, kGlyphUnits};
  matrix.TransformPoint(top);
  matrix.TransformPoint(bottom);
}

int CCurvedTextEffect::HitTestBox(INT_PTR index, float x, float y) {
  CCharBox* box = m_boxes ? m_boxes->GetCharBox(index) : nullptr;
  if (!box) return 1;
  bool invertible = false;
  CMatrix2D toGlyph = GetBoxMatrix(box).Inverted(&invertible);
  if (!invertible) return 1;
  FPOINT point = {x, y};
  toGlyph.TransformPoint(&point);
  return point.x < box->m_ratio * kHalfUnits ? 1 : 0;
}

INT_PTR CCurvedTextEffect::OnKeyDown(int key, INT_PTR index, int* side) {
  if (key < kEnd || key > kDown) return -1;
  switch (key) {
    case kEnd: {
      INT_PTR last = m_boxes ? m_boxes->PrevCharIndex(m_boxes->GetSize()) : -1;
      if (!m_boxes || !m_boxes->GetCharBox(last)) return index;
      *side = 0;
      return last;
    }
    case kHome: {
      INT_PTR first = NextCharIndex(-1);
      if (first < 0) return index;
      *side = 1;
      return first;
    }
    case kLeft: {
      if (*side != 1) {
        *side = 1;
        return index;
      }
      INT_PTR previous = PrevCharIndex(index);
      return previous >= 0 ? previous : index;
    }
    case kRight: {
      if (*side != 0) {
        *side = 0;
        return index;
      }
      INT_PTR next = NextCharIndex(index);
      return next >= 0 ? next : index;
    }
    default:
      return index;
  }
}

// ---- Guide handles ----

float CCurvedTextEffect::HandleTolerance(CBlockView* view) {
  return static_cast<float>(kHandlePixels * (view ? view->GetScale() : 1.0));
}

void CCurvedTextEffect::DrawGuide(CDC* dc, const CMatrix2D& toDevice,
                                  const std::vector<FPOINT>& handles, COLORREF colour) const {
  if (!dc) return;
  std::vector<POINTREC> line;
  BuildLayoutLine(&line);
  int saved = dc->SaveDC();
  dc->SetROP2(R2_NOTXORPEN);
  dc->SelectStockObject(NULL_BRUSH);
  CPen pen;
  if (colour != static_cast<COLORREF>(-1) && pen.CreatePen(PS_SOLID, 1, colour))
    dc->SelectObject(&pen);
  if (!line.empty()) {
    CContour contour;
    for (const POINTREC& point : line) contour.AppendPoint(point);
    contour.AppendEndMark();
    contour.Stroke(dc, &toDevice);
  }
  for (FPOINT point : handles) {
    toDevice.TransformPoint(&point);
    DrawMarkSquare(dc, static_cast<int>(point.x), static_cast<int>(point.y), kHandleHalfSize);
  }
  dc->RestoreDC(saved);
}

// ---- Property panel ----

HWND CCurvedTextEffect::CreatePanel(HWND parent) const {
  PanelFactory factory = GetPanelFactory();
  return factory ? factory(GetPanelId(), parent) : nullptr;
}

void CCurvedTextEffect::SetPanelCaption(HWND window) const {
  if (!window) return;
  CString caption;
  if (!caption.LoadString(CaptionId())) caption = DefaultCaption();
  ::SetWindowTextA(window, caption);
}

void CCurvedTextEffect::FillPanel(HWND host) const {
  HWND panel = PanelOf(host, GetPanelId());
  if (!panel) return;
  WORD mode = m_attributes & kPlacementMask;
  for (const ModeButton& button : kModeButtons)
    ::CheckDlgButton(panel, button.button, button.mode == mode ? BST_CHECKED : BST_UNCHECKED);
  for (const CheckBit& check : kCheckBits)
    ::CheckDlgButton(panel, check.box, (m_attributes & check.bit) ? BST_CHECKED : BST_UNCHECKED);
  WritePanelValues(panel);
}

BOOL CCurvedTextEffect::ApplyPanel(HWND panel) {
  if (!panel || ::GetWindowLongPtrA(panel, GWLP_USERDATA) != GetPanelId()) return FALSE;
  WORD attributes = PanelFixedBits();
  for (const ModeButton& button : kModeButtons)
    if (::IsDlgButtonChecked(panel, button.button) == BST_CHECKED) attributes |= button.mode;
  for (const CheckBit& check : kCheckBits)
    if (::IsDlgButtonChecked(panel, check.box) == BST_CHECKED) attributes |= check.bit;
  m_attributes = attributes;
  ReadPanelValues(panel);
  return TRUE;
}
