#include "model/settings/AppProfile.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "framework/WinApp.h"

namespace {

// "%.4f" of the largest float needs 46 characters.
const int kNumberBytes = 64;

// Length of the longest prefix of text that fits size - 1 bytes without splitting a character.
int FittingLength(LPCSTR text, int size) {
  int length = 0;
  while (text[length] != '\0') {
    bool doubleByte = CString::IsLeadByte(static_cast<unsigned char>(text[length])) &&
                      text[length + 1] != '\0';
    int next = length + (doubleByte ? 2 : 1);
    if (next > size - 1) break;
    length = next;
  }
  return length;
}

}  // namespace

CAppProfile::CAppProfile() : m_app(nullptr) {}

void CAppProfile::Attach() { m_app = AfxGetApp(); }

int CAppProfile::GetInt(LPCSTR section, LPCSTR key, int defaultValue) const {
  if (!m_app) return defaultValue;
  return static_cast<int>(m_app->GetProfileInt(section, key, defaultValue));
}

BOOL CAppProfile::WriteInt(LPCSTR section, LPCSTR key, int value) const {
  return m_app ? m_app->WriteProfileInt(section, key, value) : FALSE;
}

float CAppProfile::GetFloat(LPCSTR section, LPCSTR key, float defaultValue) const {
  char defaultText[kNumberBytes];
  snprintf(defaultText, sizeof defaultText, "%.4f", defaultValue);
  CString text = GetString(section, key, defaultText);
  return static_cast<float>(atof(text));
}

BOOL CAppProfile::WriteFloat(LPCSTR section, LPCSTR key, float value) const {
  char text[kNumberBytes];
  snprintf(text, sizeof text, "%.4f", value);
  return WriteString(section, key, text);
}

int CAppProfile::GetString(LPCSTR section, LPCSTR key, LPSTR buffer, int size,
                           LPCSTR defaultValue) const {
  if (!buffer || size <= 0) return 0;
  CString text = GetString(section, key, defaultValue);
  int length = FittingLength(text, size);
  memcpy(buffer, text.GetString(), static_cast<size_t>(length));
  buffer[length] = '\0';
  return length;
}

CString CAppProfile::GetString(LPCSTR section, LPCSTR key, LPCSTR defaultValue) const {
  if (!m_app) return CString(defaultValue);
  return m_app->GetProfileString(section, key, defaultValue);
}

BOOL CAppProfile::WriteString(LPCSTR section, LPCSTR key, LPCSTR text) const {
  return m_app ? m_app->WriteProfileString(section, key, text) : FALSE;
}
