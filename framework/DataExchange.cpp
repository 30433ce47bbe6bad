#include "framework/DataExchange.h"

#include <cerrno>
#include <cfloat>
#include <climits>
#include <cstdio>
#include <cstdlib>

#include "framework/AfxRes.h"
#include "framework/FormatString.h"
#include "framework/MessageBox.h"
#include "framework/UserException.h"
#include "framework/Wnd.h"

CDataExchange::CDataExchange(CWnd* dialog, BOOL saveAndValidate)
    : m_bSaveAndValidate(saveAndValidate), m_pDlgWnd(dialog) {}

HWND CDataExchange::PrepareCtrl(int id) {
  HWND control = ::GetDlgItem(m_pDlgWnd->m_hWnd, id);
  m_hWndLastControl = control;
  m_bEditLastControl = FALSE;
  return control;
}

HWND CDataExchange::PrepareEditCtrl(int id) {
  HWND control = PrepareCtrl(id);
  m_bEditLastControl = TRUE;
  return control;
}

void CDataExchange::Fail() {
  if (m_bSaveAndValidate && m_hWndLastControl) {
    ::SetFocus(m_hWndLastControl);
    if (m_bEditLastControl) ::SendMessageA(m_hWndLastControl, EM_SETSEL, 0, -1);
  }
  AfxThrowUserException();
}

namespace {

CString ControlText(HWND control) {
  CString text;
  int length = ::GetWindowTextLengthA(control);
  if (length > 0) {
    ::GetWindowTextA(control, text.GetBufferSetLength(length), length + 1);
    text.ReleaseBuffer();
  }
  return text;
}

// Reads a whole signed or unsigned integer (blanks around it allowed); false on anything else.
bool ParseInteger(const CString& text, bool isSigned, long long minValue, long long maxValue,
                  long long* value) {
  CString trimmed = text;
  trimmed.Trim();
  if (trimmed.IsEmpty()) return false;
  if (!isSigned && trimmed[0] == '-') return false;
  char* end = nullptr;
  errno = 0;
  long long parsed = std::strtoll(trimmed, &end, 10);
  if (errno != 0 || !end || *end != '\0' || parsed < minValue || parsed > maxValue) return false;
  *value = parsed;
  return true;
}

bool ParseReal(const CString& text, double* value) {
  CString trimmed = text;
  trimmed.Trim();
  if (trimmed.IsEmpty()) return false;
  char* end = nullptr;
  errno = 0;
  double parsed = std::strtod(trimmed, &end);
  if (errno == ERANGE || !end || *end != '\0') return false;
  *value = parsed;
  return true;
}

template <class T>
void ExchangeInteger(CDataExchange* dx, int id, T& value, bool isSigned, long long minValue,
                     long long maxValue) {
  HWND control = dx->PrepareEditCtrl(id);
  if (dx->m_bSaveAndValidate) {
    long long parsed = 0;
    if (!ParseInteger(ControlText(control), isSigned, minValue, maxValue, &parsed)) {
      AfxMessageBox(isSigned ? AfxLoadString(AFX_IDP_PARSE_INT, "请输入一个整数。")
                             : AfxLoadString(AFX_IDP_PARSE_UINT, "请输入一个正整数。"),
                    MB_ICONEXCLAMATION);
      dx->Fail();
    }
    value = static_cast<T>(parsed);
  } else {
    char text[32];
    if (isSigned)
      std::snprintf(text, sizeof text, "%lld", static_cast<long long>(value));
    else
      std::snprintf(text, sizeof text, "%llu", static_cast<unsigned long long>(value));
    ::SetWindowTextA(control, text);
  }
}

void ExchangeReal(CDataExchange* dx, int id, double& value, int digits) {
  HWND control = dx->PrepareEditCtrl(id);
  if (dx->m_bSaveAndValidate) {
    if (!ParseReal(ControlText(control), &value)) {
      AfxMessageBox(AfxLoadString(AFX_IDP_PARSE_REAL, "请输入一个数字。"), MB_ICONEXCLAMATION);
      dx->Fail();
    }
  } else {
    char text[64];
    std::snprintf(text, sizeof text, "%.*g", digits, value);
    ::SetWindowTextA(control, text);
  }
}

void FailRange(CDataExchange* dx, bool integer, const CString& minText, const CString& maxText) {
  CString format = integer
                       ? AfxLoadString(AFX_IDP_PARSE_INT_RANGE, "请输入 %1 到 %2 之间的整数。")
                       : AfxLoadString(AFX_IDP_PARSE_REAL_RANGE, "请输入 %1 到 %2 之间的数字。");
  AfxMessageBox(AfxFormatString2(format, minText, maxText), MB_ICONEXCLAMATION);
  dx->Fail();
}

template <class T>
void CheckIntegerRange(CDataExchange* dx, T value, T minValue, T maxValue, bool isSigned) {
  if (!dx->m_bSaveAndValidate || (value >= minValue && value <= maxValue)) return;
  CString minText, maxText;
  if (isSigned) {
    minText.Format("%lld", static_cast<long long>(minValue));
    maxText.Format("%lld", static_cast<long long>(maxValue));
  } else {
    minText.Format("%llu", static_cast<unsigned long long>(minValue));
    maxText.Format("%llu", static_cast<unsigned long long>(maxValue));
  }
  FailRange(dx, true, minText, maxText);
}

void CheckRealRange(CDataExchange* dx, double value, double minValue, double maxValue, int digits) {
  if (!dx->m_bSaveAndValidate || (value >= minValue && value <= maxValue)) return;
  CString minText, maxText;
  minText.Format("%.*g", digits, minValue);
  maxText.Format("%.*g", digits, maxValue);
  FailRange(dx, false, minText, maxText);
}

}  // namespace

void DDX_Text(CDataExchange* dx, int id, int& value) {
  ExchangeInteger(dx, id, value, true, INT_MIN, INT_MAX);
}
void DDX_Text(CDataExchange* dx, int id, UINT& value) {
  ExchangeInteger(dx, id, value, false, 0, UINT_MAX);
}
void DDX_Text(CDataExchange* dx, int id, long& value) {
  ExchangeInteger(dx, id, value, true, LONG_MIN, LONG_MAX);
}
void DDX_Text(CDataExchange* dx, int id, DWORD& value) {
  ExchangeInteger(dx, id, value, false, 0, 0xFFFFFFFFu);
}
void DDX_Text(CDataExchange* dx, int id, short& value) {
  ExchangeInteger(dx, id, value, true, SHRT_MIN, SHRT_MAX);
}
void DDX_Text(CDataExchange* dx, int id, BYTE& value) {
  ExchangeInteger(dx, id, value, false, 0, 255);
}

void DDX_Text(CDataExchange* dx, int id, float& value) {
  double wide = value;
  ExchangeReal(dx, id, wide, FLT_DIG);
  if (dx->m_bSaveAndValidate) {
    if (wide > FLT_MAX || wide < -FLT_MAX) {
      AfxMessageBox(AfxLoadString(AFX_IDP_PARSE_REAL, "请输入一个数字。"), MB_ICONEXCLAMATION);
      dx->Fail();
    }
    value = static_cast<float>(wide);
  }
}

void DDX_Text(CDataExchange* dx, int id, double& value) { ExchangeReal(dx, id, value, DBL_DIG); }

void DDX_Text(CDataExchange* dx, int id, CString& value) {
  HWND control = dx->PrepareEditCtrl(id);
  if (dx->m_bSaveAndValidate)
    value = ControlText(control);
  else
    ::SetWindowTextA(control, value);
}

void DDX_Check(CDataExchange* dx, int id, int& value) {
  HWND control = dx->PrepareCtrl(id);
  if (dx->m_bSaveAndValidate)
    value = static_cast<int>(::SendMessageA(control, BM_GETCHECK, 0, 0));
  else
    ::SendMessageA(control, BM_SETCHECK, static_cast<WPARAM>(value), 0);
}

void DDX_Radio(CDataExchange* dx, int id, int& value) {
  HWND control = dx->PrepareCtrl(id);
  if (!control) return;
  if (dx->m_bSaveAndValidate) value = -1;
  int index = 0;
  // Walk the group: from the first button up to the next control that starts a group.
  do {
    if (::SendMessageA(control, WM_GETDLGCODE, 0, 0) & DLGC_RADIOBUTTON) {
      if (dx->m_bSaveAndValidate) {
        if (::SendMessageA(control, BM_GETCHECK, 0, 0) == BST_CHECKED) value = index;
      } else {
        ::SendMessageA(control, BM_SETCHECK, index == value ? BST_CHECKED : BST_UNCHECKED, 0);
      }
      ++index;
    }
    control = ::GetWindow(control, GW_HWNDNEXT);
  } while (control && !(::GetWindowLongPtrA(control, GWL_STYLE) & WS_GROUP));
}

void DDX_CBIndex(CDataExchange* dx, int id, int& index) {
  HWND control = dx->PrepareCtrl(id);
  if (dx->m_bSaveAndValidate)
    index = static_cast<int>(::SendMessageA(control, CB_GETCURSEL, 0, 0));
  else
    ::SendMessageA(control, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
}

namespace {

CString ListText(HWND control, UINT lengthMessage, UINT textMessage, int index) {
  CString text;
  if (index < 0) return text;
  LRESULT length = ::SendMessageA(control, lengthMessage, static_cast<WPARAM>(index), 0);
  if (length <= 0) return text;
  ::SendMessageA(control, textMessage, static_cast<WPARAM>(index),
                 reinterpret_cast<LPARAM>(text.GetBufferSetLength(static_cast<int>(length))));
  text.ReleaseBuffer();
  return text;
}

void ExchangeComboString(CDataExchange* dx, int id, CString& value, UINT findMessage) {
  HWND control = dx->PrepareCtrl(id);
  bool hasEdit = (::GetWindowLongPtrA(control, GWL_STYLE) & 3) != CBS_DROPDOWNLIST;
  if (dx->m_bSaveAndValidate) {
    if (hasEdit) {
      value = ControlText(control);
    } else {
      int selected = static_cast<int>(::SendMessageA(control, CB_GETCURSEL, 0, 0));
      value = ListText(control, CB_GETLBTEXTLEN, CB_GETLBTEXT, selected);
    }
    return;
  }
  LRESULT found = ::SendMessageA(control, findMessage, static_cast<WPARAM>(-1),
                                 reinterpret_cast<LPARAM>(static_cast<LPCSTR>(value)));
  ::SendMessageA(control, CB_SETCURSEL,
                 found == CB_ERR ? static_cast<WPARAM>(-1) : static_cast<WPARAM>(found), 0);
  if (found == CB_ERR && hasEdit) ::SetWindowTextA(control, value);
}

}  // namespace

void DDX_CBString(CDataExchange* dx, int id, CString& value) {
  ExchangeComboString(dx, id, value, CB_FINDSTRING);
}

void DDX_CBStringExact(CDataExchange* dx, int id, CString& value) {
  ExchangeComboString(dx, id, value, CB_FINDSTRINGEXACT);
}

void DDX_LBIndex(CDataExchange* dx, int id, int& index) {
  HWND control = dx->PrepareCtrl(id);
  if (dx->m_bSaveAndValidate)
    index = static_cast<int>(::SendMessageA(control, LB_GETCURSEL, 0, 0));
  else
    ::SendMessageA(control, LB_SETCURSEL, static_cast<WPARAM>(index), 0);
}

void DDX_LBString(CDataExchange* dx, int id, CString& value) {
  HWND control = dx->PrepareCtrl(id);
  if (dx->m_bSaveAndValidate) {
    int selected = static_cast<int>(::SendMessageA(control, LB_GETCURSEL, 0, 0));
    value = ListText(control, LB_GETTEXTLEN, LB_GETTEXT, selected);
  } else {
    LRESULT found = ::SendMessageA(control, LB_FINDSTRING, static_cast<WPARAM>(-1),
                                   reinterpret_cast<LPARAM>(static_cast<LPCSTR>(value)));
    ::SendMessageA(control, LB_SETCURSEL,
                   found == LB_ERR ? static_cast<WPARAM>(-1) : static_cast<WPARAM>(found), 0);
  }
}

void DDX_Scroll(CDataExchange* dx, int id, int& value) {
  HWND control = dx->PrepareCtrl(id);
  if (dx->m_bSaveAndValidate)
    value = ::GetScrollPos(control, SB_CTL);
  else
    ::SetScrollPos(control, SB_CTL, value, TRUE);
}

void DDX_Control(CDataExchange* dx, int id, CWnd& control) {
  if (control.m_hWnd) return;
  HWND item = dx->PrepareCtrl(id);
  if (!item || !control.SubclassWindow(item)) dx->Fail();
}

void DDV_MinMaxInt(CDataExchange* dx, int value, int minValue, int maxValue) {
  CheckIntegerRange(dx, value, minValue, maxValue, true);
}
void DDV_MinMaxUInt(CDataExchange* dx, UINT value, UINT minValue, UINT maxValue) {
  CheckIntegerRange(dx, value, minValue, maxValue, false);
}
void DDV_MinMaxLong(CDataExchange* dx, long value, long minValue, long maxValue) {
  CheckIntegerRange(dx, value, minValue, maxValue, true);
}
void DDV_MinMaxDWord(CDataExchange* dx, DWORD value, DWORD minValue, DWORD maxValue) {
  CheckIntegerRange(dx, value, minValue, maxValue, false);
}
void DDV_MinMaxShort(CDataExchange* dx, short value, short minValue, short maxValue) {
  CheckIntegerRange(dx, value, minValue, maxValue, true);
}
void DDV_MinMaxByte(CDataExchange* dx, BYTE value, BYTE minValue, BYTE maxValue) {
  CheckIntegerRange(dx, value, minValue, maxValue, false);
}
void DDV_MinMaxFloat(CDataExchange* dx, float value, float minValue, float maxValue) {
  CheckRealRange(dx, value, minValue, maxValue, FLT_DIG);
}
void DDV_MinMaxDouble(CDataExchange* dx, double value, double minValue, double maxValue) {
  CheckRealRange(dx, value, minValue, maxValue, DBL_DIG);
}

void DDV_MaxChars(CDataExchange* dx, const CString& value, int maxChars) {
  // The check applies to the edit control prepared last; loading limits what it takes.
  if (!dx->m_bSaveAndValidate) {
    if (dx->m_bEditLastControl && dx->m_hWndLastControl)
      ::SendMessageA(dx->m_hWndLastControl, EM_LIMITTEXT, static_cast<WPARAM>(maxChars), 0);
    return;
  }
  if (value.GetLength() <= maxChars) return;
  CString count;
  count.Format("%d", maxChars);
  AfxMessageBox(
      AfxFormatString1(AfxLoadString(AFX_IDP_PARSE_STRING_SIZE, "请输入不超过 %1 个字符。"), count),
      MB_ICONEXCLAMATION);
  dx->Fail();
}
