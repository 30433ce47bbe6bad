#include "editor/dialogs/TransformDlg.h"

#include "editor/TALVEX42View.h"
#include "editor/views/DocumentChange.h"
#include "framework/Edit.h"
#include "model/document/TALVEX42Doc.h"
#include "model/geometry/MatrixFactories.h"

IMPLEMENT_DYNAMIC(CTransformDlg, CDialog)

CTransformDlg::CTransformDlg(Kind kind, CTALVEX42View* view, const CAppProfile& profile)
    : CViewDialog(TemplateOf(kind), view, profile), m_kind(kind) {}

UINT CTransformDlg::TemplateOf(Kind kind) {
  switch (kind) {
    case kSkew:
      return kSkewTemplate;
    case kMirror:
      return kMirrorTemplate;
    default:
      return kRotateTemplate;
  }
}

bool CTransformDlg::MatrixFor(Kind kind, const CFRect& box, float first, float second,
                              CMatrix2D* out) {
  switch (kind) {
    case kRotate:
      if (first == 0) return false;
      *out = MakeRotationMatrixAboutBox(box.left, box.top, box.right, box.bottom, first);
      return true;
    case kSkew:
      if (first == 0 && second == 0) return false;
      *out = MakeSkewMatrix(box.left, box.top, box.right, box.bottom, first, second);
      return true;
    case kMirror:
      if (first == 0 && second == 0) return false;
      *out = MakeMirrorMatrix(box.left, box.top, box.right, box.bottom, first != 0, second != 0);
      return true;
  }
  return false;
}

BOOL CTransformDlg::OnInitDialog() {
  CViewDialog::OnInitDialog();
  if (m_kind == kMirror) return TRUE;
  const int first = m_kind == kRotate ? kAngle : kSkewX;
  SetDlgItemText(first, "0.0");
  if (m_kind == kSkew) SetDlgItemText(kSkewY, "0.0");
  if (CWnd* edit = GetDlgItem(first)) {
    edit->SendMessage(EM_SETSEL, 0, -1);
    GotoDlgCtrl(edit);
  }
  return FALSE;
}

void CTransformDlg::OnOK() {
  float first = 0, second = 0;
  switch (m_kind) {
    case kRotate:
      first = ReadFloat(kAngle);
      break;
    case kSkew:
      first = ReadFloat(kSkewX);
      second = ReadFloat(kSkewY);
      break;
    case kMirror:
      first = IsChecked(kMirrorX) ? 1.0f : 0.0f;
      second = IsChecked(kMirrorY) ? 1.0f : 0.0f;
      break;
  }
  if (CSelectTracker* tracker = Tracker()) {
    tracker->Hide(nullptr);
    CFRect box;
    CMatrix2D matrix;
    if (tracker->Recount(&box) != 0 && MatrixFor(m_kind, box, first, second, &matrix)) {
      CDocumentChange change(*View()->GetUndoManager(), Document());
      tracker->TransformSelection(matrix);
    }
    tracker->Recount();
    tracker->Show(nullptr);
  }
  EndDialog(IDOK);
}
