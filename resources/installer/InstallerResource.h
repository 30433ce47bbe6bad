// Resource ids of the cutter driver installer fennik.exe. Its built-in Chinese resources and the
// English resource library fennikEng.DLL use the same ids.
#pragma once

// The installer's icon, shown in its dialog's caption, on the task bar and while minimised.
#define IDR_MAINFRAME 128

// ---- The main dialog and its controls ----
#define IDD_INSTALLER 102
#define IDC_MODEL_LIST 1000
#define IDC_COMPANY_TEXT 1001
#define IDC_WEBSITE_TEXT 1002
#define IDC_STEP_TEXT 1003
#define IDC_PORT_COMBO 1004
#define IDC_PORT_LABEL 1005
#define IDC_MODEL_LABEL 1006
#define IDC_INSTALLER_ICON 1007

// ---- Strings ----
#define IDS_CATALOGUE_UNREADABLE 5200
#define IDS_SECTION_TOO_LONG 5201
#define IDS_NAME_TOO_LONG 5202
#define IDS_NAME_NOT_PRINTER_NAME 5203
#define IDS_FILE_NAME_NOT_PLAIN 5204
#define IDS_FILE_LIST_TOO_LONG 5205
#define IDS_NO_FILE_SECTION 5206
#define IDS_NO_DATA_FILE 5207
#define IDS_SYSTEM_ERROR_FILE 5208
#define IDS_NO_PORT 5209
#define IDS_PATH_TOO_LONG 5210
#define IDS_INSTALLED 5211
