#include "editor/bars/PropertyBar.h"

#include "editor/TALVEX42View.h"
#include "editor/dialogs/FontChoiceDlg.h"
#include "editor/dialogs/LibSelectDlg.h"
#include "framework/Dialog.h"
#include "framework/FrameWnd.h"
#include "framework/View.h"
#include "model/blocks/Block.h"

IMPLEMENT_DYNAMIC(CPropertyBar, CToolBar)

namespace {

const UINT kTextButtons = 151;
const UINT kLibraryButtons = 221;
const UINT kFontButton = 40051;

}  // namespace

CPropertyBar::CPropertyBar() = default;

CPropertyBar::~CPropertyBar() {
  for (auto* page : {&m_textPage, &m_libraryPage})
    if (*page && (*page)->m_hWnd) (*page)->DestroyWindow();
}

std::unique_ptr<CDialog> CPropertyBar::CreatePage(UINT page) {
  if (page == kLibraryPage) {
    auto library = std::make_unique<CLibSelectDlg>();
    if (!library->CreatePage(this)) return nullptr;
    return library;
  }
  auto text = std::make_unique<CFontChoiceDlg>();
  if (!text->CreatePage(this)) return nullptr;
  return text;
}

CDialog* CPropertyBar::PageWindow(UINT page) {
  std::unique_ptr<CDialog>& slot = page == kLibraryPage ? m_libraryPage : m_textPage;
  if (!slot) slot = CreatePage(page);
  return slot && slot->m_hWnd ? slot.get() : nullptr;
}

UINT CPropertyBar::SwitchPage(UINT page) {
  const UINT wanted = page == kLibraryPage ? kLibraryPage : kTextPage;
  if (wanted == m_currentPage) return m_currentPage;
  m_currentPage = wanted;
  if (wanted == kLibraryPage)
    ShowLibraryPage();
  else
    ShowTextPage();
  std::unique_ptr<CDialog>& other = wanted == kLibraryPage ? m_textPage : m_libraryPage;
  if (other && other->m_hWnd && other->IsWindowVisible()) other->ShowWindow(SW_HIDE);
  return m_currentPage;
}

bool CPropertyBar::IsDockedVertically() const { return (m_dwStyle & CBRS_ORIENT_VERT) != 0; }

void CPropertyBar::PlacePageOverFirstButton(CDialog* page) {
  CRect pageRect;
  page->GetWindowRect(pageRect);
  SetButtonInfo(0, GetItemID(0), TBBS_SEPARATOR, pageRect.Width());
  CRect button;
  GetItemRect(0, button);
  page->SetWindowPos(nullptr, button.left, button.top, 0, 0,
                     SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_SHOWWINDOW);
}

void CPropertyBar::RestoreFirstButton() {
  SetButtonInfo(0, kFontButton, TBBS_BUTTON, 0);
  if (m_textPage && m_textPage->m_hWnd) m_textPage->ShowWindow(SW_HIDE);
}

void CPropertyBar::ShowTextPage() {
  if (!m_hWnd) return;
  LoadToolBar(kTextButtons);
  CDialog* page = PageWindow(kTextPage);
  if (!page) return;
  if (IsDockedVertically())
    RestoreFirstButton();
  else
    PlacePageOverFirstButton(page);
  if (auto* text = dynamic_cast<CFontChoiceDlg*>(page)) text->Refresh(ActiveView());
}

CTALVEX42View* CPropertyBar::ActiveView() const {
  CFrameWnd* frame = GetDockingFrame();
  CFrameWnd* child = frame ? frame->GetActiveFrame() : nullptr;
  CView* view = child ? child->GetActiveView() : nullptr;
  return view && view->m_hWnd ? dynamic_cast<CTALVEX42View*>(view) : nullptr;
}

void CPropertyBar::ShowPageForSelection() {
  CTALVEX42View* view = ActiveView();
  if (!m_hWnd || !view) return;
  if (CBlock* edited = view->GetEditBlock()) {
    if (edited->m_type == kTextBlockType) ShowPageForBlockType(kTextBlockType);
    return;
  }
  CSelectTracker& tracker = view->GetSelectTracker();
  CBlock* selected = tracker.GetCount() > 0 ? tracker.GetCurrentBlock() : nullptr;
  if (selected) ShowPageForBlockType(selected->m_type);
}

void CPropertyBar::ShowLibraryPage() {
  if (!m_hWnd) return;
  LoadToolBar(kLibraryButtons);
  CDialog* page = PageWindow(kLibraryPage);
  if (!page) return;
  PlacePageOverFirstButton(page);
  if (auto* library = dynamic_cast<CLibSelectDlg*>(page)) library->SelectCurrentLibBlock();
}

CLibSelectDlg* CPropertyBar::GetLibraryPage() {
  return m_libraryPage && m_libraryPage->m_hWnd ? dynamic_cast<CLibSelectDlg*>(m_libraryPage.get())
                                                : nullptr;
}

void CPropertyBar::ShowPageForBlockType(int type) {
  if (type == kTextBlockType) {
    SwitchPage(kTextPage);
    ShowTextPage();
  } else if (type == kLibraryBlockType) {
    SwitchPage(kLibraryPage);
    ShowLibraryPage();
  }
}

CSize CPropertyBar::CalcDynamicLayout(int length, DWORD mode) {
  if (m_currentPage == kTextPage && m_textPage && m_textPage->m_hWnd) {
    if (mode & LM_HORZ)
      PlacePageOverFirstButton(m_textPage.get());
    else
      RestoreFirstButton();
  }
  return CToolBar::CalcDynamicLayout(length, mode);
}
