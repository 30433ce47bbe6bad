// What a character box answers to the layout: its advance by kind and by its own font's metrics,
// the font a new box takes from the text defaults, and its glyph matrix, also for flat glyphs
// that a fit mode must not divide by. No window; fonts come from a fake glyph source.
#include <gtest/gtest.h>

#include <cmath>
#include <memory>

#include "model/geometry/Contour.h"
#include "text/layout/CharBox.h"
#include "text/layout/FakeGlyphSource.h"
#include "text/layout/TextDefaults.h"

namespace {

CCharBox Box(WORD code, const CTextDefaults& defaults) {
  CCharBox box;
  box.InitFromCode(code, defaults);
  return box;
}

CTextDefaults Defaults() {
  CTextDefaults defaults;
  defaults.fontSizeX = 10;
  defaults.fontSizeY = 20;
  defaults.defaultSource[0] = 2;  // Latin text in the own fonts of mount 0
  defaults.defaultFontNumber[0] = 3;
  defaults.defaultSource[1] = 2;
  defaults.defaultFontNumber[1] = 1;
  defaults.defaultSource[2] = 0;
  defaults.defaultFontNumber[2] = 4;
  defaults.styleWord = CCharBox::kFitUniform;
  return defaults;
}

bool IsFinite(const CMatrix2D& matrix) {
  for (float element : matrix.m)
    if (!std::isfinite(element)) return false;
  return true;
}

}  // namespace

TEST(CharBoxTest, AdvancesFollowTheCharacterKindAndTheLayoutDirection) {
  FakeGlyphSource fonts;
  fonts.metricsByCode['i'] = {0, 0, 300};  // an empty glyph
  CTextDefaults defaults = Defaults();
  struct Case {
    const char* what;
    WORD code;
    WORD style;
    int kind;
    float advance;
  };
  const Case cases[] = {
      {"a line break", CCharBox::kLineBreak, 0, 0, 0},
      {"a space, whatever the font", ' ', 0, 0, 5},
      {"a letter by its font's cell advance", 'a', 0, 0, 10 * 600 / 1024.0f},
      {"an empty glyph like a space", 'i', 0, 0, 5},
      {"a Chinese character", 0xB0A1, 0, 0, 10},
      {"a full-width comma", 0xA3AC, 0, 0, 10},
      {"a full-width comma at half width", 0xA3AC, CCharBox::kHalfWidthPunct, 0, 5},
      {"a Chinese character down a column by its height", 0xB0A1, 0, 2, 20},
      {"a letter down a column by its width", 'a', 0, 3, 10 * 600 / 1024.0f},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    CCharBox box = Box(c.code, defaults);
    box.m_style = c.style;
    EXPECT_FLOAT_EQ(c.advance, box.GetAdvance(c.kind));
  }
  CCharBox lineBreak = Box(CCharBox::kLineBreak, defaults);
  lineBreak.GetAdvance(0);
  EXPECT_EQ(0, lineBreak.m_width);
}

TEST(CharBoxTest, MetricsComeFromTheBoxsOwnFontSource) {
  FakeGlyphSource fonts;
  CTextDefaults defaults = Defaults();
  CCharBox letter = Box('a', defaults);
  // A single-byte character takes its language's default source and number together.
  EXPECT_EQ(0x0200, letter.FontKey());
  EXPECT_EQ(3, letter.m_fontNumber);
  letter.GetAdvance(0);
  ASSERT_EQ(1u, fonts.asked.size());
  EXPECT_EQ(0x0200, fonts.asked[0].first);
  EXPECT_EQ(3, fonts.asked[0].second);
}

TEST(CharBoxTest, NewBoxesTakeTheFontOfTheirLanguageAndSymbolsNeverAFit) {
  FakeGlyphSource fonts;
  CTextDefaults defaults = Defaults();
  CCharBox chinese = Box(0xB0A1, defaults);
  EXPECT_EQ(0x4000 | 0x0200 | 134, chinese.m_kind);
  EXPECT_EQ(1, chinese.m_fontNumber);
  EXPECT_EQ(-1, chinese.m_rect.left);

  CCharBox symbol;
  symbol.Init(134, 0xA1A1, defaults);
  EXPECT_EQ(0x4000 | 133, symbol.m_kind);
  EXPECT_EQ(4, symbol.m_fontNumber);
  EXPECT_EQ(0, symbol.m_style & CCharBox::kFitMask);

  CCharBox typed;
  typed.Init(134, 0xB0A1, defaults);
  EXPECT_EQ(CCharBox::kFitUniform, typed.m_style & CCharBox::kFitMask);
}

TEST(CharBoxTest, FitModesKeepFlatGlyphsFiniteAndCentred) {
  FakeGlyphSource fonts;
  CTextDefaults defaults = Defaults();
  const CFRect shapes[] = {
      CFRect(100, 500, 900, 500),  // a single horizontal stroke: no height at all
      CFRect(512, 100, 512, 900),  // a single vertical stroke
      CFRect(300, 300, 300, 300),  // a dot
  };
  for (WORD fit : {CCharBox::kFitUniform, CCharBox::kFitStretch}) {
    for (const CFRect& shape : shapes) {
      CCharBox box = Box(0xD2BB, defaults);
      box.m_style = fit;
      CMatrix2D matrix = box.GetGlyphMatrix(shape);
      ASSERT_TRUE(IsFinite(matrix));
      FPOINT centre = {(shape.left + shape.right) / 2, (shape.top + shape.bottom) / 2};
      matrix.TransformPoint(&centre);
      EXPECT_NEAR(512, centre.x, 0.01);
      EXPECT_NEAR(512, centre.y, 0.01);
    }
  }
  // A stroke fitted uniformly spans the em across its length.
  CCharBox box = Box(0xD2BB, defaults);
  box.m_style = CCharBox::kFitUniform;
  CMatrix2D matrix = box.GetGlyphMatrix(shapes[0]);
  EXPECT_FLOAT_EQ(1024.0f / 800, matrix.m[0]);
}

TEST(CharBoxTest, CopiesNeverShareTheCachedOutline) {
  FakeGlyphSource fonts;
  fonts.glyphs[0xB0A1] = {MakePointRecord(0, 0, 0x11), MakePointRecord(1024, 0, 1),
                          MakePointRecord(1024, 1024, 1), MakePointRecord(0, 0, 0x41)};
  CTextDefaults defaults = Defaults();
  CCharBox box = Box(0xB0A1, defaults);
  box.m_style = 0;
  std::unique_ptr<CContour> drawn(box.GetContour(nullptr));
  ASSERT_TRUE(drawn);
  std::unique_ptr<CTextBox> copy(box.Clone());
  fonts.glyphs.clear();  // a copy that shared the outline would still find one
  EXPECT_EQ(nullptr,
            std::unique_ptr<CContour>(static_cast<CCharBox*>(copy.get())->GetContour(nullptr)));
  EXPECT_NE(nullptr, std::unique_ptr<CContour>(box.GetContour(nullptr)));
}

TEST(CharBoxTest, OnlyTheListedPunctuationMayNotBeginALine) {
  CTextDefaults defaults;
  for (WORD code : {',', '.', ';'}) {
    CCharBox box = Box(code, defaults);
    EXPECT_TRUE(IsNoLineStartPunct(&box));
  }
  CCharBox comma = Box(0xA3AC, defaults), letter = Box('a', defaults);
  EXPECT_TRUE(IsNoLineStartPunct(&comma));
  EXPECT_FALSE(IsNoLineStartPunct(&letter));
}
