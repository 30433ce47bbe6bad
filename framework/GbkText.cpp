#include "framework/GbkText.h"

#include <vector>

#include "framework/AfxRes.h"
#include "framework/MessageBox.h"

namespace {

std::wstring WideOf(UINT codePage, LPCSTR text) {
  if (!text || !*text) return std::wstring();
  int length = ::MultiByteToWideChar(codePage, 0, text, -1, nullptr, 0);
  if (length <= 1) return std::wstring();
  std::wstring wide(static_cast<size_t>(length), L'\0');
  ::MultiByteToWideChar(codePage, 0, text, -1, &wide[0], length);
  wide.resize(static_cast<size_t>(length - 1));
  return wide;
}

const char kRefusalText[] = "这个字符不在 GBK 字符集里, 不能存入文档。";

}  // namespace

bool CGbkText::CodeOf(wchar_t character, WORD* code) {
  char bytes[2] = {};
  BOOL unheld = FALSE;
  int length = ::WideCharToMultiByte(kCodePage, WC_NO_BEST_FIT_CHARS, &character, 1, bytes,
                                     sizeof bytes, nullptr, &unheld);
  if (length <= 0 || unheld) return false;
  const BYTE lead = static_cast<BYTE>(bytes[0]), trail = static_cast<BYTE>(bytes[1]);
  *code = length == 1 ? lead : static_cast<WORD>(lead << 8 | trail);
  return true;
}

bool CGbkText::FromWide(const std::wstring& text, CString* gbk) {
  std::string bytes;
  bool held = true;
  for (wchar_t character : text) {
    WORD code = 0;
    if (!CodeOf(character, &code)) {
      held = false;
      continue;
    }
    if (code > 0xFF) bytes += static_cast<char>(code >> 8);
    bytes += static_cast<char>(code & 0xFF);
  }
  *gbk = CString(bytes.c_str());
  return held;
}

std::wstring CGbkText::ToWide(LPCSTR gbk) { return WideOf(kCodePage, gbk); }

CString CGbkText::Lossy(LPCWSTR text) {
  if (!text || !*text) return CString();
  int length = ::WideCharToMultiByte(kCodePage, 0, text, -1, nullptr, 0, nullptr, nullptr);
  if (length <= 0) return CString();
  std::vector<char> gbk(static_cast<size_t>(length));
  ::WideCharToMultiByte(kCodePage, 0, text, -1, gbk.data(), length, nullptr, nullptr);
  return CString(gbk.data());
}

CString CGbkText::FromSystem(LPCSTR text) { return Lossy(WideOf(CP_ACP, text).c_str()); }

CString CGbkText::RefusalText() { return AfxLoadString(AFX_IDP_CHAR_OUTSIDE_GBK, kRefusalText); }

void CGbkText::ShowRefusal(HWND window) {
  AfxShowMessageBox(::GetAncestor(window, GA_ROOT), RefusalText(), nullptr, MB_OK | MB_ICONWARNING);
}
