#include "editor/dialogs/PathTextPanel.h"

#include "framework/ResourceModule.h"
#include "model/blocks/Block.h"

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

CPathTextPanel::CurrentBlockQuery& Query() {
  static CPathTextPanel::CurrentBlockQuery query;
  return query;
}

}  // namespace

CPathTextPanel::CurrentBlockQuery CPathTextPanel::SetCurrentBlockQuery(CurrentBlockQuery query) {
  CurrentBlockQuery previous = std::move(Query());
  Query() = std::move(query);
  return previous;
}

BOOL CPathTextPanel::CreateIn(CWnd* parent) {
  if (!Create(m_templateId, parent)) return FALSE;
  ::SetWindowLongPtrA(m_hWnd, GWLP_USERDATA, static_cast<LONG_PTR>(m_templateId));
  return TRUE;
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
  CBlock* block = Query() ? Query()() : nullptr;
  if (block) block->ApplyPanel(m_hWnd);
}
