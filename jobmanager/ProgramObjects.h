// The job manager's program-wide objects. They are defined, in the order of their construction,
// in jobmanager/program/ProgramObjects.cpp, which is compiled into ORV.EXE itself (and into the
// job manager's tests), so that each exists exactly once and is built before the application runs.
#pragma once

#include "jobmanager/JobManagerApp.h"
#include "output/OutPort.h"

// Every job goes out through this port (its plug-in serves USB cutters).
extern COutPort g_outPort;
extern CJobManagerApp theApp;
