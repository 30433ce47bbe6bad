// CLibSelectDlg: the library page of the property bar (220): three drop-down lists choose a source
// type (the two font types and the mounted libraries), a kind and a graphic; choosing a graphic
// puts it on the active drawing at once as a library block, selected, in one undo step. The
// graphic list draws each graphic with its number or name. A library that does not open leaves
// the lists empty; a damaged one says why.
#pragma once

#include "editor/dialogs/LibrarySource.h"
#include "framework/Dialog.h"

class CTALVEX42View;

class CLibSelectDlg : public CDialog {
  DECLARE_DYNAMIC(CLibSelectDlg)
public:
  static constexpr UINT kTemplateId = 220;
  static constexpr int kItemHeight = 80;
  static constexpr int kDropWidth = 240;

  CLibSelectDlg();

  // The page as a child window of the bar.
  BOOL CreatePage(CWnd* parent);
  BOOL OnInitDialog() override;
  void OnOK() override {}
  void OnCancel() override {}

  // When the active view's selected block is a library block, its type, kind and number become
  // the lists' choice.
  void SelectCurrentLibBlock();
  // The chosen graphic list's entry goes onto the active drawing; false when nothing was added.
  bool PlaceChosenGraphic();

  // The source shown and the kind chosen, for adding the drawing to the library (32870).
  CLibrarySource& Source() { return m_source; }
  int GetChosenKind() const;
  // Lists the graphics of the chosen kind again (after one was added).
  void RefreshGraphics();
  // Lists the mounted libraries, their kinds and graphics again (after the manager changed them).
  void RefreshLibraries();

protected:
  void OnTypeChosen();
  void OnKindChosen();
  void OnGraphicChosen();
  void OnDrawItem(int id, LPDRAWITEMSTRUCT item);
  DECLARE_MESSAGE_MAP()

private:
  void ShowType(int type);
  void FillGraphics();
  void DrawGraphicEntry(const DRAWITEMSTRUCT& item);

  CLibrarySource m_source;
};
