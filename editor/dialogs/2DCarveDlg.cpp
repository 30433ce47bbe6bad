#include "editor/dialogs/2DCarveDlg.h"

#include <commctrl.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "framework/FileDialog.h"
#include "framework/MessageBox.h"
#include "framework/WinApp.h"
#include "model/blocks/Block.h"
#include "model/blocks/GroupBlock.h"
#include "model/blocks/ShapeBlock.h"
#include "model/document/SegArray.h"
#include "model/document/TALVEX42Doc.h"
#include "model/settings/ProgramPaths.h"
#include "output/CarveOriginDlg.h"
#include "output/CarveTexts.h"
#include "output/JobFile.h"
#include "output/PortLists.h"
#include "output/PortNames.h"
#include "output/PortSetupDlg.h"
#include "text/TextBlock.h"

// clang-format off
BEGIN_MESSAGE_MAP(C2DCarveDlg, CDialog)
  ON_BN_CLICKED(C2DCarveDlg::kPortSetupButton, OnPortSetup)
  ON_BN_CLICKED(C2DCarveDlg::kOriginButton, OnOrigin)
END_MESSAGE_MAP()
// clang-format on

const char* const C2DCarveDlg::kFillSteps[] = {"1",    "0.5",  "0.25", "0.20", "0.15",
                                               "0.10", "0.05", "0.02", "0.01"};
const char C2DCarveDlg::kFileEntry[] = "File";

namespace {

const char kCarveInfo[] = "CarveInfo";
const char kTempPrefix[] = "OSD";
const float kLargestFillStep = 10.0f;
const int kFewestCurveAccuracy = 1;
const int kMostCurveAccuracy = 9;
const int kDefaultCurveAccuracy = 4;
const char kDefaultFillStep[] = "0.10";
// Room for the model names of "CarveDevices".
const int kModelNameChars = 80;

struct CheckOption {
  UINT control;
  LPCSTR key;
  int CarveFillOptions::*value;
  int defaultValue;
};

// The check boxes, their keys and defaults. "FillMode" is read by any case of its name.
const CheckOption kChecks[] = {
    {C2DCarveDlg::kMirrorCheck, "Mirror", &CarveFillOptions::mirror, 1},
    {C2DCarveDlg::kRotateCheck, "Rotate", &CarveFillOptions::rotate, 0},
    {C2DCarveDlg::kRemoteOutCheck, "RemoteOut", &CarveFillOptions::remoteOut, 0},
    {C2DCarveDlg::kFillModeCheck, "FillMode", &CarveFillOptions::fillMode, 0},
    {C2DCarveDlg::kDoubleWayCheck, "DoubleWay", &CarveFillOptions::doubleWay, 1},
    {C2DCarveDlg::kDrawContourCheck, "DrawContour", &CarveFillOptions::drawContour, 0},
    {C2DCarveDlg::kInverseOutCheck, "InverseOut", &CarveFillOptions::inverseOut, 0},
};

CString ControlText(HWND dialog, UINT id) {
  char text[256] = {};
  ::GetDlgItemTextA(dialog, static_cast<int>(id), text, sizeof text);
  return text;
}

// A whole decimal number and nothing else (blanks around it aside); an empty text is 0.
bool ParseNumber(const CString& text, double* value) {
  CString trimmed = text;
  trimmed.Trim();
  *value = 0.0;
  if (trimmed.IsEmpty()) return true;
  char* end = nullptr;
  *value = std::strtod(trimmed.GetString(), &end);
  return end && *end == '\0' && *value == *value;
}

bool ParseInteger(const CString& text, long* value) {
  CString trimmed = text;
  trimmed.Trim();
  char* end = nullptr;
  *value = std::strtol(trimmed.GetString(), &end, 10);
  return !trimmed.IsEmpty() && end && *end == '\0';
}

bool IsFillStep(const CString& text) {
  double step = 0.0;
  return ParseNumber(text, &step) && step > 0.0 && step <= kLargestFillStep;
}

bool IsCurveAccuracy(const CString& text, long* value) {
  return ParseInteger(text, value) && *value >= kFewestCurveAccuracy &&
         *value <= kMostCurveAccuracy;
}

// Selects the entry that starts with text, or the first entry; an editable combo keeps a text
// that no entry has.
void SelectPrefix(HWND combo, const CString& text, bool editable) {
  LRESULT found = CB_ERR;
  if (!text.IsEmpty())
    found = ::SendMessageA(combo, CB_SELECTSTRING, static_cast<WPARAM>(-1),
                           reinterpret_cast<LPARAM>(text.GetString()));
  if (found != CB_ERR) return;
  if (editable && !text.IsEmpty())
    ::SetWindowTextA(combo, text);
  else
    ::SendMessageA(combo, CB_SETCURSEL, 0, 0);
}

// "File" and the cut output's "FILE:" both ask for the plot file; neither is a file's name.
bool AsksForPlotFile(LPCSTR port) {
  return ParsePortName(port) == kPortFileDialog || ClassifyOutputTarget(port) == kPortFileDialog;
}

void AddEntry(HWND combo, LPCSTR text) {
  ::SendMessageA(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text));
}

}  // namespace

// The progress bar and the message pump of a running output.
class C2DCarveDlg::Progress : public CCarveFillProgress {
public:
  explicit Progress(HWND dialog) : m_dialog(dialog), m_bar(::GetDlgItem(dialog, kProgressBar)) {}
  void SetRange(int upper) override { ::SendMessageA(m_bar, PBM_SETRANGE32, 0, upper); }
  void SetPosition(int position) override { ::SendMessageA(m_bar, PBM_SETPOS, position, 0); }
  void PumpMessage() override { AfxPumpWaitingMessage(m_dialog); }

private:
  HWND m_dialog;
  HWND m_bar;
};

C2DCarveDlg::C2DCarveDlg(CTALVEX42Doc* document, bool textLine, LANGID language, CWnd* parent)
    : CDialog(kDialogId, parent),
      m_profile(CIniFile::ReturnSelf),
      m_idle(1),
      m_document(document),
      m_textLine(textLine),
      m_language(language),
      m_lastResult(CCarveFillJob::kDone),
      m_handedOver(false) {
  m_profile.MakeProgramFilePath(CCarveDevice::kProfileFileName);
  m_options.fillStep = 0.0f;
}

C2DCarveDlg::~C2DCarveDlg() { m_port.Close(); }

CFRect C2DCarveDlg::Page() const {
  if (!m_document) return CFRect(0.0f, 0.0f, 0.0f, 0.0f);
  CPageSettings& page = m_document->GetPageSettings();
  return CFRect(0.0f, 0.0f, page.m_width, page.m_height);
}

int C2DCarveDlg::DetectOutputArea(const CSegArray& blocks, const CFRect& page, CFRect* box) {
  const CBlock* only = nullptr;
  int count = 0;
  for (INT_PTR i = blocks.GetSize() - 1; i >= 0; --i) {
    const CBlock* block = blocks.GetBlock(i);
    if (block && CCarveFillJob::LiesOnPage(block->m_box, page)) {
      only = block;
      ++count;
    }
  }
  if (count != 1) {
    *box = page;
    return 0;
  }
  *box = only->m_box;
  box->Normalize();
  // The stamp shapes name the area; any other block is a square area.
  switch (only->m_type) {
    case 145:
      return 2;
    case 146:
      return 3;
    case 147:
      return 4;
    case 148:
      return 5;
    default:
      return 1;
  }
}

// ---- Opening ----

BOOL C2DCarveDlg::OnInitDialog() {
  CDialog::OnInitDialog();
  m_exitButton.TakeOver(IDCANCEL, this);
  m_idle = 1;
  m_device.ProfileFile().SetPath(m_profile.GetPath());
  FillDeviceList();
  FillPortList();
  const CFRect page = Page();
  ::SetDlgItemInt(m_hWnd, kPageHeightText, static_cast<UINT>(static_cast<int>(page.bottom)), TRUE);
  ::SetDlgItemInt(m_hWnd, kPageWidthText, static_cast<UINT>(static_cast<int>(page.right)), TRUE);
  m_options.areaKind =
      m_document ? DetectOutputArea(m_document->GetBlockList(), page, &m_options.outputBox) : 0;
  if (!m_document) m_options.outputBox = page;
  HWND kinds = ::GetDlgItem(m_hWnd, kAreaKindCombo);
  CString lines = CarveText::LoadOr(CarveText::kAreaKindsId, CarveText::kAreaKinds);
  for (int start = 0; start <= lines.GetLength();) {
    int end = lines.Find('\n', start);
    if (end < 0) end = lines.GetLength();
    AddEntry(kinds, lines.Mid(start, end - start));
    start = end + 1;
  }
  ::SendMessageA(kinds, CB_SETCURSEL, static_cast<WPARAM>(m_options.areaKind), 0);
  LoadOptions();
  return TRUE;
}

void C2DCarveDlg::FillDeviceList() {
  HWND combo = ::GetDlgItem(m_hWnd, kDeviceCombo);
  CStringArray names;
  m_device.GetModelNames(names);
  for (INT_PTR i = 0; i < names.GetSize(); ++i) AddEntry(combo, names[i]);
  SelectPrefix(combo, m_profile.GetString(kCarveInfo, "Device", ""), false);
}

// The ports as the cut output lists them (none is opened to see whether it exists), then "File"
// as the one entry that asks for a plot file: the system's "FILE:" port would ask the same.
void C2DCarveDlg::FillPortList() {
  HWND combo = ::GetDlgItem(m_hWnd, kPortCombo);
  CStringArray names;
  CollectPorts(names, kListAddPrinters | kListSkipFilePrinters);
  CStringArray plotters;
  CollectUsbPlotters(plotters, m_language);
  names.Append(plotters);
  for (INT_PTR i = 0; i < names.GetSize(); ++i)
    if (!AsksForPlotFile(names[i])) AddEntry(combo, names[i]);
  AddEntry(combo, kFileEntry);
  DropAsWideAsEntries(combo);
  CString port = m_profile.GetString(kCarveInfo, "PORT", "");
  m_port.SetPortName(port);
  SelectPrefix(combo, port, true);
}

void C2DCarveDlg::LoadOptions() {
  for (const CheckOption& check : kChecks)
    ::CheckDlgButton(m_hWnd, check.control,
                     m_profile.GetInt(kCarveInfo, check.key, check.defaultValue) ? BST_CHECKED
                                                                                 : BST_UNCHECKED);
  HWND steps = ::GetDlgItem(m_hWnd, kFillStepCombo);
  for (const char* step : kFillSteps) AddEntry(steps, step);
  ::SetWindowTextA(steps, m_profile.GetString(kCarveInfo, "FillStep", ""));
  ::SetDlgItemInt(m_hWnd, kCurveAccuracyEdit,
                  static_cast<UINT>(
                      m_profile.GetInt(kCarveInfo, "CurveAccurate", kDefaultCurveAccuracy)),
                  TRUE);
  CString expand = m_profile.GetString(kCarveInfo, "AreaExpand", "");
  ::SetDlgItemTextA(m_hWnd, kAreaExpandEdit, expand);
  double value = 0.0;
  if (ParseNumber(expand, &value) && value >= 0.0) m_options.areaExpand = static_cast<float>(value);
}

// ---- Options ----

bool C2DCarveDlg::ReadOptions() {
  for (const CheckOption& check : kChecks)
    m_options.*check.value = ::IsDlgButtonChecked(m_hWnd, check.control) == BST_CHECKED ? 1 : 0;
  double step = 0.0;
  bool valid = ParseNumber(ControlText(m_hWnd, kFillStepCombo), &step) && step > 0.0 &&
               step <= kLargestFillStep;
  if (valid) m_options.fillStep = static_cast<float>(step);

  long accuracy = 0;
  if (IsCurveAccuracy(ControlText(m_hWnd, kCurveAccuracyEdit), &accuracy)) {
    m_device.m_curveAccuracy = static_cast<float>(accuracy);
    m_profile.WriteInt(kCarveInfo, "CurveAccurate", static_cast<int>(accuracy));
  } else {
    valid = false;
  }

  CString typed = ControlText(m_hWnd, kAreaExpandEdit);
  double expand = 0.0;
  if (!ParseNumber(typed, &expand)) {
    valid = false;
  } else if (expand < 0.0) {
    m_options.areaExpand = 0.0f;
    ::SetDlgItemTextA(m_hWnd, kAreaExpandEdit, "0");
    valid = false;
  } else {
    m_options.areaExpand = static_cast<float>(expand);
    m_profile.WriteString(kCarveInfo, "AreaExpand", typed);
  }
  return valid;
}

void C2DCarveDlg::SaveOptions() {
  m_profile.WriteString(kCarveInfo, "Device", ControlText(m_hWnd, kDeviceCombo));
  CString port = ControlText(m_hWnd, kPortCombo);
  m_profile.WriteString(kCarveInfo, "PORT", port);
  m_port.SetPortName(port);
  for (const CheckOption& check : kChecks)
    m_profile.WriteInt(kCarveInfo, check.key,
                       ::IsDlgButtonChecked(m_hWnd, check.control) == BST_CHECKED ? 1 : 0);
  CString step = ControlText(m_hWnd, kFillStepCombo);
  m_profile.WriteString(kCarveInfo, "FillStep",
                        IsFillStep(step) ? step.GetString() : kDefaultFillStep);
  // The accuracy the output reads is the one kept: 1 to 9.
  long accuracy = 0;
  if (!IsCurveAccuracy(ControlText(m_hWnd, kCurveAccuracyEdit), &accuracy))
    accuracy = kDefaultCurveAccuracy;
  m_profile.WriteInt(kCarveInfo, "CurveAccurate", static_cast<int>(accuracy));
  m_profile.WriteString(kCarveInfo, "AreaExpand", ControlText(m_hWnd, kAreaExpandEdit));
}

bool C2DCarveDlg::LoadChosenDevice() {
  CString model = ControlText(m_hWnd, kDeviceCombo).Left(kModelNameChars - 1);
  m_profile.WriteString(kCarveInfo, "Device", model);
  m_device.LoadProfile(model);
  if (m_device.GetProfileProblem().IsEmpty()) return true;
  CString text;
  text.Format(CarveText::LoadOr(CarveText::kProfileUnusableId, CarveText::kProfileUnusable),
              model.GetString(), m_device.GetProfileProblem().GetString());
  ShowMessage(text);
  return false;
}

void C2DCarveDlg::ShowMessage(const CString& text, LPCSTR caption) {
  CString title = caption ? CString(caption)
                          : CarveText::LoadOr(CarveText::kErrorCaptionId, CarveText::kErrorCaption);
  AfxShowMessageBox(m_hWnd, text, title, MB_OK | MB_ICONERROR);
}

// How an output ended, under the dialog's own caption.
void C2DCarveDlg::ShowInformation(const CString& text) {
  char title[128] = {};
  ::GetWindowTextA(m_hWnd, title, sizeof title);
  AfxShowMessageBox(m_hWnd, text, title, MB_OK | MB_ICONINFORMATION);
}

void C2DCarveDlg::SetOutputButton(UINT textId, LPCSTR fallback) {
  ::SetDlgItemTextA(m_hWnd, IDOK, CarveText::LoadOr(textId, fallback));
}

// ---- Buttons ----

void C2DCarveDlg::OnOK() {
  if (IsRunning()) {
    // Reached through the output's own message pump: the output stops at its next test.
    m_idle = 1;
    SetOutputButton(CarveText::kConfirmButtonId, CarveText::kConfirmButton);
    ::EnableWindow(::GetDlgItem(m_hWnd, IDCANCEL), TRUE);
    return;
  }
  if (!ReadOptions()) {
    ShowMessage(CarveText::LoadOr(CarveText::kInvalidOptionsId, CarveText::kInvalidOptions));
    return;
  }
  if (!LoadChosenDevice()) return;
  ::EnableWindow(::GetDlgItem(m_hWnd, IDCANCEL), FALSE);
  SetOutputButton(CarveText::kStopButtonId, CarveText::kStopButton);
  SaveOptions();
  m_idle = 0;
  const bool ran = Run();
  m_idle = 1;
  ::EnableWindow(::GetDlgItem(m_hWnd, IDCANCEL), TRUE);
  SetOutputButton(CarveText::kOutputButtonId, CarveText::kOutputButton);
  if (ran) EndDialog(IDOK);
}

void C2DCarveDlg::OnCancel() {
  // Escape or the close box while the output runs stop it; the dialog closes when it ends.
  if (IsRunning()) {
    m_idle = 1;
    return;
  }
  SaveOptions();
  EndDialog(IDCANCEL);
}

void C2DCarveDlg::OnPortSetup() {
  CPortSetupDlg dialog(this);
  dialog.DoModal();
  m_port.LoadSettings();
}

void C2DCarveDlg::OnOrigin() {
  if (!ReadOptions()) {
    ShowMessage(CarveText::LoadOr(CarveText::kInvalidOptionsId, CarveText::kInvalidOptions));
    return;
  }
  // A model that cannot be used has been explained; its origin cannot be set.
  if (!LoadChosenDevice()) return;
  SaveOptions();
  CCarveOriginDlg dialog(m_profile, this);
  dialog.DoModal();
}

// ---- The output ----

bool C2DCarveDlg::AskForPlotFile(CString& path) {
  CIniFile& portSettings = m_port.GetSettingsFile();
  CString folder = portSettings.GetString("PortInfo", "FilePath", "C:\\");
  CFileDialog dialog(FALSE, "PLT", "*.PLT",
                     OFN_OVERWRITEPROMPT | OFN_HIDEREADONLY | OFN_PATHMUSTEXIST, "*.PLT|*.PLT||",
                     this);
  dialog.m_ofn.lpstrInitialDir = folder;
  if (dialog.DoModal() != IDOK) return false;
  path = dialog.GetPathName();
  portSettings.WriteString("PortInfo", "FilePath", path.Left(FolderPartLength(path)));
  return true;
}

bool C2DCarveDlg::ChooseTarget(CString& path, bool* handOver) {
  CString port = m_port.GetPortName();
  const int kind = ParsePortName(port);
  *handOver = false;
  if (AsksForPlotFile(port)) {
    if (AskForPlotFile(path)) return true;
    MessageBeep(MB_ICONASTERISK);
    return false;
  }
  if (kind == kPortNotAPort) {
    path = port;
    if (!path.IsEmpty()) return true;
    CString text;
    text.Format(CarveText::LoadOr(CarveText::kPortNotOpenedId, CarveText::kPortNotOpened), "");
    ShowMessage(text);
    return false;
  }
  char name[MAX_PATH] = {};
  if (MakeTempFileName(kTempPrefix, name, sizeof name) == 0) {
    char folder[MAX_PATH] = {};
    GetTempPathA(sizeof folder, folder);
    CString reason;
    reason.Format("%lu", GetLastError());
    CString text;
    text.Format(CarveText::LoadOr(CarveText::kTempFileFailedId, CarveText::kTempFileFailed),
                reason.GetString(), folder);
    ShowMessage(text);
    return false;
  }
  path = name;
  *handOver = true;
  return true;
}

// The outlines engraved after the fill: every block on the page but images, as curves of every
// colour, text with the line it is set along when the text-line option is on, cut to the page.
std::unique_ptr<CGroupBlock> C2DCarveDlg::CollectOutlines() const {
  if (!m_document) return nullptr;
  const CFRect page = Page();
  CSegArray& blocks = m_document->GetBlockList();
  CSegArray curves;
  for (INT_PTR i = 0; i < blocks.GetSize(); ++i) {
    CBlock* block = blocks.GetBlock(i);
    if (!block || block->m_type == kImageBlock) continue;
    if (!CCarveFillJob::LiesOnPage(block->m_box, page)) continue;
    CBlock* curve = block->ToCurve(CShapeBlock::kAnyColour);
    CTextBlock* text = dynamic_cast<CTextBlock*>(block);
    CBlock* line = m_textLine && text ? text->GetEffectOutline() : nullptr;
    if (line && curve) {
      CGroupBlock* group = new CGroupBlock;
      group->AddChild(curve);
      group->AddChild(line);
      curve = group;
    } else if (line) {
      curve = line;
    }
    if (curve) curves.AddBlock(curve);
  }
  std::unique_ptr<CGroupBlock> clipped(ClipGroupToRect(curves, page));
  curves.DeleteAll();
  return clipped;
}

bool C2DCarveDlg::Run() {
  m_handedOver = false;
  CString target;
  bool handOver = false;
  if (!ChooseTarget(target, &handOver)) return false;
  COutPort port;
  port.SetPortName(target);
  // A job is hundreds of thousands of short commands: the plot file takes them in few writes.
  port.EnableFileBuffer(true);

  CCarveFillJob job(m_options, Page());
  Progress progress(m_hWnd);
  HWND bar = ::GetDlgItem(m_hWnd, kProgressBar);
  ::ShowWindow(bar, SW_SHOW);
  CSegArray none;
  const CSegArray& blocks = m_document ? m_document->GetBlockList() : none;
  m_lastResult = job.Run(blocks, m_options.drawContour ? CollectOutlines() : nullptr, m_device,
                         port, m_hWnd, &m_idle, progress);
  ::ShowWindow(bar, SW_HIDE);

  const bool wrote = m_lastResult == CCarveFillJob::kDone ||
                     m_lastResult == CCarveFillJob::kStopped ||
                     m_lastResult == CCarveFillJob::kWriteFailed ||
                     (m_lastResult == CCarveFillJob::kStartFailed &&
                      job.GetStartResult() == CCarveDevice::kStartRefused);
  // Nothing half written is left to be sent later; a file the job never opened is the user's.
  if (m_lastResult != CCarveFillJob::kDone && (handOver || wrote)) DeleteFileA(target);
  if (m_lastResult == CCarveFillJob::kDone && handOver) m_handedOver = HandOver(target);
  if (m_lastResult == CCarveFillJob::kDone && !handOver)
    ReportFileWritten(target);
  else if (m_lastResult == CCarveFillJob::kStopped)
    ReportStopped(handOver ? m_port.GetPortName() : target.GetString(), handOver);
  else
    Report(m_lastResult, job, target);
  return m_lastResult == CCarveFillJob::kDone || m_lastResult == CCarveFillJob::kStopped ||
         m_lastResult == CCarveFillJob::kWriteFailed;
}

bool C2DCarveDlg::HandOver(LPCSTR dataPath) {
  CJobFile job;
  job.SetVersion(CJobFile::kVersion);
  job.SetOutputMethod(m_device.m_outMethod);
  job.SetPortName(m_port.GetPortName());
  CString document = m_document ? m_document->GetPathName() : CString();
  if (document.IsEmpty() && m_document) document = m_document->GetTitle();
  job.SetDocumentName(document);
  job.SetDataPath(dataPath);
  // The manager owns the plot file from here on; it reports and deletes a job it cannot take.
  return job.SendToManager();
}

// A file shows no progress of its own once the job is written: the user is told where it went.
void C2DCarveDlg::ReportFileWritten(LPCSTR path) {
  CString text;
  text.Format(CarveText::LoadOr(CarveText::kFileWrittenId, CarveText::kFileWritten), path);
  ShowInformation(text);
}

// A stopped job goes nowhere: the user is told that nothing was handed over, or that the file
// it was writing is gone.
void C2DCarveDlg::ReportStopped(LPCSTR target, bool handOver) {
  CString text;
  text.Format(handOver ? CarveText::LoadOr(CarveText::kStoppedPortId, CarveText::kStoppedPort)
                       : CarveText::LoadOr(CarveText::kStoppedFileId, CarveText::kStoppedFile),
              target);
  ShowInformation(text);
}

void C2DCarveDlg::Report(CCarveFillJob::Result result, const CCarveFillJob& job, LPCSTR target) {
  CString text;
  switch (result) {
    case CCarveFillJob::kDone:
    case CCarveFillJob::kStopped:
      return;
    case CCarveFillJob::kNothingToFill:
      ShowMessage(CarveText::LoadOr(CarveText::kNothingToFillId, CarveText::kNothingToFill));
      return;
    case CCarveFillJob::kRasterTooLarge:
      text.Format(CarveText::LoadOr(CarveText::kRasterTooLargeId, CarveText::kRasterTooLarge),
                  job.RasterWidth(), job.RasterHeight());
      ShowMessage(text);
      return;
    case CCarveFillJob::kNoDeviceContext:
      ShowMessage(CarveText::kNoDeviceContext, CarveText::kGdiCaption);
      return;
    case CCarveFillJob::kNoBitmap:
      ShowMessage(CarveText::kNoBitmap, CarveText::kGdiCaption);
      return;
    case CCarveFillJob::kStartFailed:
      if (job.GetStartResult() == CCarveDevice::kPortNotOpened) {
        text.Format(CarveText::LoadOr(CarveText::kPortNotOpenedId, CarveText::kPortNotOpened),
                    target);
        ShowMessage(text);
        return;
      }
      break;
    case CCarveFillJob::kWriteFailed:
      break;
  }
  text.Format(CarveText::LoadOr(CarveText::kWriteFailedId, CarveText::kWriteFailed), target);
  ShowMessage(text);
}
