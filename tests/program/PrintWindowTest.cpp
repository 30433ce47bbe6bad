// Printing and business cards on a drawing view of the editor with the program's resources and
// objects, under Xvfb, through the view's commands (the menu's path).
//
// Without a printer (the "program" run points Wine at no print server) the commands say so and
// print nothing. With the private CUPS queue of print_queue.sh (the "program_print" run, which
// sets TALVEX_PRINT_QUEUE) the dialog shows the printer and fits the ratio, print setup and the
// preview are reachable, and PrintedPage prints a table of cases; printed_pages.sh turns the
// sheets into pictures with Ghostscript and runs PrintedPage again with TALVEX_PRINTED_PAGES to
// measure them. The card dialog fills a sheet in one undo step and leaves the clipboard alone.
#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "EditorWindowTest.h"
#include "ProfileKey.h"
#include "editor/MDIMainFrame.h"
#include "editor/ProgramObjects.h"
#include "editor/TALVEX42Frame.h"
#include "editor/TALVEX42View.h"
#include "editor/commands/PrintCommands.h"
#include "framework/CmdUI.h"
#include "framework/CommonDialog.h"
#include "framework/MultiDocTemplate.h"
#include "framework/PrintDialog.h"
#include "model/CurveTestSupport.h"
#include "model/blocks/RectBlock.h"
#include "model/document/TALVEX42Doc.h"
#include "model/undo/UndoManager.h"
#include "output/PagePrinter.h"
#include "output/PrintPreviewDlg.h"
#include "output/PrintSettings.h"
#include "output/PrinterChoice.h"
#include "output/StampBlock.h"
#include "resources/Resource.h"
#include "support/ClientPicture.h"
#include "support/MessageBoxCapture.h"
#include "support/MessagePump.h"
#include "support/ModalDialogDriver.h"
#include "support/PgmPicture.h"
#include "text/layout/FakeGlyphSource.h"

namespace {

const char kNoPrinter[] = "没有安装打印机, 不能打印。请先在系统中安装一台打印机。";
const char kQueueName[] = "TalvexPrintTest";

// For people looking at what a test saw: the dialog as drawn, in screenshots\NAME.bmp.
void SavePicture(CDialog* dialog, const char* name) {
  ::RedrawWindow(dialog->m_hWnd, nullptr, nullptr,
                 RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
  CreateDirectoryA("screenshots", nullptr);
  SaveClientPicture(dialog->m_hWnd, (std::string("screenshots\\") + name + ".bmp").c_str());
}

void Type(CDialog* dialog, int control, const char* text) { dialog->SetDlgItemText(control, text); }

void Click(CDialog* dialog, int control) {
  dialog->SendMessage(WM_COMMAND, MAKEWPARAM(control, BN_CLICKED),
                      reinterpret_cast<LPARAM>(dialog->GetDlgItem(control)->m_hWnd));
}

void ClickRadio(CDialog* dialog, int control) {
  for (int id : {1340, 1341, 1342}) dialog->CheckDlgButton(id, id == control);
  Click(dialog, control);
}

void Choose(CDialog* dialog, int combo, int index) {
  dialog->SendDlgItemMessage(combo, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
  dialog->SendMessage(WM_COMMAND, MAKEWPARAM(combo, CBN_SELCHANGE),
                      reinterpret_cast<LPARAM>(dialog->GetDlgItem(combo)->m_hWnd));
}

double Number(CDialog* dialog, int control) { return atof(DialogText(dialog, control).c_str()); }

// The printer's pixels make its sheet a little off the paper's millimetres.
const double kRatioTolerance = 0.003;

bool Enabled(CDialog* dialog, int control) {
  return ::IsWindowEnabled(dialog->GetDlgItem(control)->m_hWnd) != FALSE;
}

// Whether the view enables a command's menu entry.
struct UpdateProbe : CCmdUI {
  BOOL enabled = FALSE;
  void Enable(BOOL on) override { enabled = on; }
};

class PrintWindow : public EditorWindowTest {
protected:
  void SetUp() override {
    ASSERT_NO_FATAL_FAILURE(OpenEditorWindow());
    // A page of 150 x 100 with a hollow rectangle of 100 x 40 at (20, 30).
    m_document->GetPageSettings().m_width = 150;
    m_document->GetPageSettings().m_height = 100;
    auto* rect = new CRectBlock;
    rect->m_rect = rect->m_box = CFRect(20, 30, 120, 70);
    m_document->AddBlock(rect);
    WritePrivateProfileStringA("CARDDUP", nullptr, nullptr, g_settings.GetPath());
  }
  void TearDown() override {
    WritePrivateProfileStringA("CARDDUP", nullptr, nullptr, g_settings.GetPath());
    CloseEditorWindow();
  }
  void Command(UINT id) {
    m_view->SendMessage(WM_COMMAND, id, 0);
    PumpMessages();
  }
  bool MenuEnabled(UINT id) {
    UpdateProbe probe;
    probe.m_nID = id;
    return m_view->OnCmdMsg(id, CN_UPDATE_COMMAND_UI, &probe, nullptr) && probe.enabled;
  }
  INT_PTR Blocks() const { return m_document->GetBlockList().GetSize(); }
  CBlock* Block(INT_PTR i) const { return m_document->GetBlockList().GetBlock(i); }
  INT_PTR Steps() const { return m_view->GetUndoManager()->GetStepCount(); }
  // The stored print settings every printing case starts from: a custom ratio of 1 and margins
  // beyond any printer's border, so that the page's origin lies 10 mm right and 15 mm down of
  // the sheet's corner whatever the printer.
  static CPrintSettings Settings() {
    CPrintSettings settings;
    const float margins[4] = {10, 15, 20, 25};
    for (int side = 0; side < 4; ++side) settings.margins[side] = margins[side];
    settings.zoomType = 2;
    settings.ratio = 1.0f;
    return settings;
  }

  MessageBoxCapture m_boxes;
  ProfileKey m_profile{"TalvexPrintWindowTest"};
};

// ---- Without a printer ----

TEST_F(PrintWindow, WithoutAPrinterEachCommandSaysSoAndPrintsNothing) {
  if (CPrinterChoice().IsAvailable()) GTEST_SKIP() << "this system has a printer";
  for (UINT id : {57607u, 57609u, static_cast<UINT>(ID_CARD_COPY)})
    EXPECT_TRUE(MenuEnabled(id)) << id;
  ModalDialogDriver driver;
  driver.Then([](CDialog* d) {
    EXPECT_EQ("(没有打印机)", DialogText(d, 1323));
    EXPECT_FALSE(Enabled(d, IDOK));
    d->SendMessage(WM_COMMAND, IDOK);  // as a key would: nothing happens
    EXPECT_TRUE(IsWindow(d->m_hWnd));
    Click(d, 1324);
    d->PostMessage(WM_COMMAND, IDCANCEL);
  });
  Command(57607);
  EXPECT_EQ(1, driver.Shown());
  Command(57609);
  m_main->SendMessage(WM_COMMAND, ID_FILE_PRINT_SETUP);
  PumpMessages();
  ASSERT_EQ(3u, m_boxes.Count());
  for (const CapturedMessageBox& box : m_boxes.Boxes()) {
    EXPECT_EQ(kNoPrinter, box.text);
    EXPECT_EQ("错误", box.caption);
  }
  EXPECT_EQ(1, driver.Shown());
  EXPECT_EQ(0, driver.Stuck());
}

TEST_F(PrintWindow, PrintSettingsKeepEveryMarginAndReadTheRatioOnlyWhenCustom) {
  CPrintSettings stored = Settings();
  stored.margins[2] = 3.5f;
  stored.copies = 3;
  stored.printBorder = stored.rotate90 = stored.printImages = stored.mirror = true;
  stored.ratio = 0.75f;
  stored.Save(g_appProfile);
  CPrintSettings back;
  back.Load(g_appProfile);
  const float margins[4] = {10, 15, 3.5f, 25};
  for (int side = 0; side < 4; ++side) EXPECT_EQ(margins[side], back.margins[side]) << side;
  EXPECT_EQ(3, back.copies);
  EXPECT_TRUE(back.printBorder && back.rotate90 && back.printImages && back.mirror);
  EXPECT_EQ(0.75f, back.ratio);
  stored.zoomType = 1;
  stored.Save(g_appProfile);
  back.Load(g_appProfile);
  EXPECT_EQ(1.0f, back.ratio);
}

// ---- Business cards ----

TEST_F(PrintWindow, CardsFillTheSheetThroughTheMenuInOneStepAndLeaveTheClipboardAlone) {
  // The rectangle becomes an 80 x 40 drawing on the card.
  static_cast<CRectBlock*>(Block(0))->m_rect = Block(0)->m_box = CFRect(5, 5, 85, 45);
  ASSERT_TRUE(OpenClipboard(m_view->m_hWnd));
  EmptyClipboard();
  HGLOBAL text = GlobalAlloc(GMEM_MOVEABLE, 5);
  memcpy(GlobalLock(text), "mine", 5);
  GlobalUnlock(text);
  SetClipboardData(CF_TEXT, text);
  CloseClipboard();
  ModalDialogDriver driver;
  driver.Then([](CDialog* d) {
    EXPECT_EQ("80.00   ", DialogText(d, 1284));
    EXPECT_EQ("90.00", DialogText(d, 1275));  // the standard card, not swapped
    EXPECT_EQ("55.00", DialogText(d, 1276));
    EXPECT_TRUE(Enabled(d, 1275));
    char item[32] = {};
    d->SendDlgItemMessage(1233, CB_GETLBTEXT, 8, reinterpret_cast<LPARAM>(item));
    EXPECT_STREQ("大32开(横向)", item);
    Choose(d, 1233, 1);  // 16开 (190 x 260)
    EXPECT_EQ("190.00", DialogText(d, 1281));
    EXPECT_EQ("260.00", DialogText(d, 1282));
    EXPECT_FALSE(Enabled(d, 1281));
    // Each standard card's name gives the width and height it makes.
    for (int card : {1, 2}) {
      Choose(d, 1274, card);
      char name[32] = {};
      d->SendDlgItemMessage(1274, CB_GETLBTEXT, card, reinterpret_cast<LPARAM>(name));
      EXPECT_EQ("标准" + std::to_string(atoi(DialogText(d, 1275).c_str())) + "x" +
                    std::to_string(atoi(DialogText(d, 1276).c_str())),
                std::string(name));
    }
    Choose(d, 1274, 1);
    Click(d, 1134);
    EXPECT_EQ("2", DialogText(d, 1206));  // (190 + 2) / 92
    EXPECT_EQ("4", DialogText(d, 1207));  // (260 + 2) / 57
    SavePicture(d, "card_dialog");
    d->CheckDlgButton(1277, BST_CHECKED);
    d->PostMessage(WM_COMMAND, IDOK);
  });
  Command(ID_CARD_COPY);
  EXPECT_EQ(0, driver.Stuck());
  EXPECT_EQ(0u, m_boxes.Count());
  // The drawing and its frame, and 7 copies of both.
  ASSERT_EQ(16, Blocks());
  EXPECT_EQ(1, Steps());
  EXPECT_EQ(kRectBlock, Block(1)->m_type);
  EXPECT_FLOAT_EQ(90, Block(1)->m_box.right);
  EXPECT_FLOAT_EQ(55, Block(1)->m_box.bottom);
  // Row 4, column 2: the last copy of the drawing and then of the frame.
  EXPECT_FLOAT_EQ(5 + 92, Block(14)->m_box.left);
  EXPECT_FLOAT_EQ(5 + 3 * 57, Block(14)->m_box.top);
  EXPECT_FLOAT_EQ(92 + 90, Block(15)->m_box.right);
  EXPECT_EQ(1, Block(0)->m_selected);
  EXPECT_EQ(0, Block(15)->m_selected);
  ASSERT_TRUE(OpenClipboard(m_view->m_hWnd));
  HANDLE kept = GetClipboardData(CF_TEXT);
  ASSERT_NE(nullptr, kept);
  EXPECT_STREQ("mine", static_cast<const char*>(GlobalLock(kept)));
  GlobalUnlock(kept);
  CloseClipboard();
  EXPECT_EQ(1, GetPrivateProfileIntA("CARDDUP", "PAGETYPE", -1, g_settings.GetPath()));
  EXPECT_EQ(4, GetPrivateProfileIntA("CARDDUP", "DUPY", -1, g_settings.GetPath()));
  EXPECT_EQ(1, GetPrivateProfileIntA("CARDDUP", "CARDRECT", -1, g_settings.GetPath()));
  Command(57643);  // undo: the frame goes with the copies
  EXPECT_EQ(1, Blocks());
  EXPECT_EQ(0, Steps());

  // One card by one: only the frame is added, again one step.
  driver.Then([](CDialog* d) {
    EXPECT_EQ(BST_CHECKED, d->IsDlgButtonChecked(1277));
    Type(d, 1206, "1");
    Type(d, 1207, "1");
    d->PostMessage(WM_COMMAND, IDOK);
  });
  Command(ID_CARD_COPY);
  EXPECT_EQ(2, Blocks());
  EXPECT_EQ(1, Steps());
}

// A block that cannot be copied: it writes no record.
struct UncopiableBlock : CBlock {
  UncopiableBlock() { m_box = CFRect(1, 1, 10, 10); }
};

TEST_F(PrintWindow, RefusedCardsChangeNothingAndExitStillStoresTheSettings) {
  Block(0)->m_box = static_cast<CRectBlock*>(Block(0))->m_rect = CFRect(-1, 5, 50, 30);
  ModalDialogDriver driver;
  driver.Then([&](CDialog* d) {
    Type(d, 1206, "0");
    d->SendMessage(WM_COMMAND, IDOK);
    Type(d, 1206, "3000");
    Type(d, 1207, "1");
    d->SendMessage(WM_COMMAND, IDOK);
    Type(d, 1206, "2");
    d->SendMessage(WM_COMMAND, IDOK);  // left of the card
    EXPECT_TRUE(IsWindow(d->m_hWnd));
    Type(d, 1275, "0");  // a card of no width is the standard card
    Type(d, 1278, "7.5");
    d->PostMessage(WM_COMMAND, IDCANCEL);
  });
  Command(ID_CARD_COPY);
  ASSERT_EQ(3u, m_boxes.Count());
  const char* counts = "横向和纵向份数至少为 1, 名片总数不能超过 2000 张。";
  EXPECT_EQ(counts, m_boxes.Boxes()[0].text);
  EXPECT_EQ(counts, m_boxes.Boxes()[1].text);
  EXPECT_EQ("名片位置超出名片大小", m_boxes.Boxes()[2].text);
  EXPECT_EQ(std::string(AfxGetAppName()), m_boxes.Boxes()[2].caption);
  EXPECT_EQ(static_cast<UINT>(MB_OK), m_boxes.Boxes()[2].type);
  EXPECT_EQ(1, Blocks());
  EXPECT_EQ(0, Steps());
  char text[32];
  GetPrivateProfileStringA("CARDDUP", "CardSizeX", "", text, sizeof text, g_settings.GetPath());
  EXPECT_EQ(90, atof(text));
  GetPrivateProfileStringA("CARDDUP", "GapX", "", text, sizeof text, g_settings.GetPath());
  EXPECT_EQ(7.5, atof(text));

  // A drawing that cannot be copied: a message, and no stray frame.
  Block(0)->m_box = static_cast<CRectBlock*>(Block(0))->m_rect = CFRect(5, 5, 50, 30);
  m_document->AddBlock(new UncopiableBlock);
  driver.Then([](CDialog* d) {
    d->CheckDlgButton(1277, BST_CHECKED);
    d->SendMessage(WM_COMMAND, IDOK);
    EXPECT_TRUE(IsWindow(d->m_hWnd));
    d->PostMessage(WM_COMMAND, IDCANCEL);
  });
  Command(ID_CARD_COPY);
  ASSERT_EQ(4u, m_boxes.Count());
  EXPECT_EQ("缓冲区申请错误!", m_boxes.Last().text);
  EXPECT_EQ(2, Blocks());
  EXPECT_EQ(0, Steps());
  EXPECT_EQ(0, driver.Stuck());
}

// ---- With the private print queue ----

bool QueueRun() { return getenv("TALVEX_PRINT_QUEUE") != nullptr; }

// The chosen printer must be the test queue's A4 sheet, which the hand-worked values assume.
void ExpectTheTestQueue() {
  CPrinterChoice printer;
  ASSERT_TRUE(printer.IsAvailable());
  EXPECT_EQ(kQueueName, std::string(printer.DeviceName()));
  PrinterMetrics m = printer.Metrics();
  EXPECT_NEAR(210, m.borders[0] + m.paperWidth + m.borders[2], 0.2f);
  EXPECT_NEAR(297, m.borders[1] + m.paperHeight + m.borders[3], 0.2f);
  EXPECT_LT(m.borders[0], 10);
  EXPECT_LT(m.borders[3], 25);
}

TEST_F(PrintWindow, TheDialogShowsThePrinterAndFitsTheRatioAsTheOptionsChange) {
  if (!QueueRun()) GTEST_SKIP() << "needs the print queue (program_print)";
  ExpectTheTestQueue();
  CPrintSettings stored = Settings();
  stored.zoomType = 0;
  stored.Save(g_appProfile);
  ModalDialogDriver driver;
  driver.Then([](CDialog* d) {
    EXPECT_EQ(kQueueName, DialogText(d, 1323));
    EXPECT_TRUE(Enabled(d, IDOK));
    EXPECT_FALSE(Enabled(d, 1287));  // A4 is no paper the user sizes
    EXPECT_EQ("10.00", DialogText(d, 1151));
    EXPECT_EQ("25.00", DialogText(d, 1153));
    EXPECT_EQ("150.00", DialogText(d, 1276));
    EXPECT_EQ("40.00", DialogText(d, 1279));
    // 180 x 257 inside the margins: the page's width limits, and the ratio is a hair less.
    EXPECT_LT(Number(d, 1143) * 150, 180);
    EXPECT_NEAR(1.2, Number(d, 1143), kRatioTolerance);
    EXPECT_FALSE(Enabled(d, 1143));
    EXPECT_EQ("179", DialogText(d, 1327));  // a hair below the paper
    EXPECT_EQ("119", DialogText(d, 1328));
    SavePicture(d, "print_dialog");
    d->CheckDlgButton(1337, BST_CHECKED);
    Click(d, 1337);
    EXPECT_EQ("100.00", DialogText(d, 1276));
    EXPECT_EQ("40.00", DialogText(d, 1278));
    EXPECT_EQ("10.00", DialogText(d, 1151));  // typed margins stay
    EXPECT_NEAR(257.0 / 150, Number(d, 1143), kRatioTolerance);
    ClickRadio(d, 1341);
    EXPECT_NEAR(257.0 / 100, Number(d, 1143), kRatioTolerance);
    d->CheckDlgButton(1337, BST_UNCHECKED);
    Click(d, 1337);
    EXPECT_NEAR(180.0 / 100, Number(d, 1143), kRatioTolerance);
    Type(d, 1151, "50");
    EXPECT_NEAR(140.0 / 100, Number(d, 1143), kRatioTolerance);
    ClickRadio(d, 1342);
    EXPECT_TRUE(Enabled(d, 1143));
    Type(d, 1143, "0.5");
    EXPECT_EQ("75", DialogText(d, 1327));
    EXPECT_EQ("20", DialogText(d, 1330));
    // Refused: each keeps the dialog open.
    Type(d, 1143, "0");
    d->SendMessage(WM_COMMAND, IDOK);
    Type(d, 1143, "0.5");
    Type(d, 1147, "1000");
    d->SendMessage(WM_COMMAND, IDOK);
    Type(d, 1147, "1");
    Type(d, 1151, "120");
    Type(d, 1152, "95");
    d->SendMessage(WM_COMMAND, IDOK);
    EXPECT_TRUE(IsWindow(d->m_hWnd));
    d->PostMessage(WM_COMMAND, IDCANCEL);
  });
  Command(57607);
  EXPECT_EQ(0, driver.Stuck());
  ASSERT_EQ(3u, m_boxes.Count());
  EXPECT_EQ("比率应为大于 0 的数。", m_boxes.Boxes()[0].text);
  EXPECT_EQ("份数应为 0 到 999。", m_boxes.Boxes()[1].text);
  EXPECT_EQ("边界留空太大, 打印纸上没有可以打印的地方。", m_boxes.Boxes()[2].text);
  // Exit stores nothing.
  CPrintSettings back;
  back.Load(g_appProfile);
  EXPECT_EQ(10, back.margins[0]);
  EXPECT_EQ(0, back.zoomType);
}

TEST_F(PrintWindow, PrintSetupIsReachableFromTheMenuAndFromTheDialog) {
  if (!QueueRun()) GTEST_SKIP() << "needs the print queue (program_print)";
  int setups = 0;
  AfxCommonDialogHandler previous = AfxSetCommonDialogHandler([&](CCommonDialog* dialog) {
    auto* print = dynamic_cast<CPrintDialog*>(dialog);
    EXPECT_NE(nullptr, print);
    if (!print) return static_cast<INT_PTR>(IDCANCEL);
    EXPECT_TRUE(print->m_pd.Flags & PD_PRINTSETUP);
    EXPECT_EQ(kQueueName, std::string(print->GetDeviceName()));
    ++setups;
    return static_cast<INT_PTR>(IDOK);
  });
  m_main->SendMessage(WM_COMMAND, ID_FILE_PRINT_SETUP);
  PumpMessages();
  EXPECT_EQ(1, setups);
  ModalDialogDriver driver;
  driver.Then([](CDialog* d) {
    Click(d, 1324);
    EXPECT_EQ(kQueueName, DialogText(d, 1323));
    d->PostMessage(WM_COMMAND, IDCANCEL);
  });
  Command(57607);
  EXPECT_EQ(2, setups);
  AfxSetCommonDialogHandler(std::move(previous));
  EXPECT_EQ(0u, m_boxes.Count());
}

// The preview's picture of the sheet, millimetres from the sheet's top-left corner mapped to its
// pixels.
class PreviewPicture {
public:
  explicit PreviewPicture(CPrintPreviewDlg* preview)
      : m_sheet(preview->SheetRect()), m_mmPerPixel(preview->MillimetresPerPixel()) {
    m_dc = CreateCompatibleDC(nullptr);
    m_previous = SelectObject(m_dc, preview->Picture());
  }
  ~PreviewPicture() {
    SelectObject(m_dc, m_previous);
    DeleteDC(m_dc);
  }
  int Red(float xMm, float yMm) const { return GetRValue(GetPixel(m_dc, X(xMm), Y(yMm))); }
  // Ink near the point: the darkest of the 3 x 3 pixels around it is darker than the paper.
  bool Inked(float xMm, float yMm) const {
    for (int dx = -1; dx <= 1; ++dx)
      for (int dy = -1; dy <= 1; ++dy)
        if (GetRValue(GetPixel(m_dc, X(xMm) + dx, Y(yMm) + dy)) < 250) return true;
    return false;
  }
  // The mean red value of the pixels inside the rectangle.
  double MeanRed(const CFRect& mm) const {
    double sum = 0;
    int count = 0;
    for (int y = Y(mm.top); y <= Y(mm.bottom); ++y)
      for (int x = X(mm.left); x <= X(mm.right); ++x, ++count)
        sum += GetRValue(GetPixel(m_dc, x, y));
    return count ? sum / count : 0;
  }

private:
  int X(float mm) const { return m_sheet.left + static_cast<int>(mm / m_mmPerPixel); }
  int Y(float mm) const { return m_sheet.top + static_cast<int>(mm / m_mmPerPixel); }

  CRect m_sheet;
  float m_mmPerPixel;
  HDC m_dc;
  HGDIOBJ m_previous;
};

TEST_F(PrintWindow, ThePreviewShowsTheSheetAsItPrintsAndLeadsToThePrintDialog) {
  if (!QueueRun()) GTEST_SKIP() << "needs the print queue (program_print)";
  Settings().Save(g_appProfile);
  ModalDialogDriver driver;
  driver.Then([](CDialog* d) {
    auto* preview = static_cast<CPrintPreviewDlg*>(d);
    ASSERT_NE(nullptr, d->GetDlgItem(CPrintPreviewDlg::kPictureFrame));
    const CRect& sheet = preview->SheetRect();
    EXPECT_NEAR(210.0 / 297, static_cast<double>(sheet.Width()) / sheet.Height(), 0.01);
    ASSERT_GT(preview->MillimetresPerPixel(), 0);
    {
      PreviewPicture picture(preview);
      // The rectangle's left edge 30 mm in, its middle row 65 mm down; nothing inside it.
      EXPECT_TRUE(picture.Inked(30, 65));
      EXPECT_TRUE(picture.Inked(130, 65));
      EXPECT_FALSE(picture.Inked(80, 65));
      EXPECT_EQ(255, picture.Red(0.5f, 0.5f));
    }
    SavePicture(d, "print_preview");
    Click(d, CPrintPreviewDlg::kPrintButton);
  });
  driver.Then([](CDialog* d) {
    EXPECT_EQ(kQueueName, DialogText(d, 1323));
    d->PostMessage(WM_COMMAND, IDCANCEL);
  });
  Command(57609);
  EXPECT_EQ(2, driver.Shown());
  EXPECT_EQ(0, driver.Stuck());
}

// ---- Printed pages, measured ----

struct PrintedCase {
  const char* name;
  void (*change)(CPrintSettings&);
  int pages;
  // Where the ink lies on the sheet, millimetres from its top-left corner.
  CFRect ink;
  // Printed through the entry other commands use rather than through the print dialog.
  bool entry = false;
  // The drawing is a solid stamp instead of the rectangle (the last cases only), with a point of
  // a character that must be inked and one between the characters and the border that must not.
  bool stamp = false;
  FPOINT inked = {0, 0}, paper = {0, 0};
};

// A solid stamp of four characters (each glyph a square from 100 to 924 of 1024 units), 40 x 24
// in the middle of the page: frame (55, 38)-(95, 62), border 1.5, margins and gaps 2, so the top
// left character's cell is (58.5, 41.5)-(74, 49) and its glyph's middle (66.25, 45.25).
CStampBlock* MakeSolidStamp() {
  CStampParams params;
  params.templateIndex = 4;
  params.width = 40;
  params.height = 24;
  params.border = 1.5f;
  params.marginX = params.marginY = params.gapX = params.gapY = 2;
  params.text = "ABAB";
  CStampBlock* stamp = CStampBlock::CreateCentred(params, 150, 100);
  stamp->SetAttrBits(nullptr, kSolidAttr, kSolidAttr);
  return stamp;
}

// The page's origin lies at the margins (10, 15); the rectangle (20, 30)-(120, 70) of the
// 150 x 100 page is hollow. A4 inside the margins leaves 180 x 257.
// clang-format off
const PrintedCase kCases[] = {
    {"page border", [](CPrintSettings& s) { s.printBorder = true; }, 1, {10, 15, 160, 115}},
    {"as drawn", [](CPrintSettings&) {}, 1, {30, 45, 130, 85}},
    // (x, y) to (y, 150 - x), halved.
    {"half size on its side",
     [](CPrintSettings& s) {
       s.ratio = 0.5f;
       s.rotate90 = true;
     },
     1, {25, 30, 45, 80}},
    {"mirrored", [](CPrintSettings& s) { s.mirror = true; }, 1, {40, 45, 140, 85}},
    {"fit to page", [](CPrintSettings& s) { s.zoomType = 0; }, 1, {34, 51, 154, 99}},
    {"fit to drawing", [](CPrintSettings& s) { s.zoomType = 1; }, 1, {10, 15, 190, 87}},
    {"two copies", [](CPrintSettings& s) { s.copies = 2; }, 2, {30, 45, 130, 85}},
    {"no copies", [](CPrintSettings& s) { s.copies = 0; }, 0, {0, 0, 0, 0}},
    {"half size through the entry", [](CPrintSettings& s) { s.ratio = 0.5f; }, 1,
     {20, 30, 70, 50}, true},
    {"a solid stamp", [](CPrintSettings&) {}, 1, {65, 53, 105, 77}, false, true,
     {76.25f, 60.25f}, {67.5f, 65}},
};
// clang-format on

// A stamp of small lettering previews as it prints: outlined, its characters' thin outlines leave
// their cells mostly paper, as the printer's pen does; solid, half of each cell is inked. Its "A"
// is eight bars, each 60 of the 1024 units high, about 0.9 mm apart in the 7.5 mm high cell, whose
// outlines would fill every pixel of a picture drawn at its own resolution.
TEST_F(PrintWindow, ThePreviewShowsAStampsLetteringOutlinedOrSolidAsItPrints) {
  if (!QueueRun()) GTEST_SKIP() << "needs the print queue (program_print)";
  FakeGlyphSource glyphs;
  for (int bar = 0; bar < 8; ++bar)
    AppendRectangle(glyphs.glyphs[WORD('A')], 60, 40.0f + bar * 128, 964, 100.0f + bar * 128);
  Settings().Save(g_appProfile);
  // The page's origin at the margins (10, 15) of the sheet: the top left "A" fills the cell
  // (68.5, 56.5)-(84, 64) of the sheet.
  const CFRect lettering(69.5f, 57.5f, 83, 63);
  for (bool solid : {false, true}) {
    SCOPED_TRACE(solid ? "solid" : "outlined");
    m_document->GetBlockList().DeleteAll();
    CStampBlock* stamp = MakeSolidStamp();
    if (!solid) stamp->SetAttrBits(nullptr, 0, kSolidAttr);
    m_document->AddBlock(stamp);
    ModalDialogDriver driver;
    driver.Then([&](CDialog* d) {
      {
        PreviewPicture picture(static_cast<CPrintPreviewDlg*>(d));
        // The frame's border, 1.5 mm wide from (55, 38) of the page.
        EXPECT_TRUE(picture.Inked(65.5f, 53.7f));
        EXPECT_TRUE(picture.Inked(76.25f, 60.25f));
        if (solid)
          EXPECT_NEAR(130, picture.MeanRed(lettering), 40);
        else
          EXPECT_GT(picture.MeanRed(lettering), 180);
      }
      // The picture is the dialog's again to paint.
      SavePicture(d, solid ? "print_preview_solid_stamp" : "print_preview_stamp");
      d->PostMessage(WM_COMMAND, IDCANCEL);
    });
    Command(57609);
    EXPECT_EQ(1, driver.Shown());
  }
}

TEST_F(PrintWindow, PrintedPagesAreSentThroughThePrintCommand) {
  if (!QueueRun()) GTEST_SKIP() << "needs the print queue (program_print)";
  ExpectTheTestQueue();
  FakeGlyphSource glyphs;
  for (WORD code : {WORD('A'), WORD('B')})
    glyphs.glyphs[code] = {MakePointRecord(100, 100, kPointStart | kPointOnCurve),
                           MakePointRecord(924, 100, kPointOnCurve),
                           MakePointRecord(924, 924, kPointOnCurve),
                           MakePointRecord(100, 924, kPointOnCurve),
                           MakePointRecord(100, 100, kPointClose | kPointOnCurve)};
  for (const PrintedCase& c : kCases) {
    if (c.stamp && Block(0)->m_type != kStampBlock) {
      m_document->GetBlockList().DeleteAll();
      m_document->AddBlock(MakeSolidStamp());
    }
    CPrintSettings settings = Settings();
    c.change(settings);
    if (c.entry) {
      EXPECT_EQ(CPagePrinter::kPrinted,
                CPagePrinter::Print(CPrinterChoice(), CPrintCommands::PageOf(m_view), settings));
      continue;
    }
    settings.Save(g_appProfile);
    ModalDialogDriver driver;
    driver.Then(ModalDialogDriver::PressOk());
    Command(57607);
    EXPECT_EQ(1, driver.Shown()) << c.name;
  }
  EXPECT_EQ(0u, m_boxes.Count());
}

TEST(PrintedPage, TheSheetsShowTheDrawingWhereItWasLaidOut) {
  const char* folder = getenv("TALVEX_PRINTED_PAGES");
  if (!folder) GTEST_SKIP() << "needs the printed pages (printed_pages.sh)";
  // Ghostscript drew the sheets at 254 pixels per inch: 10 pixels per millimetre.
  const float pixelsPerMm = 10;
  int job = 0;
  for (const PrintedCase& c : kCases) {
    ++job;
    int page = 0;
    for (;; ++page) {
      PgmPicture picture;
      if (!picture.Read(std::string(folder) + "/job" + std::to_string(job) + "-page" +
                        std::to_string(page + 1) + ".pgm"))
        break;
      EXPECT_NEAR(2100, picture.width, 2) << c.name;
      EXPECT_NEAR(2970, picture.height, 2) << c.name;
      RECT ink;
      ASSERT_TRUE(picture.Ink(&ink)) << c.name;
      EXPECT_NEAR(c.ink.left, ink.left / pixelsPerMm, 0.5f) << c.name;
      EXPECT_NEAR(c.ink.top, ink.top / pixelsPerMm, 0.5f) << c.name;
      EXPECT_NEAR(c.ink.right, ink.right / pixelsPerMm, 0.5f) << c.name;
      EXPECT_NEAR(c.ink.bottom, ink.bottom / pixelsPerMm, 0.5f) << c.name;
      // Hollow: the middle of the ink is paper.
      EXPECT_FALSE(picture.Dark((ink.left + ink.right) / 2, (ink.top + ink.bottom) / 2)) << c.name;
      auto dark = [&](FPOINT mm) {
        return picture.Dark(static_cast<int>(mm.x * pixelsPerMm),
                            static_cast<int>(mm.y * pixelsPerMm));
      };
      if (c.stamp) {
        EXPECT_TRUE(dark(c.inked)) << c.name;
        EXPECT_FALSE(dark(c.paper)) << c.name;
      }
    }
    EXPECT_EQ(c.pages, page) << c.name;
  }
}

}  // namespace
