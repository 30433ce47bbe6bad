#include "media/images/RasterReaders.h"

#include <cstring>

#include "framework/GlobalLock.h"
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

HGLOBAL CRasterReaders::MakeBitmapInfo(LPCSTR path) {
  switch (KindOf(path)) {
    case kFileKindTiff:
      return CTiffImage(path).MakeBitmapInfo();
    case kFileKindBitmap:
      return CBmpImage(path).MakeBitmapInfo();
    default:
      return nullptr;
  }
}

HBITMAP CRasterReaders::CreateDib(LPCSTR path) {
  HGLOBAL info = MakeBitmapInfo(path);
  HGLOBAL bits = info ? ReadBits(path, false) : nullptr;
  HBITMAP section = nullptr;
  if (bits) {
    CGlobalLock header(info);
    CGlobalLock rows(bits);
    void* pixels = nullptr;
    if (header.Data() && rows.Data())
      section = ::CreateDIBSection(nullptr, header.As<BITMAPINFO>(), DIB_RGB_COLORS, &pixels,
                                   nullptr, 0);
    // The section's rows are padded as the file's are: the same bytes, which must all be there.
    BITMAP made = {};
    const size_t bytes = section && ::GetObjectA(section, sizeof made, &made)
                             ? size_t(made.bmWidthBytes) * size_t(made.bmHeight)
                             : 0;
    if (section && (!pixels || bytes == 0 || bytes > rows.Size())) {
      ::DeleteObject(section);
      section = nullptr;
    }
    if (section) memcpy(pixels, rows.Data(), bytes);
  }
  for (HGLOBAL block : {info, bits})
    if (block) ::GlobalFree(block);
  return section;
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
