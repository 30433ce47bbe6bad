// CPropertyBar: the tool bar at the top of the main frame that follows the tool and the selection
// with one of two pages: the text page (font choice, buttons of resource 151) or the graphics
// library page (resource 221). A page window stands in the place of the bar's first button while
// the bar lies horizontally; docked at a side the text page's place becomes the ordinary font
// button again. The text page is the font choice (CFontChoiceDlg), the library page the
// graphics-library picker (CLibSelectDlg).
#pragma once

#include <memory>

#include "framework/ToolBar.h"

class CDialog;
class CLibSelectDlg;
class CTALVEX42View;

class CPropertyBar : public CToolBar {
  DECLARE_DYNAMIC(CPropertyBar)
public:
  static constexpr UINT kTextPage = 40071;
  static constexpr UINT kLibraryPage = 40075;
  // Block types whose selection brings up a page.
  static constexpr int kTextBlockType = 130;
  static constexpr int kLibraryBlockType = 131;

  CPropertyBar();
  ~CPropertyBar() override;

  // 40075 shows the library page, any other id the text page; the current page. Switching to the
  // current page does nothing.
  UINT SwitchPage(UINT page);
  UINT GetCurrentPage() const { return m_currentPage; }
  void ShowTextPage();
  void ShowLibraryPage();
  // The library page once it has been shown; null before.
  CLibSelectDlg* GetLibraryPage();
  // The page that a selected block of this type brings up, refreshed; other types change nothing.
  void ShowPageForBlockType(int type);
  // The page for what the active view edits or has selected: a text under edit or a selected text
  // brings up the text page showing its characters, a selected library block the library page;
  // anything else changes nothing.
  void ShowPageForSelection();

  CSize CalcDynamicLayout(int length, DWORD mode) override;

protected:
  // The page window of a page, made the first time it is shown; null while there is none.
  virtual std::unique_ptr<CDialog> CreatePage(UINT page);

private:
  // The drawing view of the frame's active document window; null when none.
  CTALVEX42View* ActiveView() const;
  CDialog* PageWindow(UINT page);
  // Puts the page over button 0 as a separator of its width and shows it.
  void PlacePageOverFirstButton(CDialog* page);
  // Button 0 becomes the ordinary font-change button and the text page is hidden.
  void RestoreFirstButton();
  bool IsDockedVertically() const;

  UINT m_currentPage = 0;  // none before the first SwitchPage
  std::unique_ptr<CDialog> m_textPage;
  std::unique_ptr<CDialog> m_libraryPage;
};
