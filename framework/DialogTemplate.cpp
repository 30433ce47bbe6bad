#include "framework/DialogTemplate.h"

namespace {

// Offset of the item count in the words of a DLGTEMPLATE.
const size_t kCountIndex = 4;

}  // namespace

CDialogTemplate::CDialogTemplate(LPCSTR caption, DWORD style, int x, int y, int cx, int cy, LPCSTR fontName,
                                 WORD pointSize) {
  if (fontName) style |= DS_SETFONT;
  else style &= ~static_cast<DWORD>(DS_SETFONT);
  AppendDword(style);
  AppendDword(0);  // extended style
  m_words.push_back(0);  // item count
  m_words.push_back(static_cast<WORD>(x));
  m_words.push_back(static_cast<WORD>(y));
  m_words.push_back(static_cast<WORD>(cx));
  m_words.push_back(static_cast<WORD>(cy));
  m_words.push_back(0);  // no menu
  m_words.push_back(0);  // the standard dialog class
  AppendText(caption);
  if (fontName) {
    m_words.push_back(pointSize);
    AppendText(fontName);
  }
}

void CDialogTemplate::AppendDword(DWORD value) {
  m_words.push_back(LOWORD(value));
  m_words.push_back(HIWORD(value));
}

void CDialogTemplate::AppendText(LPCSTR text) {
  // Templates hold wide text; the program's text is in the ANSI code page.
  if (!text || !*text) {
    m_words.push_back(0);
    return;
  }
  int length = ::MultiByteToWideChar(CP_ACP, 0, text, -1, nullptr, 0);
  std::vector<WCHAR> wide(static_cast<size_t>(length > 0 ? length : 1), 0);
  if (length > 0) ::MultiByteToWideChar(CP_ACP, 0, text, -1, wide.data(), length);
  for (WCHAR ch : wide) m_words.push_back(static_cast<WORD>(ch));
  if (wide.back() != 0) m_words.push_back(0);
}

void CDialogTemplate::AlignToDword() {
  if (m_words.size() % 2) m_words.push_back(0);
}

void CDialogTemplate::AppendItemHeader(DWORD style, DWORD exStyle, int x, int y, int cx, int cy, WORD id) {
  AlignToDword();
  AppendDword(style | WS_CHILD);
  AppendDword(exStyle);
  m_words.push_back(static_cast<WORD>(x));
  m_words.push_back(static_cast<WORD>(y));
  m_words.push_back(static_cast<WORD>(cx));
  m_words.push_back(static_cast<WORD>(cy));
  m_words.push_back(id);
  ++m_words[kCountIndex];
}

void CDialogTemplate::AddControl(ControlClass controlClass, LPCSTR text, DWORD style, int x, int y, int cx, int cy,
                                 WORD id, DWORD exStyle) {
  AppendItemHeader(style, exStyle, x, y, cx, cy, id);
  m_words.push_back(0xFFFF);
  m_words.push_back(controlClass);
  AppendText(text);
  m_words.push_back(0);  // no creation data
}

void CDialogTemplate::AddControl(LPCSTR className, LPCSTR text, DWORD style, int x, int y, int cx, int cy, WORD id,
                                 DWORD exStyle) {
  AppendItemHeader(style, exStyle, x, y, cx, cy, id);
  AppendText(className);
  AppendText(text);
  m_words.push_back(0);
}
