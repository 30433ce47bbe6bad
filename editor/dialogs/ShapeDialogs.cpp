#include "editor/dialogs/ShapeDialogs.h"

#include "editor/dialogs/CircleParamDlg.h"
#include "editor/dialogs/LineTypeDlg.h"
#include "editor/dialogs/RectParamDlg.h"
#include "model/blocks/CurveBlock.h"

CBlock* CShapeDialogs::Run(CWnd* parent, UINT dialog, const FPOINT& start) {
  switch (dialog) {
    case CLineTypeDlg::kTemplateId: {
      CLineTypeDlg typed(parent);
      return typed.DoModal() == IDOK ? typed.TakeResult() : nullptr;
    }
    case CRectParamDlg::kTemplateId: {
      CRectParamDlg rectangles(start, parent);
      return rectangles.DoModal() == IDOK ? rectangles.TakeResult() : nullptr;
    }
    case CCircleParamDlg::kTemplateId: {
      CCircleParamDlg circles(start, parent);
      return circles.DoModal() == IDOK ? circles.TakeResult() : nullptr;
    }
    default:
      return nullptr;
  }
}
