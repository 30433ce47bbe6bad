// CRasterReaders: the raster service of the program (CRasterService): it picks the BMP or TIFF
// reader by the kind of the file name (".BMP" 8, ".TIF" 7), makes it for one request and deletes
// it afterwards. A file of any other kind gives nothing. It shows nothing: the read-image command
// runs the readers' own checks with a window where the user must be told.
#pragma once

#include <windows.h>

#include "model/blocks/RasterService.h"

class CRasterReaders : public CRasterService {
public:
  CRasterReaders() = default;
  ~CRasterReaders() override = default;

  bool ReadInfo(LPCSTR path, RasterImageInfo* info) override;
  HGLOBAL ReadPalette(LPCSTR path) override;
  int GetColorCount(LPCSTR path) override;
  HGLOBAL ReadBits(LPCSTR path, bool topDown) override;
  HBITMAP CreateBitmap(LPCSTR path, HDC dc) override;
  HBITMAP CreateDib(LPCSTR path) override;

private:
  // The information header with the colour table or masks, for the file's rows bottom-up.
  static HGLOBAL MakeBitmapInfo(LPCSTR path);
};
