#include "editor/dialogs/ScanDlg.h"

#include <algorithm>
#include <memory>

#include "editor/TALVEX42View.h"
#include "editor/dialogs/MergeFilePrompt.h"
#include "editor/views/DocumentChange.h"
#include "framework/FileDialog.h"
#include "framework/GlobalLock.h"
#include "framework/MessageBox.h"
#include "framework/WaitCursor.h"
#include "media/images/DibFileWriter.h"
#include "media/tracing/ImageTracer.h"
#include "model/blocks/Block.h"
#include "model/document/TALVEX42Doc.h"
#include "model/geometry/Matrix2D.h"
#include "model/settings/AppProfile.h"
#include "model/settings/SettingNames.h"
#include "resources/Resource.h"

IMPLEMENT_DYNAMIC(CScanDlg, CDialog)

// clang-format off
BEGIN_MESSAGE_MAP(CScanDlg, CDialog)
  ON_BN_CLICKED(CScanDlg::kSelectScanner, OnSelectScanner)
  ON_BN_CLICKED(CScanDlg::kScan, OnScan)
  ON_BN_CLICKED(CScanDlg::kSaveImage, OnSaveImage)
  ON_WM_PAINT()
END_MESSAGE_MAP()
// clang-format on

namespace {

const DWORD kInfoHeaderSize = 40;

// A packed bitmap's header fields that the dialog uses, whatever the header's kind.
struct DibFacts {
  LONG width = 0;
  LONG height = 0;  // negative for rows stored top row first
  WORD planes = 0;
  WORD bitCount = 0;
  DWORD headerSize = 0;
  DWORD compression = 0;
};

bool ReadFacts(const BYTE* dib, size_t size, DibFacts* facts) {
  CDibFileWriter::Layout layout;
  if (!CDibFileWriter::Measure(dib, size, &layout)) return false;
  facts->headerSize = layout.headerSize;
  if (layout.headerSize == CDibFileWriter::kCoreHeaderSize) {
    const auto* core = reinterpret_cast<const BITMAPCOREHEADER*>(dib);
    facts->width = core->bcWidth;
    facts->height = core->bcHeight;
    facts->planes = core->bcPlanes;
    facts->bitCount = core->bcBitCount;
    return true;
  }
  const auto* info = reinterpret_cast<const BITMAPINFOHEADER*>(dib);
  facts->width = info->biWidth;
  facts->height = info->biHeight;
  facts->planes = info->biPlanes;
  facts->bitCount = info->biBitCount;
  facts->compression = info->biCompression;
  return true;
}

}  // namespace

CScanDlg::CScanDlg(CTALVEX42View* view, const CAppProfile& profile)
    : CViewDialog(kTemplateId, view, profile) {}

CScanDlg::~CScanDlg() {
  // The connection is closed while the dialog's own operations can still hear of it.
  if (GetState() >= 3) CloseSourceManager(m_hWnd);
  UnloadSourceManager();
  FreeImage();
}

BOOL CScanDlg::OnInitDialog() {
  CViewDialog::OnInitDialog();
  const int buttons[] = {kSelectScanner, kScan, kSaveImage, IDOK};
  for (size_t i = 0; i < sizeof buttons / sizeof buttons[0]; ++i)
    m_buttons[i].TakeOver(static_cast<UINT>(buttons[i]), this);
  FreeImage();
  if (IsTwainAvailable()) {
    SetParentWnd(m_hWnd);
    if (!OpenSourceManager(m_hWnd)) OnError(kManagerNotOpened);
  }
  if (GetState() == 3) {
    EnableControl(kSelectScanner, true);
    EnableControl(kScan, true);
  }
  UpdateButtons();
  return TRUE;
}

BOOL CScanDlg::PreTranslateMessage(MSG* message) {
  if (ProcessEvent(message)) return TRUE;
  return CViewDialog::PreTranslateMessage(message);
}

void CScanDlg::OnSelectScanner() { SelectSource(m_hWnd); }

void CScanDlg::OnScan() { Acquire(m_hWnd); }

void CScanDlg::OnError(int) {
  CString text;
  text.LoadString(IDS_SCAN_TWAIN_ERROR);
  AfxShowMessageBox(m_hWnd, text, nullptr, MB_OK | MB_ICONINFORMATION);
}

void CScanDlg::OnImage(HGLOBAL image) {
  FreeImage();
  m_image = image;
  CWnd* frame = GetDlgItem(kPreview);
  if (frame) {
    RECT rect;
    frame->GetWindowRect(&rect);
    ::MapWindowPoints(nullptr, m_hWnd, reinterpret_cast<POINT*>(&rect), 2);
    ::InvalidateRect(m_hWnd, &rect, TRUE);
  }
  UpdateButtons();
}

void CScanDlg::FreeImage() {
  if (m_image) ::GlobalFree(m_image);
  m_image = nullptr;
}

bool CScanDlg::IsOneBitImage() const {
  CGlobalLock lock(m_image);
  DibFacts facts;
  return lock.Data() && ReadFacts(lock.Data(), lock.Size(), &facts) && facts.planes == 1 &&
         facts.bitCount == 1;
}

void CScanDlg::UpdateButtons() {
  if (!m_hWnd) return;
  EnableControl(kSaveImage, m_image != nullptr);
  EnableControl(IDOK, m_image != nullptr && IsOneBitImage());
}

void CScanDlg::OnPaint() {
  PAINTSTRUCT paint;
  HDC dc = ::BeginPaint(m_hWnd, &paint);
  if (m_image) DrawImage(dc);
  ::EndPaint(m_hWnd, &paint);
  UpdateButtons();
}

void CScanDlg::DrawImage(HDC dc) const {
  CWnd* frame = GetDlgItem(kPreview);
  if (!frame) return;
  CGlobalLock lock(m_image);
  CDibFileWriter::Layout layout;
  DibFacts facts;
  if (!lock.Data() || !CDibFileWriter::Measure(lock.Data(), lock.Size(), &layout) ||
      !ReadFacts(lock.Data(), lock.Size(), &facts))
    return;
  RECT rect;
  frame->GetWindowRect(&rect);
  ::MapWindowPoints(nullptr, m_hWnd, reinterpret_cast<POINT*>(&rect), 2);
  ::InflateRect(&rect, -1, -1);
  int width = facts.width;
  int height = facts.height < 0 ? -facts.height : facts.height;
  int roomX = rect.right - rect.left, roomY = rect.bottom - rect.top;
  double scale = 1.0;
  if (roomX < width || roomY < height)
    scale = std::min(static_cast<double>(roomX) / width, static_cast<double>(roomY) / height);
  int saved = ::SaveDC(dc);
  ::IntersectClipRect(dc, rect.left, rect.top, rect.right, rect.bottom);
  ::SetStretchBltMode(dc, COLORONCOLOR);
  ::StretchDIBits(dc, rect.left, rect.top, static_cast<int>(width * scale),
                  static_cast<int>(height * scale), 0, 0, width, height,
                  lock.Data() + layout.BitsOffset(),
                  reinterpret_cast<const BITMAPINFO*>(lock.Data()), DIB_RGB_COLORS, SRCCOPY);
  ::RestoreDC(dc, saved);
}

void CScanDlg::OnSaveImage() {
  if (!m_image) return;
  using namespace settings;
  CString folder = Profile().GetString(kSystemParam, kImagePath, kImagePathDefault);
  if (folder.GetLength() > 3 && folder[folder.GetLength() - 1] == '\\')
    folder = folder.Left(folder.GetLength() - 1);
  CString filter, title;
  filter.LoadString(IDS_SCAN_SAVE_FILTER);
  title.LoadString(IDS_SCAN_SAVE_TITLE);
  // The dialog's own room for the name: a long path is taken, never dropped as a cancel.
  CFileDialog dialog(FALSE, "BMP", nullptr, OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT, filter, this);
  dialog.m_ofn.lpstrTitle = title;
  dialog.m_ofn.lpstrInitialDir = folder;
  if (dialog.DoModal() != IDOK) return;
  CString path = dialog.GetPathName();
  Profile().WriteString(kSystemParam, kImagePath, FolderOfPath(path));
  CWaitCursor wait;
  if (!CDibFileWriter::WriteFile(m_image, path)) {
    CString format, text;
    format.LoadString(IDS_SCAN_SAVE_FAILED);
    text.Format(format, static_cast<LPCSTR>(path));
    AfxShowMessageBox(m_hWnd, text, nullptr, MB_OK | MB_ICONWARNING);
  }
}

CBlock* CScanDlg::VectorizeScan() {
  CImageTracer tracer;
  if (!tracer.IsBound(true)) return nullptr;
  CImageTracer::Report report;
  CBlock* traced = nullptr;
  {
    CGlobalLock lock(m_image);
    CDibFileWriter::Layout layout;
    DibFacts facts;
    if (!lock.Data() || !CDibFileWriter::Measure(lock.Data(), lock.Size(), &layout) ||
        !ReadFacts(lock.Data(), lock.Size(), &facts))
      return nullptr;
    if (facts.headerSize >= kInfoHeaderSize && facts.height > 0 && layout.uncompressed) {
      // Pixel values are compared, never colours: the header's first 40 bytes say all.
      BITMAPINFOHEADER header = *reinterpret_cast<const BITMAPINFOHEADER*>(lock.Data());
      header.biSize = kInfoHeaderSize;
      traced = tracer.TraceDib(header, lock.Data() + layout.BitsOffset(), layout.imageSize, true,
                               m_hWnd, &report);
    } else {
      // Other layouts (top-down rows, a core header) through a bitmap of the screen's format.
      HDC screen = ::GetDC(nullptr);
      HBITMAP bitmap = ::CreateDIBitmap(screen,
                                        reinterpret_cast<const BITMAPINFOHEADER*>(lock.Data()),
                                        CBM_INIT, lock.Data() + layout.BitsOffset(),
                                        reinterpret_cast<const BITMAPINFO*>(lock.Data()),
                                        DIB_RGB_COLORS);
      ::ReleaseDC(nullptr, screen);
      traced = tracer.TraceBitmap(bitmap, true, m_hWnd, &report);
      if (bitmap) ::DeleteObject(bitmap);
    }
  }
  Invalidate();
  if (report.outcome == CImageTracer::kTooManyColours) ::MessageBeep(MB_ICONEXCLAMATION);
  return traced;
}

void CScanDlg::PlaceScan(CBlock* traced) {
  CGlobalLock lock(m_image);
  DibFacts facts;
  ReadFacts(lock.Data(), lock.Size(), &facts);
  int height = facts.height < 0 ? -facts.height : facts.height;
  int longer = std::max<int>(facts.width, height);
  double scale = View()->GetScale() * kPlacedPixels / (longer > 0 ? longer : 1);
  CMatrix2D placement;
  placement.m[0] = static_cast<float>(scale);
  placement.m[4] = static_cast<float>(scale);
  traced->Transform(placement);
  // One step of its own, whether or not the view has one open.
  CDocumentChange change(*View()->GetUndoManager(), Document());
  AddToDocument(traced);
}

void CScanDlg::OnOK() {
  if (!m_image || !View()) return;
  std::unique_ptr<CBlock> traced(VectorizeScan());
  // Nothing traced (one colour, no library): the dialog stays.
  if (!traced) return;
  PlaceScan(traced.release());
  FreeImage();
  EndDialog(IDOK);
}

void CScanDlg::OnCancel() {
  FreeImage();
  CViewDialog::OnCancel();
}
