// The text commands sent to a real main view in a document window under Xvfb: the direction
// commands turn the layout of the selected texts and undo gives each text back exactly the layout
// and character places it had; characters copied or cut from a text under edit paste into another
// text under edit, and undo takes each step back exactly.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "CommandTestSupport.h"
#include "editor/DrawingWindow.h"
#include "editor/TALVEX42View.h"
#include "editor/commands/TextCommands.h"
#include "editor/views/ViewCommandTable.h"
#include "framework/MDIFrameWnd.h"
#include "framework/WinApp.h"
#include "model/blocks/CurveBlock.h"
#include "model/document/TALVEX42Doc.h"
#include "model/geometry/PointRecord.h"
#include "model/geometry/ShapeCurves.h"
#include "model/undo/UndoManager.h"
#include "resources/Resource.h"
#include "support/MessagePump.h"
#include "text/TextBlock.h"
#include "text/layout/CharBox.h"
#include "text/layout/DirectionEffect.h"
#include "text/layout/FakeGlyphSource.h"

namespace {

const UINT kUndoCommand = 57643;
const UINT kCopyCommand = 57634;
const UINT kCutCommand = 57635;
const UINT kPasteCommand = 57637;

// What undo must give back: the layout's kind and frame and every box's code and place.
struct TextState {
  int kind = -1;
  CFRect frame;
  std::vector<WORD> codes;
  std::vector<CFRect> rects;
  bool operator==(const TextState& other) const {
    auto same = [](const CFRect& a, const CFRect& b) {
      return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
    };
    if (kind != other.kind || !same(frame, other.frame) || codes != other.codes ||
        rects.size() != other.rects.size())
      return false;
    for (size_t i = 0; i < rects.size(); ++i)
      if (!same(rects[i], other.rects[i])) return false;
    return true;
  }
};

TextState StateOf(CTextBlock* text) {
  TextState state;
  state.kind = text->GetEffectKind();
  if (auto* straight = dynamic_cast<CDirectionEffect*>(text->GetEffect()))
    state.frame = straight->GetFrame();
  for (INT_PTR i = 0; i < text->GetBoxArray()->GetSize(); ++i) {
    if (const CCharBox* box = text->GetBoxArray()->GetCharBox(i)) {
      state.codes.push_back(box->m_code);
      state.rects.push_back(box->m_rect);
    }
  }
  return state;
}

class TextCommands : public ::testing::Test {
protected:
  void SetUp() override {
    m_saved = CTextDefaults::Global();
    CTextDefaults::Global().fontSizeX = CTextDefaults::Global().fontSizeY = 20;
    CTextDefaults::Global().lineGaps = CTextDefaults::Global().boxGaps = 0;
    frame = new CMDIFrameWnd;
    ASSERT_TRUE(OpenDrawingWindow(app, frame, &document, &view));
  }
  void TearDown() override {
    CloseDrawingWindow(app);
    CTextDefaults::Global() = m_saved;
  }
  CTextBlock* AddText(const char* chars, int kind, float top, bool selected = true) {
    CTextBlock* text = CTextBlock::CreateAt(kind, 10, top, 110, top + 50);
    std::unique_ptr<CBoxArray> boxes(MakeCharBoxesFromText(chars, CTextDefaults::Global()));
    text->InsertBoxesAtCaret(*boxes);
    text->Relayout(nullptr, -1);
    text->UpdateBox();
    text->m_selected = selected ? 1 : 0;
    document->AddBlock(text);
    return text;
  }
  void Edit(CTextBlock* text) {
    if (CBlock* edited = view->GetEditBlock()) edited->EndTextEdit(view);
    view->SetEditBlock(text);
    if (text->m_editMode != kTextTool) text->BeginEdit(kTextTool, view);
  }
  void Send(UINT id) {
    view->SendMessage(WM_COMMAND, id);
    PumpMessages();
  }
  // Undo runs the relayout timer's work at once when the step is taken back.
  void Undo() {
    Send(kUndoCommand);
    for (INT_PTR i = 0; i < document->GetBlockList().GetSize(); ++i)
      if (auto* text = dynamic_cast<CTextBlock*>(document->GetBlockAt(i))) {
        text->Relayout(view, -1);
        text->UpdateBox();
      }
  }
  static std::vector<WORD> Codes(const char* chars) {
    std::vector<WORD> codes;
    for (const char* c = chars; *c; ++c) codes.push_back(static_cast<BYTE>(*c));
    return codes;
  }
  INT_PTR Steps() { return view->GetUndoManager()->GetStepCount(); }

  CTextDefaults m_saved;
  FakeGlyphSource fonts;
  CDrawingTestApp app{"TalvexTextCommandsTest"};
  CMDIFrameWnd* frame = nullptr;
  CTALVEX42Doc* document = nullptr;
  CTALVEX42View* view = nullptr;
};

}  // namespace

TEST(TextDirection, AFrameTurnedBetweenAcrossAndDownKeepsItsLineLengthAndStartCorner) {
  struct Case {
    int from, to;
    CFRect expected;
  };
  const CFRect frame(10, 20, 110, 70);  // lines 100 long across, 50 down
  // clang-format off
  const Case cases[] = {
    {0, 1, CFRect(10, 20, 110, 70)},
    {0, 2, CFRect(10, 20, 110, 120)},
    {1, 3, CFRect(10, 20, 110, 120)},
    {2, 0, CFRect(10, 20, 60, 70)},
    {3, 1, CFRect(10, 20, 60, 70)},
    {2, 3, CFRect(10, 20, 110, 70)},
  };
  // clang-format on
  for (const Case& c : cases) {
    CFRect turned = CTextCommands::TurnFrame(frame, c.from, c.to);
    EXPECT_EQ(c.expected.left, turned.left) << c.from << "->" << c.to;
    EXPECT_EQ(c.expected.top, turned.top) << c.from << "->" << c.to;
    EXPECT_EQ(c.expected.right, turned.right) << c.from << "->" << c.to;
    EXPECT_EQ(c.expected.bottom, turned.bottom) << c.from << "->" << c.to;
  }
}

TEST_F(TextCommands, EachDirectionTurnsTheSelectedTextsAndUndoGivesBackTheirLayoutExactly) {
  struct Case {
    UINT command;
    int kind;
  };
  const Case cases[] = {{ID_TEXT_HORZ_REVERSE, 1}, {ID_TEXT_VERT, 2}, {ID_TEXT_VERT_REVERSE, 3}};
  CTextBlock* selected = AddText("ABC", 0, 10);
  CTextBlock* other = AddText("AB", 0, 100, false);
  view->GetSelectTracker().Recount();
  TextState before = StateOf(selected), otherBefore = StateOf(other);
  for (const Case& c : cases) {
    INT_PTR steps = Steps();
    Send(c.command);
    EXPECT_EQ(c.kind, selected->GetEffectKind()) << c.command;
    EXPECT_EQ(steps + 1, Steps()) << "one undo step";
    EXPECT_FALSE(StateOf(selected) == before) << "the characters moved to the new lines";
    EXPECT_TRUE(StateOf(other) == otherBefore) << "an unselected text stays";
    Undo();
    EXPECT_TRUE(StateOf(selected) == before) << c.command;
  }
  // A text already of the kind is left alone and records nothing.
  INT_PTR steps = Steps();
  Send(ID_TEXT_HORZ);
  EXPECT_EQ(steps, Steps());
  EXPECT_TRUE(StateOf(selected) == before);
}

TEST_F(TextCommands, CharactersCopiedOrCutFromOneTextPasteIntoAnotherAndUndoTakesEachBack) {
  CTextBlock* source = AddText("ABCD", 0, 10);
  CTextBlock* target = AddText("XY", 0, 100, false);
  TextState sourceBefore = StateOf(source), targetBefore = StateOf(target);

  Edit(source);
  source->SetCaret(view, 1, 1);
  source->SelectRange(1, 2);
  Send(kCopyCommand);
  EXPECT_TRUE(StateOf(source) == sourceBefore) << "copying changes nothing";
  ASSERT_TRUE(::IsClipboardFormatAvailable(CTextBlock::GetClipboardFormat()));
  ASSERT_TRUE(::IsClipboardFormatAvailable(CF_TEXT));

  Edit(target);
  target->SetCaret(view, 0, 0);  // after the X
  Send(kPasteCommand);
  EXPECT_EQ(Codes("XBCY"), StateOf(target).codes);
  Undo();
  EXPECT_TRUE(StateOf(target) == targetBefore) << "undo takes the pasted characters out";

  Edit(source);
  source->SetCaret(view, 0, 1);
  source->SelectRange(0, 0);
  Send(kCutCommand);
  EXPECT_EQ(Codes("BCD"), StateOf(source).codes);
  Edit(target);
  target->SetCaret(view, 1, 0);  // after the Y
  Send(kPasteCommand);
  EXPECT_EQ(Codes("XYA"), StateOf(target).codes);
  Undo();
  EXPECT_TRUE(StateOf(target) == targetBefore);
  Undo();
  EXPECT_TRUE(StateOf(source) == sourceBefore) << "undo of the cut puts the character back";
}

// Characters on the clipboard only go into a text under edit; with nothing under edit paste
// reads the block list alone, so they must not turn into a block or leave an undo step.
TEST_F(TextCommands, CopiedCharactersPasteNothingWhenNoTextIsUnderEdit) {
  CTextBlock* source = AddText("ABCD", 0, 10, false);
  TextState sourceBefore = StateOf(source);
  Edit(source);
  source->SetCaret(view, 1, 1);
  source->SelectRange(1, 2);
  Send(kCopyCommand);
  ASSERT_TRUE(::IsClipboardFormatAvailable(CTextBlock::GetClipboardFormat()));
  source->EndTextEdit(view);
  view->SetEditBlock(nullptr);
  INT_PTR blocks = document->GetBlockList().GetSize(), steps = Steps();

  Send(kPasteCommand);
  EXPECT_EQ(blocks, document->GetBlockList().GetSize());
  EXPECT_EQ(steps, Steps());
  EXPECT_EQ(sourceBefore.codes, StateOf(source).codes);
  EXPECT_TRUE(::IsClipboardFormatAvailable(CTextBlock::GetClipboardFormat()))
      << "a paste leaves the clipboard as it was";
}

TEST_F(TextCommands, PlainTextPastesAtTheStartOfATextWithoutACaret) {
  CTextBlock* target = AddText("XY", 0, 100, false);
  ASSERT_TRUE(::OpenClipboard(view->m_hWnd));
  ::EmptyClipboard();
  HGLOBAL memory = ::GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, 3);
  std::memcpy(::GlobalLock(memory), "AB", 2);
  ::GlobalUnlock(memory);
  ::SetClipboardData(CF_TEXT, memory);
  ::CloseClipboard();
  Edit(target);
  target->SetCaretIndex(-1);
  Send(kPasteCommand);
  EXPECT_EQ(Codes("ABXY"), StateOf(target).codes);
  EXPECT_EQ(-1, target->GetRelayoutStart()) << "laid out at once from the first character";
  for (const CFRect& rect : StateOf(target).rects) EXPECT_GT(rect.bottom, rect.top);
}

TEST_F(TextCommands, SelectedTextIsReadUpToTheSelectionsEndAndWithinTheBuffer) {
  struct Case {
    std::string chars;
    INT_PTR from, to;
    int size;
    std::string expected;
  };
  std::string chinese;
  for (int i = 0; i < 30; ++i) chinese += "\xB0\xA1";
  const Case cases[] = {
      {"ABCDEFG", 2, 4, 40, "CDE"},
      {chinese, 0, 29, 40, chinese.substr(0, 38)},
      {std::string(50, 'A'), 0, 49, 40, std::string(39, 'A')},
      {"AB", 0, 1, 0, ""},
  };
  for (const Case& c : cases) {
    CTextBlock* text = AddText(c.chars.c_str(), 0, 10);
    Edit(text);
    text->SetCaret(view, c.from, 1);
    text->SetAnchor(c.to);
    text->SelectRange(c.from, c.to);
    char buffer[64] = "left over";
    CTextDefaults record;
    record.fontAngle = 99;
    ASSERT_EQ(1,
              view->GetTextCommands().GetSelectedText(c.size ? buffer : nullptr, &record, c.size));
    if (c.size) {
      EXPECT_EQ(c.expected, std::string(buffer)) << c.chars;
    }
    EXPECT_EQ(20.0f, record.fontSizeX);
    EXPECT_EQ(0.0f, record.fontAngle);
  }
  // Without selected characters under edit there is nothing to read, and the record stays.
  CTextBlock* text = AddText("AB", 0, 10);
  Edit(text);
  text->SelectRange(-1, -1);
  char buffer[8] = "x";
  CTextDefaults record;
  record.fontAngle = 7;
  EXPECT_EQ(0, view->GetTextCommands().GetSelectedText(buffer, &record, sizeof buffer));
  EXPECT_EQ('\0', buffer[0]);
  EXPECT_EQ(7.0f, record.fontAngle);
}

TEST_F(TextCommands, ParametersReachEverySelectedCharacterThatDiffersAndUndoRestoresThem) {
  CTextBlock* text = AddText("ABCD", 0, 10);
  TextState before = StateOf(text);
  Edit(text);
  text->SetCaret(view, 1, 1);
  text->SetAnchor(3);
  text->SelectRange(1, 3);
  // The first selected character already has the new size; the others must still take it.
  text->GetBoxArray()->GetCharBox(1)->m_width = 30;
  text->GetBoxArray()->GetCharBox(1)->m_height = 30;
  CTextDefaults record = CTextDefaults::Global();
  record.fontSizeX = record.fontSizeY = 30;
  record.fontAngle = 15;
  const int kSizeAndAngle = CBoxArray::kApplySize | CBoxArray::kApplyAngle;
  EXPECT_EQ(1, view->GetTextCommands().ApplyFontToSelection(record, kSizeAndAngle));
  for (INT_PTR i = 0; i < 4; ++i) {
    const CCharBox* box = text->GetBoxArray()->GetCharBox(i);
    bool selected = i >= 1;
    EXPECT_EQ(selected ? 30.0f : 20.0f, box->m_width) << i;
    EXPECT_EQ(selected ? 15.0f : 0.0f, box->m_angle) << i;
  }
  Undo();
  text->GetBoxArray()->GetCharBox(1)->m_width = 20;
  text->GetBoxArray()->GetCharBox(1)->m_height = 20;
  text->Relayout(view, -1);
  EXPECT_TRUE(StateOf(text) == before);
  EXPECT_EQ(0.0f, text->GetBoxArray()->GetCharBox(2)->m_angle);

  // Without a text under edit every selected text takes the values, and the answer is 0.
  view->SetEditBlock(nullptr);
  CTextBlock* other = AddText("XY", 0, 100, false);
  EXPECT_EQ(0, view->GetTextCommands().ApplyFontToSelection(record, CBoxArray::kApplySize));
  EXPECT_EQ(30.0f, text->GetBoxArray()->GetCharBox(0)->m_width);
  EXPECT_EQ(20.0f, other->GetBoxArray()->GetCharBox(0)->m_width);
}

TEST_F(TextCommands, SizeModesMarkTheSelectedTextsOrElseBecomeTheModeOfNewText) {
  struct Case {
    UINT command;
    WORD mode;
  };
  const Case cases[] = {{ID_TEXT_SIZE_ABSOLUTE, 2},
                        {ID_TEXT_SIZE_UNIFORM, 1},
                        {ID_TEXT_SIZE_NORMAL, 0}};
  auto modes = [](CTextBlock* text) {
    std::vector<int> found;
    for (INT_PTR i = 0; i < text->GetBoxArray()->GetSize(); ++i)
      found.push_back(text->GetBoxArray()->GetCharBox(i)->m_style & 3);
    return found;
  };
  auto radio = [this](UINT id) {
    ViewCommandState state = view->GetCommandState();
    return CViewCommandTable::Evaluate(*CViewCommandTable::Find(id), id, state).radio;
  };
  CTextBlock* text = AddText("ABC", 0, 10);
  CTextDefaults::Global().styleWord = 1;
  for (const Case& c : cases) {
    Send(c.command);
    EXPECT_EQ(std::vector<int>(3, c.mode), modes(text)) << c.command;
    EXPECT_EQ(1, CTextDefaults::Global().styleWord) << "new text keeps its mode";
    Undo();
    EXPECT_EQ(std::vector<int>(3, 0), modes(text)) << c.command;
  }
  text->m_selected = 0;
  for (const Case& c : cases) {
    INT_PTR steps = Steps();
    Send(c.command);
    EXPECT_EQ(c.mode, CTextDefaults::Global().styleWord & 3);
    EXPECT_EQ(1, radio(c.command));
    EXPECT_EQ(steps, Steps()) << "nothing changed, nothing to undo";
  }
  EXPECT_EQ(0, radio(ID_TEXT_SIZE_ABSOLUTE));

  // Half-wide punctuation is a switch of new text alone.
  auto check = [this]() {
    ViewCommandState state = view->GetCommandState();
    return CViewCommandTable::Evaluate(*CViewCommandTable::Find(ID_TEXT_HALF_WIDTH),
                                       ID_TEXT_HALF_WIDTH, state)
        .check;
  };
  EXPECT_EQ(0, check());
  Send(ID_TEXT_HALF_WIDTH);
  EXPECT_EQ(1, check());
  EXPECT_EQ(4 | 0, CTextDefaults::Global().styleWord);
  Send(ID_TEXT_HALF_WIDTH);
  EXPECT_EQ(0, check());
}

TEST_F(TextCommands, RemovingOverlapsCutsSharedStrokesOnceUntilTheFontChanges) {
  // 'A' is two squares of 600 glyph units sharing a corner square of 300; 'B' has no outline.
  std::vector<POINTREC>& glyph = fonts.glyphs['A'];
  for (float lo : {0.0f, 300.0f}) {
    const float hi = lo + 600;
    glyph.push_back(MakePointRecord(lo, lo, kPointStart | kPointOnCurve));
    glyph.push_back(MakePointRecord(hi, lo, kPointOnCurve));
    glyph.push_back(MakePointRecord(hi, hi, kPointOnCurve));
    glyph.push_back(MakePointRecord(lo, hi, kPointOnCurve));
    glyph.push_back(MakePointRecord(lo, lo, kPointClose | kPointOnCurve));
  }
  CTextBlock* text = AddText("AAB", 0, 10);
  view->GetDrawingCommands().SetLibraryPath(command_test::kLibraryPath);
  // The area a character cuts, in glyph units.
  auto areaOf = [text](INT_PTR index) {
    std::unique_ptr<CContour> outline(text->GetBoxArray()->GetCharBox(index)->GetContour(nullptr));
    if (!outline) return 0.0;
    std::unique_ptr<CCurveBlock> curve(MakeCurveFromContour(*outline, 0));
    return std::fabs(command_test::AreaOf(curve.get()));
  };
  const double overlapping = 2 * 600 * 600, welded = overlapping - 300 * 300;
  ASSERT_NEAR(overlapping, areaOf(0), 1);
  const double textArea = command_test::AreaOf(text);
  ASSERT_TRUE(CViewCommandTable::Evaluate(*CViewCommandTable::Find(ID_OUTLINE_UNCROSS_TEXT),
                                          ID_OUTLINE_UNCROSS_TEXT, view->GetCommandState())
                  .enabled);

  Send(ID_OUTLINE_UNCROSS_TEXT);
  for (INT_PTR i : {0, 1, 0, 1}) EXPECT_NEAR(welded, areaOf(i), 1) << "character " << i;
  EXPECT_EQ(0, areaOf(2));
  EXPECT_NEAR(welded / overlapping, command_test::AreaOf(text) / textArea, 1e-3) << "the cut";
  // A new font for the first character brings its own outline back.
  text->GetBoxArray()->GetCharBox(0)->ForgetGlyph();
  EXPECT_NEAR(overlapping, areaOf(0), 1);
  EXPECT_NEAR(welded, areaOf(1), 1);
}
