// CTALVEX42View: the view of every drawing document, on the drawing view base. It paints the
// document double-buffered (the page with its shadow and grid, the blocks from the last in the list
// to the first so that the first lies on top, the guide lines, then the edit overlay of the block
// under edit or the selection tracker), routes the user's input and carries the command table.
//
// Routing: the palette's colour command 49003 is caught first; other commands go to the output-area
// commands (COutputAreaCommands), the clipboard commands (CClipboardCommands), then the view's
// command table (CViewCommandTable), its message map, the frame and the application.
// Typed characters go to the block under edit only (a double-byte character as one character in
// one undo step); those the loop takes in wide form are converted to GBK here, on every system.
// Mouse presses go to the output-area tracker, the block under edit, the guide lines (in the
// selection and node tools), the selection tracker and then the current tool; moves and releases go
// first to whatever may be dragging (guides, output-area tracker, selection tracker), then to the
// block under edit and the tool. The first that takes an event ends it. Timers go to the block
// under edit; a timer nobody takes is killed.
//
// The view is the CBlockView of its blocks and owns the undo manager of its document window (its
// step limit is "UndoStep" of "SystemParam"). A user action that records nothing leaves the
// document unmodified.
#pragma once

#include <memory>

#include "editor/commands/ArtTransformCommands.h"
#include "editor/commands/ClipboardCommands.h"
#include "editor/commands/CurvedTextCommands.h"
#include "editor/commands/DrawingCommands.h"
#include "editor/commands/EditCommands.h"
#include "editor/commands/FontCommands.h"
#include "editor/commands/ImageCommands.h"
#include "editor/commands/LibraryCommands.h"
#include "editor/commands/PrintCommands.h"
#include "editor/commands/ScanCommands.h"
#include "editor/commands/ShapeDialogCommands.h"
#include "editor/commands/TextCommands.h"
#include "editor/tools/CreationTools.h"
#include "editor/tools/OutputAreaCommands.h"
#include "editor/tools/TextTool.h"
#include "editor/tools/ViewToolHost.h"
#include "editor/views/SelectTracker.h"
#include "editor/views/TALVEXView.h"
#include "editor/views/ViewCommandTable.h"
#include "editor/views/ViewMouseTarget.h"
#include "model/undo/UndoManager.h"

class CBlock;
class CDragTracker;
class CTALVEX42Doc;

class CTALVEX42View : public CTALVEXView {
  DECLARE_DYNCREATE(CTALVEX42View)
public:
  static constexpr int kRulerThickness = 15;
  static constexpr int kSelectTool = 40070;
  static constexpr UINT kColourCommand = 49003;
  // Timer 1 lays a text block out again 50 ms after its last change.
  static constexpr UINT_PTR kRelayoutTimer = 1;
  static constexpr UINT kRelayoutDelay = 50;
  // The main frame shows the palette bar, the tool box and the window tool bar for this view.
  static constexpr WORD kInitialBarBits = 28;
  static constexpr WORD kPaletteBarBit = 8;
  // Blocks of this type are never painted.
  static constexpr BYTE kUnpaintedType = 240;
  // The selected-flag value of a block that is not painted (it is being dragged).
  static constexpr int kHiddenWhileDragged = 2;

  // Targets of the mouse that later parts of the editor install.
  enum MouseSlot { kOutputAreaTracker, kSelectionTracker, kCurrentTool, kMouseSlotCount };

  CTALVEX42View();
  ~CTALVEX42View() override;

  CTALVEX42Doc* GetDocument() const;

  // The view's side of CBlockView.
  int GetUndoDepth() override { return m_undo.GetDepth(); }
  CUndoManager* GetUndoManager() override { return &m_undo; }
  void SetEditBlock(CBlock* block) override { m_editBlock = block; }
  // Finishes what the old tool had in progress, records the change for undo, shows the tool's
  // cursor and tells the main frame.
  void SetCurrentTool(int tool) override;
  CSegArray* GetBlockArray() override;
  // Guide lines, then the drawing tool's feedback, in XOR.
  void DrawOverlay(CDC* dc) override;

  // The block at the index of the document's list; an index outside it throws
  // CInvalidArgException.
  CBlock* GetBlock(INT_PTR index);
  // The first block in list order whose box holds the page point and, unless type is 0, whose type
  // code is type; null and -1 when none.
  CBlock* FindBlockAt(float x, float y, BYTE type, INT_PTR* index);
  // 1 when the point lies in the box of a text block and on one of its characters.
  int HitTestTextBlock(float x, float y, INT_PTR* blockIndex, int* charIndex, int filter);
  void SetToolCursor(int tool);
  // Colours the selected blocks, or the selected characters of the text under edit, in one undo
  // step; false when nothing changed.
  BOOL ApplyColour(DWORD colour);
  void StartRelayoutTimer();

  CBlock* GetEditBlock() const { return m_editBlock; }
  CBlock* GetFeedbackBlock() const { return m_feedbackBlock.get(); }
  // Takes the block (null clears), deleting the one it replaces.
  void SetFeedbackBlock(CBlock* block);
  // Gives the feedback block to the caller and clears it.
  CBlock* ReleaseFeedbackBlock() { return m_feedbackBlock.release(); }
  // The editing commands, their block-making steps and outline combinations.
  CEditCommands& GetEditCommands() { return m_editCommands; }
  void SetMouseTarget(MouseSlot slot, CViewMouseTarget* target) { m_targets[slot] = target; }
  CSelectTracker& GetSelectTracker() { return m_selection; }
  CDrawingCommands& GetDrawingCommands() { return m_drawingCommands; }
  CTextCommands& GetTextCommands() { return m_textCommands; }
  CCurvedTextCommands& GetCurvedTextCommands() { return m_curvedTextCommands; }
  CArtTransformCommands& GetArtTransformCommands() { return m_artTransforms; }
  // The property window's panel applied to the current block of the selection in one undo step;
  // FALSE when nothing is selected or the block does not take the panel.
  BOOL ApplyPanel(HWND panel);
  int GetKeyboardCharset() const { return m_keyboardCharset; }
  WORD GetBarBits() const { return m_barBits; }
  ViewCommandState GetCommandState();

  // Whether painting the page area draws the block: not while it is dragged, never type 240, and
  // only when what it draws meets the area (DrawsInto).
  static bool IsPainted(const CBlock& block, const CFRect& area);

  BOOL OnCmdMsg(UINT id, int code, void* extra, AFX_CMDHANDLERINFO* handlerInfo) override;
  // Typed characters beyond ASCII, taken as the message loop got them (wide).
  BOOL PreTranslateMessage(MSG* msg) override;
  BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
  BOOL Create(LPCSTR className, LPCSTR windowName, DWORD style, const RECT& rect, CWnd* parent,
              UINT id, CCreateContext* context = nullptr) override;
  BOOL PreCreateWindow(CREATESTRUCTA& cs) override;
  void OnInitialUpdate() override;
  void OnUpdate(CView* sender, LPARAM hint, CObject* hintObject) override;
  void OnDraw(CDC* dc) override;
  void OnActivateView(BOOL activate, CView* activateView, CView* deactiveView) override;

  // Whether a graphic dragged out of the library browser may be dropped here (command 49005): a
  // document is open and no text or curve is under edit.
  BOOL CanTakeGraphic() const;

protected:
  // The character under the point of a text block; FALSE until text blocks can answer it.
  virtual BOOL HitTestCharacters(CBlock* block, float x, float y, int* charIndex);

  void OnDestroy();
  void OnPaint();
  void OnSize(UINT type, int cx, int cy);
  void OnTimer(UINT_PTR timer);
  void OnLButtonDown(UINT flags, CPoint point);
  void OnMouseMove(UINT flags, CPoint point);
  void OnLButtonUp(UINT flags, CPoint point);
  void OnLButtonDblClk(UINT flags, CPoint point);
  void OnRButtonDown(UINT flags, CPoint point);
  void OnRButtonUp(UINT flags, CPoint point);
  void OnKeyDown(UINT key, UINT repeat, UINT flags);
  LRESULT OnChar(WPARAM ch, LPARAM flags);
  LRESULT OnImeChar(WPARAM ch, LPARAM flags);
  LRESULT OnInputLanguageChange(WPARAM charset, LPARAM layout);
  // Opens the cut-output window over the document.
  void OnOpenCutWindow();
  void OnFillOutput();
  // The change-font dialog over the text under edit or the defaults.
  void OnChangeFont();
  void OnLatinParams();
  // The page setup dialog over the document; OK gives the document and the view its settings.
  void OnPageSetup();
  // Line-start alignment of the selected characters of the text under edit, and its removal.
  void OnAlignLineStart();
  void OnCancelLineStart();

  DECLARE_MESSAGE_MAP()

private:
  enum MouseEvent { kPress, kMove, kRelease, kDoubleClick, kRightPress, kRightRelease };
  enum Stage { kOutputAreaStage, kEditBlockStage, kGuideStage, kSelectionStage, kToolStage };

  bool ToolTakesGuides() const {
    return m_currentTool == kSelectTool || m_currentTool == kNodeTool;
  }
  static bool IsOutputAreaTool(int tool);
  // The node tool and the tools of the node commands, under which a curve stays under edit.
  static bool IsNodeEditingTool(int tool);
  static constexpr int kCurveReplaceTool = 40168;

  // No other document window is open beside this view's.
  bool IsLastDrawingWindow() const;
  void PaintInto(CDC* dc, const RECT& update);
  void DrawPage(CDC* dc, const CMatrix2D& matrix, COLORREF paper);
  void DrawGrid(CDC* dc, const CMatrix2D& matrix);
  void DrawBlocks(CDC* dc, CMatrix2D* matrix, const CFRect& area);
  void DrawOutputAreas(CDC* dc, const CMatrix2D& matrix);

  BOOL RouteMouse(MouseEvent event, UINT flags, CPoint point);
  BOOL OfferTo(Stage stage, MouseEvent event, const CViewMouseTarget::Event& data);
  BOOL OfferToEditBlock(MouseEvent event, const CViewMouseTarget::Event& data);
  BOOL OfferToGuides(MouseEvent event, const CViewMouseTarget::Event& data);
  static BOOL OfferToTarget(CViewMouseTarget* target, MouseEvent event,
                            const CViewMouseTarget::Event& data);

  BOOL ColourSelectedCharacters(DWORD colour);
  // Command 49006: the graphic of the tracker's drop data, placed with its top left at the drop
  // point, selected, in one undo step.
  void TakeDroppedGraphic(CDragTracker* tracker);
  // The property bar's page for what the view edits or has selected.
  void ShowPropertyPage();
  // Characters: a lead byte waits for its trail byte.
  BOOL TypeCharacter(UINT ch, UINT flags);
  // A character as the system typed it goes to the block under edit: as a byte of a single-byte
  // keyboard's own code page, else as its GBK code; one that neither holds is refused with a
  // message.
  void TypeWideCharacter(wchar_t ch, UINT flags);
  // Ends what the current tool has in progress before newTool replaces it; FALSE when the change
  // must not happen (a text block that refuses to end its editing).
  BOOL FinishTool(int newTool);
  BOOL EndTextEditing();
  void EndNodeEditing();

  void RunCommand(const CViewCommandTable::Row& row, UINT id);
  void ShowWholePage();
  void ShowAll();
  void ZoomAtCursor(double factor);
  void Undo();
  void TogglePaletteBar();
  void TogglePropertyBar();
  void Repaint();
  // The node-edit commands on the curve under edit.
  void RunNodeCommand(UINT id);

  CUndoManager m_undo;
  CSelectTracker m_selection;
  int m_keyboardCharset = 0;
  CBlock* m_editBlock = nullptr;
  std::unique_ptr<CBlock> m_feedbackBlock;
  CViewMouseTarget* m_targets[kMouseSlotCount] = {};
  WORD m_barBits = kInitialBarBits;
  // The lead byte of a double-byte character typed as two WM_CHAR messages, 0 when none waits.
  UINT m_leadByte = 0;
  // The areas' commands, and their tracker and drawing tool in the kOutputAreaTracker slot.
  COutputAreaCommands m_outputAreas{this};
  // The creation tools in the kCurrentTool slot, and the view as they see it.
  CViewToolHost m_toolHost{this};
  CCreationTools m_creationTools{&m_toolHost};
  CEditCommands m_editCommands{this};
  // Copy, cut, paste and merge.
  CClipboardCommands m_clipboard{this};
  // The shape, transform, copy, position and cut-pattern dialogs, for the rows that hand them
  // their commands.
  CShapeDialogCommands m_shapeDialogs{this};
  // The commands on the drawing as a whole, handed the commands the table lets through.
  CDrawingCommands m_drawingCommands{this};
  CTextCommands m_textCommands{this};
  CCurvedTextCommands m_curvedTextCommands{this};
  // Reading an image and turning it into bars.
  CImageCommands m_imageCommands{this};
  // Scanning through the scan dialog.
  CScanCommands m_scanCommands{this};
  CLibraryCommands m_libraryCommands{this};
  // The artistic transformations: the chooser, the library's effects and their cancel.
  CArtTransformCommands m_artTransforms{this};
  // Print, print preview and the business cards.
  CPrintCommands m_printCommands{this};
  // Font paths and fonts made from the screen.
  CFontCommands m_fontCommands{this};
  // The text tool's mouse handling, in the kCurrentTool slot while the text tool is chosen.
  CTextTool m_textTool{this};
};
