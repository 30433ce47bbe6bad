// Where the tracing and vectorising wrappers read their parameters from: the application
// profile in the program, a table in the tests.
#pragma once

#include <windows.h>

class CVectorSettingsReader {
public:
  virtual ~CVectorSettingsReader() = default;
  virtual float GetFloat(LPCSTR section, LPCSTR key, float defaultValue) const = 0;
  virtual int GetInt(LPCSTR section, LPCSTR key, int defaultValue) const = 0;
};
