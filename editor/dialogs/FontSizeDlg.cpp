#include "editor/dialogs/FontSizeDlg.h"

#include <commctrl.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <memory>

#include "editor/ProgramObjects.h"
#include "editor/TALVEX42View.h"
#include "editor/dialogs/FontLibraryList.h"
#include "framework/DC.h"
#include "framework/MessageBox.h"
#include "framework/PaintDC.h"
#include "resources/Resource.h"
#include "text/TextBlock.h"
#include "text/layout/BoxArray.h"
#include "text/layout/SampleText.h"

IMPLEMENT_DYNAMIC(CFontSizeDlg, CDialog)

// clang-format off
BEGIN_MESSAGE_MAP(CFontSizeDlg, CDialog)
  ON_EN_CHANGE(IDC_FONT_SIZE_X, OnSizeChanged)
  ON_EN_CHANGE(IDC_FONT_SIZE_Y, OnSizeChanged)
  ON_EN_CHANGE(IDC_FONT_ANGLE, OnAngleChanged)
  ON_EN_CHANGE(IDC_FONT_SKEW_X, OnSkewChanged)
  ON_EN_CHANGE(IDC_FONT_SKEW_Y, OnSkewChanged)
  ON_LBN_SELCHANGE(IDC_FONT_LIBRARY, OnLibraryChosen)
  ON_LBN_SELCHANGE(IDC_FONT_LIST, OnFontChosen)
  ON_NOTIFY(UDN_DELTAPOS, IDC_FONT_SIZE_X_SPIN, OnSizeXSpin)
  ON_NOTIFY(UDN_DELTAPOS, IDC_FONT_SIZE_Y_SPIN, OnSizeYSpin)
  ON_WM_HSCROLL()
  ON_WM_PAINT()
END_MESSAGE_MAP()
// clang-format on

namespace {

const char kErrorCaption[] = "错误";
const char kSizeNotPositive[] = "  字号<=0  ";
const char kSkewTooLarge[] = " -60 < 倾斜向度 < 60";
const char kNoLibrary[] = " 请选择一种字体类型 ";
const char kNoFont[] = " 请选择一种字体 ";
const char kSystemParam[] = "SystemParam";
const int kBarLine = 1;
const int kBarPage = 20;
const int kLongestSelectedText = 40;
const float kPreviewSize = 60.0f;
const float kPreviewLeft = 5.0f;
const float kPreviewBaseline = 65.0f;

void ShowError(HWND owner, LPCSTR text) {
  // The text dialogs' messages stand five blanks in from both sides.
  CString padded = CString("     ") + text + "     ";
  AfxShowMessageBox(owner, padded, kErrorCaption, MB_OK | MB_ICONEXCLAMATION);
}

}  // namespace

CFontSizeDlg::CFontSizeDlg(CTALVEX42View* view, CWnd* parent)
    : CDialog(kTemplateId, parent), m_view(view), m_values(CTextDefaults::Global()) {}

LPCSTR CFontSizeDlg::CheckValues(const CTextDefaults& values, bool libraryChosen, bool fontChosen) {
  if (!(values.fontSizeX > 0) || !(values.fontSizeY > 0)) return kSizeNotPositive;
  if (std::fabs(values.fontSkewX) > kLargestSkew || std::fabs(values.fontSkewY) > kLargestSkew)
    return kSkewTooLarge;
  if (!libraryChosen) return kNoLibrary;
  if (!fontChosen) return kNoFont;
  return nullptr;
}

bool CFontSizeDlg::SuitsCharset(LPCSTR text, int charset) {
  const BYTE* bytes = reinterpret_cast<const BYTE*>(text ? text : "");
  BYTE first = bytes[0], second = first ? bytes[1] : 0;
  switch (charset) {
    case 0:
      return first >= 33 && first <= 160;
    case 129:
      return first >= 160 && first <= 200 && second >= 160;
    case 133:
      return first >= 161 && first <= 175 && second > 160;
    case 134:
      return first >= 176 && second >= 161;
    case 186:
    case 204:
      return first != 0;
    default:
      return false;
  }
}

CString CFontSizeDlg::SelectedText(CTALVEX42View* view) {
  auto* text = view ? dynamic_cast<CTextBlock*>(view->GetEditBlock()) : nullptr;
  std::unique_ptr<CBoxArray> selected(text ? text->CopySelectedBoxes() : nullptr);
  CString characters;
  if (selected) selected->AppendText(characters);
  if (characters.GetLength() <= kLongestSelectedText) return characters;
  // Cut before a double-byte character that would not fit whole.
  const BYTE* bytes = reinterpret_cast<const BYTE*>(static_cast<LPCSTR>(characters));
  int length = 0;
  while (length < kLongestSelectedText) {
    int step = bytes[length] >= 0x81 ? 2 : 1;
    if (length + step > kLongestSelectedText) break;
    length += step;
  }
  return characters.Left(length);
}

BOOL CFontSizeDlg::OnInitDialog() {
  CDialog::OnInitDialog();
  m_selectedText = SelectedText(m_view);
  m_filling = true;
  ShowNumber(IDC_FONT_SIZE_X, m_values.fontSizeX);
  ShowNumber(IDC_FONT_SIZE_Y, m_values.fontSizeY);
  ShowNumber(IDC_FONT_BOX_GAPS, m_values.boxGaps);
  ShowNumber(IDC_FONT_LINE_GAPS, m_values.lineGaps);
  ShowNumber(IDC_FONT_ANGLE, m_values.fontAngle);
  ShowNumber(IDC_FONT_SKEW_X, m_values.fontSkewX);
  ShowNumber(IDC_FONT_SKEW_Y, m_values.fontSkewY);
  HWND bar = ::GetDlgItem(m_hWnd, IDC_FONT_SIZE_BAR);
  ::SetScrollRange(bar, SB_CTL, 0, kLargestBarSize, FALSE);
  ::SetScrollPos(bar, SB_CTL, static_cast<int>(std::max(m_values.fontSizeX, m_values.fontSizeY)),
                 TRUE);
  HWND codes = ::GetDlgItem(m_hWnd, IDC_FONT_CODES);
  CFontLibraryList(g_language).FillFontListBox(::GetDlgItem(m_hWnd, IDC_FONT_LIBRARY), codes);
  int row = CFontLibraryList::FindCode(codes, static_cast<WORD>(m_values.fontCode & 0x0FFF));
  ::SendDlgItemMessageA(m_hWnd, IDC_FONT_LIBRARY, LB_SETCURSEL, row, 0);
  FillFonts();
  m_filling = false;
  m_changed = 0;
  HWND first = ::GetDlgItem(m_hWnd, IDC_FONT_SIZE_X);
  ::SetFocus(first);
  ::SendMessageA(first, EM_SETSEL, 0, -1);
  return FALSE;
}

void CFontSizeDlg::FillFonts() {
  HWND list = ::GetDlgItem(m_hWnd, IDC_FONT_LIST);
  ::SendMessageA(list, LB_RESETCONTENT, 0, 0);
  int row = static_cast<int>(::SendDlgItemMessageA(m_hWnd, IDC_FONT_LIBRARY, LB_GETCURSEL, 0, 0));
  if (row < 0) return;
  WORD code = CFontLibraryList::CodeAt(::GetDlgItem(m_hWnd, IDC_FONT_CODES), row);
  CFontLibraryList(g_language).FillFontNames(list, code, true);
  int language = g_language.FindIndex(code & 0xFF);
  ::SendMessageA(list, LB_SETCURSEL, m_values.DefaultFontNumber(language), 0);
}

void CFontSizeDlg::OnLibraryChosen() {
  FillFonts();
  DrawPreview();
}

void CFontSizeDlg::OnFontChosen() {
  if (!m_filling) m_changed |= kChangedFont;
  DrawPreview();
}

void CFontSizeDlg::OnPaint() {
  { CPaintDC dc(this); }
  DrawPreview();
}

void CFontSizeDlg::DrawPreview() {
  HWND frame = ::GetDlgItem(m_hWnd, IDC_FONT_PREVIEW);
  if (!frame) return;
  RECT area;
  ::GetClientRect(frame, &area);
  // The frame's own device context keeps the sample inside the frame.
  HDC dc = ::GetDC(frame);
  ::FillRect(dc, &area, static_cast<HBRUSH>(::GetStockObject(WHITE_BRUSH)));
  ::FrameRect(dc, &area, static_cast<HBRUSH>(::GetStockObject(BLACK_BRUSH)));
  int library = static_cast<int>(
      ::SendDlgItemMessageA(m_hWnd, IDC_FONT_LIBRARY, LB_GETCURSEL, 0, 0));
  int font = static_cast<int>(::SendDlgItemMessageA(m_hWnd, IDC_FONT_LIST, LB_GETCURSEL, 0, 0));
  if (library >= 0) {
    WORD code = CFontLibraryList::CodeAt(::GetDlgItem(m_hWnd, IDC_FONT_CODES), library);
    int charset = code & 0xFF;
    CTextDefaults values = m_values;
    values.fontSizeX = values.fontSizeY = kPreviewSize;
    int row = g_language.FindIndex(charset);
    if (row >= 0 && row < CTextDefaults::kRowCount && font >= 0) {
      values.defaultSource[row] = static_cast<BYTE>((code >> 8) & 0x0F);
      values.defaultFontNumber[row] = static_cast<WORD>(font);
    }
    LPCSTR text = SuitsCharset(m_selectedText, charset) ? static_cast<LPCSTR>(m_selectedText)
                                                        : CSampleText::FixedSample(charset);
    CSampleText sample;
    sample.SetCodes(CSampleText::CodesOf(text, charset), charset, values);
    sample.Place(area.left + kPreviewLeft, area.top + kPreviewBaseline);
    CDC wrapper;
    wrapper.Attach(dc);
    sample.Draw(&wrapper);
    wrapper.Detach();
  }
  ::ReleaseDC(frame, dc);
}

float CFontSizeDlg::ReadNumber(int control) const {
  return static_cast<float>(GetDlgItemNumber(control));
}

void CFontSizeDlg::ShowNumber(int control, float value) { SetDlgItemNumber(control, value); }

void CFontSizeDlg::StepSize(int control, NMHDR* header, LRESULT* result) {
  auto* change = reinterpret_cast<NMUPDOWN*>(header);
  // The arrow pointing up proposes a negative change: it makes the size larger.
  float value = ReadNumber(control) + (change->iDelta <= 0 ? 1.0f : -1.0f);
  if (value >= 0) ShowNumber(control, value);
  *result = 1;
}

void CFontSizeDlg::OnSizeXSpin(NMHDR* header, LRESULT* result) {
  StepSize(IDC_FONT_SIZE_X, header, result);
}

void CFontSizeDlg::OnSizeYSpin(NMHDR* header, LRESULT* result) {
  StepSize(IDC_FONT_SIZE_Y, header, result);
}

void CFontSizeDlg::OnHScroll(UINT code, UINT position, CScrollBar*) {
  HWND bar = ::GetDlgItem(m_hWnd, IDC_FONT_SIZE_BAR);
  int size = ::GetScrollPos(bar, SB_CTL);
  switch (code) {
    case SB_LINELEFT:
      size -= kBarLine;
      break;
    case SB_LINERIGHT:
      size += kBarLine;
      break;
    case SB_PAGELEFT:
      size -= kBarPage;
      break;
    case SB_PAGERIGHT:
      size += kBarPage;
      break;
    case SB_THUMBTRACK:
    case SB_THUMBPOSITION:
      size = static_cast<int>(position);
      break;
    default:
      return;
  }
  size = std::max(0, std::min(size, kLargestBarSize));
  ::SetScrollPos(bar, SB_CTL, size, TRUE);
  ShowNumber(IDC_FONT_SIZE_X, static_cast<float>(size));
  ShowNumber(IDC_FONT_SIZE_Y, static_cast<float>(size));
  m_changed |= kChangedSize;
}

void CFontSizeDlg::OnOK() {
  m_values.fontSizeX = ReadNumber(IDC_FONT_SIZE_X);
  m_values.fontSizeY = ReadNumber(IDC_FONT_SIZE_Y);
  m_values.boxGaps = ReadNumber(IDC_FONT_BOX_GAPS);
  m_values.lineGaps = ReadNumber(IDC_FONT_LINE_GAPS);
  m_values.fontAngle = ReadNumber(IDC_FONT_ANGLE);
  m_values.fontSkewX = ReadNumber(IDC_FONT_SKEW_X);
  m_values.fontSkewY = ReadNumber(IDC_FONT_SKEW_Y);
  int library = static_cast<int>(
      ::SendDlgItemMessageA(m_hWnd, IDC_FONT_LIBRARY, LB_GETCURSEL, 0, 0));
  int font = static_cast<int>(::SendDlgItemMessageA(m_hWnd, IDC_FONT_LIST, LB_GETCURSEL, 0, 0));
  if (LPCSTR problem = CheckValues(m_values, library >= 0, font >= 0)) {
    ShowError(m_hWnd, problem);
    return;
  }
  WORD code = CFontLibraryList::CodeAt(::GetDlgItem(m_hWnd, IDC_FONT_CODES), library);
  m_values.fontCode = code;
  int row = g_language.FindIndex(code & 0xFF);
  if (row >= 0 && row < CTextDefaults::kRowCount) {
    m_values.defaultSource[row] = static_cast<BYTE>((code >> 8) & 0x0F);
    m_values.defaultFontNumber[row] = static_cast<WORD>(font);
  }
  // The selected characters under edit, else every selected text, in one undo step.
  const bool applied = m_view && m_changed &&
                       m_view->GetTextCommands().ApplyFontToSelection(m_values, m_changed);
  if (!applied) {
    StoreDefaults(row);
    CTextDefaults::Global().Copy(m_values);
  }
  CDialog::OnOK();
}

void CFontSizeDlg::StoreDefaults(int row) const {
  g_appProfile.WriteFloat(kSystemParam, "FontAngle", m_values.fontAngle);
  g_appProfile.WriteFloat(kSystemParam, "FontSkewX", m_values.fontSkewX);
  g_appProfile.WriteFloat(kSystemParam, "FontSkewY", m_values.fontSkewY);
  g_appProfile.WriteFloat(kSystemParam, "LineGaps", m_values.lineGaps);
  g_appProfile.WriteFloat(kSystemParam, "BoxGaps", m_values.boxGaps);
  if (m_values.fontSizeX > 1)
    g_appProfile.WriteFloat(kSystemParam, "FontSizeX", m_values.fontSizeX);
  if (m_values.fontSizeY > 1)
    g_appProfile.WriteFloat(kSystemParam, "FontSizeY", m_values.fontSizeY);
  if (row < 0) return;
  char section[16];
  snprintf(section, sizeof section, "Language%d", row);
  g_settings.WriteInt(section, "DefaultType", m_values.defaultSource[row]);
  g_settings.WriteInt(section, "DefaultID", m_values.defaultFontNumber[row]);
}
