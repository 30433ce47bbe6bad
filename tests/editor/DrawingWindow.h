// The editor's windows as the window tests drive them: an application that opens new drawing
// documents, and a main frame (of the test's own class where it records what the view sends)
// with one new drawing document open in its view.
#pragma once

#include "editor/TALVEX42View.h"
#include "framework/MDIChildWnd.h"
#include "framework/MDIFrameWnd.h"
#include "framework/WinApp.h"
#include "model/document/TALVEX42Doc.h"

class CDrawingTestApp : public CWinApp {
public:
  explicit CDrawingTestApp(LPCSTR name) : CWinApp(name) {}

protected:
  DECLARE_MESSAGE_MAP()
};

// Loads the frame as the program's main window, shows it at a fixed place and opens a new drawing
// document; false when the frame or the document could not be made.
bool OpenDrawingWindow(CWinApp& app, CMDIFrameWnd* frame, CTALVEX42Doc** document,
                       CTALVEX42View** view);
// Closes the documents without asking and destroys the main window.
void CloseDrawingWindow(CWinApp& app);
