#include "editor/dialogs/RectParamDlg.h"

#include <cstdlib>
#include <vector>

#include "framework/String.h"
#include "model/blocks/CurveBlock.h"
#include "model/blocks/RectBlock.h"
#include "model/geometry/ShapeCurves.h"
#include "model/settings/TextParsing.h"

IMPLEMENT_DYNAMIC(CRectParamDlg, CDialog)

namespace {

const int kFieldSize = 45;
const char kDefaultSide[] = "100";

double FieldOf(const char* list, int index) {
  char field[kFieldSize] = {};
  if (!list || !GetField(list, index, field, kFieldSize, ',')) return 0.0;
  return std::atof(field);
}

}  // namespace

CRectParamDlg::CRectParamDlg(const FPOINT& centre, CWnd* parent)
    : CDialog(kTemplateId, parent), m_centre(centre) {}

CRectParamDlg::~CRectParamDlg() = default;

BOOL CRectParamDlg::OnInitDialog() {
  CDialog::OnInitDialog();
  SetDlgItemText(kWidths, kDefaultSide);
  SetDlgItemText(kHeights, kDefaultSide);
  return TRUE;
}

CBlock* CRectParamDlg::MakeShape(const FPOINT& centre, const char* widths, const char* heights) {
  if (!widths || !*widths) return nullptr;
  std::vector<CFRect> boxes;
  int count = CountFields(widths, ',');
  for (int i = 0; i < count; ++i) {
    double w = FieldOf(widths, i);
    if (!(w > 0.0)) continue;
    double h = FieldOf(heights, i);
    if (!(h > 0.0)) h = w;
    boxes.push_back(
        CFRect(static_cast<float>(centre.x - w / 2), static_cast<float>(centre.y - h / 2),
               static_cast<float>(centre.x + w / 2), static_cast<float>(centre.y + h / 2)));
  }
  if (boxes.empty()) return nullptr;
  if (count == 1) {
    auto* rect = new CRectBlock;
    rect->m_rect = rect->m_box = boxes[0];
    return rect;
  }
  CCurveBlock* result = nullptr;
  for (const CFRect& box : boxes) {
    std::unique_ptr<CCurveBlock> curve(MakeRectCurveFromFRect(box));
    if (!curve) continue;
    if (!result)
      result = curve.release();
    else
      result->AppendCurve(*curve);
  }
  return result;
}

void CRectParamDlg::OnOK() {
  CString widths, heights;
  GetDlgItemText(kWidths, widths);
  GetDlgItemText(kHeights, heights);
  m_result.reset(MakeShape(m_centre, widths, heights));
  CDialog::OnOK();
}
