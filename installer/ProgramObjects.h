// The installer's program-wide object, defined in installer/program/ProgramObjects.cpp, which is
// compiled into fennik.exe itself (and into the installer's tests).
#pragma once

#include "installer/InstallerApp.h"

extern CInstallerApp theApp;
