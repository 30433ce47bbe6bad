// CPlotterPlugIn: a USB plotter plug-in (.UPL) bound for listing its plotters and plotting files.
// A port name of the form "display name[file.upl:NN]" selects the plug-in and its plotter NN.
#pragma once

#include "framework/StringArray.h"
#include "media/PlotterRecords.h"
#include "media/PlugInDll.h"

class CPlotterPlugIn : public CPlugInDll {
public:
  typedef int(__cdecl* GetPlotterCountEntry)();
  typedef int(__cdecl* EnumUsbPlotterAEntry)(UsbPlotterInfoA* info);
  typedef BOOL(__cdecl* GetPlotterInfoAEntry)(int plotter, UsbPlotterInfoA* info);
  typedef BOOL(__cdecl* SelectPlotterEntry)(int plotter);
  typedef BOOL(__cdecl* PlotFileAEntry)(LPCSTR path, PlotInfo* info);
  typedef BOOL(__cdecl* GetPlotInfoEntry)(PlotInfo* info);
  typedef BOOL(__cdecl* CancelPlotEntry)(PlotInfo* info);

  // A plug-in reporting more plotters than this is taken as broken and not asked further.
  static constexpr int kMaxPlottersPerPlugIn = 64;

  explicit CPlotterPlugIn(LPCSTR path = nullptr);
  ~CPlotterPlugIn() override;

  // Returns the held module at once; else loads as CPlugInDll does.
  HMODULE Load(LPCSTR name = nullptr) override;
  void BindEntries() override;
  void Unload() override;

  // Unloads, then takes the plug-in file and plotter number from a port name; does not load.
  bool OpenForPort(LPCSTR portName);
  int GetPlotterNumber() const { return m_plotterNumber; }

  // Every plotter that the plug-ins in folder (null: the program folder) report, as port names
  // in Chinese and in English. Leaves this object unloaded.
  int EnumeratePlotters(CStringArray& chineseNames, CStringArray& englishNames,
                        LPCSTR folder = nullptr);

  // Whether the loaded plug-in finds the port's plotter attached (true when it cannot tell).
  bool IsPlotterAttached();
  // The plug-in's file name, without its folder.
  CString GetFileName() const;

  // The plotting calls, refused (FALSE) when the plug-in lacks the entry. The record's size and
  // plotter number are filled in here.
  BOOL PlotFile(LPCSTR path, PlotInfo* info);
  BOOL QueryPlotInfo(PlotInfo* info);
  BOOL CancelJob(PlotInfo* info);

  GetPlotterCountEntry GetPlotterCount;
  EnumUsbPlotterAEntry EnumUsbPlotterA;
  GetPlotterInfoAEntry GetPlotterInfoA;
  SelectPlotterEntry SelectPlotter;
  PlotFileAEntry PlotFileA;
  GetPlotInfoEntry GetPlotInfo;
  CancelPlotEntry CancelPlot;

private:
  void ClearPlotterEntries();
  void CollectPlotters(CStringArray& chineseNames, CStringArray& englishNames);
  void PrepareRecord(PlotInfo* info) const;

  int m_plotterNumber;
};
