#include "editor/dialogs/MultiCopyDlg.h"

#include <cmath>
#include <cstdlib>

#include "editor/TALVEX42View.h"
#include "editor/dialogs/TransformLayouts.h"
#include "editor/views/DocumentChange.h"
#include "model/blocks/Block.h"
#include "model/document/TALVEX42Doc.h"
#include "resources/Resource.h"

IMPLEMENT_DYNAMIC(CMultiCopyDlg, CDialog)

// clang-format off
BEGIN_MESSAGE_MAP(CMultiCopyDlg, CDialog)
  ON_BN_CLICKED(CMultiCopyDlg::kFillPage, OnFillPage)
END_MESSAGE_MAP()
// clang-format on

CMultiCopyDlg::CMultiCopyDlg(CTALVEX42View* view, const CAppProfile& profile)
    : CViewDialog(kTemplateId, view, profile) {}

BOOL CMultiCopyDlg::OnInitDialog() {
  CViewDialog::OnInitDialog();
  if (CSelectTracker* tracker = Tracker()) {
    m_selected = tracker->Recount(&m_box) != 0;
    if (m_selected) {
      ShowNumber(kObjectWidth, "%-8.2f", m_box.Width());
      ShowNumber(kObjectHeight, "%-8.2f", m_box.Height());
    }
  }
  SetDlgItemText(kGapX, "2.0");
  SetDlgItemText(kGapY, "2.0");
  SetDlgItemText(kColumns, "2");
  SetDlgItemText(kRows, "1");
  return TRUE;
}

void CMultiCopyDlg::OnFillPage() {
  const bool fill = IsChecked(kFillPage);
  // Lines 0 and 1 of the labels are the gaps', 2 and 3 the margins'.
  SetDlgItemText(kGapXLabel, ResourceLine(IDS_COPY_LABELS, fill ? 2 : 0));
  SetDlgItemText(kGapYLabel, ResourceLine(IDS_COPY_LABELS, fill ? 3 : 1));
  if (fill) ComputeFillCounts();
}

void CMultiCopyDlg::ComputeFillCounts() {
  CTALVEX42Doc* document = Document();
  if (!document) return;
  const CPageSettings& page = document->GetPageSettings();
  const float mx = CTransformLayouts::FillMargin(ReadFloat(kGapX));
  const float my = CTransformLayouts::FillMargin(ReadFloat(kGapY));
  ShowNumber(kGapX, "%.2f", mx);
  ShowNumber(kGapY, "%.2f", my);
  ShowInt(kColumns, CTransformLayouts::FillCount(page.m_width, m_box.Width(), mx));
  ShowInt(kRows, CTransformLayouts::FillCount(page.m_height, m_box.Height(), my));
}

void CMultiCopyDlg::OnOK() {
  CSelectTracker* tracker = Tracker();
  if (!tracker || tracker->Recount(&m_box) == 0) {
    EndDialog(IDOK);
    return;
  }
  const long long columns = atoll(ReadText(kColumns)), rows = atoll(ReadText(kRows));
  if (!CTransformLayouts::CopyCountAllowed(columns, rows)) {
    ShowMessage(IDS_TOO_MANY_COPIES, IDS_ERROR_CAPTION, MB_OK | MB_ICONERROR);
    return;
  }
  const float w = m_box.Width(), h = m_box.Height();
  tracker->Hide(nullptr);
  {
    CDocumentChange change(*View()->GetUndoManager(), Document());
    std::vector<FPOINT> offsets;
    if (IsChecked(kFillPage)) {
      const float mx = CTransformLayouts::FillMargin(ReadFloat(kGapX));
      const float my = CTransformLayouts::FillMargin(ReadFloat(kGapY));
      tracker->OffsetSelection(mx - m_box.left, my - m_box.top);
      offsets = CTransformLayouts::GridOffsets(w + 2 * mx, h + 2 * my, static_cast<int>(columns),
                                               static_cast<int>(rows));
    } else {
      offsets = CTransformLayouts::CopyOffsets(w, h, static_cast<int>(columns),
                                               static_cast<int>(rows), ReadText(kGapX, kListLength),
                                               ReadText(kGapY, kListLength));
    }
    PlaceCopies(offsets);
  }
  tracker->Recount();
  tracker->Show(nullptr);
  EndDialog(IDOK);
}

void CMultiCopyDlg::PlaceCopies(const std::vector<FPOINT>& offsets) {
  CTALVEX42Doc* document = Document();
  if (!document) return;
  // The selection as it stands now: the copies join the list behind it and are not selected.
  std::vector<CBlock*> originals;
  CSegArray& blocks = document->GetBlockList();
  for (INT_PTR i = 0; i < blocks.GetSize(); ++i) {
    CBlock* block = blocks.GetBlock(i);
    if (block && block->m_selected == 1) originals.push_back(block);
  }
  for (const FPOINT& offset : offsets) {
    for (CBlock* original : originals) {
      CBlock* copy = original->Clone();
      if (!copy) continue;
      copy->m_selected = 0;
      copy->Offset(offset.x, offset.y);
      AddToDocument(copy);
    }
  }
}
