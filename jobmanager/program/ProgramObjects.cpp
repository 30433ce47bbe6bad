// The job manager's program-wide objects in the order they must be built; they are destroyed in
// the reverse order at exit, the application before the port it sends through.
#include "jobmanager/ProgramObjects.h"

#include <windows.h>

#include "framework/WinApp.h"

COutPort g_outPort;
CJobManagerApp theApp;

int WINAPI WinMain(HINSTANCE instance, HINSTANCE previous, LPSTR commandLine, int showCommand) {
  return AfxWinMain(instance, previous, commandLine, showCommand);
}
