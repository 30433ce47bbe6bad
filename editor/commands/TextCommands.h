// CTextCommands: the main view's commands on text blocks: the four text directions (horizontal,
// reverse horizontal, vertical, reverse vertical), the character size modes and half-wide
// punctuation of new text, and reading and applying the character parameters of the selected text
// for the property bar and the font dialogs. Each selected text block of another direction gets a
// straight layout of the new one in one undo step; its frame is turned so that a line keeps its
// length when it changes from running across to running down. The view's command table decides
// whether a command is enabled; the view then hands the command here.
#pragma once

#include <windows.h>

#include "framework/CmdTarget.h"
#include "model/geometry/FRect.h"
#include "text/layout/TextDefaults.h"

class CBlock;
class CBoxArray;
class CTALVEX42View;
class CTextBlock;

class CTextCommands : public CCmdTarget {
public:
  // The character size mode in the low bits of a character's style word.
  static constexpr WORD kSizeModeMask = 3;
  // Chinese punctuation set half wide.
  static constexpr WORD kHalfWidth = 4;

  explicit CTextCommands(CTALVEX42View* view);

  // The frame of a straight layout of the kind (0-3) that follows from the frame of one of the
  // old kind: a line's length goes from width to height and back, the start corner stays.
  static CFRect TurnFrame(const CFRect& frame, int oldKind, int newKind);
  // Gives every selected text block of another kind the kind (0-3); the number changed.
  int SetDirection(int kind);
  // The size mode (0-2) given to the selected characters of the text under edit, else to every
  // character of the selected texts, in one undo step; when no selected text changed, new text
  // takes it. The number of texts changed.
  int SetSizeMode(WORD mode);
  // Spreads the lines of the first selected text over its frame (spread) or sets them from the
  // line start again, in one undo step; nothing while a block is under edit, for another first
  // selected block or for an arc layout. Whether the text changed.
  bool SetSpread(bool spread);

  // The characters of the selection (at most size - 1 bytes, a double-byte character whole or not
  // at all) and their parameters: from the text under edit with selected characters, else from
  // the first selected block that holds characters. 1 when the record was filled; 0 leaves it as
  // it was. The buffer may be null with size 0.
  int GetSelectedText(char* buffer, CTextDefaults* record, int size);
  // Gives the selected characters of the text under edit (then 1), else every character of the
  // selected texts (then 0), the record's values the flags name (CBoxArray::ApplyCharFormat
  // flags), in one undo step. Characters that already have them are left alone.
  int ApplyFontToSelection(const CTextDefaults& record, int flags);

  BOOL OnCmdMsg(UINT id, int code, void* extra, AFX_CMDHANDLERINFO* info) override;

protected:
  void OnDirection(UINT id);
  void OnSizeMode(UINT id);
  // New text sets Chinese punctuation half wide, or no longer.
  void OnHalfWidth();
  // Justify (spread) and left alignment of the first selected text.
  void OnJustify(UINT id);
  DECLARE_MESSAGE_MAP()

private:
  bool ChangeDirection(CTextBlock* text, int kind);
  // The block the character parameters come from and the index of its first selected box; null
  // when there is none.
  CBlock* ParameterSource(INT_PTR* first, INT_PTR* last) const;

  CTALVEX42View* m_view;
};
