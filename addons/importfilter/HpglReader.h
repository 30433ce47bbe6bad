// CHpglReader: HP-GL plot files (.PLT) as cutters and our own file output write them: pen moves
// IN, PU, PD, PA, PR and SP, with their coordinates separated by commas or spaces, in plotter
// units of 0.025 mm. Every pen-down run becomes a sub-path (closed when it ends where it began),
// and the runs of one pen one curve in that pen's colour. Labels (LB) are counted as text left
// out, other commands skipped with their parameters, printer escapes passed over.
#pragma once

#include <map>

#include "addons/importfilter/FormatReader.h"

class CHpglReader : public CFormatReader {
public:
  static constexpr double kUnitsPerMillimetre = 40.0;
  // A coordinate beyond this many plotter units (2.5 km) is damage, not a drawing.
  static constexpr double kLargestCoordinate = 1.0e8;

  void Read(const char* data, size_t size, CImportedDrawing* drawing,
            ImportFilterReport* report) override;

  // The colour of a pen number in HP-GL/2's default palette; black beyond it.
  static DWORD PenColour(int pen);

private:
  bool ReadParameters(std::vector<double>* values);
  void ReadCommand(char first, char second);
  void MovePen(double x, double y);
  void EndRun();
  void SkipEscape();
  void SkipLabel();
  bool AtEnd() const { return m_at >= m_size; }
  void Fail();

  const char* m_data = nullptr;
  size_t m_size = 0;
  size_t m_at = 0;
  int m_line = 1;
  ImportFilterReport* m_report = nullptr;
  bool m_failed = false;

  double m_x = 0, m_y = 0;
  bool m_penDown = false;
  bool m_relative = false;
  bool m_inRun = false;
  double m_runX = 0, m_runY = 0;
  char m_labelEnd = 3;
  int m_pen = 1;
  int m_moves = 0;  // pen commands read: none means the file is no plot file
  std::map<int, CImportPath> m_paths;
  std::vector<int> m_penOrder;
};
