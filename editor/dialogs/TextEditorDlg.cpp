#include "editor/dialogs/TextEditorDlg.h"

#include <algorithm>

#include "framework/GbkEdit.h"
#include "framework/WinApp.h"
#include "framework/Wnd.h"

// clang-format off
BEGIN_MESSAGE_MAP(CTextEditorDlg, CDialog)
  ON_WM_SIZE()
  ON_WM_NCLBUTTONDBLCLK()
  ON_WM_DESTROY()
  ON_WM_GETMINMAXINFO()
END_MESSAGE_MAP()
// clang-format on

namespace {

CTextEditorDlg* g_current = nullptr;

// The first time a window is sized it remembers a strip of the main window's client area.
const int kFirstStripHeight = 100;
// Texts this long get room beyond the edit field's usual limit.
const size_t kLongText = 60000;
const size_t kSpareRoom = 10000;
const char kLoadSeparator[] = "\r\r";
const char kLineBreak[] = "\r\n";

CString EditText(HWND edit) {
  CString text;
  CGbkEdit::GetText(edit, &text);
  return text;
}

}  // namespace

CTextEditorDlg::~CTextEditorDlg() {
  if (g_current == this) g_current = nullptr;
}

BOOL CTextEditorDlg::Create(CWnd* parent) { return CDialog::Create(kTemplateId, parent); }

BOOL CTextEditorDlg::OnInitDialog() {
  CDialog::OnInitDialog();
  g_current = this;
  ::SendDlgItemMessageA(m_hWnd, kEditId, EM_LIMITTEXT, kTextLimit, 0);
  CGbkEdit::Attach(::GetDlgItem(m_hWnd, kEditId));
  return TRUE;
}

void CTextEditorDlg::OnCancel() { ShowWindow(SW_HIDE); }

void CTextEditorDlg::OnDestroy() {
  if (g_current == this) g_current = nullptr;
  CDialog::OnDestroy();
}

// The rolled-up bar is smaller than the system's smallest captioned window.
void CTextEditorDlg::OnGetMinMaxInfo(MINMAXINFO* limits) {
  CDialog::OnGetMinMaxInfo(limits);
  limits->ptMinTrackSize.x = std::min<LONG>(limits->ptMinTrackSize.x, kRolledWidth);
  limits->ptMinTrackSize.y = std::min<LONG>(limits->ptMinTrackSize.y, kRolledHeight);
}

void CTextEditorDlg::OnSize(UINT type, int cx, int cy) {
  CDialog::OnSize(type, cx, cy);
  if (HWND edit = ::GetDlgItem(m_hWnd, kEditId)) ::MoveWindow(edit, 0, 0, cx, cy, TRUE);
  if (m_sized) return;
  m_sized = true;
  CWnd* main = AfxGetMainWnd();
  if (!main || !main->GetSafeHwnd()) return;
  RECT client;
  ::GetClientRect(main->GetSafeHwnd(), &client);
  m_remembered = CRect(client.left, client.bottom - kFirstStripHeight, client.right, client.bottom);
}

void CTextEditorDlg::OnNcLButtonDblClk(UINT hitTest, CPoint point) {
  if (hitTest != HTCAPTION) {
    CDialog::OnNcLButtonDblClk(hitTest, point);
    return;
  }
  ToggleRolledUp();
}

void CTextEditorDlg::ToggleRolledUp() {
  RECT client, window;
  ::GetClientRect(m_hWnd, &client);
  ::GetWindowRect(m_hWnd, &window);
  if (client.right - client.left >= kRolledUpBelow) {
    m_remembered = CRect(window);
    ::MoveWindow(m_hWnd, window.left, window.top, kRolledWidth, kRolledHeight, TRUE);
  } else {
    ::MoveWindow(m_hWnd, m_remembered.left, m_remembered.top, m_remembered.Width(),
                 m_remembered.Height(), TRUE);
  }
}

CTextEditorDlg* CTextEditorDlg::Current() {
  return g_current && g_current->GetSafeHwnd() ? g_current : nullptr;
}

HWND CTextEditorDlg::Edit(bool open) {
  if (!Current() && open) {
    CWnd* main = AfxGetMainWnd();
    if (main && main->GetSafeHwnd())
      ::SendMessageA(main->GetSafeHwnd(), WM_COMMAND, kToggleCommand, 0);
  }
  CTextEditorDlg* window = Current();
  return window ? ::GetDlgItem(window->m_hWnd, kEditId) : nullptr;
}

bool CTextEditorDlg::SaveText(CString& text) {
  HWND edit = Edit(false);
  if (!edit) return false;
  text = EditText(edit);
  return true;
}

bool CTextEditorDlg::LoadText(const std::vector<BYTE>& stored) {
  // The stored bytes end at their zero or at their end, whichever comes first.
  auto end = std::find(stored.begin(), stored.end(), BYTE{0});
  CString added(reinterpret_cast<const char*>(stored.data()),
                static_cast<int>(end - stored.begin()));
  // A document without text leaves the window as it is: only a text opens it.
  if (added.IsEmpty()) return true;
  HWND edit = Edit(true);
  if (!edit) return false;
  CString text = EditText(edit);
  // A text in an empty window stands alone: opening and saving again must not grow it.
  if (!text.IsEmpty()) text += kLoadSeparator;
  text += added;
  size_t needed = static_cast<size_t>(text.GetLength()) + 15;
  UINT limit = static_cast<UINT>(::SendMessageA(edit, EM_GETLIMITTEXT, 0, 0));
  if (needed > kLongText || needed > limit)
    ::SendMessageA(edit, EM_LIMITTEXT, static_cast<WPARAM>(needed + kSpareRoom), 0);
  CGbkEdit::SetText(edit, text);
  return true;
}

bool CTextEditorDlg::AppendLine(LPCSTR text) {
  HWND edit = Edit(true);
  if (!edit || !text) return false;
  CString appended(kLineBreak);
  appended += text;
  int end = ::GetWindowTextLengthW(edit);
  ::SendMessageW(edit, EM_SETSEL, end, end);
  CGbkEdit::ReplaceSelection(edit, appended);
  return true;
}

bool CTextEditorDlg::CopySelection(HWND) {
  HWND edit = Edit(false);
  return edit && CGbkEdit::CopySelection(edit);
}
