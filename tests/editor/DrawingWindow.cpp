#include "editor/DrawingWindow.h"

#include "editor/TALVEX42Frame.h"
#include "framework/MultiDocTemplate.h"
#include "support/MessagePump.h"

namespace {

const UINT kMainFrameResource = 128;
const UINT kDrawingResource = 129;

}  // namespace

BEGIN_MESSAGE_MAP(CDrawingTestApp, CWinApp)
  ON_COMMAND(ID_FILE_NEW, CWinApp::OnFileNew)
END_MESSAGE_MAP()

bool OpenDrawingWindow(CWinApp& app, CMDIFrameWnd* frame, CTALVEX42Doc** document,
                       CTALVEX42View** view) {
  app.AddDocTemplate(new CMultiDocTemplate(kDrawingResource, RUNTIME_CLASS(CTALVEX42Doc),
                                           RUNTIME_CLASS(CTALVEX42Frame),
                                           RUNTIME_CLASS(CTALVEX42View)));
  if (!frame->LoadFrame(kMainFrameResource)) return false;
  app.m_pMainWnd = frame;
  frame->MoveWindow(40, 40, 640, 520);
  frame->ShowWindow(SW_SHOW);
  frame->SendMessage(WM_COMMAND, ID_FILE_NEW);
  PumpMessages();
  *document = static_cast<CTALVEX42Doc*>(frame->GetActiveDocument());
  CMDIChildWnd* child = frame->MDIGetActive();
  *view = child ? static_cast<CTALVEX42View*>(child->GetActiveView()) : nullptr;
  return *document && *view;
}

void CloseDrawingWindow(CWinApp& app) {
  app.CloseAllDocuments(FALSE);
  if (app.m_pMainWnd) app.m_pMainWnd->DestroyWindow();
  PumpMessages();
}
