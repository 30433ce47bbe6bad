#include "framework/Pen.h"

IMPLEMENT_DYNAMIC(CPen, CGdiObject)
