#include "output/PortLists.h"

#include <vector>

#include "framework/GbkText.h"
#include "framework/SystemCodePage.h"
#include "framework/WideText.h"
#include "media/PlotterPlugIn.h"

namespace {

const LANGID kChineseLanguage = 2052;

void AddToCombo(HWND combo, const CStringArray& names) {
  if (!combo) return;
  for (INT_PTR i = 0; i < names.GetSize(); ++i) AfxAddComboEntry(combo, PortNameText(names[i]));
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

// The local printers, as the system names them.
std::vector<PRINTER_INFO_2W> LocalPrinters(std::vector<BYTE>& buffer) {
  DWORD count = 0;
  bool listed = EnumerateInto(buffer, &count, [](BYTE* data, DWORD size, DWORD* needed, DWORD* n) {
    return EnumPrintersW(PRINTER_ENUM_LOCAL, nullptr, 2, data, size, needed, n);
  });
  std::vector<PRINTER_INFO_2W> printers;
  if (!listed) return printers;
  const PRINTER_INFO_2W* info = reinterpret_cast<const PRINTER_INFO_2W*>(buffer.data());
  printers.assign(info, info + count);
  return printers;
}

// The "[plug-in:NN]" part of a USB plotter's port name, or empty.
CString UsbPlotterKey(const CString& name) {
  const int open = name.Find('[');
  return open < 0 ? CString() : name.Mid(open);
}

}  // namespace

void CollectPorts(CStringArray& names, UINT flags) {
  names.RemoveAll();
  std::vector<BYTE> buffer;
  DWORD count = 0;
  bool listed = EnumerateInto(buffer, &count, [](BYTE* data, DWORD size, DWORD* needed, DWORD* n) {
    return EnumPortsW(nullptr, 1, data, size, needed, n);
  });
  if (listed) {
    const PORT_INFO_1W* ports = reinterpret_cast<const PORT_INFO_1W*>(buffer.data());
    for (DWORD i = 0; i < count; ++i)
      if (ports[i].pName) names.Add(CGbkText::Lossy(ports[i].pName));
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
  for (const PRINTER_INFO_2W& printer : LocalPrinters(buffer)) {
    CString port = CGbkText::Lossy(printer.pPortName);
    if ((flags & kListSkipFilePrinters) && port.CompareNoCase("FILE:") == 0) continue;
    CString name;
    name.Format("%s @ %s", CGbkText::Lossy(printer.pPrinterName).GetString(), port.GetString());
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

std::wstring PortNameText(LPCSTR name) {
  const CString text(name);
  if (text.Find('@') >= 0 || text.Find('[') >= 0) return CGbkText::ToWide(text);
  return AfxWideFromSystem(text);
}

CString PortNameOfText(const std::wstring& text) {
  if (text.find_first_of(L"@[") != std::wstring::npos) return CGbkText::Lossy(text.c_str());
  return AfxSystemFromWide(text.c_str());
}

std::wstring SystemPrinterName(LPCSTR printer) {
  std::vector<BYTE> buffer;
  for (const PRINTER_INFO_2W& listed : LocalPrinters(buffer))
    if (listed.pPrinterName && CGbkText::Lossy(listed.pPrinterName) == printer)
      return listed.pPrinterName;
  return CGbkText::ToWide(printer);
}

int FindUsbPlotterEntry(HWND combo, LPCSTR name) {
  const CString key = UsbPlotterKey(name);
  if (key.IsEmpty()) return CB_ERR;
  const int count = static_cast<int>(SendMessageW(combo, CB_GETCOUNT, 0, 0));
  for (int i = 0; i < count; ++i) {
    if (UsbPlotterKey(PortNameOfText(AfxGetComboEntry(combo, i))).CompareNoCase(key) == 0) return i;
  }
  return CB_ERR;
}

int DropAsWideAsEntries(HWND combo) {
  HDC dc = GetDC(combo);
  HGDIOBJ font = SelectObject(dc, reinterpret_cast<HGDIOBJ>(SendMessageW(combo, WM_GETFONT, 0, 0)));
  int widest = 0;
  const int count = static_cast<int>(SendMessageW(combo, CB_GETCOUNT, 0, 0));
  for (int i = 0; i < count; ++i) {
    const std::wstring text = AfxGetComboEntry(combo, i);
    SIZE size = {0, 0};
    GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &size);
    if (size.cx > widest) widest = size.cx;
  }
  SelectObject(dc, font);
  ReleaseDC(combo, dc);
  // The list's own margins beside the scroll bar.
  const int needed = widest + GetSystemMetrics(SM_CXVSCROLL) + 8;
  SendMessageW(combo, CB_SETDROPPEDWIDTH, static_cast<WPARAM>(needed), 0);
  return needed;
}
