// CEpsWriter: the frame of the EPS files the drawing is exported to: header lines, bounding box,
// definitions and tail, all taken as text from the settings file ImExport.Ini in the program
// folder:
//   [RESOLUTION]     EPSDPI: units per inch of the file's coordinates (0 or missing: no export);
//   [EPSHEADERPREV]  HEADER_PS (first line), HEADER_CREATOR (before the title), HEADER_BoundingBox
//                    (the bounding-box line, a template with at most four %d);
//   [EPSDEFINES]     lines written after the bounding box;
//   [EPSTAIL]        lines written at the end.
// The export command writes the drawing's path text between the definitions and the tail. The
// writer knows no PostScript; it copies the templates.
//
// The settings file is read by the writer itself, line by line, so that the sections' lines come
// out as they stand: the system's profile functions would drop lines that begin with ';' and the
// spaces around '='. A section ends at the next line of the form [NAME] (letters, digits, '_',
// '.', '-'; a line such as "[1 0 0 1 0 0]" is PostScript). The bounding-box template is used only
// when it converts nothing but %d, at most four times (and %%): it comes from a file and is
// never handed to a formatting function.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "framework/String.h"
#include "model/settings/IniFile.h"

class CFile;

class CEpsWriter {
public:
  enum Problem { kNoProblem, kNoResolution, kBadBoundingBoxTemplate, kCannotCreate };
  static const char kSettingsFileName[];
  static const int kLongestHeader = 512;
  static const int kLongestSection = 24576;
  // Settings files larger than this are not read.
  static const size_t kLargestSettingsFile = 1024 * 1024;
  // Resolutions beyond this are taken as damage, like a missing one.
  static constexpr float kHighestResolution = 100000.0f;

  // ImExport.Ini in the program folder, or the settings file at the path given.
  CEpsWriter();
  explicit CEpsWriter(LPCSTR settingsPath);
  ~CEpsWriter();
  CEpsWriter(const CEpsWriter&) = delete;
  CEpsWriter& operator=(const CEpsWriter&) = delete;

  // EPSDPI, 0 when it is missing, not above 0 or beyond kHighestResolution.
  float ReadDpi();
  // Reads EPSDPI and creates the file; null (no file made) when the resolution is 0, the
  // bounding-box template is refused or the file cannot be created: GetProblem says which.
  CFile* Open(LPCSTR path);
  // Header, bounding box and definitions (left, top, right, bottom in millimetres).
  void WriteProlog(LPCSTR title, float left, float top, float right, float bottom);
  void WriteHeader(LPCSTR title);
  void WriteBoundingBox(float left, float top, float right, float bottom);
  void WriteSection(LPCSTR section);
  void WriteTail();
  void CloseFile();
  void Close();

  Problem GetProblem() const { return m_problem; }
  float GetResolution() const { return m_resolution; }
  CFile* GetFile() const { return m_file; }

  static bool IsBoundingBoxTemplate(const std::string& format);
  // The template with its %d replaced by the values in turn and %% by %.
  static std::string FormatBoundingBox(const std::string& format, const int values[4]);

  // The settings file's text of one key or the lines of one section.
  static std::string ValueOf(const std::string& settings, const char* section, const char* key,
                             size_t longest);
  static std::vector<std::string> SectionLines(const std::string& settings, const char* section,
                                               size_t longest);

private:
  void LoadSettings();
  void WriteLine(const std::string& text);

  float m_resolution;
  const char* m_lineEnd;
  CFile* m_file;
  CIniFile m_settings;
  std::string m_text;  // the settings file, read once
  bool m_loaded;
  Problem m_problem;
};
