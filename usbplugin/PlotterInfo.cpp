#include "usbplugin/PlotterInfo.h"

#include <cstdio>
#include <cstring>

namespace {

const INT32 kUnitsPerInch = 1016;
const char kChineseName[] = "沐石丰泽 刻字机 USB驱动[%s:%02d]";
const char kEnglishName[] = "BrisvanderwolLetteringMachine USBDrv[%s:%02d]";

template <class Info>
void Fill(Info& info, LPCSTR fileName, int plotterNumber) {
  memset(info.chineseName, 0, sizeof info.chineseName);
  memset(info.englishName, 0, sizeof info.englishName);
  snprintf(info.chineseName, sizeof info.chineseName, kChineseName, fileName, plotterNumber);
  snprintf(info.englishName, sizeof info.englishName, kEnglishName, fileName, plotterNumber);
  memset(info.reserved, 0, sizeof info.reserved);
  info.reserved1 = 0;
  info.reserved2 = 0;
  info.plotterNumber = plotterNumber;
  info.unitsPerInch = kUnitsPerInch;
  info.reserved3 = 0;
}

}  // namespace

void FillPlotterInfo(UsbPlotterInfoA& info, LPCSTR fileName, int plotterNumber) {
  Fill(info, fileName, plotterNumber);
}

void FillPlotterInfo(UsbPlotterInfoW& info, LPCSTR fileName, int plotterNumber) {
  Fill(info, fileName, plotterNumber);
}
