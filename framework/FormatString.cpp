#include "framework/FormatString.h"

namespace {

CString Substitute(LPCSTR format, LPCSTR insert1, LPCSTR insert2) {
  CString result;
  for (LPCSTR p = format ? format : ""; *p; ++p) {
    if (CString::IsLeadByte(static_cast<unsigned char>(*p)) && p[1]) {
      result += *p++;
      result += *p;
    } else if (p[0] == '%' && (p[1] == '1' || p[1] == '2')) {
      LPCSTR insert = p[1] == '1' ? insert1 : insert2;
      result += insert ? insert : "";
      ++p;
    } else {
      result += *p;
    }
  }
  return result;
}

}  // namespace

CString AfxFormatString1(LPCSTR format, LPCSTR insert1) {
  return Substitute(format, insert1, nullptr);
}

CString AfxFormatString2(LPCSTR format, LPCSTR insert1, LPCSTR insert2) {
  return Substitute(format, insert1, insert2);
}
