// The fixed texts that the cut output shows the user, in one place. Each message has a string
// resource of the editor (the English resource library supplies its own text under the same id)
// and the built-in Chinese form that stands where no resources are loaded. Formats keep their
// conversions in the same order in every language.
#pragma once

#include <windows.h>

#include "framework/ResourceText.h"

namespace OutputText {

using Text = CResourceText;

inline CString LoadOr(UINT id, LPCSTR fallback) { return AfxLoadString(id, fallback); }
inline CString Load(const Text& text) { return AfxLoadString(text); }

// clang-format off
// Texts the program shares with the rest of the editor.
const Text kErrorCaption = {50009, "错误"};
const Text kSendFailed = {50015, "数据发送失败!"};
const Text kCutOutput = {50019, "刻绘输出"};
const UINT kParityItemsId = 50020;    // the port dialog's parity entries, one per line
const UINT kFlowItemsId = 50021;      // its flow-control entries

// The job manager's title, the same in both languages of both programs (it is how the editor
// finds the manager).
const char kManagerTitle[] = "镌图匠 - [切割管理程序]";
const char kSendFailedCaption[] = "ERROR";

// The plotting progress window's texts are chosen by the language it is given.
const char kPlottingCaption[] = "输出绘制中....";
const char kPlottingCaptionEnglish[] = "Plotting...";
const char kStopButton[] = "中止输出";
const char kStopButtonEnglish[] = "CANCEL";

// The output command and its progress.
const Text kClipping = {51000, "裁剪输出数据"};
const Text kScaling = {51001, "缩放输出数据"};
const Text kCutting = {51002, "开始切割输出数据!"};
const Text kTestTitle = {51003, "刻字机状态测试"};
const Text kResetTitle = {51004, "刻字机复位"};
const Text kCancel = {51005, "取消"};
const Text kFileWritten = {51006, "切割数据已写入文件:\n%s"};

// The USB plug-in of a port.
const Text kPlugInFailed = {51010, "USB 刻字机插件 \"%s\" 没有开始输出。"};
const Text kPlugInLost = {51011, "USB 刻字机插件 \"%s\" 不再报告输出进度, 刻字机可能没有切完。"};
// The port, then the plug-in's file name.
const Text kPlotterNotAttached = {56300, "USB 刻字机 \"%s\" 没有连接 (插件 %s), 没有输出。请连接刻字机并打开它的电源后再输出。"};
// How a job sent to a port ended: the port, the bytes it took, the file's bytes.
const Text kPlotSent = {51012, "切割数据已发送到输出端口 \"%s\": %u 字节。"};
const Text kPlotStopped = {51013, "输出已终止: 输出端口 \"%s\" 收到 %u 字节, 共 %u 字节。"};
const Text kPlotRefused = {51014, "输出端口 \"%s\" 收到 %u 字节 (共 %u 字节) 后不再接收数据, 切割没有完成。"};

// Values the option pages and the port dialog refuse.
const Text kOffsetRefused = {51020, "刀补偿应为 0 (不补偿) 或 0.10 到 0.99 毫米。"};
const Text kRatioRefused = {51021, "比例调整的 X 和 Y 应在 0.5 到 2.0 之间。"};
const Text kOvercutRefused = {51022, "闭合值应为不小于 0 的整数。"};
const Text kUnlistedSpeed = {51023, "速率 %s 不在列表中, 请选择列表中的速率。"};
const Text kUnsupportedDataBits = {51024, "串口不支持 %s 位数据, 请选择 5 到 8 位。"};

// The hand-over to the job manager.
const Text kRunFailed = {51030, "运行 %s 错误"};
const Text kManagerSilent = {51031, "切割管理程序 %s 启动后没有出现, 切割数据没有交给它。"};
const Text kJobFileFailed = {51032, "无法建立切割任务文件, 切割数据没有交给切割管理程序。"};
const Text kDataPathTooLong = {51033, "切割数据文件的路径超过 %d 个字符, 切割管理程序不能读取:\n%s\n切割数据没有交给它。"};

// The cutter profile and its port.
const Text kNoModel = {51040, "没有选择刻字机型号\n"};
const Text kModelNotListed = {51041, "型号不在 [%s] 中\n"};
const Text kSectionMissing = {51042, "[%s] 不存在或为空\n"};
const Text kCommandMissing = {51043, "%s: 缺少这个命令\n"};
const Text kNoResolution = {51044, "RS: 分辨率必须大于 0\n"};
const Text kProfileUnusable = {51045, "刻字机型号 \"%s\" 的设置不能使用 (%s):\n\n%s"};
const Text kProfileSectionUnusable = {51046, "刻字机型号 \"%s\" 的设置不能使用 (%s 中的 [%s]):\n\n%s"};
const Text kPortRefused = {51047, "输出端口 \"%s\" 没有接受刻字机命令, 刻字机没有收到数据。"};
const Text kPortNotOpened = {51048, "无法打开输出端口 \"%s\"。"};
const Text kPortNameRefused = {53904, "\"%s\" 不是输出端口, 也不是文件路径, 没有输出。"};

// Command templates of a profile that do not fit their command.
const Text kNotIntegerFormat = {51050, "\"%.*s\" 不是可用的整数格式"};
const Text kTemplateTooLong = {51051, "长度超过 %d 个字符"};
const Text kFormatCount = {51052, "应含 %d 个整数格式, 实有 %d 个"};
const Text kFormatRange = {51053, "应含 %d 至 %d 个整数格式, 实有 %d 个"};

// The stamp maker. A new square seal's text (built in: CSquareSealDlg::kDefaultText).
const UINT kStampDefaultTextId = 52380;
const Text kStampNotANumber = {52350, "请输入数字。"};
const Text kStampEmptyFrame = {52351, "印章的宽度和高度必须大于 0。"};
const Text kStampNegative = {52352, "边框宽度、圆角宽度、边距和字距不能小于 0。"};
const Text kStampNoRoom = {52353, "边框、边距和字距太大, 印章里放不下文字。"};
const Text kStampTooManyCharacters = {56500, "这个模版只能放 %d 个字。"};
const Text kStampSquareOnly = {52354, "目前只能制作方形印章。"};
// The shapes and the square shape's templates, one line each.
const Text kStampShapes = {52355, "方  形\n圆  形\n菱  形\n三角形\n倒三角\n其  它"};
const Text kStampTemplates = {52356, "空\n名章\n人名章1\n人名章2\n人名印章\n人名印章1\n人名印章2"};
// Printing and business-card duplication.
const Text kNoPrinter = {52550, "没有安装打印机, 不能打印。请先在系统中安装一台打印机。"};
const Text kPrinterDcFailed = {52551, "建立打印句柄错误(hDC)"};
const Text kPrintRefused = {52552, "打印机没有接受打印作业, 没有打印。"};
const Text kRatioNotPositive = {52553, "比率应为大于 0 的数。"};
const Text kMarginsTooWide = {52554, "边界留空太大, 打印纸上没有可以打印的地方。"};
const Text kCopiesRange = {52555, "份数应为 0 到 999。"};
const Text kNoPrinterName = {52556, "(没有打印机)"};
const Text kCardOutside = {52560, "名片位置超出名片大小"};
const Text kCardCounts = {52561, "横向和纵向份数至少为 1, 名片总数不能超过 2000 张。"};
const Text kCardBuffer = {52562, "缓冲区申请错误!"};
const Text kCardNothing = {52563, "版面上没有可以复制的图形。"};
// clang-format on

}  // namespace OutputText
