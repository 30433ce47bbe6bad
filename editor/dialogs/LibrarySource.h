// CLibrarySource: the source of graphics that the library dialogs show, by source type: 0 and 1
// the installed fonts of character sets 2 and 0 (kinds are the fonts, numbers character codes 32
// to 254), 2 and up the mounted graphics libraries (type t is library t - 2; kinds are the
// library's kinds, numbers its graphics). It opens the library of a library type, fills the
// dialogs' lists, reads outlines, draws them fitted into cells, and remembers the last choice in
// the profile ("CurrentPicLibType", "CurrentPicLibNo", "CurrentPicNo" of "SystemParam").
#pragma once

#include <windows.h>

#include "framework/String.h"
#include "media/library/PicLibrary.h"

class CContour;
class CDC;
class CMatrix2D;

class CLibrarySource {
public:
  static constexpr int kFontTypes = 2;
  static constexpr int kFirstCode = 32;
  static constexpr int kLastCode = 254;

  struct Choice {
    int type = 1;
    int kind = 1;
    int number = 1;
  };
  static Choice LoadChoice();
  static void StoreChoice(const Choice& choice);

  // The two font types and the titles of the mounted libraries, in type order, each entry's data
  // its type. Titles and kind names are GBK: every list shows them through the wide calls.
  static void FillTypes(HWND combo);
  // The titles of the mounted libraries, each entry's data the library's number (a number whose
  // file has gone has no entry).
  static void FillLibraries(HWND combo);
  // The data of the chosen entry of such a list; -1 when none is chosen.
  static int ChosenData(HWND combo);
  // Chooses the entry of the data; false (and no entry chosen) when there is none.
  static bool ChooseData(HWND combo, int data);
  static bool IsFontType(int type) { return type >= 0 && type < kFontTypes; }

  // Chooses the source type; false when its library does not open, with a message to owner when
  // it is damaged (owner may be null: no message). The lists of an unopened source are empty.
  bool SetType(int type, HWND owner);
  int GetType() const { return m_type; }
  bool IsFontType() const { return IsFontType(m_type); }
  // Fonts of a font type or kinds of the library, in number order.
  void FillKinds(HWND combo) const;
  // The kinds of the library into the combo box, emptied first, in number order.
  static void FillKinds(HWND combo, const CPicLibrary& library);
  int GetKindCount() const;
  // Entries a kind offers: the codes 32-254 of a font, the graphics of a library kind.
  int GetEntryCount(int kind);
  // The number entry i stands for: the character code of a font type, i itself for a library.
  int NumberOfEntry(int entry) const;
  // Whether the library's graphics carry names.
  bool HasNames() const;
  // What an entry shows in the interface language: the graphic's name when it has one, else its
  // number. A name stored in both languages, the Chinese words and then after a blank the
  // English ones ("右箭头 Right"), shows only its English words in an English interface.
  CString LabelOf(int kind, int number, WORD language);
  // The outline of a number of a kind, each point mapped by the matrix (may be null); the caller
  // owns it, null when there is none.
  CContour* ReadOutline(int kind, int number, const CMatrix2D* matrix);
  CPicLibrary& Library() { return m_library; }

  // Draws the outline scaled uniformly to fit the area (device pixels), from its top left; a
  // blank outline or an empty area draws nothing.
  static void DrawFitted(CDC* dc, CContour* outline, const RECT& area);
  // The damaged-library message for the problem, when it is one the user must hear of.
  static void ReportProblem(HWND owner, CPicLibrary::Problem problem);

private:
  int m_type = -1;
  CPicLibrary m_library;
};
