// CPlotJob: one plot file queued for a device slot, from queuing until it is finished: its path
// and delete flag, its identifier, the open file the writer reads, the number of records the
// counting pass found and what it dropped, and where its records lie in the slot's stream of sent
// records (the count sent before it started, and its own count sent so far).
#pragma once

#include <windows.h>

#include "usbplugin/PlotFile.h"

class CPlotJob {
public:
  CPlotJob(LPCSTR path, bool deleteFile)
      : deleteFile(deleteFile),
        id(0),
        recordCount(0),
        dropped(),
        started(false),
        sentBefore(0),
        sent(0) {
    lstrcpynA(this->path, path, MAX_PATH);
  }

  char path[MAX_PATH];
  bool deleteFile;
  INT32 id;
  CPlotFile file;
  INT32 recordCount;
  DroppedCommands dropped;
  bool started;      // the writer has begun reading it
  INT64 sentBefore;  // records the slot had sent when it started
  INT64 sent;        // its records that the cutter took
};
