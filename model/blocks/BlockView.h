// CBlockView: what a block may know of the drawing view it lives in. Blocks reach their view only
// through this interface, so the model does not depend on the editor's window classes and tests
// can stand in a fake view.
#pragma once

#include <windows.h>

class CBlock;
class CMatrix2D;
class CSegArray;
class CUndoManager;

class CBlockView {
public:
  virtual ~CBlockView() = default;

  // The view's window (null when it has none).
  virtual HWND GetViewWindow() = 0;
  // Page units to device pixels; null before the view has one.
  virtual CMatrix2D* GetDisplayMatrix() = 0;
  // Page units per screen pixel.
  virtual double GetScale() = 0;
  // Blocks append undo records only while this is non-zero.
  virtual int GetUndoDepth() = 0;
  virtual CUndoManager* GetUndoManager() = 0;
  // The command id of the view's current tool; editing events are dispatched on it.
  virtual int GetCurrentTool() = 0;

  // Used only while an undo step is played back: restore the tool and the block under edit.
  virtual void SetCurrentTool(int /*tool*/) {}
  virtual void SetEditBlock(CBlock* /*block*/) {}
  // The block list of the view's document, changed directly by undo (no modified flag, no view
  // hints); null when the view has no document.
  virtual CSegArray* GetBlockList() { return nullptr; }

  // The active drawing view (null when none). The editor installs the function that finds it;
  // until then there is none.
  using ActiveViewFinder = CBlockView* (*)();
  static ActiveViewFinder SetActiveViewFinder(ActiveViewFinder finder);
  static CBlockView* GetActive();
};
