// CResourceText: a text the programs show, as the subsystems' text tables (DocumentTexts.h,
// OutputTexts.h) hold it: its string resource id and the built-in form that stands where the
// current resources have none (AfxLoadString).
#pragma once

#include <windows.h>

#include "framework/String.h"

struct CResourceText {
  UINT id;
  const char* chinese;
};

inline CString AfxLoadString(const CResourceText& text) {
  return AfxLoadString(text.id, text.chinese);
}
