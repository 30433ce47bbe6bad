#include "addons/importfilter/PsGraphicsStates.h"

#include <algorithm>

namespace {

const size_t kPointBytes = sizeof(ImportPathPoint);

}  // namespace

CPsGraphicsStates::CPsGraphicsStates(CPsBudget* budget, const ImportMatrix& ctm)
    : m_budget(budget) {
  Level first;
  first.state.ctm = ctm;
  first.path = NewHeldPath();
  m_levels.push_back(first);
}

std::shared_ptr<CPsGraphicsStates::HeldPath> CPsGraphicsStates::NewHeldPath() const {
  CPsBudget* budget = m_budget;
  return std::shared_ptr<HeldPath>(new HeldPath, [budget](HeldPath* held) {
    budget->Release(held->paidPoints * kPointBytes);
    delete held;
  });
}

CImportPath* CPsGraphicsStates::EditPath(size_t morePoints) {
  std::shared_ptr<HeldPath>& held = m_levels.back().path;
  if (held.use_count() > 1) {
    const size_t points = held->path.Size();
    if (!m_budget->Work(points) || !m_budget->Charge(points * kPointBytes)) return nullptr;
    std::shared_ptr<HeldPath> copy = NewHeldPath();
    copy->paidPoints = points;
    copy->path = held->path;
    held = copy;
  }
  // The points' vector doubles when it is full: that growth is paid for before it happens.
  const size_t size = held->path.Size(), paid = held->paidPoints;
  if (size + morePoints > paid) {
    const size_t points = std::max(2 * paid, size + morePoints);
    if (!m_budget->Charge((points - paid) * kPointBytes)) return nullptr;
    held->paidPoints = points;
  }
  return &held->path;
}

void CPsGraphicsStates::NewPath() {
  std::shared_ptr<HeldPath>& held = m_levels.back().path;
  if (held.use_count() > 1) held = NewHeldPath();
  held->path.Clear();
}

bool CPsGraphicsStates::Gsave() {
  if (m_levels.size() >= kDeepest) return false;
  m_levels.push_back(m_levels.back());
  return true;
}

bool CPsGraphicsStates::Save() {
  if (!Gsave()) return false;
  m_saveLevels.push_back(m_levels.size() - 1);
  return true;
}

void CPsGraphicsStates::Grestore() {
  if (m_levels.size() > 1 && (m_saveLevels.empty() || m_levels.size() - 1 > m_saveLevels.back()))
    m_levels.pop_back();
}

void CPsGraphicsStates::Restore() {
  if (m_saveLevels.empty()) return;
  m_levels.resize(std::max<size_t>(1, m_saveLevels.back()));
  m_saveLevels.pop_back();
}

void CPsGraphicsStates::GrestoreAll() {
  m_levels.resize(m_saveLevels.empty() ? 1 : m_saveLevels.back() + 1);
}
