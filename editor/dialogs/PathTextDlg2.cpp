#include "editor/dialogs/PathTextDlg2.h"

IMPLEMENT_DYNAMIC(CPathTextDlg2, CPathTextPanel)
