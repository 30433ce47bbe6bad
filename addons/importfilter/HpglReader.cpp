#include "addons/importfilter/HpglReader.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <utility>

#include "addons/importfilter/ArcBeziers.h"

namespace {

const char kEscape = 0x1B;
// Longest number text taken: longer ones are damage.
const int kLongestNumber = 32;
// A pen-down run that ends this close to its start (plotter units) is closed.
const double kClosingDistance = 0.5;
const double kPi = 3.14159265358979323846;
// Where HP's plotters of A-size paper put the scaling points P1 and P2 (10,000 by 7,200 units
// apart): scaling without IP takes them.
const double kDefaultP1[] = {250, 596};
const double kDefaultP2[] = {10250, 7796};

constexpr int Code(char first, char second) { return first << 8 | second; }

// Commands that draw what the reader does not draw, and commands that place the drawing in a
// way the reader does not follow when they have a parameter other than 0.
const int kNotDrawn[] = {Code('F', 'P'), Code('U', 'C'), Code('X', 'T'), Code('Y', 'T')};
const int kPlacedOtherwise[] = {Code('R', 'O'), Code('I', 'W'), Code('I', 'R')};

bool IsLetter(char ch) { return (ch >= 'A' && ch <= 'Z') || (ch >= 'a' && ch <= 'z'); }
char Upper(char ch) { return ch >= 'a' && ch <= 'z' ? static_cast<char>(ch - 'a' + 'A') : ch; }
bool IsDigit(char ch) { return ch >= '0' && ch <= '9'; }

double Radians(double degrees) { return degrees * kPi / 180.0; }

// An arc's sweep in degrees as it is drawn: a sweep of more than a turn draws the same outline as
// one of a turn and its rest, and ends in the same place.
double SweepDrawn(double degrees) {
  if (std::fabs(degrees) <= 360) return degrees;
  return std::copysign(360 + std::fmod(std::fabs(degrees), 360.0), degrees);
}

template <size_t N>
bool IsOneOf(const int (&commands)[N], int command) {
  return std::find(commands, commands + N, command) != commands + N;
}

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

ImportPoint2 CHpglReader::Arc::At(double t) const {
  return {centre.x + u.x * std::cos(t) + v.x * std::sin(t),
          centre.y + u.y * std::cos(t) + v.y * std::sin(t)};
}

CHpglReader::Plotter::Plotter()
    : p1x(kDefaultP1[0]), p1y(kDefaultP1[1]), p2x(kDefaultP2[0]), p2y(kDefaultP2[1]) {}

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
  // A pen's filled shapes first, its lines over them.
  for (int pen : m_penOrder) {
    for (Track track : {kFill, kOutline}) {
      Curves& curves = m_pens[pen].tracks[track];
      for (CImportPath& path : curves.paths)
        drawing->AddPath(std::move(path), PenColour(pen), track == kFill);
      curves.paths.clear();
    }
  }
}

void CHpglReader::Pass(bool drawing) {
  m_drawing = drawing;
  m_at = 0;
  m_line = 1;
  m_plotter = Plotter();
  m_run = Run();
  m_moves = 0;
  m_points = 0;
  for (auto& pen : m_pens)
    for (Curves& curves : pen.second.tracks) curves.runs = 0;
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

int CHpglReader::Parameters(double* values, int most) {
  int count = 0;
  double value = 0;
  while (NextParameter(&value)) {
    if (count < most) values[count++] = value;
  }
  return count;
}

void CHpglReader::SkipParameters() {
  double value = 0;
  while (NextParameter(&value)) {
  }
}

void CHpglReader::ReadCommand(char first, char second) {
  const int command = Code(first, second);
  if (command == Code('L', 'B')) {
    SkipLabel();
    return;
  }
  if (command == Code('D', 'T')) {
    if (!AtEnd() && m_data[m_at] != ';')
      m_plotter.labelEnd = m_data[m_at++];
    else
      m_plotter.labelEnd = 3;
  }
  if (command == Code('P', 'E')) {
    // Encoded polylines are left out whole, up to their terminator.
    while (!AtEnd() && m_data[m_at] != ';') m_line += m_data[m_at++] == '\n';
    LeftOut(&m_report->others);
    return;
  }
  if (ReadDrawingCommand(command)) return;
  if (IsOneOf(kNotDrawn, command)) {
    SkipParameters();
    LeftOut(&m_report->others);
    return;
  }
  if (IsOneOf(kPlacedOtherwise, command)) {
    double value = 0;
    bool placed = false;
    while (NextParameter(&value)) placed = placed || value != 0;
    if (placed) LeftOut(&m_report->others);
    return;
  }
  SkipParameters();
}

bool CHpglReader::ReadDrawingCommand(int command) {
  // Shapes count as pen moves once they have their parameters (text has such letters too).
  bool moved = true;
  switch (command) {
    case Code('I', 'N'):
      SkipParameters();
      if (!m_failed) Initialise();
      break;
    case Code('D', 'F'):
      SkipParameters();
      m_plotter.relative = m_plotter.scaled = false;
      UpdateScaling();
      return true;
    case Code('S', 'P'): {
      double pen = 0;
      const bool given = NextParameter(&pen);
      if (given) SkipParameters();
      if (m_failed) return true;
      EndRun();
      m_plotter.pen = given ? static_cast<int>(pen) : 0;
      return true;
    }
    case Code('I', 'P'):
      ReadScalingPoints();
      return true;
    case Code('S', 'C'):
      ReadScaling();
      return true;
    case Code('P', 'A'):
    case Code('P', 'R'):
      m_plotter.relative = command == Code('P', 'R');
      ReadPenMoves();
      break;
    case Code('P', 'U'):
      EndRun();
      m_plotter.penDown = false;
      ReadPenMoves();
      break;
    case Code('P', 'D'):
      m_plotter.penDown = true;
      ReadPenMoves();
      break;
    case Code('C', 'I'):
      moved = ReadCircle();
      break;
    case Code('A', 'A'):
    case Code('A', 'R'):
      moved = ReadArc(command == Code('A', 'R'));
      break;
    case Code('A', 'T'):
    case Code('R', 'T'):
      moved = ReadThreePointArc(command == Code('R', 'T'));
      break;
    case Code('E', 'W'):
    case Code('W', 'G'):
      moved = ReadWedge(command == Code('W', 'G') ? kFill : kOutline);
      break;
    case Code('E', 'A'):
    case Code('E', 'R'):
    case Code('R', 'A'):
    case Code('R', 'R'):
      moved = ReadRectangle(command >> 8 == 'R' ? kFill : kOutline, (command & 0xFF) == 'R');
      break;
    case Code('B', 'Z'):
    case Code('B', 'R'):
      moved = ReadBeziers(command == Code('B', 'R'));
      break;
    default:
      return false;
  }
  m_moves += moved;
  return true;
}

void CHpglReader::Initialise() {
  EndRun();
  Plotter fresh;
  fresh.pen = m_plotter.pen;
  fresh.labelEnd = m_plotter.labelEnd;
  m_plotter = fresh;
}

void CHpglReader::ReadScalingPoints() {
  double values[4];
  const int count = Parameters(values, 4);
  if (m_failed) return;
  Plotter& p = m_plotter;
  const Plotter before = p;
  if (count == 0) {
    p.p1x = kDefaultP1[0], p.p1y = kDefaultP1[1], p.p2x = kDefaultP2[0], p.p2y = kDefaultP2[1];
  } else if (count >= 2) {
    // P1 alone moves P2 along with it.
    p.p2x = count == 4 ? values[2] : values[0] + p.p2x - p.p1x;
    p.p2y = count == 4 ? values[3] : values[1] + p.p2y - p.p1y;
    p.p1x = values[0], p.p1y = values[1];
  }
  if (count == 1 || count == 3 || !UpdateScaling()) {
    p = before;
    LeftOut(&m_report->others);
  }
}

void CHpglReader::ReadScaling() {
  double values[7];
  const int count = Parameters(values, 7);
  if (m_failed) return;
  Plotter& p = m_plotter;
  const Plotter before = p;
  p.scaled = count > 0;
  if (count >= 4) {
    std::copy(values, values + 4, p.scaling);
    p.scaling[4] = count >= 5 ? values[4] : 0;
    p.scaling[5] = count >= 7 ? values[5] : 50;
    p.scaling[6] = count >= 7 ? values[6] : 50;
  }
  const double kind = p.scaling[4];
  if ((count > 0 && count < 4) || (kind != 0 && kind != 1 && kind != 2) || !UpdateScaling()) {
    p = before;
    LeftOut(&m_report->others);
  }
}

bool CHpglReader::UpdateScaling() {
  Plotter& p = m_plotter;
  if (!p.scaled) {
    p.user = ImportMatrix();
    return true;
  }
  const double* s = p.scaling;
  const double width = p.p2x - p.p1x, height = p.p2y - p.p1y;
  // Point factors (kind 2) give the plotter units of a user unit; the other kinds put the user
  // units' range from P1 to P2, isotropic ones (kind 1) in one scale for both axes, within
  // P1 and P2 as far from the left and the bottom as their percentages ask.
  double sx = s[4] == 2 ? s[1] : width / (s[1] - s[0]);
  double sy = s[4] == 2 ? s[3] : height / (s[3] - s[2]);
  double ox = p.p1x - s[0] * sx, oy = p.p1y - s[2] * sy;
  if (s[4] == 1) {
    const double scale = std::min(std::fabs(sx), std::fabs(sy));
    sx = std::copysign(scale, sx);
    sy = std::copysign(scale, sy);
    ox = p.p1x + (width - (s[1] - s[0]) * sx) * s[5] / 100 - s[0] * sx;
    oy = p.p1y + (height - (s[3] - s[2]) * sy) * s[6] / 100 - s[2] * sy;
  }
  const ImportMatrix user = {sx, 0, 0, sy, ox, oy};
  if (!user.IsFinite() || sx == 0 || sy == 0) return false;
  p.user = user;
  return true;
}

ImportPoint2 CHpglReader::UserPosition() const {
  const ImportMatrix& user = m_plotter.user;
  return {(m_plotter.x - user.e) / user.a, (m_plotter.y - user.f) / user.d};
}

ImportPoint2 CHpglReader::ToPlotter(ImportPoint2 user) const {
  return m_plotter.user.Map(user.x, user.y);
}

inline ImportPoint2 CHpglReader::ToPlotter(double x, double y, bool relative) const {
  // Most plots are not scaled: their units are taken as they are, point by point.
  const Plotter& p = m_plotter;
  if (!p.scaled) return relative ? ImportPoint2{p.x + x, p.y + y} : ImportPoint2{x, y};
  return relative ? ImportPoint2{p.x + p.user.a * x, p.y + p.user.d * y} : p.user.Map(x, y);
}

inline bool CHpglReader::InReach(double x, double y) {
  if (std::fabs(x) <= kLargestCoordinate && std::fabs(y) <= kLargestCoordinate) return true;
  Fail();
  return false;
}

bool CHpglReader::ArcInReach(const Arc& arc) {
  const ImportMatrix& user = m_plotter.user;
  const ImportPoint2 centre = user.Map(arc.centre.x, arc.centre.y);
  const double reachX = std::fabs(user.a) * (std::fabs(arc.u.x) + std::fabs(arc.v.x));
  const double reachY = std::fabs(user.d) * (std::fabs(arc.u.y) + std::fabs(arc.v.y));
  return InReach(centre.x - reachX, centre.y - reachY) &&
         InReach(centre.x + reachX, centre.y + reachY);
}

// Every point of a plot passes through here: the small functions it calls are inline, which
// keeps a plot of millions of points within its time.
void CHpglReader::ReadPenMoves() {
  double x = 0, y = 0;
  while (!m_failed && NextParameter(&x) && NextParameter(&y)) {
    const ImportPoint2 to = ToPlotter(x, y, m_plotter.relative);
    if (!InReach(to.x, to.y)) return;
    MovePen(to.x, to.y);
  }
}

inline bool CHpglReader::PenDraws() {
  if (!m_plotter.penDown) {
    EndRun();
    return false;
  }
  if (!m_run.open) BeginRun(kOutline, m_plotter.x, m_plotter.y);
  return true;
}

inline void CHpglReader::MovePen(double x, double y) {
  if (PenDraws()) LineTo(x, y);
  m_plotter.x = x;
  m_plotter.y = y;
}

void CHpglReader::DrawArc(const Arc& arc) {
  if (!ArcInReach(arc)) return;
  const ImportPoint2 end = ToPlotter(arc.At(arc.t1));
  if (!InReach(end.x, end.y)) return;
  if (PenDraws()) ArcTo(arc, end.x, end.y);
  m_plotter.x = end.x;
  m_plotter.y = end.y;
}

bool CHpglReader::ReadArc(bool relative) {
  double values[4];
  if (Parameters(values, 4) < 3 || m_failed) return false;
  const ImportPoint2 from = UserPosition();
  const ImportPoint2 centre = {values[0] + (relative ? from.x : 0),
                               values[1] + (relative ? from.y : 0)};
  const double radius = std::hypot(from.x - centre.x, from.y - centre.y);
  if (!(radius > 0) || values[2] == 0) return true;
  const double t0 = std::atan2(from.y - centre.y, from.x - centre.x);
  DrawArc({centre, {radius, 0}, {0, radius}, t0, t0 + Radians(SweepDrawn(values[2]))});
  return true;
}

bool CHpglReader::ReadThreePointArc(bool relative) {
  double values[5];
  if (Parameters(values, 5) < 4 || m_failed) return false;
  const ImportPoint2 a = UserPosition();
  const ImportPoint2 b = {values[0] + (relative ? a.x : 0), values[1] + (relative ? a.y : 0)};
  const ImportPoint2 c = {values[2] + (relative ? a.x : 0), values[3] + (relative ? a.y : 0)};
  if (a.x == c.x && a.y == c.y) {
    // Back to its start: the circle on the start and the middle point as its diameter.
    const ImportPoint2 centre = {(a.x + b.x) / 2, (a.y + b.y) / 2};
    const double radius = std::hypot(a.x - centre.x, a.y - centre.y);
    if (!(radius > 0)) return true;
    const double t0 = std::atan2(a.y - centre.y, a.x - centre.x);
    DrawArc({centre, {radius, 0}, {0, radius}, t0, t0 + 2 * kPi});
    return true;
  }
  const double bx = b.x - a.x, by = b.y - a.y, cx = c.x - a.x, cy = c.y - a.y;
  const double twice = 2 * (bx * cy - by * cx);
  if (!(std::fabs(twice) > 1e-9 * std::hypot(bx, by) * std::hypot(cx, cy))) {
    const ImportPoint2 end = ToPlotter(c);  // in a line: a line to the end
    if (InReach(end.x, end.y)) MovePen(end.x, end.y);
    return true;
  }
  const double b2 = bx * bx + by * by, c2 = cx * cx + cy * cy;
  const ImportPoint2 centre = {a.x + (cy * b2 - by * c2) / twice,
                               a.y + (bx * c2 - cx * b2) / twice};
  const double radius = std::hypot(a.x - centre.x, a.y - centre.y);
  auto angle = [&centre](ImportPoint2 p) { return std::atan2(p.y - centre.y, p.x - centre.x); };
  auto turn = [](double from, double to) { return std::fmod(to - from + 4 * kPi, 2 * kPi); };
  const double t0 = angle(a), toEnd = turn(t0, angle(c));
  // Counter-clockwise when the middle point comes before the end that way round.
  const double sweep = turn(t0, angle(b)) < toEnd ? toEnd : toEnd - 2 * kPi;
  DrawArc({centre, {radius, 0}, {0, radius}, t0, t0 + sweep});
  return true;
}

bool CHpglReader::ReadCircle() {
  double values[2];
  if (Parameters(values, 2) < 1 || m_failed) return false;
  if (values[0] == 0) return true;
  const ImportPoint2 centre = UserPosition();
  const double radius = values[0];
  const Arc arc = {centre, {radius, 0}, {0, radius}, 0, 2 * kPi};
  if (!ArcInReach(arc)) return true;
  // Drawn whatever the pen's state, from its point at 0 degrees (180 for a negative radius);
  // the pen is back at the centre afterwards.
  const ImportPoint2 start = ToPlotter(arc.At(0));
  BeginRun(kOutline, start.x, start.y);
  ArcTo(arc, start.x, start.y);
  EndRun(true);
  return true;
}

bool CHpglReader::ReadWedge(Track track) {
  double values[4];
  if (Parameters(values, 4) < 3 || m_failed) return false;
  if (values[0] == 0 || values[2] == 0) return true;
  const ImportPoint2 centre = UserPosition();
  const double radius = values[0], t0 = Radians(values[1]);
  const double t1 = t0 + Radians(std::max(-360.0, std::min(360.0, values[2])));
  const Arc arc = {centre, {radius, 0}, {0, radius}, t0, t1};
  if (!ArcInReach(arc)) return true;
  const ImportPoint2 start = ToPlotter(arc.At(t0)), end = ToPlotter(arc.At(t1));
  BeginRun(track, m_plotter.x, m_plotter.y);
  LineTo(start.x, start.y);
  ArcTo(arc, end.x, end.y);
  EndRun(true);
  return true;
}

bool CHpglReader::ReadRectangle(Track track, bool relative) {
  double values[2];
  if (Parameters(values, 2) < 2 || m_failed) return false;
  const ImportPoint2 corner = ToPlotter(values[0], values[1], relative);
  if (!InReach(corner.x, corner.y)) return true;
  const double x = m_plotter.x, y = m_plotter.y;
  if (corner.x == x && corner.y == y) return true;
  BeginRun(track, x, y);
  LineTo(corner.x, y);
  LineTo(corner.x, corner.y);
  LineTo(x, corner.y);
  EndRun(true);
  return true;
}

bool CHpglReader::ReadBeziers(bool relative) {
  double values[6];
  for (bool any = false;; any = true) {
    int count = 0;
    while (count < 6 && NextParameter(&values[count])) ++count;
    if (count < 6 || m_failed) return any;
    ImportPoint2 points[3];
    for (int i = 0; i < 3; ++i) {
      // A relative curve's three points all count from where it begins.
      points[i] = ToPlotter(values[2 * i], values[2 * i + 1], relative);
      if (!InReach(points[i].x, points[i].y)) return true;
    }
    if (PenDraws()) CurveTo(points);
    m_plotter.x = points[2].x;
    m_plotter.y = points[2].y;
  }
}

void CHpglReader::BeginRun(Track track, double x, double y) {
  EndRun();
  m_run = Run();
  m_run.open = true;
  m_run.track = track;
  m_run.startX = m_run.lastX = x;
  m_run.startY = m_run.lastY = y;
  m_run.pen = &m_pens[m_plotter.pen];
  if (!AddPoints(1) || !m_drawing) return;
  if (!m_run.pen->listed) m_penOrder.push_back(m_plotter.pen);
  m_run.pen->listed = true;
  m_run.path = &PathOfNewRun(*m_run.pen, track);
  m_run.path->MoveTo(x / kUnitsPerMillimetre, y / kUnitsPerMillimetre);
}

inline void CHpglReader::LineTo(double x, double y) {
  if (!AddPoints(1)) return;
  if (m_drawing) m_run.path->LineTo(x / kUnitsPerMillimetre, y / kUnitsPerMillimetre);
  m_run.lastX = x;
  m_run.lastY = y;
}

void CHpglReader::CurveTo(const ImportPoint2 (&points)[3]) {
  if (!AddPoints(3)) return;
  if (m_drawing) {
    m_run.path->CurveTo(points[0].x / kUnitsPerMillimetre, points[0].y / kUnitsPerMillimetre,
                        points[1].x / kUnitsPerMillimetre, points[1].y / kUnitsPerMillimetre,
                        points[2].x / kUnitsPerMillimetre, points[2].y / kUnitsPerMillimetre);
  }
  m_run.lastX = points[2].x;
  m_run.lastY = points[2].y;
}

void CHpglReader::ArcTo(const Arc& arc, double endX, double endY) {
  if (!AddPoints(3 * CArcBeziers::Pieces(arc.t1 - arc.t0))) return;
  if (m_drawing) {
    const double mm = 1 / kUnitsPerMillimetre;
    CArcBeziers::AppendPieces(m_run.path, arc.centre, arc.u, arc.v, arc.t0, arc.t1,
                              m_plotter.user.Then(ImportMatrix::Scale(mm, mm)),
                              {endX / kUnitsPerMillimetre, endY / kUnitsPerMillimetre});
  }
  m_run.lastX = endX;
  m_run.lastY = endY;
}

void CHpglReader::EndRun(bool close) {
  Run& run = m_run;
  if (!run.open) return;
  run.open = false;
  const bool closed = close || (std::fabs(run.lastX - run.startX) <= kClosingDistance &&
                                std::fabs(run.lastY - run.startY) <= kClosingDistance);
  // Closing adds a line back to the start unless the run ends on it.
  if (closed && (run.lastX / kUnitsPerMillimetre != run.startX / kUnitsPerMillimetre ||
                 run.lastY / kUnitsPerMillimetre != run.startY / kUnitsPerMillimetre)) {
    if (!AddPoints(1)) return;
  }
  if (m_drawing && closed) m_run.path->Close();
  if (!m_drawing) PlanRun(run.pen->tracks[run.track], run.points);
}

inline bool CHpglReader::AddPoints(size_t count) {
  m_run.points += count;
  if (m_drawing) return true;  // counted by the first pass
  m_points += count;
  const size_t onPen = m_run.pen->points += count;
  if (m_run.points <= CImportedDrawing::kMostCurvePoints && onPen <= CImportPath::kMaxPoints &&
      m_points <= CImportedDrawing::kMaxTotalPoints && m_pens.size() <= kMostPens)
    return true;
  TooComplex();
  return false;
}

void CHpglReader::PlanRun(Curves& curves, size_t points) {
  if (curves.pieces.empty() ||
      curves.pieces.back().points + points > CImportedDrawing::kMostCurvePoints)
    curves.pieces.push_back({curves.runs, 0});
  curves.pieces.back().points += points;
  ++curves.runs;
}

CImportPath& CHpglReader::PathOfNewRun(Pen& pen, Track track) {
  Curves& curves = pen.tracks[track];
  const size_t next = curves.paths.size();
  if (curves.paths.empty() ||
      (next < curves.pieces.size() && curves.pieces[next].firstRun == curves.runs)) {
    curves.paths.emplace_back();
    if (next < curves.pieces.size()) curves.paths.back().Reserve(curves.pieces[next].points);
  }
  ++curves.runs;
  return curves.paths.back();
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
