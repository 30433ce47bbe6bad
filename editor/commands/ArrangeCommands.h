// CArrangeCommands: the commands of the main drawing view that place the selected blocks without
// changing what they are: alignment to the first selected block in list order (the topmost on
// screen, not the first clicked), alignment to the page (Shift, read when the command runs, turns
// the four edge commands into the four page corners), stacking order (the first block of the list
// is painted last, on top), and the quarter turn and mirror about the selection's centre. Each
// runs in one undo step whose undo puts every block back where it was.
#pragma once

#include <windows.h>

#include "editor/commands/ViewCommandBase.h"
#include "model/geometry/FRect.h"

class CArrangeCommands : public CViewCommandBase {
public:
  explicit CArrangeCommands(CTALVEX42View* view) : CViewCommandBase(view) {}

  static bool Handles(UINT id);
  // False for an id that is not one of these.
  bool Run(UINT id);

  void AlignSelection(UINT id);
  void AlignToPage(UINT id, bool shift);
  void SendToBack();
  void BringToFront();
  void Rotate90();
  void MirrorHorizontally();

  // How far an alignment command moves a block whose box is box against the reference box.
  static FPOINT AlignOffset(UINT id, const CFRect& reference, const CFRect& box);
  // How far a page alignment command moves a selection whose box is box on a page of the size.
  static FPOINT PageAlignOffset(UINT id, bool shift, const CFRect& box, float pageWidth,
                                float pageHeight);

private:
  // Moves the blocks of the wanted selected flag (1 or 0) to the end of the list, in their order.
  void MoveToEnd(int selected);
  void TransformSelection(bool rotate);
};
