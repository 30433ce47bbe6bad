#include "output/CutterDevice.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <vector>

#include "framework/MessageBox.h"
#include "model/geometry/BezierTable.h"
#include "model/geometry/PointRecord.h"
#include "model/geometry/SegmentWalker.h"
#include "output/AdaptiveBezier.h"
#include "output/DeviceNumbers.h"
#include "output/OutputTexts.h"

namespace {

const char kProfileFileName[] = "Cutters.INI";
const char kModelListSection[] = "CutterDevices";
const UINT kModelListSuffixId = 59999;
// Room for the model names of the list, as the cut bar reads them.
const size_t kModelListBytes = 5000;

const double kPi = 3.14159265358979323846;
// A corner sharper than this makes the trailing blade swivel on the spot before cutting on.
const double kSwivelTurn = 1.45;
const float kSwivelCutLength = 100.0f;
const float kShortestOvercutLine = 0.8f;

float RatioOrOne(float ratio) { return ratio < 0.9f || ratio > 1.1f ? 1.0f : ratio; }

void CopyBounded(char* out, size_t size, LPCSTR text) {
  std::memset(out, 0, size);
  if (text) std::strncpy(out, text, size - 1);
}

}  // namespace

// Every template key of a model section. Formats name how many integers their command passes;
// the others are sent as they are, or kept without being sent.
struct CCutterDevice::TemplateKey {
  LPCSTR key;
  CPlotTemplate CCutterDevice::*member;
  bool formatted;
  int minArgs;
  int maxArgs;
  bool required;  // without it a job would move or cut nothing
};

const CCutterDevice::TemplateKey CCutterDevice::kTemplateKeys[] = {
    {"RSCMD", &CCutterDevice::m_rsCmd, false, 0, 0, false},
    {"InitCmd", &CCutterDevice::m_initCmd, false, 0, 0, false},
    {"RelativeCmd", &CCutterDevice::m_relativeCmd, false, 0, 0, false},
    {"AbsCmd", &CCutterDevice::m_absCmd, false, 0, 0, false},
    {"SubJoin", &CCutterDevice::m_subJoin, false, 0, 0, false},
    {"HomeCmd", &CCutterDevice::m_homeCmd, true, 0, 0, false},
    {"MoveTo", &CCutterDevice::m_moveTo, true, 2, 2, true},
    {"LineTo", &CCutterDevice::m_lineTo, true, 2, 2, true},
    {"LineToEx", &CCutterDevice::m_lineToEx, true, 2, 2, true},
    {"RMoveTo", &CCutterDevice::m_rMoveTo, false, 0, 0, false},
    {"RLineTo", &CCutterDevice::m_rLineTo, false, 0, 0, false},
    {"RLineToEx", &CCutterDevice::m_rLineToEx, false, 0, 0, false},
    {"PenUp", &CCutterDevice::m_penUp, true, 0, 0, false},
    {"PenDown", &CCutterDevice::m_penDown, false, 0, 0, false},
    {"SpeedCmd", &CCutterDevice::m_speedCmd, true, 1, 1, false},
    {"ForceCmd", &CCutterDevice::m_forceCmd, true, 1, 1, false},
    {"PlotCmd", &CCutterDevice::m_plotCmd, false, 0, 0, false},
    {"CutCmd", &CCutterDevice::m_cutCmd, false, 0, 0, false},
    {"FeedCmd", &CCutterDevice::m_feedCmd, true, 0, 1, false},
    {"NewFrame", &CCutterDevice::m_newFrame, true, 0, 0, false},
    {"OffsetCmd", &CCutterDevice::m_offsetCmd, false, 0, 0, false},
};

CCutterDevice::CCutterDevice(LPCSTR modelName) {
  std::memset(m_modelName, 0, sizeof(m_modelName));
  ResetProfile();
  m_stop = 0;
  m_portRefused = 0;
  // The cancel button of the cutting progress sets m_stop; the port must see it too, or a stalled
  // port would keep retrying after the user gave up.
  m_port.SetStopCheck([this] { return m_stop != 0; });
  // A job is thousands of short commands: a plot file takes them in few system writes.
  m_port.EnableFileBuffer(true);
  m_cutting = 0;
  m_offsetX = m_offsetY = 0.0f;
  m_lastX = m_lastY = 0.0f;
  m_lastDirection = 0.0f;
  m_dashMode = 0;
  m_solidLength = m_voidLength = m_dashRemaining = 0.0f;
  m_dashSolid = 1;
  m_maxFeed = 0;
  m_profileFile.SetPath(kProfileFileName);
  if (modelName) LoadProfile(modelName);
}

CCutterDevice::~CCutterDevice() { m_port.Close(); }

void CCutterDevice::ResetProfile() {
  std::memset(m_sectionName, 0, sizeof(m_sectionName));
  for (const TemplateKey& key : kTemplateKeys) (this->*key.member).Clear();
  m_rs = 0.025f;
  m_curveAccuracy = 2.0f;
  m_swapXY = 0;
  m_setSpeed = 1;
  m_setForce = 0;
  m_speed = 40;
  m_maxSpeed = 0;
  m_force = 80;
  m_maxForce = 0;
  m_hardOffset = 1;
  m_penMode = 0;
  m_bladeOffset = 0.3f;
  m_ratioX = m_ratioY = 1.0f;
  m_overcut = 0;
  m_outMethod = 2;
  // Until a model's section is read, every command is empty: a job would send nothing.
  m_profileProblem = OutputText::Load(OutputText::kNoModel);
}

CString CCutterDevice::ModelListSection() {
  CString suffix;
  if (!suffix.LoadString(kModelListSuffixId)) suffix = " ";
  return CString(kModelListSection) + suffix;
}

void CCutterDevice::GetModelNames(CStringArray& names) const {
  names.RemoveAll();
  // Listing a section finds it only by its exact name, and names in the file carry no trailing
  // blank (the Chinese resources' suffix).
  CString section = ModelListSection();
  section.TrimRight();
  std::vector<char> list(kModelListBytes, '\0');
  m_profileFile.ReadString(section, nullptr, list.data(), static_cast<int>(list.size()), "");
  for (const char* name = list.data(); *name != '\0'; name += std::strlen(name) + 1)
    names.Add(name);
}

void CCutterDevice::LoadProfile(LPCSTR modelName) {
  if (modelName) CopyBounded(m_modelName, sizeof(m_modelName), modelName);
  ResetProfile();
  if (m_modelName[0] == '\0') return;
  m_profileProblem.Empty();
  if (FindSection()) {
    LoadTemplates();
    LoadValues();
  }
  if (!m_profileProblem.IsEmpty()) ReportProfileProblem();
}

// The model's section must exist and hold keys: without them every value is a default and every
// command empty, and a job would "succeed" without sending anything.
bool CCutterDevice::FindSection() {
  CString list = ModelListSection();
  m_profileFile.ReadString(list, m_modelName, m_sectionName, sizeof(m_sectionName), "");
  if (m_sectionName[0] == '\0') {
    m_profileProblem.Format(OutputText::Load(OutputText::kModelNotListed),
                            list.TrimRight().GetString());
    return false;
  }
  char keys[64];
  m_profileFile.ReadString(m_sectionName, nullptr, keys, sizeof(keys), "");
  if (keys[0] == '\0') {
    m_profileProblem.Format(OutputText::Load(OutputText::kSectionMissing), m_sectionName);
    return false;
  }
  return true;
}

void CCutterDevice::LoadTemplates() {
  for (const TemplateKey& key : kTemplateKeys) {
    char text[CPlotTemplate::kMaxExpansion];
    m_profileFile.GetEscapedString(m_sectionName, key.key, text, sizeof(text), "");
    CPlotTemplate& target = this->*key.member;
    CString problem;
    bool ok = key.formatted ? target.SetFormat(text, key.minArgs, key.maxArgs, &problem)
                            : target.SetRaw(text, &problem);
    if (!ok)
      m_profileProblem.AppendFormat("%s=%s: %s\n", key.key, text, problem.GetString());
    else if (key.required && target.IsEmpty())
      m_profileProblem.AppendFormat(OutputText::Load(OutputText::kCommandMissing), key.key);
  }
}

void CCutterDevice::LoadValues() {
  LPCSTR section = m_sectionName;
  m_rs = m_profileFile.GetFloat(section, "RS", 0.025f);
  if (!(m_rs > 0.0f)) m_profileProblem += OutputText::Load(OutputText::kNoResolution);
  m_swapXY = m_profileFile.GetInt(section, "SWAPXY", 0);
  m_setSpeed = m_profileFile.GetInt(section, "SetSpeed", 1);
  m_speed = ToShort(m_profileFile.GetInt(section, "DefaultSpeed", 40));
  CString range;
  m_profileFile.GetString(section, "SpeedRanger", range, "");
  m_maxSpeed = RangeMaximum(range);
  m_setForce = m_profileFile.GetInt(section, "SetForce", 0);
  m_force = ToShort(m_profileFile.GetInt(section, "DefaultForce", 80));
  m_profileFile.GetString(section, "ForceRanger", range, "");
  m_maxForce = RangeMaximum(range);
  m_hardOffset = m_profileFile.GetInt(section, "HardOffset", 1);
  bool penModeChoosable = m_hardOffset == 0 || !m_plotCmd.IsEmpty();
  m_penMode = penModeChoosable ? m_profileFile.GetInt(section, "PenMode", 0) : 0;
  m_bladeOffset = m_profileFile.GetFloat(section, "Offset", 0.3f);
  m_overcut = m_profileFile.GetInt(section, "OVERCUT", 0);
  m_outMethod = ToShort(m_profileFile.GetInt(section, "OutMethod", 2));
  m_ratioX = RatioOrOne(m_profileFile.GetFloat(section, "RatioX", 1.0f));
  m_ratioY = RatioOrOne(m_profileFile.GetFloat(section, "RatioY", 1.0f));
}

void CCutterDevice::ReportProfileProblem() const {
  CString text;
  if (m_modelName[0] == '\0')
    text = m_profileProblem;
  else if (m_sectionName[0] == '\0')
    text.Format(OutputText::Load(OutputText::kProfileUnusable), m_modelName, kProfileFileName,
                m_profileProblem.GetString());
  else
    text.Format(OutputText::Load(OutputText::kProfileSectionUnusable), m_modelName,
                kProfileFileName, m_sectionName, m_profileProblem.GetString());
  AfxMessageBox(text, MB_OK | MB_ICONERROR);
}

void CCutterDevice::ReportPortRefusal() const {
  CString text;
  text.Format(OutputText::Load(OutputText::kPortRefused), m_port.GetPortName());
  AfxMessageBox(text, MB_OK | MB_ICONERROR);
}

void CCutterDevice::SaveProfile() {
  if (m_modelName[0] == '\0') return;
  // The same list that loading used: a resource library may name its own list.
  char section[sizeof(m_sectionName)];
  m_profileFile.ReadString(ModelListSection(), m_modelName, section, sizeof(section), "");
  if (section[0] == '\0') return;
  m_ratioX = RatioOrOne(m_ratioX);
  m_ratioY = RatioOrOne(m_ratioY);
  m_profileFile.WriteFloat(section, "Offset", m_bladeOffset);
  m_profileFile.WriteInt(section, "OverCut", m_overcut);
  m_profileFile.WriteInt(section, "DefaultSpeed", m_speed);
  m_profileFile.WriteInt(section, "DefaultForce", m_force);
  m_profileFile.WriteInt(section, "SetForce", m_setForce);
  m_profileFile.WriteInt(section, "SetSpeed", m_setSpeed);
  m_profileFile.WriteInt(section, "PenMode", m_penMode);
  m_profileFile.WriteFloat(section, "RatioX", m_ratioX);
  m_profileFile.WriteFloat(section, "RatioY", m_ratioY);
}

bool CCutterDevice::IsSoftwareOffsetActive() const {
  return m_bladeOffset != 0.0f && m_penMode == 0 && m_hardOffset == 0;
}

// ---- Sending ----

bool CCutterDevice::Send(LPCSTR text) {
  if (text == nullptr || *text == '\0') return true;
  if (m_portRefused) return false;
  if (m_port.WriteString(text)) return true;
  // A write the user stopped is no fault of the port.
  if (m_port.GetState() != COutPort::kCancelled) m_portRefused = 1;
  return false;
}

bool CCutterDevice::SendCommand(const CPlotTemplate& command, int argCount, int value) {
  char text[CPlotTemplate::kMaxExpansion];
  const int args[1] = {value};
  if (!command.Expand(args, argCount, text, sizeof(text))) return false;
  return Send(text);
}

void CCutterDevice::SendPoint(const CPlotTemplate& command, float x, float y) {
  int ix = ToSteps(x);
  int iy = ToSteps(y);
  const int args[2] = {m_swapXY ? ix : iy, m_swapXY ? iy : ix};
  m_maxFeed = std::max(m_maxFeed, args[0]);
  char text[CPlotTemplate::kMaxExpansion];
  if (command.Expand(args, 2, text, sizeof(text))) Send(text);
}

// ---- Job ----

bool CCutterDevice::BeginJob(HWND progressWindow, const CCutSettings& settings) {
  m_settings = settings;
  GetBezierTable().SetSteps(CBezierTable::kMaxSteps);
  bool resolutionOk = m_rs > 0.0f;
  m_solidLength = resolutionOk ? std::max(settings.m_solidCut, 0.0f) / m_rs : 0.0f;
  m_voidLength = resolutionOk ? std::max(settings.m_voidCut, 0.0f) / m_rs : 0.0f;
  m_dashRemaining = m_solidLength;
  m_dashSolid = 1;
  m_bladeOffset = settings.m_bladeOffset;
  m_dashMode = settings.m_halfCut;
  m_curveAccuracy = settings.m_curveAccurate;
  m_cutting = 0;
  m_stop = 0;
  m_portRefused = 0;
  m_maxFeed = 0;

  if (!m_profileProblem.IsEmpty()) {
    ReportProfileProblem();
    return false;
  }
  if (!m_port.Open(progressWindow)) {
    CString text;
    text.Format(OutputText::Load(OutputText::kPortNotOpened), m_port.GetPortName());
    AfxMessageBox(text, MB_OK | MB_ICONERROR);
    return false;
  }
  SendInitialisation();
  if (IsSoftwareOffsetActive()) SwivelBladeAtStart();
  PenUpAndHome();
  m_maxFeed = 0;
  return true;
}

void CCutterDevice::SendInitialisation() {
  if (!m_initCmd.IsEmpty()) {
    CString init = CString(m_initCmd.GetText()) + m_homeCmd.GetText() + m_rsCmd.GetText() +
                   m_absCmd.GetText() + m_penUp.GetText() + m_subJoin.GetText();
    Send(init);
  }
  if (m_penMode == 0)
    Send(m_cutCmd.GetText());
  else if (m_hardOffset != 0)
    Send(m_plotCmd.GetText());
  if (!m_speedCmd.IsEmpty() && m_setSpeed) SendCommand(m_speedCmd, 1, m_speed);
  if (!m_forceCmd.IsEmpty() && m_setForce) SendCommand(m_forceCmd, 1, m_force);
}

// The trailing blade starts turned any way: a short cut along y points it there, and every
// later point is corrected by the blade's lag behind the axis.
void CCutterDevice::SwivelBladeAtStart() {
  float offset = m_bladeOffset;
  m_bladeOffset = 0.0f;
  MoveTo(0.0f, 0.0f);
  CutTo(0.0f, kSwivelCutLength);
  m_bladeOffset = offset;
  m_offsetX = 0.0f;
  m_offsetY = static_cast<float>(ToSteps(offset / m_rs));
  m_lastDirection = static_cast<float>(kPi / 2);
}

void CCutterDevice::PenUpAndHome() {
  SendCommand(m_penUp);
  SendCommand(m_homeCmd);
}

void CCutterDevice::Finish() {
  float offset = m_bladeOffset;
  m_bladeOffset = 0.0f;
  if (m_settings.m_autoFeed) {
    // The largest feed coordinate goes where it was printed: first.
    float feed = static_cast<float>(m_maxFeed);
    if (m_swapXY)
      MoveTo(feed, 0.0f);
    else
      MoveTo(0.0f, feed);
    if (!m_feedCmd.IsEmpty()) SendCommand(m_feedCmd, 1, m_maxFeed);
  } else {
    MoveTo(0.0f, 0.0f);
    PenUpAndHome();
  }
  if (!m_newFrame.IsEmpty()) SendCommand(m_newFrame);
  m_cutting = 0;
  m_bladeOffset = offset;
}

bool CCutterDevice::EndJob() {
  Finish();
  // What the file buffer still holds must reach the file before anyone reads it.
  if (!m_port.Flush()) m_portRefused = 1;
  m_port.Close();
  return !m_portRefused;
}

CString CCutterDevice::GetFinishingCommands() const {
  char text[CPlotTemplate::kMaxExpansion];
  CString commands(" ");
  if (m_penUp.Expand(nullptr, 0, text, sizeof(text))) commands += text;
  const int origin[2] = {0, 0};
  if (m_moveTo.Expand(origin, 2, text, sizeof(text))) commands += text;
  if (m_homeCmd.Expand(nullptr, 0, text, sizeof(text))) commands += text;
  return commands;
}

bool CCutterDevice::TestCut(HWND progressWindow, const CCutSettings& settings) {
  if (!BeginJob(progressWindow, settings)) {
    m_port.Close();
    return false;
  }
  if (m_rs > 0.0f && settings.m_testWidth > 3) {
    float side = static_cast<float>(ToSteps(settings.m_testWidth / m_rs));
    MoveTo(0.0f, 0.0f);
    CutTo(side, 0.0f);
    CutTo(side, side);
    CutTo(0.0f, side);
    CutTo(0.0f, 0.0f);
    Send(" ");
    m_cutting = 0;
  }
  return EndShortJob();
}

bool CCutterDevice::Reset(HWND progressWindow, const CCutSettings& settings) {
  if (!BeginJob(progressWindow, settings)) {
    m_port.Close();
    return false;
  }
  return EndShortJob();
}

// Test and reset have no file to show for themselves: a port that took nothing must be told.
bool CCutterDevice::EndShortJob() {
  bool delivered = EndJob();
  if (!delivered) ReportPortRefusal();
  return delivered && !m_stop && m_port.GetState() != COutPort::kCancelled;
}

// ---- Moves and cuts ----

void CCutterDevice::MoveTo(float x, float y) {
  if (m_cutting) Send(" ");
  bool offset = IsSoftwareOffsetActive();
  SendPoint(m_moveTo, x + (offset ? m_offsetX : 0.0f), y + (offset ? m_offsetY : 0.0f));
  m_lastX = x;
  m_lastY = y;
  m_cutting = 0;
}

void CCutterDevice::MoveToDashStart(float x, float y) {
  m_dashRemaining = m_solidLength;
  m_dashSolid = 1;
  MoveTo(x, y);
}

void CCutterDevice::CutTo(float x, float y) {
  if (m_cutting)
    CutContinue(x, y);
  else
    CutStart(x, y);
  m_cutting = 1;
}

void CCutterDevice::SetCutDirection(float direction) {
  m_lastDirection = direction;
  float length = m_rs > 0.0f ? m_bladeOffset / m_rs : 0.0f;
  m_offsetX = static_cast<float>(ToSteps(length * std::cos(direction)));
  m_offsetY = static_cast<float>(ToSteps(length * std::sin(direction)));
}

void CCutterDevice::CutStart(float x, float y) {
  bool offset = IsSoftwareOffsetActive();
  if (offset) {
    SetCutDirection(static_cast<float>(std::atan2(y - m_lastY, x - m_lastX)));
    SendPoint(m_lineTo, m_lastX + m_offsetX, m_lastY + m_offsetY);
  }
  SendPoint(m_lineTo, x + (offset ? m_offsetX : 0.0f), y + (offset ? m_offsetY : 0.0f));
  m_lastX = x;
  m_lastY = y;
}

void CCutterDevice::CutContinue(float x, float y) {
  if (x == m_lastX && y == m_lastY) return;
  bool offset = IsSoftwareOffsetActive();
  if (offset) {
    float direction = static_cast<float>(std::atan2(y - m_lastY, x - m_lastX));
    double turn = std::fabs(static_cast<double>(direction) - m_lastDirection);
    if (turn > kPi) turn = 2 * kPi - turn;
    SetCutDirection(direction);
    if (turn > kSwivelTurn) SendPoint(m_lineToEx, m_lastX + m_offsetX, m_lastY + m_offsetY);
  }
  SendPoint(m_lineToEx, x + (offset ? m_offsetX : 0.0f), y + (offset ? m_offsetY : 0.0f));
  m_lastX = x;
  m_lastY = y;
}

void CCutterDevice::FlushPendingBlank() {
  if (!m_cutting) return;
  m_cutting = 0;
  Send(" ");
}

// ---- Half cut ----

// Dashed walking opens no cut run: each solid piece is a cut of its own ("LineTo") and each void
// piece a move, with nothing between them. Only a run that something else opened is continued.
void CCutterDevice::CutDashPiece(bool solid, float x, float y) {
  if (!solid)
    MoveTo(x, y);
  else if (m_cutting)
    CutTo(x, y);
  else
    CutStart(x, y);
}

void CCutterDevice::DashCutTo(float x, float y) {
  // A pattern shorter than one step cannot be cut: the line is cut whole.
  if (m_solidLength + m_voidLength < 1.0f) {
    CutDashPiece(true, x, y);
    return;
  }
  // Positions along the line in double: a float stops growing by single steps on long lines.
  const double startX = m_lastX;
  const double startY = m_lastY;
  const double length = std::hypot(x - startX, y - startY);
  double done = 0.0;
  while (done < length) {
    double left = length - done;
    if (m_dashRemaining > left) {
      m_dashRemaining = static_cast<float>(m_dashRemaining - left);
      CutDashPiece(m_dashSolid != 0, x, y);
      break;
    }
    done += m_dashRemaining;
    if (m_dashRemaining > 0.0f) {
      double t = std::min(done / length, 1.0);
      CutDashPiece(m_dashSolid != 0, static_cast<float>(startX + (x - startX) * t),
                   static_cast<float>(startY + (y - startY) * t));
    }
    m_dashSolid = !m_dashSolid;
    m_dashRemaining = m_dashSolid ? m_solidLength : m_voidLength;
  }
}

// ---- Curves ----

void CCutterDevice::CutStraightOrDashed(const FPOINT& end) {
  if (m_dashMode)
    DashCutTo(end.x, end.y);
  else
    CutTo(end.x, end.y);
}

void CCutterDevice::CutBezier(const FPOINT points[4], BOOL /*first*/) {
  CAdaptiveBezier flattener(CAdaptiveBezier::DistanceToleranceFor(m_curveAccuracy),
                            CAdaptiveBezier::AngleToleranceFor(m_curveAccuracy));
  m_bezierEnds.clear();
  flattener.Flatten(points, &m_bezierEnds);
  for (const FPOINT& end : m_bezierEnds) CutStraightOrDashed(end);
}

// Cuts from -> to as far as the remaining overcut reaches; returns what is left of it.
float CCutterDevice::OvercutLine(const FPOINT& from, const FPOINT& to, float remaining) {
  float length = std::hypot(to.x - from.x, to.y - from.y);
  if (length < kShortestOvercutLine) return remaining;
  if (length <= remaining) {
    CutTo(to.x, to.y);
    return remaining - length;
  }
  float t = remaining / length;
  CutTo(from.x + (to.x - from.x) * t, from.y + (to.y - from.y) * t);
  return 0.0f;
}

void CCutterDevice::CutOvercut(const BYTE* points, int recordCount, int startIndex) {
  if (m_overcut <= 0 || !points || startIndex < 0 || startIndex >= recordCount) return;
  CAdaptiveBezier flattener(m_curveAccuracy < 2.0f ? 0.5f : 1.0f,
                            CAdaptiveBezier::AngleToleranceFor(m_curveAccuracy));
  float remaining = static_cast<float>(m_overcut);
  CSegmentWalker walker;
  walker.Step(LoadPointRecord(points, static_cast<size_t>(startIndex)));
  for (int i = startIndex + 1; remaining > 0.0f && i < recordCount; ++i) {
    CSegmentWalker::Kind kind = walker.Step(LoadPointRecord(points, static_cast<size_t>(i)));
    if (kind == CSegmentWalker::kEnd || kind == CSegmentWalker::kMove) break;
    const FPOINT* segment = walker.Points();
    if (kind == CSegmentWalker::kLine) {
      remaining = OvercutLine(segment[0], segment[3], remaining);
    } else if (kind == CSegmentWalker::kBezier) {
      std::vector<FPOINT> ends;
      flattener.Flatten(segment, &ends);
      FPOINT current = segment[0];
      for (const FPOINT& piece : ends) {
        if (remaining <= 0.0f) break;
        remaining = OvercutLine(current, piece, remaining);
        current = piece;
      }
    } else {
      continue;
    }
    if (walker.EndsSubpath()) break;
  }
}
