// The sample line of the font previews, without a window: which codes a text gives in each kind
// of charset (at most 16, a cut double-byte character completed, nothing for the sets that have
// no sample), and that the boxes stand one advance apart on the base line.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "text/layout/CharBox.h"
#include "text/layout/FakeGlyphSource.h"
#include "text/layout/SampleText.h"
#include "text/layout/TextDefaults.h"

TEST(SampleText, ReadsTheTextAsItsCharsetSaysAndShowsAtMostSixteenCharacters) {
  struct Case {
    const char* text;
    int charset;
    std::vector<WORD> codes;
  };
  const Case cases[] = {
      {"Ab", 0, {'A', 'b'}},
      {"\xB0\xA1\xB0\xA2", 134, {0xB0A1, 0xB0A2}},
      {"\xB0\xA1\xB0", 134, {0xB0A1, 0xB0A1}},  // the cut second byte is read as 161
      {"\xA1\xEF", 133, {0xA1EF}},
      {"\xB0\xA1", 129, {0xB0A1}},
      {"\xC0\xE1", 204, {0xC0, 0xE1}},
      {"\x82\xA0", 128, {}},
      {"\xA4\x40", 136, {}},
      {"", 0, {}},
      {"0123456789abcdefXYZ",
       0,
       {'0', '1', '2', '3', '4', '5', '6', '7', '8', '9', 'a', 'b', 'c', 'd', 'e', 'f'}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(&c - cases);
    EXPECT_EQ(c.codes, CSampleText::CodesOf(c.text, c.charset));
  }
  EXPECT_TRUE(CSampleText::CodesOf(nullptr, 0).empty());
  EXPECT_EQ(16u, CSampleText::CodesOf(std::string(80, '\xB0').c_str(), 134).size());
  for (int charset : {0, 129, 133, 134, 204, 222})
    EXPECT_FALSE(CSampleText::CodesOf(CSampleText::FixedSample(charset), charset).empty())
        << charset;
}

TEST(SampleText, BoxesStandOneAdvanceApartOnTheBaseLine) {
  FakeGlyphSource fonts;
  CTextDefaults values;
  values.fontSizeX = 20;
  values.fontSizeY = 30;
  values.eastAsianCharset = 134;
  CSampleText sample;
  sample.SetText(
      "A\xB0\xA1"
      "B",
      values);
  ASSERT_EQ(3u, sample.GetCount());
  sample.Place(5, 35);
  // Single-byte characters advance by their cell (600 of 1024 units), double-byte by the width.
  const float latin = 20.0f * 600 / 1024;
  const float expected[] = {5, 5 + latin, 5 + latin + 20};
  for (size_t i = 0; i < 3; ++i) {
    EXPECT_FLOAT_EQ(expected[i], sample.GetBox(i).m_x) << i;
    EXPECT_FLOAT_EQ(35, sample.GetBox(i).m_y) << i;
  }
  EXPECT_EQ(0xB0A1, sample.GetBox(1).m_code);

  sample.SetCodes(std::vector<WORD>(20, 0xB0A1), 134, values);
  EXPECT_EQ(CSampleText::kMostCharacters, sample.GetCount());
}
