// CLibInfoDlg: the graphics-library browser (124) that the library tool opens over the rectangle
// it dragged. It shows eight graphics of the chosen source type and kind at a time (one, enlarged,
// in single view) with a scroll bar over their numbers, up to the kind's last graphic (the cells
// after it stay blank and cannot be chosen); a click chooses one, and OK places it:
// fitted into the dragged rectangle, a library with stored sizes (version 6.1) too, or, with
// "keep proportions" (or a rectangle without extent), at its corner: at its stored size, or
// without one 100 pixels of the current zoom along its larger side. Cancel only remembers the
// choice.
//
// A graphic can also be dragged out of a cell: the press chooses the cell and takes the mouse;
// after more than three moves with the button held a picture of the graphic follows the pointer
// and the drag tracker asks the window below whether it takes it (command 49005); the release over
// a window that does reads the graphic and drops it there (command 49006, the graphic as the
// tracker's drop data). Escape or a lost capture ends the drag without a drop. The browser stays
// open after a drop.
#pragma once

#include <windows.h>

#include "editor/commands/LibraryCommands.h"
#include "editor/dialogs/DragImageWnd.h"
#include "editor/dialogs/LibrarySource.h"
#include "framework/Dialog.h"
#include "model/geometry/FRect.h"

class CContour;
class CDC;
class CTALVEX42View;

class CLibInfoDlg : public CDialog {
public:
  static constexpr UINT kTemplateId = 124;
  static constexpr int kCellCount = 8;
  static constexpr int kPage = 8;
  // Sent to the browser, redraws the cells.
  static constexpr UINT kRedrawCommand = 49000;
  // Moves with the button held before a press in a cell becomes a drag.
  static constexpr int kMovesBeforeDrag = 3;

  CLibInfoDlg(CTALVEX42View* view, const CFRect& target);

  BOOL OnInitDialog() override;
  void OnOK() override;
  void OnCancel() override;
  BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;

  // The number of the chosen cell.
  int GetChosenNumber() const { return m_first + m_selected; }
  int GetFirstNumber() const { return m_first; }
  // Scrolls so that the number is the first shown (held to the type's range).
  void ScrollTo(int number);
  // Chooses cell index (0 to the cells shown - 1).
  void ChooseCell(int index);
  bool IsDragging() const { return m_drag == kDragging; }
  // The picture that follows the pointer while a graphic is dragged.
  const CDragImageWnd& GetDragImage() const { return m_dragImage; }

protected:
  void OnTypeChosen();
  void OnKindChosen();
  void OnSingleView();
  void OnPaint();
  void OnLButtonDown(UINT flags, CPoint point);
  void OnMouseMove(UINT flags, CPoint point);
  void OnLButtonUp(UINT flags, CPoint point);
  void OnCaptureChanged(CWnd* window);
  void OnHScroll(UINT code, UINT position, CScrollBar* scrollBar);
  DECLARE_MESSAGE_MAP()

private:
  enum DragState { kNoDrag, kPressed, kDragging };

  void ShowType(int type);
  void SetRange();
  void ShowChosenNumber();
  void RedrawCells();
  RECT CellRect(int index) const;
  void DrawCell(CDC& dc, int index);
  int ChosenKind() const;
  // The number whose graphic the cell shows (a typed character's code in the character view).
  int CellNumber(int index);
  // Whether the cell stands for a graphic of the kind: cells past its last one stay blank.
  bool CellHoldsGraphic(int index) const;
  // Characters typed after a blank in the number field are shown instead of numbers (fonts).
  bool InCharacterView() const;
  // The graphic of the number of the kind as a new library block; no block when it has no
  // outline.
  CLibraryCommands::DroppedGraphic ReadGraphic(int kind, int number);
  void BeginDrag(CPoint point);
  // Moves the picture to the pointer and asks the window below it.
  void FollowPointer(CPoint point);
  void DropGraphic();
  // Ends a press or a drag: the picture goes, the tracker ends, the mouse is released.
  void EndDrag();
  // The picture's size: the pixels the graphic takes on the drawing at the view's zoom.
  SIZE DragImageSize(CContour* outline) const;

  CTALVEX42View* m_view;
  CFRect m_target;
  CLibrarySource m_source;
  RECT m_cells[kCellCount] = {};
  int m_selected = 0;
  int m_first = 0;
  int m_cellCount = kCellCount;
  // The numbers of the kind's first and last graphics (or characters); m_entries counts them.
  int m_low = 0;
  int m_high = 255;
  int m_entries = 0;
  DragState m_drag = kNoDrag;
  int m_moves = 0;
  CDragImageWnd m_dragImage;
};
