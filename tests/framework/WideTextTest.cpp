// GBK text on a system of any code page (run again under en_US in framework_english): string
// resources load as GBK and a message box shows GBK in its wide form, where the system's own 8-bit
// calls would have turned every Chinese character into "?". Real boxes under Xvfb.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>

#include "framework/GbkText.h"
#include "framework/MessageBox.h"
#include "framework/String.h"
#include "framework/WideText.h"

namespace {

// What the message box that comes up says: a hook of this thread notes the box, and a timer, run
// by the box's own loop once the box has its texts, reads them and closes it.
class BoxReader {
public:
  BoxReader() {
    s_reader = this;
    m_hook = SetWindowsHookExA(WH_CBT, Watch, nullptr, GetCurrentThreadId());
    m_timer = SetTimer(nullptr, 0, 20, Read);
  }
  ~BoxReader() {
    KillTimer(nullptr, m_timer);
    UnhookWindowsHookEx(m_hook);
    s_reader = nullptr;
  }
  std::wstring text;
  std::wstring caption;

private:
  static LRESULT CALLBACK Watch(int code, WPARAM wParam, LPARAM lParam) {
    if (code == HCBT_ACTIVATE && s_reader) s_reader->m_box = reinterpret_cast<HWND>(wParam);
    return CallNextHookEx(nullptr, code, wParam, lParam);
  }
  static void CALLBACK Read(HWND, UINT, UINT_PTR, DWORD) {
    if (!s_reader || !s_reader->m_box) return;
    HWND box = s_reader->m_box;
    s_reader->m_box = nullptr;
    wchar_t text[256] = {};
    // The box's text is its static control of id 0xFFFF.
    GetDlgItemTextW(box, 0xFFFF, text, 256);
    s_reader->text = text;
    InternalGetWindowText(box, text, 256);
    s_reader->caption = text;
    PostMessageA(box, WM_COMMAND, IDOK, 0);
  }
  static BoxReader* s_reader;
  HHOOK m_hook;
  UINT_PTR m_timer;
  HWND m_box = nullptr;
};
BoxReader* BoxReader::s_reader = nullptr;

TEST(EnglishSystemGbkText, StringsLoadAsGbkAndMessageBoxesShowThemExactly) {
  CString loaded;
  ASSERT_TRUE(loaded.LoadString(101));
  EXPECT_EQ(CString("你好，世界"), loaded);
  EXPECT_EQ(std::wstring(L"\x4F60\x597D\xFF0C\x4E16\x754C"), CGbkText::ToWide(loaded));

  AfxMessageBoxHandler test = AfxSetMessageBoxHandler(nullptr);
  BoxReader reader;
  EXPECT_EQ(IDOK, AfxShowMessageBox(nullptr, loaded, "标题", MB_OK));
  AfxSetMessageBoxHandler(std::move(test));
  EXPECT_EQ(std::wstring(L"\x4F60\x597D\xFF0C\x4E16\x754C"), reader.text);
  EXPECT_EQ(std::wstring(L"\x6807\x9898"), reader.caption);
}

}  // namespace
