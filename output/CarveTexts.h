// The fixed texts of the engraving output (the fill dialog, the origin dialog and their
// messages), in one place. Each is loaded from its string resource first (the English resource
// library supplies its own); these are the built-in Chinese forms.
#pragma once

#include <windows.h>

#include "framework/String.h"

namespace CarveText {

// clang-format off
const UINT kInvalidOptionsId = 52250;   // "非法的输出参数"
const UINT kNotOnlineId = 52251;        // "没有联机"
const UINT kProfileUnusableId = 52252;  // model name, problems
const UINT kPortNotOpenedId = 52253;    // port name
const UINT kWriteFailedId = 52254;      // port name
const UINT kRasterTooLargeId = 52255;   // columns, rows
const UINT kNothingToFillId = 52256;
const UINT kStopButtonId = 52257;       // "终止"
const UINT kConfirmButtonId = 52258;    // "确认"
const UINT kOutputButtonId = 52259;     // "输出"
const UINT kAreaKindsId = 52260;        // the output-area kinds, one per line
const UINT kTempFileFailedId = 52261;   // the system's reason, the folder
const UINT kErrorCaptionId = 52262;     // "错误"
const UINT kFileWrittenId = 53700;      // the plot file
// The problems of an engraver's profile, each a line.
const UINT kNoModelId = 53701;
const UINT kModelNotListedId = 53702;      // the model list section
const UINT kSectionMissingId = 53703;      // the model's section
const UINT kCommandMissingId = 53704;      // the key
const UINT kFinishTooLongId = 53705;       // the text, the characters allowed
const UINT kNoResolutionId = 53706;
const UINT kStoppedPortId = 53707;         // the port
const UINT kStoppedFileId = 53708;         // the deleted file
// clang-format on

const char kInvalidOptions[] = "非法的输出参数";
const char kNotOnline[] = "没有联机";
const char kProfileUnusable[] = "雕刻机型号 \"%s\" 的设置不能使用 (Carves.INI):\n\n%s";
const char kPortNotOpened[] = "无法打开输出端口 \"%s\", 没有输出。";
const char kWriteFailed[] = "输出端口 \"%s\" 没有接受雕刻数据, 雕刻任务没有完成。";
const char kRasterTooLarge[] = "填充区域太大 (%d x %d 点), 请选用较大的填充精度数值。";
const char kNothingToFill[] = "输出区域小于一个填充点, 没有可以雕刻的内容。";
const char kStopButton[] = "终止";
const char kConfirmButton[] = "确认";
const char kOutputButton[] = "输出";
const char kAreaKinds[] = "版       面\n方       形\n圆       形\n菱       形\n正三角形\n倒三角形";
const char kTempFileFailed[] = "无法建立临时文件, 雕刻数据没有输出。\n%s\n%s";
const char kErrorCaption[] = "错误";
const char kFileWritten[] = "雕刻数据已写入文件:\n%s";
const char kNoModel[] = "没有选择雕刻机型号\n";
const char kModelNotListed[] = "型号不在 [%s] 中\n";
const char kSectionMissing[] = "[%s] 不存在或为空\n";
const char kCommandMissing[] = "%s: 缺少这个命令\n";
const char kFinishTooLong[] = "FinishCmd=%s: 长度超过 %d 个字符\n";
const char kNoResolution[] = "SoftWareRes: 分辨率必须大于 0\n";
const char kStoppedPort[] = "雕刻已终止, 没有数据交给输出端口 \"%s\"。";
const char kStoppedFile[] = "雕刻已终止, 没有写完的文件已删除:\n%s";

// The device-context failures keep their own English wording in every language.
const char kNoDeviceContext[] = "Error In CreateDC,C2DCARVEDLG";
const char kNoBitmap[] = "Error In CreateBitmap,C2DCARVEDLG";
const char kGdiCaption[] = "error";

// The resource text, or the built-in form when the resources have none.
inline CString LoadOr(UINT id, LPCSTR fallback) { return AfxLoadString(id, fallback); }

}  // namespace CarveText
