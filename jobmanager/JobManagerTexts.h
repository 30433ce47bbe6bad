// The texts that the job manager shows, in one place. Texts with a string resource are loaded
// from it first (the English resource library supplies its own); these are the built-in forms.
#pragma once

#include <windows.h>

#include "framework/String.h"

namespace JobManagerText {

const char kProgress[] = "%d/100";
// Copies done over copies requested.
const char kCopies[] = "%s/%d";
const char kDone[] = "完成";
const char kAboutCaption[] = "ORVENDALE";
const char kAbout[] = "ORVENDALE 切割管理程序";
const char kEnglishLibraryName[] = "orvResEng.DLL";
// Why a copy was not cut: the file or port, then the system's reason.
const char kJobFileUnreadable[] = "无法读取切割任务文件 \"%s\":\n%s";
const char kDataUnreadable[] = "无法读取切割数据文件 \"%s\":\n%s\n切割数据仍在队列中。";
const char kPortNotOpened[] =
    "无法打开输出端口 \"%s\":\n%s\n切割数据仍在队列中, 端口可用后请再开始切割。";
const char kPortRefused[] =
    "输出端口 \"%s\" 没有接受全部切割数据:\n%s\n这一份没有切完, 切割数据仍在队列中。";
const char kNoReason[] = "(系统没有给出原因)";

// The resource text, or the built-in form when the resources have none.
inline CString LoadOr(UINT id, LPCSTR fallback) { return AfxLoadString(id, fallback); }

}  // namespace JobManagerText
