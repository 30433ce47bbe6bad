#include "framework/ToolBar.h"

#include <algorithm>

#include "framework/ByteReader.h"
#include "framework/FrameWnd.h"
#include "framework/ResourceModule.h"
#include "framework/ToolCmdUI.h"

IMPLEMENT_DYNAMIC(CToolBar, CControlBar)

namespace {

const int kSeparatorWidth = 8;
const COLORREF kImageBackground = RGB(192, 192, 192);  // transparent in button images

bool IsSeparator(const TBBUTTON& button) { return (button.fsStyle & TBSTYLE_SEP) != 0; }
bool IsHidden(const TBBUTTON& button) { return (button.fsState & TBSTATE_HIDDEN) != 0; }
bool IsWrapped(const TBBUTTON& button) { return (button.fsState & TBSTATE_WRAP) != 0; }

void SetWrapped(TBBUTTON& button, bool wrapped) {
  if (wrapped) button.fsState |= TBSTATE_WRAP;
  else button.fsState &= static_cast<BYTE>(~TBSTATE_WRAP);
}

// The resource holds version 1, the image width and height, the button count and the ids as
// 16-bit values; windres writes the same fields, without the version, as 32-bit values. Either
// form must hold exactly the buttons it counts.
bool ReadToolBarResource(const void* data, size_t size, CSize& image, std::vector<UINT>& ids) {
  CByteReader reader(data, size);
  WORD version = 0, width = 0, height = 0, count = 0;
  if (reader.ReadWord(version) && version == 1 && reader.ReadWord(width) && reader.ReadWord(height) &&
      reader.ReadWord(count) && width > 0 && height > 0 && reader.Remaining() == count * 2u) {
    image = CSize(width, height);
    ids.resize(count);
    for (UINT& id : ids) {
      WORD value = 0;
      reader.ReadWord(value);
      id = value;
    }
    return true;
  }
  reader.Seek(0);
  DWORD wideWidth = 0, wideHeight = 0, wideCount = 0;
  if (!reader.ReadDWord(wideWidth) || !reader.ReadDWord(wideHeight) || !reader.ReadDWord(wideCount)) return false;
  if (wideWidth == 0 || wideWidth > 0xFFFF || wideHeight == 0 || wideHeight > 0xFFFF ||
      reader.Remaining() / 4 != wideCount || reader.Remaining() % 4 != 0)
    return false;
  image = CSize(static_cast<int>(wideWidth), static_cast<int>(wideHeight));
  ids.resize(wideCount);
  for (UINT& id : ids) {
    DWORD value = 0;
    reader.ReadDWord(value);
    if (value > 0xFFFF) return false;
    id = value;
  }
  return true;
}

}  // namespace

CToolBar::CToolBar() = default;

CToolBar::~CToolBar() {
  if (m_hWnd && FromHandlePermanent(m_hWnd) == this) DestroyWindow();
  if (m_imageList) ImageList_Destroy(m_imageList);
}

BOOL CToolBar::Create(CWnd* parent, DWORD style, UINT id) {
  return CreateEx(parent, 0, style, CRect(m_cxLeftBorder, m_cyTopBorder, m_cxRightBorder, m_cyBottomBorder), id);
}

BOOL CToolBar::CreateEx(CWnd* parent, DWORD ctrlStyle, DWORD style, CRect borders, UINT id) {
  INITCOMMONCONTROLSEX controls = {sizeof controls, ICC_BAR_CLASSES};
  ::InitCommonControlsEx(&controls);
  SetBorders(borders);
  m_dwStyle = style & CBRS_ALL;
  if (id == AFX_IDW_TOOLBAR) m_dwStyle |= CBRS_HIDE_INPLACE;
  // The frame places the bar; the control must not move or size itself.
  DWORD windowStyle = (style & ~CBRS_ALL) | ctrlStyle | CCS_NOPARENTALIGN | CCS_NOMOVEY | CCS_NODIVIDER |
                      CCS_NORESIZE | WS_CHILD;
  if (!CWnd::CreateEx(0, TOOLBARCLASSNAMEA, nullptr, windowStyle, CRect(0, 0, 100, 30), parent, id)) return FALSE;
  SendMessage(TB_BUTTONSTRUCTSIZE, sizeof(TBBUTTON));
  SetSizes(m_sizeButton, m_sizeImage);
  return TRUE;
}

// Buttons and images

void CToolBar::SetSizes(SIZE button, SIZE image) {
  m_sizeButton = button;
  m_sizeImage = image;
  if (!m_hWnd) return;
  SendMessage(TB_SETBITMAPSIZE, 0, MAKELONG(image.cx, image.cy));
  SendMessage(TB_SETBUTTONSIZE, 0, MAKELONG(button.cx, button.cy));
}

BOOL CToolBar::SetBitmap(HBITMAP bitmap) {
  if (!bitmap || !m_hWnd || m_sizeImage.cx <= 0 || m_sizeImage.cy <= 0) return FALSE;
  BITMAP info = {};
  if (!::GetObjectA(bitmap, sizeof info, &info)) return FALSE;
  int count = std::max(1L, info.bmWidth / m_sizeImage.cx);
  HIMAGELIST images = ImageList_Create(m_sizeImage.cx, m_sizeImage.cy, ILC_COLOR24 | ILC_MASK, count, 1);
  if (!images) return FALSE;
  if (ImageList_AddMasked(images, bitmap, kImageBackground) < 0) {
    ImageList_Destroy(images);
    return FALSE;
  }
  SendMessage(TB_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(images));
  SendMessage(TB_SETBUTTONSIZE, 0, MAKELONG(m_sizeButton.cx, m_sizeButton.cy));
  if (m_imageList) ImageList_Destroy(m_imageList);
  m_imageList = images;
  Invalidate();
  return TRUE;
}

BOOL CToolBar::LoadBitmap(LPCSTR resourceName) {
  HBITMAP bitmap = static_cast<HBITMAP>(
      ::LoadImageA(AfxGetResourceHandle(), resourceName, IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
  if (!bitmap) return FALSE;
  BOOL done = SetBitmap(bitmap);
  ::DeleteObject(bitmap);
  return done;
}

BOOL CToolBar::LoadBitmap(UINT resourceId) { return LoadBitmap(MAKEINTRESOURCEA(resourceId)); }

BOOL CToolBar::SetButtons(const UINT* ids, int count) {
  if (!m_hWnd || count < 0) return FALSE;
  while (SendMessage(TB_BUTTONCOUNT) > 0)
    if (!SendMessage(TB_DELETEBUTTON, 0)) return FALSE;
  std::vector<TBBUTTON> buttons(static_cast<size_t>(count));
  int image = 0;
  for (size_t i = 0; i < buttons.size(); ++i) {
    TBBUTTON& button = buttons[i];
    button = TBBUTTON();
    UINT id = ids ? ids[i] : 0;
    if (ids && id == ID_SEPARATOR) {
      button.fsStyle = TBSTYLE_SEP;
      button.iBitmap = kSeparatorWidth;
    } else {
      button.fsStyle = TBSTYLE_BUTTON;
      button.fsState = TBSTATE_ENABLED;
      button.idCommand = static_cast<int>(id);
      button.iBitmap = image++;
    }
    button.iString = -1;
  }
  if (count > 0 && !SendMessage(TB_ADDBUTTONSA, static_cast<WPARAM>(count), reinterpret_cast<LPARAM>(buttons.data())))
    return FALSE;
  return TRUE;
}

BOOL CToolBar::LoadToolBar(LPCSTR resourceName) {
  HINSTANCE module = AfxGetResourceHandle();
  HRSRC found = ::FindResourceA(module, resourceName, RT_TOOLBAR);
  if (!found) return FALSE;
  HGLOBAL loaded = ::LoadResource(module, found);
  const void* data = loaded ? ::LockResource(loaded) : nullptr;
  if (!data) return FALSE;
  CSize image;
  std::vector<UINT> ids;
  if (!ReadToolBarResource(data, ::SizeofResource(module, found), image, ids)) return FALSE;
  SetSizes(CSize(image.cx + 7, image.cy + 7), image);
  if (!SetButtons(ids.data(), static_cast<int>(ids.size()))) return FALSE;
  return LoadBitmap(resourceName);
}

BOOL CToolBar::LoadToolBar(UINT resourceId) { return LoadToolBar(MAKEINTRESOURCEA(resourceId)); }

int CToolBar::GetCount() const { return m_hWnd ? static_cast<int>(SendMessage(TB_BUTTONCOUNT)) : 0; }

bool CToolBar::GetButton(int index, TBBUTTON* button) const {
  *button = TBBUTTON();
  if (index < 0 || index >= GetCount()) return false;
  return SendMessage(TB_GETBUTTON, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(button)) != 0;
}

std::vector<TBBUTTON> CToolBar::GetButtons() const {
  std::vector<TBBUTTON> buttons(static_cast<size_t>(GetCount()));
  for (size_t i = 0; i < buttons.size(); ++i) GetButton(static_cast<int>(i), &buttons[i]);
  return buttons;
}

void CToolBar::SetButton(int index, const TBBUTTON& button) {
  TBBUTTON current;
  if (!GetButton(index, &current)) return;
  if (current.fsStyle == button.fsStyle && current.idCommand == button.idCommand &&
      current.iBitmap == button.iBitmap) {
    if (current.fsState != button.fsState) SetStateByIndex(index, button.fsState);
    return;
  }
  // Style, id or image changed: the control takes them reliably only from a new button.
  TBBUTTON replacement = button;
  replacement.iString = -1;
  SendMessage(TB_DELETEBUTTON, static_cast<WPARAM>(index));
  SendMessage(TB_INSERTBUTTONA, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&replacement));
}

int CToolBar::CommandToIndex(UINT id) const {
  if (!m_hWnd) return -1;
  return static_cast<int>(SendMessage(TB_COMMANDTOINDEX, id));
}

UINT CToolBar::GetItemID(int index) const {
  TBBUTTON button;
  if (!GetButton(index, &button) || IsSeparator(button)) return ID_SEPARATOR;
  return static_cast<UINT>(button.idCommand);
}

void CToolBar::GetItemRect(int index, LPRECT rect) const {
  ::SetRectEmpty(rect);
  if (index >= 0 && index < GetCount()) SendMessage(TB_GETITEMRECT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(rect));
}

UINT CToolBar::GetButtonStyle(int index) const {
  TBBUTTON button;
  if (!GetButton(index, &button)) return 0;
  return MAKELONG(button.fsStyle, button.fsState ^ TBSTATE_ENABLED);
}

void CToolBar::SetButtonStyle(int index, UINT style) {
  TBBUTTON button;
  if (!GetButton(index, &button)) return;
  button.fsStyle = static_cast<BYTE>(LOWORD(style));
  button.fsState = static_cast<BYTE>(HIWORD(style) ^ TBSTATE_ENABLED);
  bool wrapChanged = (GetButtonStyle(index) ^ style) & TBBS_WRAPPED;
  SetButton(index, button);
  if (wrapChanged) RelayoutButtons();
}

void CToolBar::GetButtonInfo(int index, UINT& id, UINT& style, int& image) const {
  TBBUTTON button;
  GetButton(index, &button);
  id = static_cast<UINT>(button.idCommand);
  style = MAKELONG(button.fsStyle, button.fsState ^ TBSTATE_ENABLED);
  image = button.iBitmap;
}

void CToolBar::SetButtonInfo(int index, UINT id, UINT style, int image) {
  TBBUTTON button;
  if (!GetButton(index, &button)) return;
  button.idCommand = static_cast<int>(id);
  button.iBitmap = image;
  button.fsStyle = static_cast<BYTE>(LOWORD(style));
  button.fsState = static_cast<BYTE>(HIWORD(style) ^ TBSTATE_ENABLED);
  SetButton(index, button);
  Invalidate();
}

// Layout

CSize CToolBar::GetButtonSize() const {
  if (!m_hWnd) return m_sizeButton;
  return CSize(static_cast<DWORD>(SendMessage(TB_GETBUTTONSIZE)));
}

int CToolBar::ItemWidth(const TBBUTTON& button) const {
  if (IsSeparator(button)) return button.iBitmap > 0 ? button.iBitmap : kSeparatorWidth;
  return GetButtonSize().cx;
}

void CToolBar::WrapToWidth(std::vector<TBBUTTON>& buttons, int width) const {
  for (TBBUTTON& button : buttons) SetWrapped(button, false);
  int x = 0;
  int lastSeparator = -1;  // of the current row
  int previous = -1;       // last visible item of the current row
  for (size_t i = 0; i < buttons.size(); ++i) {
    TBBUTTON& button = buttons[i];
    if (IsHidden(button)) continue;
    int itemWidth = ItemWidth(button);
    if (x > 0 && x + itemWidth > width) {
      if (lastSeparator >= 0) {
        // Break at the row's last separator; what followed it starts the new row.
        SetWrapped(buttons[static_cast<size_t>(lastSeparator)], true);
        x = 0;
        for (size_t j = static_cast<size_t>(lastSeparator) + 1; j < i; ++j)
          if (!IsHidden(buttons[j])) x += ItemWidth(buttons[j]);
      } else {
        SetWrapped(buttons[static_cast<size_t>(previous)], true);
        x = 0;
      }
      lastSeparator = -1;
    }
    if (IsSeparator(button)) lastSeparator = static_cast<int>(i);
    x += itemWidth;
    previous = static_cast<int>(i);
  }
}

CSize CToolBar::ButtonsExtent(const std::vector<TBBUTTON>& buttons) const {
  int height = GetButtonSize().cy;
  int x = 0, y = 0, widest = 0;
  bool rowOpen = false;
  for (const TBBUTTON& button : buttons) {
    if (IsHidden(button)) continue;
    bool wrapped = IsWrapped(button);
    // A separator that ends a row is drawn as a gap between the rows.
    if (!(wrapped && IsSeparator(button))) {
      x += ItemWidth(button);
      rowOpen = true;
    }
    widest = std::max(widest, x);
    if (wrapped) {
      y += height;
      if (IsSeparator(button)) y += ItemWidth(button) * 2 / 3;
      x = 0;
      rowOpen = false;
    }
  }
  if (rowOpen) y += height;
  return CSize(widest, y);
}

void CToolBar::ApplyWraps(const std::vector<TBBUTTON>& buttons) {
  bool changed = false;
  for (size_t i = 0; i < buttons.size(); ++i) {
    TBBUTTON current;
    if (!GetButton(static_cast<int>(i), &current) || IsWrapped(current) == IsWrapped(buttons[i])) continue;
    SetWrapped(current, IsWrapped(buttons[i]));
    SetStateByIndex(static_cast<int>(i), current.fsState);
    changed = true;
  }
  if (changed) RelayoutButtons();
}

void CToolBar::SetStateByIndex(int index, BYTE state) {
  // By position: separators share the command id 0.
  TBBUTTONINFOA info = {};
  info.cbSize = sizeof info;
  info.dwMask = TBIF_STATE | TBIF_BYINDEX;
  info.fsState = state;
  SendMessage(TB_SETBUTTONINFOA, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&info));
}

void CToolBar::RelayoutButtons() {
  // The control places its buttons again when their size is set.
  CSize size = GetButtonSize();
  SendMessage(TB_SETBUTTONSIZE, 0, MAKELONG(size.cx, size.cy));
  Invalidate();
}

CSize CToolBar::CalcLayout(DWORD mode, int length) {
  std::vector<TBBUTTON> buttons = GetButtons();
  if (!(m_dwStyle & CBRS_SIZE_FIXED)) {
    CSize frame = CControlBar::CalcFixedLayout(FALSE, TRUE);
    if (mode & LM_HORZDOCK) {
      WrapToWidth(buttons, 32767);
    } else if (mode & LM_VERTDOCK) {
      WrapToWidth(buttons, 0);
    } else if (mode & LM_MRUWIDTH) {
      WrapToWidth(buttons, m_nMRUWidth - frame.cx);
    } else if (length >= 0 && !(mode & LM_LENGTHY)) {
      WrapToWidth(buttons, length - frame.cx);
      if (mode & LM_COMMIT) m_nMRUWidth = length;
    }
    ApplyWraps(buttons);
  }
  bool horz = (mode & (LM_HORZ | LM_HORZDOCK)) != 0 && !(mode & LM_VERTDOCK);
  CSize size = ButtonsExtent(buttons) + CControlBar::CalcFixedLayout(FALSE, horz);
  if (mode & LM_STRETCH) {
    if (horz) size.cx = 32767;
    else size.cy = 32767;
  }
  return size;
}

CSize CToolBar::CalcFixedLayout(BOOL stretch, BOOL horz) {
  return CalcLayout((stretch ? LM_STRETCH : 0) | (horz ? LM_HORZ | LM_HORZDOCK : LM_VERTDOCK));
}

CSize CToolBar::CalcDynamicLayout(int length, DWORD mode) {
  if (length == -1 && !(mode & (LM_MRUWIDTH | LM_COMMIT)) && (mode & (LM_HORZDOCK | LM_VERTDOCK)))
    return CalcFixedLayout((mode & LM_STRETCH) != 0, (mode & LM_HORZDOCK) != 0);
  return CalcLayout(mode, length);
}

// Idle update, tips and fly-by texts

void CToolBar::OnUpdateCmdUI(CFrameWnd* target, BOOL disableIfNoHandler) {
  CToolCmdUI state;
  state.m_pOther = this;
  state.m_nIndexMax = static_cast<UINT>(GetCount());
  for (state.m_nIndex = 0; state.m_nIndex < state.m_nIndexMax; ++state.m_nIndex) {
    TBBUTTON button;
    if (!GetButton(static_cast<int>(state.m_nIndex), &button) || IsSeparator(button)) continue;
    state.m_nID = static_cast<UINT>(button.idCommand);
    state.DoUpdate(target, disableIfNoHandler);
  }
  // Controls placed on the bar (over separators) update like dialog controls.
  UpdateDialogControls(target, disableIfNoHandler);
}

INT_PTR CToolBar::OnToolHitTest(CPoint point, TOOLINFOA* info) const {
  if (!m_hWnd) return -1;
  POINT client = point;
  int index = static_cast<int>(SendMessage(TB_HITTEST, 0, reinterpret_cast<LPARAM>(&client)));
  TBBUTTON button;
  if (index < 0 || !GetButton(index, &button) || IsSeparator(button) || IsHidden(button)) return -1;
  if (info) {
    info->hwnd = m_hWnd;
    info->uId = static_cast<UINT_PTR>(button.idCommand);
    GetItemRect(index, &info->rect);
    info->lpszText = LPSTR_TEXTCALLBACKA;
  }
  return button.idCommand;
}
