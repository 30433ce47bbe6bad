#include "output/StampAreaDlg.h"

#include "framework/DC.h"
#include "framework/MessageBox.h"
#include "output/OutputTexts.h"
#include "output/SquareSealDlg.h"
#include "output/StampBlock.h"

// clang-format off
BEGIN_MESSAGE_MAP(CStampAreaDlg, CDialog)
  ON_LBN_SELCHANGE(CStampAreaDlg::kShapeList, OnShapeChosen)
  ON_CBN_SELCHANGE(CStampAreaDlg::kTemplateCombo, OnTemplateChosen)
  ON_LBN_SELCHANGE(CStampAreaDlg::kPictureList, OnPictureChosen)
  ON_WM_DRAWITEM()
  ON_WM_MEASUREITEM()
END_MESSAGE_MAP()
// clang-format on

namespace {

// The lines of a text, each handed to add.
template <class Add>
void ForEachLine(const CString& lines, Add add) {
  int start = 0;
  while (start < lines.GetLength()) {
    int end = lines.Find('\n', start);
    if (end < 0) end = lines.GetLength();
    add(lines.Mid(start, end - start));
    start = end + 1;
  }
}

}  // namespace

CStampAreaDlg::CStampAreaDlg(float pageWidth, float pageHeight, CWnd* parent)
    : CDialog(kDialogId, parent), m_pageWidth(pageWidth), m_pageHeight(pageHeight) {}

CStampAreaDlg::~CStampAreaDlg() = default;

CStampBlock* CStampAreaDlg::TakeStamp() { return m_stamp.release(); }

BOOL CStampAreaDlg::OnInitDialog() {
  CDialog::OnInitDialog();
  const int size = CSquareSealDlg::kPictureSize;
  ::SendDlgItemMessageA(m_hWnd, kPictureList, LB_SETITEMHEIGHT, 0, size);
  ::SendDlgItemMessageA(m_hWnd, kPictureList, LB_SETCOLUMNWIDTH, size, 0);
  HWND shapes = ::GetDlgItem(m_hWnd, kShapeList);
  ForEachLine(OutputText::Load(OutputText::kStampShapes), [shapes](const CString& shape) {
    ::SendMessageA(shapes, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(shape.GetString()));
  });
  ::SendMessageA(shapes, LB_SETCURSEL, kSquareShape, 0);
  OnShapeChosen();
  return TRUE;
}

void CStampAreaDlg::OnShapeChosen() {
  m_pictures.DeleteImageList();
  m_pictures.Create(CSquareSealDlg::kTemplatePictures, CSquareSealDlg::kPictureSize, 0,
                    RGB(192, 192, 192));
  HWND combo = ::GetDlgItem(m_hWnd, kTemplateCombo);
  HWND pictures = ::GetDlgItem(m_hWnd, kPictureList);
  ::SendMessageA(combo, CB_RESETCONTENT, 0, 0);
  ::SendMessageA(pictures, LB_RESETCONTENT, 0, 0);
  if (::SendDlgItemMessageA(m_hWnd, kShapeList, LB_GETCURSEL, 0, 0) != kSquareShape) return;
  ForEachLine(OutputText::Load(OutputText::kStampTemplates), [&](const CString& name) {
    ::SendMessageA(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(name.GetString()));
    ::SendMessageA(pictures, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(name.GetString()));
  });
  ::SendMessageA(combo, CB_SETCURSEL, 0, 0);
  ::SendMessageA(pictures, LB_SETCURSEL, 0, 0);
}

void CStampAreaDlg::OnTemplateChosen() {
  LRESULT chosen = ::SendDlgItemMessageA(m_hWnd, kTemplateCombo, CB_GETCURSEL, 0, 0);
  ::SendDlgItemMessageA(m_hWnd, kPictureList, LB_SETCURSEL, chosen, 0);
}

void CStampAreaDlg::OnPictureChosen() {
  LRESULT chosen = ::SendDlgItemMessageA(m_hWnd, kPictureList, LB_GETCURSEL, 0, 0);
  ::SendDlgItemMessageA(m_hWnd, kTemplateCombo, CB_SETCURSEL, chosen, 0);
}

void CStampAreaDlg::OnMeasureItem(int id, LPMEASUREITEMSTRUCT item) {
  if (id != static_cast<int>(kPictureList) || !item) return;
  item->itemWidth = CSquareSealDlg::kPictureSize;
  item->itemHeight = CSquareSealDlg::kPictureSize;
}

void CStampAreaDlg::OnDrawItem(int id, LPDRAWITEMSTRUCT item) {
  if (id != static_cast<int>(kPictureList) || !item || item->itemID == static_cast<UINT>(-1))
    return;
  const bool selected = (item->itemState & ODS_SELECTED) != 0;
  ::FillRect(item->hDC, &item->rcItem,
             ::GetSysColorBrush(selected ? COLOR_HIGHLIGHT : COLOR_WINDOW));
  if (!m_pictures.GetSafeHandle()) return;
  CDC* dc = CDC::FromHandle(item->hDC);
  POINT at = {item->rcItem.left, item->rcItem.top};
  m_pictures.Draw(dc, static_cast<int>(item->itemID), at,
                  selected ? ILD_SELECTED | ILD_TRANSPARENT : ILD_TRANSPARENT);
}

int CStampAreaDlg::SelectedTemplate() const {
  LRESULT chosen = ::SendDlgItemMessageA(m_hWnd, kTemplateCombo, CB_GETCURSEL, 0, 0);
  return chosen == CB_ERR ? 0 : static_cast<int>(chosen);
}

void CStampAreaDlg::OnOK() {
  m_stamp.reset();
  if (::SendDlgItemMessageA(m_hWnd, kShapeList, LB_GETCURSEL, 0, 0) != kSquareShape) {
    AfxShowMessageBox(m_hWnd, OutputText::Load(OutputText::kStampSquareOnly),
                      OutputText::Load(OutputText::kErrorCaption), MB_OK | MB_ICONINFORMATION);
    return;
  }
  CSquareSealDlg seal(SelectedTemplate(), m_pageWidth, m_pageHeight, this);
  if (seal.DoModal() != IDOK) return;
  m_stamp.reset(seal.TakeStamp());
  if (m_stamp) EndDialog(IDOK);
}
