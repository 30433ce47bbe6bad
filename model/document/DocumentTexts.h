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
// Damaged objects met outside a document's open (a paste, a merge), and their caption.
const CResourceText kDamagedList = {53803, "物件数据已损坏!"};
const CResourceText kDamagedTextArray = {53804, "文字数据已损坏, 损坏处之后的字符没有读入!"};
const CResourceText kDamagedCaption = {53805, "数据损坏"};
// What a document's open says of a damaged file (what it kept), and the status bar's text after
// such an open in place of the open's "done".
const CResourceText kDamagedFileStopped = {56601, "文件已损坏: 读入了损坏处之前的 %d 个物件, 其后的内容不能读出."};
const CResourceText kDamagedFileMended = {56602, "文件有损坏, 已修复: 读入了 %d 个物件."};
const CResourceText kDamagedFileLeftOut = {56603, "文件有损坏, 已修复: 读入了 %d 个物件, 略去了 %d 个损坏的物件."};
const CResourceText kDamagedFileEmpty = {56604, "文件已损坏, 没有能读出的物件!"};
const CResourceText kDamagedFileStatus = {56605, "文件有损坏, 已读入能读出的部分"};
// clang-format on

}  // namespace DocumentText
