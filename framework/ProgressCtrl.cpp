#include "framework/ProgressCtrl.h"

IMPLEMENT_DYNAMIC(CProgressCtrl, CWnd)
