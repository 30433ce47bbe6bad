#include "framework/SystemCodePage.h"

std::wstring AfxWideFromSystem(LPCSTR text) {
  int length = ::MultiByteToWideChar(CP_ACP, 0, text ? text : "", -1, nullptr, 0);
  if (length <= 1) return std::wstring();
  std::wstring wide(static_cast<size_t>(length), L'\0');
  ::MultiByteToWideChar(CP_ACP, 0, text, -1, &wide[0], length);
  wide.resize(static_cast<size_t>(length - 1));
  return wide;
}

CString AfxSystemFromWide(LPCWSTR text) {
  int length = ::WideCharToMultiByte(CP_ACP, 0, text ? text : L"", -1, nullptr, 0, nullptr,
                                     nullptr);
  if (length <= 1) return CString();
  CString narrow;
  ::WideCharToMultiByte(CP_ACP, 0, text, -1, narrow.GetBufferSetLength(length), length, nullptr,
                        nullptr);
  narrow.ReleaseBuffer(length - 1);
  return narrow;
}

bool AfxIsSystemLeadByte(unsigned char byte) { return ::IsDBCSLeadByte(byte) != FALSE; }
