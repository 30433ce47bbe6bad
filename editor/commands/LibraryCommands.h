// CLibraryCommands: the main view's graphics-library commands: the conversion of an older library
// (32869), the manager (40150), the catalogue page (40171), the building tools (32897 from a
// clip-art collection, 32896 from a folder tree), the library print dialog (32907), adding the
// whole drawing as a graphic to the kind chosen on the property bar's library page (32870), the
// browser of the library tool, and placing a library block on the drawing as the picker and the
// browser do (one undo step, the new block alone selected), into a rectangle or where a graphic
// dragged out of the browser was dropped.
#pragma once

#include <windows.h>

#include <memory>

#include "framework/CmdTarget.h"
#include "model/blocks/LibBlock.h"
#include "model/geometry/FRect.h"

class CBlock;
class CLibSelectDlg;
class CTALVEX42View;

class CLibraryCommands : public CCmdTarget {
public:
  // The size the drawing is scaled to in a library that names no graphic size of its own; page
  // units stored as given would lose everything below a whole unit.
  static constexpr float kArtworkSize = 2047.0f;
  // Pixels of the current zoom along the larger side of a graphic placed with its proportions.
  static constexpr float kProportionalPixels = 100.0f;
  // The drop of a library graphic dragged out of the browser; the drag tracker's drop data is a
  // DroppedGraphic.
  static constexpr UINT kDropGraphicCommand = 49006;

  // A graphic on its way from the browser to the drawing: the block with its outline read, and
  // whether it keeps the size stored with it (libraries with named graphics). Whoever places the
  // block takes it; the browser deletes what is left.
  struct DroppedGraphic {
    std::unique_ptr<CLibBlock> block;
    bool ownSize = false;
  };

  explicit CLibraryCommands(CTALVEX42View* view) : m_view(view) {}

  // Adds the block to the view's document, selected alone, in one undo step, and repaints it;
  // false (the block deleted) when the view has no document.
  static bool PlaceBlock(CTALVEX42View* view, CBlock* block);
  // The box a graphic with the outline box gets from the target rectangle: the rectangle itself,
  // or, with keepProportions or a rectangle without extent, from its top left 100 pixels of the
  // zoom (page units per pixel: scale) along the graphic's larger side.
  static CFRect PlacementBox(const CFRect& target, const CFRect& outlineBox, bool keepProportions,
                             double scale);
  // Places the dropped graphic with its box's top left at the page point: at its own size, or in
  // its proportions at 100 pixels of the view's zoom; false when nothing was added.
  static bool PlaceDroppedGraphic(CTALVEX42View* view, DroppedGraphic& graphic, float x, float y);
  // The drawing view of the main frame's active document window; null when there is none.
  static CTALVEX42View* ActiveView();
  // The browser over the rectangle the library tool dragged.
  static INT_PTR RunBrowser(CTALVEX42View* view, const CFRect& target);

  // Adds the drawing to the kind chosen on the library page, scaled to the library's graphic size;
  // a library with stored sizes keeps its size and place on the page. False when nothing was
  // added (the user has been told why).
  bool AddDrawingToLibrary();

protected:
  void OnConvert();
  void OnManage();
  void OnBook();
  void OnBuildFromCollection();
  void OnBuildFromFolder();
  void OnPrintLibrary();
  void OnAddArtwork() { AddDrawingToLibrary(); }
  DECLARE_MESSAGE_MAP()

private:
  CLibSelectDlg* LibraryPage() const;
  void Refuse(UINT message, UINT caption) const;

  CTALVEX42View* m_view;
};
