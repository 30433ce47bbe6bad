#include "framework/HandleMap.h"

#include "framework/DC.h"
#include "framework/GdiObject.h"
#include "framework/Menu.h"
#include "framework/Wnd.h"

void AfxDeleteTempObjects() {
  CDC::DeleteTempMap();
  CGdiObject::DeleteTempMap();
  CMenu::DeleteTempMap();
  CWnd::DeleteTempMap();
}
