// CCutDeviceBar: the cut device bar (dialog 189): port, cutter model, media size, speed and force,
// and the buttons test, reset, output and exit. The output command writes the host's job strip by
// strip through the cutter profile into a plot file, then sends the file to the port (through the
// plotting progress dialog) or hands it to the job manager. A cancelled or failed job is neither
// sent nor handed over, and a temporary plot file is deleted once it has been used.
//
// The bar edits the program's cut settings and cutter profile in place; both outlive it.
#pragma once

#include <windows.h>

#include <memory>
#include <string>

#include "framework/DialogBar.h"
#include "framework/String.h"
#include "framework/TextButton.h"
#include "output/CutOutputHost.h"
#include "output/CutProgress.h"
#include "output/CutSettings.h"
#include "output/CutterDevice.h"
#include "output/DeviceNotifyList.h"
#include "output/PortingDlg.h"

class CGroupBlock;

class CCutDeviceBar : public CDialogBar {
public:
  enum ControlId : UINT {
    kDialogId = 189,
    kPortCombo = 1289,
    kModelCombo = 1280,
    kMediaWidth = 1065,
    kMediaHeight = 1066,
    kSpeedCheck = 1295,
    kSpeedCombo = 1062,
    kForceCheck = 1272,
    kForceEdit = 1063,
    kForceSpin = 1064,
    kTestButton = 1134,
    kResetButton = 1098,
    kOutputButton = 1106,
    kExitButton = 1107,
  };
  // Posted to the frame when the media size changes (fit and redraw).
  static const UINT kRedrawCommand = 40031;

  CCutDeviceBar(CCutterDevice& device, CCutSettings& settings, CCutOutputHost& host);
  ~CCutDeviceBar() override;

  // Creates the bar on dialog 189 (dynamic size added), fills it and registers for HID devices.
  BOOL Create(CWnd* parent, UINT style, UINT id);
  using CDialogBar::Create;

  void InitBar();
  void RefreshControls();
  // Widens the controls to their texts (in whatever language the resources have) and the bar
  // with them; the lists drop down as wide as their longest entry.
  void FitToTexts();
  void FillPortList();
  void CollectBarSettings();
  // Where the plot file goes, by the target kind: asks for a file (0), the port name itself (-1)
  // or a new temporary file for a device port (above 0). False when there is none.
  bool ChooseOutputTarget(CString& path, int kind);
  // Writes the job into the file at path; false when nothing lies on the media, the job could not
  // start, the file did not take it or the user stopped it.
  bool WriteCutJob(LPCSTR path);
  void OutputBlocks(CCutProgress* progress, CGroupBlock* blocks, CCutterDevice& device,
                    const CCutSettings& settings);
  bool PlotDirect(LPCSTR path);
  // The whole output command; true when the job reached its file, port or the job manager.
  bool Output();

  // The bar enables its own controls: the frame's update handlers know nothing of them.
  void OnUpdateCmdUI(CFrameWnd* target, BOOL disableIfNoHandler) override;

protected:
  // Seams of the parts that talk to the user or the world; tests replace them.
  virtual std::unique_ptr<CCutProgress> BeginProgress(LPCSTR title);
  virtual bool AskForPlotFile(CString& path);
  virtual bool SendToManager(LPCSTR path);
  virtual std::unique_ptr<CPortingDlg> MakePortingDialog();

  void OnModelChange();
  void OnPortChange();
  void OnPortTyped();
  void OnSpeedChange();
  void OnSpeedCheck();
  void OnForceChange();
  void OnForceCheck();
  void OnMediaWidthDone();
  void OnMediaHeightDone();
  void OnTest();
  void OnReset();
  void OnOutput();
  void OnExit();
  BOOL OnDeviceChange(UINT event, DWORD_PTR data);
  DECLARE_MESSAGE_MAP()

private:
  // The controls' texts in GBK; the port combo's as PortNameOfText reads it.
  CString ControlText(UINT id) const;
  CString PortText() const;
  std::wstring SelectedEntry(UINT comboId) const;
  void FillModelList();
  void ShowRememberedPort();
  void TakeProfileValues();
  void TakePort(const CString& name);
  void FillSpeedList();
  void SelectPrefix(UINT comboId, const std::wstring& prefix);
  void OnMediaSizeDone(UINT id, bool width);
  void RunDeviceCommand(LPCSTR title, bool test);
  // Cuts the part of the job in the strip; false when none of it lies there.
  bool WriteStrip(CCutProgress* progress, CGroupBlock* job, const CFRect& strip);
  void CutMediaFrame();
  void ReportFileWritten(LPCSTR path);
  void ReportPlotted(const CPortingDlg& dialog);
  // False, after telling the user, when the settings' port name is no port and no file path.
  bool PortNameUsable();
  HWND Frame() const;

  CCutterDevice& m_device;
  CCutSettings& m_settings;
  CCutOutputHost& m_host;
  CDeviceNotifyList m_notifications;
  // Test, reset, output and exit: disabled, the first two still show their whole texts.
  CTextButton m_buttons[4];
  bool m_filling;  // the bar is filling its controls: their notifications are not the user's
};
