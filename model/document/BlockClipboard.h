// The copy command's clipboard writer: the selected blocks of a list as one block-list record in
// the private format ("... - [SEGMULTI]") and their text in its 8-bit and wide forms
// (CGbkClipboard). Type codes decide: transform, group and text blocks give their text and their
// record; lines, rectangles, circles, polygons, curves, library symbols, images and type 240 their
// record only; any other type (the stamps) is left out.
//
// Both parts are built before the clipboard is touched, and the clipboard is opened and emptied
// only when there is something to put on it: copying nothing that can be copied leaves it as it
// was. The text is collected in a buffer of kClipboardTextCapacity bytes; longer text is cut.
#pragma once

#include <windows.h>

class CSegArray;

// 0 when the clipboard cannot be opened on the owner window, else 1.
int CopyBlocksAndTextToClipboard(HWND owner, const CSegArray& blocks);
