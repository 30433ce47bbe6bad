// The texts the bitmap tracing shows the user, in one place. Each has a string resource of the
// editor (the English resource library supplies its own); these are the built-in Chinese forms,
// used when the resources have none.
#pragma once

#include <windows.h>

namespace TraceText {

// clang-format off
const UINT kErrorCaptionId = 50009;      // "错误"
const UINT kColourCountId = 52150;       // "图像含有%u种色彩!!" (the colour count)
const UINT kTooManyColoursId = 52151;
const UINT kSelectImageId = 52152;
const UINT kNothingTracedId = 52153;
// clang-format on

const char kErrorCaption[] = "错误";
const char kColourCount[] = "图像含有%u种色彩!!";
const char kTooManyColours[] = "彩色图像色彩不能超过2色";
const char kSelectImage[] = "请先选中一个图像块!";
const char kNothingTraced[] = "图像中没有描出轮廓。";

}  // namespace TraceText
