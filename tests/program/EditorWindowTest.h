// A fixture base for window tests that go through the editor's menus: the main frame (800 x 600
// at the screen's corner unless a test asks for another size) with one new drawing in it, made as
// the program makes them, and closed again with the untitled-document count put back, so that
// titles do not depend on test order.
#pragma once

#include <gtest/gtest.h>

#include <initializer_list>
#include <string>
#include <vector>

#include "editor/MDIMainFrame.h"
#include "editor/ProgramObjects.h"
#include "editor/TALVEX42Frame.h"
#include "editor/TALVEX42View.h"
#include "framework/CmdUI.h"
#include "framework/Dialog.h"
#include "framework/GbkText.h"
#include "framework/MultiDocTemplate.h"
#include "model/document/TALVEX42Doc.h"
#include "model/settings/ProgramPaths.h"
#include "resources/Resource.h"
#include "support/MessagePump.h"

// The text of a dialog's control.
inline std::string DialogText(CDialog* dialog, int control) {
  CString text;
  dialog->GetDlgItemText(control, text);
  return std::string(text);
}

// The entries of a combo box, or of a list box.
inline std::vector<std::string> Items(HWND control, bool listBox = false) {
  std::vector<std::string> items;
  const UINT count = listBox ? LB_GETCOUNT : CB_GETCOUNT;
  const UINT get = listBox ? LB_GETTEXT : CB_GETLBTEXT;
  for (LRESULT i = 0; i < ::SendMessageA(control, count, 0, 0); ++i) {
    char text[256] = {};
    ::SendMessageA(control, get, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(text));
    items.push_back(text);
  }
  return items;
}

// The control of that id among a window's descendants (the first found); null when none.
inline HWND Descendant(HWND window, int id) {
  for (HWND child = ::GetWindow(window, GW_CHILD); child; child = ::GetWindow(child, GW_HWNDNEXT)) {
    if (::GetDlgCtrlID(child) == id) return child;
    if (HWND found = Descendant(child, id)) return found;
  }
  return nullptr;
}

// The entries of a combo box as the user reads them, in GBK (the program's 8-bit text, whatever
// the system's code page).
inline std::vector<std::string> GbkItems(HWND combo) {
  std::vector<std::string> items;
  for (LRESULT i = 0; i < ::SendMessageW(combo, CB_GETCOUNT, 0, 0); ++i) {
    wchar_t text[256] = {};
    if (::SendMessageW(combo, CB_GETLBTEXTLEN, static_cast<WPARAM>(i), 0) < 256)
      ::SendMessageW(combo, CB_GETLBTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(text));
    items.push_back(std::string(CGbkText::Lossy(text)));
  }
  return items;
}

class EditorWindowTest : public ::testing::Test {
protected:
  // The main frame with a new drawing. Call with ASSERT_NO_FATAL_FAILURE from SetUp.
  void OpenEditorWindow(int width = 800, int height = 600) {
    ASSERT_NO_FATAL_FAILURE(OpenMainFrame(new CMDIMainFrame, width, height));
    OpenView(m_template->OpenDocumentFile(nullptr));
  }
  // The given main frame (a test's own kind of it) and no document yet.
  void OpenMainFrame(CMDIMainFrame* frame, int width, int height) {
    POSITION templates = theApp.GetFirstDocTemplatePosition();
    if (templates)
      m_template = static_cast<CMultiDocTemplate*>(theApp.GetNextDocTemplate(templates));
    if (!m_template) {
      m_template = new CMultiDocTemplate(IDR_TALVEXTYPE, RUNTIME_CLASS(CTALVEX42Doc),
                                         RUNTIME_CLASS(CTALVEX42Frame),
                                         RUNTIME_CLASS(CTALVEX42View));
      theApp.AddDocTemplate(m_template);
    }
    m_untitledCount = m_template->m_nUntitledCount;
    m_main = frame;
    ASSERT_TRUE(m_main->LoadFrame(IDR_MAINFRAME, WS_OVERLAPPEDWINDOW | FWS_ADDTOTITLE));
    theApp.m_pMainWnd = m_main;
    m_main->MoveWindow(0, 0, width, height);
    m_main->ShowWindow(SW_SHOW);
  }
  void CloseEditorWindow() {
    PumpMessages();
    theApp.CloseAllDocuments(FALSE);
    if (theApp.m_pMainWnd) theApp.m_pMainWnd->DestroyWindow();
    theApp.m_pMainWnd = nullptr;
    PumpMessages();
    if (m_template) m_template->m_nUntitledCount = m_untitledCount;
  }
  // Makes document and its first view the current ones.
  void OpenView(CDocument* document) {
    m_document = static_cast<CTALVEX42Doc*>(document);
    ASSERT_NE(nullptr, m_document);
    PumpMessages();
    POSITION position = m_document->GetFirstViewPosition();
    m_view = dynamic_cast<CTALVEX42View*>(m_document->GetNextView(position));
    ASSERT_NE(nullptr, m_view);
  }

  // A command as the main frame's menu, accelerators and tool bars send it.
  void Menu(UINT id) {
    m_main->SendMessage(WM_COMMAND, id, 0);
    PumpMessages();
  }
  // A command of the drawing view, as its menu and keys send it.
  void ViewCommand(UINT id) {
    m_view->SendMessage(WM_COMMAND, id, 0);
    PumpMessages();
  }
  // Whether the drawing view enables the command, as the menu asks before it opens.
  BOOL CommandEnabled(UINT id) {
    struct Recorder : CCmdUI {
      void Enable(BOOL on) override { enabled = on; }
      BOOL enabled = -1;
    } item;
    item.m_nID = id;
    item.DoUpdate(m_view, TRUE);
    return item.enabled;
  }
  // Copies program files (libraries the editor loads from its own folder) from the program folder
  // to beside the test program. Call with ASSERT_NO_FATAL_FAILURE.
  static void PlaceBesideProgram(std::initializer_list<const char*> names) {
    char folder[MAX_PATH];
    ASSERT_EQ(1, GetProgramDir(folder, sizeof folder));
    for (const char* name : names)
      ASSERT_TRUE(CopyFileA((std::string(folder) + "program\\" + name).c_str(),
                            (std::string(folder) + name).c_str(), FALSE));
  }

  CMultiDocTemplate* m_template = nullptr;
  UINT m_untitledCount = 0;
  CMDIMainFrame* m_main = nullptr;
  CTALVEX42Doc* m_document = nullptr;
  CTALVEX42View* m_view = nullptr;
};
