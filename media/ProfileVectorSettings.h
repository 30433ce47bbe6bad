// CProfileVectorSettings: the tracing and vectorising parameters as the application profile
// holds them. Bound to the application when built; without one every key reads as its default.
#pragma once

#include "media/VectorSettingsReader.h"
#include "model/settings/AppProfile.h"

class CProfileVectorSettings : public CVectorSettingsReader {
public:
  CProfileVectorSettings();

  float GetFloat(LPCSTR section, LPCSTR key, float defaultValue) const override;
  int GetInt(LPCSTR section, LPCSTR key, int defaultValue) const override;

private:
  CAppProfile m_profile;
};
