// CTextTool: the text tool's mouse handling in the main drawing view (tool 40071). A click on a
// text block's character puts that block under edit with the caret at the click; a click on empty
// page starts a new text block there; a drag across the block under edit selects characters
// (presses that the block under edit places itself are its own). A press on selected characters
// starts dragging them (state kDragging, mode 48000): the release moves them, or copies them
// with Ctrl, into the text block under the pointer, or into a new text block on empty page;
// releasing on the selection itself moves nothing. Shift formats the dropped characters like the
// character at the drop. Empty blocks left under edit are removed with an undo record.
#pragma once

#include "editor/views/ViewMouseTarget.h"

class CBoxArray;
class CTALVEX42View;
class CTextBlock;

class CTextTool : public CViewMouseTarget {
public:
  enum State { kIdle, kDragging };

  explicit CTextTool(CTALVEX42View* view) : m_view(view) {}

  BOOL OnLButtonDown(const Event& event) override;
  BOOL OnMouseMove(const Event& event) override;
  BOOL OnLButtonUp(const Event& event) override;

  State GetState() const { return m_state; }
  CTextBlock* GetDropBlock() const { return m_drop; }
  // Ends the edit of the block under edit (false when it refuses) and removes it when empty.
  bool FinishEditBlock();

private:
  // The first text block whose box holds the point and that has a character there by filter.
  CTextBlock* HitTextBlock(float x, float y, int filter, INT_PTR* charIndex) const;
  CTextBlock* EditBlock() const;
  void BeginEditAt(CTextBlock* block, INT_PTR index, float x, float y);
  void RemoveBlock(CTextBlock* block);
  void RecordBeginEdit(CTextBlock* block);
  CTextBlock* NewBlockAt(float x, float y, bool withHeight);
  void Drop(const Event& event);
  // The dragged characters taken out of the source, scaled to the page; null when none.
  CBoxArray* TakeDragged(CTextBlock* source, bool copy);
  // Undo records that put copies of the selected characters back into the source.
  void RecordCut(CTextBlock* source);
  void InsertDropped(CTextBlock* target, CBoxArray& taken, bool format);
  void FormatLikeCaret(CTextBlock* target, CBoxArray& taken);

  CTALVEX42View* m_view;
  State m_state = kIdle;
  CTextBlock* m_drop = nullptr;
};
