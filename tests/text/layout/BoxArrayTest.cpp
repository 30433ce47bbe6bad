// The box array as a text: building boxes from GBK text and getting the text back, its extent,
// formats applied to characters, and the format edits that keep marker pairs balanced, each
// undone exactly through the view's undo manager. Texts are written as markup: a letter is a
// character (upper case: selected), '<' and '>' an alignment opener and closer, '1' and '2' the
// spacing markers. No window.
#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "model/FakeBlockView.h"
#include "model/undo/UndoScope.h"
#include "model/undo/UndoStep.h"
#include "text/layout/AttrBox.h"
#include "text/layout/BoxArray.h"
#include "text/layout/CharBox.h"
#include "text/layout/FakeGlyphSource.h"
#include "text/layout/TextDefaults.h"

namespace {

FakeBlockView* g_view = nullptr;
CBlockView* FindView() { return g_view; }

void Fill(CBoxArray& boxes, const std::string& markup) {
  for (char c : markup) {
    if (c == '<' || c == '>' || c == '1' || c == '2') {
      WORD kind = static_cast<WORD>(c - '0');
      if (c == '<') kind = CAttrBox::kAlignOpen;
      if (c == '>') kind = CAttrBox::kAlignClose;
      boxes.Add(new CAttrBox(kind, 1.0f));
      continue;
    }
    CCharBox* box = new CCharBox;
    box->m_code = static_cast<WORD>(tolower(c));
    if (isupper(static_cast<unsigned char>(c))) box->m_style |= CCharBox::kSelected;
    boxes.Add(box);
  }
}

std::string Markup(const CBoxArray& boxes) {
  std::string markup;
  for (INT_PTR i = 0; i < boxes.GetSize(); ++i) {
    const CTextBox* box = boxes.GetBox(i);
    if (const CCharBox* c = boxes.GetCharBox(i)) {
      char letter = static_cast<char>(c->m_code);
      markup += c->IsSelected() ? static_cast<char>(toupper(letter)) : letter;
      continue;
    }
    WORD kind = static_cast<const CAttrBox*>(box)->m_attrKind;
    markup += kind == CAttrBox::kAlignOpen    ? '<'
              : kind == CAttrBox::kAlignClose ? '>'
                                              : static_cast<char>('0' + kind);
  }
  return markup;
}

std::vector<WORD> Codes(const CBoxArray* boxes) {
  std::vector<WORD> codes;
  for (INT_PTR i = 0; boxes && i < boxes->GetSize(); ++i)
    codes.push_back(boxes->GetCharBox(i)->m_code);
  return codes;
}

class BoxArrayEditTest : public ::testing::Test {
protected:
  void SetUp() override {
    g_view = &m_view;
    m_previous = CBlockView::SetActiveViewFinder(FindView);
  }
  void TearDown() override {
    CBlockView::SetActiveViewFinder(m_previous);
    g_view = nullptr;
  }

  FakeBlockView m_view;
  CBlockView::ActiveViewFinder m_previous = nullptr;
};

}  // namespace

TEST(BoxArrayTest, GbkTextBecomesOneBoxPerCharacterAndComesBackWhole) {
  FakeGlyphSource fonts;
  CTextDefaults defaults;
  struct Case {
    const char* what;
    const char* text;
    std::vector<WORD> codes;
  };
  const Case cases[] = {
      {"a line feed is dropped", "A\r\nB", {'A', 13, 'B'}},
      {"a GBK extension character stays whole", "\x81\x40x", {0x8140, 'x'}},
      {"a lead byte at the end pairs with nothing", "ab\xB0", {'a', 'b'}},
      {"a lead byte before a control byte is no character", "\xB0\r", {13}},
      {"Chinese and Latin", "\xD6\xD0\xCE\xC4z", {0xD6D0, 0xCEC4, 'z'}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    std::unique_ptr<CBoxArray> boxes(MakeCharBoxesFromText(c.text, defaults));
    EXPECT_EQ(c.codes, Codes(boxes.get()));
  }
  EXPECT_EQ(nullptr, MakeCharBoxesFromText("\n\t", defaults));

  // Longer than any fixed buffer the text could once be copied into.
  std::string longText;
  for (int i = 0; i < 5000; ++i) longText += i % 2 ? "\xD6\xD0" : "q";
  std::unique_ptr<CBoxArray> boxes(MakeCharBoxesFromText(longText.c_str(), defaults));
  EXPECT_EQ(longText, std::string(boxes->GetText()));
  CString appended = "<";
  boxes->AppendText(appended);
  EXPECT_EQ("<" + longText, std::string(appended));
}

TEST(BoxArrayTest, TextExtentRunsToTheLastCentreOrOverWholeAdvances) {
  CBoxArray boxes;
  Fill(boxes, "a1b");
  for (INT_PTR i : {0, 2}) {
    boxes.GetCharBox(i)->m_width = 20;
    boxes.GetCharBox(i)->m_height = 5.0f * (i + 1);
    boxes.GetCharBox(i)->m_ratio = 0.5f;
  }
  float total = 0, height = 0;
  int count = 0;
  boxes.GetTextExtent(&total, &height, &count, false);
  EXPECT_FLOAT_EQ(15, total);
  EXPECT_FLOAT_EQ(15, height);
  EXPECT_EQ(2, count);
  boxes.GetTextExtent(&total, &height, &count, true);
  EXPECT_FLOAT_EQ(20, total);
}

TEST(BoxArrayTest, AFontChangeReachesOnlyCharactersOfItsCharset) {
  FakeGlyphSource fonts;
  CBoxArray boxes;
  Fill(boxes, "ab");
  boxes.GetCharBox(1)->m_kind = CTextBox::kDoubleByteBit | 134;
  boxes.GetCharBox(1)->m_ratio = 1;
  CTextDefaults format;
  format.fontCode = 0x0386;  // mount 1 of GB2312
  format.defaultFontNumber[1] = 5;
  format.fontSizeX = 7;
  format.fontSizeY = 8;
  boxes.ApplyCharFormat(format, CBoxArray::kApplyFont | CBoxArray::kApplySize);
  EXPECT_EQ(0, boxes.GetCharBox(0)->m_kind);
  EXPECT_EQ(CTextBox::kDoubleByteBit | 0x0386, boxes.GetCharBox(1)->m_kind);
  EXPECT_EQ(5, boxes.GetCharBox(1)->m_fontNumber);
  EXPECT_EQ(0, boxes.GetCharBox(1)->m_ratio);
  EXPECT_EQ(7, boxes.GetCharBox(0)->m_width);
  EXPECT_EQ(8, boxes.GetCharBox(1)->m_height);
}

TEST_F(BoxArrayEditTest, FormatEditsKeepMarkerPairsBalancedAndUndoPutsEveryBoxBack) {
  struct Case {
    const char* what;
    std::string before;
    std::function<void(CBoxArray&)> edit;
    std::string after;
    INT_PTR records;
  };
  const WORD align = CAttrBox::kAlignOpen;
  const std::vector<Case> cases = {
      {"three spacing markers in a row leave the last", "111a22b12",
       [](CBoxArray& b) { b.RemoveRedundantFormats(); }, "1a2b12", 3},
      {"an empty pair goes, a run with text stays", "<>a<b>",
       [&](CBoxArray& b) { b.RemoveEmptyFormatPairs(align); }, "a<b>", 2},
      {"a pair that only wraps another pair goes", "<<a>>",
       [&](CBoxArray& b) { b.RemoveEmptyFormatPairs(align); }, "<a>", 2},
      {"an opener without closer or text goes alone", "a<<b>",
       [&](CBoxArray& b) { b.RemoveEmptyFormatPairs(align); }, "a<b>", 1},
      {"an opener at the very end goes alone", "a<",
       [&](CBoxArray& b) { b.RemoveEmptyFormatPairs(align); }, "a", 1},
      {"a closer in the selection takes its opener", "a<bCD>e",
       [&](CBoxArray& b) { b.RemoveFormatAtSelection(align); }, "abCDe", 2},
      {"an opener in the selection takes its run", "a<B<c>d>e",
       [&](CBoxArray& b) { b.RemoveFormatAtSelection(align); }, "aBcde", 4},
      {"markers in a range", "<a><b>", [&](CBoxArray& b) { b.RemoveFormatInRange(0, 3, align); },
       "a<b>", 2},
      {"forward until balanced", "<a<b>c>d", [&](CBoxArray& b) { b.RemoveFormatForward(0, align); },
       "<abcd", 3},
      {"backward until balanced", "<a<b>c>d",
       [&](CBoxArray& b) {
         INT_PTR position = 6;
         b.RemoveFormatBackward(&position, align);
         EXPECT_EQ(3, position);
       },
       "abc>d", 3},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    CBoxArray boxes;
    Fill(boxes, c.before);
    {
      CUndoScope step(m_view.undo);
      c.edit(boxes);
    }
    EXPECT_EQ(c.after, Markup(boxes));
    ASSERT_EQ(1, m_view.undo.GetStepCount());
    EXPECT_EQ(c.records, m_view.undo.GetStep(-1)->GetSize());
    EXPECT_TRUE(m_view.undo.PlayLastStep(&m_view));
    EXPECT_EQ(c.before, Markup(boxes));
  }
}

TEST_F(BoxArrayEditTest, WithoutAnOpenStepRemovedMarkersAreDeleted) {
  CBoxArray boxes;
  Fill(boxes, "11a");
  boxes.RemoveRedundantFormats();
  EXPECT_EQ("1a", Markup(boxes));
  EXPECT_EQ(0, m_view.undo.GetStepCount());
}
