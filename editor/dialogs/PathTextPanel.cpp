#include "editor/dialogs/PathTextPanel.h"

#include "editor/dialogs/PathTextDlg.h"
#include "editor/dialogs/PathTextDlg2.h"
#include "editor/dialogs/PathTextOffsetDlg.h"
#include "framework/ResourceModule.h"

IMPLEMENT_DYNAMIC(CPathTextPanel, CDialog)

namespace {

struct ButtonPicture {
  int button;
  UINT bitmap;
};

// clang-format off
const ButtonPicture kPictures[] = {
    {1434, 236},  // outside the characters
    {1435, 245},  // inside
    {1436, 247},  // on the line's centre
    {1437, 246},  // on the characters' centre
    {1438, 248},  // reversed
    {1439, 249},  // characters turned 180 degrees
    {1440, 250},  // filled to the length
};
// clang-format on

CPathTextPanel::PanelApplier& Applier() {
  static CPathTextPanel::PanelApplier applier = nullptr;
  return applier;
}

}  // namespace

CPathTextPanel::PanelApplier CPathTextPanel::SetPanelApplier(PanelApplier applier) {
  PanelApplier previous = Applier();
  Applier() = applier;
  return previous;
}

BOOL CPathTextPanel::CreateIn(CWnd* parent) {
  if (!Create(m_templateId, parent)) return FALSE;
  ::SetWindowLongPtrA(m_hWnd, GWLP_USERDATA, static_cast<LONG_PTR>(m_templateId));
  return TRUE;
}

HWND CPathTextPanel::CreateForTemplate(int templateId, HWND parent) {
  CPathTextPanel* panel = nullptr;
  switch (templateId) {
    case CPathTextDlg::kTemplateId:
      panel = new CPathTextDlg;
      break;
    case CPathTextDlg2::kTemplateId:
      panel = new CPathTextDlg2;
      break;
    case CPathTextOffsetDlg::kTemplateId:
      panel = new CPathTextOffsetDlg;
      break;
    default:
      return nullptr;
  }
  if (!panel->CreateIn(CWnd::FromHandle(parent))) {
    delete panel;
    return nullptr;
  }
  panel->m_ownsItself = true;
  return panel->m_hWnd;
}

void CPathTextPanel::PostNcDestroy() {
  if (m_ownsItself) delete this;
}

BOOL CPathTextPanel::OnInitDialog() {
  CDialog::OnInitDialog();
  for (const ButtonPicture& picture : kPictures) {
    HANDLE bitmap = ::LoadImageA(AfxGetResourceHandle(), MAKEINTRESOURCEA(picture.bitmap),
                                 IMAGE_BITMAP, 0, 0, LR_DEFAULTCOLOR);
    if (bitmap)
      SendDlgItemMessage(picture.button, BM_SETIMAGE, IMAGE_BITMAP,
                         reinterpret_cast<LPARAM>(bitmap));
  }
  return TRUE;
}

void CPathTextPanel::OnOK() {
  // The panel stays open; without a view or a selection there is nothing to apply it to.
  if (Applier()) Applier()(m_hWnd);
}
