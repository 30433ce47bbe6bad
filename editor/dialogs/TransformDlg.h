// CTransformDlg: the rotate (169), skew (170) and mirror (171) dialogs. Each reads its
// parameters and, unless they leave the selection as it is, transforms the selection of the view
// about its box in one undo step.
#pragma once

#include "editor/dialogs/ViewDialog.h"
#include "model/geometry/FRect.h"
#include "model/geometry/Matrix2D.h"

class CTransformDlg : public CViewDialog {
  DECLARE_DYNAMIC(CTransformDlg)
public:
  enum Kind { kRotate, kSkew, kMirror };
  enum : UINT { kRotateTemplate = 169, kSkewTemplate = 170, kMirrorTemplate = 171 };
  enum : int { kAngle = 1177, kSkewX = 1178, kSkewY = 1179, kMirrorX = 1180, kMirrorY = 1181 };

  CTransformDlg(Kind kind, CTALVEX42View* view, const CAppProfile& profile);

  // The matrix of the parameters about the box; false when they change nothing (angles of 0,
  // no mirror chosen).
  static bool MatrixFor(Kind kind, const CFRect& box, float first, float second, CMatrix2D* out);

  BOOL OnInitDialog() override;
  void OnOK() override;

private:
  static UINT TemplateOf(Kind kind);

  Kind m_kind;
};
