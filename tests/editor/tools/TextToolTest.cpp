// The text tool in a document window under Xvfb, driven by the messages a user's mouse and
// keyboard send: a click on empty page starts a text block, Latin and Chinese characters typed
// into it are laid out by the view's timer and painted, the text is cut to a plotter file whose
// coordinates cover the glyphs' outlines; clicks place the caret and drags of selected
// characters move or copy them between blocks and onto empty page. Fonts are a fake glyph source
// with square outlines. The typed text is saved as build/<arch>/screenshots/text_typed.bmp.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <memory>
#include <regex>
#include <sstream>
#include <string>
#include <vector>

#include "editor/DrawingWindow.h"
#include "editor/TALVEX42View.h"
#include "framework/File.h"
#include "framework/GlobalLock.h"
#include "framework/MDIFrameWnd.h"
#include "framework/WinApp.h"
#include "model/document/TALVEX42Doc.h"
#include "model/geometry/Contour.h"
#include "model/geometry/MatrixFactories.h"
#include "resources/Resource.h"
#include "support/ClientPicture.h"
#include "support/MessagePump.h"
#include "support/TempFolder.h"
#include "text/TextBlock.h"
#include "text/layout/CharBox.h"
#include "text/layout/DirectionEffect.h"
#include "text/layout/FakeGlyphSource.h"

namespace {

const WORD kChinese = 0xB0A1;
const UINT kUndoCommand = 57643;
const float kSteps = 40.0f;  // plotter steps of 0.025 mm per millimetre

std::vector<POINTREC> Square(float lo, float hi) {
  return {MakePointRecord(lo, lo, kPointStart | kPointOnCurve),
          MakePointRecord(hi, lo, kPointOnCurve), MakePointRecord(hi, hi, kPointOnCurve),
          MakePointRecord(lo, hi, kPointOnCurve), MakePointRecord(lo, lo, kPointClose | 1)};
}

// A main window that keeps the character sizes the text reports.
class SizeRecordingFrame : public CMDIFrameWnd {
public:
  BOOL OnCommand(WPARAM wParam, LPARAM lParam) override {
    if (LOWORD(wParam) == CTextBlock::kCharSizeNotice && lParam) {
      const float* size = reinterpret_cast<const float*>(lParam);
      sizes.push_back({size[0], size[1]});
      return TRUE;
    }
    return CMDIFrameWnd::OnCommand(wParam, lParam);
  }
  std::vector<FPOINT> sizes;
};

LPARAM At(POINT p) { return MAKELPARAM(static_cast<short>(p.x), static_cast<short>(p.y)); }

class TextTool : public ::testing::Test {
protected:
  void SetUp() override {
    m_saved = CTextDefaults::Global();
    CTextDefaults::Global().fontSizeX = CTextDefaults::Global().fontSizeY = 20;
    CTextDefaults::Global().lineGaps = CTextDefaults::Global().boxGaps = 0;
    fonts.glyphs['A'] = Square(100, 400);
    fonts.glyphs[kChinese] = Square(0, 1024);
    frame = new SizeRecordingFrame;
    ASSERT_TRUE(OpenDrawingWindow(app, frame, &document, &view));
    view->SendMessage(WM_COMMAND, ID_TOOL_TEXT);
    ASSERT_EQ(kTextTool, view->GetCurrentTool());
  }
  void TearDown() override {
    CloseDrawingWindow(app);
    CTextDefaults::Global() = m_saved;
  }

  POINT PixelOf(float x, float y) {
    FPOINT page = {x, y};
    POINT pixel;
    view->GetDisplayMatrix()->TransformPointToInt(&page, &pixel);
    return pixel;
  }
  void Click(float x, float y, UINT keys = 0) {
    POINT p = PixelOf(x, y);
    view->SendMessage(WM_LBUTTONDOWN, MK_LBUTTON | keys, At(p));
    view->SendMessage(WM_LBUTTONUP, keys, At(p));
  }
  void Drag(FPOINT from, FPOINT to, UINT keys = 0) {
    POINT a = PixelOf(from.x, from.y), b = PixelOf(to.x, to.y);
    view->SendMessage(WM_LBUTTONDOWN, MK_LBUTTON | keys, At(a));
    POINT middle = {(a.x + b.x) / 2, (a.y + b.y) / 2};
    view->SendMessage(WM_MOUSEMOVE, MK_LBUTTON | keys, At(middle));
    view->SendMessage(WM_MOUSEMOVE, MK_LBUTTON | keys, At(b));
    view->SendMessage(WM_LBUTTONUP, keys, At(b));
  }
  // Waits for the view's layout timer to have fired its four ticks.
  void WaitForLayout() {
    for (int i = 0; i < 30; ++i) {
      ::Sleep(20);
      PumpMessages();
    }
  }
  CTextBlock* TextAt(INT_PTR index) {
    return dynamic_cast<CTextBlock*>(document->GetBlockAt(index));
  }
  CTextBlock* TypeText(float x, float y, const char* latin, int chinese) {
    Click(x, y);
    for (const char* c = latin; *c; ++c) view->SendMessage(WM_CHAR, static_cast<BYTE>(*c), 0);
    for (int i = 0; i < chinese; ++i) view->SendMessage(WM_IME_CHAR, kChinese, 0);
    WaitForLayout();
    return dynamic_cast<CTextBlock*>(view->GetEditBlock());
  }
  static std::vector<WORD> Codes(CTextBlock* text) {
    std::vector<WORD> codes;
    for (INT_PTR i = 0; text && i < text->GetBoxArray()->GetSize(); ++i)
      if (const CCharBox* box = text->GetBoxArray()->GetCharBox(i)) codes.push_back(box->m_code);
    return codes;
  }
  static FPOINT CentreOf(CTextBlock* text, INT_PTR index) {
    const CFRect& r = text->GetBoxArray()->GetCharBox(index)->m_rect;
    return {(r.left + r.right) / 2 + text->m_matrix.m[6],
            (r.top + r.bottom) / 2 + text->m_matrix.m[7]};
  }

  CTextDefaults m_saved;
  FakeGlyphSource fonts;
  CDrawingTestApp app{"TalvexTextToolTest"};
  SizeRecordingFrame* frame = nullptr;
  CTALVEX42Doc* document = nullptr;
  CTALVEX42View* view = nullptr;
  TempFolder folder;
};

}  // namespace

TEST_F(TextTool, TypedLatinAndChineseTextIsLaidOutPaintedAndCutOverItsGlyphs) {
  CTextBlock* text = TypeText(30, 40, "AA", 1);
  ASSERT_NE(nullptr, text);
  ASSERT_EQ(1, document->GetBlockList().GetSize());
  EXPECT_EQ((std::vector<WORD>{'A', 'A', kChinese}), Codes(text));
  EXPECT_EQ(-1, text->GetRelayoutStart()) << "the timer laid the text out";
  EXPECT_TRUE(document->IsModified());

  // The Chinese character is a filled square in its cell: its middle is painted black.
  view->InvalidateRect(nullptr, FALSE);
  view->UpdateWindow();
  // For people looking at what the test saw: build/<arch>/screenshots/text_typed.bmp.
  CreateDirectoryA("screenshots", nullptr);
  SaveClientPicture(view->m_hWnd, "screenshots\\text_typed.bmp");
  const CCharBox* chinese = text->GetBoxArray()->GetCharBox(2);
  POINT top = PixelOf(chinese->m_rect.left + 1, chinese->m_rect.top + 1);
  POINT bottom = PixelOf(chinese->m_rect.right - 1, chinese->m_rect.bottom - 1);
  HDC dc = ::GetDC(view->m_hWnd);
  int dark = 0;
  for (int x = top.x; x <= bottom.x; ++x)
    if (GetRValue(::GetPixel(dc, x, top.y)) < 128) ++dark;
  ::ReleaseDC(view->m_hWnd, dc);
  EXPECT_GT(dark, 0) << "the glyph's top edge is drawn";

  // Cut to a plotter file in steps: its coordinates reach exactly over the glyphs' outlines.
  CMatrix2D toSteps;
  toSteps.m[0] = toSteps.m[4] = kSteps;
  std::unique_ptr<CContour> outline(text->GetContour(&toSteps, 0));
  ASSERT_TRUE(outline);
  outline->ApplyMatrix();
  std::string path = folder.File("cut.plt");
  {
    CFile file;
    ASSERT_TRUE(file.Open(path.c_str(), CFile::modeCreate | CFile::modeWrite));
    outline->WriteHPGL(&file);
  }
  std::ifstream in(path);
  std::stringstream content;
  content << in.rdbuf();
  std::string commands = content.str();
  std::regex pair("P[UD](-?\\d+),(-?\\d+)");
  int minX = 1 << 30, maxX = -(1 << 30), minY = 1 << 30, maxY = -(1 << 30), count = 0;
  for (std::sregex_iterator it(commands.begin(), commands.end(), pair), end; it != end; ++it) {
    int x = std::stoi((*it)[1]), y = std::stoi((*it)[2]);
    minX = std::min(minX, x), maxX = std::max(maxX, x);
    minY = std::min(minY, y), maxY = std::max(maxY, y);
    ++count;
  }
  ASSERT_GE(count, 15) << commands;
  const CCharBox* first = text->GetBoxArray()->GetCharBox(0);
  float firstLeft = first->m_x + 100 * first->m_width / 1024;
  EXPECT_NEAR(firstLeft * kSteps, minX, 2);
  EXPECT_NEAR((chinese->m_x + chinese->m_width) * kSteps, maxX, 2);
  EXPECT_NEAR((chinese->m_y - chinese->m_height) * kSteps, minY, 2);
  EXPECT_NEAR(chinese->m_y * kSteps, maxY, 2);
}

TEST_F(TextTool, ATypedAndEditedTextIsSavedReopenedAndCutAlike) {
  CTextBlock* text = TypeText(30, 40, "AAA", 2);
  ASSERT_NE(nullptr, text);
  FPOINT second = CentreOf(text, 1);
  Click(second.x, second.y);
  view->SendMessage(WM_KEYDOWN, VK_DELETE, 0);
  WaitForLayout();
  std::vector<WORD> typed = Codes(text);
  ASSERT_EQ(4u, typed.size());
  std::unique_ptr<CBlock> curves(text->ToCurve(0xFFFFFFFF));
  ASSERT_TRUE(curves);
  std::string path = folder.File("text.T42");
  ASSERT_TRUE(document->OnSaveDocument(path.c_str()));

  CTALVEX42Doc reopened;
  reopened.m_bAutoDelete = FALSE;
  ASSERT_TRUE(reopened.OnOpenDocument(path.c_str()));
  ASSERT_EQ(1, reopened.GetBlockList().GetSize());
  auto* read = dynamic_cast<CTextBlock*>(reopened.GetBlockAt(0));
  ASSERT_NE(nullptr, read);
  EXPECT_EQ(typed, Codes(read));
  std::unique_ptr<CBlock> readCurves(read->ToCurve(0xFFFFFFFF));
  ASSERT_TRUE(readCurves);
  EXPECT_FLOAT_EQ(curves->m_box.left, readCurves->m_box.left);
  EXPECT_FLOAT_EQ(curves->m_box.top, readCurves->m_box.top);
  EXPECT_FLOAT_EQ(curves->m_box.right, readCurves->m_box.right);
  EXPECT_FLOAT_EQ(curves->m_box.bottom, readCurves->m_box.bottom);
}

TEST_F(TextTool, AClickOnEmptyPageDropsAnEmptyTextAndStartsAnother) {
  Click(30, 40);
  CBlock* first = view->GetEditBlock();
  ASSERT_NE(nullptr, first);
  Click(120, 150);
  ASSERT_EQ(1, document->GetBlockList().GetSize()) << "the empty text went";
  EXPECT_NE(nullptr, view->GetEditBlock());
  EXPECT_EQ(document->GetBlockAt(0), view->GetEditBlock());
  // Leaving the tool removes the empty text as well.
  view->SendMessage(WM_COMMAND, ID_TOOL_SELECT);
  EXPECT_EQ(0, document->GetBlockList().GetSize());
  EXPECT_EQ(nullptr, view->GetEditBlock());
}

TEST_F(TextTool, UndoingATextsCreationLeavesNoBlockUnderEdit) {
  CTextBlock* text = TypeText(30, 40, "AA", 0);
  ASSERT_NE(nullptr, text);
  for (int step = 0; step < 6 && document->GetBlockList().GetSize() > 0; ++step) {
    view->SendMessage(WM_COMMAND, kUndoCommand);
    WaitForLayout();
  }
  EXPECT_EQ(0, document->GetBlockList().GetSize());
  EXPECT_EQ(nullptr, view->GetEditBlock());
  // Typing and keys with nothing under edit reach nothing.
  view->SendMessage(WM_CHAR, 'A', 0);
  view->SendMessage(WM_KEYDOWN, VK_LEFT, 0);
  EXPECT_EQ(0, document->GetBlockList().GetSize());
}

TEST_F(TextTool, ClicksPlaceTheCaretAndKeysEditTheText) {
  CTextBlock* text = TypeText(30, 40, "AAA", 0);
  ASSERT_NE(nullptr, text);
  FPOINT second = CentreOf(text, 1);
  Click(second.x, second.y);
  EXPECT_EQ(text, view->GetEditBlock());
  EXPECT_EQ(1, text->GetCaret());
  // The main window hears the size of the glyph's cell: 300 of 1024 units of a 20 mm character.
  ASSERT_EQ(1u, frame->sizes.size());
  EXPECT_NEAR(300 * 20 / 1024.0, frame->sizes[0].x, 0.001);
  EXPECT_NEAR(300 * 20 / 1024.0, frame->sizes[0].y, 0.001);
  view->SendMessage(WM_KEYDOWN, VK_DELETE, 0);
  view->SendMessage(WM_KEYDOWN, VK_BACK, 0);
  WaitForLayout();
  EXPECT_EQ(1u, Codes(text).size());
}

TEST_F(TextTool, SelectedCharactersDragIntoAnotherTextAndOntoEmptyPage) {
  CTextBlock* source = TypeText(30, 40, "AA", 1);
  ASSERT_NE(nullptr, source);
  CTextBlock* target = TypeText(30, 150, "AAA", 0);
  ASSERT_NE(nullptr, target);
  ASSERT_EQ(2, document->GetBlockList().GetSize());

  // Select the Chinese character of the first text by dragging across it.
  FPOINT chinese = CentreOf(source, 2);
  FPOINT start = CentreOf(source, 1);
  Drag(start, chinese);
  EXPECT_EQ(source, view->GetEditBlock());
  ASSERT_GE(source->GetSelectedCount(), 1);
  int selected = source->GetSelectedCount();

  // Ctrl-drag onto empty page copies: the source keeps its characters.
  Drag(chinese, {200, 250}, MK_CONTROL);
  ASSERT_EQ(3, document->GetBlockList().GetSize());
  EXPECT_EQ(3u, Codes(source).size());
  EXPECT_EQ(static_cast<size_t>(selected), Codes(TextAt(2)).size());

  // Select everything of the first text and move it into the second: the emptied source goes.
  view->SendMessage(WM_COMMAND, ID_TOOL_SELECT);
  view->SendMessage(WM_COMMAND, ID_TOOL_TEXT);
  source = TextAt(0);
  target = TextAt(1);
  ASSERT_TRUE(source && target);
  FPOINT first = CentreOf(source, 0), last = CentreOf(source, 2);
  Drag({first.x, first.y}, last);
  ASSERT_EQ(3, source->GetSelectedCount());
  FPOINT into = CentreOf(target, 1);
  Drag(CentreOf(source, 1), into);
  WaitForLayout();
  ASSERT_EQ(2, document->GetBlockList().GetSize());
  EXPECT_EQ(6u, Codes(TextAt(0)).size());
  EXPECT_EQ(TextAt(0), view->GetEditBlock());

  // Undo puts the moved characters back into the first text.
  view->SendMessage(WM_COMMAND, kUndoCommand);
  WaitForLayout();
  ASSERT_EQ(3, document->GetBlockList().GetSize());
}

TEST_F(TextTool, AShiftDropTakesTheFormatAtTheDropAndADropOffEveryTextMakesANewOne) {
  CTextBlock* source = TypeText(30, 40, "AA", 0);
  CTextDefaults::Global().fontSizeX = CTextDefaults::Global().fontSizeY = 40;
  CTextBlock* target = TypeText(30, 150, "AAA", 0);
  ASSERT_TRUE(source && target);
  ASSERT_FLOAT_EQ(20, source->GetBoxArray()->GetCharBox(0)->m_width);
  Drag(CentreOf(source, 0), CentreOf(source, 1));
  ASSERT_EQ(2, source->GetSelectedCount());
  Drag(CentreOf(source, 0), CentreOf(target, 1), MK_SHIFT);
  WaitForLayout();
  ASSERT_EQ(1, document->GetBlockList().GetSize()) << "the emptied source went";
  target = TextAt(0);
  ASSERT_EQ(5u, Codes(target).size());
  for (INT_PTR i = 0; i < 5; ++i)
    EXPECT_FLOAT_EQ(40, target->GetBoxArray()->GetCharBox(i)->m_width);

  // Passing over a text on the way does not make it the drop: the release is on empty page.
  CTextBlock* moving = TypeText(30, 40, "AA", 0);
  ASSERT_NE(nullptr, moving);
  Drag(CentreOf(moving, 0), CentreOf(moving, 1));
  POINT press = PixelOf(CentreOf(moving, 0).x, CentreOf(moving, 0).y);
  FPOINT over = CentreOf(target, 2);
  POINT passing = PixelOf(over.x, over.y), empty = PixelOf(300, 300);
  view->SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, At(press));
  view->SendMessage(WM_MOUSEMOVE, MK_LBUTTON, At(passing));
  view->SendMessage(WM_MOUSEMOVE, MK_LBUTTON, At(empty));
  view->SendMessage(WM_LBUTTONUP, 0, At(empty));
  WaitForLayout();
  EXPECT_EQ(5u, Codes(target).size()) << "the text passed over is unchanged";
  ASSERT_EQ(2, document->GetBlockList().GetSize());
  EXPECT_EQ(2u, Codes(TextAt(1)).size());
}

// ---- Keys, clipboard, handles and the frame, as the user meets them ----

namespace {

void Key(CTALVEX42View* view, UINT key) { view->SendMessage(WM_KEYDOWN, key, 0); }

struct Caret {
  INT_PTR index;
  int side;
  bool operator==(const Caret& other) const { return index == other.index && side == other.side; }
};
Caret CaretOf(CTextBlock* text) { return {text->GetCaret(), text->GetCaretSide()}; }

std::string ClipboardText(HWND owner) {
  std::string text;
  if (!::OpenClipboard(owner)) return text;
  if (HANDLE data = ::GetClipboardData(CF_TEXT)) {
    if (const char* chars = static_cast<const char*>(::GlobalLock(data))) text = chars;
    ::GlobalUnlock(data);
  }
  ::CloseClipboard();
  return text;
}

}  // namespace

TEST_F(TextTool, AfterEnterTheCaretKeysMoveFromTheStartOfTheNewLine) {
  // Boxes: A 0, B 1, the break 2, C 3, D 4. Enter between B and C leaves the caret on the break
  // with side 0, which stands at the start of the line below.
  const struct {
    UINT key;
    Caret expected;
  } cases[] = {
      {VK_END, {4, 0}},    // the end of the new line, not of the line the break ends
      {VK_HOME, {3, 1}},   // the start of the new line
      {VK_UP, {0, 1}},     // the line above, at its start
      {VK_LEFT, {2, 1}},   // back before the break: the end of the line above
      {VK_RIGHT, {3, 0}},  // one character on
  };
  float y = 30;
  for (const auto& c : cases) {
    CTextBlock* text = TypeText(30, y, "ABCD", 0);
    ASSERT_NE(nullptr, text);
    Key(view, VK_HOME);
    Key(view, VK_RIGHT);  // after A
    Key(view, VK_RIGHT);  // after B
    view->SendMessage(WM_CHAR, '\r', 0);
    WaitForLayout();
    ASSERT_TRUE((Caret{2, 0} == CaretOf(text))) << c.key;
    Key(view, c.key);
    EXPECT_TRUE(c.expected == CaretOf(text))
        << c.key << ": " << text->GetCaret() << "," << text->GetCaretSide();
    y += 60;
  }
  // Enter at the end leaves an empty last line: up goes to the start of the line above, and
  // End and Home stay where they are.
  CTextBlock* text = TypeText(30, y, "AB\r", 0);
  ASSERT_NE(nullptr, text);
  ASSERT_TRUE((Caret{2, 0} == CaretOf(text)));
  Key(view, VK_END);
  Key(view, VK_HOME);
  EXPECT_TRUE((Caret{2, 0} == CaretOf(text)));
  Key(view, VK_UP);
  EXPECT_TRUE((Caret{0, 1} == CaretOf(text)));
}

TEST_F(TextTool, CopyingASelectedTextPutsItsCharactersOnTheClipboardAsPlainText) {
  ASSERT_NE(nullptr, TypeText(30, 40, "AB\rCD", 0));
  ASSERT_NE(nullptr, TypeText(30, 120, "EF", 0));
  frame->SendMessage(WM_COMMAND, ID_TOOL_SELECT);
  frame->SendMessage(WM_COMMAND, ID_EDIT_SELECT_ALL_BLOCKS);
  frame->SendMessage(WM_COMMAND, ID_EDIT_COPY);
  EXPECT_EQ("AB\r\nCD\r\nEF", ClipboardText(view->m_hWnd));
}

TEST_F(TextTool, TheFrameFitsTheTextWhenEditingEndsAndOnlyThen) {
  CTextBlock* text = TypeText(30, 40, "AAA", 0);
  ASSERT_NE(nullptr, text);
  auto* straight = dynamic_cast<CDirectionEffect*>(text->GetEffect());
  ASSERT_NE(nullptr, straight);
  const float clicked = straight->GetFrame().right;
  EXPECT_GT(clicked, 300.0f) << "a click starts a frame as wide as the page";
  // A box update under edit (a paste, a size change) keeps the frame: typing goes on in line.
  text->UpdateBox();
  EXPECT_EQ(clicked, straight->GetFrame().right);
  view->SendMessage(WM_CHAR, 'A', 0);
  WaitForLayout();
  const CFRect& last = text->GetBoxArray()->GetCharBox(3)->m_rect;
  EXPECT_EQ(text->GetBoxArray()->GetCharBox(0)->m_rect.bottom, last.bottom);

  frame->SendMessage(WM_COMMAND, ID_TOOL_SELECT);
  EXPECT_EQ(nullptr, view->GetEditBlock());
  EXPECT_FLOAT_EQ(last.right, straight->GetFrame().right);
  EXPECT_FLOAT_EQ(text->m_box.right, straight->GetFrame().right);
}

TEST_F(TextTool, JustifyAndLeftAlignmentSpreadTheSelectedTextAndAreStoredWithIt) {
  CTextBlock* text = TypeText(30, 40, "AAAA\rAA", 0);
  ASSERT_NE(nullptr, text);
  frame->SendMessage(WM_COMMAND, ID_TOOL_SELECT);
  FPOINT inside = CentreOf(text, 0);
  Click(inside.x, inside.y);
  ASSERT_EQ(1, text->m_selected);
  const CFRect wide = text->GetBoxArray()->GetCharBox(3)->m_rect;
  const float shortEnd = text->GetBoxArray()->GetCharBox(6)->m_rect.right;
  ASSERT_LT(shortEnd, wide.right);

  frame->SendMessage(WM_COMMAND, ID_TEXT_JUSTIFY);
  // The short line now ends where the long one does, and the long one stays whole.
  EXPECT_NEAR(wide.right, text->GetBoxArray()->GetCharBox(6)->m_rect.right, 1e-3);
  EXPECT_FLOAT_EQ(wide.bottom, text->GetBoxArray()->GetCharBox(3)->m_rect.bottom);
  EXPECT_TRUE(document->IsModified());
  HGLOBAL record = nullptr;
  ASSERT_GT(text->WriteRecord(&record), 0);
  BYTE kind = 0;
  {
    CGlobalLock lock(record);
    kind = lock.Data()[76 + 5];
  }
  ::GlobalFree(record);
  EXPECT_EQ(CDirectionEffect::kSpreadInKindByte, kind & CDirectionEffect::kSpreadInKindByte);

  frame->SendMessage(WM_COMMAND, ID_TEXT_LEFT);
  EXPECT_NEAR(shortEnd, text->GetBoxArray()->GetCharBox(6)->m_rect.right, 1e-3);
  frame->SendMessage(WM_COMMAND, kUndoCommand);
  EXPECT_NEAR(wide.right, text->GetBoxArray()->GetCharBox(6)->m_rect.right, 1e-3);
  frame->SendMessage(WM_COMMAND, kUndoCommand);
  EXPECT_NEAR(shortEnd, text->GetBoxArray()->GetCharBox(6)->m_rect.right, 1e-3);
}

TEST_F(TextTool, TheHandlesOfAScaledAndTurnedTextAreGrabbedWhereTheyAreDrawn) {
  CTextBlock* text = TypeText(30, 40, "AAA", 0);
  ASSERT_NE(nullptr, text);
  frame->SendMessage(WM_COMMAND, ID_TOOL_SELECT);
  CMatrix2D placed = MakeRotationMatrixAboutBox(text->m_box.left, text->m_box.top,
                                                text->m_box.right, text->m_box.bottom, 30.0f);
  CMatrix2D stretch;
  stretch.m[0] = 2.0f;
  stretch.m[4] = 0.5f;
  stretch.m[6] = 15.0f;
  stretch.m[7] = 25.0f;
  text->Transform(stretch);
  text->Transform(placed);
  text->m_selected = 1;
  view->GetSelectTracker().Recount();
  // The start handle is drawn at the frame's top-left corner through the text's matrix.
  auto* straight = dynamic_cast<CDirectionEffect*>(text->GetEffect());
  FPOINT handle = {straight->GetFrame().left, straight->GetFrame().top};
  text->m_matrix.TransformPoint(&handle);
  POINT pixel = PixelOf(handle.x, handle.y);
  view->SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, At(pixel));
  EXPECT_EQ(CSelectTracker::kBlockHandle, view->GetSelectTracker().GetDragState() & 0xFFF0);
  view->SendMessage(WM_LBUTTONUP, 0, At(pixel));
  // The unmapped point, where the handle would be without the matrix, grabs nothing.
  POINT unmapped = PixelOf(straight->GetFrame().left, straight->GetFrame().top);
  view->SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, At(unmapped));
  EXPECT_NE(CSelectTracker::kBlockHandle, view->GetSelectTracker().GetDragState() & 0xFFF0);
  view->SendMessage(WM_LBUTTONUP, 0, At(unmapped));
}

TEST_F(TextTool, APaletteColourGoesToTheSelectedCharactersOfTheTextUnderEditOnly) {
  CTextBlock* text = TypeText(30, 40, "AAAA", 0);
  ASSERT_NE(nullptr, text);
  document->SetModifiedFlag(FALSE);
  Drag(CentreOf(text, 1), CentreOf(text, 2));
  ASSERT_GT(text->GetSelectedCount(), 0);
  view->SendMessage(WM_COMMAND, CTALVEX42View::kColourCommand, 0xFF0000);
  std::vector<DWORD> colours;
  for (INT_PTR i = 0; i < 4; ++i) colours.push_back(text->GetBoxArray()->GetCharBox(i)->m_colour);
  EXPECT_EQ(0u, colours[0]);
  EXPECT_EQ(0xFF0000u, colours[1]);
  EXPECT_EQ(0xFF0000u, colours[2]);
  EXPECT_EQ(0u, colours[3]);
  EXPECT_TRUE(document->IsModified());
  frame->SendMessage(WM_COMMAND, kUndoCommand);
  EXPECT_EQ(0u, text->GetBoxArray()->GetCharBox(1)->m_colour);
}
