// CBlock: the common base of every drawing object. Views and tools never look inside a concrete
// block; they draw, hit-test, move, store, clone and edit it through the virtual operations below,
// which keep a fixed order. The base also routes editing events: mouse events on the view's current
// tool, keys and overlays on the block's own edit mode, cursor resets on the block's last cursor
// operation.
#pragma once

#include <windows.h>

#include "framework/Object.h"
#include "framework/SizeClassPool.h"
#include "framework/String.h"
#include "model/geometry/FRect.h"
#include "model/geometry/Matrix2D.h"

class CBlockView;
class CBoxArray;
class CByteWriter;
class CContour;
class CDC;
class CFontRebinding;
class CUndoRecord;

// Tools and edit modes (command ids shared with the views).
enum : int {
  kSelectTool = 40070,
  kTextTool = 40071,
  kNodeTool = 40118,
  kTextDragTool = 48000,  // a text block's characters are being dragged
};

// Type codes of the blocks.
enum : BYTE {
  kLineBlock = 1,
  kRectBlock = 2,
  kCircleBlock = 3,
  kPolygonBlock = 8,
  kTransformBlock = 9,
  kCurveBlock = 128,
  kGroupBlock = 129,
  kTextBlock = 130,
  kLibBlock = 131,
  kImageBlock = 133,
  kStampBlock = 144,  // 145-148 are the other stamp shapes
};

// Attribute bit of a block drawn filled; the other bits belong to the text block.
const WORD kSolidAttr = 0x100;
// Dialog id of the empty parameter panel.
const UINT kEmptyPanelId = 264;
// Handle and control-point index meaning none.
const int kNoHandle = -1;

class CBlock : public CObject {
public:
  CBlock();
  ~CBlock() override;
  CBlock(const CBlock&) = delete;
  CBlock& operator=(const CBlock&) = delete;

  // Blocks of every kind live in the shared size-class pool: a drawing holds them by the hundred
  // thousand, and a document opened after another reuses the memory of the one closed. Deleting
  // through the virtual destructor passes the size of the block's own kind.
  static void* operator new(size_t size) { return CSizeClassPool::Shared().Allocate(size); }
  static void operator delete(void* block, size_t size) {
    CSizeClassPool::Shared().Free(block, size);
  }

  // The virtuals keep their fixed order. Each comment opens with what the base does ("Nothing",
  // "FALSE" and "Null" for the trivial defaults), then names the blocks that replace it and what
  // they answer; "not overridden" marks the routers and the behaviour every block shares.

  // --- Framework storage and fonts ---
  // Blocks are stored through their records (WriteRecord), never through the framework.
  virtual void Serialize() {}
  // Nothing; text, transform (for its source) and group (for its children) swap the font.
  virtual void ReplaceFont(int oldFont, int oldIndex, int newFont, int newIndex);
  // Nothing; text, transform (for its source) and group (for its children) declare the fonts of
  // their characters to the rebinding in its declaring pass and take their new fonts in its
  // applying pass (CFontRebinding).
  virtual void RemountFonts(CFontRebinding& fonts);

  // --- Content, box and attributes ---
  // Nothing; text recomputes its box from its layout.
  virtual void UpdateBox();
  // FALSE; text answers TRUE when it holds no characters.
  virtual BOOL IsEmpty();
  // Scales and moves the block into the rectangle through its matrix; transform replaces it.
  virtual void FitToRect(float left, float top, float right, float bottom);
  // Records the old word, then sets the masked bits; stamp, text and group replace it.
  virtual void SetAttrBits(CBlockView* view, WORD bits, WORD mask);

  // --- Drawing ---
  // DrawFilled for a solid block, else DrawOutline; stamp, text, transform and group replace it.
  virtual void Draw(CDC* dc, CMatrix2D* matrix, int flag);
  // Nothing; every type of block prints itself.
  virtual void DrawForPrint(CDC* dc, CMatrix2D* matrix, int flag);

  // --- Entering interactive editing ---
  // FALSE; curve, image, rectangle, circle, transform and polygon answer TRUE.
  virtual BOOL CanNodeEdit();
  // FALSE; text answers TRUE.
  virtual BOOL CanTextEdit();
  // Not overridden: CanTextEdit or CanNodeEdit by tool, FALSE for any other tool.
  virtual BOOL CanEdit(int tool);
  // Not overridden: BeginTextEdit or BeginNodeEdit by tool, FALSE for any other tool.
  virtual BOOL BeginEdit(int tool, CBlockView* view);
  // Nothing; the curve prepares its node selection once node editing has begun.
  virtual void NodeEditStarted(CBlockView* view);
  // Not overridden: enter the mode and draw its overlay; FALSE when the block cannot be edited so.
  virtual BOOL BeginNodeEdit(CBlockView* view);
  virtual BOOL BeginTextEdit(CBlockView* view);

  // --- Edit commands and deletion ---
  // FALSE; the curve runs and offers its node-edit commands.
  virtual BOOL ExecCommand(CBlockView* view, UINT command);
  virtual BOOL HasCommand(CBlockView* view, UINT command);
  // Not overridden: the text or node variant below by edit mode, nothing outside editing.
  virtual void EditDelete(CBlockView* view);
  virtual void EditBackspace(CBlockView* view);
  // Nothing; text deletes characters.
  virtual void TextDelete(CBlockView* view);
  virtual void TextBackspace(CBlockView* view);
  // Nothing; the curve deletes its selected nodes.
  virtual void NodeDelete(CBlockView* view);
  // Nothing; no block replaces it.
  virtual void NodeBackspace(CBlockView* view);
  // FALSE; curve and text answer whether nodes or characters are selected.
  virtual BOOL HasEditSelection();

  // --- Leaving interactive editing ---
  // Not overridden: EndTextEdit or EndNodeEdit by edit mode, TRUE outside editing.
  virtual BOOL EndEdit(CBlockView* view);
  // Erase the overlay and leave the mode, TRUE; the curve (nodes) and text (caret) replace them.
  virtual BOOL EndNodeEdit(CBlockView* view);
  virtual BOOL EndTextEdit(CBlockView* view);

  // --- Edit overlays ---
  // Not overridden: the text or node overlay by edit mode.
  virtual void DrawEditOverlay(CDC* dc, CMatrix2D* matrix);
  // Nothing; text draws its caret and selection.
  virtual void DrawTextEditOverlay(CDC* dc, CMatrix2D* matrix);
  // Nothing; curve, rectangle, circle, transform and polygon draw their nodes or control points.
  virtual void DrawNodeEditOverlay(CDC* dc, CMatrix2D* matrix);

  // --- Cursors ---
  // Not overridden: inside the box, the variant of the view's tool; FALSE outside.
  virtual BOOL UpdateCursor(CBlockView* view, UINT keyFlags, float x, float y);
  // Not overridden: the move cursor over the block, TRUE; FALSE with the button down or off it.
  virtual BOOL SelectUpdateCursor(CBlockView* view, UINT keyFlags, float x, float y);
  // FALSE; text sets its cursor over its characters.
  virtual BOOL TextUpdateCursor(CBlockView* view, UINT keyFlags, float x, float y);
  // Not overridden: the cross over a control point; always FALSE so the view goes on looking.
  virtual BOOL NodeUpdateCursor(CBlockView* view, UINT keyFlags, float x, float y);
  // FALSE; text shows where dragged characters would drop.
  virtual BOOL DragUpdateCursor(CBlockView* view, UINT keyFlags, float x, float y);
  // Not overridden: the reset of the last cursor operation, TRUE once reset.
  virtual BOOL ResetCursor(CBlockView* view);
  // Not overridden: arrow, I-beam or cross; no operation and no held handle; TRUE.
  virtual BOOL SelectResetCursor(CBlockView* view);
  virtual BOOL TextResetCursor(CBlockView* view);
  virtual BOOL NodeResetCursor(CBlockView* view);
  // The I-beam and no held handle, TRUE; text replaces it.
  virtual BOOL DragResetCursor(CBlockView* view);

  // --- Characters, keys and timers of the edit mode ---
  // FALSE; text takes characters and keys.
  virtual BOOL TextOnChar(CBlockView* view, UINT ch, UINT flags);
  // FALSE; curve and transform take node-edit characters and keys.
  virtual BOOL NodeOnChar(CBlockView* view, UINT ch, UINT flags);
  virtual BOOL NodeOnKeyDown(CBlockView* view, UINT key, UINT modifiers);
  virtual BOOL TextOnKeyDown(CBlockView* view, UINT key, UINT modifiers);
  // FALSE; text lays itself out again when its timer fires.
  virtual BOOL OnTimer(CBlockView* view, UINT_PTR timer);

  // --- Mouse events: select-tool and text-tool events, routed on the view's tool ---
  // The select, text or node variant by tool, FALSE for others; the curve replaces it.
  virtual BOOL OnLButtonDown(CBlockView* view, UINT keyFlags, float x, float y);
  // Not overridden: takes the handle under the press and starts its drag.
  virtual BOOL SelectOnLButtonDown(CBlockView* view, UINT keyFlags, float x, float y);
  // FALSE; text places its caret.
  virtual BOOL TextOnLButtonDown(CBlockView* view, UINT keyFlags, float x, float y);
  // Follows the rubber band, then the variant of the tool; the curve replaces it.
  virtual BOOL OnMouseMove(CBlockView* view, UINT keyFlags, float x, float y);
  // Not overridden: drags the held handle once the mouse has left the dead zone.
  virtual BOOL SelectOnMouseMove(CBlockView* view, UINT keyFlags, float x, float y);
  // TRUE while the left button is down; text extends its selection.
  virtual BOOL TextOnMouseMove(CBlockView* view, UINT keyFlags, float x, float y);
  // Notes the release point, then the variant of the tool; the curve replaces it.
  virtual BOOL OnLButtonUp(CBlockView* view, UINT keyFlags, float x, float y);
  // Records and finishes a handle drag and releases the handle, TRUE; text replaces it.
  virtual BOOL FinishHandleDrag(CBlockView* view, UINT keyFlags, float x, float y);
  // FALSE; text ends its selection or drop.
  virtual BOOL TextOnLButtonUp(CBlockView* view, UINT keyFlags, float x, float y);
  // FALSE; curve and transform take right clicks.
  virtual BOOL OnRButtonDown(CBlockView* view, UINT keyFlags, float x, float y);
  virtual BOOL OnRButtonUp(CBlockView* view, UINT keyFlags, float x, float y);
  // FALSE; curve, text and transform take double clicks.
  virtual BOOL OnLButtonDblClk(CBlockView* view, UINT keyFlags, float x, float y);

  // --- Node-tool shortcut keys, between two unused slots ---
  // FALSE; the slots only keep the order.
  virtual BOOL Reserved60();
  // FALSE; the curve maps its node-edit shortcut keys.
  virtual BOOL NodeShortcutKey(CBlockView* view, UINT ch, UINT flags);
  virtual BOOL Reserved62();

  // --- Select-tool feedback and handles ---
  // The box as a red XOR outline kSelectionOutlineGap pixels outside it, so that it never lies
  // on the block's own edge; matrix may be null (page units are drawn as they are). Text, line
  // and group draw their own outline.
  virtual void DrawXorOutline(CDC* dc, CMatrix2D* matrix);
  static constexpr int kSelectionOutlineGap = 2;
  // Nothing; text and line draw the feedback of a dragged handle.
  virtual void DrawHandleXor(CBlockView* view, int handle, float x, float y);
  // Nothing; text and line move the handle to (x, y).
  virtual void MoveHandle(UINT keyFlags, int handle, float x, float y);
  // The box's two stored corners as an XOR frame; no block replaces it.
  virtual void DrawXorFrame(CDC* dc, CMatrix2D* matrix);

  // --- Hit testing ---
  // The box and a pixel around it; curve, text, line, rectangle, circle and group test outlines.
  virtual BOOL HitTest(CBlockView* view, float x, float y);
  // FALSE; text and line put the handle under (x, y) into *handle and answer TRUE.
  virtual BOOL HitTestHandle(CBlockView* view, float x, float y, int* handle);

  // --- Geometry ---
  // Moves the box; every type but image also moves its points.
  virtual void Offset(float dx, float dy);
  // Sets the box; curve, text, library, line, rectangle, circle, polygon and group fit into it.
  virtual void SetBox(float left, float top, float right, float bottom);
  // Nothing; every type but image and stamp applies the matrix and updates its box.
  virtual void Transform(const CMatrix2D& matrix);
  // A new contour (the caller deletes it) or null. Null here; every type but image builds one.
  virtual CContour* GetContour(const CMatrix2D* matrix, UINT flags);

  // --- Text ---
  // Nothing; text lays itself out again from the given character on.
  virtual void Relayout(CBlockView* view, int from);
  // Nothing; the group collects its children's text.
  virtual void AppendText(CString& text);
  // Appends to the zero-terminated text in buffer, which holds capacity bytes in all.
  // Nothing; transform and group append the text they hold.
  virtual void AppendClipboardText(char* buffer, size_t capacity);

  // --- Records, copies and colour ---
  // Stores a new movable global-memory block holding the record in *record (the caller frees it)
  // and returns the record's length; a block that cannot be written stores null and returns 0.
  // The base writes nothing; every type writes its own record.
  virtual int WriteRecord(HGLOBAL* record);
  // A new block (the caller owns it) or null. Null here; every type but image converts itself.
  virtual CBlock* ToCurve(DWORD colour);
  // Nothing; every type but image and stamp takes the colour.
  virtual void SetColour(CBlockView* view, DWORD colour, BOOL redraw);
  // The block written to a record and read back, null when that fails; the curve copies itself.
  virtual CBlock* Clone();
  // Null; the group builds a transformed copy of itself.
  virtual CBlock* CreateTransformed(HANDLE transform, const CFRect& target);
  // Nothing; curve, text, library, line, rectangle, circle and group list their colours.
  virtual void AddColourToCombo(HWND combo);

  // --- Node-tool events and control points ---
  // Takes the control point under the press; curve and transform replace it.
  virtual BOOL NodeOnLButtonDown(CBlockView* view, UINT keyFlags, float x, float y);
  // Drags the held control point past the dead zone; curve and transform replace it.
  virtual BOOL NodeOnMouseMove(CBlockView* view, UINT keyFlags, float x, float y);
  // Records the drag and releases the point, always FALSE; curve and transform replace it.
  virtual BOOL NodeOnLButtonUp(CBlockView* view, UINT keyFlags, float x, float y);
  // FALSE; rectangle, circle and polygon put the point under (x, y) into *index and answer TRUE.
  virtual BOOL HitTestControlPoint(CBlockView* view, float x, float y, int* index);
  // Nothing; rectangle, circle and polygon move the control point to (x, y).
  virtual void MoveControlPoint(CBlockView* view, UINT keyFlags, int index, float x, float y);
  // Nothing; rectangle, circle and polygon draw the feedback of a dragged control point.
  virtual void DrawControlPointXor(CBlockView* view, int index, float x, float y);

  // --- Parameter panels ---
  // The empty panel (kEmptyPanelId); text names its own.
  virtual UINT GetPanelId();
  // Names the type in the status bar and puts the block's panel into the host, TRUE (FALSE
  // without a host): the user asked for the block's properties. The stamp replaces it.
  virtual BOOL ShowPanel(HWND host);
  // The same when the property window only follows the selection or the view, which must never
  // open a dialog: ShowPanel; the stamp, whose panel is a modal dialog, shows the empty one.
  virtual BOOL RefreshPanel(HWND host);
  // The empty panel's caption; text sets its own.
  virtual void SetPanelCaption(HWND panel);
  // The empty panel as a modeless dialog that carries its id; text makes its own.
  virtual HWND CreatePanel(HWND parent);
  // Nothing; text fills its panel.
  virtual void FillPanel(HWND panel);
  // FALSE; text takes the panel's values.
  virtual BOOL ApplyPanel(HWND panel);

  // --- Character boxes ---
  // Null; stamp and text return their boxes.
  virtual CBoxArray* GetBoxArray();

  // --- Drawing by fill, as Draw chooses ---
  // Nothing; every type but text and group draws itself.
  virtual void DrawOutline(CDC* dc, CMatrix2D* matrix, int flag);
  virtual void DrawFilled(CDC* dc, CMatrix2D* matrix, int flag);

  // --- The layout line, after the fixed slots ---
  // A new block (the caller's) with the line the block's text is set along, in page units, or
  // null. Null here; text returns its layout effect's line, which the cut output cuts with the
  // characters when its "TextLine" option is on.
  virtual CBlock* GetEffectOutline() const;

  // --- Records written in place (after the fixed slots, which keep their order) ---
  // Appends the block's record (without the pad byte) to out and returns its length; appends
  // nothing and returns 0 when the block writes no record. The base copies what WriteRecord gives;
  // the model's types and the text write straight into out, so that a list of many blocks (a
  // document, the clipboard) is written in one pass, and their WriteRecord goes through this.
  virtual int AppendRecordTo(CByteWriter& out);

  // --- What drawing covers (after the fixed slots) ---
  // The page rectangle that holds everything Draw paints but the pen's own pixel, which the
  // views' paint margin takes: the box here, which holds the outline of every other type; text
  // adds its glyphs' own bounds (a skewed or turned character reaches past its cell) and the
  // group its children's. The views choose the blocks they paint by it, and Invalidate repaints
  // it.
  virtual CFRect GetDrawnBox() const;

  // --- Not virtual ---
  // Characters and keys go to the editor of the current edit mode.
  BOOL EditChar(CBlockView* view, UINT ch, UINT flags);
  BOOL EditKeyDown(CBlockView* view, UINT key);
  // Repaints what the block draws (GetDrawnBox) on the view, 3 pixels wider on every side.
  void Invalidate(CBlockView* view, BOOL erase);
  // Draws the shared rubber band; with a null DC on the view window's own DC.
  static void DrawRubberBand(CBlockView* view, CDC* dc);

  BYTE m_type;
  WORD m_attributes;
  int m_selected;
  CFRect m_box;
  CMatrix2D m_matrix;
  // The handle or control point being dragged, kNoHandle when none.
  int m_heldHandle;
  // 0, kTextTool or kNodeTool.
  int m_editMode;
  // The operation whose cursor the block last set over itself.
  int m_cursorOperation;

protected:
  // WriteRecord of a type that writes its record through AppendRecordTo.
  int WriteRecordThroughAppend(HGLOBAL* record);
  // Whether the view's undo depth allows recording.
  static bool IsRecording(CBlockView* view);
  // Appends a record to the view's undo manager (the record is deleted when it is not kept).
  static void RecordUndo(CBlockView* view, CUndoRecord* record);
  // Lists the colour number in the drop-down list unless it is there already (as an exact entry:
  // "255" must not be taken for "2550").
  static void AddColourNumber(HWND combo, DWORD colour);
};
