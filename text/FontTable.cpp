#include "text/FontTable.h"

#include <algorithm>
#include <cstring>

#include "framework/GlobalLock.h"

CFontTable::~CFontTable() { FreeRows(); }

int CFontTable::GetColumnCount(int row) const {
  return row >= 0 && row < kRowCount ? static_cast<int>(m_rows[row].size()) : 0;
}

const std::vector<CFontEntry>* CFontTable::List(int row, int col) const {
  if (col < 0 || col >= GetColumnCount(row)) return nullptr;
  return &m_rows[row][static_cast<size_t>(col)];
}

int CFontTable::GetEntryCount(int row, int col) const {
  const std::vector<CFontEntry>* list = List(row, col);
  return list ? static_cast<int>(list->size()) : 0;
}

const CFontEntry* CFontTable::Entry(int row, int col, int i) const {
  const std::vector<CFontEntry>* list = List(row, col);
  if (!list || i < 0 || i >= static_cast<int>(list->size())) return nullptr;
  return &(*list)[static_cast<size_t>(i)];
}

int CFontTable::AddEntry(int row, int col, const CFontEntry& entry) {
  if (row < 0 || row >= kRowCount || col < 0) return 0;
  std::vector<std::vector<CFontEntry>>& lists = m_rows[row];
  size_t count = lists.size();
  if (static_cast<size_t>(col) >= count) lists.emplace_back();
  if (static_cast<size_t>(col) > count) return 0;
  lists[static_cast<size_t>(col)].push_back(entry);
  return 1;
}

void CFontTable::EnsureColumns(int row, int count) {
  if (row < 0 || row >= kRowCount || count < 0) return;
  if (m_rows[row].size() < static_cast<size_t>(count))
    m_rows[row].resize(static_cast<size_t>(count));
}

int CFontTable::GetEntryName(int row, int col, int i, CString& out) const {
  out.Empty();
  const CFontEntry* entry = Entry(row, col, i);
  if (!entry) return 0;
  out = entry->name;
  return 1;
}

int CFontTable::GetEntryText(int row, int col, int i, CString& out) const {
  out.Empty();
  const CFontEntry* entry = Entry(row, col, i);
  if (!entry) return 0;
  out = entry->text;
  return 1;
}

int CFontTable::FindEntry(int row, int col, LPCSTR text) const {
  const std::vector<CFontEntry>* list = List(row, col);
  if (!list || !text) return -1;
  for (size_t i = 0; i < list->size(); ++i)
    if (std::strcmp((*list)[i].text, text) == 0) return static_cast<int>(i);
  return -1;
}

int CFontTable::FindFont(int row, int col, LPCSTR name) const {
  int found = FindEntry(row, col, name);
  if (found >= 0 || !name || !*name) return found;
  for (int i = 0; i < GetEntryCount(row, col); ++i) {
    std::vector<CString> others = OtherNames(row, col, i);
    if (std::find(others.begin(), others.end(), CString(name)) != others.end()) return i;
  }
  return -1;
}

std::vector<CString> CFontTable::OtherNames(int row, int col, int i) const {
  const CFontEntry* entry = Entry(row, col, i);
  return entry ? entry->otherNames : std::vector<CString>();
}

HGLOBAL CFontTable::GetNameBlock(int row, int col, int width) const {
  const std::vector<CFontEntry>* list = List(row, col);
  if (!list || list->empty() || width <= 0) return nullptr;
  size_t slot = static_cast<size_t>(width);
  HGLOBAL block = ::GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, (list->size() + 1) * slot);
  if (!block) return nullptr;
  CGlobalLock lock(block);
  if (!lock.Data()) {
    ::GlobalFree(block);
    return nullptr;
  }
  for (size_t i = 0; i < list->size(); ++i) {
    const CString& text = (*list)[i].text;
    size_t length = std::min(static_cast<size_t>(text.GetLength()), slot - 1);
    std::memcpy(lock.Data() + i * slot, text.GetString(), length);
  }
  return block;
}

void CFontTable::FreeRows() {
  for (auto& row : m_rows) row.clear();
}
