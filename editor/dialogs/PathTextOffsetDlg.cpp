#include "editor/dialogs/PathTextOffsetDlg.h"

IMPLEMENT_DYNAMIC(CPathTextOffsetDlg, CPathTextPanel)
