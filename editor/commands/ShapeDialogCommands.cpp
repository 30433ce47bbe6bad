#include "editor/commands/ShapeDialogCommands.h"

#include "editor/ProgramObjects.h"
#include "editor/TALVEX42View.h"
#include "editor/dialogs/ExpandDlg.h"
#include "editor/dialogs/MultiCopyDlg.h"
#include "editor/dialogs/OuterRectDlg.h"
#include "editor/dialogs/ParallelCutDlg.h"
#include "editor/dialogs/PolygonDlg.h"
#include "editor/dialogs/PositionDlg.h"
#include "editor/dialogs/RingCutDlg.h"
#include "editor/dialogs/ScaleDlg.h"
#include "editor/dialogs/TableDlg.h"
#include "editor/dialogs/TransformDlg.h"

// clang-format off
BEGIN_MESSAGE_MAP(CShapeDialogCommands, CCmdTarget)
  ON_COMMAND(CShapeDialogCommands::kPolygonSettings, OnPolygonSettings)
  ON_COMMAND(CShapeDialogCommands::kOuterRect, OnOuterRect)
  ON_COMMAND(CShapeDialogCommands::kOutlineThickness, OnOutlineThickness)
  ON_COMMAND(CShapeDialogCommands::kRotate, OnRotate)
  ON_COMMAND(CShapeDialogCommands::kSkew, OnSkew)
  ON_COMMAND(CShapeDialogCommands::kMirror, OnMirror)
  ON_COMMAND(CShapeDialogCommands::kScale, OnScale)
  ON_COMMAND(CShapeDialogCommands::kCopies, OnCopies)
  ON_COMMAND(CShapeDialogCommands::kPosition, OnPosition)
  ON_COMMAND(CShapeDialogCommands::kParallelCut, OnParallelCut)
  ON_COMMAND(CShapeDialogCommands::kRadialCut, OnRadialCut)
  ON_COMMAND(CShapeDialogCommands::kRingCut, OnRingCut)
END_MESSAGE_MAP()
// clang-format on

INT_PTR CShapeDialogCommands::RunTableDialog(CTALVEX42View* view, float x, float y) {
  CTableDlg dialog(view, g_appProfile, x, y);
  return dialog.DoModal();
}

void CShapeDialogCommands::OnPolygonSettings() {
  CPolygonDlg dialog(m_view, g_appProfile);
  dialog.DoModal();
}

void CShapeDialogCommands::OnOuterRect() {
  COuterRectDlg dialog(m_view, g_appProfile);
  dialog.DoModal();
}

void CShapeDialogCommands::OnOutlineThickness() {
  CExpandDlg dialog(m_view, g_appProfile);
  dialog.DoModal();
}

void CShapeDialogCommands::OnRotate() {
  CTransformDlg dialog(CTransformDlg::kRotate, m_view, g_appProfile);
  dialog.DoModal();
}

void CShapeDialogCommands::OnSkew() {
  CTransformDlg dialog(CTransformDlg::kSkew, m_view, g_appProfile);
  dialog.DoModal();
}

void CShapeDialogCommands::OnMirror() {
  CTransformDlg dialog(CTransformDlg::kMirror, m_view, g_appProfile);
  dialog.DoModal();
}

void CShapeDialogCommands::OnScale() {
  CScaleDlg dialog(m_view, g_appProfile);
  dialog.DoModal();
}

void CShapeDialogCommands::OnCopies() {
  CMultiCopyDlg dialog(m_view, g_appProfile);
  dialog.DoModal();
}

void CShapeDialogCommands::OnPosition() {
  CPositionDlg dialog(m_view, g_appProfile);
  dialog.DoModal();
}

void CShapeDialogCommands::OnParallelCut() {
  CParallelCutDlg dialog(m_view, g_appProfile, theApp.IsTalvexSwitchSet() != FALSE);
  dialog.DoModal();
}

void CShapeDialogCommands::OnRadialCut() {
  CRadialCutDlg dialog(m_view, g_appProfile, theApp.IsTalvexSwitchSet() != FALSE);
  dialog.DoModal();
}

void CShapeDialogCommands::OnRingCut() {
  CRingCutDlg dialog(m_view, g_appProfile, theApp.IsTalvexSwitchSet() != FALSE);
  dialog.DoModal();
}
