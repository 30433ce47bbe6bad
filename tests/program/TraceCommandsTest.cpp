// The image menu's tracing commands through the main frame's menu, on a drawing view of the editor
// with the program's resources and objects and the real tracing and vectorising libraries, under
// Xvfb: the outline dialog lays the traced outline over the selected image in one undo step (with
// the image sent behind it) and refuses what it cannot trace in its message line; the settings
// dialogs store all of their values or none and make the library take them; the screen trace
// traces what was on the screen before its own window covered it and refuses a band too small.
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "EditorWindowTest.h"
#include "editor/MDIMainFrame.h"
#include "editor/ProgramObjects.h"
#include "editor/TALVEX42Frame.h"
#include "editor/TALVEX42View.h"
#include "editor/dialogs/CurveFitParamsDlg.h"
#include "editor/dialogs/OutlineImageDlg.h"
#include "editor/dialogs/ScreenTraceDlg.h"
#include "editor/dialogs/VectorizeImageSetDlg.h"
#include "framework/FileDialog.h"
#include "framework/MultiDocTemplate.h"
#include "media/VectorisingDll.h"
#include "model/blocks/CurveBlock.h"
#include "model/blocks/ImageBlock.h"
#include "model/document/TALVEX42Doc.h"
#include "model/settings/SettingNames.h"
#include "model/undo/UndoManager.h"
#include "resources/Resource.h"
#include "support/ClientPicture.h"
#include "support/MessageBoxCapture.h"
#include "support/MessagePump.h"
#include "support/ModalDialogDriver.h"
#include "support/RasterFixtures.h"
#include "support/TempFolder.h"

namespace {

using namespace raster;

const UINT kUndo = 57643;

std::string Row(CDialog* dialog, int row) {
  char text[100] = "";
  dialog->SendDlgItemMessage(CCurveFitParamsDlg::kList, LB_GETTEXT, row, LPARAM(text));
  return text;
}

// A window painted white with a black bar, standing for a picture on the screen.
class PictureWindow {
public:
  PictureWindow(RECT onScreen, RECT bar) : m_bar(bar) {
    WNDCLASSA type = {};
    type.lpfnWndProc = &PictureWindow::Procedure;
    type.hInstance = GetModuleHandleA(nullptr);
    type.lpszClassName = "TalvexTracePicture";
    RegisterClassA(&type);
    m_window = CreateWindowExA(WS_EX_TOPMOST, type.lpszClassName, "", WS_POPUP | WS_VISIBLE,
                               onScreen.left, onScreen.top, onScreen.right - onScreen.left,
                               onScreen.bottom - onScreen.top, nullptr, nullptr, type.hInstance,
                               nullptr);
    SetWindowLongPtrA(m_window, GWLP_USERDATA, LONG_PTR(this));
    InvalidateRect(m_window, nullptr, TRUE);
    UpdateWindow(m_window);
    // Wine paints through the X server, which may show the picture a little later: wait (at
    // most two seconds) until the bar's middle is black on the screen.
    HDC screen = GetDC(nullptr);
    const int x = onScreen.left + (bar.left + bar.right) / 2;
    const int y = onScreen.top + (bar.top + bar.bottom) / 2;
    for (int tries = 0; tries < 200 && GetPixel(screen, x, y) != 0; ++tries) {
      PumpMessages();
      Sleep(10);
    }
    ReleaseDC(nullptr, screen);
  }
  ~PictureWindow() { DestroyWindow(m_window); }

private:
  static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM w, LPARAM l) {
    auto* self = reinterpret_cast<PictureWindow*>(GetWindowLongPtrA(window, GWLP_USERDATA));
    if (message != WM_PAINT || !self) return DefWindowProcA(window, message, w, l);
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(window, &paint);
    RECT client;
    GetClientRect(window, &client);
    FillRect(dc, &client, HBRUSH(GetStockObject(WHITE_BRUSH)));
    FillRect(dc, &self->m_bar, HBRUSH(GetStockObject(BLACK_BRUSH)));
    EndPaint(window, &paint);
    return 0;
  }
  HWND m_window = nullptr;
  RECT m_bar;
};

class TraceCommands : public EditorWindowTest {
protected:
  void SetUp() override {
    ASSERT_NO_FATAL_FAILURE(PlaceBesideProgram({"TalvexTrace.dll", "TalvexVector.dll"}));
    theApp.SetRegistryKey("TalvexTraceCommandsTest");
    g_appProfile.Attach();
    theApp.WriteProfileString(settings::kVector, nullptr, nullptr);
    ASSERT_NO_FATAL_FAILURE(OpenEditorWindow());
  }
  void TearDown() override {
    CloseEditorWindow();
    theApp.WriteProfileString(settings::kVector, nullptr, nullptr);
    theApp.WriteProfileString(settings::kSystemParam, nullptr, nullptr);
  }
  // A 1-bit picture of 60 x 40 pixels, white with a black bar from (10, 5) to (30, 25), read
  // through the menu and selected, its box 2 page units per pixel from (20, 30).
  CImageBlock* SelectedPicture(const BmpSpec& spec) {
    std::string path = m_folder.File("picture.bmp");
    WriteFile(path, MakeBmp(spec));
    m_previousHandler = AfxSetCommonDialogHandler([path](CCommonDialog* dialog) -> INT_PTR {
      static_cast<CFileDialog*>(dialog)->SetFileName(path.c_str());
      return IDOK;
    });
    Menu(ID_FILE_READ_IMAGE);
    AfxSetCommonDialogHandler(std::move(m_previousHandler));
    if (Blocks() != 1 || Block(0)->m_type != kImageBlock) return nullptr;
    auto* image = static_cast<CImageBlock*>(Block(0));
    image->m_box = CFRect(20, 30, 140, 110);
    image->m_selected = 1;
    m_view->GetSelectTracker().Recount();
    m_view->GetUndoManager()->RemoveLastStep();
    return image;
  }
  static BmpSpec Bar() {
    BmpSpec bar;
    bar.width = 60;
    bar.height = 40;
    bar.bits = 1;
    bar.palette = [](int i) { return i == 0 ? 0x000000u : 0xFFFFFFu; };
    bar.picture = [](int x, int y) { return DWORD(!(x >= 10 && x < 30 && y >= 5 && y < 25)); };
    return bar;
  }
  INT_PTR Blocks() const { return m_document->GetBlockList().GetSize(); }
  CBlock* Block(INT_PTR i) const { return m_document->GetBlockList().GetBlock(i); }
  INT_PTR Steps() const { return m_view->GetUndoManager()->GetStepCount(); }
  // "Delta" and "BlackThreshold" are numbers; the twenty values text, as the library reads them.
  int Setting(LPCSTR key) { return g_appProfile.GetInt(settings::kVector, key, -99); }
  float Value(LPCSTR key) { return g_appProfile.GetFloat(settings::kVector, key, -99.0f); }

  TempFolder m_folder;
  AfxCommonDialogHandler m_previousHandler;
  MessageBoxCapture m_boxes;
};

TEST_F(TraceCommands, TheOutlineLiesOverTheImageInOneStepWithTheImageBehindIt) {
  CImageBlock* image = SelectedPicture(Bar());
  ASSERT_NE(nullptr, image);
  for (UINT command : {UINT(ID_IMAGE_VECTORISE), UINT(ID_IMAGE_TRACE)}) {
    SCOPED_TRACE(command);
    EXPECT_TRUE(CommandEnabled(command));
    // A "Delta" that is no preset (the user's own values) checks no button and stays.
    g_appProfile.WriteInt(settings::kVector, settings::kVectorDelta, -1);
    g_appProfile.WriteString(settings::kVector, settings::kBlackThreshold, nullptr);
    {
      ModalDialogDriver driver;
      driver.Then([&](CDialog* d) {
        for (int id = COutlineImageDlg::kNoError; id <= COutlineImageDlg::kVerySmooth; ++id)
          EXPECT_EQ(BST_UNCHECKED, d->IsDlgButtonChecked(id)) << id;
        EXPECT_EQ("512", DialogText(d, COutlineImageDlg::kBlackThreshold));
        d->SetDlgItemText(COutlineImageDlg::kBlackThreshold, "400");
        d->UpdateWindow();
        CreateDirectoryA("screenshots", nullptr);
        SaveClientPicture(d->m_hWnd, "screenshots\\outline_dialog.bmp");
        d->PostMessage(WM_COMMAND, IDOK);
      });
      Menu(command);
      EXPECT_EQ(0, driver.Stuck());
    }
    EXPECT_EQ(-1, Setting(settings::kVectorDelta));
    EXPECT_EQ(400, Setting(settings::kBlackThreshold));
    // The outline first, the image behind it; pixels (10, 5) .. (30, 25) at 2 units from (20, 30).
    ASSERT_EQ(2, Blocks());
    ASSERT_EQ(kCurveBlock, Block(0)->m_type);
    EXPECT_EQ(image, Block(1));
    auto* outline = static_cast<CCurveBlock*>(Block(0));
    EXPECT_EQ(COutlineImageDlg::kOutlineColour, outline->GetColour());
    EXPECT_NEAR(40.0f, outline->m_box.left, 1e-3);
    EXPECT_NEAR(40.0f, outline->m_box.top, 1e-3);
    EXPECT_NEAR(80.0f, outline->m_box.right, 1e-3);
    EXPECT_NEAR(80.0f, outline->m_box.bottom, 1e-3);
    EXPECT_EQ(1, Steps());
    m_view->UpdateWindow();
    SaveClientPicture(m_view->m_hWnd, "screenshots\\traced_outline.bmp");
    Menu(kUndo);
    ASSERT_EQ(1, Blocks());
    EXPECT_EQ(image, Block(0));
    EXPECT_EQ(0, Steps());
  }
  EXPECT_EQ(0u, m_boxes.Count());
}

TEST_F(TraceCommands, TheOutlineDialogSaysWhatItCannotTrace) {
  // Nothing selected: the message line asks for an image and the button is greyed.
  g_appProfile.WriteInt(settings::kVector, settings::kVectorDelta, 7);
  {
    ModalDialogDriver driver;
    driver.Then([&](CDialog* d) {
      EXPECT_EQ("请先选中一个图像块!", DialogText(d, COutlineImageDlg::kMessage));
      EXPECT_FALSE(d->GetDlgItem(IDOK)->IsWindowEnabled());
      d->CheckRadioButton(COutlineImageDlg::kNoError, COutlineImageDlg::kVerySmooth, 1236);
      d->PostMessage(WM_COMMAND, IDCANCEL);
    });
    Menu(ID_IMAGE_VECTORISE);
    EXPECT_EQ(0, driver.Stuck());
  }
  // Leaving by "退出" stores the chosen preset too.
  EXPECT_EQ(3, Setting(settings::kVectorDelta));

  // Three colours: refused in the message line, the dialog stays open and nothing is added.
  BmpSpec colours;
  colours.width = 30;
  colours.height = 20;
  colours.picture = [](int x, int) { return DWORD(x / 10); };
  ASSERT_NE(nullptr, SelectedPicture(colours));
  {
    ModalDialogDriver driver;
    driver.Then([&](CDialog* d) {
      d->SendMessage(WM_COMMAND, IDOK);
      EXPECT_TRUE(IsWindow(d->m_hWnd));
      EXPECT_EQ("彩色图像色彩不能超过2色", DialogText(d, COutlineImageDlg::kMessage));
      d->PostMessage(WM_COMMAND, IDCANCEL);
    });
    Menu(ID_IMAGE_VECTORISE);
    EXPECT_EQ(0, driver.Stuck());
  }
  EXPECT_EQ(1, Blocks());
  EXPECT_EQ(0, Steps());
  EXPECT_EQ(0u, m_boxes.Count());
}

TEST_F(TraceCommands, TheSettingsAreStoredAllOrNoneAndThenTakenByTheLibrary) {
  // Missing keys show the defaults the library takes for them.
  ModalDialogDriver driver;
  driver.Then([&](CDialog* d) {
    EXPECT_EQ("3", DialogText(d, CVectorizeImageSetDlg::kCornerSurround));
    EXPECT_EQ("100", DialogText(d, CVectorizeImageSetDlg::kCornerThreshold));
    EXPECT_EQ("0.50", DialogText(d, CVectorizeImageSetDlg::kErrorThreshold));
    EXPECT_EQ("0.01", DialogText(d, CVectorizeImageSetDlg::kLineReversionThreshold));
    d->SetDlgItemText(CVectorizeImageSetDlg::kCornerSurround, "5");
    d->SetDlgItemText(CVectorizeImageSetDlg::kLineThreshold, "0");
    // A value of 0 among them: nothing stored, the dialog stays.
    d->SendMessage(WM_COMMAND, IDOK);
    EXPECT_TRUE(IsWindow(d->m_hWnd));
    EXPECT_EQ(-99.0f, Value("CornerSurround"));
    EXPECT_EQ(-99, Setting(settings::kVectorDelta));
    d->SetDlgItemText(CVectorizeImageSetDlg::kLineThreshold, "0.75");
    d->SetDlgItemText(CVectorizeImageSetDlg::kErrorThreshold, "1.5");
    d->PostMessage(WM_COMMAND, IDOK);
  });
  Menu(ID_IMAGE_VECTOR_SETTINGS);
  ASSERT_EQ(1u, m_boxes.Count());
  EXPECT_NE(std::string::npos, m_boxes.Last().text.find("大于0"));
  EXPECT_EQ(5.0f, Value("CornerSurround"));
  EXPECT_EQ(-1, Setting(settings::kVectorDelta));
  // The library now takes the stored values instead of a preset.
  CVectorisingDll vectoriser;
  vectoriser.RefreshParams();
  EXPECT_FLOAT_EQ(1.5f, vectoriser.GetParams().ErrorThreshold);
  EXPECT_FLOAT_EQ(0.75f, vectoriser.GetParams().LineThreshold);
  EXPECT_EQ(5, vectoriser.GetParams().CornerSurround);

  // The list: every value, a change, a refused change, the stored list.
  driver.Then([&](CDialog* d) {
    EXPECT_EQ(" 0.50  =AlignThreshold", Row(d, 0));
    EXPECT_EQ("    5  =CornerSurround", Row(d, 2));
    EXPECT_EQ(" 1.50  =ErrorThreshold", Row(d, 4));
    d->SendDlgItemMessage(CCurveFitParamsDlg::kList, LB_SETCURSEL, 19);
    d->SendMessage(WM_COMMAND, MAKEWPARAM(CCurveFitParamsDlg::kList, LBN_SELCHANGE),
                   LPARAM(d->GetDlgItem(CCurveFitParamsDlg::kList)->m_hWnd));
    EXPECT_EQ("4", DialogText(d, CCurveFitParamsDlg::kValue));
    d->SetDlgItemText(CCurveFitParamsDlg::kValue, "2.5");
    d->SendMessage(WM_COMMAND, CCurveFitParamsDlg::kChange);
    EXPECT_EQ(" 2.50  =TangentSurround", Row(d, 19));
    d->SetDlgItemText(CCurveFitParamsDlg::kValue, "-1");
    d->SendMessage(WM_COMMAND, CCurveFitParamsDlg::kChange);
    EXPECT_EQ(" 2.50  =TangentSurround", Row(d, 19));
    d->PostMessage(WM_COMMAND, IDOK);
  });
  Menu(ID_IMAGE_CURVE_FIT);
  EXPECT_FLOAT_EQ(2.5f, Value("TangentSurround"));
  EXPECT_FLOAT_EQ(0.33f, Value("FilterPercent"));

  // "还原" stores the same defaults at once, shown and not.
  driver.Then([&](CDialog* d) {
    d->SendMessage(WM_COMMAND, CVectorizeImageSetDlg::kRestore);
    EXPECT_EQ("3", DialogText(d, CVectorizeImageSetDlg::kCornerSurround));
    d->PostMessage(WM_COMMAND, IDCANCEL);
  });
  Menu(ID_IMAGE_VECTOR_SETTINGS);
  EXPECT_EQ(0, driver.Stuck());
  EXPECT_EQ(4.0f, Value("TangentSurround"));
  EXPECT_FLOAT_EQ(0.5f, Value("ErrorThreshold"));
  EXPECT_EQ(1u, m_boxes.Count());
}

TEST_F(TraceCommands, TheScreenTraceTracesWhatWasOnTheScreenBeforeItsWindow) {
  // A picture on the screen at (300, 200): its black bar at (340, 230) .. (420, 290).
  PictureWindow picture({300, 200, 500, 350}, {40, 30, 120, 90});
  ModalDialogDriver driver;
  driver.Then([&](CDialog* d) {
    EXPECT_FALSE(m_main->IsWindowVisible());
    auto* trace = static_cast<CScreenTraceDlg*>(d);
    EXPECT_EQ(0u, trace->Snapshot().Pixel(350, 240));
    auto mouse = [&](UINT message, UINT flags, POINT screen) {
      ScreenToClient(d->m_hWnd, &screen);
      d->SendMessage(message, flags, MAKELPARAM(screen.x, screen.y));
    };
    // A band 4 pixels wide has an inside of 2: refused, the dialog stays for another band.
    mouse(WM_LBUTTONDOWN, MK_LBUTTON, {310, 210});
    mouse(WM_MOUSEMOVE, MK_LBUTTON, {314, 260});
    mouse(WM_LBUTTONUP, 0, {314, 260});
    EXPECT_TRUE(IsWindow(d->m_hWnd));
    EXPECT_EQ(0, Blocks());
    // Its inside from (311, 211): the bar lies from (29, 19) to (109, 79).
    mouse(WM_LBUTTONDOWN, MK_LBUTTON, {310, 210});
    mouse(WM_MOUSEMOVE, MK_LBUTTON, {400, 280});
    mouse(WM_LBUTTONUP, 0, {470, 330});
  });
  Menu(ID_IMAGE_SCREEN_TRACE);
  EXPECT_EQ(0, driver.Stuck());
  EXPECT_TRUE(m_main->IsWindowVisible());
  ASSERT_EQ(1, Blocks());
  ASSERT_EQ(kCurveBlock, Block(0)->m_type);
  EXPECT_NEAR(29.0f, Block(0)->m_box.left, 1e-3);
  EXPECT_NEAR(19.0f, Block(0)->m_box.top, 1e-3);
  EXPECT_NEAR(109.0f, Block(0)->m_box.right, 1e-3);
  EXPECT_NEAR(79.0f, Block(0)->m_box.bottom, 1e-3);
  EXPECT_EQ(1, Steps());
  Menu(kUndo);
  EXPECT_EQ(0, Blocks());
  EXPECT_EQ(0u, m_boxes.Count());
}

}  // namespace
