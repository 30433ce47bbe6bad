// CXorScope: for its lifetime a device context draws in the NOT-XOR raster operation with a chosen
// pen and the null brush, so that drawing a figure twice erases it; what was selected before comes
// back when the scope ends.
#pragma once

#include <windows.h>

class CDC;
class CPen;

class CXorScope {
public:
  CXorScope(CDC* dc, CPen* pen);
  ~CXorScope();
  CXorScope(const CXorScope&) = delete;
  CXorScope& operator=(const CXorScope&) = delete;

  void SelectPen(CPen* pen);

private:
  CDC* m_dc;
  HGDIOBJ m_pen;
  HGDIOBJ m_brush;
  int m_rop;
};
