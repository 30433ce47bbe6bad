// CTextEditorDlg: the main frame's text editor window (dialog 223, modeless, owned by the main
// window): one multi-line edit field (1397, at most 65536 characters) that fills the window, whose
// text is GBK on every system (CGbkEdit). A Ctrl+double-click in a text block pastes its
// selection; every saved document stores its text and every opened document adds the text it
// stored (CTextEditorStore). A double-click on its
// caption rolls the window up to a 45 x 25 pixel bar at its top-left corner and the next one
// puts it back where it was. The program has one such window; the helpers below find it.
#pragma once

#include <windows.h>

#include <vector>

#include "framework/Dialog.h"
#include "framework/Rect.h"
#include "framework/String.h"

class CTextEditorDlg : public CDialog {
public:
  static constexpr UINT kTemplateId = 223;
  static constexpr int kEditId = 1397;
  static constexpr UINT kTextLimit = 0x10000;
  // Command 40067 to the main window shows or hides the window, making it first.
  static constexpr UINT kToggleCommand = 40067;
  static constexpr int kRolledWidth = 45;
  static constexpr int kRolledHeight = 25;
  // A window narrower than this is taken as rolled up.
  static constexpr int kRolledUpBelow = 50;

  CTextEditorDlg() = default;
  ~CTextEditorDlg() override;

  BOOL Create(CWnd* parent);
  BOOL OnInitDialog() override;
  // Enter belongs to the edit field; Escape hides the window, which keeps its text.
  void OnOK() override {}
  void OnCancel() override;

  const CRect& GetRemembered() const { return m_remembered; }
  // The caption's double-click: rolls up or back.
  void ToggleRolledUp();

  // The program's text editor window while it exists, else null.
  static CTextEditorDlg* Current();
  // Its edit field; with open, the main window is asked to make the window first (40067).
  static HWND Edit(bool open);
  // The text a saved document stores; false when there is no window.
  static bool SaveText(CString& text);
  // Adds an opened document's stored bytes (the text and its zero) after the window's text,
  // behind two CR bytes when it already holds text, opening the window first; false when no
  // window can be had.
  static bool LoadText(const std::vector<BYTE>& stored);
  // Appends a merged text on a line of its own.
  static bool AppendLine(LPCSTR text);
  // Puts the edit field's selection on the clipboard (GBK and wide); false without a window or a
  // selection.
  static bool CopySelection(HWND owner);

protected:
  void OnSize(UINT type, int cx, int cy);
  void OnNcLButtonDblClk(UINT hitTest, CPoint point);
  void OnDestroy();
  void OnGetMinMaxInfo(MINMAXINFO* limits);
  DECLARE_MESSAGE_MAP()

private:
  CRect m_remembered{-1, -1, -1, -1};
  bool m_sized = false;
};
