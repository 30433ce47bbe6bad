#include "model/document/FileKinds.h"

#include <cstring>
#include <string>

#include "framework/SystemCodePage.h"

namespace {

struct KindOfExtension {
  const char* extension;
  int kind;
};

const KindOfExtension kKinds[] = {
    {".T42", kFileKindDocument},  {".T37", kFileKindOldDocument}, {".TXT", kFileKindText},
    {".", kFileKindText},         {".PLT", kFileKindPlot},        {".EPS", kFileKindPostScript},
    {".AI", kFileKindPostScript}, {".CUT", kFileKindCut},         {".DXF", kFileKindDxf},
    {".TIF", kFileKindTiff},      {".BMP", kFileKindBitmap},      {".RQ5", kFileKindRq5},
};

// The extension with its dot, from the last dot of the file name (not of a folder); empty when
// the name has none.
std::string ExtensionOf(LPCSTR path) {
  // A GBK trail byte may be a backslash: lead bytes take their trail byte with them.
  const char* name = path;
  for (const char* c = path; *c; ++c) {
    if (AfxIsSystemLeadByte(static_cast<BYTE>(*c)) && c[1]) {
      ++c;
      continue;
    }
    if (*c == '\\' || *c == '/' || *c == ':') name = c + 1;
  }
  const char* dot = strrchr(name, '.');
  std::string extension = dot ? dot : "";
  // ASCII only: a GBK trail byte in a name must stay what it is.
  for (char& c : extension)
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  return extension;
}

}  // namespace

int GetFileKindByExtension(LPCSTR path) {
  std::string extension = ExtensionOf(path ? path : "");
  if (extension.empty()) return kFileKindText;
  for (const KindOfExtension& entry : kKinds)
    if (extension == entry.extension) return entry.kind;
  return kFileKindOldDocument;
}
