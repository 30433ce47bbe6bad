#include "text/layout/UndoArrayItemRecord.h"

#include <algorithm>

#include "text/layout/BoxArray.h"
#include "text/layout/TextBox.h"

CUndoArrayItemRecord::CUndoArrayItemRecord(CBoxArray* array, CTextBox* box, INT_PTR index,
                                           CBlock* owner)
    : m_array(array), m_box(box), m_index(index) {
  if (owner) Watch(owner);
}

void CUndoArrayItemRecord::OnBlockDestroyed(CBlock*) { m_array = nullptr; }

CUndoArrayItemRecord::~CUndoArrayItemRecord() { delete m_box; }

BOOL CUndoArrayItemRecord::Undo(CBlockView* /*view*/) {
  m_done = 1;
  if (!m_array || !m_box) return FALSE;
  INT_PTR index = std::max<INT_PTR>(0, std::min(m_index, m_array->GetSize()));
  m_array->InsertAt(index, m_box);
  m_box = nullptr;
  return TRUE;
}
