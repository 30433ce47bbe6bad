// CClipboardCommands: the main view's clipboard and merge commands: copy (57634), cut (57635),
// paste (57637) and merge a file (40017). Copy puts the selected blocks on the clipboard as a
// block-list record with their text, or the selected output areas while an area tool is current;
// cut is copy followed by the view's own delete; paste appends the blocks of the clipboard in one
// undo step, each with its insert record; merge appends the blocks of another drawing with one
// merge record and hands the drawing's text to the text editor.
//
// While a text block is under edit the three clipboard commands work on its characters instead:
// copy puts the selected characters on the clipboard as character boxes and as plain text, cut
// also deletes them, paste inserts boxes or plain text at the caret. The view asks this first for
// these ids (one hook in its OnCmdMsg).
#pragma once

#include <windows.h>

#include "framework/CmdTarget.h"
#include "model/geometry/FRect.h"

class CCmdUI;
class CTALVEX42Doc;
class CTALVEX42View;

class CClipboardCommands : public CCmdTarget {
public:
  enum : UINT {
    kCopy = 57634,
    kCut = 57635,
    kPaste = 57637,
    kDelete = 57632,
    kMerge = 40017,
    // The main frame opens the text editor on this command.
    kOpenTextEditor = 40067,
  };

  explicit CClipboardCommands(CTALVEX42View* view);

  // Appends the clipboard's blocks to the document, moved by the offset when one is given, each
  // with an insert record in the step that is open. 1 when blocks were pasted.
  int PasteFromClipboard(const FPOINT* offset);
  // Appends the blocks of a block-list record in one step with one merge record; 1 when blocks
  // were merged. The record is read, not taken over.
  int MergeBlocks(HGLOBAL record);
  // Inserts the clipboard's character boxes, else its plain text, at the caret of the text block
  // under edit, each box with its undo record; 0 when no text block is under edit.
  int PasteTextFromClipboard();
  // Whether the clipboard holds characters a text under edit can take.
  static bool TextOnClipboard();
  // Appends the text after the text editor's current text and a line break, opening the editor
  // first when it is not there; false when there is no editor to take it.
  static bool AppendToTextEditor(HGLOBAL text);

protected:
  void OnCopy();
  void OnCut();
  void OnPaste();
  void OnMerge();
  void OnUpdateCopy(CCmdUI* cmdUI);
  // Cut needs something to take out: selected characters of a text under edit, else selected
  // output areas or blocks.
  void OnUpdateCut(CCmdUI* cmdUI);
  void OnUpdatePaste(CCmdUI* cmdUI);
  void OnUpdateMerge(CCmdUI* cmdUI);
  DECLARE_MESSAGE_MAP()

private:
  CTALVEX42Doc* Document() const;
  bool OutputAreaToolActive() const;
  bool TextUnderEdit() const;
  bool CanCut() const;
  // Whether the text under edit has selected characters.
  bool CharactersSelected() const;
  int SelectedAreaCount() const;
  int SelectedBlockCount() const;

  CTALVEX42View* m_view;
};
