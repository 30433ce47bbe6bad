#include "model/MainWindowNotice.h"

void SendToMainWindow(UINT /*command*/, LPARAM /*data*/) {}
