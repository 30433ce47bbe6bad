// The texts of the installer that are fixed literals: the step names shown while installing, the
// error texts of the steps (the same in both languages) and the two texts that follow the
// catalogue's language. Messages of the installer's own checks are string resources
// (resources/installer/Strings.rci).
#pragma once

namespace InstallerText {

// Steps, shown in the step text while they run.
const char kStepGetCutterEntry[] = "GetCutterEntry";
const char kStepFillCutterInfo[] = "FillCutterInfo";
const char kStepAddCutterDriver[] = "AddCutterDriver";

// Error texts of the steps.
const char kNoManufacturer[] = "Can't find Manufacturer %d";
const char kBadManufacturer[] = "Invalidate Manufacturer Structure";
const char kNoCutter[] = "Can't find Cutter(%d)";
const char kBadCutterLine[] = "CutterName Line = Structure";
const char kNoDataSection[] = "Can't find DataSection in [%s]";
const char kNoDriverFile[] = "Can't found DriverFile Script";
const char kNoConfigFile[] = "Can't found ConfigFile Script";
const char kNoHelpFile[] = "Can't found HelpFile Script";
const char kCopyFileFail[] = "Copy file fail";

// The error caption and the no-selection message, by the catalogue's language.
const char kErrorCaption[] = "安装错误";
const char kErrorCaptionEnglish[] = "Install Failed";
const char kSelectCutter[] = "请选择一个刻字机";
const char kSelectCutterEnglish[] = "Please Select Cutter/Plotter";
const char kOkEnglish[] = "OK";
const char kCancelEnglish[] = "Cancel";

// The catalogues by the system's language, and the English resource library.
const char kChineseCatalogue[] = "tlvcut.inf";
const char kEnglishCatalogue[] = "tlvcutE.inf";
const char kEnglishLibraryName[] = "fennikEng.DLL";

}  // namespace InstallerText
