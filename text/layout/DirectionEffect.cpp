#include "text/layout/DirectionEffect.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "framework/ByteReader.h"
#include "framework/ByteWriter.h"
#include "framework/DC.h"
#include "model/blocks/BlockView.h"
#include "model/blocks/CurveBlock.h"
#include "model/editing/DrawUtils.h"
#include "model/geometry/Geometry.h"
#include "model/geometry/MatrixFactories.h"
#include "text/layout/AttrBox.h"
#include "text/layout/BoxArray.h"
#include "text/layout/CharBox.h"
#include "text/layout/TextDefaults.h"

namespace {

const float kGlyphUnits = 1024.0f;
const float kHalfUnits = 512.0f;
// A character that ends this close to the edge still fits: sums of float advances do not add up
// exactly.
const float kFitTolerance = 1e-3f;
const int kHandleHalfSize = 3;
const int kHandlePixels = 3;

bool g_autoFill = true;

bool EndsLine(const CCharBox* box) {
  return box->IsLineBreak() || (box->m_style & CCharBox::kLineEnd);
}

bool IsDoubleByteCode(const CCharBox* box) { return box->m_code >= CCharBox::kFirstDoubleByte; }

const CAttrBox* AsAttr(const CTextBox* box) {
  return box && box->IsAttrBox() ? static_cast<const CAttrBox*>(box) : nullptr;
}

}  // namespace

// The state of laying lines out one after another: the spacing and modes the attribute boxes set
// so far, the open alignment brackets (each the index of its first character, -1 until it has
// one), and the cross position where the next line starts. Resume builds it from the boxes
// before a line in one pass, so that a relayout costs one walk of the text, never one per line.
class CDirectionEffect::LineWalk {
public:
  explicit LineWalk(CDirectionEffect& effect)
      : m_effect(effect),
        m_boxes(*effect.m_boxes),
        m_along(effect.m_kind == kReversedHorizontal ? -1.0f : 1.0f),
        m_position(CrossStart()),
        m_firstLine(true) {
    m_state.Clear();
  }

  void Resume(INT_PTR lineStart) {
    const CCharBox* lastEnd = nullptr;
    float lineCross = 0, lastLineCross = 0;
    for (INT_PTR i = 0; i < lineStart; ++i) {
      CCharBox* box = m_boxes.GetCharBox(i);
      if (!box) {
        ApplyAttr(i);
        continue;
      }
      NoteFirstCharacter(i);
      if (!box->IsLineBreak() || lineCross == 0)
        lineCross = std::max(lineCross, m_effect.CrossSize(box));
      if (EndsLine(box)) {
        lastEnd = box;
        lastLineCross = lineCross;
        lineCross = 0;
      }
    }
    if (!lastEnd) return;
    m_firstLine = false;
    if (m_effect.IsHorizontal())
      m_position = lastEnd->m_y;
    else
      m_position = m_effect.m_kind == kVertical ? lastEnd->m_x + lastLineCross : lastEnd->m_x;
  }

  // Lays out the line that starts at the index; returns the index after it.
  INT_PTR LayLine(INT_PTR start) {
    bool spread = (m_effect.m_attributes & kSpread) != 0;
    float available = Available();
    float position = spread ? AlongStart() : AlignPosition();
    std::vector<INT_PTR> chars;
    float lineCross = 0, advances = 0;
    bool wrapped = false;
    INT_PTR i = start;
    for (; i < m_boxes.GetSize(); ++i) {
      CCharBox* box = m_boxes.GetCharBox(i);
      if (!box) {
        ApplyAttr(i);
        continue;
      }
      box->m_style &= static_cast<WORD>(~CCharBox::kLineEnd);
      bool first = chars.empty();
      float at = first || spread ? position : position + m_along * m_state.boxGaps;
      float advance = m_effect.Advance(box);
      if (box->IsLineBreak()) {
        SetAlong(box, at);
        box->m_style |= CCharBox::kLineEnd;
        if (lineCross == 0) lineCross = m_effect.CrossSize(box);
        Accept(chars, i);
        ++i;
        break;
      }
      if (advance > available) available = Widen(advance);
      // The first character of a line always stays, so that every line takes one.
      if (!first && Overflows(at, advance) && !IsNoLineStartPunct(box)) {
        m_boxes.GetCharBox(chars.back())->m_style |= CCharBox::kLineEnd;
        wrapped = true;
        break;
      }
      SetAlong(box, at);
      position = at + m_along * advance;
      lineCross = std::max(lineCross, m_effect.CrossSize(box));
      advances += advance;
      Accept(chars, i);
    }
    if (chars.empty()) return i;
    if (spread)
      Spread(chars, available, advances);
    else if (wrapped && g_autoFill)
      ShareSlack(chars);
    PlaceAcross(chars, lineCross);
    return i;
  }

  float Position() const { return m_position; }

private:
  float AlongStart() const {
    const CFRect& f = m_effect.m_frame;
    return m_effect.IsHorizontal() ? (m_along > 0 ? f.left : f.right) : f.top;
  }
  float AlongEnd() const {
    const CFRect& f = m_effect.m_frame;
    return m_effect.IsHorizontal() ? (m_along > 0 ? f.right : f.left) : f.bottom;
  }
  float Available() const { return std::fabs(AlongEnd() - AlongStart()); }
  float CrossStart() const {
    const CFRect& f = m_effect.m_frame;
    if (m_effect.IsHorizontal()) return f.top;
    return m_effect.m_kind == kVertical ? f.left : f.right;
  }

  // A character longer than the whole line gets room for itself.
  float Widen(float advance) {
    CFRect& f = m_effect.m_frame;
    if (m_effect.m_kind == kHorizontal)
      f.right = f.left + advance + 1;
    else if (m_effect.m_kind == kReversedHorizontal)
      f.left = f.right - advance - 1;
    else
      f.bottom = f.top + advance;
    return Available();
  }

  bool Overflows(float at, float advance) const {
    float end = at + m_along * advance;
    return m_along > 0 ? end > AlongEnd() + kFitTolerance : end < AlongEnd() - kFitTolerance;
  }

  void SetAlong(CCharBox* box, float at) const {
    if (m_effect.IsHorizontal())
      box->m_x = at;
    else
      box->m_y = at;
  }

  void ApplyAttr(INT_PTR index) {
    const CAttrBox* attr = AsAttr(m_boxes.GetBox(index));
    CAttrBox::Apply(attr, &m_state);
    if (attr && attr->m_attrKind == CAttrBox::kAlignOpen) m_brackets.push_back(-1);
    if (attr && attr->m_attrKind == CAttrBox::kAlignClose && !m_brackets.empty())
      m_brackets.pop_back();
  }

  void NoteFirstCharacter(INT_PTR index) {
    for (auto it = m_brackets.rbegin(); it != m_brackets.rend() && *it < 0; ++it) *it = index;
  }

  void Accept(std::vector<INT_PTR>& chars, INT_PTR index) {
    chars.push_back(index);
    NoteFirstCharacter(index);
  }

  // Lines in an open bracket start under its first character.
  float AlignPosition() const {
    for (auto it = m_brackets.rbegin(); it != m_brackets.rend(); ++it)
      if (*it >= 0) return m_effect.AlongOf(m_boxes.GetCharBox(*it));
    return AlongStart();
  }

  void Spread(const std::vector<INT_PTR>& chars, float available, float advances) {
    int counted = 0;
    for (INT_PTR index : chars) counted += m_boxes.GetCharBox(index)->IsLineBreak() ? 0 : 1;
    if (counted < 2) return;
    float gap = (available - advances) / (counted - 1);
    float at = AlongStart();
    for (INT_PTR index : chars) {
      CCharBox* box = m_boxes.GetCharBox(index);
      if (box->IsLineBreak()) {
        SetAlong(box, at - m_along * gap);
        continue;
      }
      SetAlong(box, at);
      at += m_along * (m_effect.Advance(box) + gap);
    }
  }

  void ShareSlack(const std::vector<INT_PTR>& chars) {
    size_t n = chars.size();
    if (n < 2) return;
    CCharBox* last = m_boxes.GetCharBox(chars.back());
    float end = m_effect.AlongOf(last) + m_along * m_effect.Advance(last);
    float slack = m_along * (AlongEnd() - end);
    for (size_t k = 1; k < n; ++k) {
      CCharBox* box = m_boxes.GetCharBox(chars[k]);
      SetAlong(box, m_effect.AlongOf(box) + m_along * slack * k / (n - 1));
    }
  }

  // Puts the line below (or beside) the previous one: a line that is not the frame's first has
  // LineGaps before it.
  void PlaceAcross(const std::vector<INT_PTR>& chars, float lineCross) {
    float gaps = m_firstLine ? 0 : m_state.lineGaps;
    float cross;
    if (m_effect.IsHorizontal()) {
      cross = m_position + gaps + lineCross;
      m_position = cross;
    } else if (m_effect.m_kind == kVertical) {
      cross = m_position + gaps;
      m_position = cross + lineCross;
    } else {
      cross = m_position - gaps - lineCross;
      m_position = cross;
    }
    for (INT_PTR index : chars) {
      CCharBox* box = m_boxes.GetCharBox(index);
      if (m_effect.IsHorizontal())
        box->m_y = cross;
      else
        box->m_x = cross;
      box->m_style |= CCharBox::kPlaced;
    }
    m_firstLine = false;
  }

  CDirectionEffect& m_effect;
  CBoxArray& m_boxes;
  float m_along;
  CTextDefaults m_state;
  std::vector<INT_PTR> m_brackets;
  float m_position;
  bool m_firstLine;
};

CDirectionEffect::CDirectionEffect(float left, float top, float right, float bottom,
                                   CBoxArray* boxes, CMatrix2D* blockMatrix)
    : CTextEffect(kHorizontal, boxes, blockMatrix), m_frame(left, top, right, bottom) {}

void CDirectionEffect::SetAutoFill(bool on) { g_autoFill = on; }

bool CDirectionEffect::IsAutoFill() { return g_autoFill; }

CDirectionEffect* CDirectionEffect::FromRecord(const BYTE* record, size_t available,
                                               CBoxArray* boxes, CMatrix2D* blockMatrix) {
  CByteReader reader(record, record ? available : 0);
  BYTE tag = 0, kindByte = 0;
  DWORD length = 0;
  float frame[4];
  if (!reader.ReadByte(tag) || tag < kFirstTag || tag > kFirstTag + 3 ||
      !reader.ReadDWord(length) || length != kRecordSize || available < length ||
      !reader.ReadByte(kindByte))
    return nullptr;
  for (float& edge : frame)
    if (!reader.ReadFloat(edge) || !std::isfinite(edge)) return nullptr;
  CDirectionEffect* effect = new CDirectionEffect(frame[0], frame[1], frame[2], frame[3], boxes,
                                                  blockMatrix);
  effect->SetKind(static_cast<BYTE>(tag - kFirstTag));
  if (kindByte & kSpreadInKindByte) effect->m_attributes = kSpread;
  return effect;
}

int CDirectionEffect::WriteRecord(CByteWriter& out) const {
  BYTE record[kRecordSize];
  CByteWriter writer(record, sizeof record);
  writer.WriteByte(static_cast<BYTE>(kFirstTag + (m_kind & 3)));
  writer.WriteDWord(kRecordSize);
  writer.WriteByte(
      static_cast<BYTE>((m_kind & 3) | (m_attributes & kSpread ? kSpreadInKindByte : 0)));
  writer.WriteFloat(m_frame.left);
  writer.WriteFloat(m_frame.top);
  writer.WriteFloat(m_frame.right);
  writer.WriteFloat(m_frame.bottom);
  return out.WriteBytes(record, sizeof record) ? static_cast<int>(kRecordSize) : 0;
}

float CDirectionEffect::Advance(CCharBox* box) const {
  return box->GetAdvance(IsHorizontal() ? 0 : 2);
}

float CDirectionEffect::CrossSize(const CCharBox* box) const {
  if (IsHorizontal()) return box->m_height;
  // Single-byte characters lie on their side in a column.
  return box->IsDoubleByte() ? box->m_width : box->m_height;
}

float CDirectionEffect::AlongOf(const CCharBox* box) const {
  return IsHorizontal() ? box->m_x : box->m_y;
}

void CDirectionEffect::Layout(INT_PTR from) {
  LineWalk walk(*this);
  INT_PTR count = m_boxes ? m_boxes->GetSize() : 0;
  if (count > 0) {
    from = std::max<INT_PTR>(0, std::min(from, count - 1));
    // The line of the character before the change is decided again: it may now take more.
    INT_PTR previous = PrevCharIndex(from);
    INT_PTR start = previous < 0 ? 0 : LineStartOf(previous);
    while (start > 0 && m_boxes->GetBox(start - 1)->IsAttrBox()) --start;
    walk.Resume(start);
    for (INT_PTR i = start; i < count;) i = walk.LayLine(i);
  }
  float farEdge = walk.Position();
  if (IsHorizontal())
    m_frame.bottom = farEdge;
  else if (m_kind == kVertical)
    m_frame.right = farEdge;
  else
    m_frame.left = farEdge;
}

INT_PTR CDirectionEffect::LineStartOf(INT_PTR index) const {
  INT_PTR first = index;
  for (INT_PTR i = index - 1; i >= 0; --i) {
    const CCharBox* box = m_boxes->GetCharBox(i);
    if (!box) continue;
    if (EndsLine(box)) break;
    first = i;
  }
  return first;
}

INT_PTR CDirectionEffect::LineEndOf(INT_PTR index) const {
  INT_PTR last = index;
  for (INT_PTR i = index; i < m_boxes->GetSize(); ++i) {
    const CCharBox* box = m_boxes->GetCharBox(i);
    if (!box) continue;
    last = i;
    if (EndsLine(box)) break;
  }
  return last;
}

void CDirectionEffect::PlaceBox(CCharBox* box) {
  float w = box->m_width, h = box->m_height, r = box->m_ratio, x = box->m_x, y = box->m_y;
  float along = IsDoubleByteCode(box)             ? w
                : box->IsLineBreak()              ? 0
                : box->m_code == CCharBox::kSpace ? w / 2
                                                  : r * w;
  CFRect& rect = box->m_rect;
  if (m_kind == kHorizontal) {
    rect = CFRect(x, y - h, x + along, y);
  } else if (m_kind == kReversedHorizontal) {
    rect = CFRect(x - along, y - h, x, y);
  } else if (IsDoubleByteCode(box)) {
    rect = CFRect(x, y, x + w, y + h);
  } else {
    rect = CFRect(x, y, x + h, y + along);
  }
}

CMatrix2D CDirectionEffect::GetBoxMatrix(const CCharBox* box) const {
  CMatrix2D matrix;
  float w = box->m_width, h = box->m_height, x = box->m_x, y = box->m_y;
  matrix.m[0] = w / kGlyphUnits;
  matrix.m[4] = h / kGlyphUnits;
  matrix.m[6] = m_kind == kReversedHorizontal ? x - box->m_ratio * w : x;
  matrix.m[7] = y - h;
  if (IsHorizontal()) return matrix;
  if (IsDoubleByteCode(box)) {
    matrix.m[7] = y;
    return matrix;
  }
  // A quarter turn about (x, y): (u, v) -> (x + y - v, u + y - x).
  CMatrix2D turn = MakeRotationMatrix(x, y, 90.0f);
  matrix.Multiply(turn);
  return matrix;
}

void CDirectionEffect::Offset(float dx, float dy) {
  m_frame.left += dx;
  m_frame.right += dx;
  m_frame.top += dy;
  m_frame.bottom += dy;
}

void CDirectionEffect::SetFrame(float left, float top, float right, float bottom) {
  m_frame = CFRect(left, top, right, bottom);
}

int CDirectionEffect::HitTestBox(INT_PTR index, float x, float y) {
  CCharBox* box = m_boxes ? m_boxes->GetCharBox(index) : nullptr;
  if (!box) return 1;
  CMatrix2D toPage = box->GetGlyphMatrix();
  toPage.Multiply(GetBoxMatrix(box));
  bool invertible = false;
  CMatrix2D toGlyph = toPage.Inverted(&invertible);
  if (!invertible) return 1;
  FPOINT point = {x, y};
  toGlyph.TransformPoint(&point);
  float middle = IsDoubleByteCode(box) ? kHalfUnits : box->m_ratio * kHalfUnits;
  if (m_kind == kReversedHorizontal) return point.x >= middle ? 1 : 0;
  // Upright double-byte characters run down a column along their own y.
  float along = !IsHorizontal() && IsDoubleByteCode(box) ? point.y : point.x;
  return along < middle ? 1 : 0;
}

void CDirectionEffect::GetCaretPos(INT_PTR index, int side, FPOINT* top, FPOINT* bottom) {
  if (index < 0) {
    index = NextCharIndex(-1);
    side = 1;
  }
  CCharBox* box = m_boxes ? m_boxes->GetCharBox(index) : nullptr;
  if (!box) {
    GetStartPoint(top, bottom, 0, 0);
    return;
  }
  float x = box->m_x, y = box->m_y, h = box->m_height;
  if (box->IsLineBreak() && side == 0) {
    INT_PTR next = NextCharIndex(index);
    if (next >= 0) return GetCaretPos(next, 1, top, bottom);
    // The caret stands at the start of the empty line after the break.
    if (m_kind == kHorizontal || m_kind == kReversedHorizontal) {
      float edge = m_kind == kHorizontal ? m_frame.left : m_frame.right;
      *top = {edge, y};
      *bottom = {edge, y + h};
    } else if (m_kind == kVertical) {
      *top = {x + h, m_frame.top};
      *bottom = {x + 2 * h, m_frame.top};
    } else {
      *top = {x, m_frame.top};
      *bottom = {x - h, m_frame.top};
    }
    return;
  }
  float advance = side == 0 ? Advance(box) : 0;
  if (IsHorizontal()) {
    float at = m_kind == kHorizontal ? x + advance : x - advance;
    *top = {at, y - h};
    *bottom = {at, y};
  } else {
    *top = {x, y + advance};
    *bottom = {x + CrossSize(box), y + advance};
  }
}

void CDirectionEffect::GetStartPoint(FPOINT* top, FPOINT* bottom, float width, float height) {
  const CFRect& f = m_frame;
  switch (m_kind) {
    case kHorizontal:
      *top = {f.left, f.top};
      *bottom = {f.left, f.top + height};
      break;
    case kReversedHorizontal:
      *top = {f.right, f.top};
      *bottom = {f.right, f.top + height};
      break;
    case kVertical:
      *top = {f.left, f.top};
      *bottom = {f.left + width, f.top};
      break;
    default:
      *top = {f.right, f.top};
      *bottom = {f.right - width, f.top};
      break;
  }
}

namespace {

// The caret keys as a horizontal line sees them.
int TurnKey(BYTE kind, int key) {
  if (kind == CTextEffect::kReversedHorizontal) {
    switch (key) {
      case CTextEffect::kEnd:
        return CTextEffect::kHome;
      case CTextEffect::kHome:
        return CTextEffect::kEnd;
      case CTextEffect::kLeft:
        return CTextEffect::kRight;
      case CTextEffect::kRight:
        return CTextEffect::kLeft;
      default:
        return key;
    }
  }
  if (kind == CTextEffect::kVertical || kind == CTextEffect::kReversedVertical) {
    bool toRight = kind == CTextEffect::kVertical;
    switch (key) {
      case CTextEffect::kLeft:
        return toRight ? CTextEffect::kUp : CTextEffect::kDown;
      case CTextEffect::kRight:
        return toRight ? CTextEffect::kDown : CTextEffect::kUp;
      case CTextEffect::kUp:
        return CTextEffect::kLeft;
      case CTextEffect::kDown:
        return CTextEffect::kRight;
      default:
        return key;
    }
  }
  return key;
}

}  // namespace

INT_PTR CDirectionEffect::OnKeyDown(int key, INT_PTR index, int* side) {
  if (key < kEnd || key > kDown) return -1;
  if (!m_boxes || !m_boxes->GetCharBox(index)) return index;
  const int turned = TurnKey(m_kind, key);
  // After a line break the caret stands at the start of the next line, though it keeps the
  // break's index: the keys move from there, not from the line the break ends.
  if (m_boxes->GetCharBox(index)->IsLineBreak() && *side == 0) {
    INT_PTR next = NextCharIndex(index);
    if (next >= 0) {
      index = next;
      *side = 1;
    } else if (turned == kUp) {
      // An empty last line: up is the start of the line above.
      *side = 1;
      return LineStartOf(index);
    } else if (turned != kLeft) {
      return index;
    }
  }
  switch (turned) {
    case kEnd: {
      INT_PTR last = LineEndOf(index);
      INT_PTR before = PrevCharIndex(last);
      // A line that ends in a break ends before it.
      if (m_boxes->GetCharBox(last)->IsLineBreak() && last != LineStartOf(last) && before >= 0) {
        *side = 0;
        return before;
      }
      *side = m_boxes->GetCharBox(last)->IsLineBreak() ? 1 : 0;
      return last;
    }
    case kHome:
      *side = 1;
      return LineStartOf(index);
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
    case kUp:
      return CharOnOtherLine(index, side, false);
    default:
      return CharOnOtherLine(index, side, true);
  }
}

void CDirectionEffect::SpanOf(CCharBox* box, float* leading, float* trailing) const {
  *leading = AlongOf(box);
  float advance = Advance(box);
  *trailing = *leading + (m_kind == kReversedHorizontal ? -advance : advance);
}

INT_PTR CDirectionEffect::CharOnOtherLine(INT_PTR index, int* side, bool next) const {
  float leading = 0, trailing = 0;
  SpanOf(m_boxes->GetCharBox(index), &leading, &trailing);
  float caret = *side == 1 ? leading : trailing;
  INT_PTR first, last;
  if (next) {
    first = NextCharIndex(LineEndOf(index));
    if (first < 0) return index;
    last = LineEndOf(first);
  } else {
    last = PrevCharIndex(LineStartOf(index));
    if (last < 0) return index;
    first = LineStartOf(last);
  }
  INT_PTR best = index;
  float nearest = 0;
  int bestSide = *side;
  for (INT_PTR i = first; i <= last; ++i) {
    CCharBox* box = m_boxes->GetCharBox(i);
    if (!box) continue;
    SpanOf(box, &leading, &trailing);
    float toLeading = std::fabs(caret - leading), toTrailing = std::fabs(caret - trailing);
    float distance = std::min(toLeading, toTrailing);
    int nearerSide = toLeading <= toTrailing ? 1 : 0;
    // Where two boxes meet, the caret goes before the later one, as a click there would.
    bool tieBefore = distance == nearest && nearerSide == 1 && bestSide == 0;
    if (best == index || distance < nearest || tieBefore) {
      best = i;
      nearest = distance;
      bestSide = nearerSide;
    }
  }
  *side = bestSide;
  return best;
}

void CDirectionEffect::GuidePoints(FPOINT* first, FPOINT* second) const {
  const CFRect& f = m_frame;
  if (IsHorizontal()) {
    *first = {f.left, f.top};
    *second = {f.right, f.top};
  } else {
    float x = m_kind == kVertical ? f.left : f.right;
    *first = {x, f.top};
    *second = {x, f.bottom};
  }
}

void CDirectionEffect::DrawGuideXor(CDC* dc, const CMatrix2D& toDevice) {
  if (!dc) return;
  FPOINT first, second;
  GuidePoints(&first, &second);
  toDevice.TransformPoint(&first);
  toDevice.TransformPoint(&second);
  int saved = dc->SaveDC();
  dc->SetROP2(R2_NOTXORPEN);
  dc->SelectStockObject(NULL_BRUSH);
  dc->MoveTo(static_cast<int>(first.x), static_cast<int>(first.y));
  dc->LineTo(static_cast<int>(second.x), static_cast<int>(second.y));
  DrawMarkSquare(dc, static_cast<int>(first.x), static_cast<int>(first.y), kHandleHalfSize);
  DrawMarkSquare(dc, static_cast<int>(second.x), static_cast<int>(second.y), kHandleHalfSize);
  dc->RestoreDC(saved);
}

bool CDirectionEffect::HitTestHandle(CBlockView* view, float x, float y, int* handle) {
  float tolerance = static_cast<float>(kHandlePixels * (view ? view->GetScale() : 1.0));
  FPOINT points[2];
  GuidePoints(&points[0], &points[1]);
  for (int i = 0; i < 2; ++i) {
    if (PointInBox(x, y, points[i].x - tolerance, points[i].y - tolerance, points[i].x + tolerance,
                   points[i].y + tolerance)) {
      if (handle) *handle = i + 1;
      return true;
    }
  }
  return false;
}

int CDirectionEffect::MoveHandle(CBlockView* /*view*/, int handle, float x, float y) {
  if (handle == 1) {
    if (IsHorizontal())
      m_frame.left = x;
    else
      m_frame.top = y;
    return 1;
  }
  if (handle == 2) {
    if (IsHorizontal())
      m_frame.right = x;
    else
      m_frame.bottom = y;
    return 1;
  }
  return 0;
}

void CDirectionEffect::AppendLayoutLine(CCurveBlock& curve) const {
  if (!m_boxes || m_boxes->NextCharIndex(-1) < 0) return;
  float farthest = IsHorizontal() ? (m_kind == kHorizontal ? m_frame.left : m_frame.right)
                                  : m_frame.top;
  std::vector<float> lineEdges;
  for (INT_PTR i = 0; i < m_boxes->GetSize(); ++i) {
    CCharBox* box = m_boxes->GetCharBox(i);
    if (!box) continue;
    float leading, trailing;
    SpanOf(box, &leading, &trailing);
    farthest = m_kind == kReversedHorizontal ? std::min(farthest, trailing)
                                             : std::max(farthest, trailing);
    if (EndsLine(box) || m_boxes->NextCharIndex(i) < 0)
      lineEdges.push_back(IsHorizontal() ? box->m_y : box->m_x);
  }
  CFRect extent = m_frame;
  if (m_kind == kHorizontal)
    extent.right = farthest;
  else if (m_kind == kReversedHorizontal)
    extent.left = farthest;
  else
    extent.bottom = farthest;
  curve.AddRectangle(extent.left, extent.top, extent.right, extent.bottom);
  for (float edge : lineEdges) {
    if (IsHorizontal() && edge < extent.bottom)
      curve.AddLine(extent.left, edge, extent.right, edge);
    if (!IsHorizontal() && edge > extent.left) curve.AddLine(edge, extent.top, edge, extent.bottom);
  }
}
