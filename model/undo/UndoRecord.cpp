#include "model/undo/UndoRecord.h"

#include <algorithm>
#include <unordered_map>

namespace {

// Which records watch which blocks. Everything runs on the user-interface thread.
using WatchMap = std::unordered_multimap<CBlock*, CUndoRecord*>;

WatchMap& Watchers() {
  static WatchMap watchers;
  return watchers;
}

void RemoveWatch(CBlock* block, CUndoRecord* record) {
  auto range = Watchers().equal_range(block);
  for (auto it = range.first; it != range.second; ++it) {
    if (it->second == record) {
      Watchers().erase(it);
      return;
    }
  }
}

}  // namespace

CUndoRecord::CUndoRecord() : m_kind(kOrdinary), m_memory(nullptr), m_done(0) {}

CUndoRecord::~CUndoRecord() {
  for (CBlock* block : m_watched) RemoveWatch(block, this);
  if (m_memory) ::GlobalFree(m_memory);
}

BOOL CUndoRecord::Undo(CBlockView* /*view*/) {
  m_done = 1;
  return FALSE;
}

void CUndoRecord::Watch(CBlock* block) {
  if (!block) return;
  m_watched.push_back(block);
  Watchers().emplace(block, this);
}

void CUndoRecord::Unwatch(CBlock* block) {
  auto it = std::find(m_watched.begin(), m_watched.end(), block);
  if (it == m_watched.end()) return;
  m_watched.erase(it);
  RemoveWatch(block, this);
}

void CUndoRecord::ForgetBlock(CBlock* block) {
  auto range = Watchers().equal_range(block);
  std::vector<CUndoRecord*> records;
  for (auto it = range.first; it != range.second; ++it) records.push_back(it->second);
  Watchers().erase(block);
  for (CUndoRecord* record : records) {
    auto& watched = record->m_watched;
    watched.erase(std::remove(watched.begin(), watched.end(), block), watched.end());
    record->OnBlockDestroyed(block);
  }
}
