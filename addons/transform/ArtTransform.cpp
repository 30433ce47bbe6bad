#include "addons/transform/ArtTransform.h"

#include <algorithm>
#include <cmath>
#include <cstring>

#include "addons/transform/SteadyMath.h"
#include "framework/ByteReader.h"
#include "framework/ByteWriter.h"

namespace {

const double kPi = 3.14159265358979323846;
const BYTE kSignature[3] = {'T', 'V', 'X'};
const BYTE kDataVersion = 1;
const float kAmountStep = 0.05f;
// Straight pieces longer than this share of the box's larger side are divided before bending.
const double kBendPieces = 100;
// The handle catches the pointer within this many pixels.
const double kCatchPixels = 5;
const double kHandlePixels = 3;
// Until the first drawing tells the scale: page units per pixel at 1:1 on a 96 dpi screen.
const double kDefaultPagePerPixel = 25.4 / 96;

struct KindInfo {
  LPCSTR chinese;
  LPCSTR english;
  float amount;
};

const KindInfo kKinds[CArtTransform::kKindCount] = {
    {"拱形", "Arch", 0.3f},
    {"膨胀", "Bulge", 0.5f},
    {"透视", "Perspective", 0.5f},
    {"波浪", "Wave", 0.25f},
};

bool IsFinite(const CFRect& box) {
  return std::isfinite(box.left) && std::isfinite(box.top) && std::isfinite(box.right) &&
         std::isfinite(box.bottom);
}

double SafeSize(double size) { return std::fabs(size) > 1e-9 ? size : 1.0; }

FPOINT Mapped(const CMatrix2D& matrix, double x, double y) {
  FPOINT p = {static_cast<float>(x), static_cast<float>(y)};
  matrix.TransformPoint(&p);
  return p;
}

// The inverse of the affine part (x' = x m0 + y m3 + m6, y' = x m1 + y m4 + m7).
bool Unmap(const CMatrix2D& matrix, double x, double y, double* outX, double* outY) {
  const float* m = matrix.m;
  double det = static_cast<double>(m[0]) * m[4] - static_cast<double>(m[1]) * m[3];
  if (!std::isfinite(det) || std::fabs(det) < 1e-12) return false;
  double dx = x - m[6], dy = y - m[7];
  *outX = (dx * m[4] - dy * m[3]) / det;
  *outY = (dy * m[0] - dx * m[1]) / det;
  return true;
}

// Device pixels as GDI takes them; far-off points are held where GDI can still draw towards them.
POINT ToDevice(const FPOINT& p) {
  const float kFar = 1e7f;
  float x = std::isfinite(p.x) ? std::max(-kFar, std::min(kFar, p.x)) : 0;
  float y = std::isfinite(p.y) ? std::max(-kFar, std::min(kFar, p.y)) : 0;
  return POINT{static_cast<LONG>(x), static_cast<LONG>(y)};
}

void Densify(const std::vector<OutlinePoint>& in, double longest, std::vector<OutlinePoint>* out) {
  out->clear();
  for (size_t i = 0; i < in.size(); ++i) {
    if (i > 0) {
      const OutlinePoint& a = in[i - 1];
      const OutlinePoint& b = in[i];
      double length = CSteadyMath::Hypot(b.x() - a.x(), b.y() - a.y());
      int pieces = static_cast<int>(std::min(1000.0, std::ceil(length / longest)));
      for (int k = 1; k < pieces; ++k) {
        double t = static_cast<double>(k) / pieces;
        out->push_back(OutlinePoint(a.x() + (b.x() - a.x()) * t, a.y() + (b.y() - a.y()) * t));
      }
    }
    out->push_back(in[i]);
  }
}

}  // namespace

CArtTransform::CArtTransform(int kind, const CFRect& box)
    : m_kind(IsKind(kind) ? kind : kArch),
      m_box(box),
      m_amount(DefaultAmount(kind)),
      m_dragging(false),
      m_pagePerPixel(kDefaultPagePerPixel) {
  m_box.Normalize();
}

bool CArtTransform::IsKind(int kind) { return kind >= 1 && kind <= kKindCount; }

LPCSTR CArtTransform::Name(int kind, bool english) {
  if (!IsKind(kind)) return nullptr;
  return english ? kKinds[kind - 1].english : kKinds[kind - 1].chinese;
}

float CArtTransform::DefaultAmount(int kind) { return IsKind(kind) ? kKinds[kind - 1].amount : 0; }

void CArtTransform::SetAmount(float amount) {
  if (std::isnan(amount)) return;
  m_amount = std::max(-1.0f, std::min(1.0f, amount));
}

std::vector<BYTE> CArtTransform::WriteData() const {
  CByteWriter writer(kDataSize);
  writer.WriteBytes(kSignature, sizeof kSignature);
  writer.WriteByte(kDataVersion);
  writer.WriteByte(static_cast<BYTE>(m_kind));
  writer.WriteFloat(m_amount);
  writer.WriteFloat(m_box.left);
  writer.WriteFloat(m_box.top);
  writer.WriteFloat(m_box.right);
  writer.WriteFloat(m_box.bottom);
  return writer.Bytes();
}

CArtTransform* CArtTransform::FromData(const BYTE* data, size_t length) {
  if (!data || length < kDataSize) return nullptr;
  CByteReader reader(data, length);
  BYTE signature[3] = {};
  BYTE version = 0, kind = 0;
  float amount = 0;
  CFRect box;
  if (!reader.ReadBytes(signature, sizeof signature) || !reader.ReadByte(version) ||
      !reader.ReadByte(kind) || !reader.ReadFloat(amount) || !reader.ReadFloat(box.left) ||
      !reader.ReadFloat(box.top) || !reader.ReadFloat(box.right) || !reader.ReadFloat(box.bottom))
    return nullptr;
  if (memcmp(signature, kSignature, sizeof signature) != 0 || version != kDataVersion ||
      !IsKind(kind) || !std::isfinite(amount) || std::fabs(amount) > 1 || !IsFinite(box))
    return nullptr;
  CArtTransform* transform = new CArtTransform(kind, box);
  transform->m_amount = amount;
  return transform;
}

OutlinePoint CArtTransform::Map(const OutlinePoint& p, const CFRect& from, const CFRect& to) const {
  double u = (p.x() - from.left) / SafeSize(from.right - from.left);
  double v = (p.y() - from.top) / SafeSize(from.bottom - from.top);
  double w = to.right - to.left, h = to.bottom - to.top;
  double x = to.left + u * w, y = to.top + v * h;
  double cx = to.left + w / 2, cy = to.top + h / 2;
  double arch = 1 - (2 * u - 1) * (2 * u - 1);
  switch (m_kind) {
    case kArch:
      y -= m_amount * h * arch;
      break;
    case kBulge:
      y = cy + (y - cy) * (1 + m_amount * arch);
      break;
    case kPerspective:
      x = cx + (x - cx) * (1 - m_amount * (1 - v));
      break;
    case kWave:
      y -= m_amount * h / 2 * std::sin(4 * kPi * u);
      break;
  }
  return OutlinePoint(x, y);
}

std::vector<FlatCurve> CArtTransform::Apply(const std::vector<FlatCurve>& curves,
                                            const CFRect& from, const CFRect& to) const {
  double longest = std::max(std::fabs(to.right - to.left), std::fabs(to.bottom - to.top));
  longest = std::max(longest / kBendPieces, 1e-3);
  std::vector<FlatCurve> bent;
  std::vector<OutlinePoint> points, divided;
  for (const FlatCurve& curve : curves) {
    FlatCurve out;
    out.colour = curve.colour;
    out.attributes = curve.attributes;
    for (const OutlinePolygon& ring : curve.rings) {
      points.assign(ring.outer().begin(), ring.outer().end());
      Densify(points, longest, &divided);
      OutlinePolygon mapped;
      for (const OutlinePoint& p : divided) mapped.outer().push_back(Map(p, from, to));
      out.rings.push_back(mapped);
    }
    for (const OutlineLine& line : curve.lines) {
      points.assign(line.begin(), line.end());
      Densify(points, longest, &divided);
      OutlineLine mapped;
      for (const OutlinePoint& p : divided) mapped.push_back(Map(p, from, to));
      out.lines.push_back(mapped);
    }
    bent.push_back(out);
  }
  return bent;
}

OutlinePoint CArtTransform::HandleInBox() const {
  double w = m_box.right - m_box.left;
  double u = m_kind == kPerspective ? 0.0 : m_kind == kWave ? 0.125 : 0.5;
  return Map(OutlinePoint(m_box.left + u * w, m_box.top), m_box, m_box);
}

FPOINT CArtTransform::HandleOnPage() const {
  OutlinePoint handle = HandleInBox();
  return Mapped(m_matrix, handle.x(), handle.y());
}

bool CArtTransform::PageToBox(float x, float y, OutlinePoint* inBox) const {
  double bx = 0, by = 0;
  if (!std::isfinite(x) || !std::isfinite(y) || !Unmap(m_matrix, x, y, &bx, &by)) return false;
  *inBox = OutlinePoint(bx, by);
  return true;
}

void CArtTransform::DragTo(const OutlinePoint& p) {
  double w = SafeSize(m_box.right - m_box.left), h = SafeSize(m_box.bottom - m_box.top);
  double rise = (m_box.top - p.y()) / h;
  switch (m_kind) {
    case kArch:
      SetAmount(static_cast<float>(rise));
      break;
    case kBulge:
    case kWave:
      SetAmount(static_cast<float>(2 * rise));
      break;
    case kPerspective:
      SetAmount(static_cast<float>(2 * (p.x() - m_box.left) / w));
      break;
  }
}

int CArtTransform::OnMouse(UINT message, float x, float y) {
  OutlinePoint inBox;
  switch (message) {
    case WM_LBUTTONDOWN: {
      FPOINT handle = HandleOnPage();
      double reach = kCatchPixels * m_pagePerPixel;
      m_dragging = std::fabs(handle.x - x) <= reach && std::fabs(handle.y - y) <= reach;
      return m_dragging ? 1 : 0;
    }
    case WM_MOUSEMOVE:
    case WM_LBUTTONUP:
      if (!m_dragging) return 0;
      if (PageToBox(x, y, &inBox)) DragTo(inBox);
      if (message == WM_LBUTTONUP) m_dragging = false;
      return 1;
    default:
      // Double-clicks and the right button are not used.
      return 0;
  }
}

int CArtTransform::OnChar(UINT ch) {
  float before = m_amount;
  if (ch == '+' || ch == '=')
    SetAmount(m_amount + kAmountStep);
  else if (ch == '-')
    SetAmount(m_amount - kAmountStep);
  else if (ch == '0')
    m_amount = DefaultAmount(m_kind);
  else
    return 0;
  return m_amount != before ? 1 : 0;
}

void CArtTransform::Draw(HDC dc, const CMatrix2D& display) {
  if (!dc) return;
  double det = std::fabs(static_cast<double>(display.m[0]) * display.m[4] -
                         static_cast<double>(display.m[1]) * display.m[3]);
  double pageDet = std::fabs(static_cast<double>(m_matrix.m[0]) * m_matrix.m[4] -
                             static_cast<double>(m_matrix.m[1]) * m_matrix.m[3]);
  if (std::isfinite(det) && det > 1e-12 && std::isfinite(pageDet))
    m_pagePerPixel = std::sqrt(pageDet / det);

  // The frame: the box's four sides, bent.
  const int kSteps = 32;
  std::vector<POINT> frame;
  const double corners[5][2] = {{m_box.left, m_box.top},
                                {m_box.right, m_box.top},
                                {m_box.right, m_box.bottom},
                                {m_box.left, m_box.bottom},
                                {m_box.left, m_box.top}};
  for (int side = 0; side < 4; ++side) {
    for (int k = 0; k < kSteps; ++k) {
      double t = static_cast<double>(k) / kSteps;
      OutlinePoint p(corners[side][0] + (corners[side + 1][0] - corners[side][0]) * t,
                     corners[side][1] + (corners[side + 1][1] - corners[side][1]) * t);
      OutlinePoint bent = Map(p, m_box, m_box);
      frame.push_back(ToDevice(Mapped(display, bent.x(), bent.y())));
    }
  }
  frame.push_back(frame.front());
  ::Polyline(dc, frame.data(), static_cast<int>(frame.size()));

  OutlinePoint handle = HandleInBox();
  POINT at = ToDevice(Mapped(display, handle.x(), handle.y()));
  LONG x = at.x, y = at.y, r = static_cast<LONG>(kHandlePixels);
  POINT square[5] = {{x - r, y - r},
                     {x + r, y - r},
                     {x + r, y + r},
                     {x - r, y + r},
                     {x - r, y - r}};
  ::Polyline(dc, square, 5);
}
