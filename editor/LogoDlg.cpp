#include "editor/LogoDlg.h"

#include "framework/PaintDC.h"
#include "framework/ResourceModule.h"
#include "media/images/BmpImage.h"
#include "model/settings/ProgramPaths.h"
#include "resources/Resource.h"

BEGIN_MESSAGE_MAP(CLogoDlg, CDialog)
  ON_WM_PAINT()
END_MESSAGE_MAP()

namespace {

const char kLogoFile[] = "logo.bmp";

// The program folder's picture for the screen; null without the file. A file the BMP reader
// cannot take is reported in a box of no owner (nothing else is on the screen yet).
HBITMAP ReadLogoFile() {
  char folder[MAX_PATH] = {};
  if (!GetProgramDir(folder, sizeof folder)) return nullptr;
  const CString path = CString(folder) + kLogoFile;
  if (::GetFileAttributesA(path) == INVALID_FILE_ATTRIBUTES) return nullptr;
  return CBmpImage(path).CreateBitmap(nullptr, ::GetDesktopWindow());
}

}  // namespace

CLogoDlg::CLogoDlg() : CDialog(IDD), m_bitmap(ReadLogoFile()) {}

CLogoDlg::~CLogoDlg() {
  if (m_hWnd) DestroyWindow();
  if (m_bitmap) ::DeleteObject(m_bitmap);
}

BOOL CLogoDlg::CreateAndShow() {
  if (!Create(IDD)) return FALSE;
  SetWindowPos(&wndTop, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_SHOWWINDOW);
  UpdateWindow();
  return TRUE;
}

void CLogoDlg::OnPaint() {
  CPaintDC dc(this);
  // The built-in picture always comes from the program, whatever the resource language.
  HBITMAP bitmap = m_bitmap ? m_bitmap
                            : ::LoadBitmapA(AfxGetInstanceHandle(), MAKEINTRESOURCEA(IDB_LOGO));
  if (!bitmap) return;
  BITMAP info = {};
  ::GetObjectA(bitmap, sizeof info, &info);
  RECT client;
  ::GetClientRect(m_hWnd, &client);
  HDC memory = ::CreateCompatibleDC(dc.GetSafeHdc());
  HGDIOBJ old = ::SelectObject(memory, bitmap);
  ::SetStretchBltMode(dc.GetSafeHdc(), COLORONCOLOR);
  ::StretchBlt(dc.GetSafeHdc(), 0, 0, client.right, client.bottom, memory, 0, 0, info.bmWidth,
               info.bmHeight, SRCCOPY);
  ::SelectObject(memory, old);
  ::DeleteDC(memory);
  if (bitmap != m_bitmap) ::DeleteObject(bitmap);
}
