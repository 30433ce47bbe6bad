// CPaletteBar: the dialog bar on the right of the main frame that shows the palette's colours as
// swatches. Clicking a swatch, or confirming a colour in the system colour dialog ("..."), sends
// the colour to the active view as WM_COMMAND 49003 with the 0x00RRGGBB value in lParam; the view
// applies it to the selection. Custom colours of the colour dialog join the palette.
//
// Controls of its template: the swatch list 1226 (owner-drawn, item i is colour i), the button
// 1134 "...", the scroll bar 1113 whose arrows page the list, and the buttons 1011 and 1012,
// which do nothing.
#pragma once

#include "framework/DialogBar.h"

class CColorPalette;
class CScrollBar;

class CPaletteBar : public CDialogBar {
  DECLARE_DYNAMIC(CPaletteBar)
public:
  static constexpr UINT kColourCommand = 49003;
  static constexpr int kColumnWidth = 35;
  static constexpr int kItemHeight = 20;

  explicit CPaletteBar(CColorPalette& palette) : m_palette(palette) {}

  // Adds WS_THICKFRAME to the bar style's window, then sizes and fills the list.
  BOOL Create(CWnd* parent, UINT templateId, UINT style, UINT id) override;
  using CDialogBar::Create;
  // One item per palette colour, in palette order.
  void Fill();

  // The view that takes colours: the active view of the frame's active window, or null.
  CWnd* GetColourTarget() const;
  // What a confirmed colour dialog leads to: the chosen colour (a COLORREF) goes to the view and
  // the custom colours join the palette; the list is refilled when the palette grew.
  void TakeDialogColours(COLORREF chosen, const COLORREF* custom, int customCount);

protected:
  void OnDrawItem(int id, LPDRAWITEMSTRUCT item);
  void OnMeasureItem(int id, LPMEASUREITEMSTRUCT item);
  void OnSwatchChosen();
  void OnExtendedPalette();
  void OnVScroll(UINT code, UINT position, CScrollBar* bar);
  void OnSize(UINT type, int cx, int cy);
  DECLARE_MESSAGE_MAP()

private:
  void LayListOverScrollBar();
  void SendColour(DWORD value) const;
  void FocusView() const;
  void DrawSwatch(LPDRAWITEMSTRUCT item) const;

  CColorPalette& m_palette;
};
