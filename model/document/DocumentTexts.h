// The texts that opening and saving a document show the user, in one place. Each has a string
// resource of the editor (the English resource library supplies its own under the same id);
// these are the built-in Chinese forms, used where the resources have none.
#pragma once

#include <windows.h>

#include "framework/AfxRes.h"
#include "framework/ResourceText.h"

namespace DocumentText {

// clang-format off
const CResourceText kErrorCaption = {50009, "错误"};
const CResourceText kCannotOpen = {AFX_IDP_FAILED_TO_OPEN_DOC, "文件打开失败!"};
const CResourceText kWrongVersion = {53800, "图匠文件版本非6.0版!"};
const CResourceText kNotDocument = {53801, "非镌图匠文件或文件有错误!"};
const CResourceText kCannotCreate = {53802, "文件建立失败!"};
const CResourceText kDamagedList = {53803, "非法的CSegArray数据结构!"};
const CResourceText kDamagedTextArray = {53804, "非法的CBoxArray数据结构!"};
const CResourceText kDamagedCaption = {53805, "数据结构错"};
// clang-format on

}  // namespace DocumentText
