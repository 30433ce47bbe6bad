// CCarveDevice: an engraving device (carving machine) described by its section of Carves.INI, and
// the writer that turns points, line runs and curves in device units into that model's commands
// through an output port it is bound to for one job. It is the model's engraving sink
// (CCarveSink): curves engrave themselves through it.
//
// Units: a device unit is "SoftWareRes" millimetres (default 0.0254); callers convert before
// they send. Device numbers are truncated toward zero.
//
// Coordinate order: "MoveTo" of SendPoint and both commands of MoveToInt/LineToInt carry x
// first, y first when "SWAPXY" is set. The curve line commands ("LineTo", "LineToEx" of
// SendLineTo, SendLineToEx and PlotPointList) always carry y first.
//
// The port and the stop flag belong to the caller (a dialog); the device only points at them
// between Begin (or Bind) and Finish. Every send tests the stop flag: once it is set nothing more
// is written. After a write that fails without a stop nothing more is written either: the rest of
// the job would go to the wrong places.
#pragma once

#include <windows.h>

#include "framework/String.h"
#include "framework/StringArray.h"
#include "model/blocks/CarveSink.h"
#include "model/settings/IniFile.h"
#include "output/PlotTemplate.h"

class COutPort;

class CCarveDevice : public CCarveSink {
public:
  // How a job start ended.
  enum StartResult { kStarted, kProfileUnusable, kPortNotOpened, kStartRefused };

  static const char kProfileFileName[];
  // Room of "FinishCmd", its terminating zero included.
  enum { kFinishSize = 80 };

  explicit CCarveDevice(LPCSTR modelName = nullptr);
  ~CCarveDevice() override;
  CCarveDevice(const CCarveDevice&) = delete;
  CCarveDevice& operator=(const CCarveDevice&) = delete;

  // ---- Profile ----
  // Reads the model's section; a name given replaces the stored one. A model that is not listed
  // gives an empty section and every default. What keeps the profile from driving a job (no
  // model, no section, a template that does not fit its command, a missing start or move
  // command, a resolution that is not above 0) is kept in GetProfileProblem.
  void LoadProfile(LPCSTR modelName = nullptr);
  // Writes the origin ("OriginX", "OriginY" as "%.2f") into the model's section; false when the
  // model is not listed.
  bool SaveOrigin(LPCSTR modelName = nullptr);
  CIniFile& ProfileFile() { return m_profileFile; }
  // The model list in the user-interface language: "CarveDevices" and the resources' section
  // suffix (none in the built-in Chinese ones, "Eng" in the English library); "CarveDevices"
  // itself when the settings file has no list of that language.
  CString ModelListSection() const;
  void GetModelNames(CStringArray& names) const;
  const CString& GetProfileProblem() const { return m_profileProblem; }

  // ---- Job ----
  // Loads the profile when a name is given, binds port, owner and stop flag, opens the port
  // (messages of owner are pumped while writing) and sends the start.
  StartResult Begin(LPCSTR modelName, COutPort* port, HWND owner, int* stopFlag);
  // Binds without opening (the port is opened by the caller).
  void Bind(COutPort* port, HWND owner, int* stopFlag);
  // The start: "InitCmd", "AbsCmd", "RSCMD", "PenUp", "SubJoin" joined, then "SpeedCmd" with the
  // default speed. 0 when "InitCmd" is empty or a write fails.
  int SendInit();
  // Pen-up move ("MoveTo") to a sub-path start.
  int SendPoint(float x, float y) override;
  // The fill's run ends: "MoveTo" and "LineTo" with the integers given; the pen-down flag stays.
  int MoveToInt(int x, int y);
  int LineToInt(int x, int y);
  // A vertex of a pen-down run: "LineTo" first, "LineToEx" for the further ones.
  int PlotTo(float x, float y) override;
  int SendLineTo(float x, float y);
  // 1 without sending for a vertex equal to the last one sent in this job.
  int SendLineToEx(float x, float y);
  // "x,y" pairs as vertices of the run; 0 at the first failed write or a list that is not one.
  int PlotPointList(LPCSTR points) override;
  // Ends a pen-down run with one blank.
  int FlushPendingBlank() override;
  // "PenUp" or "PenDown" as it stands.
  int SendPenUp();
  int SendPenDown();
  // Sends "FinishCmd" (unless stopped), closes the port and lets it go. 1 when there is no
  // finish command.
  int Finish();
  // A write of this job failed without a stop.
  bool HasFailed() const { return m_failed; }
  bool IsStopped() const { return m_stop != nullptr && *m_stop != 0; }
  bool IsPenDown() const { return m_penDown != 0; }

  // ---- Profile values ----
  char m_modelName[80];
  char m_sectionName[60];
  int m_maxWidth;      // mm
  int m_maxHeight;     // mm
  float m_originX;     // mm
  float m_originY;     // mm
  float m_resolution;  // mm per device unit
  int m_originMode;
  float m_curveAccuracy;
  short m_outMethod;
  int m_swapXY;
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
  CPlotTemplate m_penUpCmd;
  CPlotTemplate m_penDownCmd;
  CPlotTemplate m_speedCmd;
  CPlotTemplate m_forceCmd;
  CPlotTemplate m_plotCmd;
  CPlotTemplate m_cutCmd;
  CPlotTemplate m_feedCmd;
  CPlotTemplate m_newFrame;
  CPlotTemplate m_offsetCmd;
  CString m_finishCmd;
  int m_setSpeed;
  int m_setForce;
  short m_speed;
  short m_maxSpeed;
  short m_force;
  short m_maxForce;

private:
  struct TemplateKey;
  static const TemplateKey kTemplateKeys[];

  void ResetProfile();
  bool FindSection();
  void LoadTemplates();
  void LoadValues();
  void Release();

  bool CanSend() const;
  int Write(LPCSTR text);
  int SendPair(const CPlotTemplate& command, int first, int second);
  int SendVertex(const CPlotTemplate& command, float x, float y);

  CIniFile m_profileFile;
  CString m_profileProblem;
  COutPort* m_port;
  HWND m_owner;
  int* m_stop;
  int m_penDown;
  bool m_hasLast;  // a vertex was sent since the job began
  float m_lastX;
  float m_lastY;
  bool m_failed;
};
