// CView: a window that shows a document inside a frame. Commands reaching the view go to its own
// map, then to its document.
#pragma once

#include "framework/CreateContext.h"
#include "framework/Wnd.h"

class CDocument;
class CPrintInfo;

class CView : public CWnd {
  DECLARE_DYNAMIC(CView)
public:
  CView() = default;
  ~CView() override;

  CDocument* GetDocument() const { return m_pDocument; }

  virtual void OnDraw(CDC* dc) = 0;
  virtual void OnInitialUpdate();
  // hint and hintObject are what UpdateAllViews was given; the base invalidates the view.
  virtual void OnUpdate(CView* sender, LPARAM hint, CObject* hintObject);
  virtual void OnActivateView(BOOL activate, CView* activateView, CView* deactiveView);
  virtual void OnActivateFrame(UINT state, CFrameWnd* frame);
  virtual void OnPrepareDC(CDC* dc, CPrintInfo* info = nullptr);
  // Scroll requests of the framework (drag scrolling); TRUE when the view scrolled.
  virtual BOOL OnScroll(UINT scrollCode, UINT position, BOOL doScroll = TRUE);
  virtual BOOL OnScrollBy(CSize size, BOOL doScroll = TRUE);

  // Printing
  virtual BOOL OnPreparePrinting(CPrintInfo* info);
  BOOL DoPreparePrinting(CPrintInfo* info);
  virtual void OnBeginPrinting(CDC* dc, CPrintInfo* info);
  virtual void OnPrint(CDC* dc, CPrintInfo* info);
  virtual void OnEndPrinting(CDC* dc, CPrintInfo* info);
  void OnFilePrint();

  BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) override;
  BOOL PreCreateWindow(CREATESTRUCTA& cs) override;
  void PostNcDestroy() override { delete this; }

  int OnCreate(LPCREATESTRUCTA cs);
  void OnDestroy();
  void OnPaint();
  int OnMouseActivate(CWnd* topParent, UINT hitTest, UINT message);
  LRESULT OnInitialUpdateMessage(WPARAM, LPARAM);

protected:
  CDocument* m_pDocument = nullptr;
  friend class CDocument;

  DECLARE_MESSAGE_MAP()
};
