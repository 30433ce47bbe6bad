// Characters typed as an input method delivers them under Wine (SendInput with KEYEVENTF_UNICODE,
// one VK_PACKET key each), through the program's own message loops, on a Chinese system and (in
// program_english_dialogs) on an English one: every way of typing text into the document keeps
// them as GBK, and a character GBK cannot hold is refused with a message. The text tool in the
// view and the zone-code table, the text editor window (modeless, the application's loop; its
// text pasted by Ctrl+double-click and stored by a save) and the square seal dialog (modal, its
// own loop). Text also comes in and goes out through the clipboard's wide form, which other
// programs use, and the zone table shows its characters as they are.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "EditorWindowTest.h"
#include "editor/dialogs/TextEditorDlg.h"
#include "editor/dialogs/ZoneCodeDlg.h"
#include "framework/GbkEdit.h"
#include "framework/GbkText.h"
#include "output/SquareSealDlg.h"
#include "output/StampAreaDlg.h"
#include "support/MessageBoxCapture.h"
#include "support/ModalDialogDriver.h"
#include "support/WideClipboard.h"
#include "text/TextBlock.h"
#include "text/layout/BoxArray.h"
#include "text/layout/CharBox.h"

namespace {

// 王小明印, as the keyboard gives it and as the program holds it.
const wchar_t kTypedText[] = L"\x738B\x5C0F\x660E\x5370";
const char kTypedGbk[] = "王小明印";
const std::vector<WORD> kTypedCodes = {0xCDF5, 0xD0A1, 0xC3F7, 0xD3A1};
// "Sign 招牌", which became "Sign ??" on an English system.
const wchar_t kSignText[] = L"Sign \x62DB\x724C";
const std::vector<WORD> kSignCodes = {'S', 'i', 'g', 'n', ' ', 0xD5D0, 0xC5C6};
// Thai ko kai, which GBK does not hold.
const wchar_t kOutsideGbk[] = L"\x0E01";
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

// The field's text as the program reads it.
std::string FieldText(HWND edit) {
  CString text;
  CGbkEdit::GetText(edit, &text);
  return std::string(text);
}

std::vector<WORD> Codes(const CBoxArray* boxes) {
  std::vector<WORD> codes;
  for (INT_PTR i = 0; boxes && i < boxes->GetSize(); ++i)
    if (const CCharBox* box = boxes->GetCharBox(i)) codes.push_back(box->m_code);
  return codes;
}

// Gives the window the keyboard focus, as a click into it would.
void Focus(HWND window) {
  ::SetForegroundWindow(::GetAncestor(window, GA_ROOT));
  ::SetFocus(window);
  ASSERT_EQ(window, ::GetFocus());
}

class EnglishSystemTyping : public EditorWindowTest {
protected:
  void SetUp() override { ASSERT_NO_FATAL_FAILURE(OpenEditorWindow()); }
  void TearDown() override { CloseEditorWindow(); }

  // The application's own loop takes the keys until done says they are in.
  template <class Done>
  static void PumpUntil(Done done) {
    for (int wait = 0; wait < kWaits && !done(); ++wait) {
      MSG msg;
      if (::PeekMessageW(&msg, nullptr, 0, 0, PM_NOREMOVE) && msg.message != WM_QUIT)
        theApp.PumpMessage();
      else
        ::Sleep(10);
    }
  }
  // A text started by a click of the text tool on the page, the view holding the keyboard.
  CTextBlock* StartText() {
    Menu(ID_TOOL_TEXT);
    FPOINT page = {40, 40};
    POINT at;
    m_view->GetDisplayMatrix()->TransformPointToInt(&page, &at);
    m_view->SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(at.x, at.y));
    m_view->SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(at.x, at.y));
    PumpMessages();
    Focus(m_view->m_hWnd);
    return dynamic_cast<CTextBlock*>(m_view->GetEditBlock());
  }
  // The characters typed into the view, until the text holds count characters.
  void TypeIntoView(CTextBlock* text, const wchar_t* typed, size_t count) {
    ASSERT_NO_FATAL_FAILURE(TypeUnicode(typed));
    PumpUntil([&] { return Codes(text->GetBoxArray()).size() >= count; });
  }

  MessageBoxCapture m_boxes;
};

}  // namespace

TEST_F(EnglishSystemTyping, TheTextToolAndTheZoneTableTypeChineseIntoTheText) {
  CTextBlock* text = StartText();
  ASSERT_NE(nullptr, text);
  ASSERT_NO_FATAL_FAILURE(TypeIntoView(text, kSignText, kSignCodes.size()));
  const std::vector<WORD> typed = kSignCodes;
  EXPECT_EQ(typed, Codes(text->GetBoxArray()));
  ASSERT_NO_FATAL_FAILURE(TypeUnicode(kOutsideGbk));
  PumpUntil([&] { return m_boxes.Count() > 0; });
  ASSERT_EQ(1u, m_boxes.Count());
  EXPECT_EQ(std::string(CGbkText::RefusalText()), m_boxes.Last().text);
  EXPECT_EQ(typed, Codes(text->GetBoxArray()));

  // The zone table's second character of its first zone, double-clicked.
  Menu(ID_VIEW_ZONE_TABLE);
  HWND list = ::GetDlgItem(m_main->GetZoneTable().m_hWnd, IDC_ZONE_LIST);
  ASSERT_NE(nullptr, list);
  RECT item;
  ::SendMessageA(list, LB_GETITEMRECT, 1, reinterpret_cast<LPARAM>(&item));
  LPARAM at = MAKELPARAM(item.left + 3, item.top + 3);
  ::SendMessageA(list, WM_LBUTTONDOWN, MK_LBUTTON, at);
  ::SendMessageA(list, WM_LBUTTONUP, 0, at);
  ::SendMessageA(list, WM_LBUTTONDBLCLK, MK_LBUTTON, at);
  ::SendMessageA(list, WM_LBUTTONUP, 0, at);
  PumpUntil([&] { return Codes(text->GetBoxArray()).size() > typed.size(); });
  std::vector<WORD> withZone = typed;
  withZone.push_back(0xA1A2);
  EXPECT_EQ(withZone, Codes(text->GetBoxArray()));
}

TEST_F(EnglishSystemTyping, ChineseTypedIntoTheTextEditorIsPastedAndSavedAsGbk) {
  Menu(ID_VIEW_TEXT_EDITOR);
  HWND field = CTextEditorDlg::Edit(false);
  ASSERT_NE(nullptr, field);
  ASSERT_NO_FATAL_FAILURE(Focus(field));
  ASSERT_NO_FATAL_FAILURE(TypeUnicode(kTypedText));
  PumpUntil([&] { return ::GetWindowTextLengthW(field) >= 4; });
  CString saved;
  ASSERT_TRUE(CTextEditorDlg::SaveText(saved));
  EXPECT_EQ(kTypedGbk, std::string(saved));
  ASSERT_NO_FATAL_FAILURE(TypeUnicode(kOutsideGbk));
  PumpUntil([&] { return m_boxes.Count() > 0; });
  ASSERT_EQ(1u, m_boxes.Count());
  EXPECT_EQ(std::string(CGbkText::RefusalText()), m_boxes.Last().text);
  ASSERT_TRUE(CTextEditorDlg::SaveText(saved));
  EXPECT_EQ(kTypedGbk, std::string(saved));

  // Its first two characters selected and pasted by Ctrl+double-click into a text.
  CTextBlock* text = StartText();
  ASSERT_NE(nullptr, text);
  ::SendMessageW(field, EM_SETSEL, 0, 2);
  FPOINT page = {40, 40};
  POINT at;
  m_view->GetDisplayMatrix()->TransformPointToInt(&page, &at);
  m_view->SendMessage(WM_LBUTTONDBLCLK, MK_CONTROL, MAKELPARAM(at.x, at.y));
  PumpMessages();
  EXPECT_EQ((std::vector<WORD>{kTypedCodes[0], kTypedCodes[1]}), Codes(text->GetBoxArray()));
}

TEST_F(EnglishSystemTyping, ChineseTypedIntoTheModalSealDialogMakesTheStamp) {
  std::string typed;
  int waits = 0;
  enum { kAreaDialog, kSealDialog, kTyping, kRefusing, kDone } stage = kAreaDialog;
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
        Focus(field);
        ::SendMessageW(field, EM_SETSEL, 0, -1);
        TypeUnicode(kTypedText);
        stage = kTyping;
        return;
      case kTyping:
        // The modal loop handles the keys; the field is read once they are all in.
        if (::GetWindowTextLengthW(field) < 4 && ++waits < kWaits) {
          ::Sleep(10);
          return;
        }
        typed = FieldText(field);
        TypeUnicode(kOutsideGbk);
        stage = kRefusing;
        return;
      case kRefusing:
        if (m_boxes.Count() == 0 && ++waits < kWaits) {
          ::Sleep(10);
          return;
        }
        EXPECT_EQ(kTypedGbk, FieldText(field));
        stage = kDone;
        dialog->PostMessage(WM_COMMAND, IDOK);
        return;
      default:
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
  EXPECT_EQ(kTypedCodes, Codes(blocks.GetBlock(0)->GetBoxArray()));
  ASSERT_EQ(1u, m_boxes.Count());
  EXPECT_EQ(std::string(CGbkText::RefusalText()), m_boxes.Last().text);
}

TEST_F(EnglishSystemTyping, TheZoneTableShowsItsCharactersAsTheyAre) {
  Menu(ID_VIEW_ZONE_TABLE);
  HWND list = ::GetDlgItem(m_main->GetZoneTable().m_hWnd, IDC_ZONE_LIST);
  ASSERT_EQ(CZoneCodeDlg::kPositions, ::SendMessageW(list, LB_GETCOUNT, 0, 0));
  // The first zone begins with the ideographic space, 、 and 。 (A1A1-A1A3).
  std::vector<std::wstring> shown;
  for (int i = 0; i < 3; ++i) {
    wchar_t item[8] = {};
    ::SendMessageW(list, LB_GETTEXT, i, reinterpret_cast<LPARAM>(item));
    shown.push_back(item);
  }
  EXPECT_EQ((std::vector<std::wstring>{L"\x3000", L"\x3001", L"\x3002"}), shown);
}

TEST_F(EnglishSystemTyping, ChineseCopiedFromTheDrawingReachesOtherProgramsWhole) {
  CTextBlock* text = StartText();
  ASSERT_NE(nullptr, text);
  ASSERT_NO_FATAL_FAILURE(TypeIntoView(text, kSignText, kSignCodes.size()));
  // Its characters selected under the text tool, then the text as a block under the select tool.
  text->SelectRange(0, static_cast<INT_PTR>(kSignCodes.size()) - 1);
  Menu(ID_EDIT_COPY);
  EXPECT_EQ(kSignText, WideClipboardText(m_view->m_hWnd)) << "the text tool's copy";
  ASSERT_TRUE(PutWideClipboardText(m_view->m_hWnd, L"-"));
  // Editing ends once the typed characters are laid out.
  PumpUntil([&] { return text->GetRelayoutStart() < 0; });
  Menu(ID_TOOL_SELECT);
  ASSERT_EQ(nullptr, m_view->GetEditBlock());
  Menu(ID_EDIT_SELECT_ALL_BLOCKS);
  Menu(ID_EDIT_COPY);
  EXPECT_EQ(kSignText, WideClipboardText(m_view->m_hWnd)) << "the select tool's copy";
}

TEST_F(EnglishSystemTyping, ChineseCopiedInAnotherProgramIsPastedWithoutWhatGbkCannotHold) {
  // "Sign 招", a character GBK cannot hold, "牌": the rest is pasted and the user is told of the
  // one left out, in the text and in the text editor window alike.
  const std::wstring copied = std::wstring(L"Sign \x62DB") + kOutsideGbk + L"\x724C";
  CTextBlock* text = StartText();
  ASSERT_NE(nullptr, text);
  ASSERT_TRUE(PutWideClipboardText(m_view->m_hWnd, copied));
  Menu(ID_EDIT_PASTE);
  EXPECT_EQ(kSignCodes, Codes(text->GetBoxArray()));
  ASSERT_EQ(1u, m_boxes.Count());
  EXPECT_EQ(std::string(CGbkText::RefusalText()), m_boxes.Last().text);

  Menu(ID_VIEW_TEXT_EDITOR);
  HWND field = CTextEditorDlg::Edit(false);
  ASSERT_NE(nullptr, field);
  ::SendMessageW(field, WM_PASTE, 0, 0);
  EXPECT_EQ("Sign 招牌", FieldText(field));
  EXPECT_EQ(2u, m_boxes.Count());
}
