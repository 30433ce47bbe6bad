// The editor's program-wide objects. They are defined, in the order of their construction, in
// editor/program/ProgramObjects.cpp, which is compiled into the program itself (and into the
// editor's tests), so that each exists exactly once and is built before the application runs.
#pragma once

#include "editor/TALVEX42App.h"
#include "editor/bars/ColorPalette.h"
#include "editor/dialogs/FontReplacePrompt.h"
#include "editor/dialogs/TextEditorStore.h"
#include "media/TransformDll.h"
#include "media/images/RasterReaders.h"
#include "media/library/LibraryGlyphs.h"
#include "media/library/MountLibList.h"
#include "model/blocks/ModelServices.h"
#include "model/editing/DragTracker.h"
#include "model/geometry/FRect.h"
#include "model/settings/AppProfile.h"
#include "model/settings/IniFile.h"
#include "output/CutSettings.h"
#include "output/CutterDevice.h"
#include "output/OutPort.h"
#include "output/StampServices.h"
#include "text/CftFontTable.h"
#include "text/CodeTable.h"
#include "text/FontServices.h"
#include "text/GlyphCodec.h"
#include "text/Language.h"
#include "text/TextServices.h"
#include "text/TtfFontTable.h"
#include "text/WinFontTable.h"

// TALVEX42.INI in the program folder.
extern CIniFile g_settings;
// First TALVEX42.INI as well; start-up points it at Cutters.INI.
extern CIniFile g_cutterSettings;
extern CAppProfile g_appProfile;
// The numbered colours, read from PALETTE.INI in the palette folder as the program starts.
extern CColorPalette g_palette;
// The cutter profile, built without a model.
extern CCutterDevice g_cutterDevice;
// The cut settings ("CutInfo" of Cutters.INI) that the cut bars edit.
extern CCutSettings g_cutSettings;
// The font sources, the glyph codec and the language table, empty until start-up loads them.
extern CWinFontTable g_winFontTable;
extern CTtfFontTable g_ttfFontTable;
extern CCftFontTable g_cftFontTable;
// The graphics libraries of the library folder, scanned at start-up.
extern CMountLibList g_mountLibList;
extern CGlyphCodec g_glyphCodec;
extern CLanguage g_language;
extern CDragTracker g_dragTracker;
extern CTALVEX42App theApp;
// The rectangle the drawing tools share.
extern CFRect g_toolRect;
// Every cut output goes through this port.
extern COutPort g_outPort;
extern CTransformDll g_transformDll;
// The GB/Big5 conversion tables, loaded from the program folder as they are built.
extern CCodeTable g_big5ToGb;
extern CCodeTable g_gbToBig5;
// The font objects wired together; documents read and write their font-mount section through it.
extern CFontServices g_fontServices;
// Last: the model reaches the cutter profile and the transform library through its own
// interfaces from here on.
extern CModelServices g_modelServices;
// The record dispatcher reads text blocks through it.
extern CTextServices g_textServices;
// The record dispatcher reads stamps through it.
extern CStampServices g_stampServices;
// Image blocks read their files through it.
extern CRasterReaders g_rasterReaders;
// Library blocks and the library dialogs read fonts' characters and libraries' graphics here.
extern CLibraryGlyphs g_libraryGlyphs;
// Documents store the text editor window's text and add theirs to it through this.
extern CTextEditorStore g_textEditorStore;
// An opened document whose texts use fonts that are not mounted asks the user through this.
extern CFontReplacePrompt g_fontReplacePrompt;

class CPropertyWnd;
// The floating property window while there is one; the window clears it when it goes.
extern CPropertyWnd* g_propertyWnd;
