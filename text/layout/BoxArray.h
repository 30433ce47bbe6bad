// CBoxArray: the boxes of a text in reading order, owned. Attribute boxes form runs: an opener
// (bit 15 of its kind clear) before the characters and a closer (bit 15 set) after them; the
// format edits remove markers so that runs stay balanced, each removal recorded for undo on the
// active view while it records (the record then owns the box) and deleted otherwise.
//
// Box-array record (little-endian): +0 tag 3, +1 int32 length (end byte included), +5 the box
// records back to back (tag 17 attribute box, tag 18 character box, each with its own int32
// length at its bytes 1-4), length - 1: end byte 0xFE.
#pragma once

#include <windows.h>

#include <cstddef>

#include "framework/PtrArray.h"
#include "framework/String.h"

class CByteWriter;
class CCharBox;
class CMatrix2D;
class CTextBox;
class CTextDefaults;

class CBoxArray : public CPtrArray {
public:
  static constexpr BYTE kRecordTag = 3;
  static constexpr BYTE kEndByte = 0xFE;
  // Tag, length and end byte: the record of an empty array.
  static constexpr size_t kEmptyRecordLength = 6;
  // Flags of ApplyCharFormat.
  enum : int { kApplySize = 1, kApplyFont = 2, kApplyAngle = 4, kApplySkew = 8 };

  CBoxArray() = default;
  ~CBoxArray();
  CBoxArray(const CBoxArray&) = delete;
  CBoxArray& operator=(const CBoxArray&) = delete;

  CTextBox* GetBox(INT_PTR index) const;
  // The character box at the index; null for an attribute box or an index outside the array.
  CCharBox* GetCharBox(INT_PTR index) const;
  void DeleteAll();

  // The tag-3 record in a new movable block (*out; the caller frees it) and its length; 0 and a
  // null handle for an empty array or when a box writes no record.
  int WriteToMemory(HGLOBAL* out) const;
  // The same record appended to a writer; false (the writer keeping what it had) when it fails.
  bool WriteRecord(CByteWriter& out) const;

  INT_PTR IndexOf(const CTextBox* box) const;
  // Removes and returns the box (the caller owns it).
  CTextBox* RemoveAt(INT_PTR index);
  // Searches from the end; the former index or -1.
  INT_PTR Remove(const CTextBox* box);
  // The nearest character box before the position; the position itself when there is none.
  INT_PTR PrevCharIndex(INT_PTR position) const;
  // The first character box after the position (-1 gives the first of all); -1 when none.
  INT_PTR NextCharIndex(INT_PTR position) const;
  CTextBox* FindFirstSelected(INT_PTR* index) const;
  CTextBox* FindLastSelected(INT_PTR* index) const;

  // Over the character boxes but line breaks: with wholeAdvances the sum of their advances, else
  // from the first one's left edge to the last one's centre; the largest height and the count.
  void GetTextExtent(float* total, float* largestHeight, int* count, bool wholeAdvances) const;
  // The spacing values of the first n boxes (the last of each kind wins).
  void GetFormatAt(INT_PTR n, CTextDefaults* format) const;
  void ApplyCharFormat(const CTextDefaults& format, int flags);

  // The characters in order, a double-byte character as lead byte then trail byte.
  void AppendText(CString& text) const;
  CString GetText() const;

  // Format edits (mask: attribute kinds in bits 0-14).
  void RemoveRedundantFormats();
  void RemoveEmptyFormatPairs(WORD mask);
  // Removes the mask's markers before position, going back until the closer's run is balanced;
  // position moves back by the number removed.
  void RemoveFormatBackward(INT_PTR* position, WORD mask);
  // Removes the mask's markers after position until the opener's run is balanced.
  void RemoveFormatForward(INT_PTR position, WORD mask);
  void RemoveFormatInRange(INT_PTR from, INT_PTR to, WORD mask);
  void RemoveFormatAtSelection(WORD mask);

private:
  // Removes the box at the index for good: into an undo record or deleted.
  void DiscardAt(INT_PTR index);
};

// A new array from a tag-3 record within available bytes; null when the tag is not 3 or no box
// was read. A damaged record (unknown tag, a box record that is not whole, a zero length, a
// length past the array or no end byte within the array's own length) keeps the boxes read so far
// and says so in a message box.
CBoxArray* LoadBoxArray(const BYTE* record, size_t available);
// One character box per character of a GBK text, made with the defaults; control characters but
// CR are skipped. Null when there is none.
CBoxArray* MakeCharBoxesFromText(LPCSTR text, const CTextDefaults& defaults);
// Scales the character boxes' widths and heights by the lengths of the matrix's mapped axes.
void ScaleBoxSizes(CBoxArray* array, const CMatrix2D& matrix);
