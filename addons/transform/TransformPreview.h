// CTransformPreview: the 60 x 60 preview picture of a transformation for the chooser and the
// menus: a grid bent by the transformation, in navy on white (the chooser masks out red, which the
// picture never uses). The bitmap belongs to the caller.
#pragma once

#include <windows.h>

class CTransformPreview {
public:
  static const int kSize = 60;

  // A screen-compatible bitmap, or null for a kind outside the set or when GDI refuses.
  static HBITMAP Create(int kind);

private:
  static void DrawGrid(HDC dc, int kind);
};
