#include "media/images/RasterReaders.h"

#include "media/images/BmpImage.h"
#include "media/images/TiffImage.h"
#include "model/blocks/RasterImageInfo.h"
#include "model/document/FileKinds.h"

namespace {

int KindOf(LPCSTR path) { return path ? GetFileKindByExtension(path) : -1; }

}  // namespace

bool CRasterReaders::ReadInfo(LPCSTR path, RasterImageInfo* info) {
  if (!info) return false;
  switch (KindOf(path)) {
    case kFileKindTiff: {
      CTiffImage tiff(path);
      if (!tiff.ReadHeader()) return false;
      tiff.GetInfo(info);
      return true;
    }
    case kFileKindBitmap: {
      CBmpImage bmp(path);
      if (!bmp.ReadHeader()) return false;
      bmp.GetInfo(info);
      return true;
    }
    default:
      return false;
  }
}

HGLOBAL CRasterReaders::ReadPalette(LPCSTR path) {
  switch (KindOf(path)) {
    case kFileKindTiff:
      return CTiffImage(path).ReadPalette();
    case kFileKindBitmap:
      return CBmpImage(path).ReadPalette();
    default:
      return nullptr;
  }
}

int CRasterReaders::GetColorCount(LPCSTR path) {
  switch (KindOf(path)) {
    case kFileKindTiff:
      return CTiffImage(path).GetColorCount();
    case kFileKindBitmap:
      return CBmpImage(path).GetColorCount();
    default:
      return 0;
  }
}

HGLOBAL CRasterReaders::ReadBits(LPCSTR path, bool topDown) {
  switch (KindOf(path)) {
    case kFileKindTiff: {
      CTiffImage tiff(path);
      HGLOBAL strips = tiff.ReadBits();
      if (!strips) return nullptr;
      HGLOBAL rows = topDown ? tiff.PadRows(strips) : tiff.FlipToDib(strips);
      ::GlobalFree(strips);
      return rows;
    }
    case kFileKindBitmap:
      return CBmpImage(path).ReadBits(topDown ? TRUE : FALSE);
    default:
      return nullptr;
  }
}

HBITMAP CRasterReaders::CreateBitmap(LPCSTR path, HDC dc) {
  switch (KindOf(path)) {
    case kFileKindTiff:
      return CTiffImage(path).CreateBitmap(dc, nullptr);
    case kFileKindBitmap:
      return CBmpImage(path).CreateBitmap(dc, nullptr);
    default:
      return nullptr;
  }
}
