#include "output/PortLists.h"

#include <vector>

#include "media/PlotterPlugIn.h"

namespace {

const LANGID kChineseLanguage = 2052;

void AddToCombo(HWND combo, const CStringArray& names) {
  if (!combo) return;
  for (INT_PTR i = 0; i < names.GetSize(); ++i)
    SendMessageA(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(names[i].GetString()));
}

// Runs a two-call enumeration (size query, then fill) into a buffer; false when it fails.
template <class Enumerate>
bool EnumerateInto(std::vector<BYTE>& buffer, DWORD* count, Enumerate enumerate) {
  DWORD needed = 0;
  *count = 0;
  enumerate(nullptr, 0, &needed, count);
  if (needed == 0) return false;
  buffer.assign(needed, 0);
  return enumerate(buffer.data(), needed, &needed, count) != FALSE;
}

}  // namespace

void CollectPorts(CStringArray& names, UINT flags) {
  names.RemoveAll();
  std::vector<BYTE> buffer;
  DWORD count = 0;
  bool listed = EnumerateInto(buffer, &count, [](BYTE* data, DWORD size, DWORD* needed, DWORD* n) {
    return EnumPortsA(nullptr, 1, data, size, needed, n);
  });
  if (listed) {
    const PORT_INFO_1A* ports = reinterpret_cast<const PORT_INFO_1A*>(buffer.data());
    for (DWORD i = 0; i < count; ++i)
      if (ports[i].pName) names.Add(ports[i].pName);
  }
  if (flags & kListAddPrinters) {
    CStringArray printers;
    CollectPrinters(printers, flags);
    names.Append(printers);
  }
  if (flags & kListAddFile) names.Add("FILE:");
}

void CollectPrinters(CStringArray& names, UINT flags) {
  names.RemoveAll();
  std::vector<BYTE> buffer;
  DWORD count = 0;
  bool listed = EnumerateInto(buffer, &count, [](BYTE* data, DWORD size, DWORD* needed, DWORD* n) {
    return EnumPrintersA(PRINTER_ENUM_LOCAL, nullptr, 2, data, size, needed, n);
  });
  if (!listed) return;
  const PRINTER_INFO_2A* printers = reinterpret_cast<const PRINTER_INFO_2A*>(buffer.data());
  for (DWORD i = 0; i < count; ++i) {
    CString port(printers[i].pPortName);
    if ((flags & kListSkipFilePrinters) && port.CompareNoCase("FILE:") == 0) continue;
    CString name;
    name.Format("%s @ %s", printers[i].pPrinterName ? printers[i].pPrinterName : "",
                port.GetString());
    names.Add(name);
  }
}

void CollectUsbPlotters(CStringArray& names, LANGID language) {
  CStringArray chineseNames;
  CStringArray englishNames;
  CPlotterPlugIn plugIn;
  plugIn.EnumeratePlotters(chineseNames, englishNames);
  names.RemoveAll();
  names.Append(language == kChineseLanguage ? chineseNames : englishNames);
}

void ListPorts(HWND combo, UINT flags) {
  CStringArray names;
  CollectPorts(names, flags);
  AddToCombo(combo, names);
}

void ListPrinters(HWND combo, UINT flags) {
  CStringArray names;
  CollectPrinters(names, flags);
  AddToCombo(combo, names);
}

void ListUsbPlotters(HWND combo, LANGID language) {
  CStringArray names;
  CollectUsbPlotters(names, language);
  AddToCombo(combo, names);
}

int DropAsWideAsEntries(HWND combo) {
  HDC dc = GetDC(combo);
  HGDIOBJ font = SelectObject(dc, reinterpret_cast<HGDIOBJ>(SendMessageA(combo, WM_GETFONT, 0, 0)));
  int widest = 0;
  const LRESULT count = SendMessageA(combo, CB_GETCOUNT, 0, 0);
  for (LRESULT i = 0; i < count; ++i) {
    const LRESULT length = SendMessageA(combo, CB_GETLBTEXTLEN, i, 0);
    if (length <= 0) continue;
    std::vector<char> text(static_cast<size_t>(length) + 1, '\0');
    SendMessageA(combo, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(text.data()));
    SIZE size = {0, 0};
    GetTextExtentPoint32A(dc, text.data(), static_cast<int>(length), &size);
    if (size.cx > widest) widest = size.cx;
  }
  SelectObject(dc, font);
  ReleaseDC(combo, dc);
  // The list's own margins beside the scroll bar.
  const int needed = widest + GetSystemMetrics(SM_CXVSCROLL) + 8;
  SendMessageA(combo, CB_SETDROPPEDWIDTH, static_cast<WPARAM>(needed), 0);
  return needed;
}
