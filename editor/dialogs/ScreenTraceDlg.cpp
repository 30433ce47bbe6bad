#include "editor/dialogs/ScreenTraceDlg.h"

#include <algorithm>
#include <cstdlib>
#include <memory>

#include "editor/TALVEX42View.h"
#include "editor/views/DocumentChange.h"
#include "framework/Point.h"
#include "media/tracing/DibPixels.h"
#include "media/tracing/ImageTracer.h"
#include "model/blocks/Block.h"
#include "model/document/TALVEX42Doc.h"
#include "model/settings/AppProfile.h"
#include "model/settings/SettingNames.h"

IMPLEMENT_DYNAMIC(CScreenTraceDlg, CDialog)

// clang-format off
BEGIN_MESSAGE_MAP(CScreenTraceDlg, CDialog)
  ON_WM_LBUTTONDOWN()
  ON_WM_MOUSEMOVE()
  ON_WM_LBUTTONUP()
  ON_WM_RBUTTONDOWN()
  ON_WM_SETCURSOR()
  ON_WM_ERASEBKGND()
  ON_WM_PAINT()
END_MESSAGE_MAP()
// clang-format on

namespace {

// Where the picture of the band is shown, in screen pixels.
const POINT kPreviewAt = {100, 100};

}  // namespace

CScreenTraceDlg::CScreenTraceDlg(CTALVEX42View* view, const CAppProfile& profile)
    : CViewDialog(kTemplateId, view, profile),
      m_threshold(profile.GetInt(settings::kVector, settings::kBlackThreshold,
                                 settings::kBlackThresholdDefault)) {
  // Before the dialog exists: the picture is of the screen as the user left it.
  m_snapshot.Take();
}

BOOL CScreenTraceDlg::OnInitDialog() {
  CViewDialog::OnInitDialog();
  ::SetWindowPos(m_hWnd, HWND_TOPMOST, 1, 1, ::GetSystemMetrics(SM_CXSCREEN),
                 ::GetSystemMetrics(SM_CYSCREEN), SWP_SHOWWINDOW);
  return TRUE;
}

POINT CScreenTraceDlg::ToScreen(CPoint point) const {
  POINT at = {point.x, point.y};
  ::ClientToScreen(m_hWnd, &at);
  return at;
}

BOOL CScreenTraceDlg::OnSetCursor(CWnd*, UINT, UINT) {
  ::SetCursor(::LoadCursor(nullptr, IDC_CROSS));
  return TRUE;
}

BOOL CScreenTraceDlg::OnEraseBkgnd(CDC*) { return TRUE; }

void CScreenTraceDlg::OnPaint() {
  PAINTSTRUCT paint;
  HDC dc = ::BeginPaint(m_hWnd, &paint);
  POINT origin = {0, 0};
  ::ClientToScreen(m_hWnd, &origin);
  m_snapshot.Paint(dc, origin, paint.rcPaint);
  ::EndPaint(m_hWnd, &paint);
  if (m_dragging) DrawBand();
}

void CScreenTraceDlg::DrawBand() const {
  HDC dc = ::GetDC(m_hWnd);
  int previousMode = ::SetROP2(dc, R2_NOTXORPEN);
  HGDIOBJ previousPen = ::SelectObject(dc, ::GetStockObject(BLACK_PEN));
  HGDIOBJ previousBrush = ::SelectObject(dc, ::GetStockObject(NULL_BRUSH));
  POINT from = m_start, to = m_end;
  ::ScreenToClient(m_hWnd, &from);
  ::ScreenToClient(m_hWnd, &to);
  ::Rectangle(dc, from.x, from.y, to.x, to.y);
  ::SelectObject(dc, previousBrush);
  ::SelectObject(dc, previousPen);
  ::SetROP2(dc, previousMode);
  ::ReleaseDC(m_hWnd, dc);
}

void CScreenTraceDlg::OnLButtonDown(UINT, CPoint point) {
  if (m_dragging) DrawBand();
  m_start = m_end = ToScreen(point);
  m_dragging = true;
  ::SetCapture(m_hWnd);
}

void CScreenTraceDlg::OnMouseMove(UINT flags, CPoint point) {
  if (!m_dragging || !(flags & MK_LBUTTON)) return;
  DrawBand();
  m_end = ToScreen(point);
  DrawBand();
}

void CScreenTraceDlg::OnLButtonUp(UINT, CPoint point) {
  if (!m_dragging) return;
  DrawBand();
  m_dragging = false;
  ::ReleaseCapture();
  m_end = ToScreen(point);
  TraceBand(m_start, m_end);
}

void CScreenTraceDlg::OnRButtonDown(UINT, CPoint) {
  if (m_dragging) ::ReleaseCapture();
  EndDialog(IDCANCEL);
}

bool CScreenTraceDlg::MakeBandBitmap(POINT from, POINT to, BITMAPINFOHEADER* header,
                                     std::vector<BYTE>* rows) const {
  // The band's lines lie on its first and last columns and rows; the pixels between are traced.
  const int width = std::abs(to.x - from.x) - 2, height = std::abs(to.y - from.y) - 2;
  if (width < kSmallestInside || height < kSmallestInside) return false;
  const int left = std::min(from.x, to.x) + 1, top = std::min(from.y, to.y) + 1;
  *header = {};
  header->biSize = sizeof(BITMAPINFOHEADER);
  header->biWidth = width;
  header->biHeight = height;
  header->biPlanes = 1;
  header->biBitCount = 1;
  const size_t stride = DibRowStride(width, 1);
  rows->assign(stride * static_cast<size_t>(height), 0);
  for (int y = 0; y < height; ++y) {
    BYTE* row = rows->data() + stride * static_cast<size_t>(height - 1 - y);
    for (int x = 0; x < width; ++x) {
      DWORD colour = m_snapshot.Pixel(left + x, top + y);
      int brightness = static_cast<int>((colour & 0xFF) + ((colour >> 8) & 0xFF) + (colour >> 16));
      if (brightness > m_threshold) row[x / 8] |= static_cast<BYTE>(0x80 >> (x % 8));
    }
  }
  return true;
}

void CScreenTraceDlg::ShowBitmap(const BITMAPINFOHEADER& header,
                                 const std::vector<BYTE>& rows) const {
  struct {
    BITMAPINFOHEADER header;
    RGBQUAD colours[2];
  } info = {header, {{0, 0, 0, 0}, {255, 255, 255, 0}}};
  POINT at = kPreviewAt;
  ::ScreenToClient(m_hWnd, &at);
  HDC dc = ::GetDC(m_hWnd);
  ::SetDIBitsToDevice(dc, at.x, at.y, header.biWidth, header.biHeight, 0, 0, 0, header.biHeight,
                      rows.data(), reinterpret_cast<BITMAPINFO*>(&info), DIB_RGB_COLORS);
  ::ReleaseDC(m_hWnd, dc);
}

void CScreenTraceDlg::TraceBand(POINT from, POINT to) {
  BITMAPINFOHEADER header;
  std::vector<BYTE> rows;
  if (!MakeBandBitmap(from, to, &header, &rows)) {
    // Too small a band gives no picture: the user may drag another.
    ::MessageBeep(MB_ICONEXCLAMATION);
    return;
  }
  ShowBitmap(header, rows);
  std::unique_ptr<CBlock> traced;
  {
    CImageTracer tracer;
    traced.reset(tracer.TraceDib(header, rows.data(), rows.size(), true, nullptr, nullptr));
  }
  if (traced && View()) {
    CDocumentChange change(*View()->GetUndoManager(), Document());
    AddToDocument(traced.release());
  }
  EndDialog(IDOK);
}
