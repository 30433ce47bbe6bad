// CFontTable: the common form of the three font tables. It holds one row per language row (0-29);
// a row holds font lists (columns) and a list holds font entries, whose index is the font number a
// text keeps. The installed-font and TrueType-file tables use column 0 only; the own font file
// table has one column per mount of the language. Out-of-range rows, columns and entries give 0,
// -1, an empty text or null, never a fault.
#pragma once

#include <windows.h>

#include <vector>

#include "text/FontEntry.h"

class CFontTable {
public:
  static constexpr int kRowCount = 30;

  CFontTable() = default;
  virtual ~CFontTable();
  CFontTable(const CFontTable&) = delete;
  CFontTable& operator=(const CFontTable&) = delete;

  // Number of lists in the row; 0 for a row outside 0-29.
  int GetColumnCount(int row) const;
  // Number of entries of a list; 0 when there is no such list.
  int GetEntryCount(int row, int col) const;
  // Appends the entry to list col; when col is the row's list count a new list is made first. A
  // col further out gets one empty list and fails (0), so that it never lands in the wrong list;
  // callers that fill columns in order pad first (EnsureColumns). 1 on success.
  int AddEntry(int row, int col, const CFontEntry& entry);
  // Appends empty lists until the row has count of them: a mount without fonts keeps its place.
  void EnsureColumns(int row, int count);
  // Copies the entry's name or text into out (emptied first); 0 when out of range.
  int GetEntryName(int row, int col, int i, CString& out) const;
  int GetEntryText(int row, int col, int i, CString& out) const;
  // Index of the first entry whose text equals text byte for byte; -1 when none or out of range.
  int FindEntry(int row, int col, LPCSTR text) const;
  // Index of the font known by name: the entry whose text it is, else the first entry that has it
  // among its other names; -1 when none. A document names its fonts as the machine that saved it
  // listed them, in that machine's language.
  int FindFont(int row, int col, LPCSTR name) const;
  // The other names of an entry's font: those the entry was given (the installed fonts' table
  // asks the font itself).
  virtual std::vector<CString> OtherNames(int row, int col, int i) const;
  // A new movable block of (entries + 1) x width zero bytes with entry k's text in slot k (cut to
  // width - 1 bytes); null when out of range, the list is empty or width is not positive. The
  // caller frees it.
  HGLOBAL GetNameBlock(int row, int col, int width) const;
  // Deletes every entry, list and row.
  void FreeRows();

protected:
  const CFontEntry* Entry(int row, int col, int i) const;

private:
  const std::vector<CFontEntry>* List(int row, int col) const;

  std::vector<std::vector<CFontEntry>> m_rows[kRowCount];
};
