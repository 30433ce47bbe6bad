// CScreenTraceDlg: the screen trace (226). Built while the main window is hidden, it takes a
// picture of the screen first (CScreenSnapshot) and then covers the whole screen with that
// picture, so that the user drags a band over what was there. On release, the pixels strictly
// inside the band become a one-bit picture (a pixel whose red + green + blue exceeds
// "BlackThreshold" of "VECTOR" is white), which is shown at (100, 100) and vectorised; the
// outline, in screen pixels from the page origin, is added to the drawing in one undo step and
// the dialog closes. A band whose inside is smaller than 3 x 3 pixels (nothing the library can
// trace) is refused with a beep and another band may be dragged; Escape or the right button
// closes the dialog without tracing.
#pragma once

#include <windows.h>

#include <vector>

#include "editor/dialogs/ScreenSnapshot.h"
#include "editor/dialogs/ViewDialog.h"

class CPoint;

class CScreenTraceDlg : public CViewDialog {
  DECLARE_DYNAMIC(CScreenTraceDlg)
public:
  static constexpr UINT kTemplateId = 226;
  // The smallest inside of a band that is traced, in pixels each way.
  static constexpr int kSmallestInside = 3;

  CScreenTraceDlg(CTALVEX42View* view, const CAppProfile& profile);

  BOOL OnInitDialog() override;

  const CScreenSnapshot& Snapshot() const { return m_snapshot; }
  // The inside of a band between two screen points as a bottom-up one-bit bitmap: its header and
  // its rows. False when the inside is smaller than kSmallestInside each way.
  bool MakeBandBitmap(POINT from, POINT to, BITMAPINFOHEADER* header,
                      std::vector<BYTE>* rows) const;

protected:
  void OnLButtonDown(UINT flags, CPoint point);
  void OnMouseMove(UINT flags, CPoint point);
  void OnLButtonUp(UINT flags, CPoint point);
  void OnRButtonDown(UINT flags, CPoint point);
  BOOL OnSetCursor(CWnd* window, UINT hitTest, UINT message);
  BOOL OnEraseBkgnd(CDC* dc);
  void OnPaint();
  DECLARE_MESSAGE_MAP()

private:
  POINT ToScreen(CPoint point) const;
  // Draws the band (or takes it away again) by inverting.
  void DrawBand() const;
  void ShowBitmap(const BITMAPINFOHEADER& header, const std::vector<BYTE>& rows) const;
  void TraceBand(POINT from, POINT to);

  CScreenSnapshot m_snapshot;
  int m_threshold;
  bool m_dragging = false;
  POINT m_start = {};
  POINT m_end = {};
};
