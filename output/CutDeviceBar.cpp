#include "output/CutDeviceBar.h"

#include <commctrl.h>
#include <dbt.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <utility>
#include <vector>

#include "framework/FileDialog.h"
#include "framework/FrameWnd.h"
#include "framework/GbkText.h"
#include "framework/MessageBox.h"
#include "framework/StringArray.h"
#include "framework/WideText.h"
#include "media/DllModule.h"
#include "model/blocks/CurveBlock.h"
#include "model/blocks/GroupBlock.h"
#include "model/document/SegArray.h"
#include "model/geometry/Matrix2D.h"
#include "model/settings/ProgramPaths.h"
#include "output/CutProgressDlg.h"
#include "output/CutProgressWnd.h"
#include "output/JobFile.h"
#include "output/OutputTexts.h"
#include "output/PortLists.h"
#include "output/PortNames.h"
#include "output/PortingDlg.h"

// clang-format off
BEGIN_MESSAGE_MAP(CCutDeviceBar, CDialogBar)
  ON_CBN_SELCHANGE(CCutDeviceBar::kModelCombo, OnModelChange)
  ON_CBN_SELCHANGE(CCutDeviceBar::kPortCombo, OnPortChange)
  ON_CBN_EDITCHANGE(CCutDeviceBar::kPortCombo, OnPortTyped)
  ON_CBN_SELCHANGE(CCutDeviceBar::kSpeedCombo, OnSpeedChange)
  ON_BN_CLICKED(CCutDeviceBar::kSpeedCheck, OnSpeedCheck)
  ON_EN_CHANGE(CCutDeviceBar::kForceEdit, OnForceChange)
  ON_BN_CLICKED(CCutDeviceBar::kForceCheck, OnForceCheck)
  ON_EN_KILLFOCUS(CCutDeviceBar::kMediaWidth, OnMediaWidthDone)
  ON_EN_KILLFOCUS(CCutDeviceBar::kMediaHeight, OnMediaHeightDone)
  ON_BN_CLICKED(CCutDeviceBar::kTestButton, OnTest)
  ON_BN_CLICKED(CCutDeviceBar::kResetButton, OnReset)
  ON_BN_CLICKED(CCutDeviceBar::kOutputButton, OnOutput)
  ON_BN_CLICKED(CCutDeviceBar::kExitButton, OnExit)
  ON_WM_DEVICECHANGE()
END_MESSAGE_MAP()
// clang-format on

namespace {

const char kDeviceKey[] = "Device";
const char kFileEntry[] = "FILE:";
const char kPlotPrefix[] = "OSD";
const int kModelNameChars = 80;
const int kPortNameChars = 200;
// Room after the bar's last control.
const int kBarMargin = 6;
// The speed list is stepped by a tenth of the maximum; the common maximum 48 steps by 8.
const short kEightStepMaximum = 48;

// The frame is disabled while a job runs: nothing else may change the job or the bar meanwhile.
class ModalState {
public:
  explicit ModalState(HWND frame) : m_frame(frame), m_enabled(frame && IsWindowEnabled(frame)) {
    if (m_enabled) EnableWindow(m_frame, FALSE);
  }
  ~ModalState() {
    if (m_enabled) EnableWindow(m_frame, TRUE);
  }

private:
  HWND m_frame;
  bool m_enabled;
};

// Page units to device steps: moved to the media corner (half a unit in, as the preview draws),
// one step off the device's origin, scaled by the resolution and the model's corrections.
CMatrix2D PageToDeviceMatrix(const CFRect& media, float rs, float ratioX, float ratioY) {
  CMatrix2D matrix;
  matrix.m[0] = ratioX / rs;
  matrix.m[4] = ratioY / rs;
  matrix.m[6] = ((0.5f - media.left) / rs + 1.0f / rs) * ratioX;
  matrix.m[7] = ((0.5f - media.top) / rs + 1.0f / rs) * ratioY;
  return matrix;
}

}  // namespace

CCutDeviceBar::CCutDeviceBar(CCutterDevice& device, CCutSettings& settings, CCutOutputHost& host)
    : m_device(device), m_settings(settings), m_host(host), m_filling(false) {}

CCutDeviceBar::~CCutDeviceBar() { m_notifications.RemoveAll(); }

BOOL CCutDeviceBar::Create(CWnd* parent, UINT style, UINT id) {
  if (!CDialogBar::Create(parent, kDialogId, style | CBRS_SIZE_DYNAMIC, id)) return FALSE;
  const UINT buttons[] = {kTestButton, kResetButton, kOutputButton, kExitButton};
  for (size_t i = 0; i < sizeof buttons / sizeof buttons[0]; ++i)
    m_buttons[i].TakeOver(buttons[i], this);
  InitBar();
  FitToTexts();
  m_notifications.AddHidDevices(m_hWnd);
  return TRUE;
}

// ---- Sizes ----

namespace {

int TextWidth(HWND control, LPCSTR text) {
  HDC dc = ::GetDC(control);
  HGDIOBJ font =
      ::SelectObject(dc, reinterpret_cast<HGDIOBJ>(::SendMessageA(control, WM_GETFONT, 0, 0)));
  SIZE size = {0, 0};
  ::GetTextExtentPoint32A(dc, text, static_cast<int>(std::strlen(text)), &size);
  ::SelectObject(dc, font);
  ::ReleaseDC(control, dc);
  return size.cx;
}

// What a control needs around its text: a push button its frame, a check box its box.
int TextMargin(HWND control) {
  char kind[16] = {};
  ::GetClassNameA(control, kind, sizeof kind);
  if (lstrcmpiA(kind, "Button") != 0) return 4;
  const LONG_PTR style = ::GetWindowLongPtrA(control, GWL_STYLE) & BS_TYPEMASK;
  if (style == BS_CHECKBOX || style == BS_AUTOCHECKBOX)
    return ::GetSystemMetrics(SM_CXMENUCHECK) + 8;
  return 4 * ::GetSystemMetrics(SM_CXEDGE) + 8;
}

}  // namespace

// The template is laid out for one language: every label, check box and button is widened to its
// text in the bar's font, the controls to its right move along, and the bar grows with them. The
// model list shows whole names, and both lists drop down as wide as their longest entry.
void CCutDeviceBar::FitToTexts() {
  std::vector<std::pair<int, HWND>> controls;
  for (HWND child = ::GetWindow(m_hWnd, GW_CHILD); child; child = ::GetWindow(child, GW_HWNDNEXT)) {
    RECT rect;
    ::GetWindowRect(child, &rect);
    controls.emplace_back(rect.left, child);
  }
  std::stable_sort(controls.begin(), controls.end(),
                   [](const std::pair<int, HWND>& a, const std::pair<int, HWND>& b) {
                     return a.first < b.first;
                   });
  int shift = 0, right = 0;
  for (const auto& entry : controls) {
    HWND control = entry.second;
    RECT rect;
    ::GetWindowRect(control, &rect);
    ::MapWindowPoints(nullptr, m_hWnd, reinterpret_cast<POINT*>(&rect), 2);
    int width = rect.right - rect.left;
    const int id = ::GetDlgCtrlID(control);
    if (id == kModelCombo || id == kPortCombo) {
      const int needed = DropAsWideAsEntries(control);
      if (id == kModelCombo) width = std::max(width, std::min(needed, 2 * width));
    } else if (id != kMediaWidth && id != kMediaHeight && id != kForceEdit && id != kForceSpin) {
      char text[128] = {};
      ::GetWindowTextA(control, text, sizeof text);
      if (text[0] != '\0') width = std::max(width, TextWidth(control, text) + TextMargin(control));
    }
    const int grown = width - (rect.right - rect.left);
    // A combo box's height is its dropped list's: it keeps the one it has.
    RECT window;
    ::GetWindowRect(control, &window);
    ::SetWindowPos(control, nullptr, rect.left + shift, rect.top, width, window.bottom - window.top,
                   SWP_NOZORDER | SWP_NOACTIVATE);
    right = std::max(right, static_cast<int>(rect.left) + shift + width);
    shift += grown;
  }
  // The bar's borders and gripper take room from its inside.
  CRect inside(0, 0, 0, 0);
  CalcInsideRect(inside, TRUE);
  const int frame = -inside.Width();
  m_sizeDefault.cx = std::max(static_cast<int>(m_sizeDefault.cx) + shift,
                              right + kBarMargin + frame);
}

HWND CCutDeviceBar::Frame() const {
  HWND parent = m_hWnd ? ::GetParent(m_hWnd) : nullptr;
  while (parent && (::GetWindowLongPtrA(parent, GWL_STYLE) & WS_CHILD))
    parent = ::GetParent(parent);
  return parent;
}

CString CCutDeviceBar::ControlText(UINT id) const {
  return AfxGetGbkText(::GetDlgItem(m_hWnd, static_cast<int>(id)));
}

CString CCutDeviceBar::PortText() const {
  return PortNameOfText(AfxGetControlText(::GetDlgItem(m_hWnd, kPortCombo)));
}

// The selection is not yet the combo's text while its notification runs.
std::wstring CCutDeviceBar::SelectedEntry(UINT comboId) const {
  HWND combo = ::GetDlgItem(m_hWnd, static_cast<int>(comboId));
  const LRESULT index = ::SendMessageW(combo, CB_GETCURSEL, 0, 0);
  return index == CB_ERR ? std::wstring() : AfxGetComboEntry(combo, static_cast<int>(index));
}

void CCutDeviceBar::OnUpdateCmdUI(CFrameWnd*, BOOL) {}

void CCutDeviceBar::SelectPrefix(UINT comboId, const std::wstring& prefix) {
  HWND combo = ::GetDlgItem(m_hWnd, static_cast<int>(comboId));
  const int found = prefix.empty() ? CB_ERR : AfxFindComboEntry(combo, -1, prefix);
  ::SendMessageW(combo, CB_SETCURSEL, found == CB_ERR ? 0 : static_cast<WPARAM>(found), 0);
}

// ---- Filling the bar ----

void CCutDeviceBar::InitBar() {
  m_filling = true;
  FillModelList();
  FillPortList();
  ::SetDlgItemInt(m_hWnd, kMediaWidth,
                  static_cast<UINT>(m_settings.m_mediaRect.right - m_settings.m_mediaRect.left),
                  FALSE);
  ::SetDlgItemInt(m_hWnd, kMediaHeight,
                  static_cast<UINT>(m_settings.m_mediaRect.bottom - m_settings.m_mediaRect.top),
                  FALSE);
  m_filling = false;
  OnModelChange();
  m_settings.SetPortName(PortText().Left(kPortNameChars - 1));
  RefreshControls();
}

void CCutDeviceBar::FillModelList() {
  HWND combo = ::GetDlgItem(m_hWnd, kModelCombo);
  ::SendMessageA(combo, CB_RESETCONTENT, 0, 0);
  CStringArray names;
  m_device.GetModelNames(names);
  for (INT_PTR i = 0; i < names.GetSize(); ++i) AfxAddGbkEntry(combo, CB_ADDSTRING, names[i]);
  CString chosen = m_device.ProfileFile().GetString(kCutInfoSection, kDeviceKey, "");
  SelectPrefix(kModelCombo, CGbkText::ToWide(chosen));
}

void CCutDeviceBar::FillPortList() {
  HWND combo = ::GetDlgItem(m_hWnd, kPortCombo);
  ::SendMessageA(combo, CB_RESETCONTENT, 0, 0);
  ListPorts(combo, kListAddPrinters | kListSkipFilePrinters);
  ListUsbPlotters(combo, m_host.GetLanguage());
  // A port that a printer uses is offered only through the printer's entry.
  CStringArray printers;
  CollectPrinters(printers, 0);
  for (INT_PTR i = 0; i < printers.GetSize(); ++i) {
    int at = printers[i].Find(" @ ");
    if (at < 0) continue;
    CString port = printers[i].Mid(at + 3);
    const int found = AfxFindComboEntry(combo, -1, PortNameText(port));
    if (found != CB_ERR && port != kFileEntry) ::SendMessageW(combo, CB_DELETESTRING, found, 0);
  }
  const std::wstring fileEntry = PortNameText(kFileEntry);
  for (int found; (found = AfxFindComboEntry(combo, -1, fileEntry)) != CB_ERR;)
    ::SendMessageW(combo, CB_DELETESTRING, found, 0);
  AfxAddComboEntry(combo, fileEntry);
  ShowRememberedPort();
}

// The window shows the port the settings remember: its entry (a USB plotter's under its name in
// the interface language), or, when it is not listed (a cutter not attached, a printer removed),
// the name itself, which the output then reports on. Never another port in its place: a job meant
// for one cutter must not go to whatever port happens to come first.
void CCutDeviceBar::ShowRememberedPort() {
  HWND combo = ::GetDlgItem(m_hWnd, kPortCombo);
  const CString& remembered = m_settings.m_portName;
  int found = remembered.IsEmpty() ? 0 : AfxFindComboEntry(combo, -1, PortNameText(remembered));
  if (found == CB_ERR) found = FindUsbPlotterEntry(combo, remembered);
  ::SendMessageW(combo, CB_SETCURSEL, static_cast<WPARAM>(found), 0);
  if (found == CB_ERR) ::SetWindowTextW(combo, PortNameText(remembered).c_str());
}

// Maximum, maximum - step, ... down to 0 or the last value above it.
void CCutDeviceBar::FillSpeedList() {
  HWND combo = ::GetDlgItem(m_hWnd, kSpeedCombo);
  ::SendMessageA(combo, CB_RESETCONTENT, 0, 0);
  int maximum = m_device.m_maxSpeed;
  int step = maximum == kEightStepMaximum ? 8 : static_cast<int>(maximum * 0.1);
  if (step < 1) step = 1;
  for (int value = maximum; value >= 0; value -= step) {
    char text[16];
    snprintf(text, sizeof text, "%d", value);
    ::SendMessageA(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text));
  }
  char current[16];
  snprintf(current, sizeof current, "%d", m_device.m_speed);
  LRESULT found = ::SendMessageA(combo, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                                 reinterpret_cast<LPARAM>(current));
  ::SendMessageA(combo, CB_SETCURSEL, found == CB_ERR ? 0 : static_cast<WPARAM>(found), 0);
}

void CCutDeviceBar::RefreshControls() {
  m_filling = true;
  const bool hasSpeed = !m_device.m_speedCmd.IsEmpty();
  ::EnableWindow(::GetDlgItem(m_hWnd, kSpeedCheck), hasSpeed);
  if (hasSpeed) FillSpeedList();
  ::CheckDlgButton(m_hWnd, kSpeedCheck, m_device.m_setSpeed ? BST_CHECKED : BST_UNCHECKED);
  ::EnableWindow(::GetDlgItem(m_hWnd, kSpeedCombo), hasSpeed && m_device.m_setSpeed);

  const bool hasForce = !m_device.m_forceCmd.IsEmpty();
  ::EnableWindow(::GetDlgItem(m_hWnd, kForceCheck), hasForce);
  if (hasForce) {
    ::SetDlgItemInt(m_hWnd, kForceEdit, static_cast<UINT>(m_device.m_force), TRUE);
    HWND spin = ::GetDlgItem(m_hWnd, kForceSpin);
    ::SendMessageA(spin, UDM_SETRANGE32, 0, m_device.m_maxForce);
    UDACCEL accel = {0, static_cast<UINT>(m_device.m_maxForce < 10 ? 1 : 5)};
    ::SendMessageA(spin, UDM_SETACCEL, 1, reinterpret_cast<LPARAM>(&accel));
  }
  ::CheckDlgButton(m_hWnd, kForceCheck, m_device.m_setForce ? BST_CHECKED : BST_UNCHECKED);
  const bool forceOn = hasForce && m_device.m_setForce;
  ::EnableWindow(::GetDlgItem(m_hWnd, kForceEdit), forceOn);
  ::EnableWindow(::GetDlgItem(m_hWnd, kForceSpin), forceOn);

  const bool devicePort = m_settings.GetTargetKind() > 0 &&
                          IsUsableOutputTarget(m_settings.m_portName);
  ::EnableWindow(::GetDlgItem(m_hWnd, kTestButton), devicePort);
  ::EnableWindow(::GetDlgItem(m_hWnd, kResetButton), devicePort);
  m_filling = false;
}

// A job takes the blade offset, overcut and pen mode from the settings: they must be the loaded
// model's, or a drag knife would cut without its offset.
void CCutDeviceBar::TakeProfileValues() {
  m_settings.m_penMode = m_device.m_penMode;
  m_settings.m_overcut = m_device.m_overcut;
  m_settings.m_penForce = m_device.m_force;
  m_settings.m_setForce = m_device.m_setForce;
  m_settings.m_penSpeed = m_device.m_speed;
  m_settings.m_setSpeed = m_device.m_setSpeed;
  m_settings.m_bladeOffset = m_device.m_bladeOffset;
}

void CCutDeviceBar::CollectBarSettings() {
  TakeProfileValues();
  const CIniFile& file = m_device.ProfileFile();
  m_settings.m_solidCut = file.GetFloat(kCutInfoSection, "SolidCut",
                                        CCutSettings::kDefaultSolidCut);
  m_settings.m_voidCut = file.GetFloat(kCutInfoSection, "VoidCut", CCutSettings::kDefaultVoidCut);
  if (m_hWnd) m_settings.SetPortName(PortText().Left(kPortNameChars - 1));
}

// ---- Handlers ----

void CCutDeviceBar::OnModelChange() {
  if (m_filling) return;
  CString name = CGbkText::Lossy(SelectedEntry(kModelCombo).c_str()).Left(kModelNameChars - 1);
  m_device.LoadProfile(name);
  m_device.ProfileFile().WriteString(kCutInfoSection, kDeviceKey, name);
  TakeProfileValues();
  RefreshControls();
  m_host.ShowProfile();
}

void CCutDeviceBar::OnPortChange() {
  if (m_filling) return;
  TakePort(PortNameOfText(SelectedEntry(kPortCombo)));
}

// A port name typed into the combo counts as soon as it is typed, as a chosen one does.
void CCutDeviceBar::OnPortTyped() {
  if (m_filling) return;
  TakePort(PortText());
}

void CCutDeviceBar::TakePort(const CString& name) {
  m_settings.SetPortName(name.Left(kPortNameChars - 1));
  RefreshControls();
  m_host.ShowPortKind();
}

void CCutDeviceBar::OnSpeedChange() {
  if (m_filling) return;
  m_device.m_speed = m_settings.m_penSpeed = static_cast<short>(
      _wtoi(SelectedEntry(kSpeedCombo).c_str()));
}

void CCutDeviceBar::OnSpeedCheck() {
  int on = ::IsDlgButtonChecked(m_hWnd, kSpeedCheck) == BST_CHECKED;
  m_device.m_setSpeed = m_settings.m_setSpeed = on;
  ::EnableWindow(::GetDlgItem(m_hWnd, kSpeedCombo), on);
}

void CCutDeviceBar::OnForceChange() {
  if (m_filling) return;
  m_device.m_force = m_settings.m_penForce = static_cast<short>(atoi(ControlText(kForceEdit)));
}

void CCutDeviceBar::OnForceCheck() {
  int on = ::IsDlgButtonChecked(m_hWnd, kForceCheck) == BST_CHECKED;
  m_device.m_setForce = m_settings.m_setForce = on;
  ::EnableWindow(::GetDlgItem(m_hWnd, kForceEdit), on);
  ::EnableWindow(::GetDlgItem(m_hWnd, kForceSpin), on);
}

void CCutDeviceBar::OnMediaSizeDone(UINT id, bool width) {
  if (m_filling) return;
  int value = atoi(ControlText(id));
  if (value <= 0) return;
  CFRect& media = m_settings.m_mediaRect;
  if (width)
    media.right = media.left + static_cast<float>(value);
  else
    media.bottom = media.top + static_cast<float>(value);
  if (HWND frame = Frame()) ::PostMessageA(frame, WM_COMMAND, kRedrawCommand, 0);
}

void CCutDeviceBar::OnMediaWidthDone() { OnMediaSizeDone(kMediaWidth, true); }
void CCutDeviceBar::OnMediaHeightDone() { OnMediaSizeDone(kMediaHeight, false); }

// The test square and the reset cut with what the bar and the pages show, as a job would. A USB
// plug-in takes whole plot files: the commands go to one and it to the plug-in, as a cut does.
void CCutDeviceBar::RunDeviceCommand(LPCSTR title, bool test) {
  if (!m_host.ReadBackOptions()) return;
  CollectBarSettings();
  if (!PortNameUsable()) return;
  const int kind = ParsePortName(m_settings.m_portName);
  if (kind <= 0) return;
  CString path = m_settings.m_portName;
  const bool throughFile = kind == kPortUsbPlotter;
  if (throughFile && !ChooseOutputTarget(path, kind)) return;
  m_device.m_port.SetPortName(path);
  bool written;
  {
    std::unique_ptr<CCutProgress> progress = BeginProgress(title);
    ModalState modal(Frame());
    HWND pump = progress ? progress->GetPumpWindow() : nullptr;
    written = test ? m_device.TestCut(pump, m_settings) : m_device.Reset(pump, m_settings);
  }
  if (!throughFile) return;
  m_device.m_port.SetPortName(m_settings.m_portName);
  if (written) PlotDirect(path);
  DeleteFileA(path);
}

void CCutDeviceBar::OnTest() { RunDeviceCommand(OutputText::Load(OutputText::kTestTitle), true); }
void CCutDeviceBar::OnReset() {
  RunDeviceCommand(OutputText::Load(OutputText::kResetTitle), false);
}

void CCutDeviceBar::OnExit() {
  m_host.ReadBackOptions();
  CollectBarSettings();
  m_settings.SaveCutSettings(m_device.ProfileFile());
  m_device.SaveProfile();
  m_host.CloseCutOutput();
}

void CCutDeviceBar::OnOutput() { Output(); }

BOOL CCutDeviceBar::OnDeviceChange(UINT event, DWORD_PTR) {
  if (event == DBT_DEVICEARRIVAL) MessageBeep(MB_ICONEXCLAMATION);
  if (event == DBT_DEVICEREMOVECOMPLETE) MessageBeep(MB_ICONHAND);
  return TRUE;
}

// ---- The output command ----

bool CCutDeviceBar::Output() {
  // A value the option pages refuse is not cut with; the pages have said which.
  if (!m_host.ReadBackOptions()) return false;
  CollectBarSettings();
  if (!PortNameUsable()) return false;
  m_settings.SaveCutSettings(m_device.ProfileFile());
  m_device.SaveProfile();
  const int kind = m_settings.GetTargetKind();
  CString path;
  if (!ChooseOutputTarget(path, kind)) return false;
  const bool temporary = kind > 0;
  if (!WriteCutJob(path)) {
    // Nothing half written is left to be sent later.
    if (temporary) DeleteFileA(path);
    return false;
  }
  m_settings.SaveCutSettings(m_device.ProfileFile());
  if (!temporary) {
    ReportFileWritten(path);
    return true;
  }
  // From the hand-over on the job manager owns the plot file (it deletes it on a refusal too).
  if (m_settings.m_remoteCut) return SendToManager(path);
  bool sent = PlotDirect(path);
  DeleteFileA(path);
  return sent;
}

bool CCutDeviceBar::ChooseOutputTarget(CString& path, int kind) {
  if (kind == kPortFileDialog) {
    if (AskForPlotFile(path)) return true;
    MessageBeep(MB_ICONASTERISK);
    return false;
  }
  if (kind < 0) {
    path = m_settings.m_portName;
    return true;
  }
  char name[MAX_PATH];
  if (MakeTempFileName(kPlotPrefix, name, sizeof name) == 0) {
    char folder[MAX_PATH] = {};
    GetTempPathA(sizeof folder, folder);
    CString text = CDllModule::SystemErrorText(GetLastError()) + "\n" + folder;
    AfxShowMessageBox(Frame(), text, nullptr, MB_OK | MB_ICONERROR);
    return false;
  }
  path = name;
  return true;
}

bool CCutDeviceBar::PortNameUsable() {
  if (IsUsableOutputTarget(m_settings.m_portName)) return true;
  CString text;
  text.Format(OutputText::Load(OutputText::kPortNameRefused), m_settings.m_portName);
  AfxShowMessageBox(Frame(), text, OutputText::Load(OutputText::kCutOutput),
                    MB_OK | MB_ICONEXCLAMATION);
  return false;
}

// A file shows no progress of its own once the job is written: the user is told where it went.
void CCutDeviceBar::ReportFileWritten(LPCSTR path) {
  CString text;
  text.Format(OutputText::Load(OutputText::kFileWritten), path);
  AfxShowMessageBox(Frame(), text, OutputText::Load(OutputText::kCutOutput),
                    MB_OK | MB_ICONINFORMATION);
}

bool CCutDeviceBar::AskForPlotFile(CString& path) {
  CIniFile& portSettings = m_device.m_port.GetSettingsFile();
  CString folder = portSettings.GetString("PortInfo", "FilePath", "C:\\");
  CFileDialog dialog(FALSE, "PLT", "*.PLT",
                     OFN_OVERWRITEPROMPT | OFN_HIDEREADONLY | OFN_PATHMUSTEXIST, "*.PLT|*.PLT||",
                     Frame() ? CWnd::FromHandle(Frame()) : nullptr);
  dialog.m_ofn.lpstrInitialDir = folder;
  if (dialog.DoModal() != IDOK) return false;
  path = dialog.GetPathName();
  portSettings.WriteString("PortInfo", "FilePath", path.Left(FolderPartLength(path)));
  return true;
}

// The cutting progress dialog of the program's resources; a plain window where there are none.
std::unique_ptr<CCutProgress> CCutDeviceBar::BeginProgress(LPCSTR title) {
  HWND frame = Frame();
  CWnd* owner = frame ? CWnd::FromHandle(frame) : nullptr;
  std::unique_ptr<CCutProgressDlg> dialog(new CCutProgressDlg(m_device));
  if (dialog->Open(title, owner)) return dialog;
  return std::unique_ptr<CCutProgress>(new CCutProgressWnd(title, &m_device.m_stop, owner));
}

bool CCutDeviceBar::WriteCutJob(LPCSTR path) {
  std::unique_ptr<CCutProgress> progress = BeginProgress(OutputText::Load(OutputText::kCutOutput));
  ModalState modal(Frame());
  progress->SetStepText(OutputText::Load(OutputText::kClipping));
  CSegArray* blocks = m_host.GetOutputBlocks();
  std::unique_ptr<CGroupBlock> job(blocks ? ClipGroupToRect(*blocks, m_settings.m_mediaRect)
                                          : nullptr);
  if (!job) return false;
  CFRect bounds;
  blocks->GetBounds(&bounds, FALSE);

  CString keptPort = m_device.m_port.GetPortName();
  m_device.m_port.SetPortName(path);
  m_device.m_stop = 0;
  bool written = m_device.BeginJob(progress->GetPumpWindow(), m_settings);
  if (written) {
    const float end = bounds.bottom;
    const float length = m_settings.m_shareOutLimit > 0
                             ? static_cast<float>(m_settings.m_shareOutLimit)
                             : end + 100;
    for (float top = 0.0f; top < end && !m_device.m_stop; top += length) {
      CFRect strip(m_settings.m_mediaRect.left, top, m_settings.m_mediaRect.right, top + length);
      WriteStrip(progress.get(), job.get(), strip);
    }
    // A stopped job is finished all the same (the file is closed), but it goes nowhere.
    written = m_device.EndJob() && !m_device.m_stop;
  }
  m_device.m_port.SetPortName(keptPort);
  return written;
}

bool CCutDeviceBar::WriteStrip(CCutProgress* progress, CGroupBlock* job, const CFRect& strip) {
  std::unique_ptr<CGroupBlock> part(ClipGroupToRect(job->GetChildren(), strip));
  if (!part) return false;
  progress->SetStepText(OutputText::Load(OutputText::kScaling));
  part->Transform(PageToDeviceMatrix(m_settings.m_mediaRect, m_device.m_rs, m_device.m_ratioX,
                                     m_device.m_ratioY));
  progress->SetStepText(OutputText::Load(OutputText::kCutting));
  part->FlattenNested();
  if (m_settings.m_sort) part->SortByTop();
  progress->SetRange(part->CountCurvePoints());
  OutputBlocks(progress, part.get(), m_device, m_settings);
  if (m_settings.m_pageRect && !m_device.m_stop) CutMediaFrame();
  return true;
}

void CCutDeviceBar::OutputBlocks(CCutProgress* progress, CGroupBlock* blocks, CCutterDevice& device,
                                 const CCutSettings&) {
  for (INT_PTR i = 0; i < blocks->GetChildCount() && !device.m_stop; ++i) {
    CCurveBlock* curve = dynamic_cast<CCurveBlock*>(blocks->GetChild(i));
    if (!curve) continue;
    curve->ApplyMatrix();
    curve->OutputToCutter(&device);
    if (progress) progress->Advance(curve->GetCount());
  }
}

// The frame outlines the whole media from the device origin, the media's corner, after every
// strip: W and H are the media's size in whole steps.
void CCutDeviceBar::CutMediaFrame() {
  const CFRect& media = m_settings.m_mediaRect;
  const float rs = m_device.m_rs;
  const float w = static_cast<float>(static_cast<int>((media.right - media.left) / rs));
  const float h = static_cast<float>(static_cast<int>((media.bottom - media.top) / rs));
  // Pen mode: the frame is drawn where it is, without the blade-offset corrections.
  int penMode = m_device.m_penMode;
  m_device.m_penMode = 1;
  m_device.MoveTo(0.0f, 0.0f);
  m_device.CutTo(w, 0.0f);
  m_device.CutTo(w, h);
  m_device.CutTo(0.0f, h);
  m_device.CutTo(0.0f, 0.0f);
  m_device.FlushPendingBlank();
  m_device.m_penMode = penMode;
}

bool CCutDeviceBar::PlotDirect(LPCSTR path) {
  std::unique_ptr<CPortingDlg> dialog = MakePortingDialog();
  dialog->SetFinishingCommands(m_device.GetFinishingCommands());
  HWND frame = Frame();
  bool sent;
  {
    ModalState modal(frame);
    sent = dialog->SendData(path, m_settings.m_portName, frame ? CWnd::FromHandle(frame) : nullptr,
                            m_host.GetLanguage());
  }
  if (sent) m_settings.SaveCutSettings(m_device.ProfileFile());
  ReportPlotted(*dialog);
  return sent;
}

// The progress window goes as soon as the last byte is out, too soon to be read on a fast port:
// the user is told what the port took, or why it took no more.
void CCutDeviceBar::ReportPlotted(const CPortingDlg& dialog) {
  CString text;
  const LPCSTR port = m_settings.m_portName;
  const unsigned sent = dialog.GetBytesSent(), total = dialog.GetBytesTotal();
  UINT icon = MB_ICONINFORMATION;
  switch (dialog.GetOutcome()) {
    case CPortingDlg::kSent:
      text.Format(OutputText::Load(OutputText::kPlotSent), port, sent);
      break;
    case CPortingDlg::kStopped:
      text.Format(OutputText::Load(OutputText::kPlotStopped), port, sent, total);
      break;
    case CPortingDlg::kPortRefused:
      text.Format(OutputText::Load(OutputText::kPlotRefused), port, sent, total);
      icon = MB_ICONERROR;
      break;
    case CPortingDlg::kReported:
      return;
  }
  AfxShowMessageBox(Frame(), text, OutputText::Load(OutputText::kCutOutput), MB_OK | icon);
}

std::unique_ptr<CPortingDlg> CCutDeviceBar::MakePortingDialog() {
  return std::unique_ptr<CPortingDlg>(new CPortingDlg);
}

bool CCutDeviceBar::SendToManager(LPCSTR path) {
  CJobFile job;
  job.SetVersion(CJobFile::kVersion);
  job.SetOutputMethod(m_device.m_outMethod);
  // The port the user chose, not the plot file the profile's port was writing to.
  job.SetPortName(m_settings.m_portName);
  job.SetDocumentName(m_host.GetDocumentTitle());
  job.SetDataPath(path);
  return job.SendToManager();
}
