#include "editor/views/RulerWnd.h"

#include <cmath>
#include <cstdio>

#include "framework/DialogTemplate.h"
#include "framework/Font.h"
#include "framework/PaintDC.h"
#include "framework/Pen.h"
#include "model/editing/DrawUtils.h"
#include "model/editing/FeedbackTools.h"

namespace {

const int kLabelHeight = 8;
const int kLabelWidth = 6;
// Far enough outside any window, small enough for every drawing call.
const double kDeviceLimit = 1.0e8;

CFont* CreateLabelFont(bool vertical) {
  if (vertical) return CreateVerticalFont("Arial", kLabelWidth, kLabelHeight);
  LOGFONTA logFont = {};
  logFont.lfHeight = -kLabelHeight;
  logFont.lfWidth = -kLabelWidth;
  logFont.lfWeight = FW_BOLD;
  logFont.lfCharSet = DEFAULT_CHARSET;
  lstrcpynA(logFont.lfFaceName, "Arial", LF_FACESIZE);
  CFont* font = new CFont;
  if (!font->CreateFontIndirect(&logFont)) {
    delete font;
    return nullptr;
  }
  return font;
}

void Line(CDC* dc, int x1, int y1, int x2, int y2) {
  dc->MoveTo(x1, y1);
  dc->LineTo(x2, y2);
}

}  // namespace

// clang-format off
BEGIN_MESSAGE_MAP(CRulerWnd, CDialog)
  ON_WM_PAINT()
  ON_WM_SIZE()
  ON_WM_LBUTTONDOWN()
  ON_WM_LBUTTONUP()
  ON_WM_MOUSEMOVE()
END_MESSAGE_MAP()
// clang-format on

CRulerWnd::CRulerWnd(Kind kind) : m_kind(kind) {}

CRulerWnd::~CRulerWnd() {
  if (m_hWnd) DestroyWindow();
  delete m_labelFont;
}

BOOL CRulerWnd::CreateIn(CWnd* view) {
  // Empty templates: a ruler draws everything itself.
  CDialogTemplate empty("", WS_CHILD | WS_CLIPSIBLINGS, 0, 0, 0, 0, nullptr);
  if (!CreateIndirect(empty.Get(), view)) return FALSE;
  if (m_kind != kCorner) m_labelFont = CreateLabelFont(IsVertical());
  return TRUE;
}

void CRulerWnd::SetMetrics(double scale, int unit, float origin) {
  m_scale = static_cast<float>(scale);
  m_unit = static_cast<float>(unit);
  m_unit10 = m_unit * 10.0f;
  m_unit100 = m_unit * 100.0f;
  m_origin = origin;
}

int CRulerWnd::ToDevice(double page) const {
  if (!(m_scale > 0.0f)) return 0;
  double device = std::trunc((page - m_origin) / m_scale);
  if (!(device > -kDeviceLimit)) return static_cast<int>(-kDeviceLimit);
  if (!(device < kDeviceLimit)) return static_cast<int>(kDeviceLimit);
  return static_cast<int>(device);
}

void CRulerWnd::MoveMarker(float page) {
  if (!m_hWnd || m_kind == kCorner) {
    m_marker = page;
    return;
  }
  CDC* dc = GetDC();
  DrawMarker(dc);
  m_marker = page;
  DrawMarker(dc);
  ReleaseDC(dc);
}

void CRulerWnd::OnSize(UINT, int cx, int cy) { m_length = IsVertical() ? cx : cy; }

void CRulerWnd::OnPaint() {
  CPaintDC dc(this);
  RECT client;
  GetClientRect(&client);
  // Everything is drawn over a fresh face: scrolling only invalidates, without erasing.
  ::FillRect(dc.GetSafeHdc(), &client, ::GetSysColorBrush(COLOR_3DFACE));
  DrawEdges(&dc, client.right, client.bottom);
  if (m_kind == kCorner) return;
  DrawTicks(&dc, client.right, client.bottom);
  DrawMarker(&dc);
}

void CRulerWnd::DrawEdges(CDC* dc, int width, int height) {
  CGdiObject* previous = dc->SelectStockObject(WHITE_PEN);
  if (m_kind == kHorizontal) Line(dc, 1, 1, width - 1, 1);
  if (m_kind == kVertical) Line(dc, 1, 0, 1, height);
  dc->SelectStockObject(BLACK_PEN);
  if (m_kind != kVertical) Line(dc, 0, height - 1, width - 1, height - 1);
  if (m_kind != kHorizontal) Line(dc, width - 1, 0, width - 1, height);
  dc->SelectObject(previous);
}

void CRulerWnd::DrawTicks(CDC* dc, int width, int height) {
  if (!(m_unit > 0.0f) || !(m_scale > 0.0f)) return;
  int extent = IsVertical() ? height : width;
  double first = std::trunc(static_cast<double>(m_origin) / m_unit);
  double end = first * m_unit + extent * static_cast<double>(m_scale);
  if (!std::isfinite(end) || std::fabs(first) > 1.0e15) return;
  // A tick per pixel at most, whatever the metrics say.
  long long ticks = static_cast<long long>((end - first * m_unit) / m_unit) + 1;
  if (ticks > extent + 1) return;

  CFont* previousFont = m_labelFont ? dc->SelectObject(m_labelFont) : nullptr;
  CGdiObject* previousPen = dc->SelectStockObject(BLACK_PEN);
  int previousMode = dc->SetBkMode(TRANSPARENT);
  COLORREF previousColour = dc->SetTextColor(RGB(0, 0, 0));
  for (long long index = static_cast<long long>(first);; ++index) {
    double value = index * static_cast<double>(m_unit);
    if (!(value < end)) break;
    DrawTick(dc, ToDevice(value), m_length, index);
  }
  dc->SetTextColor(previousColour);
  dc->SetBkMode(previousMode);
  dc->SelectObject(previousPen);
  if (previousFont) dc->SelectObject(previousFont);
}

void CRulerWnd::DrawTick(CDC* dc, int at, int reach, long long index) {
  bool labelled = index % 10 == 0;
  int tip = index % 100 == 0 ? reach / 4 : labelled ? reach / 2 : 3 * reach / 4;
  if (IsVertical())
    Line(dc, reach, at, tip, at);
  else
    Line(dc, at, reach, at, tip);
  if (!labelled) return;
  // Page units are millimetres; the labels count centimetres.
  char label[32];
  double value = index * static_cast<double>(m_unit) * 0.1;
  std::snprintf(label, sizeof(label), "%-6d", static_cast<int>(std::trunc(value)));
  if (IsVertical())
    ::TextOutA(dc->GetSafeHdc(), 3 * reach / 4, at + 3, label, lstrlenA(label));
  else
    ::TextOutA(dc->GetSafeHdc(), at + 1, 0, label, lstrlenA(label));
}

void CRulerWnd::DrawMarker(CDC* dc) {
  if (m_kind == kCorner || !(m_scale > 0.0f)) return;
  int at = ToDevice(m_marker);
  CPen* previousPen = dc->SelectObject(CFeedbackTools::RedPen());
  int previousMode = dc->SetROP2(R2_NOTXORPEN);
  if (IsVertical())
    Line(dc, 0, at, m_length, at);
  else
    Line(dc, at, 0, at, m_length);
  dc->SetROP2(previousMode);
  dc->SelectObject(previousPen);
}

void CRulerWnd::ForwardToView(UINT message, UINT flags, CPoint point) {
  CWnd* view = GetParent();
  if (!view) return;
  POINT inView = {point.x, point.y};
  ::MapWindowPoints(m_hWnd, view->m_hWnd, &inView, 1);
  view->SendMessage(message, flags,
                    MAKELPARAM(static_cast<short>(inView.x), static_cast<short>(inView.y)));
}
