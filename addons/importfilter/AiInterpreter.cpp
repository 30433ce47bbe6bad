#include "addons/importfilter/AiInterpreter.h"

#include <algorithm>
#include <cmath>
#include <cstring>

namespace {

const double kMillimetresPerPoint = 25.4 / 72.0;
// Sections of the file that hold no drawing, with the comment that ends each.
const char* const kSkippedSections[][2] = {
    {"%%BeginProlog", "%%EndProlog"},     {"%%BeginSetup", "%%EndSetup"},
    {"%%BeginResource", "%%EndResource"}, {"%%BeginProcSet", "%%EndProcSet"},
    {"%%BeginFont", "%%EndFont"},         {"%%BeginDocument", "%%EndDocument"},
    {"%%BeginData", "%%EndData"},         {"%AI5_BeginRaster", "%AI5_EndRaster"},
    {"%%BeginPreview", "%%EndPreview"},
};

DWORD Rgb(double r, double g, double b) {
  auto byte = [](double v) {
    v = std::isfinite(v) ? (v < 0 ? 0 : v > 1 ? 1 : v) : 0;
    return static_cast<DWORD>(std::lround(v * 255));
  };
  return byte(r) << 16 | byte(g) << 8 | byte(b);
}

DWORD Cmyk(double c, double m, double y, double k, double tint = 1) {
  return Rgb((1 - c * tint) * (1 - k * tint), (1 - m * tint) * (1 - k * tint),
             (1 - y * tint) * (1 - k * tint));
}

}  // namespace

void CAiInterpreter::Fail() {
  if (m_failed) return;
  m_failed = true;
  m_report->problem = kImportDamaged;
  m_report->line = m_line;
}

void CAiInterpreter::TooComplex() {
  if (m_failed) return;
  m_failed = true;
  m_report->problem = kImportTooComplex;
}

void CAiInterpreter::Run() {
  int procedureDepth = 0;
  while (!m_failed) {
    CPsScanner::Token token = m_scanner.Next();
    m_line = token.line;
    switch (token.kind) {
      case CPsScanner::kEnd:
        if (!m_path.IsEmpty() || m_inCompound || m_inText) {
          m_report->problem = kImportEndedEarly;
          m_report->line = m_line;
        }
        return;
      case CPsScanner::kError:
        if (!m_scanner.AtEnd()) return Fail();
        m_report->problem = kImportEndedEarly;  // cut inside a string
        m_report->line = m_line;
        return;
      case CPsScanner::kComment:
        if (token.text.compare(0, 9, "%%Trailer") == 0 || token.text.compare(0, 5, "%%EOF") == 0)
          return;
        HandleComment(token.text);
        break;
      case CPsScanner::kNumber:
        if (procedureDepth == 0) m_operands.push_back(token.number);
        break;
      case CPsScanner::kProcBegin:
        ++procedureDepth;
        break;
      case CPsScanner::kProcEnd:
        if (procedureDepth > 0) --procedureDepth;
        if (procedureDepth == 0) m_operands.push_back(NAN);
        break;
      case CPsScanner::kName:
        if (procedureDepth == 0) {
          Operator(token.text);
          m_operands.clear();
          if (m_path.Overflowed()) TooComplex();
        }
        break;
      default:
        // Strings, literal names and brackets are operands that are no number.
        if (procedureDepth == 0 && token.kind != CPsScanner::kArrayBegin) m_operands.push_back(NAN);
        break;
    }
    if (m_operands.size() > 4096) m_operands.erase(m_operands.begin(), m_operands.end() - 64);
  }
}

void CAiInterpreter::HandleComment(const std::string& comment) {
  for (const auto& section : kSkippedSections) {
    if (comment.compare(0, std::strlen(section[0]), section[0]) != 0) continue;
    if (std::strcmp(section[0], "%AI5_BeginRaster") == 0) ++m_report->images;
    m_scanner.SkipToLineStarting(section[1]);
    return;
  }
}

bool CAiInterpreter::Numbers(size_t count, double* values) {
  if (m_operands.size() < count) {
    Fail();
    return false;
  }
  for (size_t i = 0; i < count; ++i) {
    values[i] = m_operands[m_operands.size() - count + i];
    if (!std::isfinite(values[i])) {
      Fail();
      return false;
    }
  }
  return true;
}

bool CAiInterpreter::Point(size_t index, const double* values, double* x, double* y) {
  const double px = values[2 * index], py = values[2 * index + 1];
  if (!(std::fabs(px) <= kLargestCoordinate) || !(std::fabs(py) <= kLargestCoordinate)) {
    Fail();
    return false;
  }
  *x = px * kMillimetresPerPoint;
  *y = py * kMillimetresPerPoint;
  return true;
}

bool CAiInterpreter::PathRoom(size_t points) {
  // The points' vector doubles when it is full: that growth is paid for before it happens.
  const size_t size = m_path.Size();
  if (size + points > m_paidPoints) {
    const size_t room = std::max(2 * m_paidPoints, size + points);
    if (!m_budget.Charge((room - m_paidPoints) * sizeof(ImportPathPoint))) {
      TooComplex();
      return false;
    }
    m_paidPoints = room;
  }
  return true;
}

void CAiInterpreter::PaintPath(Paint paint, bool close) {
  if (close && PathRoom(1)) m_path.Close();
  if (m_inCompound) {
    // The parts of a compound path are painted together when it ends.
    if (paint != kNoPaint) m_compoundPaint = paint;
    return;
  }
  if (!m_clipping && paint != kNoPaint && !m_path.IsEmpty()) {
    const bool filled = paint != kStroke;
    const size_t bytes = CImportedDrawing::CurveBytes(m_path.Size());
    if (!m_budget.Charge(bytes) || !m_budget.Work(m_path.Size())) return TooComplex();
    if (!m_drawing->AddPath(m_path, filled ? m_fillColour : m_strokeColour, filled))
      m_budget.Release(bytes);
  }
  if (m_drawing->TooComplex()) return TooComplex();
  m_path.Clear();
  m_clipping = false;
}

void CAiInterpreter::Operator(const std::string& name) {
  double v[7];
  double x[3], y[3];
  if (m_inText) {
    if (name == "TO") m_inText = false;
    return;
  }
  const char first = name[0];
  const bool single = name.size() == 1;
  if (single && (first == 'm' || first == 'l' || first == 'L')) {
    // A line after a close begins a new sub-path at the closed one's start: two points.
    if (!Numbers(2, v) || !Point(0, v, &x[0], &y[0]) || !PathRoom(2)) return;
    if (first == 'm')
      m_path.MoveTo(x[0], y[0]);
    else if (!m_path.LineTo(x[0], y[0]))
      Fail();
  } else if (single && (first == 'c' || first == 'C' || first == 'v' || first == 'V' ||
                        first == 'y' || first == 'Y')) {
    const bool full = first == 'c' || first == 'C';
    if (!Numbers(full ? 6 : 4, v) || !PathRoom(4)) return;
    for (int i = 0; i < (full ? 3 : 2); ++i)
      if (!Point(i, v, &x[i], &y[i])) return;
    if (!m_path.HasCurrentPoint()) return Fail();
    const ImportPoint2 current = m_path.CurrentPoint();
    if (first == 'v' || first == 'V') {
      // The first control point lies on the current point.
      m_path.CurveTo(current.x, current.y, x[0], y[0], x[1], y[1]);
    } else if (first == 'y' || first == 'Y') {
      // The second control point lies on the end point.
      m_path.CurveTo(x[0], y[0], x[1], y[1], x[1], y[1]);
    } else {
      m_path.CurveTo(x[0], y[0], x[1], y[1], x[2], y[2]);
    }
  } else if (single && first == 'h') {
    if (PathRoom(1)) m_path.Close();
  } else if (name == "f" || name == "F" || name == "f*" || name == "F*") {
    PaintPath(kFill, first == 'f');
  } else if (single && (first == 's' || first == 'S')) {
    PaintPath(kStroke, first == 's');
  } else if (name == "b" || name == "B" || name == "b*" || name == "B*") {
    PaintPath(kFillAndStroke, first == 'b');
  } else if (single && (first == 'n' || first == 'N')) {
    PaintPath(kNoPaint, first == 'n');
  } else if (name == "W") {
    m_clipping = true;
  } else if (name == "*u") {
    m_inCompound = true;
    m_compoundPaint = kNoPaint;
  } else if (name == "*U") {
    m_inCompound = false;
    PaintPath(m_compoundPaint, false);
  } else if (name == "k" || name == "K") {
    if (!Numbers(4, v)) return;
    (first == 'k' ? m_fillColour : m_strokeColour) = Cmyk(v[0], v[1], v[2], v[3]);
  } else if (name == "g" || name == "G") {
    if (!Numbers(1, v)) return;
    (first == 'g' ? m_fillColour : m_strokeColour) = Rgb(v[0], v[0], v[0]);
  } else if (name == "x" || name == "X") {
    // c m y k (name) gray, the gray 0 for the full colour and 1 for none.
    if (m_operands.size() < 6) return Fail();
    const double* o = &m_operands[m_operands.size() - 6];
    (first == 'x' ? m_fillColour : m_strokeColour) = Cmyk(o[0], o[1], o[2], o[3], 1 - o[5]);
  } else if (name == "Xa" || name == "XA") {
    if (!Numbers(3, v)) return;
    (name == "Xa" ? m_fillColour : m_strokeColour) = Rgb(v[0], v[1], v[2]);
  } else if (name == "Xx" || name == "XX") {
    // c m y k (name) gray type, or r g b (name) gray 1
    if (m_operands.empty()) return Fail();
    const bool rgb = m_operands.back() == 1;
    const size_t count = rgb ? 6 : 7;
    if (m_operands.size() < count) return Fail();
    const double* o = &m_operands[m_operands.size() - count];
    const DWORD colour = rgb ? Rgb(o[0], o[1], o[2]) : Cmyk(o[0], o[1], o[2], o[3], 1 - o[5]);
    (name == "Xx" ? m_fillColour : m_strokeColour) = colour;
  } else if (name == "To") {
    ++m_report->texts;
    m_inText = true;
  } else if (name == "XI" || name == "XG") {
    ++m_report->images;
  }
}
