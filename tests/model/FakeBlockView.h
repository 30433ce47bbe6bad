// A drawing view for block tests: its scale, display matrix, tool and undo manager are plain
// members; the window is optional.
#pragma once

#include <vector>

#include "model/blocks/BlockView.h"
#include "model/document/SegArray.h"
#include "model/geometry/Matrix2D.h"
#include "model/undo/UndoManager.h"

class FakeBlockView : public CBlockView {
public:
  explicit FakeBlockView(double scale = 0.5) : undo(10) { SetScale(scale); }

  // Page to device at the given scale, origin at the window's corner.
  void SetScale(double pageUnitsPerPixel) {
    scale = pageUnitsPerPixel;
    display.SetIdentity();
    display.m[0] = display.m[4] = static_cast<float>(1.0 / pageUnitsPerPixel);
  }

  HWND GetViewWindow() override { return window; }
  CMatrix2D* GetDisplayMatrix() override { return &display; }
  double GetScale() override { return scale; }
  int GetUndoDepth() override { return undo.GetDepth(); }
  CUndoManager* GetUndoManager() override { return &undo; }
  int GetCurrentTool() override { return tool; }
  void SetCurrentTool(int newTool) override {
    tool = newTool;
    toolsSet.push_back(newTool);
  }
  void SetEditBlock(CBlock* block) override { editBlock = block; }
  CSegArray* GetBlockList() override { return blocks; }

  HWND window = nullptr;
  CMatrix2D display;
  double scale = 0.5;
  int tool = 40070;
  CUndoManager undo;
  CBlock* editBlock = nullptr;
  CSegArray* blocks = nullptr;
  std::vector<int> toolsSet;
};
