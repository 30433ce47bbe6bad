// CDC: a device context. The object owns the context it created (CreateDC, CreateCompatibleDC)
// and deletes it; an attached context is deleted too unless it is detached first. SelectObject
// returns the object that was selected before, as a temporary wrapper when the framework did not
// make it.
#pragma once

#include "framework/Bitmap.h"
#include "framework/Brush.h"
#include "framework/Font.h"
#include "framework/HandleMap.h"
#include "framework/Object.h"
#include "framework/Pen.h"
#include "framework/Point.h"
#include "framework/Rect.h"
#include "framework/Rgn.h"
#include "framework/Size.h"
#include "framework/String.h"

class CWnd;

class CDC : public CObject {
  DECLARE_DYNAMIC(CDC)
public:
  CDC() = default;
  ~CDC() override;
  CDC(const CDC&) = delete;
  CDC& operator=(const CDC&) = delete;

  HDC m_hDC = nullptr;
  // Attributes are queried from the same context: this framework has no separate attribute DC.
  HDC m_hAttribDC = nullptr;
  BOOL m_bPrinting = FALSE;

  operator HDC() const { return m_hDC; }
  HDC GetSafeHdc() const { return m_hDC; }
  BOOL IsPrinting() const { return m_bPrinting; }
  CWnd* GetWindow() const;

  BOOL Attach(HDC hdc);
  HDC Detach();
  BOOL DeleteDC();
  static CDC* FromHandle(HDC hdc);
  static void DeleteTempMap();
  using Map = CHandleMap<HDC, CDC, &CDC::m_hDC>;
  static Map& HandleMap();

  BOOL CreateDC(LPCSTR driver, LPCSTR device, LPCSTR output, const DEVMODEA* init);
  BOOL CreateIC(LPCSTR driver, LPCSTR device, LPCSTR output, const DEVMODEA* init);
  // A memory context compatible with the other one (the screen when null).
  BOOL CreateCompatibleDC(CDC* other);
  int SaveDC() { return ::SaveDC(m_hDC); }
  BOOL RestoreDC(int saved) { return ::RestoreDC(m_hDC, saved); }
  int GetDeviceCaps(int index) const { return ::GetDeviceCaps(m_hDC, index); }

  // Objects
  CPen* SelectObject(CPen* pen);
  CBrush* SelectObject(CBrush* brush);
  CFont* SelectObject(CFont* font);
  CBitmap* SelectObject(CBitmap* bitmap);
  CGdiObject* SelectObject(CGdiObject* object);
  int SelectObject(CRgn* region);
  HGDIOBJ SelectObject(HGDIOBJ object) { return ::SelectObject(m_hDC, object); }
  CGdiObject* SelectStockObject(int index);
  CPen* GetCurrentPen() const;
  CBrush* GetCurrentBrush() const;
  CFont* GetCurrentFont() const;
  CBitmap* GetCurrentBitmap() const;
  HPALETTE SelectPalette(HPALETTE palette, BOOL forceBackground) {
    return ::SelectPalette(m_hDC, palette, forceBackground);
  }
  UINT RealizePalette() { return ::RealizePalette(m_hDC); }

  // Attributes
  COLORREF GetBkColor() const { return ::GetBkColor(m_hDC); }
  COLORREF SetBkColor(COLORREF color) { return ::SetBkColor(m_hDC, color); }
  int GetBkMode() const { return ::GetBkMode(m_hDC); }
  int SetBkMode(int mode) { return ::SetBkMode(m_hDC, mode); }
  COLORREF GetTextColor() const { return ::GetTextColor(m_hDC); }
  COLORREF SetTextColor(COLORREF color) { return ::SetTextColor(m_hDC, color); }
  int GetROP2() const { return ::GetROP2(m_hDC); }
  int SetROP2(int mode) { return ::SetROP2(m_hDC, mode); }
  int GetPolyFillMode() const { return ::GetPolyFillMode(m_hDC); }
  int SetPolyFillMode(int mode) { return ::SetPolyFillMode(m_hDC, mode); }
  int GetStretchBltMode() const { return ::GetStretchBltMode(m_hDC); }
  int SetStretchBltMode(int mode) { return ::SetStretchBltMode(m_hDC, mode); }
  UINT GetTextAlign() const { return ::GetTextAlign(m_hDC); }
  UINT SetTextAlign(UINT flags) { return ::SetTextAlign(m_hDC, flags); }
  int GetTextCharacterExtra() const { return ::GetTextCharacterExtra(m_hDC); }
  int SetTextCharacterExtra(int extra) { return ::SetTextCharacterExtra(m_hDC, extra); }
  int GetArcDirection() const { return ::GetArcDirection(m_hDC); }
  int SetArcDirection(int direction) { return ::SetArcDirection(m_hDC, direction); }
  CPoint SetBrushOrg(int x, int y);
  CPoint SetBrushOrg(POINT point) { return SetBrushOrg(point.x, point.y); }
  COLORREF GetNearestColor(COLORREF color) const { return ::GetNearestColor(m_hDC, color); }

  // Mapping
  int GetMapMode() const { return ::GetMapMode(m_hDC); }
  int SetMapMode(int mode) { return ::SetMapMode(m_hDC, mode); }
  CPoint GetViewportOrg() const;
  CPoint SetViewportOrg(int x, int y);
  CPoint SetViewportOrg(POINT point) { return SetViewportOrg(point.x, point.y); }
  CPoint OffsetViewportOrg(int dx, int dy);
  CSize GetViewportExt() const;
  CSize SetViewportExt(int cx, int cy);
  CSize SetViewportExt(SIZE size) { return SetViewportExt(size.cx, size.cy); }
  CPoint GetWindowOrg() const;
  CPoint SetWindowOrg(int x, int y);
  CPoint SetWindowOrg(POINT point) { return SetWindowOrg(point.x, point.y); }
  CPoint OffsetWindowOrg(int dx, int dy);
  CSize GetWindowExt() const;
  CSize SetWindowExt(int cx, int cy);
  CSize SetWindowExt(SIZE size) { return SetWindowExt(size.cx, size.cy); }
  void DPtoLP(LPPOINT points, int count = 1) const { ::DPtoLP(m_hDC, points, count); }
  void DPtoLP(LPRECT rect) const { ::DPtoLP(m_hDC, reinterpret_cast<LPPOINT>(rect), 2); }
  void LPtoDP(LPPOINT points, int count = 1) const { ::LPtoDP(m_hDC, points, count); }
  void LPtoDP(LPRECT rect) const { ::LPtoDP(m_hDC, reinterpret_cast<LPPOINT>(rect), 2); }

  // Clipping
  int GetClipBox(LPRECT rect) const { return ::GetClipBox(m_hDC, rect); }
  int SelectClipRgn(CRgn* region) {
    return ::SelectClipRgn(m_hDC, region ? static_cast<HRGN>(*region) : nullptr);
  }
  int SelectClipRgn(CRgn* region, int mode) {
    return ::ExtSelectClipRgn(m_hDC, region ? static_cast<HRGN>(*region) : nullptr, mode);
  }
  int IntersectClipRect(int l, int t, int r, int b) {
    return ::IntersectClipRect(m_hDC, l, t, r, b);
  }
  int IntersectClipRect(LPCRECT rect) {
    return IntersectClipRect(rect->left, rect->top, rect->right, rect->bottom);
  }
  int ExcludeClipRect(int l, int t, int r, int b) { return ::ExcludeClipRect(m_hDC, l, t, r, b); }
  int ExcludeClipRect(LPCRECT rect) {
    return ExcludeClipRect(rect->left, rect->top, rect->right, rect->bottom);
  }
  int OffsetClipRgn(int dx, int dy) { return ::OffsetClipRgn(m_hDC, dx, dy); }
  BOOL PtVisible(int x, int y) const { return ::PtVisible(m_hDC, x, y); }
  BOOL PtVisible(POINT point) const { return PtVisible(point.x, point.y); }
  BOOL RectVisible(LPCRECT rect) const { return ::RectVisible(m_hDC, rect); }

  // Lines and curves
  CPoint GetCurrentPosition() const;
  CPoint MoveTo(int x, int y);
  CPoint MoveTo(POINT point) { return MoveTo(point.x, point.y); }
  BOOL LineTo(int x, int y) { return ::LineTo(m_hDC, x, y); }
  BOOL LineTo(POINT point) { return LineTo(point.x, point.y); }
  BOOL Polyline(const POINT* points, int count) { return ::Polyline(m_hDC, points, count); }
  BOOL PolylineTo(const POINT* points, int count) {
    return ::PolylineTo(m_hDC, points, static_cast<DWORD>(count));
  }
  BOOL PolyPolyline(const POINT* points, const DWORD* counts, int polylines) {
    return ::PolyPolyline(m_hDC, points, counts, static_cast<DWORD>(polylines));
  }
  BOOL PolyBezier(const POINT* points, int count) {
    return ::PolyBezier(m_hDC, points, static_cast<DWORD>(count));
  }
  BOOL PolyBezierTo(const POINT* points, int count) {
    return ::PolyBezierTo(m_hDC, points, static_cast<DWORD>(count));
  }
  BOOL PolyDraw(const POINT* points, const BYTE* types, int count) {
    return ::PolyDraw(m_hDC, points, types, count);
  }
  BOOL Arc(int l, int t, int r, int b, int x1, int y1, int x2, int y2) {
    return ::Arc(m_hDC, l, t, r, b, x1, y1, x2, y2);
  }
  BOOL Arc(LPCRECT rect, POINT start, POINT end) {
    return Arc(rect->left, rect->top, rect->right, rect->bottom, start.x, start.y, end.x, end.y);
  }
  BOOL ArcTo(int l, int t, int r, int b, int x1, int y1, int x2, int y2) {
    return ::ArcTo(m_hDC, l, t, r, b, x1, y1, x2, y2);
  }
  BOOL AngleArc(int x, int y, int radius, float start, float sweep) {
    return ::AngleArc(m_hDC, x, y, static_cast<DWORD>(radius), start, sweep);
  }

  // Filled shapes (outlined with the current pen, filled with the current brush)
  BOOL Rectangle(int l, int t, int r, int b) { return ::Rectangle(m_hDC, l, t, r, b); }
  BOOL Rectangle(LPCRECT rect) {
    return Rectangle(rect->left, rect->top, rect->right, rect->bottom);
  }
  BOOL RoundRect(int l, int t, int r, int b, int w, int h) {
    return ::RoundRect(m_hDC, l, t, r, b, w, h);
  }
  BOOL RoundRect(LPCRECT rect, POINT corner) {
    return RoundRect(rect->left, rect->top, rect->right, rect->bottom, corner.x, corner.y);
  }
  BOOL Ellipse(int l, int t, int r, int b) { return ::Ellipse(m_hDC, l, t, r, b); }
  BOOL Ellipse(LPCRECT rect) { return Ellipse(rect->left, rect->top, rect->right, rect->bottom); }
  BOOL Chord(int l, int t, int r, int b, int x1, int y1, int x2, int y2) {
    return ::Chord(m_hDC, l, t, r, b, x1, y1, x2, y2);
  }
  BOOL Pie(int l, int t, int r, int b, int x1, int y1, int x2, int y2) {
    return ::Pie(m_hDC, l, t, r, b, x1, y1, x2, y2);
  }
  BOOL Polygon(const POINT* points, int count) { return ::Polygon(m_hDC, points, count); }
  BOOL PolyPolygon(const POINT* points, const INT* counts, int polygons) {
    return ::PolyPolygon(m_hDC, points, counts, polygons);
  }
  void FillRect(LPCRECT rect, CBrush* brush) {
    ::FillRect(m_hDC, rect, brush ? static_cast<HBRUSH>(*brush) : nullptr);
  }
  void FrameRect(LPCRECT rect, CBrush* brush) {
    ::FrameRect(m_hDC, rect, brush ? static_cast<HBRUSH>(*brush) : nullptr);
  }
  void InvertRect(LPCRECT rect) { ::InvertRect(m_hDC, rect); }
  void FillSolidRect(LPCRECT rect, COLORREF color);
  void FillSolidRect(int x, int y, int width, int height, COLORREF color);
  void Draw3dRect(LPCRECT rect, COLORREF topLeft, COLORREF bottomRight);
  void Draw3dRect(int x, int y, int width, int height, COLORREF topLeft, COLORREF bottomRight);
  void DrawFocusRect(LPCRECT rect) { ::DrawFocusRect(m_hDC, rect); }
  BOOL DrawEdge(LPRECT rect, UINT edge, UINT flags) { return ::DrawEdge(m_hDC, rect, edge, flags); }
  BOOL DrawFrameControl(LPRECT rect, UINT type, UINT state) {
    return ::DrawFrameControl(m_hDC, rect, type, state);
  }
  BOOL DrawIcon(int x, int y, HICON icon) { return ::DrawIcon(m_hDC, x, y, icon); }
  BOOL DrawIcon(POINT point, HICON icon) { return DrawIcon(point.x, point.y, icon); }
  BOOL FloodFill(int x, int y, COLORREF border) { return ::FloodFill(m_hDC, x, y, border); }
  BOOL ExtFloodFill(int x, int y, COLORREF color, UINT type) {
    return ::ExtFloodFill(m_hDC, x, y, color, type);
  }
  BOOL FillRgn(CRgn* region, CBrush* brush) { return ::FillRgn(m_hDC, *region, *brush); }
  BOOL FrameRgn(CRgn* region, CBrush* brush, int width, int height) {
    return ::FrameRgn(m_hDC, *region, *brush, width, height);
  }
  BOOL InvertRgn(CRgn* region) { return ::InvertRgn(m_hDC, *region); }
  BOOL PaintRgn(CRgn* region) { return ::PaintRgn(m_hDC, *region); }

  // Bitmaps and pixels
  BOOL BitBlt(int x, int y, int width, int height, CDC* source, int sx, int sy, DWORD rop) {
    return ::BitBlt(m_hDC, x, y, width, height, source ? source->m_hDC : nullptr, sx, sy, rop);
  }
  BOOL StretchBlt(int x, int y, int width, int height, CDC* source, int sx, int sy, int sWidth,
                  int sHeight, DWORD rop) {
    return ::StretchBlt(m_hDC, x, y, width, height, source ? source->m_hDC : nullptr, sx, sy,
                        sWidth, sHeight, rop);
  }
  BOOL PatBlt(int x, int y, int width, int height, DWORD rop) {
    return ::PatBlt(m_hDC, x, y, width, height, rop);
  }
  COLORREF GetPixel(int x, int y) const { return ::GetPixel(m_hDC, x, y); }
  COLORREF GetPixel(POINT point) const { return GetPixel(point.x, point.y); }
  COLORREF SetPixel(int x, int y, COLORREF color) { return ::SetPixel(m_hDC, x, y, color); }
  COLORREF SetPixel(POINT point, COLORREF color) { return SetPixel(point.x, point.y, color); }
  BOOL SetPixelV(int x, int y, COLORREF color) { return ::SetPixelV(m_hDC, x, y, color); }
  int StretchDIBits(int x, int y, int width, int height, int sx, int sy, int sWidth, int sHeight,
                    const void* bits, const BITMAPINFO* info, UINT usage, DWORD rop) {
    return ::StretchDIBits(m_hDC, x, y, width, height, sx, sy, sWidth, sHeight, bits, info, usage,
                           rop);
  }
  int SetDIBitsToDevice(int x, int y, DWORD width, DWORD height, int sx, int sy, UINT startScan,
                        UINT scanLines, const void* bits, const BITMAPINFO* info, UINT usage) {
    return ::SetDIBitsToDevice(m_hDC, x, y, width, height, sx, sy, startScan, scanLines, bits, info,
                               usage);
  }

  // Text
  BOOL TextOut(int x, int y, LPCSTR text, int length) {
    return ::TextOutA(m_hDC, x, y, text, length);
  }
  BOOL TextOut(int x, int y, const CString& text) { return TextOut(x, y, text, text.GetLength()); }
  BOOL ExtTextOut(int x, int y, UINT options, LPCRECT rect, LPCSTR text, UINT length,
                  const INT* widths) {
    return ::ExtTextOutA(m_hDC, x, y, options, rect, text, length, widths);
  }
  BOOL ExtTextOut(int x, int y, UINT options, LPCRECT rect, const CString& text,
                  const INT* widths) {
    return ExtTextOut(x, y, options, rect, text, static_cast<UINT>(text.GetLength()), widths);
  }
  int DrawText(LPCSTR text, int length, LPRECT rect, UINT format) {
    return ::DrawTextA(m_hDC, text, length, rect, format);
  }
  int DrawText(const CString& text, LPRECT rect, UINT format) {
    return DrawText(text, text.GetLength(), rect, format);
  }
  CSize GetTextExtent(LPCSTR text, int length) const;
  CSize GetTextExtent(const CString& text) const { return GetTextExtent(text, text.GetLength()); }
  CSize GetOutputTextExtent(LPCSTR text, int length) const { return GetTextExtent(text, length); }
  CSize GetOutputTextExtent(const CString& text) const { return GetTextExtent(text); }
  BOOL GetTextMetrics(LPTEXTMETRICA metrics) const { return ::GetTextMetricsA(m_hDC, metrics); }
  int GetTextFace(int count, LPSTR faceName) const {
    return ::GetTextFaceA(m_hDC, count, faceName);
  }
  int GetTextFace(CString& faceName) const;
  BOOL GetCharWidth(UINT first, UINT last, LPINT widths) const {
    return ::GetCharWidthA(m_hDC, first, last, widths);
  }
  BOOL GetCharABCWidths(UINT first, UINT last, LPABC widths) const {
    return ::GetCharABCWidthsA(m_hDC, first, last, widths);
  }
  DWORD GetGlyphOutline(UINT ch, UINT format, LPGLYPHMETRICS metrics, DWORD bufferSize,
                        LPVOID buffer, const MAT2* matrix) const {
    return ::GetGlyphOutlineA(m_hDC, ch, format, metrics, bufferSize, buffer, matrix);
  }
  UINT GetOutlineTextMetrics(UINT size, LPOUTLINETEXTMETRICA metrics) const {
    return ::GetOutlineTextMetricsA(m_hDC, size, metrics);
  }
  DWORD GetFontData(DWORD table, DWORD offset, LPVOID buffer, DWORD size) const {
    return ::GetFontData(m_hDC, table, offset, buffer, size);
  }

  // Paths
  BOOL BeginPath() { return ::BeginPath(m_hDC); }
  BOOL EndPath() { return ::EndPath(m_hDC); }
  BOOL AbortPath() { return ::AbortPath(m_hDC); }
  BOOL CloseFigure() { return ::CloseFigure(m_hDC); }
  BOOL FillPath() { return ::FillPath(m_hDC); }
  BOOL StrokePath() { return ::StrokePath(m_hDC); }
  BOOL StrokeAndFillPath() { return ::StrokeAndFillPath(m_hDC); }
  BOOL FlattenPath() { return ::FlattenPath(m_hDC); }
  BOOL WidenPath() { return ::WidenPath(m_hDC); }
  BOOL SelectClipPath(int mode) { return ::SelectClipPath(m_hDC, mode); }
  int GetPath(LPPOINT points, LPBYTE types, int count) const {
    return ::GetPath(m_hDC, points, types, count);
  }

  // Printing
  int StartDoc(LPDOCINFOA info) { return ::StartDocA(m_hDC, info); }
  int StartDoc(LPCSTR documentName);
  int StartPage() { return ::StartPage(m_hDC); }
  int EndPage() { return ::EndPage(m_hDC); }
  int EndDoc() { return ::EndDoc(m_hDC); }
  int AbortDoc() { return ::AbortDoc(m_hDC); }
  int SetAbortProc(ABORTPROC proc) { return ::SetAbortProc(m_hDC, proc); }
  int Escape(int escape, int inCount, LPCSTR in, LPVOID out) {
    return ::Escape(m_hDC, escape, inCount, in, out);
  }

protected:
  // Takes a context this object must delete.
  BOOL TakeNew(HDC hdc);
};
