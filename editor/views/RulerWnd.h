// CRulerWnd: one of the three small windows a ruler manager lays along a drawing view: the
// horizontal ruler over the view's top edge, the vertical ruler along its left edge, or the
// corner box where they meet. Each is a modeless child dialog of the view without controls.
//
// A ruler shows tick marks every unit, longer ones with centimetre labels every 10 and 100 units,
// and a red pointer mark drawn in XOR, so that drawing it again erases it. Its coordinates are in
// page units (millimetres): origin is the page coordinate at the ruler's first pixel, scale the
// page units per pixel, both set by the manager. Presses, moves and releases of the left button
// go on to the view in the view's coordinates: guides are pulled out of the rulers there.
#pragma once

#include "framework/Dialog.h"

class CRulerWnd : public CDialog {
public:
  enum Kind { kHorizontal, kVertical, kCorner };
  // The pointer mark's position until the pointer is first shown: far off any ruler.
  static constexpr float kNoMarker = -99999.0f;

  explicit CRulerWnd(Kind kind);
  ~CRulerWnd() override;

  // Creates the window, hidden, as a child of the view.
  BOOL CreateIn(CWnd* view);

  Kind GetKind() const { return m_kind; }
  float GetOrigin() const { return m_origin; }
  float GetScale() const { return m_scale; }
  float GetUnit() const { return m_unit; }
  float GetMarker() const { return m_marker; }
  // The ruler's thickness across, as its last size gave it.
  int GetLength() const { return m_length; }

  void SetMetrics(double scale, int unit, float origin);
  void SetOrigin(float origin) { m_origin = origin; }
  // Erases the pointer mark where it is and draws it at the page coordinate.
  void MoveMarker(float page);
  // The device position of a page coordinate along the ruler (truncated toward zero).
  int ToDevice(double page) const;

protected:
  void OnPaint();
  void OnSize(UINT type, int cx, int cy);
  void OnLButtonDown(UINT flags, CPoint point) { ForwardToView(WM_LBUTTONDOWN, flags, point); }
  void OnLButtonUp(UINT flags, CPoint point) { ForwardToView(WM_LBUTTONUP, flags, point); }
  void OnMouseMove(UINT flags, CPoint point) { ForwardToView(WM_MOUSEMOVE, flags, point); }
  // A ruler has no buttons: Enter and Escape must not end it.
  void OnOK() override {}
  void OnCancel() override {}

  DECLARE_MESSAGE_MAP()

private:
  void ForwardToView(UINT message, UINT flags, CPoint point);
  void DrawEdges(CDC* dc, int width, int height);
  void DrawTicks(CDC* dc, int width, int height);
  void DrawTick(CDC* dc, int at, int reach, long long index);
  void DrawMarker(CDC* dc);
  bool IsVertical() const { return m_kind == kVertical; }

  Kind m_kind;
  float m_marker = kNoMarker;
  float m_unit = 0.0f;
  float m_unit10 = 0.0f;
  float m_unit100 = 0.0f;
  int m_length = 0;
  float m_origin = 0.0f;
  float m_scale = 0.0f;
  CFont* m_labelFont = nullptr;
};
