// CToolHost: what the creation tools need of the drawing view they work in: the current tool and
// the scale, XOR feedback, the feedback block, adding a block to the document as an undo step,
// the typed-input dialogs, zooming and scrolling, the status read-outs and tool changes. The main
// view gives one (CViewToolHost); tests give a fake, so the tools never touch a window.
#pragma once

#include <windows.h>

#include "model/geometry/FRect.h"

class CBlock;

// The regular polygon tool's settings from the profile.
struct PolygonToolSettings {
  float outlineWidth = 2.0f;
  int corners = 3;
  bool sharp = false;
};

class CToolHost {
public:
  virtual ~CToolHost() = default;

  virtual int CurrentTool() = 0;
  // Page units per pixel.
  virtual double Scale() = 0;
  // Draws the feedback of a code over the band in XOR, so that drawing it again erases it. The
  // feedback-block codes draw the feedback block's outline instead of the band.
  virtual void DrawFeedback(WORD code, const CFRect& band) = 0;

  // The block under construction that the view shows; the host owns it.
  virtual CBlock* FeedbackBlock() = 0;
  // Takes the block (null clears), deleting the one it replaces.
  virtual void SetFeedbackBlock(CBlock* block) = 0;
  // Gives the block up to the caller; null when there is none.
  virtual CBlock* ReleaseFeedbackBlock() = 0;
  // Shows the feedback block as it is now (it changed).
  virtual void RefreshFeedbackBlock() = 0;

  // Adds the new block to the document with its insert record, in the undo step of the action.
  virtual void AddBlock(CBlock* block) = 0;
  // Runs a typed-input dialog modally at the tool's start point.
  virtual void RunShapeDialog(UINT dialog) = 0;
  // Removes the single selected block, cuts it along the line and adds the pieces.
  virtual void CutSelectionByLine(const FPOINT& from, const FPOINT& to) = 0;
  // The pattern of a cut tool at the point for a pass (0 or 1), from the stored settings and the
  // selection's box; the caller's. Null when nothing is selected or the settings are refused.
  virtual CBlock* MakeCutPattern(int tool, const FPOINT& point, int pass) = 0;
  // Both passes of a cut tool at the point join the document, or cut the selection and the
  // pieces join it, as the tool's settings say; one undo step. Refused settings are reported.
  virtual void ApplyCutPatterns(int tool, const FPOINT& point) = 0;

  // The visible part of the view in pixels (without the rulers).
  virtual SIZE VisiblePixels() = 0;
  virtual void ZoomTo(const CFRect& box) = 0;
  // Moves the picture by whole pixels.
  virtual void ScrollPixels(int dx, int dy) = 0;
  // Sends a read-out command with its values to the main frame.
  virtual void Report(UINT command, const float* values) = 0;
  // Switches to another tool: through the view's command, or directly.
  virtual void SwitchTool(int tool, bool directly) = 0;
  virtual PolygonToolSettings PolygonSettings() = 0;
  // A double click in the selection tool: the property window (Alt), the page setup (Ctrl), or
  // node editing of the block under the point. FALSE when nothing took it.
  virtual BOOL DoubleClickInSelection(UINT flags, const FPOINT& point) = 0;
  // A new block of the type starts to be drawn: the selection goes (its handles with it) and the
  // status bar names what is drawn. Hosts without a selection only name it.
  virtual void BeginShape(int /*blockType*/) {}
  // A click of the node tool with nothing under edit: the block under the point that takes node
  // editing becomes the block under edit. FALSE when none does; hosts without blocks take none.
  virtual BOOL StartNodeEditAt(const FPOINT& /*point*/) { return FALSE; }
};
