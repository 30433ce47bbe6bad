// The installer's program-wide object and its entry.
#include "installer/ProgramObjects.h"

#include <windows.h>

CInstallerApp theApp;

int WINAPI WinMain(HINSTANCE instance, HINSTANCE previous, LPSTR commandLine, int showCommand) {
  return AfxWinMain(instance, previous, commandLine, showCommand);
}
