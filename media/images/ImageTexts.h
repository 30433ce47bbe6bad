// The texts that the raster image readers show the user, in one place. Each has a string
// resource of the editor (the English resource library supplies its own); these are the built-in
// Chinese forms, used when the resources have none.
#pragma once

#include <windows.h>

#include "framework/String.h"

namespace ImageText {

// clang-format off
const UINT kErrorCaptionId = 50009;         // "错误"
const UINT kCannotOpenId = 51600;           // "文件:[%s]打开失败!" (the path)
const UINT kTiffNotIntelId = 51601;
const UINT kTiffEntryCountId = 51602;       // (the entry count)
const UINT kTiffCompressedId = 51603;
const UINT kTiffSamplesId = 51604;
const UINT kTiffTooManyColoursId = 51605;
const UINT kBmpNotBitmapId = 51606;
const UINT kBmpJpegId = 51607;
const UINT kBmpCompressedId = 51608;
const UINT kBmpBitCountId = 51609;          // (the bit count, the colour count as text)
const UINT kBmpBitmapFailedId = 51610;
const UINT kBmpFailedCaptionId = 51611;
const UINT kBmpSizeId = 51613;
const UINT kBmpShortId = 51614;
const UINT kTiffDamagedId = 51615;
const UINT kTiffBitCountId = 51616;         // (the bits per sample)
const UINT kTiffTiledId = 51617;
// clang-format on

const char kErrorCaption[] = "错误";
const char kCannotOpen[] = "文件:[%s]打开失败!";
const char kTiffNotIntel[] = "非INTER数据类型TIF文件!";
const char kTiffEntryCount[] = "文件IFD＝[%d]!";
const char kTiffCompressed[] = "不能处理压缩格式TIF文件!";
const char kTiffSamples[] = "不能处理多页面式TIF文件!";
const char kTiffTooManyColours[] = "不能处理大于256色TIF文件!";
const char kBmpNotBitmap[] = "\r\n非法BitMap格式文件!";
const char kBmpJpeg[] = "\r\n该文件BitMap为JPEG压缩格式,不能处理!";
const char kBmpCompressed[] = "\r\n该文件BitMap为压缩格式,不能处理!";
const char kBmpBitCount[] = "\r\n不能处理%d位%s色BMP文件!";
const char kBmpBitmapFailed[] = "BMP打开失败!!!";
const char kBmpFailedCaption[] = "严重错误";
const char kBmpSize[] = "\r\n该BMP文件的宽度或高度不正确!";
const char kBmpShort[] = "\r\n该BMP文件的数据不完整!";
const char kTiffDamaged[] = "TIF文件的数据不完整或已损坏!";
const char kTiffBitCount[] = "不能处理每点%d位的TIF文件!";
const char kTiffTiled[] = "不能处理分块格式TIF文件!";

// The resource text, or the built-in form when the resources have none.
inline CString LoadOr(UINT id, LPCSTR fallback) { return AfxLoadString(id, fallback); }

}  // namespace ImageText
