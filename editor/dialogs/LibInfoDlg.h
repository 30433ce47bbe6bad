// CLibInfoDlg: the graphics-library browser (124) that the library tool opens over the rectangle
// it dragged. It shows eight graphics of the chosen source type and kind at a time (one, enlarged,
// in single view) with a scroll bar over their numbers; a click chooses one, and OK places it:
// a library with stored sizes (version 6.1) keeps the graphic's own size and place, any other
// fits it into the dragged rectangle, or, with "keep proportions" (or a rectangle without
// extent), to 100 pixels of the current zoom along its larger side. Cancel only remembers the
// choice.
#pragma once

#include <windows.h>

#include "editor/dialogs/LibrarySource.h"
#include "framework/Dialog.h"
#include "model/geometry/FRect.h"

class CDC;
class CTALVEX42View;

class CLibInfoDlg : public CDialog {
public:
  static constexpr UINT kTemplateId = 124;
  static constexpr int kCellCount = 8;
  static constexpr int kPage = 8;
  // Pixels of the current zoom along the larger side of a graphic placed with its proportions.
  static constexpr float kProportionalPixels = 100.0f;

  CLibInfoDlg(CTALVEX42View* view, const CFRect& target);

  BOOL OnInitDialog() override;
  void OnOK() override;
  void OnCancel() override;

  // The number of the chosen cell.
  int GetChosenNumber() const { return m_first + m_selected; }
  int GetFirstNumber() const { return m_first; }
  // Scrolls so that the number is the first shown (held to the type's range).
  void ScrollTo(int number);
  // Chooses cell index (0 to the cells shown - 1).
  void ChooseCell(int index);
  // The box a graphic of this box gets on the drawing (not for libraries with stored sizes).
  CFRect PlacementBox(const CFRect& outlineBox, bool keepProportions) const;

protected:
  void OnTypeChosen();
  void OnKindChosen();
  void OnSingleView();
  void OnPaint();
  void OnLButtonDown(UINT flags, CPoint point);
  void OnHScroll(UINT code, UINT position, CScrollBar* scrollBar);
  DECLARE_MESSAGE_MAP()

private:
  void ShowType(int type);
  void SetRange();
  void ShowChosenNumber();
  void RedrawCells();
  RECT CellRect(int index) const;
  void DrawCell(CDC& dc, int index);
  int ChosenKind() const;

  CTALVEX42View* m_view;
  CFRect m_target;
  CLibrarySource m_source;
  RECT m_cells[kCellCount] = {};
  int m_selected = 0;
  int m_first = 0;
  int m_cellCount = kCellCount;
  int m_low = 0;
  int m_high = 255;
};
