// Artistic transformations in the program's main frame under Xvfb, with the transform library the
// build puts into the program folder, through the user's paths: the chooser (command 60000,
// dialog 261) applies each of the four transformations to a clicked rectangle, the handle is
// dragged with the mouse in the node tool, undone and dragged again; the document is saved,
// opened again in a window of its own and cut from the cut-output window to a plot file that
// holds the bent outlines. The library's effects in the menu apply at once, the cancel gives the
// source back with the transformation's matrix, and undo takes each back. The chooser keeps its
// pictures matched to their effects and lists nothing without the library. Pictures of the view
// and the chooser are saved in screenshots\.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "EditorWindowTest.h"
#include "editor/cut/CutFrame.h"
#include "editor/dialogs/ArtTransformDlg.h"
#include "framework/GlobalLock.h"
#include "model/blocks/CurveBlock.h"
#include "model/blocks/ModelServices.h"
#include "model/blocks/TransformBlock.h"
#include "model/geometry/Contour.h"
#include "model/settings/ProgramPaths.h"
#include "resources/Resource.h"
#include "support/ClientPicture.h"
#include "support/MemoryCanvas.h"
#include "support/MessageBoxCapture.h"
#include "support/MessagePump.h"
#include "support/ModalDialogDriver.h"
#include "support/MouseDrag.h"
#include "support/TempFolder.h"

namespace {

const UINT kUndoCommand = 57643;
// The rectangles the transformations bend: 40 wide, 20 high.
const float kWidth = 40, kHeight = 20;
// How far each handle is dragged, in millimetres: up, or right for the perspective.
const float kDrag = 4;

struct Segment {
  FPOINT from, to;
};

double DistanceToSegment(const FPOINT& p, const Segment& s) {
  double dx = s.to.x - s.from.x, dy = s.to.y - s.from.y;
  double length = dx * dx + dy * dy;
  double t = length > 0 ? ((p.x - s.from.x) * dx + (p.y - s.from.y) * dy) / length : 0;
  t = std::max(0.0, std::min(1.0, t));
  return std::hypot(p.x - (s.from.x + t * dx), p.y - (s.from.y + t * dy));
}

double DistanceToOutline(const FPOINT& p, const std::vector<Segment>& outline) {
  double best = 1e30;
  for (const Segment& s : outline) best = std::min(best, DistanceToSegment(p, s));
  return best;
}

void Widen(CFRect* box, const Segment& s) {
  for (const FPOINT& p : {s.from, s.to}) {
    box->left = std::min(box->left, p.x);
    box->top = std::min(box->top, p.y);
    box->right = std::max(box->right, p.x);
    box->bottom = std::max(box->bottom, p.y);
  }
}

// The block's outline on the page as straight pieces (the library's results hold no Beziers).
std::vector<Segment> OutlineOf(CBlock* block) {
  std::vector<Segment> outline;
  std::unique_ptr<CContour> contour(block->GetContour(nullptr, 0));
  if (!contour) return outline;
  contour->ApplyMatrix();
  const POINTREC* previous = nullptr;
  std::vector<POINTREC> points = contour->GetPoints();
  for (const POINTREC& p : points) {
    if (IsSpecialPoint(p.flags)) {
      previous = nullptr;
      continue;
    }
    if (previous && !(p.flags & kPointStart))
      outline.push_back({{previous->x, previous->y}, {p.x, p.y}});
    previous = &p;
  }
  return outline;
}

// The handle of each transformation on a rectangle at its starting amount (the library's
// documented mappings: arch 0.3, bulge 0.5, perspective 0.5, wave 0.25).
FPOINT StartHandle(int kind, const CFRect& box) {
  float w = box.right - box.left, h = box.bottom - box.top;
  switch (kind) {
    case 1:
      return {box.left + w / 2, box.top - 0.3f * h};
    case 2:
      return {box.left + w / 2, box.top - 0.5f * h / 2};
    case 3:
      return {box.left + 0.5f * w / 2, box.top};
    default:
      return {box.left + w / 8, box.top - 0.25f * h / 2};
  }
}

// Pen-down pieces of an HP-GL file in plotter units. A blank ends a command as a ';' does.
std::vector<Segment> PlotPieces(std::string plot) {
  std::replace_if(
      plot.begin(), plot.end(), [](char c) { return c == ' ' || c == '\r' || c == '\n'; }, ';');
  std::vector<Segment> pieces;
  FPOINT at = {0, 0};
  std::stringstream commands(plot);
  std::string command;
  while (std::getline(commands, command, ';')) {
    if (command.size() < 2) continue;
    std::string name = command.substr(0, 2);
    if (name != "PU" && name != "PD") continue;
    std::vector<float> values;
    std::stringstream numbers(command.substr(2));
    std::string number;
    while (std::getline(numbers, number, ','))
      values.push_back(std::strtof(number.c_str(), nullptr));
    for (size_t i = 0; i + 1 < values.size(); i += 2) {
      FPOINT next = {values[i], values[i + 1]};
      if (name == "PD") pieces.push_back({at, next});
      at = next;
    }
  }
  return pieces;
}

class ArtTransformWindow : public EditorWindowTest {
protected:
  void SetUp() override {
    char folder[MAX_PATH];
    ASSERT_EQ(1, GetProgramDir(folder, sizeof folder));
    m_program = std::string(folder) + "program\\";
    g_transformDll.Unload();
    ASSERT_NE(nullptr, g_transformDll.Bind((m_program + "TalvexTransform.dll").c_str()));
    ASSERT_NO_FATAL_FAILURE(OpenEditorWindow(900, 640));
    // Close enough that a pixel is a quarter of a millimetre.
    m_view->ZoomToRect(CFRect(0, 30, 200, 130));
    PumpMessages();
  }
  void TearDown() override {
    CloseEditorWindow();
    // The blocks are gone with their documents: no handle outlives the library.
    g_transformDll.Unload();
  }

  CCurveBlock* AddRectangle(float left, float top) {
    auto* curve = new CCurveBlock;
    curve->AddRectangle(left, top, left + kWidth, top + kHeight);
    curve->EndCurve();
    m_document->AddBlock(curve);
    m_view->Invalidate(FALSE);
    PumpMessages();
    return curve;
  }
  POINT Pixel(float x, float y) {
    FPOINT page = {x, y};
    POINT pixel;
    m_view->GetDisplayMatrix()->TransformPointToInt(&page, &pixel);
    return pixel;
  }
  // Where a pixel lies on the page.
  FPOINT PageAt(POINT pixel) {
    FPOINT page;
    m_view->DeviceToPage(pixel.x, pixel.y, &page.x, &page.y);
    return page;
  }
  void Send(UINT message, UINT flags, POINT at) {
    m_view->SendMessage(message, flags, MAKELPARAM(at.x, at.y));
  }
  void ClickAt(float x, float y) {
    Send(WM_LBUTTONDOWN, MK_LBUTTON, Pixel(x, y));
    Send(WM_LBUTTONUP, 0, Pixel(x, y));
    PumpMessages();
  }
  void Command(UINT id) {
    m_main->SendMessage(WM_COMMAND, id);
    PumpMessages();
  }
  void Picture(const char* name) {
    m_view->UpdateWindow();
    PumpMessages();
    CreateDirectoryA("screenshots", nullptr);
    SaveClientPicture(m_view->m_hWnd, (std::string("screenshots\\") + name).c_str());
  }
  INT_PTR Steps() { return m_view->GetUndoManager()->GetStepCount(); }
  CTransformBlock* TransformAt(INT_PTR index) {
    CBlock* block = m_document->GetBlockList().GetBlock(index);
    return block && block->m_type == kTransformBlock ? static_cast<CTransformBlock*>(block)
                                                     : nullptr;
  }
  // The chooser through its menu command, choosing by the name list, then OK.
  void ChooseInDialog(int kind) {
    ModalDialogDriver driver;
    driver.Then([kind](CDialog* dialog) {
      HWND names = ::GetDlgItem(dialog->m_hWnd, IDC_ART_TRANSFORM_NAMES);
      ::SendMessageA(names, CB_SETCURSEL, kind - 1, 0);
      dialog->SendMessage(WM_COMMAND, MAKEWPARAM(IDC_ART_TRANSFORM_NAMES, CBN_SELCHANGE),
                          reinterpret_cast<LPARAM>(names));
      EXPECT_EQ(kind - 1, ::SendDlgItemMessageA(dialog->m_hWnd, IDC_ART_TRANSFORM_PREVIEWS,
                                                LB_GETCURSEL, 0, 0));
      if (kind == 4) {
        dialog->UpdateWindow();
        CreateDirectoryA("screenshots", nullptr);
        SaveClientPicture(dialog->m_hWnd, "screenshots\\art_transform_chooser.bmp");
      }
      dialog->PostMessage(WM_COMMAND, IDOK);
    });
    Command(ID_ART_TRANSFORM);
    EXPECT_EQ(1, driver.Shown());
    EXPECT_EQ(0, driver.Stuck());
  }

  std::string m_program;
  TempFolder m_folder;
};

}  // namespace

TEST_F(ArtTransformWindow, EachTransformationIsChosenDraggedUndoneSavedReopenedAndCut) {
  MessageBoxCapture boxes;
  std::vector<FPOINT> released;
  for (int kind = 1; kind <= 4; ++kind) {
    SCOPED_TRACE(kind);
    Command(ID_TOOL_SELECT);
    const float left = 15 + 45.0f * (kind - 1), top = 60 + 7.0f * kind;
    CCurveBlock* rectangle = AddRectangle(left, top);
    const INT_PTR index = m_document->GetBlockList().GetSize() - 1;
    const CFRect box = rectangle->m_box;
    ClickAt(left, top + kHeight / 2);
    ASSERT_EQ(1, rectangle->m_selected);

    ChooseInDialog(kind);
    CTransformBlock* block = TransformAt(index);
    ASSERT_NE(nullptr, block);
    EXPECT_EQ(rectangle, block->GetSource());
    EXPECT_EQ(kNodeTool, m_view->GetCurrentTool());
    EXPECT_EQ(block, m_view->GetEditBlock());
    const FPOINT handle = StartHandle(kind, box);
    EXPECT_LT(DistanceToOutline(handle, OutlineOf(block)), 0.05);

    // The handle dragged: it lands where it was let go (the perspective's along the top, the
    // others up the middle), and the bent outline runs through it.
    const POINT from = Pixel(handle.x, handle.y);
    const POINT toPixel = kind == 3 ? Pixel(handle.x + kDrag, handle.y)
                                    : Pixel(handle.x, handle.y - kDrag);
    const FPOINT to = PageAt(toPixel);
    const FPOINT landed = kind == 3 ? FPOINT{to.x, box.top} : FPOINT{handle.x, to.y};
    DragMouse(*m_view, from, toPixel);
    EXPECT_LT(DistanceToOutline(landed, OutlineOf(block)), 0.05);
    EXPECT_GT(DistanceToOutline(handle, OutlineOf(block)), 1.0);
    EXPECT_TRUE(m_document->IsModified());

    Command(kUndoCommand);
    EXPECT_LT(DistanceToOutline(handle, OutlineOf(block)), 0.05);
    DragMouse(*m_view, from, toPixel);
    EXPECT_LT(DistanceToOutline(landed, OutlineOf(block)), 0.05);
    released.push_back(landed);
  }
  Picture("art_transforms.bmp");

  std::string path = m_folder.File("bent.t42");
  ASSERT_TRUE(m_document->OnSaveDocument(path.c_str()));
  // Opened again in a window of its own: the same bent outlines.
  ASSERT_NO_FATAL_FAILURE(OpenView(theApp.OpenDocumentFile(path.c_str())));
  ASSERT_EQ(4, m_document->GetBlockList().GetSize());
  for (INT_PTR i = 0; i < 4; ++i) {
    ASSERT_NE(nullptr, TransformAt(i));
    EXPECT_LT(DistanceToOutline(released[i], OutlineOf(TransformAt(i))), 0.05) << i;
  }

  // Cut to a file from the cut-output window with the plain HP-GL model. The window binds the
  // library beside the program, as the editor does.
  char folder[MAX_PATH];
  ASSERT_EQ(1, GetProgramDir(folder, sizeof folder));
  const std::string beside = std::string(folder) + "TalvexTransform.dll";
  ASSERT_TRUE(CopyFileA((m_program + "TalvexTransform.dll").c_str(), beside.c_str(), FALSE));
  CString keptProfile = g_cutterDevice.ProfileFile().GetPath();
  CString keptPorts = g_cutterDevice.m_port.GetSettingsFile().GetPath();
  std::string ini = m_folder.File("Cutters.INI");
  ASSERT_TRUE(CopyFileA((m_program + "Cutters.INI").c_str(), ini.c_str(), FALSE));
  const char* values[][2] = {
      {"Device", "HP-GL 刻字机"}, {"SavePaper", "0"}, {"Mirror", "0"}, {"ZoomCut", "1"},
      {"PortName", "FILE:"},      {"AutoFeed", "0"},  {"Sort", "0"}};
  for (auto& value : values) WritePrivateProfileStringA("CutInfo", value[0], value[1], ini.c_str());
  g_cutterDevice.ProfileFile().SetPath(ini.c_str());
  g_cutterDevice.m_port.GetSettingsFile().SetPath(m_folder.File("UPort.Ini").c_str());
  m_view->SendMessage(WM_COMMAND, ID_FILE_CUT_OUTPUT);
  PumpMessages();
  HWND cutWindow = FindWindowA(nullptr, "刻绘输出");
  ASSERT_NE(nullptr, cutWindow);
  auto* cut = dynamic_cast<CCutFrame*>(CWnd::FromHandle(cutWindow));
  ASSERT_NE(nullptr, cut);
  std::string plotPath = m_folder.File("bent.plt");
  SetDlgItemTextA(cut->GetDeviceBar().m_hWnd, IDC_CUT_PORT, plotPath.c_str());
  EXPECT_TRUE(cut->GetDeviceBar().Output());
  SendMessageA(cut->GetDeviceBar().m_hWnd, WM_COMMAND, MAKEWPARAM(IDC_CUT_EXIT, BN_CLICKED),
               reinterpret_cast<LPARAM>(GetDlgItem(cut->GetDeviceBar().m_hWnd, IDC_CUT_EXIT)));
  PumpMessages();
  g_cutterDevice.ProfileFile().SetPath(keptProfile);
  g_cutterDevice.m_port.GetSettingsFile().SetPath(keptPorts);
  DeleteFileA(beside.c_str());

  // The plot file spans the bent outlines, 40 steps to the millimetre (the feed axis, the page's
  // vertical, first): the arch's top and the bulge's and the wave's bottom are the bent ones.
  std::ifstream file(plotPath, std::ios::binary);
  std::stringstream plot;
  plot << file.rdbuf();
  std::vector<Segment> pieces = PlotPieces(plot.str());
  ASSERT_GT(pieces.size(), 100u) << plot.str();
  CFRect page(1e9f, 1e9f, -1e9f, -1e9f), steps = page;
  for (INT_PTR i = 0; i < 4; ++i)
    for (const Segment& s : OutlineOf(TransformAt(i))) Widen(&page, s);
  for (const Segment& s : pieces) Widen(&steps, s);
  EXPECT_NEAR((page.bottom - page.top) * 40, steps.right - steps.left, 2);
  EXPECT_NEAR((page.right - page.left) * 40, steps.bottom - steps.top, 2);
  // For the HP-GL reader of the plot test: the file and the range of its coordinates.
  if (const char* copy = std::getenv("TALVEX_ART_PLT")) {
    CopyFileA(plotPath.c_str(), copy, FALSE);
    std::ofstream range(std::string(copy) + ".range");
    range << "(" << steps.left << ", " << steps.top << ") ... (" << steps.right << ", "
          << steps.bottom << ")";
  }
  // The only box is the one saying where the cut went.
  ASSERT_EQ(1u, boxes.Count());
  EXPECT_NE(std::string::npos, boxes.Last().text.find("bent.plt"));
}

TEST_F(ArtTransformWindow, AnEffectFromTheMenuAndItsCancelAreEachOneStepThatUndoTakesBack) {
  CCurveBlock* first = AddRectangle(30, 40);
  CCurveBlock* second = AddRectangle(100, 40);
  CCurveBlock* third = AddRectangle(160, 40);
  // Nothing selected: the effect's entry is disabled and does nothing.
  Command(ID_ART_TRANSFORM + 2);
  EXPECT_EQ(nullptr, TransformAt(1));
  ClickAt(100, 50);
  ASSERT_EQ(1, second->m_selected);
  const INT_PTR before = Steps();
  Command(ID_ART_TRANSFORM + 2);
  CTransformBlock* block = TransformAt(1);
  ASSERT_NE(nullptr, block);
  EXPECT_EQ(second, block->GetSource());
  // In the rectangle's place: as high in the drawing as it was.
  EXPECT_EQ(first, m_document->GetBlockList().GetBlock(0));
  EXPECT_EQ(third, m_document->GetBlockList().GetBlock(2));
  EXPECT_EQ(before + 1, Steps());
  EXPECT_EQ(block, m_view->GetEditBlock());
  Command(ID_TOOL_SELECT);
  const float middle = (block->m_box.top + block->m_box.bottom) / 2;
  ClickAt(block->m_box.left + 1, middle);
  ASSERT_EQ(1, block->m_selected);

  // Dragged to the right with the selection tool, then cancelled: the rectangle comes back where
  // the transformation had been moved to.
  DragMouse(*m_view, Pixel(block->m_box.left + 1, middle), Pixel(block->m_box.left + 11, middle));
  const float moved = block->m_matrix.m[6];
  EXPECT_NEAR(10, moved, 1);
  INT_PTR steps = Steps();
  Command(ID_ART_TRANSFORM_CANCEL);
  ASSERT_EQ(second, m_document->GetBlockList().GetBlock(1));
  EXPECT_EQ(3, m_document->GetBlockList().GetSize());
  EXPECT_FLOAT_EQ(100 + moved, second->m_box.left);
  EXPECT_EQ(1, second->m_selected);
  EXPECT_EQ(steps + 1, Steps());
  Picture("art_transform_cancelled.bmp");

  Command(kUndoCommand);
  ASSERT_EQ(block, TransformAt(1));
  EXPECT_EQ(second, block->GetSource());
  EXPECT_EQ(100, second->m_box.left);
  EXPECT_EQ(1, block->m_selected);
  while (Steps() > before) Command(kUndoCommand);
  ASSERT_EQ(second, m_document->GetBlockList().GetBlock(1));
  EXPECT_EQ(kCurveBlock, second->m_type);
  EXPECT_EQ(100, second->m_box.left);
  EXPECT_EQ(1, second->m_selected);
}

TEST_F(ArtTransformWindow, TheChooserKeepsEachPictureWithItsEffectAndListsNothingWithoutALibrary) {
  // A library whose second effect has no picture.
  class Library : public CTransformService {
  public:
    bool IsAvailable() const override { return true; }
    int GetTransformCount() const override { return 3; }
    bool GetTransformInfo(int index, bool, CString& name, HBITMAP* preview) const override {
      name.Format("Effect %d", index);
      *preview = index == 2 ? nullptr : Filled(index == 1 ? 0x008000 : 0x0000FF);
      return true;
    }
    HGLOBAL DoTransform(HANDLE, const TransformParams&) const override { return nullptr; }
    // 32-bit pixels are 0x00RRGGBB.
    static HBITMAP Filled(DWORD rgb) {
      std::vector<DWORD> pixels(60 * 60, rgb);
      return CreateBitmap(60, 60, 1, 32, pixels.data());
    }
  } library;
  CModelServices installed(nullptr, &library);
  ModalDialogDriver driver;
  COLORREF third = 0, second = 0;
  int images = 0, names = 0;
  driver.Then([&](CDialog* dialog) {
    auto* chooser = dynamic_cast<CArtTransformDlg*>(dialog);
    ASSERT_NE(nullptr, chooser);
    names = static_cast<int>(
        ::SendDlgItemMessageA(dialog->m_hWnd, IDC_ART_TRANSFORM_NAMES, CB_GETCOUNT, 0, 0));
    HIMAGELIST list = chooser->GetPreviews().GetSafeHandle();
    images = ImageList_GetImageCount(list);
    MemoryCanvas canvas(60, 60);
    ImageList_Draw(list, 2, canvas.DC().GetSafeHdc(), 0, 0, ILD_NORMAL);
    third = canvas.DC().GetPixel(30, 30);
    ImageList_Draw(list, 1, canvas.DC().GetSafeHdc(), 0, 0, ILD_NORMAL);
    second = canvas.DC().GetPixel(30, 30);
    // The previews choose the name too.
    HWND previews = ::GetDlgItem(dialog->m_hWnd, IDC_ART_TRANSFORM_PREVIEWS);
    ::SendMessageA(previews, LB_SETCURSEL, 2, 0);
    dialog->SendMessage(WM_COMMAND, MAKEWPARAM(IDC_ART_TRANSFORM_PREVIEWS, LBN_SELCHANGE),
                        reinterpret_cast<LPARAM>(previews));
    EXPECT_EQ(2,
              ::SendDlgItemMessageA(dialog->m_hWnd, IDC_ART_TRANSFORM_NAMES, CB_GETCURSEL, 0, 0));
    // Nothing selected: OK leaves the dialog open.
    dialog->SendMessage(WM_COMMAND, IDOK);
    EXPECT_TRUE(dialog->ContinueModal());
    dialog->PostMessage(WM_COMMAND, IDCANCEL);
  });
  Command(ID_ART_TRANSFORM);
  EXPECT_EQ(3, names);
  EXPECT_EQ(3, images);
  EXPECT_EQ(RGB(0, 0, 255), third);
  EXPECT_EQ(RGB(255, 255, 255), second);

  // Without the library the lists stay empty and OK does nothing.
  g_transformDll.Unload();
  CModelServices none(nullptr, &g_transformDll);
  AddRectangle(30, 40);
  ClickAt(30, 50);
  driver.Then([&](CDialog* dialog) {
    names = static_cast<int>(
        ::SendDlgItemMessageA(dialog->m_hWnd, IDC_ART_TRANSFORM_NAMES, CB_GETCOUNT, 0, 0));
    dialog->SendMessage(WM_COMMAND, IDOK);
    EXPECT_TRUE(dialog->ContinueModal());
    dialog->PostMessage(WM_COMMAND, IDCANCEL);
  });
  Command(ID_ART_TRANSFORM);
  EXPECT_EQ(0, names);
  EXPECT_EQ(kCurveBlock, m_document->GetBlockList().GetBlock(0)->m_type);
  EXPECT_EQ(0, driver.Stuck());
}
