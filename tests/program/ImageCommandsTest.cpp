// Reading images into a drawing and turning them into bars, through the main frame's menu
// commands on a drawing view of the editor with the program's resources and objects, under Xvfb:
// the file dialog is answered, the picture is painted where its block lies (read back from the
// screen), moved and scaled with the mouse, saved, reopened and painted again, copied and pasted;
// each change is one undo step; refused files and refused bar settings are explained and change
// nothing.
#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <string>
#include <vector>

#include "EditorWindowTest.h"
#include "editor/MDIMainFrame.h"
#include "editor/ProgramObjects.h"
#include "editor/TALVEX42Frame.h"
#include "editor/TALVEX42View.h"
#include "editor/dialogs/ImageBarsDlg.h"
#include "framework/MultiDocTemplate.h"
#include "media/images/ImageTexts.h"
#include "model/blocks/CurveBlock.h"
#include "model/blocks/ImageBlock.h"
#include "model/document/TALVEX42Doc.h"
#include "model/settings/SettingNames.h"
#include "model/undo/UndoManager.h"
#include "resources/Resource.h"
#include "support/ClientPicture.h"
#include "support/FileDialogAnswer.h"
#include "support/MessageBoxCapture.h"
#include "support/MessagePump.h"
#include "support/ModalDialogDriver.h"
#include "support/MouseDrag.h"
#include "support/RasterFixtures.h"
#include "support/TempFolder.h"

namespace {

using namespace raster;

const UINT kUndo = 57643;
const UINT kCopy = 57634;
const UINT kPaste = 57637;
const COLORREF kBlue = RGB(0, 0, 255);

class ImageCommands : public EditorWindowTest {
protected:
  void SetUp() override {
    theApp.SetRegistryKey("TalvexImageCommandsTest");
    g_appProfile.Attach();
    ASSERT_NO_FATAL_FAILURE(OpenEditorWindow());
    // Blue pixels; the picture is 40 x 20.
    BmpSpec blue;
    blue.width = 40;
    blue.height = 20;
    blue.palette = [](int i) { return i == 1 ? 0x0000FFu : 0xFFFFFFu; };
    blue.picture = [](int, int) { return DWORD(1); };
    m_picture = folder.File("blue.bmp");
    WriteFile(m_picture, MakeBmp(blue));
  }
  void TearDown() override {
    CloseEditorWindow();
    theApp.WriteProfileString(settings::kSystemParam, nullptr, nullptr);
    theApp.WriteProfileString(settings::kImage, nullptr, nullptr);
  }
  // A menu entry chosen: the command goes to the main frame, which hands it to the active view.
  CImageBlock* ReadThroughMenu(const std::string& path) {
    FileDialogAnswer answer(path);
    Menu(ID_FILE_READ_IMAGE);
    EXPECT_EQ(1, answer.shown);
    for (INT_PTR i = 0; i < Blocks(); ++i)
      if (Block(i)->m_type == kImageBlock) return static_cast<CImageBlock*>(Block(i));
    return nullptr;
  }
  INT_PTR Blocks() const { return m_document->GetBlockList().GetSize(); }
  CBlock* Block(INT_PTR i) const { return m_document->GetBlockList().GetBlock(i); }
  INT_PTR Steps() const { return m_view->GetUndoManager()->GetStepCount(); }
  POINT PixelOf(float x, float y) {
    FPOINT page = {x, y};
    POINT pixel;
    m_view->GetDisplayMatrix()->TransformPointToInt(&page, &pixel);
    return pixel;
  }
  COLORREF ScreenAt(float x, float y) {
    m_view->Invalidate(FALSE);
    m_view->UpdateWindow();
    POINT pixel = PixelOf(x, y);
    HDC dc = ::GetDC(m_view->m_hWnd);
    COLORREF colour = ::GetPixel(dc, pixel.x, pixel.y);
    ::ReleaseDC(m_view->m_hWnd, dc);
    return colour;
  }

  TempFolder folder;
  std::string m_picture;
  MessageBoxCapture m_boxes;
};

// The readers' built-in texts are the program's Chinese string resources under the same ids.
TEST(ImageTexts, TheReadersTextsAreTheProgramsStringResources) {
  using namespace ImageText;
  const std::pair<UINT, const char*> texts[] = {
      {kErrorCaptionId, kErrorCaption},
      {kCannotOpenId, kCannotOpen},
      {kTiffNotIntelId, kTiffNotIntel},
      {kTiffEntryCountId, kTiffEntryCount},
      {kTiffCompressedId, kTiffCompressed},
      {kTiffSamplesId, kTiffSamples},
      {kTiffTooManyColoursId, kTiffTooManyColours},
      {kBmpNotBitmapId, kBmpNotBitmap},
      {kBmpJpegId, kBmpJpeg},
      {kBmpCompressedId, kBmpCompressed},
      {kBmpBitCountId, kBmpBitCount},
      {kBmpBitmapFailedId, kBmpBitmapFailed},
      {kBmpFailedCaptionId, kBmpFailedCaption},
      {kBmpSizeId, kBmpSize},
      {kBmpShortId, kBmpShort},
      {kTiffDamagedId, kTiffDamaged},
      {kTiffBitCountId, kTiffBitCount},
      {kTiffTiledId, kTiffTiled},
  };
  for (const auto& text : texts) {
    CString loaded;
    ASSERT_TRUE(loaded.LoadString(text.first)) << text.first;
    EXPECT_STREQ(text.second, loaded) << text.first;
  }
}

TEST_F(ImageCommands, TheMenuReadsABitmapToThePageOriginInOneStepAndPaintsIt) {
  EXPECT_TRUE(CommandEnabled(ID_FILE_READ_IMAGE));
  m_document->SetModifiedFlag(FALSE);
  FileDialogAnswer answer(m_picture);
  Menu(ID_FILE_READ_IMAGE);
  EXPECT_EQ("读取图像", answer.title);
  EXPECT_EQ("C:\\TALVEX\\", answer.folder);
  ASSERT_EQ(1, Blocks());
  ASSERT_EQ(kImageBlock, Block(0)->m_type);
  auto* image = static_cast<CImageBlock*>(Block(0));
  // The path as the open prompt hands it over (upper-cased), 200 pixels on the longer side.
  CString upper(m_picture.c_str());
  upper.MakeUpper();
  EXPECT_STREQ(upper, image->GetFileName());
  const float scale = float(m_view->GetScale());
  EXPECT_EQ(0.0f, image->m_box.left);
  EXPECT_EQ(0.0f, image->m_box.top);
  EXPECT_NEAR(200 * scale, image->m_box.right, 1e-3);
  EXPECT_NEAR(100 * scale, image->m_box.bottom, 1e-3);
  EXPECT_EQ(1, Steps());
  EXPECT_TRUE(m_document->IsModified());
  CString remembered(folder.Path().substr(0, folder.Path().size() - 1).c_str());
  remembered.MakeUpper();
  EXPECT_STREQ(remembered,
               g_appProfile.GetString(settings::kSystemParam, settings::kImagePath, ""));
  EXPECT_EQ(kBlue, ScreenAt(100 * scale, 50 * scale));
  EXPECT_NE(kBlue, ScreenAt(210 * scale, 50 * scale));
  CreateDirectoryA("screenshots", nullptr);
  SaveClientPicture(m_view->m_hWnd, "screenshots\\read_image.bmp");

  Menu(kUndo);
  EXPECT_EQ(0, Blocks());
  EXPECT_NE(kBlue, ScreenAt(100 * scale, 50 * scale));
  EXPECT_EQ(0u, m_boxes.Count());
}

// A double click on the file closes the open dialog with the button still down, and the rest of
// the click (a move with the button down, then the release) goes to the view beneath. By a ruler,
// where a drag in the view scrolls it, that must not scroll the view: the picture comes in and
// the grid around it stays as it was (the rulers mark where the pointer went).
TEST_F(ImageCommands, TheRestOfTheDoubleClickThatChoseTheFileLeavesTheGridAroundThePicture) {
  m_document->GetPageSettings().m_gridSize = 10;
  m_view->ZoomToRect(CFRect(0, 0, 100, 70));
  PumpMessages();
  RECT client;
  m_view->GetClientRect(&client);
  const int rulers = m_view->GetRulerManager()->GetThickness();
  const int edge = rulers + CTALVEXView::kEdgeInside / 2;
  for (const POINT pointer : {POINT{edge, client.bottom / 2}, POINT{client.right / 2, edge}}) {
    m_view->Invalidate(FALSE);
    m_view->UpdateWindow();
    const std::vector<DWORD> before = ClientPixels(m_view->m_hWnd, client);
    FileDialogAnswer answer(m_picture);
    answer.closing = [this, pointer] {
      m_view->PostMessage(WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(pointer.x, pointer.y));
      m_view->PostMessage(WM_LBUTTONUP, 0, MAKELPARAM(pointer.x, pointer.y));
    };
    Menu(ID_FILE_READ_IMAGE);
    ASSERT_EQ(1, Blocks());
    CFRect box = Block(0)->m_box;
    RECT picture;
    m_view->GetDisplayMatrix()->TransformRectToInt(&box, &picture);
    const std::vector<DWORD> after = ClientPixels(m_view->m_hWnd, client);
    int changed = 0;
    for (LONG y = rulers; y < client.bottom; ++y)
      for (LONG x = rulers; x < client.right; ++x) {
        const size_t at = size_t(y) * client.right + x;
        if (!PtInRect(&picture, POINT{x, y})) changed += before[at] != after[at];
      }
    EXPECT_EQ(0, changed) << pointer.x << ", " << pointer.y;
    EXPECT_EQ(0u, m_boxes.Count());
    Menu(kUndo);
  }
}

TEST_F(ImageCommands, ATallTiffInSeveralStripsKeepsItsProportion) {
  TiffSpec tall;
  tall.width = 10;
  tall.height = 40;
  tall.rowsPerStrip = 7;
  std::string path = folder.File("tall.tif");
  WriteFile(path, MakeTiff(tall));
  CImageBlock* image = ReadThroughMenu(path);
  ASSERT_NE(nullptr, image);
  const float scale = float(m_view->GetScale());
  EXPECT_NEAR(50 * scale, image->m_box.right, 1e-3);
  EXPECT_NEAR(200 * scale, image->m_box.bottom, 1e-3);
  // Pixel (5, 20) of the picture holds grey 5 + 10 x 20.
  EXPECT_EQ(RGB(205, 205, 205), ScreenAt(27.5f * scale, 102.5f * scale));
}

TEST_F(ImageCommands, RefusedFilesAreExplainedAndAddNothing) {
  BmpSpec compressed;
  compressed.compression = 1;
  const std::vector<BYTE> rows = MakeBmp(BmpSpec());  // rows of 4 bytes, no padding
  const struct {
    const char* name;
    std::vector<BYTE> file;
    std::string text;
  } cases[] = {
      {"rle.bmp", MakeBmp(compressed), "\r\n该文件BitMap为压缩格式,不能处理!"},
      {"short.bmp", std::vector<BYTE>(rows.begin(), rows.end() - 4), "\r\n该BMP文件的数据不完整!"},
      {"entries.tif", MakeTiffOfMostEntries(), "文件IFD＝[65535]!"},
  };
  for (const auto& c : cases) {
    std::string path = folder.File(c.name);
    WriteFile(path, c.file);
    EXPECT_EQ(nullptr, ReadThroughMenu(path)) << c.name;
    ASSERT_EQ(size_t(&c - cases + 1), m_boxes.Count()) << c.name;
    EXPECT_EQ(c.text, m_boxes.Last().text) << c.name;
  }

  // A path whose short form is still longer than the document's name field.
  TempFolder deep(std::string(24, 'a') + "\\" + std::string(24, 'b') + "\\" + std::string(24, 'c') +
                  "\\" + std::string(24, 'd'));
  std::string distant = deep.File(std::string(30, 'e') + ".bmp");
  WriteFile(distant, MakeBmp(BmpSpec()));
  ASSERT_TRUE(CImageBlock::StorableName(distant.c_str()).IsEmpty());
  EXPECT_EQ(nullptr, ReadThroughMenu(distant));
  ASSERT_EQ(4u, m_boxes.Count());
  EXPECT_NE(std::string::npos, m_boxes.Last().text.find("图像文件的路径太长"));
  EXPECT_EQ(0, Blocks());
  EXPECT_EQ(0, Steps());
}

TEST_F(ImageCommands, TheMouseMovesAndScalesAnImageAndUndoPutsItBack) {
  CImageBlock* image = ReadThroughMenu(m_picture);
  ASSERT_NE(nullptr, image);
  const CFRect placed = image->m_box;
  const float scale = float(m_view->GetScale());
  // A click selects it, a drag from inside moves it.
  POINT inside = PixelOf(placed.right / 2, placed.bottom / 2);
  DragMouse(*m_view, inside, inside);
  ASSERT_EQ(1, image->m_selected);
  DragMouse(*m_view, inside, {inside.x + 60, inside.y + 30});
  EXPECT_NEAR(placed.left + 60 * scale, image->m_box.left, 1.5f * scale);
  EXPECT_NEAR(placed.top + 30 * scale, image->m_box.top, 1.5f * scale);
  EXPECT_NEAR(placed.right - placed.left, image->m_box.right - image->m_box.left, 1e-3);
  const CFRect moved = image->m_box;
  EXPECT_EQ(kBlue, ScreenAt((moved.left + moved.right) / 2, (moved.top + moved.bottom) / 2));
  // The bottom-right handle, a little outside the corner, scales it in proportion.
  const int gap = int(CSelectTracker::kHandleGap);
  const POINT corner = PixelOf(moved.right, moved.bottom);
  DragMouse(*m_view, {corner.x + gap, corner.y + gap}, {corner.x + gap + 50, corner.y + gap + 40});
  EXPECT_NEAR(moved.left, image->m_box.left, 1.5f * scale);
  const float width = image->m_box.right - image->m_box.left;
  EXPECT_NEAR(moved.right - moved.left + 50 * scale, width, 1.5f * scale);
  EXPECT_NEAR(width / (moved.right - moved.left),
              (image->m_box.bottom - image->m_box.top) / (moved.bottom - moved.top), 1e-3);
  EXPECT_EQ(kBlue, ScreenAt(image->m_box.right - 2 * scale, image->m_box.bottom - 2 * scale));
  Menu(kUndo);
  EXPECT_FLOAT_EQ(moved.right, image->m_box.right);
  Menu(kUndo);
  EXPECT_FLOAT_EQ(placed.left, image->m_box.left);
  EXPECT_FLOAT_EQ(placed.bottom, image->m_box.bottom);
}

TEST_F(ImageCommands, ADocumentWithAnImageIsSavedReopenedAndPaintedAgain) {
  CImageBlock* image = ReadThroughMenu(m_picture);
  ASSERT_NE(nullptr, image);
  image->m_box = CFRect(30, 40, 130, 90);
  std::string path = folder.File("sign.T42");
  ASSERT_TRUE(m_document->OnSaveDocument(path.c_str()));
  theApp.CloseAllDocuments(FALSE);
  PumpMessages();
  OpenView(theApp.OpenDocumentFile(path.c_str()));
  ASSERT_EQ(1, Blocks());
  ASSERT_EQ(kImageBlock, Block(0)->m_type);
  auto* reopened = static_cast<CImageBlock*>(Block(0));
  EXPECT_FLOAT_EQ(130.0f, reopened->m_box.right);
  m_view->SendMessage(WM_COMMAND, ID_VIEW_WHOLE_PAGE);
  EXPECT_EQ(kBlue, ScreenAt(80, 65));
  EXPECT_NE(kBlue, ScreenAt(80, 95));
  SaveClientPicture(m_view->m_hWnd, "screenshots\\reopened_image.bmp");

  // Copied and pasted, the image is a second block of the same file and box.
  reopened->m_selected = 1;
  m_view->GetSelectTracker().Recount();
  Menu(kCopy);
  Menu(kPaste);
  ASSERT_EQ(2, Blocks());
  auto* pasted = static_cast<CImageBlock*>(Block(1));
  EXPECT_STREQ(reopened->GetFileName(), pasted->GetFileName());
  EXPECT_FLOAT_EQ(90.0f, pasted->m_box.bottom);
  Menu(kUndo);
  EXPECT_EQ(1, Blocks());
}

TEST_F(ImageCommands, TheBarsDialogAddsTheHalftoneOfTheSelectedImageInOneStep) {
  // A grey ramp down the picture: 16 x 64 pixels, 8 bits.
  BmpSpec ramp;
  ramp.width = 16;
  ramp.height = 64;
  ramp.picture = [](int, int y) { return DWORD(y * 4); };
  std::string path = folder.File("ramp.bmp");
  WriteFile(path, MakeBmp(ramp));
  CImageBlock* image = ReadThroughMenu(path);
  ASSERT_NE(nullptr, image);
  image->m_box = CFRect(10, 10, 35, 110);  // 100 high
  EXPECT_FALSE(CommandEnabled(ID_IMAGE_BARS));
  image->m_selected = 1;
  m_view->GetSelectTracker().Recount();
  EXPECT_TRUE(CommandEnabled(ID_IMAGE_BARS));
  g_appProfile.WriteString(settings::kImage, settings::kBarHeight, "7.00");
  {
    ModalDialogDriver driver;
    driver.Then([&](CDialog* d) {
      EXPECT_EQ("25.00", DialogText(d, CImageBarsDlg::kImageWidth));
      EXPECT_EQ("100.00", DialogText(d, CImageBarsDlg::kImageHeight));
      EXPECT_EQ("14", DialogText(d, CImageBarsDlg::kBarCount));
      EXPECT_EQ("20", DialogText(d, CImageBarsDlg::kMinHeight));
      EXPECT_EQ("80", DialogText(d, CImageBarsDlg::kMaxHeight));
      // Five bars are too few; twenty give a bar height of 5.
      d->SetDlgItemText(CImageBarsDlg::kBarCount, "5");
      EXPECT_FALSE(d->GetDlgItem(IDOK)->IsWindowEnabled());
      d->SetDlgItemText(CImageBarsDlg::kBarCount, "20");
      EXPECT_EQ("5.00", DialogText(d, CImageBarsDlg::kBarHeight));
      EXPECT_TRUE(d->GetDlgItem(IDOK)->IsWindowEnabled());
      // The thinnest stroke above the thickest is refused and the dialog stays.
      d->SetDlgItemText(CImageBarsDlg::kMinHeight, "90");
      d->SendMessage(WM_COMMAND, IDOK);
      EXPECT_TRUE(::IsWindow(d->m_hWnd));
      EXPECT_EQ(1u, m_boxes.Count());
      d->SetDlgItemText(CImageBarsDlg::kMinHeight, "10");
      d->PostMessage(WM_COMMAND, IDOK);
    });
    Menu(ID_IMAGE_BARS);
    EXPECT_EQ(0, driver.Stuck());
  }
  ASSERT_EQ(1u, m_boxes.Count());
  EXPECT_NE(std::string::npos, m_boxes.Last().text.find("最小高度"));
  ASSERT_EQ(2, Blocks());
  ASSERT_EQ(kCurveBlock, Block(1)->m_type);
  auto* bars = static_cast<CCurveBlock*>(Block(1));
  int subpaths = 0;
  for (const POINTREC& point : bars->GetPoints())
    subpaths += point.flags != kPointEnd && (point.flags & kPointStart);
  EXPECT_EQ(20, subpaths);
  EXPECT_EQ(2, Steps());
  EXPECT_STREQ("5.00", g_appProfile.GetString(settings::kImage, settings::kBarHeight, ""));
  EXPECT_EQ(10, g_appProfile.GetInt(settings::kImage, settings::kBarMinHeight, 0));
  Menu(kUndo);
  EXPECT_EQ(1, Blocks());
}

TEST_F(ImageCommands, ABlackAndWhiteImageOpensTheBarsDialogGreyed) {
  BmpSpec mono;
  mono.bits = 1;
  mono.picture = [](int x, int) { return DWORD(x % 2); };
  std::string path = folder.File("mono.bmp");
  WriteFile(path, MakeBmp(mono));
  CImageBlock* image = ReadThroughMenu(path);
  ASSERT_NE(nullptr, image);
  image->m_selected = 1;
  m_view->GetSelectTracker().Recount();
  ModalDialogDriver driver;
  BOOL convertible = TRUE;
  driver.Then([&](CDialog* d) {
    convertible = d->GetDlgItem(IDOK)->IsWindowEnabled();
    d->SendMessage(WM_COMMAND, IDOK);  // a greyed button does nothing when sent anyway
    d->PostMessage(WM_COMMAND, IDCANCEL);
  });
  Menu(ID_IMAGE_BARS);
  EXPECT_FALSE(convertible);
  EXPECT_EQ(1, Blocks());
}

}  // namespace
