// CViewToolHost: the main drawing view as the creation tools see it (CToolHost). Feedback is
// drawn in XOR on the view's own context through its display matrix; new blocks go into the view's
// document with an insert record in the undo step the view's mouse handler holds open; zooming
// and panning go through the view's ruler manager.
#pragma once

#include "editor/tools/ToolHost.h"

class CTALVEX42View;

class CViewToolHost : public CToolHost {
public:
  explicit CViewToolHost(CTALVEX42View* view) : m_view(view) {}

  int CurrentTool() override;
  double Scale() override;
  void DrawFeedback(WORD code, const CFRect& band) override;
  CBlock* FeedbackBlock() override;
  void SetFeedbackBlock(CBlock* block) override;
  CBlock* ReleaseFeedbackBlock() override;
  void RefreshFeedbackBlock() override;
  void AddBlock(CBlock* block) override;
  void RunShapeDialog(UINT dialog) override;
  void CutSelectionByLine(const FPOINT& from, const FPOINT& to) override;
  CBlock* MakeCutPattern(int tool, const FPOINT& point, int pass) override;
  void ApplyCutPatterns(int tool, const FPOINT& point) override;
  SIZE VisiblePixels() override;
  void ZoomTo(const CFRect& box) override;
  void ScrollPixels(int dx, int dy) override;
  void Report(UINT command, const float* values) override;
  void SwitchTool(int tool, bool directly) override;
  PolygonToolSettings PolygonSettings() override;
  BOOL DoubleClickInSelection(UINT flags, const FPOINT& point) override;
  void BeginShape(int blockType) override;
  BOOL StartNodeEditAt(const FPOINT& point) override;

private:
  void Repaint();
  CBlock* NodeEditableBlockAt(const FPOINT& point);
  // The main frame sets its tool box for the curve now under node edit.
  void ShowNodeButtons();

  CTALVEX42View* m_view;
};
