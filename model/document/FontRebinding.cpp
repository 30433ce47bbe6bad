#include "model/document/FontRebinding.h"

const CFontRebinding::Font* CFontRebinding::Find(WORD key, int number) const {
  for (const Font& font : m_fonts)
    if (font.key == key && font.number == number) return &font;
  return nullptr;
}

void CFontRebinding::Declare(WORD key, int number, const CString* savedName, int found) {
  if (Find(key, number)) return;
  Font font = {key,
               number,
               savedName ? *savedName : CString(),
               savedName != nullptr,
               key,
               found >= 0 ? found : number,
               found >= 0,
               false};
  m_fonts.push_back(font);
}

std::vector<size_t> CFontRebinding::Missing() const {
  std::vector<size_t> missing;
  for (size_t i = 0; i < m_fonts.size(); ++i)
    if (m_fonts[i].named && !m_fonts[i].mounted) missing.push_back(i);
  return missing;
}

void CFontRebinding::Replace(size_t index, WORD newKey, int newNumber) {
  if (index >= m_fonts.size()) return;
  m_fonts[index].newKey = newKey;
  m_fonts[index].newNumber = newNumber;
  m_fonts[index].replaced = true;
}

bool CFontRebinding::AnyReplaced() const {
  for (const Font& font : m_fonts)
    if (font.replaced) return true;
  return false;
}

bool CFontRebinding::AnyChange() const {
  for (const Font& font : m_fonts)
    if (font.newKey != font.key || font.newNumber != font.number) return true;
  return false;
}

CString CFontRebinding::MissingLine(const Font& font, int library, int fontIndex) {
  CString line;
  line.Format("%-40s  -[%d,%d,%d] -{%d,%d}", static_cast<LPCSTR>(font.name), font.key & 0xFF,
              (font.key >> 8) & 0x0F, font.number, library, fontIndex);
  return line;
}
