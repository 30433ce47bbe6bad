// CRasterService: what the image block needs of the raster image readers (BMP and TIFF), which
// live in an outer library: the image's description, its colour table and pixel rows, and
// bitmaps to draw. The readers choose themselves by the file name's kind; a file of another kind
// gives false, 0 or null. Nothing is shown to the user through this interface.
//
// An implementation installs itself for its lifetime (a program defines one in its
// program-objects file) and puts back the one installed before it, so a test may install a fake
// for its own duration. Memory handed out is movable global memory that the caller frees.
#pragma once

#include <windows.h>

struct RasterImageInfo;

class CRasterService {
public:
  CRasterService(const CRasterService&) = delete;
  CRasterService& operator=(const CRasterService&) = delete;

  // The service installed last, null when none is.
  static CRasterService* Installed();

  // The description from the file's headers; false when the file cannot be read or handled.
  virtual bool ReadInfo(LPCSTR path, RasterImageInfo* info) = 0;
  // The colour table, 4 bytes (blue, green, red, 0) per entry; null when the image has none.
  virtual HGLOBAL ReadPalette(LPCSTR path) = 0;
  // The number of entries ReadPalette gives (0 without a table).
  virtual int GetColorCount(LPCSTR path) = 0;
  // The pixel rows, each padded to a multiple of 4 bytes: the picture's top row first when
  // topDown is set, else its bottom row first, whichever way the file stores them. Null when
  // the pixels cannot be read.
  virtual HGLOBAL ReadBits(LPCSTR path, bool topDown) = 0;
  // A device-dependent bitmap of the picture for the context (the screen's when null); null when
  // the file cannot be read or the bitmap cannot be made. The caller deletes it.
  virtual HBITMAP CreateBitmap(LPCSTR path, HDC dc) = 0;
  // The picture as a device-independent bitmap of the file's own depth and colours, which takes
  // the memory of the file's pixels whatever the screen's depth (a device bitmap of a one-bit
  // picture takes 32 times that on a true-colour screen) and selects into a memory context of
  // any kind. Null when the file cannot be read or the bitmap cannot be made. The caller deletes
  // it.
  virtual HBITMAP CreateDib(LPCSTR path) = 0;

protected:
  CRasterService();
  virtual ~CRasterService();

private:
  CRasterService* m_previous;
};
