// Text on curves in the program's main frame under Xvfb, through the user's paths: the menu
// commands set the selected text on an arc, on an arch and along a selected curve, each one undo
// step; the arc's panel in the property window takes a radius with Enter; the arc's middle handle
// dragged with the mouse turns it and undo puts it back exactly; a direction command takes the
// text back to straight lines; a text on an arc converted to curves goes into a plot file with
// every glyph where the layout put it; two lines on an arc and letters typed into a text along a
// curve crowd no character into another. Pictures of the view are saved in screenshots\.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <fstream>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "EditorWindowTest.h"
#include "editor/ProgramObjects.h"
#include "editor/TALVEX42View.h"
#include "editor/bars/PropertyWnd.h"
#include "editor/commands/DrawingExport.h"
#include "framework/ByteWriter.h"
#include "model/blocks/CurveBlock.h"
#include "model/document/TALVEX42Doc.h"
#include "model/geometry/Geometry.h"
#include "resources/Resource.h"
#include "support/ClientPicture.h"
#include "support/MessagePump.h"
#include "support/TempFolder.h"
#include "text/TextBlock.h"
#include "text/layout/ArcEffect.h"
#include "text/layout/ArchEffect.h"
#include "text/layout/CharBox.h"
#include "text/layout/FakeGlyphSource.h"
#include "text/layout/PathTextEffect.h"

namespace {

const UINT kUndoCommand = 57643;
const WORD kChinese = 0xB0A1;

// The cell of each character (its advance by the full height) as the layout places it on the
// page; line breaks have none.
std::vector<std::vector<FPOINT>> Cells(CTextBlock* text) {
  std::vector<std::vector<FPOINT>> cells;
  CBoxArray* boxes = text->GetBoxArray();
  for (INT_PTR i = 0; i < boxes->GetSize(); ++i) {
    const CCharBox* box = boxes->GetCharBox(i);
    if (!box || box->IsLineBreak()) continue;
    CMatrix2D placement = text->GetEffect()->GetBoxMatrix(box);
    const float w = box->m_ratio * 1024;
    std::vector<FPOINT> cell = {{0, 0}, {w, 0}, {w, 1024}, {0, 1024}};
    for (FPOINT& corner : cell) placement.TransformPoint(&corner);
    cells.push_back(cell);
  }
  return cells;
}

// Whether two convex cells overlap by more than a hair: no side of either separates them.
bool Overlap(const std::vector<FPOINT>& a, const std::vector<FPOINT>& b) {
  const double kHair = 1e-3;
  for (const std::vector<FPOINT>* cell : {&a, &b}) {
    for (size_t i = 0; i < cell->size(); ++i) {
      FPOINT p = (*cell)[i], q = (*cell)[(i + 1) % cell->size()];
      double nx = q.y - p.y, ny = p.x - q.x, length = std::hypot(nx, ny);
      if (length == 0) continue;
      auto span = [&](const std::vector<FPOINT>& points, double* lo, double* hi) {
        *lo = 1e30, *hi = -1e30;
        for (FPOINT point : points) {
          double d = (point.x * nx + point.y * ny) / length;
          *lo = std::min(*lo, d), *hi = std::max(*hi, d);
        }
      };
      double alo, ahi, blo, bhi;
      span(a, &alo, &ahi);
      span(b, &blo, &bhi);
      if (ahi <= blo + kHair || bhi <= alo + kHair) return false;
    }
  }
  return true;
}

void ExpectNoCellsOverlap(CTextBlock* text) {
  const std::vector<std::vector<FPOINT>> cells = Cells(text);
  for (size_t i = 0; i < cells.size(); ++i)
    for (size_t j = i + 1; j < cells.size(); ++j)
      EXPECT_FALSE(Overlap(cells[i], cells[j])) << "characters " << i << " and " << j;
}

std::vector<BYTE> LayoutRecord(CTextBlock* text) {
  CByteWriter writer;
  text->GetEffect()->WriteRecord(writer);
  return std::vector<BYTE>(writer.Data(), writer.Data() + writer.Size());
}

class CurvedTextWindow : public EditorWindowTest {
protected:
  void SetUp() override {
    m_saved = CTextDefaults::Global();
    CTextDefaults::Global().fontSizeX = CTextDefaults::Global().fontSizeY = 20;
    CTextDefaults::Global().lineGaps = CTextDefaults::Global().boxGaps = 0;
    m_fonts.glyphs[kChinese] = {MakePointRecord(100, 100, kPointStart | kPointOnCurve),
                                MakePointRecord(924, 100, kPointOnCurve),
                                MakePointRecord(924, 924, kPointOnCurve),
                                MakePointRecord(100, 924, kPointOnCurve),
                                MakePointRecord(100, 100, kPointClose | kPointOnCurve)};
    ASSERT_NO_FATAL_FAILURE(OpenEditorWindow(900, 640));
  }
  void TearDown() override {
    if (g_propertyWnd) g_propertyWnd->DestroyWindow();
    CloseEditorWindow();
    CTextDefaults::Global() = m_saved;
  }

  // Five characters on a straight line from (40, 60).
  CTextBlock* AddText() {
    CTextBlock* text = CTextBlock::CreateAt(0, 40, 60, 300, 60);
    for (int i = 0; i < 5; ++i) {
      CCharBox* box = new CCharBox;
      box->Init(134, kChinese, CTextDefaults::Global());
      text->InsertChar(box);
    }
    text->Relayout(m_view, -1);
    text->UpdateBox();
    m_document->AddBlock(text);
    return text;
  }
  POINT Pixel(float x, float y) {
    FPOINT page = {x, y};
    POINT pixel;
    m_view->GetDisplayMatrix()->TransformPointToInt(&page, &pixel);
    return pixel;
  }
  void Mouse(UINT message, UINT flags, float x, float y) {
    POINT at = Pixel(x, y);
    m_view->SendMessage(message, flags, MAKELPARAM(at.x, at.y));
  }
  void ClickAt(float x, float y) {
    Mouse(WM_LBUTTONDOWN, MK_LBUTTON, x, y);
    Mouse(WM_LBUTTONUP, 0, x, y);
    PumpMessages();
  }
  void Command(UINT id) {
    m_main->SendMessage(WM_COMMAND, id);
    PumpMessages();
  }
  // The drawing shown whole, then saved.
  void Picture(const char* name) {
    Command(ID_VIEW_SHOW_ALL);
    m_view->UpdateWindow();
    PumpMessages();
    SaveClientPicture(m_view->m_hWnd, (std::string("screenshots\\") + name).c_str());
  }
  INT_PTR Steps() { return m_view->GetUndoManager()->GetStepCount(); }
  // An open curve through the points added to the drawing, selected with the text alone.
  CCurveBlock* SelectWithCurve(CTextBlock* text, const std::vector<FPOINT>& points) {
    CCurveBlock* curve = new CCurveBlock;
    for (size_t i = 0; i < points.size(); ++i)
      curve->AddPoint(points[i].x, points[i].y,
                      (i == 0                   ? kPointStart
                       : i + 1 == points.size() ? kPointOpenEnd
                                                : 0) |
                          kPointOnCurve);
    curve->EndCurve();
    m_document->AddBlock(curve);
    CSelectTracker& tracker = m_view->GetSelectTracker();
    tracker.Refresh(nullptr, TRUE);
    tracker.AddToSelection(text);
    tracker.AddToSelection(curve);
    return curve;
  }
  // Latin letters and GBK characters typed into the view as the keyboard and the input method
  // hand them over, laid out by the view's timer.
  void Type(const char* text) {
    const BYTE* bytes = reinterpret_cast<const BYTE*>(text);
    for (size_t i = 0; bytes[i]; ++i) {
      if (bytes[i] < 0x80) {
        m_view->SendMessage(WM_CHAR, bytes[i], 0);
      } else {
        m_view->SendMessage(WM_IME_CHAR, bytes[i] << 8 | bytes[i + 1], 0);
        ++i;
      }
    }
    for (int i = 0; i < 30; ++i) {
      ::Sleep(20);
      PumpMessages();
    }
  }
  // A text typed with the text tool where the click starts it, left with the selection tool.
  CTextBlock* TypeText(float x, float y, const char* text) {
    Command(ID_TOOL_TEXT);
    ClickAt(x, y);
    Type(text);
    auto* typed = dynamic_cast<CTextBlock*>(m_view->GetEditBlock());
    Command(ID_TOOL_SELECT);
    return typed;
  }

  FakeGlyphSource m_fonts;
  CTextDefaults m_saved;
};

}  // namespace

TEST_F(CurvedTextWindow, AnArcFromTheMenuTakesItsPanelAndItsHandleAndUndoesEachExactly) {
  Command(ID_VIEW_PROPERTY_WINDOW);
  ASSERT_NE(nullptr, g_propertyWnd);
  CTextBlock* text = AddText();
  ClickAt(50, 70);
  ASSERT_EQ(1, text->m_selected);
  const std::vector<BYTE> straight = LayoutRecord(text);

  INT_PTR steps = Steps();
  Command(ID_TEXT_ARC);
  ASSERT_EQ(CTextEffect::kArc, text->GetEffectKind());
  EXPECT_EQ(steps + 1, Steps());
  auto* arc = static_cast<CArcEffect*>(text->GetEffect());
  EXPECT_TRUE(arc->GetAttributes() & CTextEffect::kReversed);
  // Built on the text's frame, (40, 60) to (140, 80) for its one line: the circle through the
  // frame's lower corners and the middle of its top edge, R = (50^2 + 20^2) / 40, the five
  // characters spread over the top from the left corner.
  EXPECT_FLOAT_EQ(72.5f, arc->GetRadius());
  CBoxArray* boxes = text->GetBoxArray();
  const FPOINT places[] = {{40, 80}, {90, 60}, {140, 80}};
  for (int k = 0; k < 3; ++k) {
    EXPECT_NEAR(places[k].x, boxes->GetCharBox(2 * k)->m_x, 1e-3) << k;
    EXPECT_NEAR(places[k].y, boxes->GetCharBox(2 * k)->m_y, 1e-3) << k;
  }
  Picture("text_on_arc.bmp");

  // The property window shows the arc's panel; a radius typed and Enter reshape the arc.
  m_view->SendMessage(WM_COMMAND, ID_PROPERTY_REFRESH);
  PumpMessages();
  HWND panel = ::GetWindow(g_propertyWnd->m_hWnd, GW_CHILD);
  ASSERT_NE(nullptr, panel);
  ASSERT_EQ(static_cast<LONG_PTR>(IDD_PATH_TEXT_PANEL), ::GetWindowLongPtrA(panel, GWLP_USERDATA));
  char shown[32];
  std::snprintf(shown, sizeof shown, "%.1f", arc->GetRadius());
  char field[32] = {};
  ::GetDlgItemTextA(panel, IDC_PATH_VALUE3, field, sizeof field);
  EXPECT_STREQ(shown, field);
  const std::vector<BYTE> onArc = LayoutRecord(text);
  ::SetDlgItemTextA(panel, IDC_PATH_VALUE3, "180");
  ::SendMessageA(panel, WM_COMMAND, IDOK, 0);
  PumpMessages();
  arc = static_cast<CArcEffect*>(text->GetEffect());
  EXPECT_EQ(180, arc->GetRadius());
  EXPECT_EQ(steps + 2, Steps());
  Command(kUndoCommand);
  EXPECT_EQ(onArc, LayoutRecord(text));

  // The text placed by its matrix, 30 right and 40 down; its middle handle dragged a quarter turn
  // round the centre where the matrix shows it: both ends follow.
  CMatrix2D move;
  move.m[6] = 30;
  move.m[7] = 40;
  text->Transform(move);
  arc = static_cast<CArcEffect*>(text->GetEffect());
  FPOINT c = {arc->GetCentre().x + 30, arc->GetCentre().y + 40};
  float r = arc->GetRadius(), mid = MidAngle(arc->GetStartAngle(), arc->GetEndAngle());
  float span = arc->GetEndAngle() - arc->GetStartAngle();
  Mouse(WM_LBUTTONDOWN, MK_LBUTTON, c.x + r * std::cos(mid), c.y - r * std::sin(mid));
  Mouse(WM_MOUSEMOVE, MK_LBUTTON, c.x + r * 0.9f, c.y - r * 0.5f);
  Mouse(WM_MOUSEMOVE, MK_LBUTTON, c.x + r, c.y);
  Mouse(WM_LBUTTONUP, 0, c.x + r, c.y);
  PumpMessages();
  arc = static_cast<CArcEffect*>(text->GetEffect());
  mid = MidAngle(arc->GetStartAngle(), arc->GetEndAngle());
  EXPECT_NEAR(r, r * std::cos(mid), 1.0);
  EXPECT_NEAR(span, arc->GetEndAngle() - arc->GetStartAngle(), 1e-4);
  Picture("text_on_arc_turned.bmp");
  Command(kUndoCommand);
  EXPECT_EQ(onArc, LayoutRecord(text));

  // Back to straight lines in one step, and to the arc again by undo.
  Command(ID_TEXT_HORZ);
  EXPECT_EQ(CTextEffect::kHorizontal, text->GetEffectKind());
  Command(kUndoCommand);
  EXPECT_EQ(onArc, LayoutRecord(text));
  Command(kUndoCommand);
  EXPECT_EQ(straight, LayoutRecord(text));
}

// A whole turn typed in the arc's panel sets the text round the circle, not onto one spot: 360
// degrees (a float a hair above the class's own turn), and more than a turn, which stays a whole
// turn rather than what is left over past it. Each typed over the arc the one before left.
TEST_F(CurvedTextWindow, AWholeTurnOrMoreTypedInTheArcPanelSetsTheTextRoundTheCircle) {
  Command(ID_VIEW_PROPERTY_WINDOW);
  ASSERT_NE(nullptr, g_propertyWnd);
  CTextBlock* text = AddText();
  ClickAt(50, 70);
  Command(ID_TEXT_ARC);
  m_view->SendMessage(WM_COMMAND, ID_PROPERTY_REFRESH);
  PumpMessages();
  HWND panel = ::GetWindow(g_propertyWnd->m_hWnd, GW_CHILD);
  ASSERT_NE(nullptr, panel);
  const double kDegree = 3.14159265358979323846 / 180;
  struct Case {
    const char* start;
    const char* end;
    double degrees;  // of the start
  };
  const Case cases[] = {{"0", "360", 0}, {"0", "365", 0}, {"30", "400", 30}, {"-20", "700", 340}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.end);
    ::SetDlgItemTextA(panel, IDC_PATH_VALUE1, c.start);
    ::SetDlgItemTextA(panel, IDC_PATH_VALUE2, c.end);
    ::SendMessageA(panel, WM_COMMAND, IDOK, 0);
    PumpMessages();
    auto* arc = static_cast<CArcEffect*>(text->GetEffect());
    EXPECT_NEAR(c.degrees * kDegree, arc->GetStartAngle(), 1e-6);
    EXPECT_NEAR(kFullTurn, arc->GetEndAngle() - arc->GetStartAngle(), 1e-6);
    // Five characters spread round the whole turn a quarter apart: the third faces the first.
    CBoxArray* boxes = text->GetBoxArray();
    const CCharBox* first = boxes->GetCharBox(0);
    const CCharBox* third = boxes->GetCharBox(2);
    EXPECT_NEAR(2 * arc->GetRadius(), Distance(first->m_x, first->m_y, third->m_x, third->m_y),
                1e-3);
  }
}

TEST_F(CurvedTextWindow, TextAlongASelectedCurveTakesACopyAndUndoGivesTheCurveBack) {
  CTextBlock* text = AddText();
  for (int run = 0; run < 2; ++run) {
    SCOPED_TRACE(run);
    CCurveBlock* curve = SelectWithCurve(text, {{40, 200}, {140, 120}, {300, 200}});
    EXPECT_TRUE(m_view->GetCommandState().textAndCurveSelected);
    const std::vector<BYTE> before = LayoutRecord(text);
    CBoxArray* boxes = text->GetBoxArray();
    CCharBox* first = boxes->GetCharBox(0);
    first->m_angle = 12;

    Command(ID_TEXT_ALONG_PATH);
    ASSERT_EQ(CTextEffect::kPath, text->GetEffectKind());
    ASSERT_EQ(1, m_document->GetBlockList().GetSize());
    auto* along = static_cast<CPathTextEffect*>(text->GetEffect());
    EXPECT_NE(curve, along->GetPath());
    // Spread from one end of the path to the other, the first character turned up the path's
    // first piece (100 along, 80 up) by its own angle.
    EXPECT_NEAR(40, first->m_x, 0.01);
    EXPECT_NEAR(300, boxes->GetCharBox(boxes->GetSize() - 1)->m_x, 0.01);
    const float turn = first->m_angle;
    EXPECT_NEAR(-std::atan2(80.0, 100.0) * 180 / 3.14159265358979, turn, 1e-3);
    Picture("text_along_path.bmp");

    // Taken back to straight lines the characters stand upright; undo turns them again.
    Command(ID_TEXT_HORZ);
    EXPECT_EQ(0, first->m_angle);
    Command(kUndoCommand);
    EXPECT_EQ(turn, first->m_angle);
    Command(kUndoCommand);
    EXPECT_EQ(before, LayoutRecord(text));
    EXPECT_EQ(12, first->m_angle);
    ASSERT_EQ(2, m_document->GetBlockList().GetSize());
    EXPECT_EQ(curve, m_document->GetBlockList().GetBlock(1));
    m_document->RemoveBlock(curve);
    delete curve;
  }
}

TEST_F(CurvedTextWindow, AnArchFromTheMenuSpansThePage) {
  CTextBlock* text = AddText();
  ClickAt(50, 70);
  Command(ID_TEXT_ARCH);
  ASSERT_EQ(CTextEffect::kArch, text->GetEffectKind());
  auto* arch = static_cast<CArchEffect*>(text->GetEffect());
  float width = m_document->GetPageSettings().m_width;
  EXPECT_EQ(0, arch->GetFirstEnd().x);
  EXPECT_EQ(width, arch->GetSecondEnd().x);
  EXPECT_FLOAT_EQ(arch->GetFirstEnd().y - width / 4, arch->GetApex().y);
  Command(kUndoCommand);
  EXPECT_EQ(CTextEffect::kHorizontal, text->GetEffectKind());
}

TEST_F(CurvedTextWindow, ATextOnAnArcConvertedToCurvesPlotsEachGlyphWhereTheLayoutPutIt) {
  CTextBlock* text = AddText();
  ClickAt(50, 70);
  Command(ID_TEXT_ARC);
  ASSERT_EQ(CTextEffect::kArc, text->GetEffectKind());
  // The glyph squares' corners on the page, as the layout places them.
  std::vector<FPOINT> corners;
  CBoxArray* boxes = text->GetBoxArray();
  for (INT_PTR i = 0; i < boxes->GetSize(); ++i) {
    CMatrix2D placement = text->GetEffect()->GetBoxMatrix(boxes->GetCharBox(i));
    for (FPOINT corner : {FPOINT{100, 100}, FPOINT{924, 100}, FPOINT{924, 924}, FPOINT{100, 924}}) {
      placement.TransformPoint(&corner);
      corners.push_back(corner);
    }
  }
  Command(ID_CURVE_CONVERT);
  ASSERT_EQ(kGroupBlock, m_document->GetBlockList().GetBlock(0)->m_type);

  TempFolder folder;
  std::string path = folder.File("arc.plt");
  ASSERT_EQ(CDrawingExport::kWritten,
            CDrawingExport::WritePlot(m_document->GetBlockList(), path.c_str()));
  std::ifstream file(path);
  std::stringstream plot;
  plot << file.rdbuf();
  // The plotted points, 40 to the millimetre, turned over within their box.
  std::vector<POINT> points;
  const std::string commands = plot.str();
  for (size_t at = 0; (at = commands.find_first_of("0123456789-", at)) != std::string::npos;) {
    long x = 0, y = 0;
    int used = 0;
    if (std::sscanf(commands.c_str() + at, "%ld,%ld%n", &x, &y, &used) == 2) {
      points.push_back({x, y});
      at += used;
    } else {
      ++at;
    }
  }
  ASSERT_FALSE(points.empty());
  long top = points[0].y, bottom = points[0].y;
  for (const POINT& p : points) {
    top = std::min(top, p.y);
    bottom = std::max(bottom, p.y);
  }
  for (const FPOINT& corner : corners) {
    bool found = false;
    for (const POINT& p : points) {
      double x = p.x / 40.0, y = (top + bottom - p.y) / 40.0;
      if (std::fabs(x - corner.x) < 0.1 && std::fabs(y - corner.y) < 0.1) found = true;
    }
    EXPECT_TRUE(found) << corner.x << "," << corner.y;
  }
}

// Two lines typed with the text tool and set on an arc by the menu: the arc built on their frame
// is shorter than the text, which runs on past its end rather than into itself; at the line
// break neither do "4" and "招" run into each other.
TEST_F(CurvedTextWindow, TwoLinesSetOnAnArcCrowdNoCharacterIntoAnother) {
  CTextBlock* text = TypeText(40, 60, "Sign 2024\r招牌制作");
  ASSERT_NE(nullptr, text);
  ASSERT_EQ(14, text->GetBoxArray()->GetSize());
  ClickAt(45, 70);
  ASSERT_EQ(1, text->m_selected);
  Command(ID_TEXT_ARC);
  ASSERT_EQ(CTextEffect::kArc, text->GetEffectKind());
  ExpectNoCellsOverlap(text);
}

// A Chinese text set along a curve it just fills, then "XY" typed into it with the text tool:
// the narrow letters and the wide characters around them keep apart.
TEST_F(CurvedTextWindow, LettersTypedIntoATextAlongACurveCrowdNoCharacterIntoAnother) {
  CTextBlock* text = TypeText(40, 60, "招牌制作");
  ASSERT_NE(nullptr, text);
  SelectWithCurve(text, {{40, 200}, {130, 200}});
  Command(ID_TEXT_ALONG_PATH);
  ASSERT_EQ(CTextEffect::kPath, text->GetEffectKind());
  ExpectNoCellsOverlap(text);

  // The caret placed before the third character (a click on its leading half), where "XY" goes.
  Command(ID_TOOL_TEXT);
  const CFRect& third = text->GetBoxArray()->GetCharBox(2)->m_rect;
  ClickAt((3 * third.left + third.right) / 4, (third.top + third.bottom) / 2);
  ASSERT_EQ(text, m_view->GetEditBlock());
  Type("XY");
  ASSERT_EQ(6, text->GetBoxArray()->GetSize());
  EXPECT_EQ('Y', text->GetBoxArray()->GetCharBox(3)->m_code);
  ExpectNoCellsOverlap(text);
}
