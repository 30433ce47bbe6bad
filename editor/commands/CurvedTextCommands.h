// CCurvedTextCommands: the main view's commands that set text on a curve: on an arc (40040) and on
// an arch (32854) for the first selected text, and along a path (40041) for the first selected
// text and the first selected curve. The curve leaves the drawing; the layout keeps a copy of it
// in the text's own units as its path. Each command is one undo step: the old layout goes into a
// CUndoTextEffectRecord and a used curve into a CUndoDeleteRecord, so undo gives the text its
// layout back and the curve its place. The direction commands take a curved text back to straight
// lines on the frame StraightFrame gives. The view's command table decides whether a command is
// enabled; the view then hands the command here.
#pragma once

#include <windows.h>

#include "framework/CmdTarget.h"
#include "model/geometry/FRect.h"

class CTALVEX42View;
class CTextBlock;

class CCurvedTextCommands : public CCmdTarget {
public:
  explicit CCurvedTextCommands(CTALVEX42View* view);

  // The rectangle an arc is built on: the text's extent, a flat one made half as high as it is
  // wide and a narrow one half as wide as it is high.
  static CFRect ArcRect(const CFRect& extent);
  // The union of the text's laid-out character cells in its own units; false when none.
  static bool TextExtent(CTextBlock& text, CFRect* extent);
  // The frame of a straight layout of the kind (0-3) for a text on a curve: from the top left of
  // its characters, its lines as long as the longest line of its characters needs (or as wide as
  // they stand, when that is more), turned for a vertical kind.
  static CFRect StraightFrame(CTextBlock& text, int kind);

  // Each sets the first selected text on its curve; false when nothing changed.
  bool SetOnArc();
  bool SetOnArch();
  bool SetAlongPath();

  BOOL OnCmdMsg(UINT id, int code, void* extra, AFX_CMDHANDLERINFO* info) override;

protected:
  void OnArc() { SetOnArc(); }
  void OnArch() { SetOnArch(); }
  void OnAlongPath() { SetAlongPath(); }
  DECLARE_MESSAGE_MAP()

private:
  // The first selected block when it is a text under no edit and of another layout kind.
  CTextBlock* FirstSelectedText(BYTE notKind) const;

  CTALVEX42View* m_view;
};
