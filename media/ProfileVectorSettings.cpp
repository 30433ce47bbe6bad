#include "media/ProfileVectorSettings.h"

CProfileVectorSettings::CProfileVectorSettings() { m_profile.Attach(); }

float CProfileVectorSettings::GetFloat(LPCSTR section, LPCSTR key, float defaultValue) const {
  return m_profile.GetFloat(section, key, defaultValue);
}

int CProfileVectorSettings::GetInt(LPCSTR section, LPCSTR key, int defaultValue) const {
  return m_profile.GetInt(section, key, defaultValue);
}
