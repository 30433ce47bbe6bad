#include "editor/dialogs/ExpandDlg.h"

#include <commctrl.h>

#include <cstdlib>
#include <memory>

#include "editor/TALVEX42View.h"
#include "editor/dialogs/ShapeLayouts.h"
#include "editor/views/DocumentChange.h"
#include "framework/GlobalLock.h"
#include "framework/MessageBox.h"
#include "framework/WinApp.h"
#include "media/ExpandDll.h"
#include "media/TransformDll.h"
#include "model/blocks/GroupBlock.h"
#include "model/document/TALVEX42Doc.h"
#include "model/settings/AppProfile.h"
#include "model/settings/SettingNames.h"
#include "resources/Resource.h"

IMPLEMENT_DYNAMIC(CExpandDlg, CDialog)

// clang-format off
BEGIN_MESSAGE_MAP(CExpandDlg, CDialog)
  ON_NOTIFY(UDN_DELTAPOS, CExpandDlg::kThicknessSpin, OnSpin)
  ON_NOTIFY(UDN_DELTAPOS, CExpandDlg::kThresholdSpin, OnSpin)
  ON_NOTIFY(UDN_DELTAPOS, CExpandDlg::kInsertionSpin, OnSpin)
  ON_NOTIFY(UDN_DELTAPOS, CExpandDlg::kAccuracySpin, OnSpin)
END_MESSAGE_MAP()
// clang-format on

namespace {

const int kModeKeepAsIs = 0;
const int kModeKeepCorners = 1;
const int kModeRoundCorners = 2;
const DWORD kOwnColour = static_cast<DWORD>(-1);

}  // namespace

CExpandDlg::CExpandDlg(CTALVEX42View* view, const CAppProfile& profile)
    : CViewDialog(kTemplateId, view, profile) {}

BOOL CExpandDlg::OnInitDialog() {
  CViewDialog::OnInitDialog();
  using namespace settings;
  ShowNumber(kThickness, "%.1f",
             Profile().GetFloat(kSystemParam, kExpandThick, kExpandThickDefault));
  ShowNumber(kThreshold, "%.1f",
             Profile().GetFloat(kSystemParam, kExpandThreshold, kExpandThresholdDefault));
  ShowNumber(kInsertion, "%.1f",
             Profile().GetFloat(kSystemParam, kExpandAngleLimited, kExpandAngleLimitedDefault));
  ShowInt(kAccuracy, Profile().GetInt(kSystemParam, kExpandAccurate, kExpandAccurateDefault));
  SetChecked(kOutline, Profile().GetInt(kSystemParam, kExpandOutline, kExpandOutlineDefault) != 0);
  const int mode = Profile().GetInt(kSystemParam, kExpandMode, kExpandModeDefault);
  SetChecked(mode == kModeKeepAsIs      ? kKeepAsIs
             : mode == kModeKeepCorners ? kKeepCorners
                                        : kRoundCorners,
             true);
  return TRUE;
}

void CExpandDlg::OnSpin(NMHDR* header, LRESULT* result) {
  const auto* change = reinterpret_cast<const NMUPDOWN*>(header);
  const int delta = change->iDelta;
  switch (header->idFrom) {
    case kThicknessSpin:
      ShowNumber(kThickness, "%.1f", CShapeLayouts::StepThickness(ReadFloat(kThickness), delta));
      break;
    case kThresholdSpin:
      ShowNumber(kThreshold, "%.2f",
                 CShapeLayouts::StepAngleThreshold(ReadFloat(kThreshold), delta));
      break;
    case kInsertionSpin:
      ShowNumber(kInsertion, "%.2f",
                 CShapeLayouts::StepAngleThreshold(ReadFloat(kInsertion), delta));
      break;
    case kAccuracySpin:
      ShowInt(kAccuracy, CShapeLayouts::StepAccuracy(ReadInt(kAccuracy), delta));
      break;
  }
  *result = 1;
}

void CExpandDlg::WriteSettings() const {
  using namespace settings;
  Profile().WriteString(kSystemParam, kExpandThick, ReadText(kThickness, kFloatLength));
  Profile().WriteString(kSystemParam, kExpandThreshold, ReadText(kThreshold, kFloatLength));
  Profile().WriteString(kSystemParam, kExpandAngleLimited, ReadText(kInsertion, kFloatLength));
  Profile().WriteInt(kSystemParam, kExpandAccurate, ReadInt(kAccuracy));
  Profile().WriteInt(kSystemParam, kExpandOutline, IsChecked(kOutline) ? 1 : 0);
  const int mode = IsChecked(kKeepAsIs)      ? kModeKeepAsIs
                   : IsChecked(kKeepCorners) ? kModeKeepCorners
                                             : kModeRoundCorners;
  Profile().WriteInt(kSystemParam, kExpandMode, mode);
}

CGroupBlock* CExpandDlg::CollectSelectedCurves() const {
  CTALVEX42Doc* document = Document();
  if (!document) return nullptr;
  std::unique_ptr<CGroupBlock> group(new CGroupBlock);
  CSegArray& blocks = document->GetBlockList();
  for (INT_PTR i = 0; i < blocks.GetSize(); ++i) {
    CBlock* block = blocks.GetBlock(i);
    if (!block || block->m_selected != 1) continue;
    CBlock* curve = block->ToCurve(kOwnColour);
    if (!curve) continue;
    if (curve->m_type == kGroupBlock) {
      std::unique_ptr<CGroupBlock> converted(static_cast<CGroupBlock*>(curve));
      for (INT_PTR c = 0; c < converted->GetChildCount(); ++c)
        group->AddChild(converted->GetChild(c));
      converted->GetChildren().RemoveAll();
    } else {
      group->AddChild(curve);
    }
  }
  group->FlattenNested();
  return group->GetChildCount() > 0 ? group.release() : nullptr;
}

CBlock* CExpandDlg::ExpandGroup(CGroupBlock& group, const CExpandDll& library,
                                const ExpandParams& params, bool outline) {
  HGLOBAL record = nullptr;
  if (group.WriteRecord(&record) <= 0 || !record) {
    if (record) ::GlobalFree(record);
    return nullptr;
  }
  HGLOBAL expanded = outline ? library.ExpandOutLine(record, params)
                             : library.Expand(record, params);
  ::GlobalFree(record);
  if (!expanded) return nullptr;
  CBlock* result = nullptr;
  {
    CGlobalLock lock(expanded);
    if (lock.Data()) result = LoadGroupBlock(lock.Data(), lock.Size());
  }
  ::GlobalFree(expanded);
  return result;
}

void CExpandDlg::OnOK() {
  WriteSettings();
  CExpandDll library;
  if (!library.Bind()) {
    CString text = CString(CTransformDll::kLibraryName) + ResourceLine(IDS_LIBRARY_CALL_FAILED, 0);
    AfxShowMessageBox(m_hWnd, text, AfxGetAppName(), MB_OK);
    return;
  }
  ExpandParams params;
  params.thickness = ReadFloat(kThickness, kFloatLength);
  params.threshold = ReadFloat(kThreshold, kFloatLength);
  params.angleLimit = ReadFloat(kInsertion, kFloatLength);
  params.accuracy = CShapeLayouts::AccuracyNumber(ReadInt(kAccuracy));
  params.mode = IsChecked(kKeepAsIs)      ? kModeKeepAsIs
                : IsChecked(kKeepCorners) ? kModeKeepCorners
                                          : kModeRoundCorners;
  std::unique_ptr<CGroupBlock> curves(CollectSelectedCurves());
  if (curves && View()) {
    CBlock* expanded = ExpandGroup(*curves, library, params, IsChecked(kOutline));
    curves.reset();
    if (expanded) {
      CDocumentChange change(*View()->GetUndoManager(), Document());
      AddToDocument(expanded);
    }
  }
  EndDialog(IDOK);
}
