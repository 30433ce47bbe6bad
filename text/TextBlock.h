// CTextBlock: the drawing block of type 130 that holds a piece of text: character and attribute
// boxes in a CBoxArray, laid out by one owned layout effect (straight lines, arcs, a path). It is
// typed into and edited in place with a caret (a box index and a side: 1 before the box, 0 after
// it) and a selection (the mark bit of the character boxes), stored as its '!' record, drawn,
// hit-tested and converted to curves for cutting. Typing only inserts boxes; the layout runs on
// the view's timer 1, four ticks after the last keystroke, so that a burst of typing costs one
// layout. Screen feedback (caret, selection) is drawn in XOR so that drawing it again erases it.
//
// Record (tag '!', little-endian): +0 tag, +1 int32 length (77 + L1 + L2), +5 type 130, +6
// attribute word, +8 box, +24 frame rectangle, +40 matrix (9 floats), +76 the effect record (L1
// bytes, its own length at its +1), then the box-array record (L2 bytes, 0 when the text has no
// boxes), then the end byte 0xF1 and one spare 0xFF outside the length.
#pragma once

#include <memory>
#include <vector>

#include "model/blocks/Block.h"
#include "text/layout/BoxArray.h"
#include "text/layout/TextDefaults.h"

class CCharBox;
class CFontRebinding;
class CTextEffect;

class CTextBlock : public CBlock {
public:
  static constexpr size_t kFixedRecordLength = 77;
  static constexpr size_t kEffectOffset = 76;
  static constexpr UINT_PTR kRelayoutTimer = 1;
  static constexpr UINT kRelayoutPeriod = 50;
  // Ticks of the relayout timer after the last keystroke before the text is laid out.
  static constexpr int kTicksBeforeLayout = 4;
  // Hit filters of HitTestChars.
  enum : int { kUnselectedChar = 0, kSelectedChar = 1, kAnyChar = 2 };
  // Commands to the main frame after a click on a character: its size and its language's name.
  static constexpr UINT kCharSizeNotice = 32839;
  static constexpr UINT kLanguageNotice = 32840;
  // Shows the text editor window.
  static constexpr UINT kShowTextEditor = 40067;

  CTextBlock();
  ~CTextBlock() override;

  // The text tool's block: a straight layout of the kind (0-3) over the rectangle.
  static CTextBlock* CreateAt(int kind, float left, float top, float right, float bottom);
  // A text block from its '!' record; null for another tag or a damaged record (an effect that
  // does not load, a box array that lies outside the record or is not one).
  static CBlock* FromRecord(const BYTE* record, size_t available);

  // --- Block operations
  void ReplaceFont(int oldFont, int oldIndex, int newFont, int newIndex) override;
  void RemountFonts(CFontRebinding& fonts) override;
  void UpdateBox() override;
  BOOL IsEmpty() override;
  void SetAttrBits(CBlockView* view, WORD bits, WORD mask) override;
  void Draw(CDC* dc, CMatrix2D* matrix, int flag) override;
  void DrawForPrint(CDC* dc, CMatrix2D* matrix, int flag) override;
  BOOL CanTextEdit() override;
  void TextDelete(CBlockView* view) override;
  void TextBackspace(CBlockView* view) override;
  BOOL HasEditSelection() override;
  BOOL EndTextEdit(CBlockView* view) override;
  void DrawTextEditOverlay(CDC* dc, CMatrix2D* matrix) override;
  BOOL TextUpdateCursor(CBlockView* view, UINT keyFlags, float x, float y) override;
  BOOL DragUpdateCursor(CBlockView* view, UINT keyFlags, float x, float y) override;
  BOOL DragResetCursor(CBlockView* view) override;
  BOOL TextOnChar(CBlockView* view, UINT ch, UINT flags) override;
  BOOL TextOnKeyDown(CBlockView* view, UINT key, UINT modifiers) override;
  BOOL OnTimer(CBlockView* view, UINT_PTR timer) override;
  BOOL TextOnLButtonDown(CBlockView* view, UINT keyFlags, float x, float y) override;
  BOOL TextOnMouseMove(CBlockView* view, UINT keyFlags, float x, float y) override;
  BOOL TextOnLButtonUp(CBlockView* view, UINT keyFlags, float x, float y) override;
  BOOL OnLButtonDblClk(CBlockView* view, UINT keyFlags, float x, float y) override;
  BOOL FinishHandleDrag(CBlockView* view, UINT keyFlags, float x, float y) override;
  void DrawXorOutline(CDC* dc, CMatrix2D* matrix) override;
  void DrawHandleXor(CBlockView* view, int handle, float x, float y) override;
  void MoveHandle(UINT keyFlags, int handle, float x, float y) override;
  BOOL HitTest(CBlockView* view, float x, float y) override;
  BOOL HitTestHandle(CBlockView* view, float x, float y, int* handle) override;
  void Offset(float dx, float dy) override;
  void SetBox(float left, float top, float right, float bottom) override;
  void Transform(const CMatrix2D& matrix) override;
  CContour* GetContour(const CMatrix2D* matrix, UINT flags) override;
  void Relayout(CBlockView* view, int from) override;
  void AppendText(CString& text) override;
  // The characters as plain text after what the buffer holds (a line break before them when it
  // holds something), each line break as CR LF; as many whole characters as fit before the
  // buffer's last byte, which stays the terminating zero.
  void AppendClipboardText(char* buffer, size_t capacity) override;
  int WriteRecord(HGLOBAL* record) override;
  int AppendRecordTo(CByteWriter& out) override;
  CBlock* ToCurve(DWORD colour) override;
  void SetColour(CBlockView* view, DWORD colour, BOOL redraw) override;
  void AddColourToCombo(HWND combo) override;
  UINT GetPanelId() override;
  void SetPanelCaption(HWND panel) override;
  HWND CreatePanel(HWND parent) override;
  void FillPanel(HWND host) override;
  // The layout takes the panel's values in one undo record on the active view and lays the text
  // out again.
  BOOL ApplyPanel(HWND panel) override;
  CBoxArray* GetBoxArray() override { return &m_boxes; }

  // The box and every glyph's own bounds where the layout placed it.
  CFRect GetDrawnBox() const override;

  // --- Text services
  CBlock* GetEffectOutline() const override;
  BYTE GetEffectKind() const;
  CTextEffect* GetEffect() const { return m_effect.get(); }
  // Gives the block another layout and hands back the one it had; the caller lays it out again.
  std::unique_ptr<CTextEffect> ReplaceEffect(std::unique_ptr<CTextEffect> effect);
  // Gives the block another layout in the view's undo step, which keeps the old one, and lays it
  // out again. A text leaving the path stands its characters upright.
  void TakeEffect(CBlockView* view, std::unique_ptr<CTextEffect> effect);
  const CFRect& GetFrame() const { return m_frame; }
  CTextDefaults& GetLayoutState() { return m_layoutState; }

  // Inserts a box at the caret (see the caret rule in the source) and returns its index.
  INT_PTR InsertChar(CTextBox* box);
  // Moves every box of the array in, in order, at the caret; the array is left empty.
  int InsertBoxesAtCaret(CBoxArray& array);
  // The selected boxes taken out into a new array (null when none); *index the lowest removed.
  CBoxArray* CutSelectedBoxes(CBlockView* view, INT_PTR* index);
  // Clones of the selected boxes; null when none.
  CBoxArray* CopySelectedBoxes() const;
  // The selected characters as text (CGbkClipboard) and as boxes in the private format.
  BOOL CopyToClipboard(HWND owner);
  // The registered clipboard format of character boxes.
  static UINT GetClipboardFormat();
  // The text editor window's part of Ctrl+double-click: it puts its selected text on the
  // clipboard and answers whether it had any. The editor installs it; without one, or without a
  // selection there, Ctrl+double-click pastes nothing. Returns the one it replaces.
  using EditorSelectionCopier = bool (*)(HWND owner);
  static EditorSelectionCopier SetEditorSelectionCopier(EditorSelectionCopier copier);
  // Inserts copied boxes, else the clipboard's text, at the caret as one undo step. Characters
  // GBK cannot hold are left out of the text, with the message.
  BOOL PasteFromClipboard(CBlockView* view);
  void SelectRange(INT_PTR a, INT_PTR b);
  void SetCharFlags(CBlockView* view, INT_PTR from, INT_PTR to, WORD set, WORD clear);
  void SetCharsColour(CBlockView* view, INT_PTR from, INT_PTR to, DWORD colour, BOOL redraw);
  // ApplyFormat over the selected characters; FALSE when nothing is selected.
  BOOL ApplyFormatToSelection(CBlockView* view, const CTextDefaults& format, int flags);
  // The format's values (sizes as lengths on the page) given to each character box from..to that
  // differs in a value the flags name, each recorded for undo, and the text laid out again from the
  // first changed; the number of characters changed.
  int ApplyFormat(CBlockView* view, const CTextDefaults& format, int flags, INT_PTR from,
                  INT_PTR to);
  // The flags of the values the character box differs in from the format.
  static int FormatDifferences(const CCharBox* box, const CTextDefaults& format, int flags);
  // Later lines of the selection start under its first character: the selection goes between an
  // opening and a closing alignment box (kinds 32 and 0x8020). 0 without a selection.
  int AlignLineStart(CBlockView* view);
  // Takes the format boxes between the character before from and to out of the text; alignment
  // boxes go with their partners.
  void RemoveAttrBoxes(CBlockView* view, INT_PTR from, INT_PTR to);
  // The character's width and height as lengths on the page; false for no character box.
  bool GetCharSize(INT_PTR index, float* width, float* height) const;

  // --- Caret and selection
  void SetCaret(CBlockView* view, INT_PTR index, int side);
  void PlaceCaretAtPoint(CBlockView* view, INT_PTR index, float x, float y);
  // The character box under the page point by filter; false when none.
  bool HitTestChars(float x, float y, int filter, INT_PTR* index) const;
  void ShowCaret(CBlockView* view);
  void HideCaret(CBlockView* view);
  void RefreshCaret(CBlockView* view);
  // XOR of the selected cells; with clear the marks go too.
  void DrawSelection(CDC* dc, const CMatrix2D* matrix, bool clear);
  void DrawSelection(CBlockView* view, bool clear);
  void ExtendSelection(CBlockView* view, INT_PTR anchor, int anchorSide);
  // Repaints the character's cell and its glyph's own bounds.
  void InvalidateBox(CBlockView* view, CCharBox* box);
  // Index -1 becomes the first character; an attribute box moves to a character next to it.
  void NormalizeCaret(INT_PTR* index, int* side) const;
  INT_PTR NextCharIndex(INT_PTR index) const { return m_boxes.NextCharIndex(index); }
  INT_PTR PrevCharIndex(INT_PTR index) const;
  INT_PTR GetCaret() const { return m_caret; }
  int GetCaretSide() const { return m_caretSide; }
  bool IsCaretShown() const { return m_caretShown != 0; }
  void SetCaretIndex(INT_PTR index) { m_caret = index; }
  INT_PTR GetAnchor() const { return m_anchor; }
  void SetAnchor(INT_PTR index) { m_anchor = index; }
  int GetSelectedCount() const { return m_selectedCount; }
  INT_PTR GetRelayoutStart() const { return m_relayoutStart; }
  void SetRelayoutStart(INT_PTR index) { m_relayoutStart = index; }
  // Where characters dropped on the block go: the remembered character box, if any.
  CTextBox* GetCaretBox() const { return m_boxes.GetBox(m_caret); }

  // Removes the box at the index into an undo record of the view, or deletes it.
  void DiscardBoxAt(CBlockView* view, INT_PTR index);
  void DeleteSelection(CBlockView* view);
  void DeleteCharAtCaret(CBlockView* view);

private:
  // Gives the character the font; false when it had it already.
  static bool SetFont(CCharBox* box, WORD key, int number);
  // Declares a (key, number) pair with the number of its saved name among the fonts mounted now.
  static void DeclareFont(CFontRebinding& fonts, WORD key, int number);
  CMatrix2D ToDevice(CBlockView* view) const;
  CMatrix2D PlacementOf(const CCharBox* box) const;
  // Calls draw(box, placement) for every character that is drawn, with the matrix that takes its
  // glyph to the page and then through matrix (when given), its turn set aside along a path.
  template <class Function>
  void ForEachGlyph(const CMatrix2D* matrix, Function draw) const;
  // The character's cell on the page united with its glyph's bounds.
  CFRect DrawnBoxOf(CCharBox* box) const;
  // Each character's drawn box by index (empty for other boxes), taken before a relayout moves
  // them so that their old places are repainted too.
  std::vector<CFRect> DrawnBoxesOfChars() const;
  void DrawCaretLine(CBlockView* view);
  void ComputeCaretLine();
  void GetSelectionAnchor(INT_PTR* anchor, int* side) const;
  void StartRelayoutTimer(CBlockView* view, INT_PTR from);
  // The union of the laid-out character rectangles; false when none has a height.
  bool TextExtent(CFRect* extent) const;
  // Along a path the characters' angles are the layout's turns, applied by their placements.
  bool TurnsInPlacement() const;
  // A text along a turning path read without the turns in its characters' angles.
  bool LacksPathTurns() const;
  void FitBoxToPage(CCharBox* box) const;
  // Tells the main frame the clicked character's size and its language.
  void ReportCharacter(CCharBox* box) const;
  CFRect MapRect(const CFRect& rect) const;
  // The box mapped from the text extent, kept as it was where the mapping is not finite.
  void SetBoxFromExtent(const CFRect& extent);
  // The character box at the index when the last layout placed it (line breaks are never drawn).
  CCharBox* PlacedCharAt(INT_PTR index) const;
  // A page rectangle, invalidated on the view with the caret's margin.
  void InvalidatePageRect(CBlockView* view, CFRect page);

  BYTE m_pendingLead = 0;
  BYTE m_lastInput = 0;
  int m_ticks = 0;
  int m_selectedCount = 0;
  CFRect m_frame;
  std::unique_ptr<CTextEffect> m_effect;
  CBoxArray m_boxes;
  INT_PTR m_relayoutStart = -1;
  INT_PTR m_caret = -1;
  INT_PTR m_anchor = -1;
  int m_caretSide = 1;
  int m_caretShown = 0;
  FPOINT m_caretTop = {0, 0};
  FPOINT m_caretBottom = {0, 0};
  // The press of a caret placing or selecting drag began on this block.
  bool m_pressed = false;
  FPOINT m_press = {0, 0};
  bool m_dragStarted = false;
  CTextDefaults m_layoutState;
  // The layout as it was when the handle drag under way began.
  std::unique_ptr<CTextEffect> m_layoutBeforeDrag;
};
