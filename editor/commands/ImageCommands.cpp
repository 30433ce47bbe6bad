#include "editor/commands/ImageCommands.h"

#include <memory>

#include "editor/ProgramObjects.h"
#include "editor/TALVEX42View.h"
#include "editor/dialogs/CurveFitParamsDlg.h"
#include "editor/dialogs/ImageBarsDlg.h"
#include "editor/dialogs/MergeFilePrompt.h"
#include "editor/dialogs/OutlineImageDlg.h"
#include "editor/dialogs/ScreenTraceDlg.h"
#include "editor/dialogs/VectorizeImageSetDlg.h"
#include "editor/views/DocumentChange.h"
#include "framework/MessageBox.h"
#include "media/images/BmpImage.h"
#include "media/images/TiffImage.h"
#include "model/blocks/ImageBlock.h"
#include "model/blocks/RasterImageInfo.h"
#include "model/document/FileKinds.h"
#include "model/document/TALVEX42Doc.h"
#include "model/settings/SettingNames.h"
#include "model/undo/UndoInsertRecord.h"
#include "resources/Resource.h"

// clang-format off
BEGIN_MESSAGE_MAP(CImageCommands, CCmdTarget)
  ON_COMMAND(ID_FILE_READ_IMAGE, OnReadImage)
  ON_COMMAND(ID_IMAGE_BARS, OnImageBars)
  ON_COMMAND(ID_IMAGE_VECTORISE, OnVectorise)
  ON_COMMAND(ID_IMAGE_TRACE, OnTraceOutline)
  ON_COMMAND(ID_IMAGE_VECTOR_SETTINGS, OnVectorSettings)
  ON_COMMAND(ID_IMAGE_CURVE_FIT, OnCurveFitParams)
  ON_COMMAND(ID_IMAGE_SCREEN_TRACE, OnScreenTrace)
END_MESSAGE_MAP()
// clang-format on

const char CImageCommands::kImageFilter[] =
    "Windows Bitmap (*.BMP)|*.BMP|TIFF Files (*.Tif)|*.Tif|";

namespace {

// The reader's own check, with its messages; false for a file of another kind.
bool CheckImageFile(LPCSTR path, HWND window) {
  switch (GetFileKindByExtension(path)) {
    case kFileKindTiff:
      return CTiffImage(path).Check(window) != 0;
    case kFileKindBitmap:
      return CBmpImage(path).Check(window) != 0;
    default:
      return false;
  }
}

// From the page origin, the longer side so many page units, the other in the image's proportion.
CFRect DefaultBox(const RasterImageInfo& info, double longerSide) {
  double width = longerSide, height = longerSide;
  if (info.width > 0 && info.height > 0) {
    if (info.width >= info.height)
      height = longerSide * info.height / info.width;
    else
      width = longerSide * info.width / info.height;
  }
  return CFRect(0.0f, 0.0f, static_cast<float>(width), static_cast<float>(height));
}

// How long the windows that the hidden main window uncovers get to draw themselves.
const DWORD kScreenSettleMilliseconds = 200;

}  // namespace

CImageCommands::CImageCommands(CTALVEX42View* view) : CViewCommandBase(view) {}

// Only commands go through here: the view's table answers the menu's questions.
BOOL CImageCommands::OnCmdMsg(UINT id, int code, void* extra, AFX_CMDHANDLERINFO* info) {
  if (code != CN_COMMAND || info || !Document()) return FALSE;
  return CCmdTarget::OnCmdMsg(id, code, extra, info);
}

CImageBlock* CImageCommands::ReadImageFile(LPCSTR path) {
  CTALVEX42Doc* document = Document();
  HWND window = m_view->GetSafeHwnd();
  if (!document || !path || !CheckImageFile(path, window)) return nullptr;
  if (CImageBlock::StorableName(path).IsEmpty()) {
    CString format, text;
    format.LoadString(IDS_IMAGE_PATH_TOO_LONG);
    text.Format(format, path);
    AfxShowMessageBox(window, text, nullptr, MB_OK | MB_ICONWARNING);
    return nullptr;
  }
  std::unique_ptr<CImageBlock> image(new CImageBlock(path));
  RasterImageInfo info;
  image->ReadImage(&info);
  image->m_box = DefaultBox(info, kNewImagePixels * m_view->GetScale());
  CDocumentChange change(Undo(), document);
  CImageBlock* added = image.release();
  document->AddBlock(added);
  Record(new CUndoInsertRecord(added));
  added->Invalidate(m_view, FALSE);
  return added;
}

void CImageCommands::OnReadImage() {
  using namespace settings;
  CString folder = g_appProfile.GetString(kSystemParam, kImagePath, kImagePathDefault);
  CString title;
  title.LoadString(IDS_READ_IMAGE_TITLE);
  CString path;
  if (PromptOpenFile(path, title, kImageFilter, folder, m_view) < 0) return;
  g_appProfile.WriteString(kSystemParam, kImagePath, FolderOfPath(path));
  ReadImageFile(path);
}

void CImageCommands::OnImageBars() {
  CImageBarsDlg dialog(m_view, g_appProfile);
  dialog.DoModal();
}

void CImageCommands::OnVectorise() {
  COutlineImageDlg dialog(m_view, g_appProfile, true);
  dialog.DoModal();
}

void CImageCommands::OnTraceOutline() {
  COutlineImageDlg dialog(m_view, g_appProfile, false);
  dialog.DoModal();
}

void CImageCommands::OnVectorSettings() {
  CVectorizeImageSetDlg dialog(m_view, g_appProfile);
  dialog.DoModal();
}

void CImageCommands::OnCurveFitParams() {
  CCurveFitParamsDlg dialog(m_view, g_appProfile);
  dialog.DoModal();
}

void CImageCommands::OnScreenTrace() {
  CWnd* main = AfxGetMainWnd();
  if (main) {
    main->ShowWindow(SW_HIDE);
    // What lay under the main window draws itself before the screen is taken.
    ::RedrawWindow(nullptr, nullptr, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    ::Sleep(kScreenSettleMilliseconds);
  }
  {
    CScreenTraceDlg dialog(m_view, g_appProfile);
    dialog.DoModal();
  }
  if (main) main->ShowWindow(SW_SHOW);
}
