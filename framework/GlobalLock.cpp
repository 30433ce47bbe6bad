#include "framework/GlobalLock.h"

CGlobalLock::CGlobalLock(HGLOBAL block) : m_block(block), m_data(nullptr), m_size(0) {
  if (m_block) {
    m_data = static_cast<BYTE*>(::GlobalLock(m_block));
    if (m_data) m_size = ::GlobalSize(m_block);
  }
}

CGlobalLock::~CGlobalLock() {
  if (m_data) ::GlobalUnlock(m_block);
}
