// CReBar: a control bar of bands (the system's rebar control), each band holding a child bar or
// control with an optional text and background bitmap. The rebar is as tall as its bands; when
// the bands change height the frame lays out again.
#pragma once

#include "framework/ControlBar.h"

class CBitmap;

class CReBar : public CControlBar {
  DECLARE_DYNAMIC(CReBar)
public:
  CReBar();

  BOOL Create(CWnd* parent, DWORD ctrlStyle = RBS_BANDBORDERS,
              DWORD style = WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | WS_CLIPCHILDREN | CBRS_TOP,
              UINT id = AFX_IDW_REBAR);
  // Adds a band for window (a control bar or any child control).
  BOOL AddBar(CWnd* window, LPCSTR text = nullptr, CBitmap* background = nullptr,
              DWORD bandStyle = RBBS_GRIPPERALWAYS | RBBS_FIXEDBMP);
  BOOL AddBar(CWnd* window, COLORREF foreground, COLORREF background, LPCSTR text = nullptr,
              DWORD bandStyle = RBBS_GRIPPERALWAYS);
  int GetBandCount() const;
  // The band holding window, -1 when none does.
  int FindBand(const CWnd* window) const;
  // Shows or hides the band holding window together with the window.
  BOOL ShowBand(CWnd* window, BOOL show);

  CSize CalcFixedLayout(BOOL stretch, BOOL horz) override;
  void OnUpdateCmdUI(CFrameWnd* target, BOOL disableIfNoHandler) override;

protected:
  BOOL InsertBand(CWnd* window, REBARBANDINFOA& band);
  void OnHeightChange(NMHDR* header, LRESULT* result);
  DECLARE_MESSAGE_MAP()
};
