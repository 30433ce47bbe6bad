// CFontReplaceDlg: the font replacement dialog (267), offered when an opened document's texts
// use fonts that are not mounted here. Each such font is one line of list 1196 ("%-40s
// -[charset,source,old number] -{library,font}"); choosing a line fills combo 1099 with the font
// libraries of its own language ("%-40s -[%d,%d]") and list 1197 with the fonts of the chosen
// library, any mount included; choosing a font notes it in the line and moves on to the next.
// The saved names are GBK and shown as such on a system of any code page.
// OK sends every line's font to the chosen one (library 0, font 0 unless the user chose), each
// taken from the libraries of that line's own language.
#pragma once

#include <windows.h>

#include <vector>

#include "editor/dialogs/FontLibraryList.h"
#include "framework/Dialog.h"
#include "framework/Font.h"

class CFontRebinding;
class CLanguage;

class CFontReplaceDlg : public CDialog {
public:
  static constexpr UINT kTemplateId = 267;

  CFontReplaceDlg(CFontRebinding& fonts, const CLanguage& language, CWnd* parent = nullptr);

  BOOL OnInitDialog() override;
  void OnOK() override;

  // The line of missing font i as the list shows it.
  CString LineOf(size_t i) const;

protected:
  void OnLineChosen();
  void OnLibraryChosen();
  void OnFontChosen();
  DECLARE_MESSAGE_MAP()

private:
  struct Choice {
    size_t font;  // index in the rebinding
    int library;
    int fontIndex;
  };
  // Puts the line of missing font i into the list at a place (-1: at its end).
  void PutLine(int at, size_t i);
  int ChosenLine() const;
  void ShowLine(int line);
  void FillFonts(int line);

  CFontRebinding& m_fonts;
  CFontLibraryList m_libraries;
  std::vector<Choice> m_choices;
  // The missing-font list's font, made when the dialog opens.
  CFont m_namesFont;
};
