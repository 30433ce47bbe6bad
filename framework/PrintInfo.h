// CPrintInfo: the state of one print job that the view's printing hooks share.
#pragma once

#include "framework/Rect.h"
#include "framework/String.h"

class CPrintDialog;

class CPrintInfo {
public:
  CPrintInfo();
  ~CPrintInfo();
  CPrintInfo(const CPrintInfo&) = delete;
  CPrintInfo& operator=(const CPrintInfo&) = delete;

  CPrintDialog* m_pPD;
  BOOL m_bDirect = FALSE;  // print without asking
  BOOL m_bPreview = FALSE;
  BOOL m_bContinuePrinting = TRUE;
  UINT m_nCurPage = 1;
  UINT m_nNumPreviewPages = 1;
  LPVOID m_lpUserData = nullptr;
  CRect m_rectDraw;  // the printable area of the current page, device units
  CString m_strPageDesc;

  void SetMinPage(UINT page);
  void SetMaxPage(UINT page);
  UINT GetMinPage() const;
  UINT GetMaxPage() const;
  UINT GetFromPage() const;
  UINT GetToPage() const;
};
