// Chinese typed into dialogs, in the program's main frame under Xvfb: the characters come as an
// input method delivers them under Wine (SendInput with KEYEVENTF_UNICODE, one VK_PACKET key
// each), through the program's own message loops, and the edit fields hold them as GBK. The
// square seal dialog runs modal (its own loop), the text editor window modeless (the
// application's loop).
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "EditorWindowTest.h"
#include "editor/dialogs/TextEditorDlg.h"
#include "output/SquareSealDlg.h"
#include "output/StampAreaDlg.h"
#include "support/ModalDialogDriver.h"
#include "text/layout/BoxArray.h"
#include "text/layout/CharBox.h"

namespace {

// 王小明印, as the keyboard gives it and as the program holds it.
const wchar_t kTypedText[] = L"\x738B\x5C0F\x660E\x5370";
const char kTypedGbk[] = "王小明印";
// Idle moments (10 ms apart) a test waits for the typed keys to arrive.
const int kWaits = 200;

void TypeUnicode(const wchar_t* text) {
  std::vector<INPUT> inputs;
  for (const wchar_t* c = text; *c; ++c) {
    INPUT key = {};
    key.type = INPUT_KEYBOARD;
    key.ki.wScan = *c;
    key.ki.dwFlags = KEYEVENTF_UNICODE;
    inputs.push_back(key);
    key.ki.dwFlags |= KEYEVENTF_KEYUP;
    inputs.push_back(key);
  }
  ASSERT_EQ(inputs.size(),
            SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT)));
}

std::string FieldText(HWND edit) {
  char text[64] = {};
  ::GetWindowTextA(edit, text, sizeof text);
  return text;
}

// Gives the field the keyboard focus, as a click into it would.
void FocusField(HWND edit) {
  ::SetForegroundWindow(::GetAncestor(edit, GA_ROOT));
  ::SetFocus(edit);
  ASSERT_EQ(edit, ::GetFocus());
  ::SendMessageA(edit, EM_SETSEL, 0, -1);
}

class DialogTypingWindowTest : public EditorWindowTest {
protected:
  void SetUp() override { ASSERT_NO_FATAL_FAILURE(OpenEditorWindow()); }
  void TearDown() override { CloseEditorWindow(); }
};

}  // namespace

TEST_F(DialogTypingWindowTest, ChineseTypedIntoTheModalSealDialogReachesItsContentField) {
  std::string typed;
  int waits = 0;
  enum { kAreaDialog, kSealDialog, kTyping, kDone } stage = kAreaDialog;
  AfxModalDialogHandler previous = AfxSetModalDialogHandler([&](CWnd* window, int idleCount) {
    auto* dialog = static_cast<CDialog*>(window);
    HWND field = ::GetDlgItem(dialog->m_hWnd, CSquareSealDlg::kText);
    switch (stage) {
      case kAreaDialog:
        if (idleCount != 0) return;
        // The two-column template, which takes any number of characters.
        ModalDialogDriver::Choose(dialog->m_hWnd, CStampAreaDlg::kTemplateCombo, CB_SETCURSEL,
                                  CBN_SELCHANGE, 1);
        dialog->PostMessage(WM_COMMAND, IDOK);
        stage = kSealDialog;
        return;
      case kSealDialog:
        if (idleCount != 0) return;
        FocusField(field);
        TypeUnicode(kTypedText);
        stage = kTyping;
        return;
      case kTyping:
        // The modal loop handles the keys; the field is read once they are all in.
        if (FieldText(field).size() < sizeof kTypedGbk - 1 && ++waits < kWaits) {
          ::Sleep(10);
          return;
        }
        typed = FieldText(field);
        stage = kDone;
        dialog->PostMessage(WM_COMMAND, IDOK);
        return;
      case kDone:
        dialog->EndDialog(IDCANCEL);
        return;
    }
  });
  m_view->SendMessage(WM_COMMAND, ID_STAMP_NEW);
  PumpMessages();
  AfxSetModalDialogHandler(previous);
  EXPECT_EQ(kTypedGbk, typed);
  // OK made the stamp of the typed characters.
  CSegArray& blocks = m_document->GetBlockList();
  ASSERT_EQ(1, blocks.GetSize());
  std::vector<WORD> codes;
  CBoxArray* boxes = blocks.GetBlock(0)->GetBoxArray();
  for (INT_PTR i = 0; boxes && i < boxes->GetSize(); ++i)
    if (const CCharBox* box = boxes->GetCharBox(i)) codes.push_back(box->m_code);
  EXPECT_EQ((std::vector<WORD>{0xCDF5, 0xD0A1, 0xC3F7, 0xD3A1}), codes);
}

TEST_F(DialogTypingWindowTest, ChineseTypedIntoTheModelessTextEditorReachesItsField) {
  Menu(ID_VIEW_TEXT_EDITOR);
  HWND field = CTextEditorDlg::Edit(false);
  ASSERT_NE(nullptr, field);
  ASSERT_NO_FATAL_FAILURE(FocusField(field));
  ASSERT_NO_FATAL_FAILURE(TypeUnicode(kTypedText));
  // The application's own loop takes the keys.
  for (int wait = 0; wait < kWaits && FieldText(field).size() < sizeof kTypedGbk - 1; ++wait) {
    MSG msg;
    if (::PeekMessageW(&msg, nullptr, 0, 0, PM_NOREMOVE) && msg.message != WM_QUIT)
      theApp.PumpMessage();
    else
      ::Sleep(10);
  }
  EXPECT_EQ(kTypedGbk, FieldText(field));
}
