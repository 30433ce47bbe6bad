// CViewCommandBase: what the editing commands of the main drawing view share: the view, its
// document and block list, the selection tracker and the undo manager, and the one rule of
// recording (an undo record only while the undo depth is non-zero; otherwise a block taken out of
// the document is deleted at once). The command classes derive from it; it holds no state of its
// own beyond the view.
#pragma once

#include <windows.h>

class CBlock;
class CSegArray;
class CSelectTracker;
class CTALVEX42Doc;
class CTALVEX42View;
class CUndoManager;
class CUndoRecord;

class CViewCommandBase {
public:
  explicit CViewCommandBase(CTALVEX42View* view) : m_view(view) {}
  CViewCommandBase(const CViewCommandBase&) = delete;
  CViewCommandBase& operator=(const CViewCommandBase&) = delete;

protected:
  CTALVEX42Doc* Document() const;
  // Null without a document.
  CSegArray* Blocks() const;
  CSelectTracker& Tracker() const;
  CUndoManager& Undo() const;
  bool Recording() const;
  // Appends the record while recording; otherwise deletes it.
  void Record(CUndoRecord* record) const;
  // A block the document gave up: held by its delete record while recording, else deleted.
  void RecordRemoval(CBlock* block, INT_PTR index) const;
  // Blocks whose selected flag is 1, and those of them of the type (0: any).
  int CountSelected(BYTE type = 0) const;
  // The view repainted without erasing.
  void Repaint() const;

  CTALVEX42View* m_view;
};
