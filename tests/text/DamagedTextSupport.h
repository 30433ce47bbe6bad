// What the damaged-text document tests share: texts of a few characters laid out as an edit lays
// them out, over fonts that give 'A', 'B' and one Chinese character a square glyph.
#pragma once

#include <gtest/gtest.h>

#include <initializer_list>
#include <memory>

#include "model/DamagedDocumentCheck.h"
#include "text/TextBlock.h"
#include "text/layout/ArcEffect.h"
#include "text/layout/CharBox.h"
#include "text/layout/FakeGlyphSource.h"
#include "text/layout/TextDefaults.h"

namespace damaged_documents {

// A text of the codes from (x, y), in straight lines or on an arc.
inline CTextBlock* LaidOutText(float x, float y, std::initializer_list<WORD> codes,
                               bool onArc = false) {
  std::unique_ptr<CTextBlock> text(CTextBlock::CreateAt(0, x, y, x + 60, y + 12));
  for (WORD code : codes) {
    CCharBox* box = new CCharBox;
    box->Init(134, code, CTextDefaults::Global());
    text->InsertChar(box);
  }
  if (onArc)
    text->ReplaceEffect(
        std::make_unique<CArcEffect>(x, y, x + 80, y + 30, text->GetBoxArray(), &text->m_matrix));
  text->Relayout(nullptr, -1);
  text->UpdateBox();
  return text.release();
}

class DamagedTextTest : public ::testing::Test {
protected:
  DamagedTextTest() : m_saved(CTextDefaults::Global()) {
    for (WORD code : {WORD('A'), WORD('B'), WORD(0xB0A1)})
      m_fonts.glyphs[code] = {MakePointRecord(100, 100, kPointStart | kPointOnCurve),
                              MakePointRecord(924, 100, kPointOnCurve),
                              MakePointRecord(924, 924, kPointOnCurve),
                              MakePointRecord(100, 924, kPointClose | kPointOnCurve)};
  }
  ~DamagedTextTest() override { CTextDefaults::Global() = m_saved; }

  CTextDefaults m_saved;
  FakeGlyphSource m_fonts;
};

}  // namespace damaged_documents
