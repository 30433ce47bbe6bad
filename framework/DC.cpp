#include "framework/DC.h"

#include "framework/Wnd.h"

IMPLEMENT_DYNAMIC(CDC, CObject)

CDC::~CDC() { DeleteDC(); }

CDC::Map& CDC::HandleMap() {
  static Map map;
  return map;
}

BOOL CDC::Attach(HDC hdc) {
  if (!hdc) return FALSE;
  if (m_hDC) DeleteDC();
  m_hDC = m_hAttribDC = hdc;
  HandleMap().SetPermanent(hdc, this);
  return TRUE;
}

HDC CDC::Detach() {
  HDC hdc = m_hDC;
  if (hdc && HandleMap().LookupPermanent(hdc) == this) HandleMap().RemoveHandle(hdc);
  m_hDC = m_hAttribDC = nullptr;
  return hdc;
}

BOOL CDC::DeleteDC() {
  HDC hdc = Detach();
  return hdc ? ::DeleteDC(hdc) : FALSE;
}

BOOL CDC::TakeNew(HDC hdc) { return Attach(hdc); }

CDC* CDC::FromHandle(HDC hdc) {
  CDC* dc = HandleMap().FromHandle<CDC>(hdc);
  if (dc) dc->m_hAttribDC = dc->m_hDC;
  return dc;
}

void CDC::DeleteTempMap() { HandleMap().DeleteTemporary(); }

BOOL CDC::CreateDC(LPCSTR driver, LPCSTR device, LPCSTR output, const DEVMODEA* init) {
  return TakeNew(::CreateDCA(driver, device, output, init));
}

BOOL CDC::CreateIC(LPCSTR driver, LPCSTR device, LPCSTR output, const DEVMODEA* init) {
  return TakeNew(::CreateICA(driver, device, output, init));
}

BOOL CDC::CreateCompatibleDC(CDC* other) {
  return TakeNew(::CreateCompatibleDC(other ? other->m_hDC : nullptr));
}

CPen* CDC::SelectObject(CPen* pen) {
  if (!pen) return nullptr;
  return CPen::FromHandle(static_cast<HPEN>(::SelectObject(m_hDC, pen->m_hObject)));
}

CBrush* CDC::SelectObject(CBrush* brush) {
  if (!brush) return nullptr;
  return CBrush::FromHandle(static_cast<HBRUSH>(::SelectObject(m_hDC, brush->m_hObject)));
}

CFont* CDC::SelectObject(CFont* font) {
  if (!font) return nullptr;
  return CFont::FromHandle(static_cast<HFONT>(::SelectObject(m_hDC, font->m_hObject)));
}

CBitmap* CDC::SelectObject(CBitmap* bitmap) {
  if (!bitmap) return nullptr;
  return CBitmap::FromHandle(static_cast<HBITMAP>(::SelectObject(m_hDC, bitmap->m_hObject)));
}

CGdiObject* CDC::SelectObject(CGdiObject* object) {
  if (!object) return nullptr;
  return CGdiObject::FromHandle(::SelectObject(m_hDC, object->m_hObject));
}

int CDC::SelectObject(CRgn* region) {
  if (!region) return ERROR;
  return static_cast<int>(reinterpret_cast<INT_PTR>(::SelectObject(m_hDC, region->m_hObject)));
}

CGdiObject* CDC::SelectStockObject(int index) {
  HGDIOBJ stock = ::GetStockObject(index);
  if (!stock) return nullptr;
  return CGdiObject::FromHandle(::SelectObject(m_hDC, stock));
}

CPen* CDC::GetCurrentPen() const {
  return CPen::FromHandle(static_cast<HPEN>(::GetCurrentObject(m_hDC, OBJ_PEN)));
}

CBrush* CDC::GetCurrentBrush() const {
  return CBrush::FromHandle(static_cast<HBRUSH>(::GetCurrentObject(m_hDC, OBJ_BRUSH)));
}

CFont* CDC::GetCurrentFont() const {
  return CFont::FromHandle(static_cast<HFONT>(::GetCurrentObject(m_hDC, OBJ_FONT)));
}

CBitmap* CDC::GetCurrentBitmap() const {
  return CBitmap::FromHandle(static_cast<HBITMAP>(::GetCurrentObject(m_hDC, OBJ_BITMAP)));
}

CPoint CDC::SetBrushOrg(int x, int y) {
  POINT previous = {0, 0};
  ::SetBrushOrgEx(m_hDC, x, y, &previous);
  return previous;
}

CPoint CDC::GetViewportOrg() const {
  POINT origin = {0, 0};
  ::GetViewportOrgEx(m_hDC, &origin);
  return origin;
}

CPoint CDC::SetViewportOrg(int x, int y) {
  POINT previous = {0, 0};
  ::SetViewportOrgEx(m_hDC, x, y, &previous);
  return previous;
}

CPoint CDC::OffsetViewportOrg(int dx, int dy) {
  POINT previous = {0, 0};
  ::OffsetViewportOrgEx(m_hDC, dx, dy, &previous);
  return previous;
}

CSize CDC::GetViewportExt() const {
  SIZE extent = {0, 0};
  ::GetViewportExtEx(m_hDC, &extent);
  return extent;
}

CSize CDC::SetViewportExt(int cx, int cy) {
  SIZE previous = {0, 0};
  ::SetViewportExtEx(m_hDC, cx, cy, &previous);
  return previous;
}

CPoint CDC::GetWindowOrg() const {
  POINT origin = {0, 0};
  ::GetWindowOrgEx(m_hDC, &origin);
  return origin;
}

CPoint CDC::SetWindowOrg(int x, int y) {
  POINT previous = {0, 0};
  ::SetWindowOrgEx(m_hDC, x, y, &previous);
  return previous;
}

CPoint CDC::OffsetWindowOrg(int dx, int dy) {
  POINT previous = {0, 0};
  ::OffsetWindowOrgEx(m_hDC, dx, dy, &previous);
  return previous;
}

CSize CDC::GetWindowExt() const {
  SIZE extent = {0, 0};
  ::GetWindowExtEx(m_hDC, &extent);
  return extent;
}

CSize CDC::SetWindowExt(int cx, int cy) {
  SIZE previous = {0, 0};
  ::SetWindowExtEx(m_hDC, cx, cy, &previous);
  return previous;
}

CPoint CDC::GetCurrentPosition() const {
  POINT position = {0, 0};
  ::GetCurrentPositionEx(m_hDC, &position);
  return position;
}

CPoint CDC::MoveTo(int x, int y) {
  POINT previous = {0, 0};
  ::MoveToEx(m_hDC, x, y, &previous);
  return previous;
}

void CDC::FillSolidRect(LPCRECT rect, COLORREF color) {
  COLORREF previous = ::SetBkColor(m_hDC, color);
  ::ExtTextOutA(m_hDC, 0, 0, ETO_OPAQUE, rect, nullptr, 0, nullptr);
  ::SetBkColor(m_hDC, previous);
}

void CDC::FillSolidRect(int x, int y, int width, int height, COLORREF color) {
  RECT rect = {x, y, x + width, y + height};
  FillSolidRect(&rect, color);
}

void CDC::Draw3dRect(LPCRECT rect, COLORREF topLeft, COLORREF bottomRight) {
  Draw3dRect(rect->left, rect->top, rect->right - rect->left, rect->bottom - rect->top, topLeft,
             bottomRight);
}

void CDC::Draw3dRect(int x, int y, int width, int height, COLORREF topLeft, COLORREF bottomRight) {
  FillSolidRect(x, y, width - 1, 1, topLeft);
  FillSolidRect(x, y, 1, height - 1, topLeft);
  FillSolidRect(x + width - 1, y, 1, height, bottomRight);
  FillSolidRect(x, y + height - 1, width, 1, bottomRight);
}

CSize CDC::GetTextExtent(LPCSTR text, int length) const {
  SIZE size = {0, 0};
  if (text && length > 0) ::GetTextExtentPoint32A(m_hDC, text, length, &size);
  return size;
}

int CDC::GetTextFace(CString& faceName) const {
  char buffer[LF_FACESIZE] = {};
  int length = ::GetTextFaceA(m_hDC, LF_FACESIZE, buffer);
  faceName = buffer;
  return length;
}

int CDC::StartDoc(LPCSTR documentName) {
  DOCINFOA info = {};
  info.cbSize = sizeof info;
  info.lpszDocName = documentName;
  return StartDoc(&info);
}

CWnd* CDC::GetWindow() const { return CWnd::FromHandle(::WindowFromDC(m_hDC)); }
