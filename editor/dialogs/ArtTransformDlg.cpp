#include "editor/dialogs/ArtTransformDlg.h"

#include "editor/commands/ArtTransformCommands.h"
#include "framework/String.h"
#include "model/blocks/ModelServices.h"
#include "model/blocks/TransformService.h"

IMPLEMENT_DYNAMIC(CArtTransformDlg, CDialog)

// clang-format off
BEGIN_MESSAGE_MAP(CArtTransformDlg, CDialog)
  ON_WM_DRAWITEM()
  ON_CBN_SELCHANGE(CArtTransformDlg::kNames, OnNameChosen)
  ON_LBN_SELCHANGE(CArtTransformDlg::kPreviews, OnPreviewChosen)
END_MESSAGE_MAP()
// clang-format on

namespace {

// The library's pictures are masked on red; they never use it themselves.
const COLORREF kMaskColour = RGB(255, 0, 0);
const COLORREF kNavy = RGB(0, 0, 128);
const COLORREF kWhite = RGB(255, 255, 255);
const int kFramePen = 2;

}  // namespace

CArtTransformDlg::CArtTransformDlg(CArtTransformCommands& commands, bool chineseUi, CWnd* parent)
    : CDialog(kTemplateId, parent), m_commands(commands), m_chineseUi(chineseUi) {}

BOOL CArtTransformDlg::OnInitDialog() {
  CDialog::OnInitDialog();
  SendDlgItemMessage(kPreviews, LB_SETITEMHEIGHT, 0, MAKELPARAM(kItemSize, 0));
  SendDlgItemMessage(kPreviews, LB_SETCOLUMNWIDTH, kItemSize);
  CTransformService* library = CModelServices::Transform();
  if (!library || !library->IsAvailable()) return TRUE;
  m_previews.Create(kPictureSize, kPictureSize, ILC_COLOR | ILC_MASK, 0, 0);
  const int count = library->GetTransformCount();
  for (int index = 1; index <= count; ++index) {
    CString name;
    HBITMAP preview = nullptr;
    library->GetTransformInfo(index, m_chineseUi, name, &preview);
    AddPreview(preview);
    SendDlgItemMessage(kNames, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(name.GetString()));
    SendDlgItemMessage(kPreviews, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(name.GetString()));
  }
  SendDlgItemMessage(kNames, CB_SETCURSEL, 0);
  SendDlgItemMessage(kPreviews, LB_SETCURSEL, 0);
  return TRUE;
}

void CArtTransformDlg::AddPreview(HBITMAP preview) {
  if (!m_previews.GetSafeHandle()) {
    if (preview) ::DeleteObject(preview);
    return;
  }
  bool blank = preview == nullptr;
  if (blank) {
    // A blank picture keeps the images in step with the items.
    HDC screen = ::GetDC(nullptr);
    preview = ::CreateCompatibleBitmap(screen, kPictureSize, kPictureSize);
    HDC memory = ::CreateCompatibleDC(screen);
    ::ReleaseDC(nullptr, screen);
    HGDIOBJ old = ::SelectObject(memory, preview);
    RECT all = {0, 0, kPictureSize, kPictureSize};
    ::FillRect(memory, &all, static_cast<HBRUSH>(::GetStockObject(WHITE_BRUSH)));
    ::SelectObject(memory, old);
    ::DeleteDC(memory);
  }
  if (ImageList_AddMasked(m_previews.GetSafeHandle(), preview, kMaskColour) < 0 && !blank) {
    // The library's picture did not go in: a blank one takes its place.
    ::DeleteObject(preview);
    AddPreview(nullptr);
    return;
  }
  ::DeleteObject(preview);
}

void CArtTransformDlg::OnDrawItem(int id, LPDRAWITEMSTRUCT item) {
  if (id == kPreviews && item && item->CtlType == ODT_LISTBOX) {
    DrawPreviewItem(*item);
    return;
  }
  CDialog::OnDrawItem(id, item);
}

void CArtTransformDlg::DrawPreviewItem(const DRAWITEMSTRUCT& item) {
  if (!(item.itemAction & (ODA_DRAWENTIRE | ODA_SELECT)) || item.itemID == static_cast<UINT>(-1))
    return;
  const bool selected = (item.itemState & ODS_SELECTED) != 0;
  HDC dc = item.hDC;
  HBRUSH brush = ::CreateSolidBrush(selected ? kNavy : kWhite);
  HPEN pen = ::CreatePen(PS_SOLID, selected ? kFramePen : 1, selected ? kNavy : kWhite);
  HGDIOBJ oldBrush = ::SelectObject(dc, brush);
  HGDIOBJ oldPen = ::SelectObject(dc, pen);
  const RECT& rect = item.rcItem;
  ::Rectangle(dc, rect.left, rect.top, rect.right, rect.bottom);
  ::SelectObject(dc, oldPen);
  ::SelectObject(dc, oldBrush);
  ::DeleteObject(pen);
  ::DeleteObject(brush);
  if (m_previews.GetSafeHandle())
    ImageList_DrawEx(m_previews.GetSafeHandle(), static_cast<int>(item.itemID), dc,
                     rect.left + kPictureInset, rect.top + kPictureInset, kPictureSize,
                     kPictureSize, CLR_NONE, CLR_NONE, ILD_NORMAL);
}

void CArtTransformDlg::OnNameChosen() {
  LRESULT chosen = SendDlgItemMessage(kNames, CB_GETCURSEL);
  SendDlgItemMessage(kPreviews, LB_SETCURSEL, static_cast<WPARAM>(chosen));
}

void CArtTransformDlg::OnPreviewChosen() {
  LRESULT chosen = SendDlgItemMessage(kPreviews, LB_GETCURSEL);
  SendDlgItemMessage(kNames, CB_SETCURSEL, static_cast<WPARAM>(chosen));
}

void CArtTransformDlg::OnOK() {
  LRESULT chosen = SendDlgItemMessage(kNames, CB_GETCURSEL);
  if (chosen == CB_ERR) return;
  if (m_commands.Apply(static_cast<int>(chosen) + 1) == CArtTransformCommands::kNotApplicable)
    return;
  EndDialog(IDOK);
}
