#include "media/PlotterPlugIn.h"

#include <cstdlib>
#include <cstring>

#include "media/DllModule.h"

CPlotterPlugIn::CPlotterPlugIn(LPCSTR path) : CPlugInDll(path), m_plotterNumber(0) {
  ClearPlotterEntries();
}

CPlotterPlugIn::~CPlotterPlugIn() { ClearPlotterEntries(); }

void CPlotterPlugIn::ClearPlotterEntries() {
  GetPlotterCount = nullptr;
  EnumUsbPlotterA = nullptr;
  GetPlotterInfoA = nullptr;
  SelectPlotter = nullptr;
  PlotFileA = nullptr;
  GetPlotInfo = nullptr;
  CancelPlot = nullptr;
}

HMODULE CPlotterPlugIn::Load(LPCSTR name) {
  if (GetModule()) return GetModule();
  return CPlugInDll::Load(name);
}

void CPlotterPlugIn::BindEntries() {
  CPlugInDll::BindEntries();
  BindEntry(GetPlotterCount, "GetPlotterCount");
  BindEntry(EnumUsbPlotterA, "EnumUsbPlotterA");
  BindEntry(GetPlotterInfoA, "GetPlotterInfoA");
  BindEntry(SelectPlotter, "SelectPlotter");
  BindEntry(PlotFileA, "PlotFileA");
  BindEntry(GetPlotInfo, "GetPlotInfo");
  BindEntry(CancelPlot, "CancelPlot");
}

void CPlotterPlugIn::Unload() {
  CPlugInDll::Unload();
  ClearPlotterEntries();
}

bool CPlotterPlugIn::OpenForPort(LPCSTR portName) {
  if (IsLoaded()) Unload();
  CString name(portName);
  int open = name.Find('[');
  if (open < 0) return false;
  // The colon is looked for after the bracket, so a display name may hold colons of its own.
  int colon = name.Find(':', open + 1);
  CString fileName = name.Mid(open + 1, (colon < 0 ? name.GetLength() : colon) - open - 1);
  int bracket = fileName.Find(']');
  if (bracket >= 0) fileName = fileName.Left(bracket);
  if (fileName.IsEmpty()) return false;
  SetPath(fileName);
  if (colon < 0) {
    m_plotterNumber = -1;
    return false;
  }
  CString number = name.Mid(colon + 1);
  int close = number.Find(']');
  if (close >= 0) number = number.Left(close);
  m_plotterNumber = atoi(number);
  return true;
}

int CPlotterPlugIn::EnumeratePlotters(CStringArray& chineseNames, CStringArray& englishNames,
                                      LPCSTR folder) {
  chineseNames.RemoveAll();
  englishNames.RemoveAll();
  CString searchFolder = folder ? CString(folder) : CDllModule::ProgramFolder();
  if (!searchFolder.IsEmpty() && searchFolder[searchFolder.GetLength() - 1] != '\\')
    searchFolder += '\\';
  WIN32_FIND_DATAA found;
  HANDLE search = FindFirstFileA(searchFolder + "*.UPL", &found);
  if (search == INVALID_HANDLE_VALUE) return 0;
  do {
    if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) continue;
    Unload();
    if (!CPlugInDll::Load(searchFolder + found.cFileName)) continue;
    CollectPlotters(chineseNames, englishNames);
    Unload();
  } while (FindNextFileA(search, &found));
  FindClose(search);
  return static_cast<int>(chineseNames.GetSize());
}

void CPlotterPlugIn::CollectPlotters(CStringArray& chineseNames, CStringArray& englishNames) {
  if (!EnumUsbPlotterA) return;
  EnumUsbPlotterA(nullptr);
  for (int i = 0; i < kMaxPlottersPerPlugIn; ++i) {
    UsbPlotterInfoBuffer record;
    memset(&record, 0, sizeof record);
    record.info.size = kUsbPlotterInfoBufferSize;
    if (EnumUsbPlotterA(&record.info) == -1) break;
    // A plug-in may fill a name field completely: never read past it.
    chineseNames.Add(CString(record.info.chineseName, sizeof record.info.chineseName));
    englishNames.Add(CString(record.info.englishName, sizeof record.info.englishName));
  }
}

bool CPlotterPlugIn::IsPlotterAttached() {
  if (!GetPlotterInfoA) return true;
  UsbPlotterInfoBuffer record;
  memset(&record, 0, sizeof record);
  record.info.size = kUsbPlotterInfoBufferSize;
  return GetPlotterInfoA(m_plotterNumber, &record.info) != FALSE;
}

CString CPlotterPlugIn::GetFileName() const {
  const CString& path = GetPath();
  return path.Mid(path.ReverseFind('\\') + 1);
}

void CPlotterPlugIn::PrepareRecord(PlotInfo* info) const {
  info->size = static_cast<INT32>(sizeof(PlotInfo));
  info->plotterNumber = m_plotterNumber;
}

BOOL CPlotterPlugIn::PlotFile(LPCSTR path, PlotInfo* info) {
  if (!PlotFileA || !info || !path) return FALSE;
  PrepareRecord(info);
  return PlotFileA(path, info);
}

BOOL CPlotterPlugIn::QueryPlotInfo(PlotInfo* info) {
  if (!GetPlotInfo || !info) return FALSE;
  PrepareRecord(info);
  return GetPlotInfo(info);
}

BOOL CPlotterPlugIn::CancelJob(PlotInfo* info) {
  if (!CancelPlot || !info) return FALSE;
  PrepareRecord(info);
  return CancelPlot(info);
}
