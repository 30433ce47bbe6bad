#include "framework/View.h"

#include "framework/Document.h"
#include "framework/FrameWnd.h"
#include "framework/MessageBox.h"
#include "framework/PaintDC.h"
#include "framework/PrintDialog.h"
#include "framework/PrintInfo.h"
#include "framework/WinApp.h"

IMPLEMENT_DYNAMIC(CView, CWnd)

BEGIN_MESSAGE_MAP(CView, CWnd)
  ON_WM_CREATE()
  ON_WM_DESTROY()
  ON_WM_PAINT()
  ON_WM_MOUSEACTIVATE()
  ON_MESSAGE(WM_INITIALUPDATE, OnInitialUpdateMessage)
  ON_COMMAND(ID_FILE_PRINT, OnFilePrint)
  ON_COMMAND(ID_FILE_PRINT_DIRECT, OnFilePrint)
END_MESSAGE_MAP()

CView::~CView() {
  if (m_pDocument) m_pDocument->RemoveView(this);
}

BOOL CView::PreCreateWindow(CREATESTRUCTA& cs) {
  if (!cs.lpszClass)
    cs.lpszClass = AfxRegisterWndClass(CS_DBLCLKS | CS_HREDRAW | CS_VREDRAW,
                                       ::LoadCursorA(nullptr, MAKEINTRESOURCEA(32512)),
                                       reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1));
  if (cs.style & WS_BORDER) {
    cs.style &= ~WS_BORDER;
    cs.dwExStyle |= WS_EX_CLIENTEDGE;
  }
  return TRUE;
}

int CView::OnCreate(LPCREATESTRUCTA cs) {
  if (CWnd::OnCreate(cs) == -1) return -1;
  auto* context = static_cast<CCreateContext*>(cs->lpCreateParams);
  if (context && context->m_pCurrentDoc) context->m_pCurrentDoc->AddView(this);
  return 0;
}

void CView::OnDestroy() {
  CFrameWnd* frame = GetParentFrame();
  if (frame && frame->GetActiveView() == this) frame->SetActiveView(nullptr, FALSE);
  CWnd::OnDestroy();
}

void CView::OnPaint() {
  CPaintDC dc(this);
  OnPrepareDC(&dc);
  OnDraw(&dc);
}

int CView::OnMouseActivate(CWnd* topParent, UINT hitTest, UINT message) {
  int result = CWnd::OnMouseActivate(topParent, hitTest, message);
  if (result == MA_NOACTIVATE || result == MA_NOACTIVATEANDEAT) return result;
  if (CFrameWnd* frame = GetParentFrame()) frame->SetActiveView(this);
  return result;
}

LRESULT CView::OnInitialUpdateMessage(WPARAM, LPARAM) {
  OnInitialUpdate();
  return 0;
}

void CView::OnInitialUpdate() { OnUpdate(nullptr, 0, nullptr); }

void CView::OnUpdate(CView*, LPARAM, CObject*) { Invalidate(TRUE); }

void CView::OnActivateView(BOOL activate, CView* activateView, CView*) {
  if (!activate || activateView != this) return;
  // Take the focus only when this view's top-level window is the active one.
  CWnd* top = GetTopLevelParent();
  if (top && top->m_hWnd == ::GetActiveWindow()) SetFocus();
}

void CView::OnActivateFrame(UINT, CFrameWnd*) {}

void CView::OnPrepareDC(CDC* dc, CPrintInfo* info) {
  if (info && dc) info->m_bContinuePrinting = info->GetMaxPage() != 0xFFFF || info->m_nCurPage == 1;
}

BOOL CView::OnScroll(UINT, UINT, BOOL) { return FALSE; }

BOOL CView::OnScrollBy(CSize, BOOL) { return FALSE; }

BOOL CView::OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) {
  if (CWnd::OnCmdMsg(nID, nCode, pExtra, pHandlerInfo)) return TRUE;
  return m_pDocument && m_pDocument->OnCmdMsg(nID, nCode, pExtra, pHandlerInfo);
}

// Printing

BOOL CView::OnPreparePrinting(CPrintInfo* info) { return DoPreparePrinting(info); }

BOOL CView::DoPreparePrinting(CPrintInfo* info) {
  CWinApp* app = AfxGetApp();
  if (!app) return FALSE;
  if (info->m_bPreview || info->m_bDirect) {
    if (!app->GetPrinterDeviceDefaults(&info->m_pPD->m_pd)) return FALSE;
    if (!info->m_pPD->m_pd.hDC && !info->m_pPD->CreatePrinterDC()) return FALSE;
  } else {
    if (app->DoPrintDialog(info->m_pPD) != IDOK) return FALSE;
  }
  info->m_nNumPreviewPages = 1;
  return info->m_pPD->m_pd.hDC != nullptr;
}

void CView::OnBeginPrinting(CDC*, CPrintInfo*) {}

void CView::OnPrint(CDC* dc, CPrintInfo*) { OnDraw(dc); }

void CView::OnEndPrinting(CDC*, CPrintInfo*) {}

void CView::OnFilePrint() {
  CPrintInfo info;
  if (GetCurrentMessage()->wParam == ID_FILE_PRINT_DIRECT) info.m_bDirect = TRUE;
  if (!OnPreparePrinting(&info)) return;
  CDC dc;
  dc.Attach(info.m_pPD->m_pd.hDC);
  dc.m_bPrinting = TRUE;
  CString title = m_pDocument ? m_pDocument->GetTitle() : CString();
  OnBeginPrinting(&dc, &info);
  bool failed = dc.StartDoc(title) <= 0;
  for (UINT page = info.GetFromPage(); !failed && page <= info.GetToPage(); ++page) {
    info.m_nCurPage = page;
    OnPrepareDC(&dc, &info);
    if (!info.m_bContinuePrinting) break;
    if (dc.StartPage() <= 0) {
      failed = true;
      break;
    }
    info.m_rectDraw.SetRect(0, 0, dc.GetDeviceCaps(HORZRES), dc.GetDeviceCaps(VERTRES));
    OnPrint(&dc, &info);
    if (dc.EndPage() <= 0) failed = true;
  }
  if (failed) dc.AbortDoc();
  else dc.EndDoc();
  OnEndPrinting(&dc, &info);
  dc.Detach();  // the print dialog owns the context
  if (failed) AfxMessageBox("Printing failed.", MB_ICONEXCLAMATION);
}
