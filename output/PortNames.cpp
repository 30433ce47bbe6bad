#include "output/PortNames.h"

#include <cstdlib>
#include <cstring>

#include "framework/SystemCodePage.h"

namespace {

// The number after "COM" or "LPT" when the first three letters (exact case) name a port kind.
int KindFromPrefix(const CString& name, const CString& numberText) {
  int n = atoi(numberText);
  if (name.Left(3) == "LPT") return n + kParallelPortBase;
  if (name.Left(3) == "COM") return n;
  return kPortNotAPort;
}

bool HasPortDigit(const CString& text) {
  return text.GetLength() > 3 && text[3] >= '1' && text[3] <= '8';
}

CString CutAtColon(const CString& text) {
  int colon = text.Find(':');
  return colon < 0 ? text : text.Left(colon);
}

// A name the file system could take: not empty, no character it forbids, a colon only after
// a drive letter. The "\\?\" and "\\.\" forms are the system's to judge.
bool IsFilePath(const CString& text) {
  if (text.IsEmpty()) return false;
  if (text.Left(4) == "\\\\?\\" || text.Left(4) == "\\\\.\\") return true;
  for (int i = 0; i < text.GetLength(); ++i) {
    const unsigned char c = static_cast<unsigned char>(text[i]);
    // A double-byte character's second byte may look like any of the forbidden ones.
    if (AfxIsSystemLeadByte(c) && i + 1 < text.GetLength()) {
      ++i;
      continue;
    }
    if (c < ' ' || std::strchr("<>\"|?*", c) || (c == ':' && i != 1)) return false;
  }
  return true;
}

}  // namespace

int ParsePortName(LPCSTR name) {
  CString original(name);
  CString upper(original);
  upper.MakeUpper();
  if (original.Find('@') >= 0) return kPortPrinterQueue;
  if (original.Find('[') >= 0) return kPortUsbPlotter;
  if (upper == "FILE") return kPortFileDialog;
  int wholeLength = upper.GetLength();
  CString cut = CutAtColon(upper);
  if (wholeLength > 7 || !HasPortDigit(cut)) return kPortNotAPort;
  return KindFromPrefix(original, cut.Mid(3));
}

int ClassifyOutputTarget(LPCSTR name) {
  CString original(name);
  CString upper(original);
  upper.MakeUpper();
  if (upper == "FILE:") return kPortFileDialog;
  if (original.Find('@') >= 0) return kPortPrinterQueue;
  if (original.Find('[') >= 0) return kPortUsbPlotter;
  if (original.Left(4) == "\\\\?\\" || original.Left(4) == "\\\\.\\") return kPortNotAPort;
  if (original.GetLength() > 1 && original[1] == ':') return kPortNotAPort;
  CString cut = CutAtColon(upper);
  if (cut.GetLength() > 6 || !HasPortDigit(cut)) return kPortNotAPort;
  return KindFromPrefix(original, cut.Mid(3));
}

bool IsUsableOutputTarget(LPCSTR name) {
  CString text(name);
  const int kind = ClassifyOutputTarget(text);
  if (kind == kPortNotAPort) return IsFilePath(text);
  return !IsDevicePortKind(kind) || ParsePortName(text) == kind;
}

bool IsDevicePortKind(int kind) {
  return kind > 0 && kind != kPortUsbPlotter && kind != kPortPrinterQueue;
}

CString PortDevicePath(LPCSTR name) { return CString("\\\\.\\") + CutAtColon(CString(name)); }

CString PrinterNameOfPort(LPCSTR name) {
  CString printer(name);
  int at = printer.Find('@');
  if (at >= 0) printer = printer.Left(at);
  printer.TrimRight(' ');
  return printer;
}
