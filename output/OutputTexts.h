// The fixed texts that the cut output shows the user, in one place. Texts with a string resource
// are loaded from it first (the English resource library supplies its own); these are the
// built-in Chinese forms.
#pragma once

#include <windows.h>

#include "framework/String.h"

namespace OutputText {

// String resources of the editor that the output reads.
// clang-format off
const UINT kSendFailedId = 50015;     // "数据发送失败!"
const UINT kManagerTitleId = 50018;   // the job manager's window title
const UINT kCutOutputId = 50019;      // "刻绘输出"
const UINT kParityItemsId = 50020;    // the port dialog's parity entries, one per line
const UINT kFlowItemsId = 50021;      // its flow-control entries
// clang-format on

const char kSendFailed[] = "数据发送失败!";
const char kManagerTitle[] = "镌图匠 - [切割管理程序]";
const char kCutOutput[] = "刻绘输出";

const char kErrorCaption[] = "错误";
const char kSendFailedCaption[] = "ERROR";
const char kRunFailed[] = "运行 %s 错误";
const char kManagerSilent[] = "切割管理程序 %s 启动后没有出现, 切割数据没有交给它。";
const char kJobFileFailed[] = "无法建立切割任务文件, 切割数据没有交给切割管理程序。";

const char kClipping[] = "裁剪输出数据";
const char kScaling[] = "缩放输出数据";
const char kCutting[] = "开始切割输出数据!";
const char kTestTitle[] = "刻字机状态测试";
const char kResetTitle[] = "刻字机复位";
const char kCancel[] = "取消";

const char kPlottingCaption[] = "输出绘制中....";
const char kPlottingCaptionEnglish[] = "Plotting...";
const char kStopButton[] = "中止输出";
const char kStopButtonEnglish[] = "CANCEL";
const char kPlugInFailed[] = "USB 刻字机插件 \"%s\" 没有开始输出。";

const char kOffsetRefused[] = "刀补偿应为 0 (不补偿) 或 0.10 到 0.99 毫米。";
const char kRatioRefused[] = "比例调整的 X 和 Y 应在 0.5 到 2.0 之间。";
const char kOvercutRefused[] = "闭合值应为不小于 0 的整数。";

const char kUnlistedSpeed[] = "速率 %s 不在列表中, 请选择列表中的速率。";
const char kUnsupportedDataBits[] = "串口不支持 %s 位数据, 请选择 5 到 8 位。";

// The resource text, or the built-in form when the resources have none.
inline CString LoadOr(UINT id, LPCSTR fallback) {
  CString text;
  if (!text.LoadString(id) || text.IsEmpty()) text = fallback;
  return text;
}

}  // namespace OutputText
