#include "editor/dialogs/OutlineImageDlg.h"

#include <memory>

#include "editor/TALVEX42View.h"
#include "editor/views/DocumentChange.h"
#include "model/blocks/ImageBlock.h"
#include "model/document/TALVEX42Doc.h"
#include "model/geometry/Matrix2D.h"
#include "model/settings/AppProfile.h"
#include "model/settings/SettingNames.h"
#include "resources/Resource.h"

IMPLEMENT_DYNAMIC(COutlineImageDlg, CDialog)

COutlineImageDlg::COutlineImageDlg(CTALVEX42View* view, const CAppProfile& profile,
                                   bool useVectoriser)
    : CViewDialog(kTemplateId, view, profile), m_useVectoriser(useVectoriser) {}

void COutlineImageDlg::ShowText(UINT id) {
  CString text;
  text.LoadString(id);
  SetDlgItemText(kMessage, text);
}

void COutlineImageDlg::RefuseWithoutImage() {
  ShowText(IDS_TRACE_SELECT_IMAGE);
  EnableControl(IDOK, false);
  if (CWnd* exit = GetDlgItem(IDCANCEL)) GotoDlgCtrl(exit);
}

BOOL COutlineImageDlg::OnInitDialog() {
  CViewDialog::OnInitDialog();
  m_okButton.TakeOver(IDOK, this);
  using namespace settings;
  int delta = Profile().GetInt(kVector, kVectorDelta, kVectorDeltaDefault);
  for (int id = kNoError; id <= kVerySmooth; ++id) SetChecked(id, id - kNoError == delta);
  ShowInt(kBlackThreshold,
          Profile().GetInt(kVector, settings::kBlackThreshold, kBlackThresholdDefault));
  if (!SelectedImage()) {
    RefuseWithoutImage();
    return FALSE;
  }
  return TRUE;
}

void COutlineImageDlg::WriteSettings() const {
  using namespace settings;
  // With no preset checked (the user's own values) "Delta" stays as it is.
  for (int id = kNoError; id <= kVerySmooth; ++id)
    if (IsChecked(id)) Profile().WriteInt(kVector, kVectorDelta, id - kNoError);
  Profile().WriteInt(kVector, settings::kBlackThreshold, ReadInt(kBlackThreshold));
}

void COutlineImageDlg::ClearClientArea() {
  RECT client;
  GetClientRect(&client);
  HDC dc = ::GetDC(m_hWnd);
  ::FillRect(dc, &client, ::GetSysColorBrush(COLOR_BTNFACE));
  ::ReleaseDC(m_hWnd, dc);
}

void COutlineImageDlg::OnOK() {
  CWnd* convert = GetDlgItem(IDOK);
  if (convert && !convert->IsWindowEnabled()) return;
  WriteSettings();
  CImageBlock* image = SelectedImage();
  if (!image) {
    RefuseWithoutImage();
    return;
  }
  if (!m_tracer.IsBound(m_useVectoriser)) return;
  CImageTracer::Report report;
  SIZE pixels = {};
  std::unique_ptr<CBlock> traced(m_tracer.TraceImage(*image, m_useVectoriser, m_hWnd, &report,
                                                     &pixels, [this] { ClearClientArea(); }));
  // The dialog was cleared for the library; it shows itself again with what came of it.
  Invalidate();
  if (report.colours > 0) SetDlgItemText(kMessage, CImageTracer::ColourCountText(report));
  if (report.outcome == CImageTracer::kTooManyColours) {
    ShowText(IDS_TRACE_TOO_MANY_COLOURS);
    MessageBeep(MB_ICONEXCLAMATION);
    return;
  }
  if (!traced) {
    if (report.outcome == CImageTracer::kNothingTraced) ShowText(IDS_TRACE_NOTHING);
    return;
  }
  AddOverImage(traced.release(), *image, pixels);
  EndDialog(IDOK);
}

void COutlineImageDlg::AddOverImage(CBlock* traced, const CImageBlock& image, SIZE pixels) {
  const CFRect& box = image.m_box;
  CMatrix2D placement;
  placement.m[0] = (box.right - box.left) / static_cast<float>(pixels.cx);
  placement.m[4] = (box.bottom - box.top) / static_cast<float>(pixels.cy);
  placement.m[6] = box.left;
  placement.m[7] = box.top;
  traced->Transform(placement);
  traced->SetColour(nullptr, kOutlineColour, FALSE);
  CDocumentChange change(*View()->GetUndoManager(), Document());
  AddToDocument(traced);
  // The image (still selected) goes behind the outline, in the same step.
  View()->SendMessage(WM_COMMAND, ID_EDIT_TO_BACK);
}

void COutlineImageDlg::OnCancel() {
  WriteSettings();
  CViewDialog::OnCancel();
}
