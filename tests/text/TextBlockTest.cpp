// The text block without a window: typing (control characters, line breaks, spacing boxes, the
// relayout timer), caret and selection movement, deleting, undo of typing and formatting, its
// record written and read back through the record dispatcher, damaged records refused, and the
// conversion to curves checked against the font's outlines. Fonts are a fake glyph source whose
// outlines are squares of known glyph units.
#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "framework/GlobalLock.h"
#include "model/FakeBlockView.h"
#include "model/blocks/CurveBlock.h"
#include "model/blocks/GroupBlock.h"
#include "model/records/BlockRecord.h"
#include "support/MessageBoxCapture.h"
#include "text/TextBlock.h"
#include "text/TextServices.h"
#include "text/layout/AttrBox.h"
#include "text/layout/CharBox.h"
#include "text/layout/FakeGlyphSource.h"
#include "text/layout/TextEffect.h"

namespace {

using Bytes = std::vector<BYTE>;

const WORD kChinese = 0xB0A1;
const UINT kLeft = 37, kRight = 39, kBackspace = 8;

// A square outline from (lo, lo) to (hi, hi) in glyph units.
std::vector<POINTREC> Square(float lo, float hi) {
  return {MakePointRecord(lo, lo, kPointStart | kPointOnCurve),
          MakePointRecord(hi, lo, kPointOnCurve), MakePointRecord(hi, hi, kPointOnCurve),
          MakePointRecord(lo, hi, kPointOnCurve), MakePointRecord(lo, lo, kPointClose | 1)};
}

Bytes RecordOf(CBlock& block) {
  HGLOBAL memory = nullptr;
  int length = block.WriteRecord(&memory);
  Bytes bytes;
  if (length > 0 && memory) {
    CGlobalLock lock(memory);
    const BYTE* data = static_cast<const BYTE*>(lock.Data());
    bytes.assign(data, data + length);
  }
  if (memory) ::GlobalFree(memory);
  return bytes;
}

int Int32At(const Bytes& bytes, size_t offset) {
  int value = 0;
  std::memcpy(&value, bytes.data() + offset, 4);
  return value;
}

void PutInt32(Bytes& bytes, size_t offset, int value) {
  std::memcpy(bytes.data() + offset, &value, 4);
}

class TextBlockTest : public ::testing::Test {
protected:
  TextBlockTest() : m_saved(CTextDefaults::Global()) {
    m_fonts.glyphs['A'] = Square(100, 400);
    m_fonts.glyphs[kChinese] = Square(0, 1024);
    CTextDefaults& defaults = CTextDefaults::Global();
    defaults.fontSizeX = defaults.fontSizeY = 10;
    defaults.lineGaps = defaults.boxGaps = 0;
    m_view.undo.BeginStep();
  }
  ~TextBlockTest() override {
    m_view.undo.EndStep();
    CTextDefaults::Global() = m_saved;
  }

  // A new horizontal text at (10, 20), 100 long, in text editing.
  std::unique_ptr<CTextBlock> NewText() {
    std::unique_ptr<CTextBlock> text(CTextBlock::CreateAt(0, 10, 20, 110, 20));
    text->BeginEdit(kTextTool, &m_view);
    return text;
  }

  // Types the characters and lays the text out as the timer would.
  void Type(CTextBlock& text, const std::vector<UINT>& characters) {
    for (UINT ch : characters) text.TextOnChar(&m_view, ch, 0);
    for (int tick = 0; tick < CTextBlock::kTicksBeforeLayout; ++tick)
      text.OnTimer(&m_view, CTextBlock::kRelayoutTimer);
  }

  static std::vector<WORD> Codes(CTextBlock& text) {
    std::vector<WORD> codes;
    CBoxArray* boxes = text.GetBoxArray();
    for (INT_PTR i = 0; i < boxes->GetSize(); ++i)
      if (const CCharBox* box = boxes->GetCharBox(i)) codes.push_back(box->m_code);
    return codes;
  }

  CTextDefaults m_saved;
  FakeGlyphSource m_fonts;
  CTextServices m_services;
  FakeBlockView m_view;
  MessageBoxCapture m_boxes;
};

}  // namespace

TEST_F(TextBlockTest, TypingIgnoresControlCharactersAndLaysOutOnTheFourthTick) {
  auto text = NewText();
  EXPECT_FALSE(text->TextOnChar(&m_view, 9, 0));
  EXPECT_TRUE(text->TextOnChar(&m_view, 'A', 0));
  EXPECT_TRUE(text->TextOnChar(&m_view, 13, 0));
  EXPECT_TRUE(text->TextOnChar(&m_view, kChinese, 0));
  EXPECT_EQ((std::vector<WORD>{'A', 13, kChinese}), Codes(*text));
  EXPECT_EQ(2, text->GetCaret());
  EXPECT_EQ(0, text->GetCaretSide());

  // Laid out only on the fourth tick; editing cannot end while a layout is pending.
  for (int tick = 0; tick < 3; ++tick) text->OnTimer(&m_view, CTextBlock::kRelayoutTimer);
  EXPECT_EQ(0, text->GetRelayoutStart());
  EXPECT_FALSE(text->EndTextEdit(&m_view));
  text->OnTimer(&m_view, CTextBlock::kRelayoutTimer);
  EXPECT_EQ(-1, text->GetRelayoutStart());
  const CCharBox* chinese = text->GetBoxArray()->GetCharBox(2);
  EXPECT_GT(chinese->m_y, text->GetBoxArray()->GetCharBox(0)->m_y) << "after the line break";
  EXPECT_TRUE(text->EndTextEdit(&m_view));
  EXPECT_EQ(-1, text->GetCaret());
  EXPECT_EQ(0, text->m_editMode);
}

TEST_F(TextBlockTest, SpacingBoxesOpenAnEmptyTextOnlyWhenSet) {
  auto plain = NewText();
  Type(*plain, {'A'});
  EXPECT_EQ(1, plain->GetBoxArray()->GetSize());

  CTextDefaults::Global().lineGaps = 3;
  CTextDefaults::Global().boxGaps = 2;
  auto spaced = NewText();
  Type(*spaced, {'A', 'A'});
  CBoxArray* boxes = spaced->GetBoxArray();
  ASSERT_EQ(4, boxes->GetSize());
  EXPECT_EQ(CAttrBox::kLineGaps, static_cast<CAttrBox*>(boxes->GetBox(0))->m_attrKind);
  EXPECT_EQ(CAttrBox::kBoxGaps, static_cast<CAttrBox*>(boxes->GetBox(1))->m_attrKind);
  EXPECT_EQ(3, spaced->GetCaret());
}

TEST_F(TextBlockTest, CaretKeysMoveAndShiftSelectsWhileBackspaceAndDeleteRemove) {
  auto text = NewText();
  Type(*text, {'A', 'B', 'C', 'D'});
  EXPECT_TRUE(text->TextOnKeyDown(&m_view, kLeft, 0));
  EXPECT_TRUE(text->TextOnKeyDown(&m_view, kLeft, 0));
  INT_PTR caret = text->GetCaret();
  int side = text->GetCaretSide();
  // Between B and C whichever way the effect names it.
  EXPECT_TRUE((caret == 1 && side == 0) || (caret == 2 && side == 1)) << caret << "," << side;

  text->SelectRange(1, 2);
  EXPECT_EQ(2, text->GetSelectedCount());
  text->TextDelete(&m_view);
  EXPECT_EQ((std::vector<WORD>{'A', 'D'}), Codes(*text));
  EXPECT_EQ(0, text->GetSelectedCount());

  text->SetCaret(&m_view, 1, 1);  // before D
  text->TextBackspace(&m_view);
  EXPECT_EQ((std::vector<WORD>{'D'}), Codes(*text));
  text->TextBackspace(&m_view);  // nothing before D
  EXPECT_EQ((std::vector<WORD>{'D'}), Codes(*text));
  text->TextDelete(&m_view);
  EXPECT_TRUE(text->IsEmpty());
  EXPECT_EQ(-1, text->GetCaret());
  EXPECT_TRUE(text->TextOnKeyDown(&m_view, kBackspace, 0) == FALSE);
}

TEST_F(TextBlockTest, SelectionByRangeAndByDraggingMarksCharactersNotLineBreaks) {
  auto text = NewText();
  Type(*text, {'A', 13, 'B', 'C'});
  text->SelectRange(3, 0);
  EXPECT_EQ(3, text->GetSelectedCount()) << "the line break is marked but not counted";
  std::unique_ptr<CBoxArray> copies(text->CopySelectedBoxes());
  ASSERT_TRUE(copies);
  EXPECT_EQ(4, copies->GetSize());
  EXPECT_EQ(CString("A\rBC"), copies->GetText());

  // A press on an unselected character clears the selection and anchors there.
  text->SelectRange(-1, -1);
  const CFRect& a = text->GetBoxArray()->GetCharBox(0)->m_rect;
  const CFRect& c = text->GetBoxArray()->GetCharBox(3)->m_rect;
  ASSERT_TRUE(text->TextOnLButtonDown(&m_view, MK_LBUTTON, a.left + 1, (a.top + a.bottom) / 2));
  EXPECT_EQ(0, text->GetAnchor());
  EXPECT_TRUE(text->TextOnMouseMove(&m_view, MK_LBUTTON, c.right - 1, (c.top + c.bottom) / 2));
  EXPECT_EQ(3, text->GetCaret());
  EXPECT_EQ(3, text->GetSelectedCount());
  EXPECT_TRUE(text->TextOnLButtonUp(&m_view, 0, c.right - 1, (c.top + c.bottom) / 2));
  // A move the block did not start is left to the tool.
  EXPECT_FALSE(text->TextOnMouseMove(&m_view, MK_LBUTTON, 0, 0));
}

TEST_F(TextBlockTest, UndoTakesBackTypingDeletingAndFormatting) {
  auto text = NewText();
  m_view.undo.EndStep();
  for (UINT ch : {'A', 'B', 'C'}) {
    m_view.undo.BeginStep();
    text->TextOnChar(&m_view, ch, 0);
    m_view.undo.EndStep();
  }
  text->Relayout(&m_view, -1);
  m_view.undo.PlayLastStep(&m_view);
  EXPECT_EQ((std::vector<WORD>{'A', 'B'}), Codes(*text));

  m_view.undo.BeginStep();
  text->SetCharFlags(&m_view, 0, 1, CCharBox::kFilled, 0);
  m_view.undo.EndStep();
  EXPECT_TRUE(text->GetBoxArray()->GetCharBox(1)->m_style & CCharBox::kFilled);
  m_view.undo.PlayLastStep(&m_view);
  EXPECT_FALSE(text->GetBoxArray()->GetCharBox(0)->m_style & CCharBox::kFilled);
  EXPECT_FALSE(text->GetBoxArray()->GetCharBox(1)->m_style & CCharBox::kFilled);

  m_view.undo.BeginStep();
  text->SelectRange(0, 1);
  text->TextDelete(&m_view);
  m_view.undo.EndStep();
  EXPECT_TRUE(text->IsEmpty());
  m_view.undo.PlayLastStep(&m_view);
  EXPECT_EQ((std::vector<WORD>{'A', 'B'}), Codes(*text));
  m_view.undo.BeginStep();
}

TEST_F(TextBlockTest, UndoOfAnEditAfterItsTextWasDeletedDoesNothing) {
  auto text = NewText();
  Type(*text, {'A', 'B'});
  text->SetCaret(&m_view, 1, 1);
  text->TextDelete(&m_view);  // recorded into the open step
  text.reset();
  m_view.undo.EndStep();
  EXPECT_TRUE(m_view.undo.PlayLastStep(&m_view));
  m_view.undo.BeginStep();
}

TEST_F(TextBlockTest, RecordHoldsItsLengthsAndReadsBackTheSameText) {
  auto text = NewText();
  Type(*text, {'A', 13, kChinese, 'A'});
  text->EndTextEdit(&m_view);
  CMatrix2D move;
  move.m[6] = 5;
  move.m[7] = 7;
  text->Transform(move);

  Bytes record = RecordOf(*text);
  ASSERT_GT(record.size(), CTextBlock::kFixedRecordLength);
  EXPECT_EQ(kTextRecordTag, record[0]);
  EXPECT_EQ(kTextBlock, record[5]);
  int effectLength = Int32At(record, CTextBlock::kEffectOffset + 1);
  int arrayLength = Int32At(record, CTextBlock::kEffectOffset + effectLength + 1);
  EXPECT_EQ(record[CTextBlock::kEffectOffset + effectLength], CBoxArray::kRecordTag);
  EXPECT_EQ(static_cast<int>(CTextBlock::kFixedRecordLength) + effectLength + arrayLength,
            Int32At(record, 1));
  EXPECT_EQ(0xF1, record.back());

  std::unique_ptr<CBlock> read(CreateBlockFromRecord(record.data(), record.size()));
  ASSERT_TRUE(read);
  ASSERT_EQ(kTextBlock, read->m_type);
  auto* copy = static_cast<CTextBlock*>(read.get());
  EXPECT_EQ(Codes(*text), Codes(*copy));
  EXPECT_EQ(-1, copy->GetCaret());
  EXPECT_FLOAT_EQ(text->m_box.left, copy->m_box.left);
  EXPECT_FLOAT_EQ(text->m_box.bottom, copy->m_box.bottom);
  EXPECT_FLOAT_EQ(text->GetFrame().right, copy->GetFrame().right);
  EXPECT_FLOAT_EQ(5, copy->m_matrix.m[6]);
  EXPECT_EQ(text->GetEffectKind(), copy->GetEffectKind());
  EXPECT_EQ(record, RecordOf(*copy)) << "written again byte for byte";
  EXPECT_EQ(0u, m_boxes.Count());
}

TEST_F(TextBlockTest, AnEmptyTextWritesNoBoxArrayAndReadsBackEmpty) {
  auto text = NewText();
  Bytes record = RecordOf(*text);
  int effectLength = Int32At(record, CTextBlock::kEffectOffset + 1);
  EXPECT_EQ(static_cast<int>(CTextBlock::kFixedRecordLength) + effectLength, Int32At(record, 1));
  std::unique_ptr<CBlock> read(CreateBlockFromRecord(record.data(), record.size()));
  ASSERT_TRUE(read);
  EXPECT_TRUE(read->IsEmpty());
}

TEST_F(TextBlockTest, DamagedRecordsAreRefused) {
  auto text = NewText();
  Type(*text, {'A', 'A'});
  const Bytes good = RecordOf(*text);
  const size_t effect = CTextBlock::kEffectOffset;
  const int effectLength = Int32At(good, effect + 1);
  struct Case {
    const char* what;
    void (*damage)(Bytes&, size_t, int);
  };
  const Case cases[] = {
      {"the type code of a curve", [](Bytes& r, size_t, int) { r[5] = kCurveBlock; }},
      {"an effect of no known kind", [](Bytes& r, size_t e, int) { r[e] = 'z'; }},
      {"an effect longer than the record",
       [](Bytes& r, size_t e, int) { PutInt32(r, e + 1, 100000); }},
      {"an effect of negative length", [](Bytes& r, size_t e, int) { PutInt32(r, e + 1, -5); }},
      {"something other than boxes after the effect",
       [](Bytes& r, size_t e, int length) { r[e + length] = 0x21; }},
      {"a box of NaN", [](Bytes& r, size_t, int) { PutInt32(r, 8 + 4, 0x7FC00000); }},
      {"an infinite frame", [](Bytes& r, size_t, int) { PutInt32(r, 24 + 8, 0xFF800000); }},
      {"a matrix moving by infinity",
       [](Bytes& r, size_t, int) { PutInt32(r, 40 + 28, 0x7F800000); }},
      {"a record cut short before its effect",
       [](Bytes& r, size_t, int) {
         r.resize(60);
         PutInt32(r, 1, 60);
         r[59] = 0xF1;
       }},
  };
  for (const Case& c : cases) {
    Bytes damaged = good;
    c.damage(damaged, effect, effectLength);
    std::unique_ptr<CBlock> read(CreateBlockFromRecord(damaged.data(), damaged.size()));
    EXPECT_FALSE(read) << c.what;
  }
  // Boxes that run past their array keep what was read, with a message, inside the record.
  Bytes shortArray = good;
  PutInt32(shortArray, effect + effectLength + 1, 40);
  std::unique_ptr<CBlock> partial(CreateBlockFromRecord(shortArray.data(), shortArray.size()));
  if (partial) {
    EXPECT_LE(partial->GetBoxArray()->GetSize(), 2);
  }
  // Every truncation of a good record is either refused or read within its bytes.
  for (size_t size = 0; size < good.size(); ++size) {
    std::unique_ptr<CBlock> cut(CreateBlockFromRecord(good.data(), size));
    EXPECT_FALSE(cut) << size;
  }
}

TEST_F(TextBlockTest, CurvesFollowTheGlyphOutlinesThroughLayoutAndMatrix) {
  auto text = NewText();
  Type(*text, {'A', kChinese});
  text->GetBoxArray()->GetCharBox(1)->m_style |= CCharBox::kFilled;
  CMatrix2D move;
  move.m[6] = 100;
  move.m[7] = 50;
  text->Transform(move);

  std::unique_ptr<CBlock> curves(text->ToCurve(0xFFFFFFFF));
  ASSERT_TRUE(curves);
  ASSERT_EQ(kGroupBlock, curves->m_type);
  auto* group = static_cast<CGroupBlock*>(curves.get());
  ASSERT_EQ(2, group->GetChildren().GetSize());
  // Glyph (u, v) lands at (x + u * w / 1024, y - h + v * h / 1024), then through the matrix.
  for (INT_PTR i = 0; i < 2; ++i) {
    const CCharBox* box = text->GetBoxArray()->GetCharBox(i);
    float lo = i == 0 ? 100.0f : 0.0f, hi = i == 0 ? 400.0f : 1024.0f;
    float scaleX = box->m_width / 1024, scaleY = box->m_height / 1024;
    const CFRect& got = group->GetChildren().GetBlock(i)->m_box;
    SCOPED_TRACE(i);
    EXPECT_NEAR(box->m_x + lo * scaleX + 100, got.left, 0.01);
    EXPECT_NEAR(box->m_x + hi * scaleX + 100, got.right, 0.01);
    EXPECT_NEAR(box->m_y - box->m_height + lo * scaleY + 50, got.top, 0.01);
    EXPECT_NEAR(box->m_y - box->m_height + hi * scaleY + 50, got.bottom, 0.01);
  }
  EXPECT_EQ(0, group->GetChildren().GetBlock(0)->m_attributes & kSolidAttr);
  EXPECT_EQ(kSolidAttr, group->GetChildren().GetBlock(1)->m_attributes & kSolidAttr);

  // One glyph gives the curve alone; no glyph at all gives nothing.
  text->GetBoxArray()->GetCharBox(1)->m_colour = 7;
  std::unique_ptr<CBlock> one(text->ToCurve(7));
  ASSERT_TRUE(one);
  EXPECT_EQ(kCurveBlock, one->m_type);
  m_fonts.glyphs.clear();
  text->GetBoxArray()->GetCharBox(1)->ForgetGlyph();
  EXPECT_FALSE(std::unique_ptr<CBlock>(text->ToCurve(0xFFFFFFFF)));
}

// The layout line the cut output cuts with a text ("TextLine"), reached through the block's own
// slot: for a straight text the rectangle of its extent and a rule under every line but the last,
// through the block's matrix; an empty text has none.
TEST_F(TextBlockTest, TheLayoutLineIsTheExtentWithARuleUnderEachLineButTheLast) {
  auto text = NewText();
  EXPECT_FALSE(std::unique_ptr<CBlock>(static_cast<CBlock&>(*text).GetEffectOutline()));
  Type(*text, {'A', 13, kChinese});
  CMatrix2D move;
  move.m[6] = 100;
  move.m[7] = 50;
  text->Transform(move);
  const CCharBox* first = text->GetBoxArray()->GetCharBox(0);
  const CCharBox* last = text->GetBoxArray()->GetCharBox(2);
  ASSERT_TRUE(first && last);
  ASSERT_LT(first->m_y, last->m_y);

  std::unique_ptr<CBlock> line(static_cast<CBlock&>(*text).GetEffectOutline());
  ASSERT_TRUE(line);
  ASSERT_EQ(kCurveBlock, line->m_type);
  std::vector<POINTREC> points = static_cast<CCurveBlock*>(line.get())->GetPoints();
  ASSERT_EQ(8u, points.size());  // a closed rectangle, one rule, the end record
  // The rectangle from the frame's start (10, 20) to the last line's bottom, moved by (100, 50).
  EXPECT_NEAR(110, points[0].x, 0.01);
  EXPECT_NEAR(70, points[0].y, 0.01);
  EXPECT_NEAR(last->m_y + 50, points[2].y, 0.01);
  EXPECT_EQ(kPointClose, points[4].flags & kPointClose);
  // The rule across it at the first line's bottom.
  EXPECT_EQ(kPointStart, points[5].flags & kPointSubpathBits);
  EXPECT_NEAR(110, points[5].x, 0.01);
  EXPECT_NEAR(first->m_y + 50, points[5].y, 0.01);
  EXPECT_NEAR(points[1].x, points[6].x, 0.01);
  EXPECT_NEAR(first->m_y + 50, points[6].y, 0.01);
}

TEST_F(TextBlockTest, OffsetMovesCharactersOrMatrixAndHitTestFindsThem) {
  auto text = NewText();
  Type(*text, {'A'});
  text->EndTextEdit(&m_view);
  CFRect before = text->GetBoxArray()->GetCharBox(0)->m_rect;
  text->Offset(3, 4);
  EXPECT_FLOAT_EQ(before.left + 3, text->GetBoxArray()->GetCharBox(0)->m_rect.left);
  EXPECT_TRUE(text->HitTest(&m_view, before.left + 4, (before.top + before.bottom) / 2 + 4));
  EXPECT_FALSE(text->HitTest(&m_view, before.left - 50, before.top));

  CMatrix2D scale;
  scale.m[0] = scale.m[4] = 2;
  text->Transform(scale);
  CFRect chars = text->GetBoxArray()->GetCharBox(0)->m_rect;
  text->Offset(1, 1);
  EXPECT_FLOAT_EQ(chars.left, text->GetBoxArray()->GetCharBox(0)->m_rect.left);
  EXPECT_FLOAT_EQ(1, text->m_matrix.m[6]);
}

namespace {

bool PutText(HWND owner, const char* text) {
  if (!::OpenClipboard(owner)) return false;
  ::EmptyClipboard();
  size_t size = std::strlen(text) + 1;
  HGLOBAL memory = ::GlobalAlloc(GMEM_MOVEABLE, size);
  std::memcpy(::GlobalLock(memory), text, size);
  ::GlobalUnlock(memory);
  bool put = ::SetClipboardData(CF_TEXT, memory) != nullptr;
  ::CloseClipboard();
  return put;
}

std::string ClipboardText(HWND owner) {
  std::string text;
  if (!::OpenClipboard(owner)) return text;
  if (HGLOBAL memory = ::GetClipboardData(CF_TEXT)) {
    text.assign(static_cast<const char*>(::GlobalLock(memory)));
    ::GlobalUnlock(memory);
  }
  ::CloseClipboard();
  return text;
}

bool EditorSelectsZ(HWND owner) { return PutText(owner, "Z"); }

}  // namespace

TEST_F(TextBlockTest, TheClipboardCarriesCharactersAndCtrlDoubleClickPastesOnlyTheEditorsText) {
  HWND window = ::CreateWindowA("STATIC", "", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr,
                                nullptr);
  ASSERT_NE(nullptr, window);
  m_view.window = window;
  auto text = NewText();
  Type(*text, {'A', 'B', 'C'});
  text->SelectRange(1, 2);
  ASSERT_TRUE(text->CopyToClipboard(window));
  EXPECT_EQ("BC", ClipboardText(window));
  auto pasted = NewText();
  ASSERT_TRUE(pasted->PasteFromClipboard(&m_view));
  EXPECT_EQ((std::vector<WORD>{'B', 'C'}), Codes(*pasted));

  // Plain text from another program becomes characters of the current defaults.
  ASSERT_TRUE(PutText(window, "xy"));
  auto plain = NewText();
  ASSERT_TRUE(plain->PasteFromClipboard(&m_view));
  EXPECT_EQ((std::vector<WORD>{'x', 'y'}), Codes(*plain));

  // Whatever the clipboard holds, Ctrl+double-click takes only the text editor's selection.
  EXPECT_TRUE(plain->OnLButtonDblClk(&m_view, MK_CONTROL, 0, 0));
  EXPECT_EQ(2u, Codes(*plain).size());
  CTextBlock::EditorSelectionCopier previous = CTextBlock::SetEditorSelectionCopier(EditorSelectsZ);
  EXPECT_TRUE(plain->OnLButtonDblClk(&m_view, MK_CONTROL, 0, 0));
  CTextBlock::SetEditorSelectionCopier(previous);
  EXPECT_EQ(3u, Codes(*plain).size());
  EXPECT_EQ('Z', Codes(*plain).front());
  m_view.window = nullptr;
  ::DestroyWindow(window);
}

TEST_F(TextBlockTest, OneUndoTakesAWholePasteOutAndLeavesTheCaretWhereItWas) {
  HWND window = ::CreateWindowA("STATIC", "", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr,
                                nullptr);
  ASSERT_NE(nullptr, window);
  auto text = NewText();
  Type(*text, {'A', 'B'});
  text->SetCaret(&m_view, 0, 0);
  m_view.undo.EndStep();
  ASSERT_TRUE(PutText(window, "xyz"));
  m_view.window = window;
  ASSERT_TRUE(text->PasteFromClipboard(&m_view));
  m_view.window = nullptr;
  ::DestroyWindow(window);
  EXPECT_EQ((std::vector<WORD>{'A', 'x', 'y', 'z', 'B'}), Codes(*text));
  EXPECT_TRUE(m_view.undo.PlayLastStep(&m_view));
  EXPECT_EQ((std::vector<WORD>{'A', 'B'}), Codes(*text));
  EXPECT_EQ(0, text->GetCaret());
  EXPECT_EQ(0, text->GetCaretSide());
  m_view.undo.BeginStep();
}

TEST_F(TextBlockTest, LineStartAlignmentBracketsTheSelectionAndIsTakenOutAgain) {
  auto text = NewText();
  Type(*text, {'A', 'B', 'C', 'D'});
  EXPECT_EQ(0, text->AlignLineStart(&m_view)) << "nothing selected";
  text->SelectRange(1, 2);
  EXPECT_EQ(1, text->AlignLineStart(&m_view));
  CBoxArray* boxes = text->GetBoxArray();
  ASSERT_EQ(6, boxes->GetSize());
  ASSERT_TRUE(boxes->GetBox(1)->IsAttrBox());
  EXPECT_EQ(CAttrBox::kAlignOpen, static_cast<CAttrBox*>(boxes->GetBox(1))->m_attrKind);
  ASSERT_TRUE(boxes->GetBox(4)->IsAttrBox());
  EXPECT_EQ(CAttrBox::kAlignClose, static_cast<CAttrBox*>(boxes->GetBox(4))->m_attrKind);
  // Aligning the same selection again keeps one pair.
  EXPECT_EQ(1, text->AlignLineStart(&m_view));
  EXPECT_EQ(6, boxes->GetSize());

  text->RemoveAttrBoxes(&m_view, 2, boxes->GetSize());
  EXPECT_EQ(4, boxes->GetSize());
  EXPECT_EQ((std::vector<WORD>{'A', 'B', 'C', 'D'}), Codes(*text));
}
