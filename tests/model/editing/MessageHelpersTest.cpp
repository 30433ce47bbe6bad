#include <gtest/gtest.h>

#include <string>

#include "framework/Wnd.h"
#include "model/editing/MessageHelpers.h"
#include "support/MessageBoxCapture.h"

namespace {

TEST(MessageHelpers, ErrorBoxShowsTheStringResource) {
  MessageBoxCapture boxes(IDRETRY);
  EXPECT_EQ(IDRETRY, ErrorBoxFromResource(nullptr, 50200));
  ASSERT_EQ(1u, boxes.Count());
  EXPECT_EQ("文件格式错!", boxes.Last().text);
  EXPECT_EQ("ERROR", boxes.Last().caption);
  EXPECT_EQ(static_cast<UINT>(MB_ICONERROR), boxes.Last().type & MB_ICONMASK);
}

TEST(MessageHelpers, CaptionDecidesTheIcon) {
  MessageBoxCapture boxes;
  ShowCaptionedMessage(nullptr, kCaptionError, "文件打不开", 0, 0);
  EXPECT_EQ("     文件打不开     ", boxes.Last().text);
  EXPECT_EQ("错误", boxes.Last().caption);
  EXPECT_EQ(static_cast<UINT>(MB_ICONERROR), boxes.Last().type & MB_ICONMASK);
  ShowCaptionedMessage(nullptr, kCaptionWarning, "x", 0, 0);
  EXPECT_EQ("警告", boxes.Last().caption);
  EXPECT_EQ(static_cast<UINT>(MB_ICONINFORMATION), boxes.Last().type & MB_ICONMASK);
  ShowCaptionedMessage(nullptr, 50100, "x", 0, 0);
  EXPECT_EQ("提示", boxes.Last().caption);
  EXPECT_EQ(0u, boxes.Last().type & MB_ICONMASK);
}

TEST(MessageHelpers, TextWithoutMessageComesFromTheFlags) {
  MessageBoxCapture boxes;
  ShowCaptionedMessage(nullptr, kCaptionError, nullptr, 16385, 8193);
  EXPECT_EQ("  非法的参数  ", boxes.Last().text);
  ShowCaptionedMessage(nullptr, kCaptionError, nullptr, 16385, 0);
  EXPECT_EQ("  非法的", boxes.Last().text);
  ShowCaptionedMessage(nullptr, kCaptionError, nullptr, 7, 8193);
  EXPECT_EQ("参数  ", boxes.Last().text);
  ShowCaptionedMessage(nullptr, kCaptionError, nullptr, 0, 0);
  EXPECT_EQ("", boxes.Last().text);
}

TEST(MessageHelpers, CopyGoesToControl1397) {
  HWND dialog = CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 100, 100, nullptr, nullptr,
                                nullptr, nullptr);
  ASSERT_TRUE(dialog);
  HWND edit = CreateWindowExA(0, "EDIT", "名片 90,54", WS_CHILD, 0, 0, 80, 20, dialog,
                              reinterpret_cast<HMENU>(static_cast<INT_PTR>(1397)), nullptr,
                              nullptr);
  ASSERT_TRUE(edit);
  SendMessageA(edit, EM_SETSEL, 0, -1);
  ASSERT_TRUE(OpenClipboard(nullptr));
  EmptyClipboard();
  CloseClipboard();

  CWnd wrapper(dialog);
  SendCopyToEditBox(&wrapper);
  ASSERT_TRUE(OpenClipboard(nullptr));
  HANDLE data = GetClipboardData(CF_TEXT);
  std::string copied = data ? static_cast<const char*>(GlobalLock(data)) : "";
  if (data) GlobalUnlock(data);
  CloseClipboard();
  EXPECT_EQ("名片 90,54", copied);

  SendCopyToEditBox(nullptr);  // nothing to do, no crash
  DestroyWindow(dialog);
}

}  // namespace
