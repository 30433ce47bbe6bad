#include "output/CutSettings.h"

#include <cmath>
#include <cstring>

#include "framework/String.h"
#include "model/settings/IniFile.h"
#include "output/PortNames.h"

const char kCutInfoSection[] = "CutInfo";

namespace {

// The field may have been filled to its last byte: never read past it.
CString BoundedText(const char* field, size_t size) {
  return CString(field, static_cast<int>(strnlen(field, size)));
}

const float kDefaultPaperWidth = 400.0f;
const float kDefaultPaperHeight = 900.0f;
const float kFinestCurveAccuracy = 0.5f;

}  // namespace

CCutSettings::CCutSettings()
    : m_mediaRect(0.0f, 0.0f, kDefaultPaperWidth, kDefaultPaperHeight),
      m_colorNumber(-1),
      m_portName(),
      m_testWidth(18),
      m_colorSeparation(0),
      m_pageRect(0),
      m_autoFeed(1),
      m_textLine(1),
      m_sort(1),
      m_penSpeed(60),
      m_penForce(60),
      m_setForce(0),
      m_setSpeed(1),
      m_curveAccurate(2.0f),
      m_remoteCut(0),
      m_pauseCut(1),
      m_savePaper(1),
      m_pageGaps(10),
      m_zoomCut(1.0f),
      m_mirror(0),
      m_penMode(0),
      m_bladeOffset(0.0f),
      m_overcut(0),
      m_halfCut(0),
      m_solidCut(kDefaultSolidCut),
      m_voidCut(kDefaultVoidCut),
      m_mmPageGap(20),
      m_shareOutLimit(0) {}

void CCutSettings::SetPortName(LPCSTR name) {
  std::memset(m_portName, 0, sizeof m_portName);
  if (name) std::strncpy(m_portName, name, sizeof m_portName - 1);
}

void CCutSettings::LoadCutSettings(const CIniFile& file) {
  const char* s = kCutInfoSection;
  m_mediaRect.right = m_mediaRect.left +
                      std::fabs(file.GetFloat(s, "PaperWidth", kDefaultPaperWidth));
  m_mediaRect.bottom = m_mediaRect.top +
                       std::fabs(file.GetFloat(s, "PaperHeight", kDefaultPaperHeight));
  m_colorNumber = -1;
  m_colorSeparation = 0;
  SetPortName(file.GetString(s, "PortName", ""));
  m_testWidth = file.GetInt(s, "TestWidth", 18);
  m_pageRect = file.GetInt(s, "PageRect", 0);
  m_autoFeed = file.GetInt(s, "AutoFeed", 1);
  m_textLine = file.GetInt(s, "TextLine", 1);
  m_sort = file.GetInt(s, "Sort", 1);
  m_penSpeed = static_cast<short>(file.GetInt(s, "PenSpeed", 60));
  m_penForce = static_cast<short>(file.GetInt(s, "PenForce", 60));
  m_setForce = file.GetInt(s, "SetForce", 0);
  m_curveAccurate = file.GetFloat(s, "CurveAccurate", 2.0f);
  if (!(m_curveAccurate >= kFinestCurveAccuracy)) m_curveAccurate = kFinestCurveAccuracy;
  m_remoteCut = file.GetInt(s, "RemoteCut", 0);
  m_pauseCut = file.GetInt(s, "PauseCut", 1);
  m_savePaper = file.GetInt(s, "SavePaper", 1);
  m_pageGaps = file.GetInt(s, "PageGaps", 10);
  m_zoomCut = file.GetFloat(s, "ZoomCut", 1.0f);
  if (!(m_zoomCut > 0.0f)) m_zoomCut = 1.0f;
  m_mirror = file.GetInt(s, "Mirror", 0);
  m_halfCut = file.GetInt(s, "HalfCut", 0);
  // Both lengths are floats with one default each, as the half-cut dialog writes them.
  m_solidCut = file.GetFloat(s, "SolidCut", kDefaultSolidCut);
  m_voidCut = file.GetFloat(s, "VoidCut", kDefaultVoidCut);
  m_mmPageGap = static_cast<WORD>(file.GetInt(s, "mmPageGap", 20));
  m_shareOutLimit = file.GetInt(s, "ShareOutLimite", 0);
}

void CCutSettings::SaveCutSettings(const CIniFile& file) const {
  const char* s = kCutInfoSection;
  file.WriteFloat(s, "PaperWidth", std::fabs(m_mediaRect.right - m_mediaRect.left));
  file.WriteFloat(s, "PaperHeight", std::fabs(m_mediaRect.bottom - m_mediaRect.top));
  file.WriteString(s, "PortName", BoundedText(m_portName, sizeof m_portName));
  file.WriteInt(s, "TestWidth", m_testWidth);
  file.WriteInt(s, "PageRect", m_pageRect);
  file.WriteInt(s, "AutoFeed", m_autoFeed);
  file.WriteInt(s, "TextLine", m_textLine);
  file.WriteInt(s, "Sort", m_sort);
  file.WriteFloat(s, "CurveAccurate", m_curveAccurate);
  file.WriteInt(s, "RemoteCut", m_remoteCut);
  file.WriteInt(s, "PauseCut", m_pauseCut);
  file.WriteInt(s, "SavePaper", m_savePaper);
  file.WriteInt(s, "PageGaps", m_pageGaps);
  file.WriteFloat(s, "ZoomCut", m_zoomCut);
  file.WriteInt(s, "Mirror", m_mirror);
  file.WriteInt(s, "HalfCut", m_halfCut);
  file.WriteInt(s, "mmPageGap", m_mmPageGap);
  file.WriteInt(s, "ShareOutLimite", m_shareOutLimit);
}

int CCutSettings::GetTargetKind() const {
  return ClassifyOutputTarget(BoundedText(m_portName, sizeof m_portName));
}
