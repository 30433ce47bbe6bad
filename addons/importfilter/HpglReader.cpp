#include "addons/importfilter/HpglReader.h"

#include <cmath>
#include <cstdlib>
#include <utility>

namespace {

const char kEscape = 0x1B;
// Longest number text taken: longer ones are damage.
const int kLongestNumber = 32;
// A pen-down run that ends this close to its start (plotter units) is closed.
const double kClosingDistance = 0.5;

bool IsLetter(char ch) { return (ch >= 'A' && ch <= 'Z') || (ch >= 'a' && ch <= 'z'); }
char Upper(char ch) { return ch >= 'a' && ch <= 'z' ? static_cast<char>(ch - 'a' + 'A') : ch; }
bool IsDigit(char ch) { return ch >= '0' && ch <= '9'; }

// Plotter units are whole numbers nearly always: those of up to nine digits are converted
// exactly, and quickly, here.
bool WholeNumber(const char* text, int length, double* value) {
  const int sign = *text == '-' || *text == '+' ? 1 : 0;
  if (length - sign < 1 || length - sign > 9) return false;
  long whole = 0;
  for (int i = sign; i < length; ++i) {
    if (!IsDigit(text[i])) return false;
    whole = whole * 10 + (text[i] - '0');
  }
  *value = *text == '-' ? -static_cast<double>(whole) : static_cast<double>(whole);
  return true;
}

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

void CHpglReader::TooComplex() {
  if (m_failed) return;
  m_failed = true;
  m_report->problem = kImportTooComplex;
}

void CHpglReader::LeftOut(int* counter) {
  if (m_drawing) ++*counter;
}

void CHpglReader::Read(const char* data, size_t size, CImportedDrawing* drawing,
                       ImportFilterReport* report) {
  m_data = data;
  m_size = size;
  m_report = report;
  Pass(false);
  if (m_failed) return;
  if (m_moves == 0) {
    report->problem = kImportNotThisKind;
    return;
  }
  Pass(true);
  if (m_failed) return;
  for (int pen : m_penOrder) {
    for (CImportPath& path : m_pens[pen].paths)
      drawing->AddPath(std::move(path), PenColour(pen), false);
    m_pens[pen].paths.clear();
  }
}

void CHpglReader::Pass(bool drawing) {
  m_drawing = drawing;
  m_at = 0;
  m_line = 1;
  m_plotter = Plotter();
  m_moves = 0;
  m_points = 0;
  for (auto& pen : m_pens) pen.second.runs = 0;
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
  if (!m_failed) EndRun();
}

bool CHpglReader::NextParameter(double* value) {
  while (!AtEnd() && !m_failed) {
    const char ch = m_data[m_at];
    if (ch == ' ' || ch == ',' || ch == '\t' || ch == '\r' || ch == '\n') {
      if (ch == '\n') ++m_line;
      ++m_at;
      continue;
    }
    if (ch == ';') {
      ++m_at;
      return false;
    }
    if (!IsDigit(ch) && ch != '-' && ch != '+' && ch != '.') return false;
    char text[kLongestNumber + 1];
    int length = 0;
    bool digits = false;
    while (!AtEnd() && (IsDigit(m_data[m_at]) || m_data[m_at] == '.' ||
                        (length == 0 && (m_data[m_at] == '-' || m_data[m_at] == '+')))) {
      if (length == kLongestNumber) {
        Fail();
        return false;
      }
      digits = digits || IsDigit(m_data[m_at]);
      text[length++] = m_data[m_at++];
    }
    text[length] = '\0';
    char* end = text + length;
    if (!WholeNumber(text, length, value)) *value = std::strtod(text, &end);
    if (!digits || end != text + length || !(std::fabs(*value) <= kLargestCoordinate)) {
      Fail();
      return false;
    }
    return true;
  }
  return false;
}

void CHpglReader::SkipParameters() {
  double value = 0;
  while (NextParameter(&value)) {
  }
}

void CHpglReader::ReadCommand(char first, char second) {
  const int command = first << 8 | second;
  if (command == ('L' << 8 | 'B')) {
    SkipLabel();
    return;
  }
  if (command == ('D' << 8 | 'T')) {
    if (!AtEnd() && m_data[m_at] != ';')
      m_plotter.labelEnd = m_data[m_at++];
    else
      m_plotter.labelEnd = 3;
  }
  if (command == ('P' << 8 | 'E')) {
    // Encoded polylines are left out whole, up to their terminator.
    while (!AtEnd() && m_data[m_at] != ';') m_line += m_data[m_at++] == '\n';
    LeftOut(&m_report->others);
    return;
  }
  switch (command) {
    case 'I' << 8 | 'N':
      SkipParameters();
      if (m_failed) return;
      EndRun();
      m_plotter.x = m_plotter.y = 0;
      m_plotter.penDown = m_plotter.relative = false;
      ++m_moves;
      return;
    case 'S' << 8 | 'P': {
      double pen = 0;
      const bool given = NextParameter(&pen);
      if (given) SkipParameters();
      if (m_failed) return;
      EndRun();
      m_plotter.pen = given ? static_cast<int>(pen) : 0;
      return;
    }
    case 'P' << 8 | 'A':
    case 'P' << 8 | 'R':
      m_plotter.relative = second == 'R';
      break;
    case 'P' << 8 | 'U':
      EndRun();
      m_plotter.penDown = false;
      break;
    case 'P' << 8 | 'D':
      m_plotter.penDown = true;
      break;
    default:
      SkipParameters();
      return;
  }
  ++m_moves;
  double x = 0, y = 0;
  while (!m_failed && NextParameter(&x) && NextParameter(&y)) {
    if (m_plotter.relative) {
      x += m_plotter.x;
      y += m_plotter.y;
    }
    if (!(std::fabs(x) <= kLargestCoordinate) || !(std::fabs(y) <= kLargestCoordinate)) {
      Fail();
      return;
    }
    MovePen(x, y);
  }
}

bool CHpglReader::AddPoints(size_t count) {
  m_plotter.runPoints += count;
  if (m_drawing) return true;  // counted by the first pass
  m_points += count;
  const size_t onPen = m_pens[m_plotter.pen].points += count;
  if (m_plotter.runPoints <= CImportedDrawing::kMostCurvePoints &&
      onPen <= CImportPath::kMaxPoints && m_points <= CImportedDrawing::kMaxTotalPoints &&
      m_pens.size() <= kMostPens)
    return true;
  TooComplex();
  return false;
}

void CHpglReader::MovePen(double x, double y) {
  Plotter& p = m_plotter;
  if (!p.penDown) {
    EndRun();
  } else {
    if (!p.inRun) {
      p.runX = p.x;
      p.runY = p.y;
      p.inRun = true;
      p.runPoints = 0;
      if (!AddPoints(1)) return;
    }
    if (!AddPoints(1)) return;
    if (m_drawing) {
      Pen& pen = m_pens[p.pen];
      if (pen.paths.empty()) m_penOrder.push_back(p.pen);
      CImportPath& path = p.runPoints == 2 ? PathOfNewRun(pen) : pen.paths.back();
      if (p.runPoints == 2) path.MoveTo(p.x / kUnitsPerMillimetre, p.y / kUnitsPerMillimetre);
      path.LineTo(x / kUnitsPerMillimetre, y / kUnitsPerMillimetre);
    }
  }
  p.x = x;
  p.y = y;
}

void CHpglReader::EndRun() {
  Plotter& p = m_plotter;
  if (!p.inRun) return;
  p.inRun = false;
  const bool closed = std::fabs(p.x - p.runX) <= kClosingDistance &&
                      std::fabs(p.y - p.runY) <= kClosingDistance;
  // Closing adds a line back to the start unless the run ends on it.
  if (closed && (p.x / kUnitsPerMillimetre != p.runX / kUnitsPerMillimetre ||
                 p.y / kUnitsPerMillimetre != p.runY / kUnitsPerMillimetre)) {
    if (!AddPoints(1)) return;
  }
  if (m_drawing && closed) m_pens[p.pen].paths.back().Close();
  if (!m_drawing) PlanRun(m_pens[p.pen], p.runPoints);
}

void CHpglReader::PlanRun(Pen& pen, size_t points) {
  if (pen.pieces.empty() || pen.pieces.back().points + points > CImportedDrawing::kMostCurvePoints)
    pen.pieces.push_back({pen.runs, 0});
  pen.pieces.back().points += points;
  ++pen.runs;
}

CImportPath& CHpglReader::PathOfNewRun(Pen& pen) {
  const size_t next = pen.paths.size();
  if (next < pen.pieces.size() && pen.pieces[next].firstRun == pen.runs) {
    pen.paths.emplace_back();
    pen.paths.back().Reserve(pen.pieces[next].points);
  }
  ++pen.runs;
  return pen.paths.back();
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
  while (!AtEnd() && m_data[m_at] != m_plotter.labelEnd) m_line += m_data[m_at++] == '\n';
  if (!AtEnd()) ++m_at;
  LeftOut(&m_report->texts);
}
