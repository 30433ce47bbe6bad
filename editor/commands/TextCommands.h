// CTextCommands: the main view's commands on the layout of text blocks: the four text directions
// (horizontal, reverse horizontal, vertical, reverse vertical). Each selected text block of
// another direction gets a straight layout of the new one in one undo step; its frame is turned
// so that a line keeps its length when it changes from running across to running down. The view's
// command table decides whether a command is enabled; the view then hands the command here.
#pragma once

#include <windows.h>

#include "framework/CmdTarget.h"
#include "model/geometry/FRect.h"

class CTALVEX42View;
class CTextBlock;

class CTextCommands : public CCmdTarget {
public:
  explicit CTextCommands(CTALVEX42View* view);

  // The frame of a straight layout of the kind (0-3) that follows from the frame of one of the
  // old kind: a line's length goes from width to height and back, the start corner stays.
  static CFRect TurnFrame(const CFRect& frame, int oldKind, int newKind);
  // Gives every selected text block of another kind the kind (0-3); the number changed.
  int SetDirection(int kind);

  BOOL OnCmdMsg(UINT id, int code, void* extra, AFX_CMDHANDLERINFO* info) override;

protected:
  void OnDirection(UINT id);
  DECLARE_MESSAGE_MAP()

private:
  bool ChangeDirection(CTextBlock* text, int kind);

  CTALVEX42View* m_view;
};
