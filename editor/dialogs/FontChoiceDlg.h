// CFontChoiceDlg: the text page of the property bar (103): font library, font and size of the
// characters typed next. A font or size chosen here goes to the selected characters of the text
// under edit, else to every selected text (the view's ApplyFontToSelection); unless characters
// under edit took it, it becomes the program's default and is stored (sizes in the profile, a
// language's default font in its "Language%d" section of TALVEX42.INI). A size
// equal to the current one, as a whole number, changes nothing. While the font list is dropped a
// pop-up beside it previews the highlighted font.
#pragma once

#include <memory>

#include "editor/dialogs/FontPreviewPopup.h"
#include "framework/Dialog.h"
#include "text/layout/TextDefaults.h"

class CTALVEX42View;

class CFontChoiceDlg : public CDialog {
  DECLARE_DYNAMIC(CFontChoiceDlg)
public:
  static constexpr UINT kTemplateId = 103;
  // The first mounted font file of the Chinese language: charset 134, source 2.
  static constexpr WORD kFirstChineseMount = 646;
  static constexpr int kSizeListLength = 10;
  enum : int { kApplySize = 1, kApplyFont = 2 };

  CFontChoiceDlg();

  // The page as a child window of the bar.
  BOOL CreatePage(CWnd* parent);
  BOOL OnInitDialog() override;
  void OnOK() override { Apply(kApplySize | kApplyFont); }
  void OnCancel() override {}

  // Takes the font and size now shown; flags say which (kApplySize, kApplyFont).
  void Apply(int flags);
  // Shows the text defaults, or the characters the view's text under edit or its selected text
  // would give them: their library, the language's remembered font and the size. A library the
  // list does not hold leaves the choice as it was.
  void Refresh(CTALVEX42View* view);
  // The language row whose remembered font the page shows for a character set: the row of an
  // East-Asian set (128, 129, 133, 134), row 0 for any other.
  static int LanguageRowOf(int charset);

protected:
  void OnLibraryChosen();
  void OnFontChosen() { Apply(kApplyFont); }
  void OnSizeChosen();
  void OnSizeEdited() { m_sizeEdited = true; }
  void OnSizeLeft();
  void OnDrawItem(int id, LPDRAWITEMSTRUCT item);
  void OnFontsDropped();
  void OnFontsClosed();
  // A language chosen: the library combo lists that language's libraries only.
  void OnCodeChosen();
  DECLARE_MESSAGE_MAP()

private:
  void FillFonts(WORD code);
  int ChosenLibrary() const;
  static CTALVEX42View* ActiveView();
  void ReturnFocus() const;

  CTextDefaults m_values;
  bool m_sizeEdited = false;
  std::unique_ptr<CFontPreviewPopup> m_preview;
  int m_previewed = -1;
};
