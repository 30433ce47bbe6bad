#include "editor/commands/CutPatternCommands.h"

#include <memory>

#include "editor/TALVEX42View.h"
#include "editor/views/DocumentChange.h"
#include "framework/MessageBox.h"
#include "framework/String.h"
#include "framework/WaitCursor.h"
#include "media/WeldRecord.h"
#include "model/blocks/CurveBlock.h"
#include "model/blocks/GroupBlock.h"
#include "model/document/TALVEX42Doc.h"
#include "model/geometry/Geometry.h"
#include "model/settings/AppProfile.h"
#include "model/settings/SettingNames.h"
#include "model/undo/UndoInsertRecord.h"
#include "model/undo/UndoManager.h"
#include "resources/Resource.h"

namespace {

const DWORD kOwnColour = static_cast<DWORD>(-1);
// Lists are read with this many characters on the tool side.
const int kToolListLength = 20;
const int kListWidths = 1;
const int kListGaps = 2;

// The blocks in a record block the library handed back; the memory is freed here.
void TakePieces(HGLOBAL result, CGroupBlock* into) {
  CBlock* block = CWeldRecord::TakeBlock(result);
  if (!block) return;
  if (block->m_type != kGroupBlock) {
    into->AddChild(block);
    return;
  }
  std::unique_ptr<CGroupBlock> group(static_cast<CGroupBlock*>(block));
  group->FlattenNested();
  for (INT_PTR i = 0; i < group->GetChildCount(); ++i) into->AddChild(group->GetChild(i));
  group->GetChildren().RemoveAll();
}

// The pattern's points with its matrix applied and without special records.
std::unique_ptr<CCurveBlock> PatternCopy(const CCurveBlock& pattern) {
  std::unique_ptr<CCurveBlock> copy(new CCurveBlock);
  const bool moved = !pattern.m_matrix.IsIdentity();
  for (POINTREC point : pattern.GetPoints()) {
    if (IsSpecialPoint(point.flags)) continue;
    if (moved) {
      FPOINT at = {point.x, point.y};
      pattern.m_matrix.TransformPoint(&at);
      point.x = at.x;
      point.y = at.y;
    }
    copy->AddPoint(point);
  }
  return copy;
}

CFRect SelectionBox(CTALVEX42View* view) {
  CFRect box;
  view->GetSelectTracker().Recount(&box);
  return box;
}

CString ToolList(const CAppProfile& profile, LPCSTR section, LPCSTR key) {
  char text[kToolListLength + 1] = {};
  profile.GetString(section, key, text, sizeof text, "");
  return text;
}

WORD PassFlag(int pass) { return pass ? CCutPatterns::kSecondPass : 0; }

}  // namespace

CCutPatternCommands::Centre CCutPatternCommands::CentreFor(int index, const CFRect& box) {
  const float midX = (box.left + box.right) / 2, midY = (box.top + box.bottom) / 2;
  // clang-format off
  const Centre table[kCentreCount] = {
      {box.left, box.top, 270, 360},  {midX, box.top, 180, 360},  {box.right, box.top, 180, 270},
      {box.left, midY, 270, 450},     {midX, midY, 0, 360},       {box.right, midY, 90, 270},
      {box.left, box.bottom, 0, 90},  {midX, box.bottom, 0, 180}, {box.right, box.bottom, 90, 180},
      {midX, midY, -1, -1},
  };
  // clang-format on
  return index >= 0 && index < kCentreCount ? table[index] : table[4];
}

CCurveBlock* CCutPatternCommands::MakeCutPattern(CTALVEX42View* view, const CAppProfile& profile,
                                                 UINT command, float x, float y, int pass,
                                                 CCutPatterns::Problem* problem) {
  if (!view || view->GetSelectTracker().Recount() == 0) return nullptr;
  const CFRect box = SelectionBox(view);
  switch (command) {
    case kParallel:
      return MakeParallelCutPattern(box, profile, x, y, pass, problem);
    case kRadial:
      return MakeRadialCutPattern(box, profile, x, y, pass, problem);
    case kRing:
      return MakeRingCutPattern(box, profile, x, y, pass, problem);
    default:
      return nullptr;
  }
}

CCurveBlock* CCutPatternCommands::MakeParallelCutPattern(const CFRect& box,
                                                         const CAppProfile& profile, float x,
                                                         float y, int pass,
                                                         CCutPatterns::Problem* problem) {
  using namespace settings;
  const float angle = profile.GetFloat(kParallelCut, kCutAngle, 0.0f);
  const int choice = profile.GetInt(kParallelCut, kBisectrixType, kBisectrixTypeDefault);
  const WORD flags = static_cast<WORD>((choice & 0xFF) | PassFlag(pass));
  if (choice != kListWidths && choice != kListGaps) {
    const int count = profile.GetInt(kParallelCut, kCutLines, kCutLinesGeneratorDefault);
    return CCutPatterns::MakeHatchLines(box.left, box.top, box.right, box.bottom, angle, count, x,
                                        y, flags, problem);
  }
  const CString list = ToolList(profile, kParallelCut,
                                choice == kListWidths ? kCutLineWidth : kCutGaps);
  return CCutPatterns::MakeHatchLinesFromList(box.left, box.top, box.right, box.bottom, angle, x, y,
                                              list, flags, problem);
}

CCurveBlock* CCutPatternCommands::MakeRadialCutPattern(const CFRect& box,
                                                       const CAppProfile& profile, float x, float y,
                                                       int pass, CCutPatterns::Problem* problem) {
  using namespace settings;
  float start = 0, end = 0;
  BoxAngleRange(box.left, box.top, box.right, box.bottom, x, y, &start, &end);
  WORD flags = PassFlag(pass);
  if (profile.GetInt(kRadiationCut, kThrowBack, kThrowBackDefault))
    flags |= CCutPatterns::kCounterClockwise;
  if (profile.GetInt(kRadiationCut, kBisectrixCut, kBisectrixCutDefault))
    return CCutPatterns::MakeRadialSectors(
        box.left, box.top, box.right, box.bottom, x, y, start, end,
        profile.GetInt(kRadiationCut, kCutParts, kCutPartsDefault), flags, problem);
  return CCutPatterns::MakeRadialSectorsFromList(box.left, box.top, box.right, box.bottom, x, y,
                                                 start, end,
                                                 ToolList(profile, kRadiationCut, kCutAngle), flags,
                                                 problem);
}

CCurveBlock* CCutPatternCommands::MakeRingCutPattern(const CFRect& box, const CAppProfile& profile,
                                                     float x, float y, int pass,
                                                     CCutPatterns::Problem* problem) {
  using namespace settings;
  WORD flags = PassFlag(pass);
  if (profile.GetInt(kCircleCut, kThrowBack, kThrowBackDefault))
    flags |= CCutPatterns::kCounterClockwise;
  if (profile.GetInt(kCircleCut, kBisectrixCut, kBisectrixCutDefault))
    return CCutPatterns::MakeRings(box.left, box.top, box.right, box.bottom, x, y,
                                   profile.GetInt(kCircleCut, kCutParts, kCutPartsDefault), flags,
                                   problem);
  return CCutPatterns::MakeRingsFromList(box.left, box.top, box.right, box.bottom, x, y,
                                         ToolList(profile, kCircleCut, kCutDistance), flags,
                                         problem);
}

std::vector<CBlock*> CCutPatternCommands::SelectedBlocks(CTALVEX42View* view) {
  std::vector<CBlock*> selected;
  CTALVEX42Doc* document = view ? view->GetDocument() : nullptr;
  if (!document) return selected;
  CSegArray& blocks = document->GetBlockList();
  for (INT_PTR i = 0; i < blocks.GetSize(); ++i) {
    CBlock* block = blocks.GetBlock(i);
    if (block && block->m_selected == 1) selected.push_back(block);
  }
  return selected;
}

CBlock* CCutPatternCommands::CutBlocksByPattern(const std::vector<CBlock*>& blocks,
                                                const CCurveBlock& pattern,
                                                const CWeldDll& library) {
  std::unique_ptr<CCurveBlock> window = PatternCopy(pattern);
  if (window->GetCount() <= 1) return nullptr;
  window->CloseLastSubpath();
  window->EndCurve();
  CWeldRecord windowRecord(*window);
  if (!windowRecord.IsValid()) return nullptr;
  const WeldOperand windowOperand = windowRecord.Operand(window->m_box);
  std::unique_ptr<CGroupBlock> pieces(new CGroupBlock);
  for (CBlock* block : blocks) {
    if (!block || block->m_type == kImageBlock) continue;
    std::unique_ptr<CBlock> curve(block->ToCurve(kOwnColour));
    if (!curve) continue;
    if (curve->m_type == kGroupBlock) static_cast<CGroupBlock*>(curve.get())->FlattenNested();
    CWeldRecord shape(*curve);
    if (!shape.IsValid()) continue;
    TakePieces(library.FigureCut(shape.Operand(curve->m_box), windowOperand, 0), pieces.get());
  }
  if (pieces->GetChildCount() == 0) return nullptr;
  if (pieces->GetChildCount() > 1) return pieces.release();
  CBlock* only = pieces->GetChild(0);
  pieces->GetChildren().RemoveAll();
  return only;
}

bool CCutPatternCommands::ApplyPasses(CTALVEX42View* view, CCurveBlock* first, CCurveBlock* second,
                                      bool noCut) {
  std::unique_ptr<CCurveBlock> patterns[2] = {std::unique_ptr<CCurveBlock>(first),
                                              std::unique_ptr<CCurveBlock>(second)};
  CTALVEX42Doc* document = view ? view->GetDocument() : nullptr;
  if (!document) return false;
  CWeldDll library;
  if (!noCut && !library.Bind()) return false;
  const std::vector<CBlock*> selection = SelectedBlocks(view);
  CWaitCursor wait;
  CDocumentChange change(*view->GetUndoManager(), document);
  auto add = [view, document](CBlock* block) {
    if (!block) return;
    document->AddBlock(block);
    if (view->GetUndoDepth() != 0)
      view->GetUndoManager()->AppendRecord(new CUndoInsertRecord(block));
  };
  if (!noCut) view->GetSelectTracker().Refresh(nullptr, TRUE);
  for (std::unique_ptr<CCurveBlock>& pattern : patterns) {
    if (!pattern) continue;
    if (noCut)
      add(pattern.release());
    else
      add(CutBlocksByPattern(selection, *pattern, library));
  }
  if (!noCut) view->GetSelectTracker().Refresh(nullptr, FALSE);
  view->Invalidate(FALSE);
  return true;
}

void CCutPatternCommands::ReportProblem(HWND owner, CCutPatterns::Problem problem) {
  if (problem == CCutPatterns::kNoProblem) return;
  CString text;
  text.LoadString(problem == CCutPatterns::kTooManyPieces ? IDS_PATTERN_TOO_MANY_PIECES
                                                          : IDS_PATTERN_BAD_VALUE);
  AfxShowMessageBox(owner, text, nullptr, MB_OK | MB_ICONEXCLAMATION);
}
