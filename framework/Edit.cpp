#include "framework/Edit.h"

IMPLEMENT_DYNAMIC(CEdit, CWnd)

int CEdit::GetLine(int index, LPSTR buffer, int maxLength) const {
  if (!buffer || maxLength < 2) return 0;
  // The control reads the buffer size from its first word.
  *reinterpret_cast<WORD*>(buffer) = static_cast<WORD>(maxLength > 0xFFFF ? 0xFFFF : maxLength);
  return static_cast<int>(
      SendMessage(EM_GETLINE, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(buffer)));
}
