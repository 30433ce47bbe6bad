#include "editor/tools/ViewToolHost.h"

#include <memory>

#include "editor/ProgramObjects.h"
#include "editor/TALVEX42View.h"
#include "editor/commands/CutPatternCommands.h"
#include "editor/commands/ShapeDialogCommands.h"
#include "editor/dialogs/ShapeDialogs.h"
#include "editor/tools/LineCutter.h"
#include "framework/ClientDC.h"
#include "framework/DC.h"
#include "framework/KeyState.h"
#include "framework/WinApp.h"
#include "model/blocks/Block.h"
#include "model/blocks/CurveBlock.h"
#include "model/document/TALVEX42Doc.h"
#include "model/editing/FeedbackTools.h"
#include "model/editing/MainWindowNotice.h"
#include "model/editing/XorScope.h"
#include "model/geometry/Contour.h"
#include "model/settings/SettingNames.h"
#include "model/undo/UndoBeginEditRecord.h"
#include "model/undo/UndoInsertRecord.h"
#include "model/undo/UndoManager.h"
#include "model/undo/UndoScope.h"
#include "resources/Resource.h"

namespace {

// Shapes of the feedback codes (the pen is in the low four bits).
const WORD kLineShape = 16;
const WORD kRectShape = 32;
const WORD kEllipseShape = 48;
const WORD kBlockShape = 64;
const WORD kBlockShapeAlso = 176;

// The settings section of a cut tool.
const char* CutToolSection(int tool) {
  switch (tool) {
    case ID_CUT_PARALLEL:
      return settings::kParallelCut;
    case ID_CUT_RADIAL:
      return settings::kRadiationCut;
    default:
      return settings::kCircleCut;
  }
}

CPen* PenOf(WORD code) {
  switch (code & 0x000F) {
    case 0:
      return CFeedbackTools::BlueDottedPen();
    case 2:
      return CFeedbackTools::RedPen();
    case 3:
      return CFeedbackTools::BluePen();
    default:
      return nullptr;  // the stock black pen
  }
}

}  // namespace

int CViewToolHost::CurrentTool() { return m_view->GetCurrentTool(); }

double CViewToolHost::Scale() { return m_view->GetScale(); }

void CViewToolHost::DrawFeedback(WORD code, const CFRect& band) {
  CMatrix2D* matrix = m_view->GetDisplayMatrix();
  if (!matrix || !m_view->m_hWnd || code == 0) return;
  CClientDC dc(m_view);
  WORD shape = static_cast<WORD>(code & ~0x000F);
  CXorScope scope(&dc, PenOf(code));
  if (shape == kBlockShape || shape == kBlockShapeAlso) {
    CBlock* block = m_view->GetFeedbackBlock();
    std::unique_ptr<CContour> outline(block ? block->GetContour(nullptr, 0) : nullptr);
    if (outline) outline->Stroke(&dc, matrix);
    return;
  }
  CFRect corners = band;
  RECT pixels;
  matrix->TransformRectToInt(&corners, &pixels);
  if (shape == kLineShape) {
    dc.MoveTo(pixels.left, pixels.top);
    dc.LineTo(pixels.right, pixels.bottom);
  } else if (shape == kRectShape) {
    dc.Rectangle(&pixels);
  } else if (shape == kEllipseShape) {
    dc.Ellipse(&pixels);
  }
}

CBlock* CViewToolHost::FeedbackBlock() { return m_view->GetFeedbackBlock(); }

void CViewToolHost::SetFeedbackBlock(CBlock* block) { m_view->SetFeedbackBlock(block); }

CBlock* CViewToolHost::ReleaseFeedbackBlock() { return m_view->ReleaseFeedbackBlock(); }

void CViewToolHost::RefreshFeedbackBlock() {
  if (!m_view->m_hWnd) return;
  // At once: a rubber band drawn before the paint would otherwise be painted over.
  m_view->Invalidate(FALSE);
  m_view->UpdateWindow();
}

void CViewToolHost::AddBlock(CBlock* block) {
  if (!block) return;
  CTALVEX42Doc* document = m_view->GetDocument();
  if (!document) {
    delete block;
    return;
  }
  if (m_view->GetUndoDepth() != 0)
    m_view->GetUndoManager()->AppendRecord(new CUndoInsertRecord(block));
  document->AddBlock(block);
}

void CViewToolHost::RunShapeDialog(UINT dialog) {
  // The table dialog adds its table to the document itself.
  if (dialog == IDD_LIB_INFO) {
    CFRect band = g_ToolState.Band();
    band.Normalize();
    CLibraryCommands::RunBrowser(m_view, band);
    return;
  }
  if (dialog == IDD_TABLE) {
    CShapeDialogCommands::RunTableDialog(m_view, g_ToolState.start.x, g_ToolState.start.y);
    return;
  }
  AddBlock(CShapeDialogs::Run(m_view, dialog, g_ToolState.start));
}

CBlock* CViewToolHost::MakeCutPattern(int tool, const FPOINT& point, int pass) {
  return CCutPatternCommands::MakeCutPattern(m_view, g_appProfile, static_cast<UINT>(tool), point.x,
                                             point.y, pass);
}

void CViewToolHost::ApplyCutPatterns(int tool, const FPOINT& point) {
  const bool noCut = g_appProfile.GetInt(CutToolSection(tool), settings::kNoCut,
                                         settings::kNoCutToolDefault) != 0;
  CCutPatterns::Problem problems[2] = {CCutPatterns::kNoProblem, CCutPatterns::kNoProblem};
  std::unique_ptr<CCurveBlock> passes[2];
  for (int pass = 0; pass < 2; ++pass)
    passes[pass].reset(CCutPatternCommands::MakeCutPattern(
        m_view, g_appProfile, static_cast<UINT>(tool), point.x, point.y, pass, &problems[pass]));
  const CCutPatterns::Problem problem = problems[0] != CCutPatterns::kNoProblem ? problems[0]
                                                                                : problems[1];
  if (problem != CCutPatterns::kNoProblem) {
    CCutPatternCommands::ReportProblem(m_view->GetSafeHwnd(), problem);
    return;
  }
  CCutPatternCommands::ApplyPasses(m_view, passes[0].release(), passes[1].release(), noCut);
}

void CViewToolHost::CutSelectionByLine(const FPOINT& from, const FPOINT& to) {
  CLineCutter cutter(m_view, m_view->GetDocument(), CLineCutter::ProgramLibrary());
  if (!cutter.Cut(from, to)) return;
  m_view->GetSelectTracker().Recount();
  Repaint();
}

SIZE CViewToolHost::VisiblePixels() {
  SIZE size = {0, 0};
  if (!m_view->m_hWnd) return size;
  RECT client;
  m_view->GetClientRect(&client);
  CRulerManager* rulers = m_view->GetRulerManager();
  int thickness = rulers ? rulers->GetThickness() : 0;
  size.cx = client.right - thickness;
  size.cy = client.bottom - thickness;
  return size;
}

void CViewToolHost::ZoomTo(const CFRect& box) {
  m_view->ZoomToRect(box);
  Repaint();
}

void CViewToolHost::ScrollPixels(int dx, int dy) {
  CRulerManager* rulers = m_view->GetRulerManager();
  if (!rulers) return;
  rulers->Scroll(dx, dy);
  Repaint();
}

void CViewToolHost::Repaint() {
  if (!m_view->m_hWnd) return;
  if (CRulerManager* rulers = m_view->GetRulerManager()) rulers->InvalidateRulers(TRUE, TRUE);
  m_view->Invalidate(FALSE);
}

void CViewToolHost::Report(UINT command, const float* values) {
  SendToMainWindow(command, reinterpret_cast<LPARAM>(values));
}

void CViewToolHost::BeginShape(int blockType) {
  CSelectTracker& selection = m_view->GetSelectTracker();
  if (selection.GetCount() > 0) selection.Refresh(nullptr, TRUE);
  CString name;
  GetBlockTypeName(blockType, name);
  SendToMainWindow(CSelectTracker::kObjectTypeCommand, reinterpret_cast<LPARAM>(name.GetString()));
}

void CViewToolHost::SwitchTool(int tool, bool directly) {
  if (directly) {
    m_view->SetCurrentTool(tool);
    return;
  }
  if (m_view->m_hWnd) m_view->SendMessage(WM_COMMAND, static_cast<WPARAM>(tool), 0);
}

PolygonToolSettings CViewToolHost::PolygonSettings() {
  PolygonToolSettings result;
  result.outlineWidth = g_appProfile.GetFloat(settings::kSystemParam, settings::kPolygonWidth,
                                              settings::kPolygonWidthDefault);
  result.corners = g_appProfile.GetInt(settings::kSystemParam, settings::kPolygonAmount,
                                       settings::kPolygonAmountDefault);
  result.sharp = g_appProfile.GetInt(settings::kSystemParam, settings::kSharpPolygon,
                                     settings::kSharpPolygonDefault) != 0;
  return result;
}

CBlock* CViewToolHost::NodeEditableBlockAt(const FPOINT& point) {
  CSegArray* blocks = m_view->GetBlockArray();
  if (!blocks) return nullptr;
  for (INT_PTR i = 0; i < blocks->GetSize(); ++i) {
    CBlock* block = blocks->GetBlock(i);
    if (block && block->CanNodeEdit() && block->HitTest(m_view, point.x, point.y)) return block;
  }
  return nullptr;
}

BOOL CViewToolHost::StartNodeEditAt(const FPOINT& point) {
  if (m_view->GetEditBlock()) return FALSE;
  CBlock* block = NodeEditableBlockAt(point);
  if (!block || !block->BeginEdit(kNodeTool, m_view)) return FALSE;
  if (m_view->GetUndoDepth() != 0)
    m_view->GetUndoManager()->AppendRecord(new CUndoBeginEditRecord(block));
  m_view->SetEditBlock(block);
  m_view->Invalidate(FALSE);
  ShowNodeButtons();
  return TRUE;
}

void CViewToolHost::ShowNodeButtons() {
  // The main frame sets its tool box from the view's tool and block under edit.
  if (CWnd* main = AfxGetMainWnd()) main->PostMessage(WM_COMMAND, ID_VIEW_ACTIVATED, 0);
}

BOOL CViewToolHost::DoubleClickInSelection(UINT flags, const FPOINT& point) {
  if (AfxIsKeyDown(VK_MENU)) {
    m_view->SendMessage(WM_COMMAND, ID_VIEW_PROPERTY_WINDOW, 0);
    return TRUE;
  }
  if (flags & MK_CONTROL) {
    m_view->SendMessage(WM_COMMAND, ID_PAGE_SETUP, 0);
    return TRUE;
  }
  CBlock* block = NodeEditableBlockAt(point);
  CTALVEX42Doc* document = m_view->GetDocument();
  if (!block || !document) return FALSE;
  CUndoScope step(*m_view->GetUndoManager(), 1);
  m_view->GetSelectTracker().Refresh(nullptr, TRUE);
  m_view->SetCurrentTool(kNodeTool);
  if (block->m_type == kImageBlock) {
    // Tracing over an image: an empty curve on top of everything becomes the block under edit.
    auto* tracing = new CCurveBlock;
    m_view->GetUndoManager()->AppendRecord(new CUndoInsertRecord(tracing));
    document->InsertBlockAt(tracing, 0);
    block = tracing;
  }
  if (!block->BeginEdit(kNodeTool, m_view)) return FALSE;
  m_view->GetUndoManager()->AppendRecord(new CUndoBeginEditRecord(block));
  m_view->SetEditBlock(block);
  document->SetModifiedFlag(TRUE);
  m_view->Invalidate(FALSE);
  ShowNodeButtons();
  block->OnLButtonDblClk(m_view, flags, point.x, point.y);
  return TRUE;
}
