#include "output/CarveDevice.h"

#include <algorithm>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <vector>

#include "output/CarveTexts.h"
#include "output/DeviceNumbers.h"
#include "output/OutPort.h"

const char CCarveDevice::kProfileFileName[] = "Carves.INI";

namespace {

const char kModelListSection[] = "CarveDevices";
// The resources' suffix of the model list sections, shared with the cutters' list.
const UINT kModelListSuffixId = 59999;
const size_t kModelListBytes = 5000;

void CopyBounded(char* out, size_t size, LPCSTR text) {
  std::memset(out, 0, size);
  if (text) std::strncpy(out, text, size - 1);
}

// The next decimal number of a point list and the separator after it; false when there is none.
bool ReadListNumber(const char*& at, float* value) {
  char* end = nullptr;
  double number = std::strtod(at, &end);
  if (end == at) return false;
  *value = static_cast<float>(number);
  at = end;
  return true;
}

}  // namespace

// Every template key of a model section: formats with the integers their command passes, texts
// sent as they stand, and keys the engraving output reads but never sends.
struct CCarveDevice::TemplateKey {
  enum Use { kFormat, kSent, kUnused };
  LPCSTR key;
  CPlotTemplate CCarveDevice::*member;
  Use use;
  int arguments;
  bool required;  // without it a job would start, move or engrave nothing
};

const CCarveDevice::TemplateKey CCarveDevice::kTemplateKeys[] = {
    {"RSCMD", &CCarveDevice::m_rsCmd, TemplateKey::kSent, 0, false},
    {"InitCmd", &CCarveDevice::m_initCmd, TemplateKey::kSent, 0, true},
    {"RelativeCmd", &CCarveDevice::m_relativeCmd, TemplateKey::kUnused, 0, false},
    {"AbsCmd", &CCarveDevice::m_absCmd, TemplateKey::kSent, 0, false},
    {"SubJoin", &CCarveDevice::m_subJoin, TemplateKey::kSent, 0, false},
    {"HomeCmd", &CCarveDevice::m_homeCmd, TemplateKey::kUnused, 0, false},
    {"MoveTo", &CCarveDevice::m_moveTo, TemplateKey::kFormat, 2, true},
    {"LineTo", &CCarveDevice::m_lineTo, TemplateKey::kFormat, 2, true},
    {"LineToEx", &CCarveDevice::m_lineToEx, TemplateKey::kFormat, 2, true},
    {"RMoveTo", &CCarveDevice::m_rMoveTo, TemplateKey::kUnused, 0, false},
    {"RLineTo", &CCarveDevice::m_rLineTo, TemplateKey::kUnused, 0, false},
    {"RLineToEx", &CCarveDevice::m_rLineToEx, TemplateKey::kUnused, 0, false},
    {"PenUp", &CCarveDevice::m_penUpCmd, TemplateKey::kSent, 0, false},
    {"PenDown", &CCarveDevice::m_penDownCmd, TemplateKey::kSent, 0, false},
    {"SpeedCmd", &CCarveDevice::m_speedCmd, TemplateKey::kFormat, 1, false},
    {"ForceCmd", &CCarveDevice::m_forceCmd, TemplateKey::kUnused, 0, false},
    {"PlotCmd", &CCarveDevice::m_plotCmd, TemplateKey::kUnused, 0, false},
    {"CutCmd", &CCarveDevice::m_cutCmd, TemplateKey::kUnused, 0, false},
    {"FeedCmd", &CCarveDevice::m_feedCmd, TemplateKey::kUnused, 0, false},
    {"NewFrame", &CCarveDevice::m_newFrame, TemplateKey::kUnused, 0, false},
    {"OffsetCmd", &CCarveDevice::m_offsetCmd, TemplateKey::kUnused, 0, false},
};

CCarveDevice::CCarveDevice(LPCSTR modelName)
    : m_port(nullptr),
      m_owner(nullptr),
      m_stop(nullptr),
      m_penDown(0),
      m_hasLast(false),
      m_lastX(0.0f),
      m_lastY(0.0f),
      m_failed(false) {
  std::memset(m_modelName, 0, sizeof(m_modelName));
  ResetProfile();
  m_profileFile.SetPath(kProfileFileName);
  if (modelName) LoadProfile(modelName);
}

CCarveDevice::~CCarveDevice() { Release(); }

// ---- Profile ----

void CCarveDevice::ResetProfile() {
  std::memset(m_sectionName, 0, sizeof(m_sectionName));
  for (const TemplateKey& key : kTemplateKeys) (this->*key.member).Clear();
  m_finishCmd.Empty();
  m_maxWidth = m_maxHeight = 0;
  m_originX = m_originY = 0.0f;
  m_resolution = 0.0254f;
  m_originMode = 0;
  m_curveAccuracy = 4.0f;
  m_outMethod = 2;
  m_swapXY = 0;
  m_setSpeed = 1;
  m_setForce = 0;
  m_speed = 40;
  m_maxSpeed = 0;
  m_force = 80;
  m_maxForce = 0;
  m_profileProblem = CarveText::LoadOr(CarveText::kNoModelId, CarveText::kNoModel);
}

// A settings file that has only the plain list serves every language.
CString CCarveDevice::ModelListSection() const {
  CString suffix;
  if (!suffix.LoadString(kModelListSuffixId)) suffix.Empty();
  CString section = CString(kModelListSection) + suffix.Trim();
  if (section == kModelListSection) return section;
  char first[8] = {};
  m_profileFile.ReadString(section, nullptr, first, sizeof first, "");
  return first[0] != '\0' ? section : CString(kModelListSection);
}

void CCarveDevice::GetModelNames(CStringArray& names) const {
  names.RemoveAll();
  std::vector<char> list(kModelListBytes, '\0');
  m_profileFile.ReadString(ModelListSection(), nullptr, list.data(), static_cast<int>(list.size()),
                           "");
  for (const char* name = list.data(); *name != '\0'; name += std::strlen(name) + 1)
    names.Add(name);
}

void CCarveDevice::LoadProfile(LPCSTR modelName) {
  if (modelName) CopyBounded(m_modelName, sizeof(m_modelName), modelName);
  ResetProfile();
  if (m_modelName[0] == '\0') return;
  m_profileProblem.Empty();
  // A model that is not listed keeps every default (and its problem).
  if (!FindSection()) return;
  LoadTemplates();
  LoadValues();
}

bool CCarveDevice::FindSection() {
  CString list = ModelListSection();
  m_profileFile.ReadString(list, m_modelName, m_sectionName, sizeof(m_sectionName), "");
  if (m_sectionName[0] == '\0') {
    m_profileProblem.Format(CarveText::LoadOr(CarveText::kModelNotListedId,
                                              CarveText::kModelNotListed),
                            list.GetString());
    return false;
  }
  char keys[64];
  m_profileFile.ReadString(m_sectionName, nullptr, keys, sizeof(keys), "");
  if (keys[0] == '\0') {
    m_profileProblem.Format(
        CarveText::LoadOr(CarveText::kSectionMissingId, CarveText::kSectionMissing), m_sectionName);
    return false;
  }
  return true;
}

void CCarveDevice::LoadTemplates() {
  for (const TemplateKey& key : kTemplateKeys) {
    char text[CPlotTemplate::kMaxExpansion];
    m_profileFile.GetEscapedString(m_sectionName, key.key, text, sizeof(text), "");
    CPlotTemplate& target = this->*key.member;
    CString problem;
    bool ok = key.use == TemplateKey::kFormat
                  ? target.SetFormat(text, key.arguments, key.arguments, &problem)
                  : target.SetRaw(text, &problem);
    // A key the engraving output never sends cannot spoil a job.
    if (key.use == TemplateKey::kUnused) continue;
    if (!ok)
      m_profileProblem.AppendFormat("%s=%s: %s\n", key.key, text, problem.GetString());
    else if (key.required && target.IsEmpty())
      m_profileProblem.AppendFormat(
          CarveText::LoadOr(CarveText::kCommandMissingId, CarveText::kCommandMissing), key.key);
  }
  char finish[CPlotTemplate::kMaxExpansion];
  m_profileFile.GetEscapedString(m_sectionName, "FinishCmd", finish, sizeof(finish), "");
  if (std::strlen(finish) < kFinishSize)
    m_finishCmd = finish;
  else
    m_profileProblem.AppendFormat(CarveText::LoadOr(CarveText::kFinishTooLongId,
                                                    CarveText::kFinishTooLong),
                                  finish, kFinishSize - 1);
}

void CCarveDevice::LoadValues() {
  LPCSTR section = m_sectionName;
  m_maxWidth = std::max(0, m_profileFile.GetInt(section, "mmMaxWidth", 0));
  m_maxHeight = std::max(0, m_profileFile.GetInt(section, "mmMaxHeight", 0));
  m_originX = m_profileFile.GetFloat(section, "OriginX", 0.0f);
  m_originY = m_profileFile.GetFloat(section, "OriginY", 0.0f);
  m_resolution = m_profileFile.GetFloat(section, "SoftWareRes", 0.0254f);
  if (!(m_resolution > 0.0f))
    m_profileProblem += CarveText::LoadOr(CarveText::kNoResolutionId, CarveText::kNoResolution);
  m_originMode = m_profileFile.GetInt(section, "Origin", 0);
  m_swapXY = m_profileFile.GetInt(section, "SWAPXY", 0);
  m_outMethod = ToShort(m_profileFile.GetInt(section, "OutMethod", 2));
  m_setSpeed = m_profileFile.GetInt(section, "SetSpeed", 1);
  m_setForce = m_profileFile.GetInt(section, "SetForce", 0);
  m_speed = ToShort(m_profileFile.GetInt(section, "DefaultSpeed", 40));
  m_force = ToShort(m_profileFile.GetInt(section, "DefaultForce", 80));
  CString range;
  m_profileFile.GetString(section, "SpeedRanger", range, "");
  m_maxSpeed = RangeMaximum(range);
  m_profileFile.GetString(section, "ForceRanger", range, "");
  m_maxForce = RangeMaximum(range);
}

bool CCarveDevice::SaveOrigin(LPCSTR modelName) {
  if (modelName) CopyBounded(m_modelName, sizeof(m_modelName), modelName);
  char section[sizeof(m_sectionName)];
  m_profileFile.ReadString(ModelListSection(), m_modelName, section, sizeof(section), "");
  if (section[0] == '\0') return false;
  char text[64];
  std::snprintf(text, sizeof text, "%.2f", m_originX);
  bool ok = m_profileFile.WriteString(section, "OriginX", text) != FALSE;
  std::snprintf(text, sizeof text, "%.2f", m_originY);
  return m_profileFile.WriteString(section, "OriginY", text) != FALSE && ok;
}

// ---- Job ----

void CCarveDevice::Bind(COutPort* port, HWND owner, int* stopFlag) {
  Release();
  m_port = port;
  m_owner = owner;
  m_stop = stopFlag;
  m_penDown = 0;
  // Where a job starts the device may stand anywhere: its first vertex always goes out.
  m_hasLast = false;
  m_failed = false;
  // A port that stalls must give up as soon as the user stops, not after its retries.
  if (m_port) m_port->SetStopCheck([this] { return IsStopped(); });
}

void CCarveDevice::Release() {
  if (m_port) m_port->SetStopCheck(nullptr);
  m_port = nullptr;
}

CCarveDevice::StartResult CCarveDevice::Begin(LPCSTR modelName, COutPort* port, HWND owner,
                                              int* stopFlag) {
  if (modelName) LoadProfile(modelName);
  Bind(port, owner, stopFlag);
  if (!m_profileProblem.IsEmpty()) return kProfileUnusable;
  if (!m_port || !m_port->Open(owner)) return kPortNotOpened;
  return SendInit() ? kStarted : kStartRefused;
}

bool CCarveDevice::CanSend() const { return m_port != nullptr && !IsStopped() && !m_failed; }

int CCarveDevice::Write(LPCSTR text) {
  if (!CanSend()) return 0;
  if (text == nullptr || *text == '\0') return 1;
  if (m_port->WriteString(text)) return 1;
  // A write the user stopped is no fault of the port.
  if (!IsStopped() && m_port->GetState() != COutPort::kCancelled) m_failed = true;
  return 0;
}

int CCarveDevice::SendInit() {
  if (m_initCmd.IsEmpty()) return 0;
  // Joined without a limit: five templates may well exceed any fixed buffer.
  CString start = CString(m_initCmd.GetText()) + m_absCmd.GetText() + m_rsCmd.GetText() +
                  m_penUpCmd.GetText() + m_subJoin.GetText();
  int result = Write(start);
  if (!result || m_speedCmd.IsEmpty()) return result;
  return Write(m_speedCmd.Expand(1, m_speed));
}

int CCarveDevice::SendPair(const CPlotTemplate& command, int first, int second) {
  if (!CanSend()) return 0;
  char text[CPlotTemplate::kMaxExpansion];
  const int args[2] = {first, second};
  if (!command.Expand(args, 2, text, sizeof(text))) return 0;
  return Write(text);
}

int CCarveDevice::MoveToInt(int x, int y) {
  return m_swapXY ? SendPair(m_moveTo, y, x) : SendPair(m_moveTo, x, y);
}

int CCarveDevice::LineToInt(int x, int y) {
  return m_swapXY ? SendPair(m_lineTo, y, x) : SendPair(m_lineTo, x, y);
}

int CCarveDevice::SendPoint(float x, float y) { return MoveToInt(ToSteps(x), ToSteps(y)); }

// The curve line commands carry y first whatever "SWAPXY" says.
int CCarveDevice::SendVertex(const CPlotTemplate& command, float x, float y) {
  m_lastX = x;
  m_lastY = y;
  m_hasLast = true;
  return SendPair(command, ToSteps(y), ToSteps(x));
}

int CCarveDevice::SendLineTo(float x, float y) { return SendVertex(m_lineTo, x, y); }

int CCarveDevice::SendLineToEx(float x, float y) {
  if (m_hasLast && x == m_lastX && y == m_lastY) return 1;
  return SendVertex(m_lineToEx, x, y);
}

int CCarveDevice::PlotTo(float x, float y) {
  int result = m_penDown ? SendLineToEx(x, y) : SendLineTo(x, y);
  m_penDown = 1;
  return result;
}

int CCarveDevice::PlotPointList(LPCSTR points) {
  if (points == nullptr) return 0;
  const char* at = points;
  if (*at == ',') ++at;
  int result = 0;
  while (*at != '\0') {
    float x = 0.0f, y = 0.0f;
    if (!ReadListNumber(at, &x) || *at++ != ',' || !ReadListNumber(at, &y)) return 0;
    if (*at == ',') ++at;
    result = PlotTo(x, y);
    if (!result) return 0;
  }
  return result;
}

int CCarveDevice::FlushPendingBlank() {
  if (!m_penDown) return 1;
  m_penDown = 0;
  return Write(" ");
}

int CCarveDevice::SendPenUp() { return m_port ? Write(m_penUpCmd.GetText()) : 0; }
int CCarveDevice::SendPenDown() { return m_port ? Write(m_penDownCmd.GetText()) : 0; }

int CCarveDevice::Finish() {
  int result = 1;
  if (!m_finishCmd.IsEmpty()) result = Write(m_finishCmd);
  if (m_port) {
    // What the file buffer still holds must reach the file before anyone reads it.
    if (!m_port->Flush() && !IsStopped()) m_failed = true;
    m_port->Close();
  }
  Release();
  return result;
}
