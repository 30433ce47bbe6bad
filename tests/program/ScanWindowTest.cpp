// The scan command (40161) through the main frame's menu, on a drawing view of the editor with the
// program's resources and the real vectorising library, and a TWAIN manager in memory in place of
// TWAIN_32.DLL: the dialog opens the manager and enables its scanner buttons, a scan arrives
// through the dialog's message loop and shows in the preview, a second scan replaces the first,
// the image is saved to a path of any length and reads back, and a black-and-white scan is
// vectorised into the drawing in one undo step. Without a manager the buttons stay greyed and
// nothing is said; a scanner that fails says so once and the dialog stays.
#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "EditorWindowTest.h"
#include "editor/MDIMainFrame.h"
#include "editor/ProgramObjects.h"
#include "editor/TALVEX42Frame.h"
#include "editor/TALVEX42View.h"
#include "editor/dialogs/ScanDlg.h"
#include "framework/FileDialog.h"
#include "framework/MultiDocTemplate.h"
#include "media/images/BmpImage.h"
#include "model/blocks/CurveBlock.h"
#include "model/document/TALVEX42Doc.h"
#include "model/settings/SettingNames.h"
#include "model/undo/UndoManager.h"
#include "resources/Resource.h"
#include "support/ClientPicture.h"
#include "support/FakeTwainManager.h"
#include "support/MessageBoxCapture.h"
#include "support/MessagePump.h"
#include "support/ModalDialogDriver.h"
#include "support/RasterFixtures.h"
#include "support/TempFolder.h"

namespace {

using namespace raster;

const UINT kUndo = 57643;

// A packed bitmap: the BMP file BmpSpec describes, without its 14-byte file header.
std::vector<BYTE> Dib(const BmpSpec& spec) {
  std::vector<BYTE> file = MakeBmp(spec);
  return std::vector<BYTE>(file.begin() + 14, file.end());
}

// 60 x 40 pixels, white with a black bar from (10, 5) to (30, 25).
BmpSpec Bar() {
  BmpSpec bar;
  bar.width = 60;
  bar.height = 40;
  bar.bits = 1;
  bar.palette = [](int i) { return i == 0 ? 0x000000u : 0xFFFFFFu; };
  bar.picture = [](int x, int y) { return DWORD(!(x >= 10 && x < 30 && y >= 5 && y < 25)); };
  return bar;
}

BmpSpec Grey() {
  BmpSpec grey;
  grey.width = 30;
  grey.height = 20;
  grey.bits = 8;
  return grey;
}

bool Enabled(CDialog* dialog, int control) {
  return dialog->GetDlgItem(control)->IsWindowEnabled() != FALSE;
}

void Click(CDialog* dialog, int control) {
  dialog->GetDlgItem(control)->SendMessage(BM_CLICK);
  PumpMessages();
}

class ScanWindow : public EditorWindowTest {
protected:
  void SetUp() override {
    ASSERT_NO_FATAL_FAILURE(PlaceBesideProgram({"TalvexTrace.dll", "TalvexVector.dll"}));
    theApp.SetRegistryKey("TalvexScanWindowTest");
    g_appProfile.Attach();
    theApp.WriteProfileString(settings::kSystemParam, nullptr, nullptr);
    ASSERT_NO_FATAL_FAILURE(OpenEditorWindow());
  }
  void TearDown() override {
    CloseEditorWindow();
    theApp.WriteProfileString(settings::kSystemParam, nullptr, nullptr);
  }
  INT_PTR Blocks() const { return m_document->GetBlockList().GetSize(); }
  CBlock* Block(INT_PTR i) const { return m_document->GetBlockList().GetBlock(i); }
  INT_PTR Steps() const { return m_view->GetUndoManager()->GetStepCount(); }

  TempFolder m_folder;
  MessageBoxCapture m_boxes;
};

TEST_F(ScanWindow, ScansShowsSavesAndPlacesTheVectorisedScanInOneStep) {
  FakeTwainManager manager;
  manager.images = {Dib(Grey())};
  manager.readyOnEnable = true;
  // Longer than the 50 characters a file name once had room for.
  std::string path = m_folder.File("a scanned picture with a rather long name.bmp");
  ASSERT_GT(path.size(), 50u);
  EXPECT_TRUE(CommandEnabled(ID_FILE_SCAN));
  ModalDialogDriver driver;
  driver.Then([&](CDialog* d) {
    auto* scan = static_cast<CScanDlg*>(d);
    EXPECT_EQ(3, scan->GetState());
    EXPECT_TRUE(Enabled(d, CScanDlg::kSelectScanner));
    EXPECT_TRUE(Enabled(d, CScanDlg::kScan));
    EXPECT_FALSE(Enabled(d, CScanDlg::kSaveImage));
    EXPECT_FALSE(Enabled(d, IDOK));
    Click(d, CScanDlg::kSelectScanner);
    EXPECT_EQ(3, scan->GetState());
    // The scanner's ready message reaches the dialog through the message loop.
    Click(d, CScanDlg::kScan);
    EXPECT_EQ(manager.parent, d->m_hWnd);
    ASSERT_NE(nullptr, scan->GetImage());
    EXPECT_EQ(5, scan->GetState());
    EXPECT_TRUE(Enabled(d, CScanDlg::kSaveImage));
    EXPECT_FALSE(Enabled(d, IDOK));

    // Saved under a long name: every byte, read back by the BMP reader.
    AfxCommonDialogHandler previous = AfxSetCommonDialogHandler(
        [&](CCommonDialog* dialog) -> INT_PTR {
          static_cast<CFileDialog*>(dialog)->SetFileName(path.c_str());
          return IDOK;
        });
    Click(d, CScanDlg::kSaveImage);
    AfxSetCommonDialogHandler(std::move(previous));
    CBmpImage saved(path.c_str());
    EXPECT_EQ(1, saved.Check(nullptr));
    EXPECT_EQ(30, saved.GetWidth());
    EXPECT_EQ(8, saved.GetBitCount());

    // A second scan replaces the first; a black-and-white one may be placed.
    manager.images = {Dib(Bar())};
    d->PostMessage(FakeTwainManager::ReadyMessage());
    PumpMessages();
    EXPECT_TRUE(Enabled(d, IDOK));
    d->UpdateWindow();
    CreateDirectoryA("screenshots", nullptr);
    SaveClientPicture(d->m_hWnd, "screenshots\\scan_dialog.bmp");
    Click(d, IDOK);
  });
  Menu(ID_FILE_SCAN);
  EXPECT_EQ(0, driver.Stuck());
  EXPECT_EQ(1, driver.Shown());
  std::string folder = path.substr(0, path.rfind('\\'));
  EXPECT_EQ(folder,
            std::string(g_appProfile.GetString(settings::kSystemParam, settings::kImagePath, "")));
  EXPECT_EQ((std::vector<std::string>{"open manager", "get default", "user select", "open source",
                                      "enable", "get image", "end transfer", "get image",
                                      "end transfer", "disable", "close source", "close manager"}),
            manager.log);
  // The bar, 150 screen pixels across the picture's 60, from the page origin.
  ASSERT_EQ(1, Blocks());
  ASSERT_EQ(kCurveBlock, Block(0)->m_type);
  double s = m_view->GetScale() * CScanDlg::kPlacedPixels / 60.0;
  const CFRect& box = Block(0)->m_box;
  EXPECT_NEAR(10 * s, box.left, 1e-3);
  EXPECT_NEAR(5 * s, box.top, 1e-3);
  EXPECT_NEAR(30 * s, box.right, 1e-3);
  EXPECT_NEAR(25 * s, box.bottom, 1e-3);
  EXPECT_EQ(1, Steps());
  Menu(kUndo);
  EXPECT_EQ(0, Blocks());
  EXPECT_EQ(0, Steps());
  EXPECT_EQ(0u, m_boxes.Count());
}

TEST_F(ScanWindow, WithoutAManagerTheButtonsStayGreyedAndAFailingScannerSaysSo) {
  CTwain::UseSourceManager(nullptr);
  CTwain::SetManagerPath("C:\\no such folder\\TWAIN_32.DLL");
  {
    ModalDialogDriver driver;
    driver.Then([&](CDialog* d) {
      EXPECT_EQ(1, static_cast<CScanDlg*>(d)->GetState());
      EXPECT_FALSE(Enabled(d, CScanDlg::kSelectScanner));
      EXPECT_FALSE(Enabled(d, CScanDlg::kScan));
      d->PostMessage(WM_COMMAND, IDCANCEL);
    });
    Menu(ID_FILE_SCAN);
    EXPECT_EQ(0, driver.Stuck());
  }
  EXPECT_EQ(0u, m_boxes.Count());
  CTwain::SetManagerPath(nullptr);

  FakeTwainManager manager;
  manager.Fail(twain::kUserInterface, twain::kEnableSource);
  {
    ModalDialogDriver driver;
    driver.Then([&](CDialog* d) {
      Click(d, CScanDlg::kScan);
      EXPECT_TRUE(IsWindow(d->m_hWnd));
      EXPECT_EQ(3, static_cast<CScanDlg*>(d)->GetState());
      // OK without an image does nothing.
      d->SendMessage(WM_COMMAND, IDOK);
      EXPECT_TRUE(IsWindow(d->m_hWnd));
      d->PostMessage(WM_COMMAND, IDCANCEL);
    });
    Menu(ID_FILE_SCAN);
    EXPECT_EQ(0, driver.Stuck());
  }
  ASSERT_EQ(1u, m_boxes.Count());
  EXPECT_EQ("A TWAIN error occurred.", m_boxes.Last().text);
  EXPECT_EQ(0, Blocks());
  EXPECT_EQ(0, Steps());
}

}  // namespace
