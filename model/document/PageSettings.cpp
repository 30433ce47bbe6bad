#include "model/document/PageSettings.h"

#include "framework/ByteReader.h"
#include "framework/ByteWriter.h"
#include "model/settings/AppProfile.h"
#include "model/settings/SettingNames.h"

namespace {

// The length word and the six values.
const size_t kShortestSection = 28;

}  // namespace

CPageSettings::CPageSettings()
    : m_width(settings::kPageWidthDefault), m_height(settings::kPageHeightDefault) {
  ReadIntegerDefaults();
}

void CPageSettings::ReadIntegerDefaults() {
  CAppProfile profile;
  profile.Attach();
  m_paletteType = profile.GetInt(settings::kSystemParam, settings::kPaletteType,
                                 settings::kPaletteTypeDefault);
  m_backColor = profile.GetInt(settings::kSystemParam, settings::kBackColor,
                               settings::kBackColorDefault);
  m_gridSize = profile.GetInt(settings::kSystemParam, settings::kGridSize,
                              settings::kGridSizeDefault);
  m_gridColor = profile.GetInt(settings::kSystemParam, settings::kGridColor,
                               settings::kGridColorDefault);
}

void CPageSettings::ReadNewDocumentDefaults() {
  CAppProfile profile;
  profile.Attach();
  m_width = profile.GetFloat(settings::kSystemParam, settings::kPageWidth,
                             settings::kPageWidthDefault);
  m_height = profile.GetFloat(settings::kSystemParam, settings::kPageHeight,
                              settings::kPageHeightDefault);
  ReadIntegerDefaults();
}

bool CPageSettings::WriteTo(CByteWriter& writer) const {
  return writer.WriteInt32(kSectionLength) && writer.WriteFloat(m_width) &&
         writer.WriteFloat(m_height) && writer.WriteInt32(m_paletteType) &&
         writer.WriteInt32(m_backColor) && writer.WriteInt32(m_gridSize) &&
         writer.WriteInt32(m_gridColor) && writer.WriteInt32(0);
}

bool CPageSettings::ReadFrom(const BYTE* section, size_t available, float version) {
  if (version != kFileVersion) return false;
  CByteReader reader(section, available);
  DWORD length = 0;
  if (!reader.ReadDWord(length) || length < kShortestSection || length > available) return false;
  CPageSettings read = *this;
  if (!reader.ReadFloat(read.m_width) || !reader.ReadFloat(read.m_height) ||
      !reader.ReadInt32(read.m_paletteType) || !reader.ReadInt32(read.m_backColor) ||
      !reader.ReadInt32(read.m_gridSize) || !reader.ReadInt32(read.m_gridColor))
    return false;
  *this = read;
  return true;
}
