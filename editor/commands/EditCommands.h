// CEditCommands: the editing commands of the main drawing view that change the document's blocks
// without a mouse tool: delete, group and ungroup, curve conversion, combining and splitting
// contours, solid fill and the automatic spacing switch. It also holds the arrangement commands
// (CArrangeCommands), so that the view has one object to route to.
//
// Every changing command follows one pattern: check its precondition (a command that cannot run
// opens no undo step), open the step, hide the tracker, change blocks through their virtuals with
// one typed undo record each, close the step, recount and show the tracker. Undoing the step puts
// the document back exactly, list order included.
#pragma once

#include <windows.h>

#include "editor/commands/ArrangeCommands.h"
#include "editor/commands/ViewCommandBase.h"

class CBlock;
class CGroupBlock;

class CEditCommands : public CViewCommandBase {
public:
  explicit CEditCommands(CTALVEX42View* view);

  // Carries out a command of this family; false for an id that is not one.
  bool Run(UINT id);
  static bool Handles(UINT id);

  // With a block under edit its own delete, else the selected blocks.
  void Delete();
  // Whether delete has something to delete.
  bool CanDelete() const;
  // More than one selected block into one new group; the children keep their list order.
  void GroupSelection();
  // Every selected group gives its children back to the end of the list, selected.
  void UngroupSelection();
  // The curve copies of the selected blocks merged into one curve.
  void CombineToCurve();
  // The selected blocks replaced by their curve copies: one curve, or a group of several.
  void ConvertToCurves();
  // More than one selected curve merged into one curve.
  void CombineContours();
  // Each selected curve split into one curve per sub-path.
  void SplitContours();
  // The text under edit, or else every selected block, drawn filled.
  void SetSolid();
  // Switches automatic spacing of text and stores it in the profile.
  void ToggleAutoFill();

  CArrangeCommands& Arrange() { return m_arrange; }

private:
  // The curve copy (ToCurve with every colour) of each selected block in list order, into the
  // group; the blocks that gave one leave the list with their delete records.
  void TakeCurveCopies(CGroupBlock* curves);
  // Adds the block to the document selected, records it as inserted and selects it.
  void AppendSelected(CBlock* block);
  void AfterSelectionChange();

  CArrangeCommands m_arrange;
};
