// CCutPatternCommands: the view's side of the cut patterns: the patterns the mouse tools make
// from the stored settings (MakeCutPattern and its three kinds), the cut of blocks by a pattern
// through the transform library's figure cut, and the two passes of a command carried out on
// the document in one undo step.
//
// A cut works on a snapshot of the selection taken before anything changes, so every selected
// block is cut by both passes, even though the pieces' arrival clears the selection. The tool's
// parallel variant sets the second-pass bit on pass 1 only, as the dialogs do: were the bit in
// both passes' flag word, both would make the same strips and every piece would be cut twice.
#pragma once

#include <windows.h>

#include <vector>

#include "model/geometry/CutPatterns.h"
#include "model/geometry/FRect.h"

class CAppProfile;
class CBlock;
class CCurveBlock;
class CTALVEX42View;
class CWeldDll;

class CCutPatternCommands {
public:
  enum : UINT { kParallel = 32835, kRadial = 32836, kRing = 32837 };
  // The centre choices of the radial and ring dialogs; the last is picked with the mouse.
  static constexpr int kCentreCount = 10;
  static constexpr int kMouseCentre = 9;
  struct Centre {
    float x;
    float y;
    float start;
    float end;
  };
  static Centre CentreFor(int index, const CFRect& box);

  // The pattern of a tool for the point (x, y) and pass (0 or 1), from the stored settings and
  // the box of the view's selected blocks; null for another command or when nothing is selected.
  static CCurveBlock* MakeCutPattern(CTALVEX42View* view, const CAppProfile& profile, UINT command,
                                     float x, float y, int pass,
                                     CCutPatterns::Problem* problem = nullptr);
  static CCurveBlock* MakeParallelCutPattern(const CFRect& box, const CAppProfile& profile, float x,
                                             float y, int pass, CCutPatterns::Problem* problem);
  static CCurveBlock* MakeRadialCutPattern(const CFRect& box, const CAppProfile& profile, float x,
                                           float y, int pass, CCutPatterns::Problem* problem);
  static CCurveBlock* MakeRingCutPattern(const CFRect& box, const CAppProfile& profile, float x,
                                         float y, int pass, CCutPatterns::Problem* problem);

  // The pieces of the blocks inside the pattern: null, one block, or a group of them (the
  // caller's). Image blocks are left out.
  static CBlock* CutBlocksByPattern(const std::vector<CBlock*>& blocks, const CCurveBlock& pattern,
                                    const CWeldDll& library);
  // The selected blocks of the view's document, in list order.
  static std::vector<CBlock*> SelectedBlocks(CTALVEX42View* view);

  // Carries out a command's two passes (taking both patterns) in one undo step: with noCut the
  // patterns join the document, else the snapshot of the selection is cut by each and the pieces
  // join it. False when the library was needed and could not be bound.
  static bool ApplyPasses(CTALVEX42View* view, CCurveBlock* first, CCurveBlock* second, bool noCut);
  // Says why a pattern was refused, in a message box on the owner; nothing for kNoProblem.
  static void ReportProblem(HWND owner, CCutPatterns::Problem problem);
};
