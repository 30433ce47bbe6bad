// CPsGraphicsStates: the graphics states of one PostScript read as gsave, save, grestore, restore
// and grestoreall keep them, each with its transformation, colour and path. A saved state shares
// its path with the states above it until one of them changes it; only then is the path copied.
// Saving costs nothing however long the path is, and a path is paid for (the budget's work and
// memory) when it is copied or grows, and given back when no state holds it any more.
#pragma once

#include <windows.h>

#include <cstddef>
#include <memory>
#include <vector>

#include "addons/importfilter/ImportMatrix.h"
#include "addons/importfilter/ImportPath.h"
#include "addons/importfilter/PsBudget.h"

class CPsGraphicsStates {
public:
  static const size_t kDeepest = 256;

  struct State {
    ImportMatrix ctm;
    DWORD colour = 0;
    int components = 1;  // of the colour space
  };

  // The budget must outlive the states.
  CPsGraphicsStates(CPsBudget* budget, const ImportMatrix& ctm);

  // Valid until the next save.
  State& Current() { return m_levels.back().state; }
  const CImportPath& Path() const { return m_levels.back().path->path; }
  // The levels saved and the current one: 1 when nothing is saved.
  size_t Depth() const { return m_levels.size(); }
  // The current path, its own (copied when it is shared), with room for so many more points
  // paid for; null when the budget refuses.
  CImportPath* EditPath(size_t morePoints);
  // Empties the current path without copying it.
  void NewPath();

  // False, saving nothing, at the deepest level.
  bool Gsave();
  bool Save();
  // Back to the state before the last gsave, never past the last save's.
  void Grestore();
  // Back to the state before the last save.
  void Restore();
  // Back to the state of the last save, or the first.
  void GrestoreAll();

private:
  struct HeldPath {
    CImportPath path;
    // Points paid for: never fewer than the points' vector holds room for.
    size_t paidPoints = 0;
  };
  struct Level {
    State state;
    std::shared_ptr<HeldPath> path;
  };
  std::shared_ptr<HeldPath> NewHeldPath() const;

  CPsBudget* m_budget;
  std::vector<Level> m_levels;
  std::vector<size_t> m_saveLevels;  // the level each save made
};
