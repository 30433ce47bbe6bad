// CMDIMainFrame: the editor's top-level window. It holds the tool bars and the status bar, shows
// what views and tools report through the status protocol (WM_COMMAND with a data pointer in
// lParam), puts the transform library's effects into its menu and keeps the bar layout in the
// profile. It owns the two tool windows, the zone-code table (40066) and the text editor (40067),
// each made on first use and then shown and hidden, and runs the font building dialog (40072),
// mounting the fonts anew when it wrote one.
// The tool cursors, pens and brush that views and tools share live as long as it does.
#pragma once

#include "editor/bars/PaletteBar.h"
#include "editor/bars/PropertyBar.h"
#include "editor/bars/ToolBoxBar.h"
#include "editor/bars/xDocumentBar.h"
#include "editor/dialogs/TextEditorDlg.h"
#include "editor/dialogs/ZoneCodeDlg.h"
#include "framework/Brush.h"
#include "framework/MDIFrameWnd.h"
#include "framework/Pen.h"
#include "framework/StatusBar.h"
#include "framework/ToolBar.h"

class CMDIMainFrame : public CMDIFrameWnd {
  DECLARE_DYNCREATE(CMDIMainFrame)
public:
  // ShowControlBars bits.
  enum BarBits : UINT {
    kMainToolBar = 1,
    kToolBox = 4,
    kPaletteBar = 8,
    kWindowToolBar = 16,
  };
  static const UINT kAllBars = 63;
  static const int kCursorCount = 29;
  static const char kBarStateName[];

  enum PenKind { kGreyPen, kRedPen, kBluePen, kBlueDotPen, kGreenPen, kPenCount };

  CMDIMainFrame();
  ~CMDIMainFrame() override;

  // *deleted becomes true when this frame is deleted (null: nobody is told). A frame whose
  // creation fails may delete itself, and whoever made it must know whether it is still there.
  void TellWhenDeleted(bool* deleted) { m_deleted = deleted; }

  // Shows (bit in show) or hides each bar whose bit is in mask; TRUE when a bar changed.
  BOOL ShowControlBars(UINT show, UINT mask);
  UINT GetBarsToShow() const { return m_barsToShow; }

  // One of the program's cursors by resource id; null for an id that is not one of them.
  HCURSOR GetToolCursor(UINT id) const;
  CPen* GetPen(PenKind kind) { return &m_pens[kind]; }
  CBrush* GetRedBrush() { return &m_redBrush; }
  CStatusBar& GetStatusBar() { return m_statusBar; }
  CToolBar& GetMainToolBar() { return m_mainToolBar; }
  CToolBar& GetWindowToolBar() { return m_windowToolBar; }
  CToolBoxBar& GetToolBox() { return m_toolBox; }
  CPaletteBar& GetPaletteBar() { return m_paletteBar; }
  CPropertyBar& GetPropertyBar() { return m_propertyBar; }
  xCDocumentBar& GetDocumentBar() { return m_documentBar; }
  CZoneCodeDlg& GetZoneTable() { return m_zoneTable; }
  CTextEditorDlg& GetTextEditor() { return m_textEditor; }

  // The popup that lists the transform library's effects in a menu bar (a maximised document
  // window puts its own menu in front of the others), or null.
  static HMENU FindArtTransformMenu(HMENU menuBar);
  // Puts the transform library's effects at the top of the popup, in ascending order, replacing
  // any listed before.
  static void FillArtTransformMenu(HMENU popup);

  BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;

protected:
  int OnCreate(LPCREATESTRUCTA cs);
  void OnClose();
  void OnInitMenu(CMenu* menu);
  void OnViewActivated();
  void OnPaletteColour();
  void OnTogglePropertyWindow();
  void OnToggleZoneTable();
  void OnToggleTextEditor();
  void OnBuildFont();
  DECLARE_MESSAGE_MAP()

private:
  BOOL CreateMainToolBar();
  BOOL CreateStatusBar();
  // Panes whose texts are longer than their widths (English ones are) grow to hold them.
  void WidenPanesForTheirTexts();
  void CreateToolBox();
  BOOL CreateWindowToolBar();
  BOOL CreatePaletteBar();
  BOOL CreatePropertyBar();
  void CreateDocumentBar();
  void DockBars();
  // The status protocol: TRUE when the command was one of its codes. The size and type codes
  // without data (no drawing open) give their panes back their names.
  BOOL ShowStatus(UINT code, LPARAM data);
  void SetPane(int index, LPCSTR text);
  // The pane's own name, as the bar shows it at start-up.
  void ShowPaneName(int index);
  CControlBar* BarForBit(UINT bit);
  void LoadCursors();

  CZoneCodeDlg m_zoneTable;
  CTextEditorDlg m_textEditor;
  CPaletteBar m_paletteBar;
  CStatusBar m_statusBar;
  CToolBar m_mainToolBar;
  CToolBar m_windowToolBar;
  CToolBoxBar m_toolBox;
  CPropertyBar m_propertyBar;
  UINT m_barsToShow;
  xCDocumentBar m_documentBar;

  bool* m_deleted;
  HCURSOR m_cursors[kCursorCount];
  CPen m_pens[kPenCount];
  CBrush m_redBrush;
};
