// CSegArray: the ordered list of blocks. It is a document's block list, a group's children and
// what travels through files and the clipboard, stored as one record:
//
//   +0 tag 2, +1 length (signed 32-bit, from the tag up to and including the end byte 0xFE),
//   +5 the block records back to back, then 0xFE.
//
// The list owns its blocks and deletes them with itself.
#pragma once

#include <windows.h>

#include <cstddef>
#include <functional>

#include "framework/ObArray.h"
#include "framework/String.h"
#include "model/geometry/FRect.h"

class CBlock;
class CByteWriter;
class CFile;
class CFontRebinding;
class CMatrix2D;

class CSegArray : public CObArray {
public:
  CSegArray();
  ~CSegArray() override;
  CSegArray(const CSegArray&) = delete;
  CSegArray& operator=(const CSegArray&) = delete;

  CBlock* GetBlock(INT_PTR index) const;
  INT_PTR AddBlock(CBlock* block);
  void SetBlock(INT_PTR index, CBlock* block);
  void InsertBlock(INT_PTR index, CBlock* block);
  // Deletes every block and empties the list.
  void DeleteAll();

  // The record in a new movable block (the caller frees it) followed by uncounted spare bytes;
  // its length, or 0 and no memory for an empty list. Blocks that write no record are left out,
  // so a list whose blocks all write nothing gives the bare 6-byte record that no reader takes.
  int WriteToMemory(HGLOBAL* record);
  // Appends the record to the writer; false, appending nothing, when no block writes a record.
  // Every writer of a list that is to be read back (documents, the clipboard) goes through this,
  // so that nothing is stored that the reader would refuse. Each block writes its record in
  // place (CBlock::AppendRecordTo).
  bool AppendRecordTo(CByteWriter& writer);
  // The same for a record too large to be built whole in memory first (a document being saved):
  // whenever more than pieceSize bytes stand in the writer after a block's record, flush takes
  // them (with whatever stood in the writer before the record) and the writer is emptied. Returns
  // the record's length, 0 when no block wrote a record (then nothing was appended or flushed).
  // When a piece went to flush, the record's length word (at its offset 1) stays 0 for the
  // caller to fill in; otherwise it is written. Exceptions of flush pass through.
  size_t WriteRecordInPieces(CByteWriter& writer, size_t pieceSize,
                             const std::function<void(const BYTE*, size_t)>& flush);
  // Writes the record at the file position; FALSE, writing nothing, when no block has a record.
  BOOL WriteToFile(CFile* file);
  // Reads one record at the file position and appends its blocks; FALSE when there is none.
  BOOL ReadFromFile(CFile* file);

  // Union of the boxes, also kept as the list's bounds. With skipNegative, blocks whose box ends
  // left of or above the origin are passed over. FALSE for an empty list or no rectangle.
  BOOL GetBounds(CFRect* bounds, BOOL skipNegative);
  // Transforms every block that GetBounds would count and recomputes the bounds.
  BOOL Transform(const CMatrix2D& matrix, BOOL skipNegative);
  void ReplaceFont(int oldFont, int oldIndex, int newFont, int newIndex);
  // RemountFonts of every block, in order.
  void RemountFonts(CFontRebinding& fonts);
  void AddColoursToCombo(HWND combo);
  void AppendText(CString& text);

  CFRect m_bounds;

private:
  static bool PassedOver(const CBlock* block, BOOL skipNegative);
};

// A new list from a block-list record of the given size, or null (another tag, or no block read).
// At a record that no block can be built from the list stops, keeping the blocks before it; in a
// file being read a block with a point far outside any page (CDrawingBounds) is left out and the
// list reads on.
// The damage goes to the load's report (CLoadDamage), also where it lies in lists nested in
// groups; *damaged (when given) tells whether this load met damage anywhere, so that a caller
// knows the list is partial.
CSegArray* LoadSegArray(const BYTE* record, size_t available, bool* damaged = nullptr);
// The same from a block-list record that begins at the file's position and has available bytes
// (its length word, cut to what the file holds), read a piece of pieceSize bytes at a time
// rather than whole (a piece widens for a record larger than that). The file's errors pass
// through as its exceptions.
CSegArray* LoadSegArrayFromFile(CFile& file, size_t available, size_t pieceSize,
                                bool* damaged = nullptr);

// Damage a block's reader met and mended, keeping its block (CLoadDamage::NoteMended): the load
// counts as damaged; without a collector the text shows, once per load.
void ReportDamagedData(LPCSTR text, LPCSTR caption);

// The text of the copied blocks goes to the clipboard in a buffer of this size.
const size_t kClipboardTextCapacity = 65530;
// The private clipboard format of block lists ("... - [SEGMULTI]").
UINT GetBlockListClipboardFormat();
// Puts the list's selected blocks on the clipboard as a block-list record, and their text in its
// 8-bit and wide forms (CGbkClipboard). FALSE when the clipboard cannot be opened or does not
// take the data. Both are built before the clipboard is opened: when memory runs out on the way
// the exception leaves the clipboard closed and as it was, and the clipboard never holds one of
// the two without the other.
BOOL CopyBlocksToClipboard(CSegArray* list);
