// CDataExchange and the DDX_/DDV_ functions: move values between a dialog's members and its
// controls (loading when m_bSaveAndValidate is FALSE, saving and checking when TRUE). A value
// that fails is reported in a message box, the control gets the focus and UpdateData fails.
#pragma once

#include "framework/String.h"

class CWnd;

class CDataExchange {
public:
  CDataExchange(CWnd* dialog, BOOL saveAndValidate);

  BOOL m_bSaveAndValidate;
  CWnd* m_pDlgWnd;

  HWND PrepareCtrl(int id);
  HWND PrepareEditCtrl(int id);
  // Gives the focus back to the last control and throws CUserException.
  [[noreturn]] void Fail();

  HWND m_hWndLastControl = nullptr;
  BOOL m_bEditLastControl = FALSE;
};

void DDX_Text(CDataExchange* dx, int id, int& value);
void DDX_Text(CDataExchange* dx, int id, UINT& value);
void DDX_Text(CDataExchange* dx, int id, long& value);
void DDX_Text(CDataExchange* dx, int id, DWORD& value);
void DDX_Text(CDataExchange* dx, int id, short& value);
void DDX_Text(CDataExchange* dx, int id, BYTE& value);
void DDX_Text(CDataExchange* dx, int id, float& value);
void DDX_Text(CDataExchange* dx, int id, double& value);
void DDX_Text(CDataExchange* dx, int id, CString& value);
void DDX_Check(CDataExchange* dx, int id, int& value);
// value: index of the checked button of the group that starts at id, -1 for none.
void DDX_Radio(CDataExchange* dx, int id, int& value);
void DDX_CBIndex(CDataExchange* dx, int id, int& index);
void DDX_CBString(CDataExchange* dx, int id, CString& value);
void DDX_CBStringExact(CDataExchange* dx, int id, CString& value);
void DDX_LBIndex(CDataExchange* dx, int id, int& index);
void DDX_LBString(CDataExchange* dx, int id, CString& value);
void DDX_Scroll(CDataExchange* dx, int id, int& value);
// Attaches the control to the wrapper object (once).
void DDX_Control(CDataExchange* dx, int id, CWnd& control);

void DDV_MinMaxInt(CDataExchange* dx, int value, int minValue, int maxValue);
void DDV_MinMaxUInt(CDataExchange* dx, UINT value, UINT minValue, UINT maxValue);
void DDV_MinMaxLong(CDataExchange* dx, long value, long minValue, long maxValue);
void DDV_MinMaxDWord(CDataExchange* dx, DWORD value, DWORD minValue, DWORD maxValue);
void DDV_MinMaxShort(CDataExchange* dx, short value, short minValue, short maxValue);
void DDV_MinMaxByte(CDataExchange* dx, BYTE value, BYTE minValue, BYTE maxValue);
void DDV_MinMaxFloat(CDataExchange* dx, float value, float minValue, float maxValue);
void DDV_MinMaxDouble(CDataExchange* dx, double value, double minValue, double maxValue);
void DDV_MaxChars(CDataExchange* dx, const CString& value, int maxChars);
