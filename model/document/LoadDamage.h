// CLoadDamage: the damage one load of block lists meets. Lists nest (a group's children are a
// list inside its record) and the readers of blocks find damage inside their records; all of it
// belongs to the load that began with the outermost list. Three kinds:
//   - the outermost list stops at a record it cannot build: the blocks before it are kept;
//   - a block is kept with its damage mended (a curve whose last record is taken for its end, a
//     text's characters up to their damage, a nested list cut short);
//   - a block is left out (a point far outside any page): its record is whole, the list reads on
//     after it.
// While a CLoadDamage lives (a document's open keeps one) the loads report to it and the user
// hears nothing from them: its owner says what was kept afterwards. A load without one shows its
// first damage at once, in the text its finder gives. Points far outside any page count as damage
// only in a file being read (while a CLoadDamage lives): blocks the program copies itself (clones,
// undo, the clipboard) are taken as they are, however far a user has moved or scaled them.
#pragma once

#include <windows.h>

class CLoadDamage {
public:
  CLoadDamage();
  ~CLoadDamage();
  CLoadDamage(const CLoadDamage&) = delete;
  CLoadDamage& operator=(const CLoadDamage&) = delete;

  bool Stopped() const { return m_stopped; }
  int Mended() const { return m_mended; }
  int LeftOut() const { return m_leftOut; }
  bool Any() const { return m_stopped || m_mended > 0 || m_leftOut > 0; }

  // ---- For the list loader and the readers of blocks ----
  // One list's loading, from construction to End, which says whether the list ended with its end
  // byte (whole) and returns whether the load has met damage anywhere so far. A list left by an
  // exception ends without a word.
  class ListScope {
  public:
    ListScope();
    ~ListScope();
    ListScope(const ListScope&) = delete;
    ListScope& operator=(const ListScope&) = delete;
    bool End(bool whole);

  private:
    bool m_open = true;
  };
  // A reader mended damage in its record and kept its block; text and caption are what a load
  // without a collector shows.
  static void NoteMended(LPCSTR text, LPCSTR caption);
  // A reader left its block out.
  static void NoteLeftOut();
  // Blocks left out since the program started: a list tells a block left out (the count grew
  // while it was read) from a record no block can be built from.
  static int LeftOutSoFar();
  // Whether blocks with points far outside any page are left out: while a file is read.
  static bool LeavesOutFarPoints();

private:
  // Shows the first damage of a load without a collector: the text given, or that of damaged
  // objects.
  static void Show(LPCSTR text, LPCSTR caption);
  static void ShowDamagedObjects();

  bool m_stopped = false;
  int m_mended = 0;
  int m_leftOut = 0;
  CLoadDamage* m_previous;
};
