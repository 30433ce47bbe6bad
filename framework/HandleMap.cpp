#include "framework/HandleMap.h"

#include "framework/DC.h"
#include "framework/GdiObject.h"

void AfxDeleteTempObjects() {
  CDC::DeleteTempMap();
  CGdiObject::DeleteTempMap();
}
