#include "text/layout/CharBox.h"

#include <algorithm>
#include <cmath>
#include <initializer_list>

#include "framework/Brush.h"
#include "framework/ByteReader.h"
#include "framework/ByteWriter.h"
#include "framework/DC.h"
#include "framework/Pen.h"
#include "model/geometry/Contour.h"
#include "model/geometry/MatrixFactories.h"
#include "text/layout/GlyphSource.h"
#include "text/layout/TextDefaults.h"

namespace {

const float kGlyphUnits = 1024.0f;
const float kHalfUnits = 512.0f;
// A glyph narrower or lower than one glyph unit is flat in that direction (a single stroke such
// as "一" drawn as a line): fitting it there would divide by nothing.
const float kFlatExtent = 1.0f;
const double kDegrees = 3.14159265358979323846 / 180.0;

bool IsEastAsianRuleOne(int charset) { return charset == 128 || charset == 129 || charset == 136; }

bool IsGbSymbol(WORD code) {
  BYTE lead = static_cast<BYTE>(code >> 8);
  BYTE trail = static_cast<BYTE>(code & 0xFF);
  return lead >= 0xA1 && lead <= 0xAF && trail >= 0xA1;
}

int RowOf(int charset) {
  CGlyphSource* source = CGlyphSource::Installed();
  return source ? source->FindRow(charset) : -1;
}

COLORREF PlatformColour(DWORD colour) {
  return RGB((colour >> 16) & 0xFF, (colour >> 8) & 0xFF, colour & 0xFF);
}

// Scale and move of one axis that fits [low, high] into the em: uniform scale s and centre, or
// stretch; a flat extent keeps its size and is centred.
CMatrix2D FitMatrix(const CFRect& box, int fit) {
  CMatrix2D matrix;
  float left = std::min(box.left, box.right), right = std::max(box.left, box.right);
  float top = std::min(box.top, box.bottom), bottom = std::max(box.top, box.bottom);
  float width = right - left, height = bottom - top;
  bool wide = width >= kFlatExtent, tall = height >= kFlatExtent;
  float centreX = (left + right) / 2, centreY = (top + bottom) / 2;
  if (fit == CCharBox::kFitUniform) {
    float scale = 1.0f;
    if (wide && tall)
      scale = std::min(kGlyphUnits / width, kGlyphUnits / height);
    else if (wide)
      scale = kGlyphUnits / width;
    else if (tall)
      scale = kGlyphUnits / height;
    matrix.m[0] = matrix.m[4] = scale;
    matrix.m[6] = kHalfUnits - centreX * scale;
    matrix.m[7] = kHalfUnits - centreY * scale;
  } else if (fit == CCharBox::kFitStretch) {
    matrix.m[0] = wide ? kGlyphUnits / width : 1.0f;
    matrix.m[4] = tall ? kGlyphUnits / height : 1.0f;
    matrix.m[6] = wide ? -left * matrix.m[0] : kHalfUnits - centreX;
    matrix.m[7] = tall ? -top * matrix.m[4] : kHalfUnits - centreY;
  }
  return matrix;
}

}  // namespace

CCharBox::CCharBox()
    : CTextBox(0),
      m_style(0),
      m_code(0),
      m_reserved(0),
      m_fontNumber(0),
      m_width(0),
      m_height(0),
      m_inkWidth(0),
      m_inkHeight(0),
      m_ratio(0),
      m_x(0),
      m_y(0),
      m_rect(0, 0, 0, 0),
      m_colour(0),
      m_angle(0),
      m_skewX(0),
      m_skewY(0),
      m_outline(nullptr),
      m_outlineReplaced(false),
      m_outlineBoxState(kBoxUnknown) {}

CCharBox::CCharBox(const CCharBox& other)
    : CTextBox(other),
      m_style(other.m_style),
      m_code(other.m_code),
      m_reserved(other.m_reserved),
      m_fontNumber(other.m_fontNumber),
      m_width(other.m_width),
      m_height(other.m_height),
      m_inkWidth(other.m_inkWidth),
      m_inkHeight(other.m_inkHeight),
      m_ratio(other.m_ratio),
      m_x(other.m_x),
      m_y(other.m_y),
      m_rect(other.m_rect),
      m_colour(other.m_colour),
      m_angle(other.m_angle),
      m_skewX(other.m_skewX),
      m_skewY(other.m_skewY),
      m_outline(other.m_outlineReplaced && other.m_outline ? other.m_outline->Clone() : nullptr),
      m_outlineReplaced(m_outline != nullptr),
      m_outlineBoxState(other.m_outlineBoxState),
      m_outlineBox(other.m_outlineBox) {}

CCharBox::~CCharBox() { delete m_outline; }

CTextBox* CCharBox::Clone() const { return new CCharBox(*this); }

int CCharBox::WriteRecord(CByteWriter& out) const {
  BYTE record[kRecordSize];
  CByteWriter writer(record, sizeof record);
  writer.WriteByte(kCharRecordTag);
  writer.WriteDWord(kRecordSize);
  writer.WriteWord(m_kind);
  writer.WriteFloat(m_width);
  writer.WriteFloat(m_height);
  writer.WriteFloat(m_inkWidth);
  writer.WriteFloat(m_inkHeight);
  writer.WriteFloat(m_ratio);
  writer.WriteWord(m_code);
  writer.WriteFloat(m_angle);
  writer.WriteFloat(m_skewX);
  writer.WriteFloat(m_skewY);
  writer.WriteFloat(m_rect.left);
  writer.WriteFloat(m_rect.top);
  writer.WriteFloat(m_rect.right);
  writer.WriteFloat(m_rect.bottom);
  writer.WriteFloat(m_x);
  writer.WriteFloat(m_y);
  writer.WriteDWord(m_colour);
  writer.WriteWord(m_fontNumber);
  writer.WriteWord(m_reserved);
  writer.WriteWord(m_style);
  return out.WriteBytes(record, sizeof record) ? static_cast<int>(kRecordSize) : 0;
}

namespace {

// Sizes, angles and the place a character stands: a NaN or an infinity would lay it out, draw it
// and cut it nowhere.
bool HasFiniteFields(const CCharBox& box) {
  for (float value : {box.m_width, box.m_height, box.m_inkWidth, box.m_inkHeight, box.m_ratio,
                      box.m_angle, box.m_skewX, box.m_skewY, box.m_rect.left, box.m_rect.top,
                      box.m_rect.right, box.m_rect.bottom, box.m_x, box.m_y})
    if (!std::isfinite(value)) return false;
  return true;
}

}  // namespace

CCharBox* LoadCharBox(const BYTE* record, size_t available) {
  CByteReader reader(record, record ? available : 0);
  BYTE tag = 0;
  DWORD length = 0;
  if (!reader.ReadByte(tag) || tag != CTextBox::kCharRecordTag || !reader.ReadDWord(length) ||
      length != CCharBox::kRecordSize || available < length)
    return nullptr;
  CCharBox* box = new CCharBox;
  reader.ReadWord(box->m_kind);
  reader.ReadFloat(box->m_width);
  reader.ReadFloat(box->m_height);
  reader.ReadFloat(box->m_inkWidth);
  reader.ReadFloat(box->m_inkHeight);
  reader.ReadFloat(box->m_ratio);
  reader.ReadWord(box->m_code);
  reader.ReadFloat(box->m_angle);
  reader.ReadFloat(box->m_skewX);
  reader.ReadFloat(box->m_skewY);
  reader.ReadFloat(box->m_rect.left);
  reader.ReadFloat(box->m_rect.top);
  reader.ReadFloat(box->m_rect.right);
  reader.ReadFloat(box->m_rect.bottom);
  reader.ReadFloat(box->m_x);
  reader.ReadFloat(box->m_y);
  reader.ReadDWord(box->m_colour);
  reader.ReadWord(box->m_fontNumber);
  reader.ReadWord(box->m_reserved);
  reader.ReadWord(box->m_style);
  if (!box->IsCharBox() || !HasFiniteFields(*box)) {
    delete box;
    return nullptr;
  }
  return box;
}

void CCharBox::Init(int charset, WORD code, const CTextDefaults& defaults) {
  delete m_outline;
  m_outline = nullptr;
  m_outlineReplaced = false;
  m_outlineBoxState = kBoxUnknown;
  m_code = code;
  m_reserved = 0;
  m_width = defaults.fontSizeX;
  m_height = defaults.fontSizeY;
  m_inkWidth = m_inkHeight = m_ratio = 0;
  m_x = m_y = 0;
  m_rect = CFRect(-1, -1, -1, -1);
  m_colour = 0;
  m_angle = m_skewX = m_skewY = 0;

  charset &= 0xFF;
  bool symbol = (charset == kSymbolCharset || charset == kGb2312Charset) && IsGbSymbol(code);
  if (symbol) charset = kSymbolCharset;
  if (charset == kSymbolCharset && !symbol) charset = kGb2312Charset;
  int row = RowOf(charset);
  WORD source = static_cast<WORD>((defaults.DefaultSource(row) & 0x0F) << 8);
  m_fontNumber = static_cast<WORD>(defaults.DefaultFontNumber(row));
  m_style = defaults.styleWord;
  bool doubleByte = IsEastAsianRuleOne(charset) || charset == kGb2312Charset || symbol;
  m_kind = static_cast<WORD>((doubleByte ? kDoubleByteBit : 0) | source | charset);
  // Symbols keep their own shape: a fit would blow a dot up to the whole cell.
  if (symbol) m_style &= static_cast<WORD>(~kFitMask);
}

void CCharBox::InitFromCode(WORD code, const CTextDefaults& defaults) {
  if (code < kFirstDoubleByte) {
    // The single-byte language's own default font, source and number together, so that the
    // number always indexes the list it was chosen from.
    Init(0, code, defaults);
    m_style = 0;
    return;
  }
  int charset = defaults.eastAsianCharset;
  if (IsEastAsianRuleOne(charset) || charset == kSymbolCharset || charset == kGb2312Charset) {
    Init(charset, code, defaults);
    if (Charset() != kSymbolCharset) m_style = 0;
    return;
  }
  Init(0, code, defaults);
  m_kind = kDoubleByteBit;
  m_fontNumber = 0;
  m_style = 0;
}

void CCharBox::ComputeMetrics() {
  if (m_code >= kFirstDoubleByte) {
    m_inkWidth = m_width;
    m_inkHeight = m_height;
    m_ratio = 1.0f;
    return;
  }
  if (m_code == 0 || m_code == 10 || m_code == kLineBreak) {
    m_width = m_inkWidth = m_ratio = 0;
    m_inkHeight = m_height;
    return;
  }
  GlyphMetrics metrics;
  CGlyphSource* source = CGlyphSource::Installed();
  if (m_code != kSpace && source) source->GetMetrics(FontKey(), m_fontNumber, m_code, metrics);
  if (metrics.blackBoxX == 0) {
    m_ratio = 0.5f;
    m_inkWidth = m_width * 0.5f;
    m_inkHeight = m_height;
    return;
  }
  m_inkWidth = metrics.blackBoxX * m_width / kGlyphUnits;
  m_inkHeight = metrics.blackBoxY * m_height / kGlyphUnits;
  m_ratio = static_cast<short>(metrics.advance) / kGlyphUnits;
}

float CCharBox::GetAdvance(int layoutKind) {
  if (m_ratio == 0) ComputeMetrics();
  if (IsDoubleByte())
    m_ratio = (m_style & kHalfWidthPunct) && IsFullWidthPunct(m_code) ? 0.5f : 1.0f;
  if (layoutKind >= 2 && m_code >= kFirstDoubleByte) return m_height * m_ratio;
  return m_width * m_ratio;
}

void CCharBox::ForgetGlyph() {
  delete m_outline;
  m_outline = nullptr;
  m_outlineReplaced = false;
  m_outlineBoxState = kBoxUnknown;
  m_ratio = m_inkWidth = m_inkHeight = 0;
}

CContour* CCharBox::Glyph() {
  if (m_outline) return m_outline;
  if (FontSource() == 0 && m_code <= kSpace) return nullptr;
  CGlyphSource* source = CGlyphSource::Installed();
  if (source) m_outline = source->GetGlyph(FontKey(), m_fontNumber, m_code);
  return m_outline;
}

void CCharBox::ReplaceOutline(CContour* outline) {
  if (outline == m_outline) return;
  delete m_outline;
  m_outline = outline;
  m_outlineReplaced = outline != nullptr;
  m_outlineBoxState = kBoxUnknown;
}

void CCharBox::ReleaseSingleByteGlyph() {
  if (m_code >= kFirstDoubleByte || m_outlineReplaced) return;
  delete m_outline;
  m_outline = nullptr;
}

CMatrix2D CCharBox::GetGlyphMatrix(const CFRect& glyphBox) const {
  CMatrix2D matrix;
  if (IsDoubleByte()) matrix = FitMatrix(glyphBox, m_style & kFitMask);
  float ratio = m_ratio > 0 ? m_ratio : (IsDoubleByte() ? 1.0f : 0.5f);
  float centre = ratio * kHalfUnits;
  if (m_skewX != 0 || m_skewY != 0) {
    CMatrix2D skew;
    float tanX = static_cast<float>(std::tan(m_skewX * kDegrees));
    float tanY = static_cast<float>(std::tan(m_skewY * kDegrees));
    skew.m[3] = tanX;
    skew.m[6] = -kHalfUnits * tanX;
    skew.m[1] = tanY;
    skew.m[7] = -centre * tanY;
    matrix.Multiply(skew);
  }
  if (m_angle != 0) {
    CMatrix2D rotation;
    float c = static_cast<float>(std::cos(m_angle * kDegrees));
    float s = static_cast<float>(std::sin(m_angle * kDegrees));
    rotation.m[0] = rotation.m[4] = c;
    rotation.m[1] = s;
    rotation.m[3] = -s;
    rotation.m[6] = kHalfUnits * s + centre * (1 - c);
    rotation.m[7] = kHalfUnits * (1 - c) - centre * s;
    matrix.Multiply(rotation);
  }
  return matrix;
}

CMatrix2D CCharBox::GetGlyphMatrix() {
  CContour* outline = Glyph();
  CMatrix2D matrix = outline ? GetGlyphMatrix(outline->GetBox())
                             : GetGlyphMatrix(CFRect(0, 0, 0, 0));
  ReleaseSingleByteGlyph();
  return matrix;
}

CContour* CCharBox::GetContour(const CMatrix2D* matrix) {
  CContour* outline = Glyph();
  if (!outline) return nullptr;
  CMatrix2D glyph = GetGlyphMatrix(outline->GetBox());
  CContour* result = outline;
  if (m_code >= kFirstDoubleByte || m_outlineReplaced)
    result = outline->Clone();
  else
    m_outline = nullptr;  // handed over: single-byte outlines are not kept
  if (!result) return nullptr;
  result->Transform(&glyph);
  if (matrix) result->Transform(matrix);
  return result;
}

CMatrix2D CCharBox::Placement(int layoutKind) const {
  CMatrix2D placement;
  placement.m[0] = m_width / kGlyphUnits;
  placement.m[4] = m_height / kGlyphUnits;
  placement.m[6] = m_x;
  placement.m[7] = m_y - m_height;
  if (layoutKind < 2) return placement;
  if (m_code >= kFirstDoubleByte) {
    placement.m[7] = m_y;
    return placement;
  }
  // A quarter turn about (x, y): (u, v) -> (x + y - v, u + y - x).
  CMatrix2D turn = MakeRotationMatrix(m_x, m_y, 90.0f);
  placement.Multiply(turn);
  return placement;
}

CContour* CCharBox::GetGlyphContour(const CMatrix2D* matrix, int layoutKind) {
  CContour* outline = Glyph();
  if (!outline) return nullptr;
  const CFRect& box = outline->GetBox();
  m_inkWidth = std::fabs(box.right - box.left) * m_width / kGlyphUnits;
  m_inkHeight = std::fabs(box.bottom - box.top) * m_height / kGlyphUnits;
  CMatrix2D whole = GetGlyphMatrix(box);
  whole.Multiply(Placement(layoutKind));
  if (matrix) whole.Multiply(*matrix);
  CContour* result = outline->Clone();
  if (result && !whole.IsIdentity()) result->Transform(&whole);
  ReleaseSingleByteGlyph();
  return result;
}

void CCharBox::Offset(float dx, float dy) {
  m_x += dx;
  m_rect.left += dx;
  m_rect.right += dx;
  m_y += dy;
  m_rect.top += dy;
  m_rect.bottom += dy;
}

bool CCharBox::GetDrawnBounds(const CMatrix2D& matrix, CFRect* bounds) {
  if (m_outlineBoxState == kBoxUnknown) {
    const CContour* outline = Glyph();
    // Without fonts yet nothing is known: a missing outline is kept only once a source said so.
    if (!outline && !CGlyphSource::Installed()) return false;
    m_outlineBoxState = outline ? kBoxKnown : kNoOutline;
    if (outline) m_outlineBox = outline->GetBox();
    ReleaseSingleByteGlyph();
  }
  if (m_outlineBoxState != kBoxKnown) return false;
  CMatrix2D whole = GetGlyphMatrix(m_outlineBox);
  whole.Multiply(matrix);
  *bounds = m_outlineBox;
  whole.TransformRect(bounds);
  return true;
}

void CCharBox::DrawContour(CDC* dc, CContour* contour, bool filled) {
  if (!dc || !contour) return;
  CPen pen(PS_SOLID, 1, PlatformColour(m_colour));
  CBrush brush(PlatformColour(m_colour));
  int saved = dc->SaveDC();
  dc->SelectObject(&pen);
  if (filled) {
    dc->SelectObject(&brush);
    ::SetPolyFillMode(dc->GetSafeHdc(), ALTERNATE);
    contour->FillPath(dc);
  } else {
    m_style &= static_cast<WORD>(~kPlaced);
    contour->Stroke(dc);
  }
  dc->RestoreDC(saved);
}

void CCharBox::Draw(CDC* dc, const CMatrix2D* matrix) {
  CContour* contour = GetContour(matrix);
  DrawContour(dc, contour, (m_style & kFilled) != 0);
  delete contour;
}

void CCharBox::DrawPreview(CDC* dc, const CMatrix2D* matrix, int layoutKind) {
  CContour* contour = GetGlyphContour(matrix, layoutKind);
  DrawContour(dc, contour, false);
  delete contour;
}

bool IsFullWidthPunct(WORD code) {
  switch (code) {
    case 0xA1A2:
    case 0xA1A3:
    case 0xA3A1:
    case 0xA3A8:
    case 0xA3A9:
    case 0xA3AC:
    case 0xA3AE:
    case 0xA3BA:
    case 0xA3BB:
      return true;
    default:
      return (code >= 0xA1AE && code <= 0xA1B7) || (code >= 0xA1BC && code <= 0xA1BF);
  }
}

bool IsNoLineStartPunct(const CTextBox* box) {
  if (!box || !box->IsCharBox()) return false;
  switch (static_cast<const CCharBox*>(box)->m_code) {
    case ',':
    case '.':
    case ';':
    case 0xA1A2:
    case 0xA1A3:
    case 0xA1B1:
    case 0xA1B7:
    case 0xA3AC:
    case 0xA3AE:
    case 0xA3BB:
      return true;
    default:
      return false;
  }
}
