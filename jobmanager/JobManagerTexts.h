// The texts that the job manager shows, in one place. Texts with a string resource are loaded
// from it first (the English resource library supplies its own); these are the built-in forms.
#pragma once

#include <windows.h>

#include "framework/String.h"

namespace JobManagerText {

const char kProgress[] = "%d/100";
// Copies done over copies requested.
const char kCopies[] = "%s/%d";
const char kDone[] = "完成";
const char kAboutCaption[] = "ORVENDALE";
const char kAbout[] = "ORVENDALE 切割管理程序";
const char kEnglishLibraryName[] = "orvResEng.DLL";

// The resource text, or the built-in form when the resources have none.
inline CString LoadOr(UINT id, LPCSTR fallback) {
  CString text;
  if (!text.LoadString(id) || text.IsEmpty()) text = fallback;
  return text;
}

}  // namespace JobManagerText
