#include "output/CutOptionsBar.h"

#include "output/CutterDevice.h"

// clang-format off
BEGIN_MESSAGE_MAP(CCutOptionsBar, CDialogBar)
  ON_WM_SIZE()
  ON_NOTIFY(TCN_SELCHANGE, CCutOptionsBar::kTab, OnTabChange)
END_MESSAGE_MAP()
// clang-format on

namespace {

const int kTabImageWidth = 16;
const COLORREF kTabImageMask = RGB(255, 0, 0);

}  // namespace

CCutOptionsBar::CCutOptionsBar(CCutSettings& settings, CCutterDevice& device, CCutJobHost* host)
    : m_optionsPage(settings, device.ProfileFile(), host), m_adjustPage(settings, device, host) {}

BOOL CCutOptionsBar::Create(CWnd* parent, UINT style, UINT id) {
  if (!CDialogBar::Create(parent, kDialogId, style, id)) return FALSE;
  HWND tab = ::GetDlgItem(m_hWnd, kTab);
  if (!tab || !m_tab.Attach(tab)) return FALSE;
  if (m_tabImages.Create(kTabImages, kTabImageWidth, 1, kTabImageMask))
    m_tab.SetImageList(&m_tabImages);
  TCITEMA item = {};
  item.mask = TCIF_IMAGE;
  item.iImage = 0;
  m_tab.InsertItem(0, &item);
  item.iImage = 1;
  m_tab.InsertItem(1, &item);
  if (!m_optionsPage.Create(&m_tab) || !m_adjustPage.Create(&m_tab)) return FALSE;
  m_optionsPage.SetFocus();
  m_tab.SetCurSel(0);
  PlacePages();
  ShowPage(0);
  return TRUE;
}

void CCutOptionsBar::ShowPage(int tab) {
  m_optionsPage.ShowWindow(SW_HIDE);
  m_adjustPage.ShowWindow(SW_HIDE);
  (tab == 1 ? static_cast<CWnd&>(m_adjustPage) : m_optionsPage).ShowWindow(SW_SHOW);
}

bool CCutOptionsBar::ReadBack() {
  m_optionsPage.ReadBack();
  return m_adjustPage.ReadBack();
}

void CCutOptionsBar::OnTabChange(NMHDR*, LRESULT* result) {
  ShowPage(m_tab.GetCurSel());
  if (result) *result = 0;
}

void CCutOptionsBar::PlacePages() {
  if (!m_tab.m_hWnd) return;
  RECT area;
  m_tab.GetClientRect(&area);
  m_tab.AdjustRect(FALSE, &area);
  for (CWnd* page : {static_cast<CWnd*>(&m_optionsPage), static_cast<CWnd*>(&m_adjustPage)}) {
    if (page->m_hWnd)
      page->SetWindowPos(nullptr, area.left, area.top, area.right - area.left,
                         area.bottom - area.top, SWP_NOZORDER | SWP_NOACTIVATE);
  }
}

void CCutOptionsBar::OnSize(UINT, int cx, int cy) {
  if (!m_tab.m_hWnd) return;
  m_tab.SetWindowPos(nullptr, 2, 5, cx - 3, cy - 20, SWP_NOZORDER | SWP_NOACTIVATE);
  m_tab.ShowWindow(SW_SHOW);
  PlacePages();
}
