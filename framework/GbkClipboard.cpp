#include "framework/GbkClipboard.h"

#include <cstring>
#include <cwchar>

#include "framework/GbkText.h"
#include "framework/GlobalLock.h"

namespace {

bool HandToClipboard(UINT format, HGLOBAL* memory) {
  if (!::SetClipboardData(format, *memory)) return false;
  *memory = nullptr;
  return true;
}

}  // namespace

CGbkClipboard::CGbkClipboard(LPCSTR gbk) {
  const size_t length = gbk ? std::strlen(gbk) : 0;
  if (length == 0) return;
  const std::wstring wide = CGbkText::ToWide(gbk);
  m_wide = AfxCopyToGlobal(wide.c_str(), wide.size() * sizeof(wchar_t), sizeof(wchar_t));
  try {
    m_text = AfxCopyToGlobal(gbk, length, 1);
  } catch (...) {
    ::GlobalFree(m_wide);
    throw;
  }
}

CGbkClipboard::~CGbkClipboard() {
  if (m_text) ::GlobalFree(m_text);
  if (m_wide) ::GlobalFree(m_wide);
}

bool CGbkClipboard::Hand() {
  if (IsEmpty()) return true;
  return HandToClipboard(CF_TEXT, &m_text) && HandToClipboard(CF_UNICODETEXT, &m_wide);
}

bool CGbkClipboard::Read(CString* gbk) {
  gbk->Empty();
  if (::IsClipboardFormatAvailable(CF_UNICODETEXT)) return CGbkText::FromWide(ReadWide(), gbk);
  if (HGLOBAL data = ::GetClipboardData(CF_TEXT)) {
    CGlobalLock lock(data);
    if (lock.Data()) {
      const auto* text = reinterpret_cast<const char*>(lock.Data());
      *gbk = CString(text, static_cast<int>(strnlen(text, lock.Size())));
    }
  }
  return true;
}

std::wstring CGbkClipboard::ReadWide() {
  std::wstring text;
  if (HGLOBAL data = ::GetClipboardData(CF_UNICODETEXT)) {
    CGlobalLock lock(data);
    if (lock.Data()) {
      const auto* characters = reinterpret_cast<const wchar_t*>(lock.Data());
      text.assign(characters, wcsnlen(characters, lock.Size() / sizeof(wchar_t)));
    }
  }
  return text;
}
