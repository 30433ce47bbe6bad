#include "editor/dialogs/OuterRectDlg.h"

#include <vector>

#include "editor/TALVEX42View.h"
#include "editor/dialogs/ShapeLayouts.h"
#include "editor/views/DocumentChange.h"
#include "model/blocks/Block.h"
#include "model/blocks/CurveBlock.h"
#include "model/document/TALVEX42Doc.h"
#include "model/settings/AppProfile.h"
#include "model/settings/SettingNames.h"

IMPLEMENT_DYNAMIC(COuterRectDlg, CDialog)

namespace {

const int kSingleLine = 1;
const int kDoubleLine = 2;

}  // namespace

COuterRectDlg::COuterRectDlg(CTALVEX42View* view, const CAppProfile& profile)
    : CViewDialog(kTemplateId, view, profile) {}

BOOL COuterRectDlg::OnInitDialog() {
  CViewDialog::OnInitDialog();
  using namespace settings;
  const bool single = Profile().GetInt(kSystemParam, kLineStyle, kLineStyleDefault) == kSingleLine;
  SetChecked(kSingle, single);
  SetChecked(kDouble, !single);
  SetDlgItemText(kXWidth, Profile().GetString(kSystemParam, kLineXWidth, kLineSizeDefault));
  SetDlgItemText(kYWidth, Profile().GetString(kSystemParam, kLineYWidth, kLineSizeDefault));
  SetDlgItemText(kXSpace, Profile().GetString(kSystemParam, kLineXSpace, kLineSizeDefault));
  SetDlgItemText(kYSpace, Profile().GetString(kSystemParam, kLineYSpace, kLineSizeDefault));
  return TRUE;
}

void COuterRectDlg::OnOK() {
  using namespace settings;
  const bool doubleLine = IsChecked(kDouble);
  Profile().WriteInt(kSystemParam, kLineStyle, doubleLine ? kDoubleLine : kSingleLine);
  Profile().WriteString(kSystemParam, kLineXWidth, ReadText(kXWidth));
  Profile().WriteString(kSystemParam, kLineYWidth, ReadText(kYWidth));
  Profile().WriteString(kSystemParam, kLineXSpace, ReadText(kXSpace));
  Profile().WriteString(kSystemParam, kLineYSpace, ReadText(kYSpace));
  const CShapeLayouts::Frame frame = {ReadFloat(kXSpace), ReadFloat(kYSpace), ReadFloat(kXWidth),
                                      ReadFloat(kYWidth), doubleLine};
  if (CTALVEX42Doc* document = Document()) {
    // The blocks as OK found them: the new frames are not visited.
    std::vector<CBlock*> selected;
    CSegArray& blocks = document->GetBlockList();
    for (INT_PTR i = 0; i < blocks.GetSize(); ++i) {
      CBlock* block = blocks.GetBlock(i);
      if (block && block->m_selected == 1) selected.push_back(block);
    }
    CDocumentChange change(*View()->GetUndoManager(), document);
    for (CBlock* block : selected) {
      CFRect box = block->m_box;
      box.Normalize();
      AddToDocument(CShapeLayouts::MakeFrameCurve(box, frame));
    }
  }
  EndDialog(IDOK);
}
