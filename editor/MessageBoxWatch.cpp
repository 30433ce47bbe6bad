#include "editor/MessageBoxWatch.h"

CMessageBoxWatch::CMessageBoxWatch() : m_shown(false) {
  m_previous = AfxSetMessageBoxHandler([this](HWND owner, LPCSTR text, LPCSTR caption, UINT type) {
    m_shown = true;
    if (m_previous) return m_previous(owner, text, caption, type);
    return ::MessageBoxA(owner, text, caption, type);
  });
}

CMessageBoxWatch::~CMessageBoxWatch() { AfxSetMessageBoxHandler(std::move(m_previous)); }
