// C2DCarveDlg: the 2-D fill output dialog (297, command 32888). It engraves the active document
// on an engraving device by raster filling (CCarveFillJob) and, when asked, the drawing's
// outlines after the fill. The options live in "CarveInfo" of Carves.INI.
//
// The output area is detected when the dialog opens: a single block on the page is the box the
// fill covers (its stamp shape names the kind shown), anything else the page.
//
// Where the job goes follows the port: "File" (and the cut output's "FILE:") asks for a plot file
// and writes it there; a name that is no port is taken as the plot file itself; any real port
// (serial, parallel, printer queue, USB plotter) gets a temporary "OSD" plot file that is handed
// to the job manager once it is complete. A job that is stopped or fails is never handed over and
// leaves no file, and the user is told so; a file written ends with a message that names it.
//
// While the output runs the output button stops it ("终止") and the dialog stays responsive;
// the dialog closes after every output that started writing.
#pragma once

#include <windows.h>

#include <memory>

#include "framework/Dialog.h"
#include "framework/TextButton.h"
#include "model/geometry/FRect.h"
#include "model/settings/IniFile.h"
#include "output/CarveDevice.h"
#include "output/CarveFillJob.h"
#include "output/OutPort.h"

class CGroupBlock;
class CSegArray;
class CTALVEX42Doc;

class C2DCarveDlg : public CDialog {
public:
  enum ControlId : UINT {
    kDialogId = 297,
    kDeviceCombo = 1290,
    kPortCombo = 1289,
    kMirrorCheck = 1308,
    kRotateCheck = 1307,
    kRemoteOutCheck = 1089,
    kFillModeCheck = 1321,
    kDoubleWayCheck = 1318,
    kDrawContourCheck = 1319,
    kInverseOutCheck = 1171,
    kFillStepCombo = 1316,
    kCurveAccuracyEdit = 1286,
    kAreaExpandEdit = 1367,
    kAreaKindCombo = 1366,
    kPageHeightText = 1276,
    kPageWidthText = 1277,
    kProgressBar = 1311,
    kPortSetupButton = 1134,
    kOriginButton = 1355,
  };
  // The fill step's list entries, in millimetres.
  static const char* const kFillSteps[];
  static const char kFileEntry[];

  // textLine: the cut output's text-line option; text outlines then bring the line they are set
  // along. language: the interface language, which names the USB plotters.
  C2DCarveDlg(CTALVEX42Doc* document, bool textLine, LANGID language, CWnd* parent = nullptr);
  ~C2DCarveDlg() override;

  CIniFile& GetProfile() { return m_profile; }
  COutPort& GetPort() { return m_port; }
  CCarveDevice& GetDevice() { return m_device; }
  const CarveFillOptions& GetOptions() const { return m_options; }
  // The result of the last output that ran, and whether its job went to the job manager.
  CCarveFillJob::Result GetLastResult() const { return m_lastResult; }
  bool WasHandedOver() const { return m_handedOver; }

  // The output area of a drawing: the kind (0 the page, 1 a square, 2-5 the stamp shapes) and the
  // box. Blocks are taken from the last to the first; one block on the page is the area.
  static int DetectOutputArea(const CSegArray& blocks, const CFRect& page, CFRect* box);

  // Takes the options from the controls; false when one is not valid (nothing is saved but a
  // valid curve accuracy and area expansion).
  bool ReadOptions();
  void SaveOptions();

protected:
  BOOL OnInitDialog() override;
  void OnOK() override;
  void OnCancel() override;
  void OnPortSetup();
  void OnOrigin();
  DECLARE_MESSAGE_MAP()

  // The plot file for "File"; false when the user cancels.
  virtual bool AskForPlotFile(CString& path);

private:
  class Progress;

  void FillDeviceList();
  void FillPortList();
  void LoadOptions();
  bool LoadChosenDevice();
  bool Run();
  bool ChooseTarget(CString& path, bool* handOver);
  std::unique_ptr<CGroupBlock> CollectOutlines() const;
  void Report(CCarveFillJob::Result result, const CCarveFillJob& job, LPCSTR target);
  void ReportFileWritten(LPCSTR path);
  void ReportStopped(LPCSTR target, bool handOver);
  void ShowMessage(const CString& text, LPCSTR caption = nullptr);
  void ShowInformation(const CString& text);
  bool HandOver(LPCSTR dataPath);
  CFRect Page() const;
  bool IsRunning() const { return m_idle == 0; }
  void SetOutputButton(UINT textId, LPCSTR fallback);

  CIniFile m_profile;
  COutPort m_port;
  int m_idle;  // the device's stop flag: 0 while an output runs, set again to stop it
  CCarveDevice m_device;
  CarveFillOptions m_options;
  CTALVEX42Doc* m_document;
  bool m_textLine;
  LANGID m_language;
  CCarveFillJob::Result m_lastResult;
  bool m_handedOver;
  CTextButton m_exitButton;  // greyed while the output runs
};
