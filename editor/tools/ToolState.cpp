#include "editor/tools/ToolState.h"

CToolState g_ToolState;

void CToolState::Reset() { *this = CToolState(); }
