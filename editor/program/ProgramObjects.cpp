// The editor's program-wide objects in the order they must be built; they are destroyed in the
// reverse order at exit. Objects of the other subsystems take their places in this list as they
// come: the palette after the profile accessor; the font tables, glyph codec and language table
// after the cutter profile, then the mounted graphics libraries; the code conversion tables at the
// end, then the font services, the model's services, the text and stamp record readers, the raster
// readers the image blocks use, the library blocks' glyph source, and the documents' text editor
// store and font replacement prompt, which name objects above them.
#include "editor/ProgramObjects.h"

#include <windows.h>

#include "framework/WinApp.h"

CIniFile g_settings;
CIniFile g_cutterSettings;
CAppProfile g_appProfile;
CColorPalette g_palette(g_settings, CColorPalette::kFileName);
CCutterDevice g_cutterDevice;
CCutSettings g_cutSettings;
CWinFontTable g_winFontTable;
CTtfFontTable g_ttfFontTable;
CCftFontTable g_cftFontTable;
CMountLibList g_mountLibList(g_settings);
CGlyphCodec g_glyphCodec;
CLanguage g_language;
CDragTracker g_dragTracker;
CTALVEX42App theApp;
CFRect g_toolRect;
COutPort g_outPort;
CTransformDll g_transformDll;
CCodeTable g_big5ToGb(CCodeTable::kBig5ToGb, CCodeTable::kLoadNow);
CCodeTable g_gbToBig5(CCodeTable::kGbToBig5, CCodeTable::kLoadNow);
CFontServices g_fontServices(g_language, g_winFontTable, g_ttfFontTable, g_cftFontTable, g_gbToBig5,
                             g_big5ToGb);
CModelServices g_modelServices(&g_cutterDevice, &g_transformDll);
CTextServices g_textServices(&g_language);
CStampServices g_stampServices;
CRasterReaders g_rasterReaders;
CLibraryGlyphs g_libraryGlyphs(g_winFontTable, g_mountLibList);
CTextEditorStore g_textEditorStore;
CFontReplacePrompt g_fontReplacePrompt(g_language);
CPropertyWnd* g_propertyWnd = nullptr;

int WINAPI WinMain(HINSTANCE instance, HINSTANCE previous, LPSTR commandLine, int showCommand) {
  return AfxWinMain(instance, previous, commandLine, showCommand);
}
