// CCutterDevice: a cutter model described by its section of Cutters.INI, and the writer that
// turns geometry in device steps into that model's plotter commands through its own port. It is
// the model's cutting sink (CCutSink): curves cut themselves through it.
#pragma once

#include <windows.h>

#include <cstddef>
#include <vector>

#include "framework/String.h"
#include "framework/StringArray.h"
#include "model/blocks/CutSink.h"
#include "model/geometry/FRect.h"
#include "model/settings/IniFile.h"
#include "output/CutSettings.h"
#include "output/OutPort.h"
#include "output/PlotTemplate.h"

class CCutterDevice : public CCutSink {
public:
  explicit CCutterDevice(LPCSTR modelName = nullptr);
  ~CCutterDevice() override;
  CCutterDevice(const CCutterDevice&) = delete;
  CCutterDevice& operator=(const CCutterDevice&) = delete;

  // Reads the model's section; a name given replaces the stored one. A model that is not in the
  // list, a section that is missing or empty, a move or cut command that is missing, a template
  // that does not fit its command or a resolution that is not above 0 is reported and keeps jobs
  // from starting.
  void LoadProfile(LPCSTR modelName = nullptr);
  void SaveProfile();
  // The profile file (Cutters.INI in the program folder).
  CIniFile& ProfileFile() { return m_profileFile; }
  // The section of the model list in the user-interface language: "CutterDevices" and the
  // resources' suffix (a blank in the built-in Chinese ones, "Eng" in the English library).
  static CString ModelListSection();
  // The model names of that list, in the file's order.
  void GetModelNames(CStringArray& names) const;
  // What is wrong with the loaded profile; empty when it can drive a job. A device that has
  // loaded no model has a problem too.
  const CString& GetProfileProblem() const { return m_profileProblem; }

  // Opens the port and sends the initialisation. False, after telling the user, when the profile
  // is unusable or the port does not open.
  bool BeginJob(HWND progressWindow, const CCutSettings& settings);
  // Finishes the job and closes the port; false when the port refused data of the job (after a
  // refused command nothing more is sent: the rest would cut in the wrong places).
  bool EndJob();
  // The test square and the reset; false, after telling the user when the port refused the data,
  // unless every command reached the port.
  bool TestCut(HWND progressWindow, const CCutSettings& settings);
  bool Reset(HWND progressWindow, const CCutSettings& settings);
  // What leaves a device safe after a plot file was stopped part way: the blank that ends a cut
  // run, pen up, a pen-up move to the origin and home.
  CString GetFinishingCommands() const;

  // Geometry, all in device steps: the cutting sink that curves emit themselves into.
  void MoveTo(float x, float y) override;
  void MoveToDashStart(float x, float y) override;
  void CutTo(float x, float y) override;
  void DashCutTo(float x, float y) override;
  void CutBezier(const FPOINT points[4], BOOL first) override;
  void CutOvercut(const BYTE* points, int recordCount, int startIndex) override;
  void FlushPendingBlank() override;
  void PenUpAndHome();

  bool IsDashMode() const override { return m_dashMode != 0; }
  bool IsSoftwareOffsetActive() const;

  // Profile values; the cut bars show and change them.
  char m_modelName[80];
  char m_sectionName[60];
  int m_stop;
  COutPort m_port;
  float m_rs;
  float m_curveAccuracy;
  CPlotTemplate m_rsCmd;
  CPlotTemplate m_initCmd;
  CPlotTemplate m_relativeCmd;
  CPlotTemplate m_absCmd;
  CPlotTemplate m_subJoin;
  CPlotTemplate m_homeCmd;
  CPlotTemplate m_moveTo;
  CPlotTemplate m_lineTo;
  CPlotTemplate m_lineToEx;
  CPlotTemplate m_rMoveTo;
  CPlotTemplate m_rLineTo;
  CPlotTemplate m_rLineToEx;
  CPlotTemplate m_penUp;
  CPlotTemplate m_penDown;
  CPlotTemplate m_speedCmd;
  CPlotTemplate m_forceCmd;
  CPlotTemplate m_plotCmd;
  CPlotTemplate m_cutCmd;
  CPlotTemplate m_feedCmd;
  CPlotTemplate m_newFrame;
  CPlotTemplate m_offsetCmd;
  int m_swapXY;
  int m_setSpeed;
  int m_setForce;
  short m_speed;
  short m_maxSpeed;
  short m_force;
  short m_maxForce;
  int m_hardOffset;
  int m_penMode;
  float m_bladeOffset;  // mm
  float m_ratioX;
  float m_ratioY;
  int m_overcut;  // device steps
  short m_outMethod;

private:
  struct TemplateKey;
  static const TemplateKey kTemplateKeys[];

  void ResetProfile();
  bool FindSection();
  void LoadTemplates();
  void LoadValues();
  void ReportProfileProblem() const;
  void ReportPortRefusal() const;

  bool Send(LPCSTR text);
  bool SendCommand(const CPlotTemplate& command, int argCount = 0, int value = 0);
  void SendPoint(const CPlotTemplate& command, float x, float y);
  void SendInitialisation();
  void SwivelBladeAtStart();
  void Finish();
  bool EndShortJob();

  void CutStart(float x, float y);
  void CutContinue(float x, float y);
  void SetCutDirection(float direction);
  void CutDashPiece(bool solid, float x, float y);
  void CutStraightOrDashed(const FPOINT& end);
  float OvercutLine(const FPOINT& from, const FPOINT& to, float remaining);

  CIniFile m_profileFile;
  CString m_profileProblem;
  CCutSettings m_settings;
  int m_portRefused;  // a write of this job failed without the user stopping it
  int m_cutting;
  float m_offsetX;
  float m_offsetY;
  float m_lastX;
  float m_lastY;
  float m_lastDirection;
  int m_dashMode;
  float m_solidLength;
  float m_voidLength;
  float m_dashRemaining;
  int m_dashSolid;
  int m_maxFeed;
  // The flattened pieces of the Bezier being cut, kept to save an allocation per curve.
  std::vector<FPOINT> m_bezierEnds;
};
