// CFontRebinding: how the fonts an opened document's characters name are bound again on this
// machine. A character names its font by font key (character set in the low byte, source in bits
// 8-11) and font number, the font's place in the list of the machine that saved it; the
// document's font-mount section keeps that list's names. Opening a document runs the blocks'
// RemountFonts twice with one rebinding: the first pass declares every (key, number) the
// characters use, and the text code looks each saved name up in the fonts mounted now (Declare);
// then the names not mounted here are resolved (Replace: the user's choice in the font
// replacement dialog); the second pass (Apply) gives every character the new key and number of
// its pair at once, so that one font's new number can never be taken for another's old one.
// A pair whose name the section does not hold keeps its key and number.
#pragma once

#include <windows.h>

#include <cstddef>
#include <vector>

#include "framework/String.h"
#include "model/document/FontMountSection.h"

class CFontRebinding {
public:
  // kApplyAll also gives every character its glyph again (after the fonts were mounted anew).
  enum Phase { kDeclare, kApply, kApplyAll };

  struct Font {
    WORD key;
    int number;
    // The name the section saved for the pair, and whether it saved one.
    CString name;
    bool named;
    // Where the pair goes; the pair itself while it is not mounted and not replaced.
    WORD newKey;
    int newNumber;
    bool mounted;
    bool replaced;
  };

  explicit CFontRebinding(const CFontMountSection& section) : m_section(section) {}

  const CFontMountSection& Section() const { return m_section; }
  Phase GetPhase() const { return m_phase; }
  void SetPhase(Phase phase) { m_phase = phase; }

  // The pair's entry; null while it has not been declared.
  const Font* Find(WORD key, int number) const;
  // Declares a pair once: found >= 0 is its number among the fonts mounted now (same key), -1 when
  // its saved name is not mounted. A pair declared before keeps its first entry.
  void Declare(WORD key, int number, const CString* savedName, int found);

  // The named pairs that are not mounted here, in the order they were declared.
  std::vector<size_t> Missing() const;
  const Font& GetFont(size_t index) const { return m_fonts[index]; }
  size_t GetCount() const { return m_fonts.size(); }
  // Sends a pair to another font.
  void Replace(size_t index, WORD newKey, int newNumber);
  bool AnyReplaced() const;
  bool AnyChange() const;

  // The replacement dialog's line of a missing pair: "%-40s  -[%d,%d,%d] -{%d,%d}" with the saved
  // name, character set, source and old number, then the chosen library and font.
  static CString MissingLine(const Font& font, int library, int fontIndex);

private:
  const CFontMountSection& m_section;
  Phase m_phase = kDeclare;
  std::vector<Font> m_fonts;
};
