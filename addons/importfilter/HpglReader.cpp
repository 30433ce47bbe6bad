#include "addons/importfilter/HpglReader.h"

#include <cmath>
#include <cstdlib>

namespace {

const char kEscape = 0x1B;
// Longest number text taken: longer ones are damage.
const int kLongestNumber = 32;
// A pen-down run that ends this close to its start (plotter units) is closed.
const double kClosingDistance = 0.5;

bool IsLetter(char ch) { return (ch >= 'A' && ch <= 'Z') || (ch >= 'a' && ch <= 'z'); }
char Upper(char ch) { return ch >= 'a' && ch <= 'z' ? static_cast<char>(ch - 'a' + 'A') : ch; }
bool IsDigit(char ch) { return ch >= '0' && ch <= '9'; }

}  // namespace

DWORD CHpglReader::PenColour(int pen) {
  static const DWORD kPalette[] = {0xFFFFFF, 0x000000, 0xFF0000, 0x00FF00,
                                   0xFFFF00, 0x0000FF, 0xFF00FF, 0x00FFFF};
  return pen >= 0 && pen < 8 ? kPalette[pen] : 0x000000;
}

void CHpglReader::Fail() {
  if (m_failed) return;
  m_failed = true;
  m_report->problem = kImportDamaged;
  m_report->line = m_line;
}

void CHpglReader::Read(const char* data, size_t size, CImportedDrawing* drawing,
                       ImportFilterReport* report) {
  m_data = data;
  m_size = size;
  m_report = report;
  while (!AtEnd() && !m_failed) {
    const char ch = m_data[m_at];
    if (ch == '\n') ++m_line;
    if (ch == kEscape) {
      SkipEscape();
    } else if (ch == '"') {
      // A quoted comment (CO "...") is passed over whole: its letters are no commands.
      ++m_at;
      while (!AtEnd() && m_data[m_at] != '"') m_line += m_data[m_at++] == '\n';
      if (!AtEnd()) ++m_at;
    } else if (IsLetter(ch) && m_at + 1 < m_size && IsLetter(m_data[m_at + 1])) {
      m_at += 2;
      ReadCommand(Upper(ch), Upper(m_data[m_at - 1]));
    } else {
      ++m_at;  // separators, terminators and stray bytes between commands
    }
  }
  if (m_failed) return;
  EndRun();
  if (m_moves == 0) {
    report->problem = kImportNotThisKind;
    return;
  }
  for (int pen : m_penOrder) drawing->AddPath(m_paths[pen], PenColour(pen), false);
}

bool CHpglReader::ReadParameters(std::vector<double>* values) {
  values->clear();
  while (!AtEnd()) {
    const char ch = m_data[m_at];
    if (ch == ' ' || ch == ',' || ch == '\t' || ch == '\r' || ch == '\n') {
      if (ch == '\n') ++m_line;
      ++m_at;
      continue;
    }
    if (ch == ';') {
      ++m_at;
      break;
    }
    if (!IsDigit(ch) && ch != '-' && ch != '+' && ch != '.') break;
    char text[kLongestNumber + 1];
    int length = 0;
    bool digits = false;
    while (!AtEnd() && (IsDigit(m_data[m_at]) || m_data[m_at] == '.' ||
                        (length == 0 && (m_data[m_at] == '-' || m_data[m_at] == '+')))) {
      if (length == kLongestNumber) return false;
      digits = digits || IsDigit(m_data[m_at]);
      text[length++] = m_data[m_at++];
    }
    text[length] = '\0';
    char* end = nullptr;
    double value = std::strtod(text, &end);
    if (!digits || end != text + length || !(std::fabs(value) <= kLargestCoordinate)) return false;
    values->push_back(value);
  }
  return true;
}

void CHpglReader::ReadCommand(char first, char second) {
  const int command = first << 8 | second;
  if (command == ('L' << 8 | 'B')) {
    SkipLabel();
    return;
  }
  if (command == ('D' << 8 | 'T')) {
    if (!AtEnd() && m_data[m_at] != ';')
      m_labelEnd = m_data[m_at++];
    else
      m_labelEnd = 3;
  }
  if (command == ('P' << 8 | 'E')) {
    // Encoded polylines are left out whole, up to their terminator.
    while (!AtEnd() && m_data[m_at] != ';') m_line += m_data[m_at++] == '\n';
    ++m_report->others;
    return;
  }
  std::vector<double> values;
  if (!ReadParameters(&values)) {
    Fail();
    return;
  }
  switch (command) {
    case 'I' << 8 | 'N':
      EndRun();
      m_x = m_y = 0;
      m_penDown = m_relative = false;
      ++m_moves;
      return;
    case 'S' << 8 | 'P':
      EndRun();
      m_pen = values.empty() ? 0 : static_cast<int>(values[0]);
      return;
    case 'P' << 8 | 'A':
    case 'P' << 8 | 'R':
      m_relative = second == 'R';
      break;
    case 'P' << 8 | 'U':
      EndRun();
      m_penDown = false;
      break;
    case 'P' << 8 | 'D':
      m_penDown = true;
      break;
    default:
      return;
  }
  ++m_moves;
  for (size_t i = 0; i + 1 < values.size(); i += 2) {
    double x = values[i], y = values[i + 1];
    if (m_relative) {
      x += m_x;
      y += m_y;
    }
    if (!(std::fabs(x) <= kLargestCoordinate) || !(std::fabs(y) <= kLargestCoordinate)) {
      Fail();
      return;
    }
    MovePen(x, y);
  }
}

void CHpglReader::MovePen(double x, double y) {
  if (!m_penDown) {
    EndRun();
  } else {
    if (m_paths.find(m_pen) == m_paths.end()) m_penOrder.push_back(m_pen);
    CImportPath& path = m_paths[m_pen];
    if (!m_inRun) {
      path.MoveTo(m_x / kUnitsPerMillimetre, m_y / kUnitsPerMillimetre);
      m_runX = m_x;
      m_runY = m_y;
      m_inRun = true;
    }
    path.LineTo(x / kUnitsPerMillimetre, y / kUnitsPerMillimetre);
  }
  m_x = x;
  m_y = y;
}

void CHpglReader::EndRun() {
  if (!m_inRun) return;
  m_inRun = false;
  if (std::fabs(m_x - m_runX) <= kClosingDistance && std::fabs(m_y - m_runY) <= kClosingDistance)
    m_paths[m_pen].Close();
}

void CHpglReader::SkipEscape() {
  ++m_at;
  if (AtEnd()) return;
  const char kind = m_data[m_at++];
  if (kind == '.') {
    // Device control: ESC . letter, some with parameters up to a colon.
    if (!AtEnd()) ++m_at;
    size_t at = m_at;
    while (at < m_size && (IsDigit(m_data[at]) || m_data[at] == ';')) ++at;
    if (at < m_size && m_data[at] == ':') m_at = at + 1;
  } else if (kind == '%') {
    // Printer language switches (ESC %-12345X, ESC %0B): up to their letter.
    while (!AtEnd() && !IsLetter(m_data[m_at])) ++m_at;
    if (!AtEnd()) ++m_at;
  }
}

void CHpglReader::SkipLabel() {
  while (!AtEnd() && m_data[m_at] != m_labelEnd) m_line += m_data[m_at++] == '\n';
  if (!AtEnd()) ++m_at;
  ++m_report->texts;
}
