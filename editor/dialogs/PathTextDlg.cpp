#include "editor/dialogs/PathTextDlg.h"

IMPLEMENT_DYNAMIC(CPathTextDlg, CPathTextPanel)
