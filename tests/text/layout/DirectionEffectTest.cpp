// The straight layout with known advances: line breaking, punctuation kept off line starts, the
// frame widened and closed, spacing, line-start alignment, AutoFill and spreading, in all four
// directions; a relayout after an edit gives what a whole layout gives; the record with the spread
// flag; caret places and keys. Texts are markup: 'x' a Chinese character 10 wide and 10 high, 'W'
// one 50 wide, ',' a comma of advance 5, '|' a line break, '<' '>' alignment brackets, '1' BoxGaps
// 2 and '2' LineGaps 4. No window.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "framework/ByteWriter.h"
#include "text/layout/AttrBox.h"
#include "text/layout/BoxArray.h"
#include "text/layout/CharBox.h"
#include "text/layout/DirectionEffect.h"
#include "text/layout/FakeGlyphSource.h"

namespace {

using Bytes = std::vector<BYTE>;

void Fill(CBoxArray& boxes, const std::string& markup) {
  for (char c : markup) {
    if (c == '<' || c == '>' || c == '1' || c == '2') {
      WORD kind = static_cast<WORD>(c - '0');
      if (c == '<') kind = CAttrBox::kAlignOpen;
      if (c == '>') kind = CAttrBox::kAlignClose;
      boxes.Add(new CAttrBox(kind, c == '1' ? 2.0f : 4.0f));
      continue;
    }
    CCharBox* box = new CCharBox;
    box->m_width = c == 'W' ? 50.0f : 10.0f;
    box->m_height = 10;
    box->m_code = c == ',' ? ',' : c == '|' ? CCharBox::kLineBreak : 0xB0A1;
    box->m_kind = box->m_code >= 256 ? (CTextBox::kDoubleByteBit | 134) : 0;
    boxes.Add(box);
  }
}

// The along-the-line coordinates of the character boxes.
std::vector<float> Along(const CBoxArray& boxes, bool horizontal) {
  std::vector<float> along;
  for (INT_PTR i = 0; i < boxes.GetSize(); ++i)
    if (const CCharBox* box = boxes.GetCharBox(i))
      along.push_back(horizontal ? box->m_x : box->m_y);
  return along;
}

std::vector<float> Across(const CBoxArray& boxes, bool horizontal) {
  std::vector<float> across;
  for (INT_PTR i = 0; i < boxes.GetSize(); ++i)
    if (const CCharBox* box = boxes.GetCharBox(i))
      across.push_back(horizontal ? box->m_y : box->m_x);
  return across;
}

class DirectionEffectTest : public ::testing::Test {
protected:
  DirectionEffectTest() {
    m_fonts.metricsByCode[','] = {200, 200, 512};
    m_wasAutoFill = CDirectionEffect::IsAutoFill();
    CDirectionEffect::SetAutoFill(false);
  }
  ~DirectionEffectTest() override { CDirectionEffect::SetAutoFill(m_wasAutoFill); }

  // Lays the markup out in a frame of the given line length from (100, 50).
  std::unique_ptr<CDirectionEffect> LayOut(const std::string& markup, BYTE kind, float length,
                                           WORD attributes = 0) {
    m_boxes.DeleteAll();
    Fill(m_boxes, markup);
    bool horizontal = kind < 2;
    std::unique_ptr<CDirectionEffect> effect(
        new CDirectionEffect(100, 50, horizontal ? 100 + length : 100,
                             horizontal ? 50 : 50 + length, &m_boxes, &m_matrix));
    effect->SetKind(kind);
    effect->SetAttributes(attributes);
    if (kind == CTextEffect::kReversedVertical) effect->SetFrame(100, 50, 100, 50 + length);
    effect->Layout(0);
    return effect;
  }

  FakeGlyphSource m_fonts;
  CBoxArray m_boxes;
  CMatrix2D m_matrix;
  bool m_wasAutoFill;
};

}  // namespace

TEST_F(DirectionEffectTest, HorizontalLinesBreakAtTheFrameAndCloseIt) {
  struct Case {
    const char* what;
    std::string text;
    float length;
    std::vector<float> x, y;
    float right, bottom;
  };
  const std::vector<Case> cases = {
      {"three to a line",
       "xxxxxxx",
       35,
       {100, 110, 120, 100, 110, 120, 100},
       {60, 60, 60, 70, 70, 70, 80},
       135,
       80},
      {"a comma that would overflow stays",
       "xxx,x",
       30,
       {100, 110, 120, 130, 100},
       {60, 60, 60, 60, 70},
       130,
       70},
      {"a character wider than the frame widens it", "W", 30, {100}, {60}, 151, 60},
      {"a line break ends its line", "x|xx", 100, {100, 110, 100, 110}, {60, 60, 70, 70}, 200, 70},
      {"spacing between characters and lines",
       "21xxxx",
       35,
       {100, 112, 124, 100},
       {60, 60, 60, 74},
       135,
       74},
      {"later lines start under the bracket's first character",
       "xx<xxxx>",
       40,
       {100, 110, 120, 130, 120, 130},
       {60, 60, 60, 60, 70, 70},
       140,
       70},
      {"an empty text leaves the frame at its start", "", 40, {}, {}, 140, 50},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    auto effect = LayOut(c.text, CTextEffect::kHorizontal, c.length);
    EXPECT_EQ(c.x, Along(m_boxes, true));
    EXPECT_EQ(c.y, Across(m_boxes, true));
    EXPECT_EQ(c.right, effect->GetFrame().right);
    EXPECT_EQ(c.bottom, effect->GetFrame().bottom);
  }
  auto effect = LayOut("xxxxxxx", CTextEffect::kHorizontal, 35);
  for (INT_PTR i = 0; i < m_boxes.GetSize(); ++i) {
    WORD style = m_boxes.GetCharBox(i)->m_style;
    EXPECT_EQ(i == 2 || i == 5, (style & CCharBox::kLineEnd) != 0) << i;
    EXPECT_TRUE(style & CCharBox::kPlaced);
  }
}

TEST_F(DirectionEffectTest, AutoFillSharesTheSlackOfWrappedLinesOnly) {
  CDirectionEffect::SetAutoFill(true);
  LayOut("xxxxxx", CTextEffect::kHorizontal, 55);
  // Five characters end at 50 of 55: four equal steps of 1.25; the last line stays.
  EXPECT_EQ((std::vector<float>{100, 111.25f, 122.5f, 133.75f, 145, 100}), Along(m_boxes, true));
  LayOut("xx|x", CTextEffect::kHorizontal, 55);
  EXPECT_EQ((std::vector<float>{100, 110, 120, 100}), Along(m_boxes, true));
}

TEST_F(DirectionEffectTest, SpreadLinesRunFromTheFrameStartToItsEnd) {
  CDirectionEffect::SetAutoFill(true);
  LayOut("1xxx|xx", CTextEffect::kHorizontal, 100, CTextEffect::kSpread);
  EXPECT_EQ((std::vector<float>{100, 145, 190, 200, 100, 190}), Along(m_boxes, true));
}

TEST_F(DirectionEffectTest, OtherDirectionsRunTheSameWalkOnTheirAxes) {
  auto reversed = LayOut("xxxx", CTextEffect::kReversedHorizontal, 35);
  EXPECT_EQ((std::vector<float>{135, 125, 115, 135}), Along(m_boxes, true));
  EXPECT_EQ((std::vector<float>{60, 60, 60, 70}), Across(m_boxes, true));

  auto down = LayOut("xxxx", CTextEffect::kVertical, 35);
  EXPECT_EQ((std::vector<float>{50, 60, 70, 50}), Along(m_boxes, false));
  EXPECT_EQ((std::vector<float>{100, 100, 100, 110}), Across(m_boxes, false));
  EXPECT_EQ(120, down->GetFrame().right);

  auto left = LayOut("xxxx", CTextEffect::kReversedVertical, 35);
  EXPECT_EQ((std::vector<float>{90, 90, 90, 80}), Across(m_boxes, false));
  EXPECT_EQ(80, left->GetFrame().left);
}

TEST_F(DirectionEffectTest, ARelayoutFromAnEditGivesWhatAWholeLayoutGives) {
  const std::string text = "xx1x<xxx,xx|x2xxx>xxxxx|xxx<x<xx>xx>xxxxx,x";
  for (bool autoFill : {false, true}) {
    CDirectionEffect::SetAutoFill(autoFill);
    for (BYTE kind = 0; kind < 4; ++kind) {
      for (INT_PTR at : {0, 3, 9, 17, 30, 40}) {
        SCOPED_TRACE(testing::Message()
                     << "kind " << int(kind) << " at " << at << " autofill " << autoFill);
        auto edited = LayOut(text, kind, 45);
        CCharBox* typed = new CCharBox(*m_boxes.GetCharBox(0));
        m_boxes.InsertAt(at, typed);
        edited->Layout(at);
        std::vector<float> along = Along(m_boxes, kind < 2), across = Across(m_boxes, kind < 2);
        CFRect frame = edited->GetFrame();
        edited->SetFrame(100, 50, kind < 2 ? 145 : 100, kind < 2 ? 50 : 95);
        if (kind == CTextEffect::kReversedVertical) edited->SetFrame(100, 50, 100, 95);
        edited->Layout(0);
        EXPECT_EQ(Along(m_boxes, kind < 2), along);
        EXPECT_EQ(Across(m_boxes, kind < 2), across);
        EXPECT_EQ(edited->GetFrame().bottom, frame.bottom);
        EXPECT_EQ(edited->GetFrame().left, frame.left);
        EXPECT_EQ(edited->GetFrame().right, frame.right);
      }
    }
  }
}

TEST_F(DirectionEffectTest, TheRecordKeepsKindFrameAndSpread) {
  CDirectionEffect effect(1, 2, 3, 4, &m_boxes, &m_matrix);
  effect.SetKind(CTextEffect::kVertical);
  effect.SetAttributes(CTextEffect::kSpread);
  CByteWriter writer;
  ASSERT_EQ(22, effect.WriteRecord(writer));
  // clang-format off
  const Bytes expected = {'3', 22, 0, 0, 0, 0x82,
                          0x00, 0x00, 0x80, 0x3F, 0x00, 0x00, 0x00, 0x40,
                          0x00, 0x00, 0x40, 0x40, 0x00, 0x00, 0x80, 0x40};
  // clang-format on
  EXPECT_EQ(expected, writer.Bytes());
  std::unique_ptr<CTextEffect> loaded(
      LoadTextEffect(expected.data(), expected.size(), &m_boxes, &m_matrix));
  ASSERT_TRUE(loaded);
  EXPECT_EQ(CTextEffect::kVertical, loaded->GetKind());
  EXPECT_EQ(CTextEffect::kSpread, loaded->GetAttributes());
  EXPECT_EQ(4, static_cast<CDirectionEffect*>(loaded.get())->GetFrame().bottom);

  Bytes plain = expected;
  plain[5] = 2;  // as files without the flag have it
  loaded.reset(LoadTextEffect(plain.data(), plain.size(), &m_boxes, &m_matrix));
  ASSERT_TRUE(loaded);
  EXPECT_EQ(0, loaded->GetAttributes());

  for (BYTE tag : {BYTE('8'), BYTE('5'), BYTE(0)}) {
    Bytes other = expected;
    other[0] = tag;
    EXPECT_EQ(nullptr, LoadTextEffect(other.data(), other.size(), &m_boxes, &m_matrix)) << tag;
  }
  EXPECT_EQ(nullptr, LoadTextEffect(expected.data(), 21, &m_boxes, &m_matrix));
  Bytes notFinite = expected;
  notFinite[9] = 0x7F;
  notFinite[8] = 0xC0;
  EXPECT_EQ(nullptr, LoadTextEffect(notFinite.data(), notFinite.size(), &m_boxes, &m_matrix));
}

TEST_F(DirectionEffectTest, CaretPlacesAndKeysFollowTheLines) {
  auto effect = LayOut("xxx|xx", CTextEffect::kHorizontal, 100);
  FPOINT top, bottom;
  effect->GetCaretPos(1, 0, &top, &bottom);
  EXPECT_EQ(120, top.x);
  EXPECT_EQ(50, top.y);
  EXPECT_EQ(60, bottom.y);
  effect->GetCaretPos(3, 0, &top, &bottom);  // after the break: the next line's first character
  EXPECT_EQ(100, top.x);
  EXPECT_EQ(60, top.y);

  int side = 1;
  EXPECT_EQ(2, effect->OnKeyDown(CTextEffect::kEnd, 0, &side));
  EXPECT_EQ(0, side);
  EXPECT_EQ(4, effect->OnKeyDown(CTextEffect::kHome, 5, &side));
  EXPECT_EQ(1, side);
  side = 1;
  EXPECT_EQ(5, effect->OnKeyDown(CTextEffect::kDown, 1, &side));
  EXPECT_EQ(1, side);
  EXPECT_EQ(1, effect->OnKeyDown(CTextEffect::kUp, 5, &side));
  EXPECT_EQ(-1, effect->OnKeyDown(13, 1, &side));

  EXPECT_EQ(1, effect->HitTestBox(0, 101, 55));
  EXPECT_EQ(0, effect->HitTestBox(0, 109, 55));
}
