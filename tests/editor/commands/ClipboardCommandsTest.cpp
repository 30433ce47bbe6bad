// The main view's clipboard and merge commands in two document windows under Xvfb: blocks copied
// or cut in one view paste into the other, each command one undo step that undo takes back
// exactly; merging reads both drawing kinds through the file dialog, remembers the folder and the
// filter, hands the text to the text editor and reports a damaged file without merging anything;
// PostScript, plot and CAD files go through the import filter, whose file kinds the dialog
// offers and whose account of a read the user is told, that a file cut short ended early too. Also
// the file-kind table the merge dialog goes by.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "editor/DrawingWindow.h"
#include "editor/ProgramObjects.h"
#include "editor/TALVEX42Frame.h"
#include "editor/TALVEX42View.h"
#include "editor/dialogs/MergeFilePrompt.h"
#include "editor/dialogs/TextEditorDlg.h"
#include "framework/CmdUI.h"
#include "framework/DialogTemplate.h"
#include "framework/FileDialog.h"
#include "framework/MDIFrameWnd.h"
#include "framework/MultiDocTemplate.h"
#include "framework/WinApp.h"
#include "model/CurveTestSupport.h"
#include "model/document/DocFileWriter.h"
#include "model/document/FileKinds.h"
#include "model/document/PageSettings.h"
#include "model/document/TALVEX42Doc.h"
#include "resources/Resource.h"
#include "support/MessageBoxCapture.h"
#include "support/MessagePump.h"
#include "support/TempFolder.h"

namespace {

const UINT kMainFrameResource = 128;
const UINT kDrawingResource = 129;
const UINT kUndo = 57643;
const UINT kCopy = 57634;
const UINT kCut = 57635;
const UINT kPaste = 57637;
const int kTextEditorEdit = 1397;

TEST(FileKinds, TheExtensionDecidesUpperCasedAndWholeAndTheOpenPromptNamesIt) {
  struct Case {
    const char* path;
    int kind;
  };
  const Case cases[] = {
      {"C:\\A\\drawing.t42", 0},
      {"drawing.T37", 1},
      {"drawing.xyz", 1},
      {"drawing.T42X", 1},
      {"readme.", 2},
      {"readme", 2},
      {"C:\\v1.0\\readme", 2},
      {"notes.Txt", 2},
      {"cut.plt", 3},
      {"art.eps", 4},
      {"art.ai", 4},
      {"job.cut", 5},
      {"plan.dxf", 6},
      {"scan.tif", 7},
      {"scan.bmp", 8},
      {"old.rq5", 9},
      {"a.t42\xB1\\x", 1},
  };
  for (const Case& c : cases) EXPECT_EQ(c.kind, GetFileKindByExtension(c.path)) << c.path;
  EXPECT_EQ(CString("C:\\A\\B"), FolderOfPath("C:\\A\\B\\x.T42"));
  EXPECT_EQ(CString("C:\\"), FolderOfPath("C:\\x.T42"));

  // The open prompt hands the chosen path back upper-cased, with its kind; cancel gives -1.
  CString chosen = "c:\\dir\\drawing.t42";
  AfxCommonDialogHandler previous = AfxSetCommonDialogHandler([&](CCommonDialog* dialog) {
    auto* files = DYNAMIC_DOWNCAST(CFileDialog, dialog);
    if (!files || chosen.IsEmpty()) return INT_PTR(IDCANCEL);
    EXPECT_STREQ("Open", files->m_ofn.lpstrTitle);
    files->SetFileName(chosen);
    return INT_PTR(IDOK);
  });
  CString path;
  EXPECT_EQ(0, PromptOpenFile(path, "Open", "All|*.*|", "C:\\"));
  EXPECT_EQ(CString("C:\\DIR\\DRAWING.T42"), path);
  chosen.Empty();
  EXPECT_EQ(-1, PromptOpenFile(path, "Open", "All|*.*|", "C:\\"));
  AfxSetCommonDialogHandler(std::move(previous));
}

// The main frame; the text editor window appears when the frame is asked to open it.
class TextEditorFrame : public CMDIFrameWnd {
public:
  BOOL OnCommand(WPARAM wParam, LPARAM lParam) override {
    if (LOWORD(wParam) == CClipboardCommands::kOpenTextEditor) {
      ++editorOpened;
      if (!editorWindow.GetSafeHwnd()) {
        CDialogTemplate form("", WS_POPUP | WS_CAPTION, 0, 0, 100, 40);
        form.AddControl(CDialogTemplate::edit, "first", WS_CHILD | WS_VISIBLE | ES_MULTILINE, 0, 0,
                        100, 40, kTextEditorEdit);
        editorWindow.CreateIndirect(form.Get(), this);
        editor = ::GetDlgItem(editorWindow.m_hWnd, kTextEditorEdit);
      }
      return TRUE;
    }
    return CMDIFrameWnd::OnCommand(wParam, lParam);
  }
  std::string EditorText() const {
    char text[256] = {};
    ::GetWindowTextA(editor, text, sizeof text);
    return text;
  }
  CTextEditorDlg editorWindow;
  HWND editor = nullptr;
  int editorOpened = 0;
};

class ItemRecorder : public CCmdUI {
public:
  void Enable(BOOL on) override { enabled = on; }
  BOOL enabled = -1;
};

struct Window {
  CTALVEX42Doc* document = nullptr;
  CTALVEX42View* view = nullptr;
};

class ClipboardCommands : public ::testing::Test {
protected:
  void SetUp() override {
    app.AddDocTemplate(new CMultiDocTemplate(kDrawingResource, RUNTIME_CLASS(CTALVEX42Doc),
                                             RUNTIME_CLASS(CTALVEX42Frame),
                                             RUNTIME_CLASS(CTALVEX42View)));
    frame = new TextEditorFrame;
    ASSERT_TRUE(frame->LoadFrame(kMainFrameResource));
    app.m_pMainWnd = frame;
    frame->MoveWindow(40, 40, 640, 520);
    frame->ShowWindow(SW_SHOW);
    app.SetRegistryKey("TalvexTestKey");
    g_appProfile.Attach();
    first = NewWindow();
    second = NewWindow();
  }
  void TearDown() override {
    app.WriteProfileString("SystemParam", nullptr, nullptr);
    g_appProfile = CAppProfile();
    CloseDrawingWindow(app);
  }
  Window NewWindow() {
    frame->SendMessage(WM_COMMAND, ID_FILE_NEW);
    PumpMessages();
    Window window;
    window.document = static_cast<CTALVEX42Doc*>(frame->GetActiveDocument());
    window.view = static_cast<CTALVEX42View*>(frame->MDIGetActive()->GetActiveView());
    return window;
  }
  static BOOL Enabled(CTALVEX42View* view, UINT id) {
    ItemRecorder item;
    item.m_nID = id;
    item.DoUpdate(view, TRUE);
    return item.enabled;
  }
  static void Select(Window& window, INT_PTR index) {
    window.document->GetBlockList().GetBlock(index)->m_selected = 1;
    window.view->GetSelectTracker().Recount();
  }
  static std::vector<POINTREC> PointsOf(CTALVEX42Doc* document, INT_PTR index) {
    auto* curve = dynamic_cast<CCurveBlock*>(document->GetBlockList().GetBlock(index));
    return curve ? curve->GetPoints() : std::vector<POINTREC>();
  }

  CDrawingTestApp app{"TalvexClipboardTest"};
  TextEditorFrame* frame = nullptr;
  Window first;
  Window second;
  TempFolder folder;
};

TEST_F(ClipboardCommands, BlocksCopiedInOneViewPasteIntoTheOtherAndUndoTakesThemBack) {
  first.document->AddBlock(MakeSquareCurve(10, 10, 20, 5));
  first.document->AddBlock(MakeSquareCurve(50, 10, 20, 6));
  first.document->SetModifiedFlag(FALSE);
  EXPECT_FALSE(Enabled(first.view, kCopy));
  EXPECT_FALSE(Enabled(first.view, kCut));
  Select(first, 1);
  EXPECT_TRUE(Enabled(first.view, kCopy));

  first.view->SendMessage(WM_COMMAND, kCopy);
  EXPECT_FALSE(first.document->IsModified());
  EXPECT_TRUE(Enabled(second.view, kPaste));
  second.view->SendMessage(WM_COMMAND, kPaste);
  second.view->SendMessage(WM_COMMAND, kPaste);
  ASSERT_EQ(2, second.document->GetBlockList().GetSize());
  EXPECT_EQ(PointsOf(first.document, 1).size(), PointsOf(second.document, 0).size());
  EXPECT_EQ(6u,
            static_cast<CCurveBlock*>(second.document->GetBlockList().GetBlock(0))->GetColour());
  EXPECT_TRUE(second.document->IsModified());

  second.view->SendMessage(WM_COMMAND, kUndo);
  EXPECT_EQ(1, second.document->GetBlockList().GetSize());
  second.view->SendMessage(WM_COMMAND, kUndo);
  EXPECT_EQ(0, second.document->GetBlockList().GetSize());
}

TEST_F(ClipboardCommands, CutRemovesTheSelectionAndUndoPutsItBackWhereItWas) {
  first.document->AddBlock(MakeSquareCurve(10, 10, 20, 5));
  first.document->AddBlock(MakeSquareCurve(50, 10, 20, 6));
  first.document->AddBlock(MakeSquareCurve(90, 10, 20, 7));
  Select(first, 1);
  first.view->SendMessage(WM_COMMAND, kCut);
  ASSERT_EQ(2, first.document->GetBlockList().GetSize());
  second.view->SendMessage(WM_COMMAND, kPaste);
  ASSERT_EQ(1, second.document->GetBlockList().GetSize());
  EXPECT_EQ(6u,
            static_cast<CCurveBlock*>(second.document->GetBlockList().GetBlock(0))->GetColour());

  first.view->SendMessage(WM_COMMAND, kUndo);
  ASSERT_EQ(3, first.document->GetBlockList().GetSize());
  EXPECT_EQ(6u, static_cast<CCurveBlock*>(first.document->GetBlockList().GetBlock(1))->GetColour());
}

TEST_F(ClipboardCommands, DamagedClipboardBlocksAreReportedAndPasteNothing) {
  MessageBoxCapture boxes;
  const BYTE damaged[] = {2, 40, 0, 0, 0, 0x23, 200, 0, 0, 0, 0xFE};
  ASSERT_TRUE(::OpenClipboard(nullptr));
  ::EmptyClipboard();
  HGLOBAL memory = ::GlobalAlloc(GMEM_MOVEABLE, sizeof damaged);
  memcpy(::GlobalLock(memory), damaged, sizeof damaged);
  ::GlobalUnlock(memory);
  ::SetClipboardData(GetBlockListClipboardFormat(), memory);
  ::CloseClipboard();
  second.document->SetModifiedFlag(FALSE);
  second.view->SendMessage(WM_COMMAND, kPaste);
  EXPECT_EQ(0, second.document->GetBlockList().GetSize());
  EXPECT_FALSE(second.document->IsModified());
  ASSERT_EQ(1u, boxes.Count());
  EXPECT_EQ("数据损坏", boxes.Last().caption);
}

// ---- Merging ----

std::vector<BYTE> NewDrawing() {
  CSegArray blocks;
  blocks.AddBlock(MakeSquareCurve(0, 0, 10, 3));
  blocks.AddBlock(MakeSquareCurve(20, 0, 10, 4));
  CPageSettings page;
  CDocFileWriter writer;
  writer.AddPageSettings(page);
  writer.AddEmptyFontMount();
  writer.AddText("merged text", 11);
  writer.AddBlockList(blocks);
  return std::vector<BYTE>(writer.Data(), writer.Data() + writer.Size());
}

// An old drawing with one curve, whole, cut short inside the curve, or cut just before its end
// byte.
enum OldCut { kWhole, kCutInCurve, kCutBeforeEnd };
std::vector<BYTE> OldDrawing(OldCut cut) {
  std::vector<BYTE> file(164, 0);
  const char magic[] = "Talvex V5.6 (For 95)";
  memcpy(file.data(), magic, strlen(magic));
  file[52] = 164;
  file.push_back(132);
  file.insert(file.end(), 52, 0);
  file.insert(file.end(), {1, 0});
  auto entry = [&file](float x, float y) {
    BYTE bytes[8];
    memcpy(bytes, &x, 4);
    memcpy(bytes + 4, &y, 4);
    file.insert(file.end(), bytes, bytes + 8);
  };
  auto command = [&file](char letter) {
    file.insert(file.end(), {static_cast<BYTE>(letter), 0, 0, 0, 0x88, 0x88, 0x88, 0x48});
  };
  entry(0, 0);
  command('m');
  entry(10, 10);
  command('l');
  if (cut != kCutInCurve) command('f');
  if (cut == kWhole) file.push_back(255);
  return file;
}

std::vector<BYTE> BytesOfText(const char* text) {
  return std::vector<BYTE>(text, text + strlen(text));
}

void WriteFile(const std::string& path, const std::vector<BYTE>& bytes) {
  FILE* file = fopen(path.c_str(), "wb");
  ASSERT_NE(nullptr, file);
  fwrite(bytes.data(), 1, bytes.size(), file);
  fclose(file);
}

// Answers the merge dialog with the path (and filter index), or cancels it when path is empty.
class MergeDialogAnswer {
public:
  explicit MergeDialogAnswer(std::string path, DWORD filterIndex = 1) {
    m_previous = AfxSetCommonDialogHandler([=](CCommonDialog* dialog) -> INT_PTR {
      auto* files = DYNAMIC_DOWNCAST(CFileDialog, dialog);
      if (!files || path.empty()) return IDCANCEL;
      initialFolder = files->m_ofn.lpstrInitialDir ? files->m_ofn.lpstrInitialDir : "";
      files->SetFileName(path.c_str());
      files->m_ofn.nFilterIndex = filterIndex;
      return IDOK;
    });
  }
  ~MergeDialogAnswer() { AfxSetCommonDialogHandler(std::move(m_previous)); }
  std::string initialFolder;

private:
  AfxCommonDialogHandler m_previous;
};

TEST_F(ClipboardCommands, MergingAppendsBothDrawingKindsInOneStepAndRemembersTheFolder) {
  std::string newPath = folder.File("new.T42");
  std::string oldPath = folder.File("old.t37");
  WriteFile(newPath, NewDrawing());
  WriteFile(oldPath, OldDrawing(kWhole));
  second.document->AddBlock(MakeSquareCurve(90, 10, 20, 7));
  {
    MergeDialogAnswer answer(newPath, 2);
    second.view->SendMessage(WM_COMMAND, ID_FILE_MERGE);
    EXPECT_EQ("C:\\TALVEX", answer.initialFolder);
  }
  ASSERT_EQ(3, second.document->GetBlockList().GetSize());
  EXPECT_EQ(4u,
            static_cast<CCurveBlock*>(second.document->GetBlockList().GetBlock(2))->GetColour());
  EXPECT_EQ(1, frame->editorOpened);
  EXPECT_EQ("first\r\nmerged text", frame->EditorText());
  std::string remembered = folder.Path().substr(0, folder.Path().size() - 1);
  EXPECT_STREQ(remembered.c_str(), app.GetProfileString("SystemParam", "FilePath"));
  EXPECT_EQ(2u, app.GetProfileInt("SystemParam", "FileFilter", 0));

  {
    MergeDialogAnswer answer(oldPath);
    second.view->SendMessage(WM_COMMAND, ID_FILE_MERGE);
    EXPECT_EQ(remembered, answer.initialFolder);
  }
  ASSERT_EQ(4, second.document->GetBlockList().GetSize());
  std::vector<POINTREC> points = PointsOf(second.document, 3);
  ASSERT_EQ(3u, points.size());
  EXPECT_EQ(10.0f, points[1].x);

  second.view->SendMessage(WM_COMMAND, kUndo);
  EXPECT_EQ(3, second.document->GetBlockList().GetSize());
  second.view->SendMessage(WM_COMMAND, kUndo);
  ASSERT_EQ(1, second.document->GetBlockList().GetSize());
  EXPECT_EQ(7u,
            static_cast<CCurveBlock*>(second.document->GetBlockList().GetBlock(0))->GetColour());
}

TEST_F(ClipboardCommands, ADamagedOrMissingFileIsReportedAndCancellingStoresNothing) {
  MessageBoxCapture boxes;
  std::string oldPath = folder.File("damaged.T37");
  WriteFile(oldPath, OldDrawing(kCutInCurve));
  std::string endlessPath = folder.File("endless.T37");
  WriteFile(endlessPath, OldDrawing(kCutBeforeEnd));
  app.WriteProfileString("SystemParam", "FilePath", "D:\\KEEP\\");
  app.WriteProfileInt("SystemParam", "FileFilter", 3);
  {
    MergeDialogAnswer cancel("");
    second.view->SendMessage(WM_COMMAND, ID_FILE_MERGE);
  }
  EXPECT_STREQ("D:\\KEEP\\", app.GetProfileString("SystemParam", "FilePath"));
  EXPECT_EQ(3u, app.GetProfileInt("SystemParam", "FileFilter", 0));
  EXPECT_EQ(0u, boxes.Count());

  second.document->SetModifiedFlag(FALSE);
  std::string plotPath = folder.File("job.plt");
  WriteFile(plotPath, {'I', 'N', ';'});
  // An old file cut at a record's end is as damaged as one cut inside a record.
  for (const std::string& path : {oldPath, endlessPath, plotPath}) {
    MergeDialogAnswer answer(path);
    second.view->SendMessage(WM_COMMAND, ID_FILE_MERGE);
  }
  EXPECT_EQ(0, second.document->GetBlockList().GetSize());
  EXPECT_FALSE(second.document->IsModified());
  ASSERT_EQ(3u, boxes.Count());
  EXPECT_EQ("文件读入失败或文件有错误!", boxes.Boxes()[0].text);
  EXPECT_EQ("文件读入失败或文件有错误!", boxes.Boxes()[1].text);
  EXPECT_EQ("找不到文件转换模块, 无法读入此类文件!", boxes.Boxes()[2].text);
}

TEST_F(ClipboardCommands, OtherProgramsFilesMergeThroughTheImportFilterWhichSaysWhatItLeftOut) {
  SetImportFilterPath("program\\TalvexFilter.dll");
  MessageBoxCapture boxes;
  const std::string eps = folder.File("art.eps");
  WriteFile(eps,
            BytesOfText("%!PS-Adobe-3.0 EPSF-3.0\n%%BoundingBox: 0 0 144 72\n"
                        "0 0 1 setrgbcolor 0 0 moveto 72 0 lineto 72 72 lineto closepath fill\n"
                        "/Times findfont setfont (a) show\n"));
  const std::string dxf = folder.File("plan.dxf");
  WriteFile(dxf, BytesOfText("0\nSECTION\n2\nENTITIES\n0\nCIRCLE\n10\n0\n20\n0\n40\n5\n"
                             "0\nENDSEC\n0\nEOF\n"));
  std::string offered;
  AfxCommonDialogHandler previous = AfxSetCommonDialogHandler([&](CCommonDialog* dialog) {
    auto* files = DYNAMIC_DOWNCAST(CFileDialog, dialog);
    for (LPCSTR part = files->m_ofn.lpstrFilter; part && *part; part += strlen(part) + 1)
      offered += std::string(part) + "|";
    files->SetFileName(offered.find("*.DXF") != std::string::npos ? eps.c_str() : "");
    return INT_PTR(IDOK);
  });
  second.view->SendMessage(WM_COMMAND, ID_FILE_MERGE);
  ASSERT_EQ(1, second.document->GetBlockList().GetSize());
  auto* triangle = static_cast<CCurveBlock*>(second.document->GetBlockList().GetBlock(0));
  EXPECT_EQ(0x0000FFu, triangle->GetColour());
  EXPECT_NEAR(25.4, triangle->m_box.Width(), 1e-3);
  // The text was left out, and the user is told so.
  ASSERT_EQ(1u, boxes.Count());
  EXPECT_EQ("图形已读入, 但略过了 0 个图像, 1 段文字(请先将文字转为曲线)和 0 个其他对象。",
            boxes.Last().text);
  AfxSetCommonDialogHandler(std::move(previous));

  {
    MergeDialogAnswer answer(dxf);
    second.view->SendMessage(WM_COMMAND, ID_FILE_MERGE);
  }
  ASSERT_EQ(2, second.document->GetBlockList().GetSize());
  EXPECT_NEAR(10, second.document->GetBlockList().GetBlock(1)->m_box.Width(), 1e-3);
  second.view->SendMessage(WM_COMMAND, kUndo);
  EXPECT_EQ(1, second.document->GetBlockList().GetSize());

  // A damaged file and a kind the filter does not read merge nothing and say why.
  const std::string damaged = folder.File("broken.eps");
  WriteFile(damaged, BytesOfText("%!PS\n0 0 moveto\n(never closed 1 1 lineto\n"));
  const std::string cut = folder.File("job.cut");
  WriteFile(cut, BytesOfText("CUT"));
  for (const std::string& path : {damaged, cut}) {
    MergeDialogAnswer answer(path);
    second.view->SendMessage(WM_COMMAND, ID_FILE_MERGE);
  }
  EXPECT_EQ(1, second.document->GetBlockList().GetSize());
  ASSERT_EQ(3u, boxes.Count());
  EXPECT_EQ("文件有错误(第3行), 未读入任何图形!", boxes.Boxes()[1].text);
  EXPECT_EQ("不能读入CUT文件!", boxes.Boxes()[2].text);
  SetImportFilterPath(nullptr);
}

TEST_F(ClipboardCommands, AnEpsCutInsideItsDrawingMergesWhatCameBeforeAndSaysItEndedEarly) {
  SetImportFilterPath("program\\TalvexFilter.dll");
  MessageBoxCapture boxes;
  const std::string eps = folder.File("part.eps");
  WriteFile(eps, BytesOfText("%!PS-Adobe-3.0 EPSF-3.0\n%%BoundingBox: 0 0 144 72\n%%EndComments\n"
                             "50 dict begin /f { fill } def\n"
                             "0 0 1 setrgbcolor 0 0 moveto 72 0 lineto 72 72 lineto closepath f\n"
                             "gsave 80 0 moveto 140 0 lineto 140"));
  {
    MergeDialogAnswer answer(eps);
    second.view->SendMessage(WM_COMMAND, ID_FILE_MERGE);
  }
  ASSERT_EQ(1, second.document->GetBlockList().GetSize());
  EXPECT_NEAR(25.4, second.document->GetBlockList().GetBlock(0)->m_box.Width(), 1e-3);
  ASSERT_EQ(1u, boxes.Count());
  EXPECT_EQ("文件在第6行提前结束(文件不完整), 只读入了此前的图形。", boxes.Last().text);
  SetImportFilterPath(nullptr);
}

}  // namespace
