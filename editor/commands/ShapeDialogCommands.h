// CShapeDialogCommands: the commands of a drawing view that run the shape, transform, copy,
// position and cut-pattern dialogs. The view's command table decides whether a command is enabled
// and hands the enabled ones here; each runs its dialog modally on the view with the program's
// profile.
#pragma once

#include <windows.h>

#include "framework/CmdTarget.h"

class CTALVEX42View;

class CShapeDialogCommands : public CCmdTarget {
public:
  enum : UINT {
    kPolygonSettings = 40105,
    kOuterRect = 40106,
    kOutlineThickness = 40153,
    kRotate = 40046,
    kSkew = 40047,
    kMirror = 40108,
    kScale = 40050,
    kCopies = 40045,
    kPosition = 32820,
    kParallelCut = 32835,
    kRadialCut = 32836,
    kRingCut = 32837,
  };

  explicit CShapeDialogCommands(CTALVEX42View* view) : m_view(view) {}

  // The table dialog for the table tool, its top-left corner at (x, y); IDOK when a table was
  // added.
  static INT_PTR RunTableDialog(CTALVEX42View* view, float x, float y);

protected:
  void OnPolygonSettings();
  void OnOuterRect();
  void OnOutlineThickness();
  void OnRotate();
  void OnSkew();
  void OnMirror();
  void OnScale();
  void OnCopies();
  void OnPosition();
  void OnParallelCut();
  void OnRadialCut();
  void OnRingCut();
  DECLARE_MESSAGE_MAP()

private:
  CTALVEX42View* m_view;
};
