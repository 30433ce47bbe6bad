#include "editor/dialogs/ExpandDlg.h"

#include <commctrl.h>

#include <cstdlib>
#include <memory>

#include "editor/TALVEX42View.h"
#include "editor/dialogs/ExpansionJob.h"
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
  ON_WM_TIMER()
  ON_WM_DESTROY()
  ON_MESSAGE(CExpandDlg::kExpansionDone, OnExpansionDone)
END_MESSAGE_MAP()
// clang-format on

namespace {

const int kModeKeepAsIs = 0;
const int kModeKeepCorners = 1;
const int kModeRoundCorners = 2;
const DWORD kOwnColour = static_cast<DWORD>(-1);
const UINT_PTR kProgressTimer = 1;
const UINT kProgressInterval = 100;  // milliseconds
// What waits while an expansion runs.
const int kSettingControls[] = {CExpandDlg::kThickness,
                                CExpandDlg::kThicknessSpin,
                                CExpandDlg::kThreshold,
                                CExpandDlg::kThresholdSpin,
                                CExpandDlg::kInsertion,
                                CExpandDlg::kInsertionSpin,
                                CExpandDlg::kAccuracy,
                                CExpandDlg::kAccuracySpin,
                                CExpandDlg::kOutline,
                                CExpandDlg::kKeepAsIs,
                                CExpandDlg::kKeepCorners,
                                CExpandDlg::kRoundCorners,
                                IDOK};

}  // namespace

CExpandDlg::CExpandDlg(CTALVEX42View* view, const CAppProfile& profile)
    : CViewDialog(kTemplateId, view, profile) {}

CExpandDlg::~CExpandDlg() { AbandonJob(); }

BOOL CExpandDlg::OnInitDialog() {
  CViewDialog::OnInitDialog();
  m_okButton.TakeOver(IDOK, this);
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

CBlock* CExpandDlg::ReadResult(HGLOBAL expanded) {
  if (!expanded) return nullptr;
  CBlock* result = nullptr;
  {
    CGlobalLock lock(expanded);
    if (lock.Data()) result = LoadGroupBlock(lock.Data(), lock.Size());
  }
  ::GlobalFree(expanded);
  return result;
}

ExpandParams CExpandDlg::ReadParams() const {
  ExpandParams params;
  params.thickness = ReadFloat(kThickness, kFloatLength);
  params.threshold = ReadFloat(kThreshold, kFloatLength);
  params.angleLimit = ReadFloat(kInsertion, kFloatLength);
  params.accuracy = CShapeLayouts::AccuracyNumber(ReadInt(kAccuracy));
  params.mode = IsChecked(kKeepAsIs)      ? kModeKeepAsIs
                : IsChecked(kKeepCorners) ? kModeKeepCorners
                                          : kModeRoundCorners;
  return params;
}

void CExpandDlg::OnOK() {
  if (IsExpanding()) return;
  WriteSettings();
  CExpandDll library;
  if (!library.Bind()) {
    CString text = CString(CTransformDll::kLibraryName) + ResourceLine(IDS_LIBRARY_CALL_FAILED, 0);
    AfxShowMessageBox(m_hWnd, text, AfxGetAppName(), MB_OK);
    return;
  }
  const ExpandParams params = ReadParams();
  const bool outline = IsChecked(kOutline);
  std::unique_ptr<CGroupBlock> curves(CollectSelectedCurves());
  HGLOBAL record = nullptr;
  if (curves && View() && (curves->WriteRecord(&record) <= 0 || !record)) {
    if (record) ::GlobalFree(record);
    record = nullptr;
  }
  curves.reset();
  if (!record) {
    EndDialog(IDOK);
    return;
  }
  m_job = CExpansionJob::Start(record, params, outline, m_hWnd, kExpansionDone);
  if (m_job)
    ShowRunning(true);
  else
    Finish(nullptr, ExpandWatch::kFailed);  // no worker to be had
}

void CExpandDlg::ShowRunning(bool running) {
  for (int id : kSettingControls) EnableControl(id, !running);
  SendDlgItemMessage(kProgress, PBM_SETRANGE32, 0, 1000);
  SendDlgItemMessage(kProgress, PBM_SETPOS, 0, 0);
  if (running)
    SetTimer(kProgressTimer, kProgressInterval, nullptr);
  else
    KillTimer(kProgressTimer);
}

void CExpandDlg::OnTimer(UINT_PTR id) {
  if (id == kProgressTimer && m_job)
    SendDlgItemMessage(kProgress, PBM_SETPOS, static_cast<WPARAM>(m_job->Permille()), 0);
}

LRESULT CExpandDlg::OnExpansionDone(WPARAM, LPARAM lParam) {
  std::unique_ptr<CExpansionJob> job(reinterpret_cast<CExpansionJob*>(lParam));
  // The answer of a job given up on after it had answered: only freed.
  if (!job || job.get() != m_job) return 0;
  m_job = nullptr;
  ShowRunning(false);
  Finish(job->TakeResult(), job->Status());
  return 0;
}

void CExpandDlg::Finish(HGLOBAL expanded, LONG status) {
  CBlock* result = ReadResult(expanded);
  if (result && View()) {
    CDocumentChange change(*View()->GetUndoManager(), Document());
    AddToDocument(result);
  } else {
    delete result;
    if (status == ExpandWatch::kFailed) ShowMessage(IDS_EXPAND_FAILED, 0, MB_ICONWARNING);
  }
  EndDialog(IDOK);
}

void CExpandDlg::AbandonJob() {
  if (!m_job) return;
  m_job->Abandon();
  m_job = nullptr;
}

void CExpandDlg::OnCancel() {
  if (IsExpanding()) {
    // Stop waiting: nothing is added, and the settings can be changed and tried again.
    AbandonJob();
    ShowRunning(false);
    return;
  }
  CDialog::OnCancel();
}

void CExpandDlg::OnDestroy() {
  AbandonJob();
  CDialog::OnDestroy();
}
