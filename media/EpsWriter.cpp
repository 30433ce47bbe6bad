#include "media/EpsWriter.h"

#include <cmath>
#include <cstring>
#include <memory>

#include "framework/File.h"

const char CEpsWriter::kSettingsFileName[] = "ImExport.Ini";

namespace {

const char kResolutionSection[] = "RESOLUTION";
const char kResolutionKey[] = "EPSDPI";
const char kHeaderSection[] = "EPSHEADERPREV";
const char kDefinesSection[] = "EPSDEFINES";
const char kTailSection[] = "EPSTAIL";
// Points per millimetre at one unit per inch.
const double kInchesPerMillimetre = 0.03937007874015748;
const int kBoxMargin = 5;

std::string Trimmed(const std::string& text) {
  const size_t first = text.find_first_not_of(" \t");
  if (first == std::string::npos) return std::string();
  const size_t last = text.find_last_not_of(" \t");
  return text.substr(first, last - first + 1);
}

bool SameName(const std::string& a, const char* b) { return ::lstrcmpiA(a.c_str(), b) == 0; }

// The section a line opens, or empty when it opens none.
std::string SectionOf(const std::string& line) {
  const std::string text = Trimmed(line);
  if (text.size() < 3 || text.front() != '[' || text.back() != ']') return std::string();
  const std::string name = text.substr(1, text.size() - 2);
  for (const char ch : name) {
    const bool fits = (ch >= 'A' && ch <= 'Z') || (ch >= 'a' && ch <= 'z') ||
                      (ch >= '0' && ch <= '9') || ch == '_' || ch == '.' || ch == '-';
    if (!fits) return std::string();
  }
  return name;
}

std::vector<std::string> LinesOf(const std::string& text) {
  std::vector<std::string> lines;
  size_t at = 0;
  while (at < text.size()) {
    size_t end = text.find('\n', at);
    if (end == std::string::npos) end = text.size();
    std::string line = text.substr(at, end - at);
    if (!line.empty() && line.back() == '\r') line.pop_back();
    lines.push_back(line);
    at = end + 1;
  }
  return lines;
}

int Truncated(double value) {
  if (!(value > -2.0e9)) return -2000000000;
  if (!(value < 2.0e9)) return 2000000000;
  return static_cast<int>(value);
}

}  // namespace

CEpsWriter::CEpsWriter()
    : m_resolution(0.0f),
      m_lineEnd("\r\n"),
      m_file(nullptr),
      m_settings(CIniFile::ReturnSelf),
      m_loaded(false),
      m_problem(kNoProblem) {
  m_settings.MakeProgramFilePath(kSettingsFileName);
}

CEpsWriter::CEpsWriter(LPCSTR settingsPath) : CEpsWriter() {
  if (settingsPath) m_settings.SetPath(settingsPath);
}

CEpsWriter::~CEpsWriter() { Close(); }

void CEpsWriter::LoadSettings() {
  if (m_loaded) return;
  m_loaded = true;
  m_text.clear();
  CFile file;
  if (!m_settings.HasPath() ||
      !file.Open(m_settings.GetPath(), CFile::modeRead | CFile::shareDenyWrite | CFile::typeBinary))
    return;
  try {
    const ULONGLONG length = file.GetLength();
    if (length > kLargestSettingsFile) return;
    m_text.resize(static_cast<size_t>(length));
    if (length > 0 && file.Read(&m_text[0], static_cast<UINT>(length)) != length) m_text.clear();
  } catch (CFileException* e) {
    e->Delete();
    m_text.clear();
  }
}

std::string CEpsWriter::ValueOf(const std::string& settings, const char* section, const char* key,
                                size_t longest) {
  bool inSection = false;
  for (const std::string& line : LinesOf(settings)) {
    const std::string opened = SectionOf(line);
    if (!opened.empty()) {
      inSection = SameName(opened, section);
      continue;
    }
    const size_t equals = line.find('=');
    if (!inSection || equals == std::string::npos ||
        !SameName(Trimmed(line.substr(0, equals)), key))
      continue;
    return Trimmed(line.substr(equals + 1)).substr(0, longest);
  }
  return std::string();
}

std::vector<std::string> CEpsWriter::SectionLines(const std::string& settings, const char* section,
                                                  size_t longest) {
  std::vector<std::string> lines;
  bool inSection = false;
  size_t total = 0;
  for (const std::string& line : LinesOf(settings)) {
    const std::string opened = SectionOf(line);
    if (!opened.empty()) {
      if (inSection) break;
      inSection = SameName(opened, section);
      continue;
    }
    if (!inSection) continue;
    total += line.size() + 1;
    if (total > longest) break;
    lines.push_back(line);
  }
  // Blank lines that only part the section from the next one are no part of it.
  while (!lines.empty() && Trimmed(lines.back()).empty()) lines.pop_back();
  return lines;
}

bool CEpsWriter::IsBoundingBoxTemplate(const std::string& format) {
  int conversions = 0;
  for (size_t i = 0; i < format.size(); ++i) {
    if (format[i] != '%') continue;
    if (i + 1 < format.size() && format[i + 1] == '%') {
      ++i;
    } else if (i + 1 < format.size() && format[i + 1] == 'd' && conversions < 4) {
      ++conversions;
      ++i;
    } else {
      return false;
    }
  }
  return true;
}

std::string CEpsWriter::FormatBoundingBox(const std::string& format, const int values[4]) {
  std::string text;
  int next = 0;
  for (size_t i = 0; i < format.size(); ++i) {
    if (format[i] == '%' && i + 1 < format.size() && format[i + 1] == '%') {
      text += '%';
      ++i;
    } else if (format[i] == '%' && i + 1 < format.size() && format[i + 1] == 'd' && next < 4) {
      text += std::to_string(values[next++]);
      ++i;
    } else {
      text += format[i];
    }
  }
  return text;
}

float CEpsWriter::ReadDpi() {
  const float dpi = m_settings.HasPath()
                        ? m_settings.GetFloat(kResolutionSection, kResolutionKey, 0.0f)
                        : 0.0f;
  m_resolution = dpi > 0.0f && dpi <= kHighestResolution ? dpi : 0.0f;
  return m_resolution;
}

CFile* CEpsWriter::Open(LPCSTR path) {
  Close();
  m_problem = kNoProblem;
  if (ReadDpi() == 0.0f) {
    m_problem = kNoResolution;
    return nullptr;
  }
  LoadSettings();
  if (!IsBoundingBoxTemplate(
          ValueOf(m_text, kHeaderSection, "HEADER_BoundingBox", kLongestHeader))) {
    m_problem = kBadBoundingBoxTemplate;
    return nullptr;
  }
  std::unique_ptr<CFile> file(new CFile);
  if (!path || !file->Open(path, CFile::modeCreate | CFile::modeWrite | CFile::typeBinary)) {
    m_problem = kCannotCreate;
    return nullptr;
  }
  m_file = file.release();
  return m_file;
}

void CEpsWriter::WriteLine(const std::string& text) {
  if (!m_file) return;
  m_file->Write(text.data(), static_cast<UINT>(text.size()));
  m_file->Write(m_lineEnd, static_cast<UINT>(std::strlen(m_lineEnd)));
}

void CEpsWriter::WriteProlog(LPCSTR title, float left, float top, float right, float bottom) {
  if (!m_file || !title) return;
  WriteHeader(title);
  WriteBoundingBox(left, top, right, bottom);
  WriteSection(kDefinesSection);
}

void CEpsWriter::WriteHeader(LPCSTR title) {
  LoadSettings();
  WriteLine(ValueOf(m_text, kHeaderSection, "HEADER_PS", kLongestHeader));
  WriteLine(ValueOf(m_text, kHeaderSection, "HEADER_CREATOR", kLongestHeader) + " " +
            (title ? title : ""));
}

void CEpsWriter::WriteBoundingBox(float left, float top, float right, float bottom) {
  LoadSettings();
  const std::string format = ValueOf(m_text, kHeaderSection, "HEADER_BoundingBox", kLongestHeader);
  if (!IsBoundingBoxTemplate(format)) return;
  const double scale = m_resolution * kInchesPerMillimetre;
  const int values[4] = {Truncated(left * scale), Truncated(top * scale),
                         Truncated(right * scale) + kBoxMargin,
                         Truncated(bottom * scale) + kBoxMargin};
  WriteLine(FormatBoundingBox(format, values));
}

void CEpsWriter::WriteSection(LPCSTR section) {
  LoadSettings();
  for (const std::string& line : SectionLines(m_text, section, kLongestSection)) WriteLine(line);
}

void CEpsWriter::WriteTail() {
  if (m_file) WriteSection(kTailSection);
}

void CEpsWriter::CloseFile() {
  if (!m_file) return;
  try {
    m_file->Close();
  } catch (CFileException* e) {
    e->Delete();
  }
  delete m_file;
  m_file = nullptr;
}

void CEpsWriter::Close() {
  if (m_file) CloseFile();
}
