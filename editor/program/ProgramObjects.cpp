// The editor's program-wide objects in the order they must be built; they are destroyed in the
// reverse order at exit. Objects of the other subsystems take their places in this list as they
// come: the font tables, glyph codec and language table after the cutter profile; the code
// conversion tables at the end, just before the model's services, which name objects above them.
#include "editor/ProgramObjects.h"

#include <windows.h>

#include "framework/WinApp.h"

CIniFile g_settings;
CIniFile g_cutterSettings;
CAppProfile g_appProfile;
CColorPalette g_palette(g_settings, CColorPalette::kFileName);
CCutterDevice g_cutterDevice;
CDragTracker g_dragTracker;
CTALVEX42App theApp;
CFRect g_toolRect;
COutPort g_outPort;
CTransformDll g_transformDll;
CModelServices g_modelServices(&g_cutterDevice, &g_transformDll);
CPropertyWnd* g_propertyWnd = nullptr;

int WINAPI WinMain(HINSTANCE instance, HINSTANCE previous, LPSTR commandLine, int showCommand) {
  return AfxWinMain(instance, previous, commandLine, showCommand);
}
