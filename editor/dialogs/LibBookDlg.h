// CLibBookDlg: the catalogue page (239), a maintenance tool of the library menu: it lays the
// graphics of one kind of a mounted library out on the active drawing as a numbered grid, one
// library block per cell with its number under it as a text block, from the first number on
// until the kind runs out or the page is full, all in one undo step. The settings are kept in
// "LibTypeSet" of TALVEX42.INI; the page limits start from the drawing's page less the margins,
// so that the first run lays out a page, and "StartNo" is left at the next number, so that the
// next page goes on with the numbering. Lengths are millimetres.
//
// Each graphic is scaled by one factor in both directions (the smaller of the cell's width over
// the graphic's and the cell's height over the graphic's) and centred in its cell; a graphic of no
// height is skipped and its number with it, and so is an empty slot of a version 5 kind: every
// graphic keeps the number the library gives it.
#pragma once

#include <windows.h>

#include <memory>
#include <vector>

#include "framework/Dialog.h"
#include "model/geometry/FRect.h"
#include "text/layout/TextDefaults.h"

class CBlock;
class CBlockView;
class CIniFile;
class CLibBlock;
class CTALVEX42View;

class CLibBookDlg : public CDialog {
public:
  static constexpr UINT kTemplateId = 239;
  static constexpr char kSection[] = "LibTypeSet";
  // The page edge left free by the default limits.
  static constexpr float kPageMargin = 10.0f;

  struct Settings {
    int library = 0;
    int kind = 0;
    float startX = 10, startY = 10, endX = 200, endY = 287;
    float sizeX = 40, sizeY = 40, spaceX = 10, spaceY = 10;
    int across = 4, down = 6;
    float numberSize = 10, numberSpace = 2;
    int startNumber = 0;
    int font = 0;
  };

  CLibBookDlg(CTALVEX42View* view, CIniFile* settings = nullptr);

  BOOL OnInitDialog() override;
  // Lays the page out and closes.
  void OnOK() override;

  // The settings from the settings file; the limits default to the page less the margins.
  static Settings Load(const CIniFile& file, float pageWidth, float pageHeight);
  static void Store(CIniFile& file, const Settings& settings);
  // The top-left corners of the cells that fit, row by row.
  static std::vector<FPOINT> Cells(const Settings& settings);
  // Where an outline of the box goes in the cell at (x, y): scaled uniformly and centred; false
  // for an outline of no height.
  static bool FitIntoCell(const CFRect& outline, float x, float y, const Settings& settings,
                          CFRect& placed);
  // The graphic of the settings' library and kind with this number, its box the outline's; null
  // for a number without an outline.
  static std::unique_ptr<CLibBlock> Graphic(const Settings& settings, int number);
  // The numbers of the settings' kind run below this: its count of graphics, all 255 slots for a
  // version 5 kind (whose graphics may leave slots empty between them); 0 when it does not open.
  static int NumberEnd(const Settings& settings);
  // The text format of the numbers: the current one in the numbers' size.
  static CTextDefaults NumberFormat(const Settings& settings);
  // Fits the graphic into the cell at (x, y) and makes its number under it (null when the text
  // cannot be made); false, with the graphic unchanged, for a graphic of no height. The view
  // only lays the number out (none will do).
  static bool FillCell(CBlockView* view, CLibBlock& graphic, int number, FPOINT cell,
                       const Settings& settings, const CTextDefaults& format,
                       std::unique_ptr<CBlock>& numberText);
  // Lays the graphics out on the view's drawing in one undo step; the number of graphics laid out.
  // settings.startNumber comes back as the next unused number.
  static int LayOut(CTALVEX42View* view, Settings& settings);

protected:
  void OnLibraryChosen();
  DECLARE_MESSAGE_MAP()

private:
  Settings FromFields() const;
  void FillKinds(int kind);

  CTALVEX42View* m_view;
  CIniFile& m_settings;
};
