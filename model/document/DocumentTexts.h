// The texts that opening and saving a document show the user, in one place. Each has a string
// resource of the editor (the English resource library supplies its own under the same id);
// these are the built-in Chinese forms, used where the resources have none.
#pragma once

#include <windows.h>

#include "framework/String.h"

namespace DocumentText {

struct Text {
  UINT id;
  const char* chinese;
};

inline CString Load(const Text& text) { return AfxLoadString(text.id, text.chinese); }

// clang-format off
const Text kErrorCaption = {50009, "错误"};
const Text kCannotOpen = {0xF004, "文件打开失败!"};       // the framework's failed-open prompt
const Text kWrongVersion = {53800, "图匠文件版本非6.0版!"};
const Text kNotDocument = {53801, "非镌图匠文件或文件有错误!"};
const Text kCannotCreate = {53802, "文件建立失败!"};
const Text kDamagedList = {53803, "非法的CSegArray数据结构!"};
const Text kDamagedTextArray = {53804, "非法的CBoxArray数据结构!"};
const Text kDamagedCaption = {53805, "数据结构错"};
// clang-format on

}  // namespace DocumentText
