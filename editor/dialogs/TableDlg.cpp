#include "editor/dialogs/TableDlg.h"

#include <cstdlib>

#include "editor/TALVEX42View.h"
#include "editor/dialogs/ShapeLayouts.h"
#include "editor/views/DocumentChange.h"
#include "model/blocks/CurveBlock.h"
#include "model/document/TALVEX42Doc.h"
#include "model/settings/AppProfile.h"
#include "model/settings/SettingNames.h"
#include "resources/Resource.h"

IMPLEMENT_DYNAMIC(CTableDlg, CDialog)

namespace {

const char kWidthDefault[] = "2";
const char kListDefault[] = "200";

}  // namespace

CTableDlg::CTableDlg(CTALVEX42View* view, const CAppProfile& profile, float x, float y)
    : CViewDialog(kTemplateId, view, profile), m_x(x), m_y(y) {}

BOOL CTableDlg::OnInitDialog() {
  CViewDialog::OnInitDialog();
  using namespace settings;
  SetDlgItemText(kOuter, Profile().GetString(kTable, kTableOuterWidth, kWidthDefault));
  SetDlgItemText(kInner, Profile().GetString(kTable, kTableInnerWidth, kWidthDefault));
  SetDlgItemText(kWidths, Profile().GetString(kTable, kTableWidths, kListDefault));
  SetDlgItemText(kHeights, Profile().GetString(kTable, kTableHeights, kListDefault));
  return TRUE;
}

void CTableDlg::OnOK() {
  using namespace settings;
  const CString outer = ReadText(kOuter), inner = ReadText(kInner);
  const CString widths = ReadText(kWidths, kListLength), heights = ReadText(kHeights, kListLength);
  const CShapeLayouts::Table table = {static_cast<float>(atof(outer)),
                                      static_cast<float>(atof(inner)), widths, heights};
  if (!(table.outer > 0) || !(table.inner > 0)) return;
  const CShapeLayouts::TableLayout layout = CShapeLayouts::LayOutTable(m_x, m_y, table);
  if (layout.cells.empty()) {
    ShowMessage(IDS_TABLE_EMPTY);
    return;
  }
  Profile().WriteString(kTable, kTableOuterWidth, outer);
  Profile().WriteString(kTable, kTableInnerWidth, inner);
  Profile().WriteString(kTable, kTableWidths, widths);
  Profile().WriteString(kTable, kTableHeights, heights);
  if (View()) {
    CDocumentChange change(*View()->GetUndoManager(), Document());
    AddToDocument(CShapeLayouts::MakeTableCurve(layout));
  }
  EndDialog(IDOK);
}
