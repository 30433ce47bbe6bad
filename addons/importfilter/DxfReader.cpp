#include "addons/importfilter/DxfReader.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <utility>

#include "addons/importfilter/ArcBeziers.h"
#include "addons/importfilter/PsBudget.h"
#include "addons/importfilter/SplineBeziers.h"
#include "model/geometry/PointRecord.h"

namespace {

const double kPi = 3.14159265358979323846;
const char kBinarySignature[] = "AutoCAD Binary DXF";
// Longer lines than this are no DXF.
const size_t kLongestLine = 65536;
const size_t kLongestNumber = 63;
// Pricing draws onto one point: what it counts does not hang on where a copy lies.
const ImportMatrix kNowhere = ImportMatrix::Scale(0, 0);

bool Near(ImportPoint2 p, ImportPoint2 q, double distance) {
  return std::fabs(p.x - q.x) <= distance && std::fabs(p.y - q.y) <= distance;
}

std::string UpperAscii(std::string text) {
  for (char& ch : text)
    if (ch >= 'a' && ch <= 'z') ch = static_cast<char>(ch - 'a' + 'A');
  return text;
}

double Radians(double degrees) { return degrees * kPi / 180.0; }

// Most numbers of a drawing are short decimals ("12.5", "-0.375"). Their digits make a whole
// number below 2^53 and their point a power of ten up to 10^15, both exact as doubles, so one
// division (in SSE's doubles, as the build has it) gives the correctly rounded value strtod
// gives, at a fraction of its time.
bool ShortDecimal(const char* text, size_t length, double* value) {
  static const double kPowers[] = {1e0, 1e1, 1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                                   1e8, 1e9, 1e10, 1e11, 1e12, 1e13, 1e14, 1e15};
  size_t i = 0;
  const bool negative = text[0] == '-';
  if (negative || text[0] == '+') ++i;
  uint64_t whole = 0;
  int digits = 0, decimals = -1;
  for (; i < length; ++i) {
    if (text[i] == '.' && decimals < 0) {
      decimals = 0;
      continue;
    }
    if (text[i] < '0' || text[i] > '9' || digits == 15) return false;
    whole = whole * 10 + (text[i] - '0');
    ++digits;
    if (decimals >= 0) ++decimals;
  }
  if (digits == 0) return false;
  const double magnitude = static_cast<double>(whole) / kPowers[decimals < 0 ? 0 : decimals];
  *value = negative ? -magnitude : magnitude;
  return true;
}

struct Vertex {
  double x, y, bulge;
};

// The line or arc from p to q of a polyline segment with the bulge (tan of a quarter of the arc's
// angle, positive counter-clockwise), appended to a path that stands at p.
void AppendBulge(CImportPath* path, const Vertex& p, const Vertex& q, const ImportMatrix& m) {
  const double dx = q.x - p.x, dy = q.y - p.y;
  const double chord = std::hypot(dx, dy);
  const double angle = 4.0 * std::atan(p.bulge);
  if (std::fabs(p.bulge) < 1e-12 || chord == 0 || !std::isfinite(angle)) {
    ImportPoint2 end = m.Map(q.x, q.y);
    path->LineTo(end.x, end.y);
    return;
  }
  // The centre lies on the chord's perpendicular, to the left for a counter-clockwise arc.
  const double offset = chord / (2.0 * std::tan(angle / 2.0));
  const ImportPoint2 centre = {(p.x + q.x) / 2 - dy / chord * offset,
                               (p.y + q.y) / 2 + dx / chord * offset};
  const double radius = std::hypot(p.x - centre.x, p.y - centre.y);
  const double start = std::atan2(p.y - centre.y, p.x - centre.x);
  if (!std::isfinite(radius) || !std::isfinite(start) ||
      !CArcBeziers::Append(path, centre, {radius, 0}, {0, radius}, start, start + angle, m)) {
    ImportPoint2 end = m.Map(q.x, q.y);
    path->LineTo(end.x, end.y);
  }
}

// The points AppendVertices gives, counted without drawing: a line is one, an arc its pieces'
// three (a path that stands a little off an arc's start takes one more).
size_t VertexPoints(const std::vector<Vertex>& vertices, bool closed) {
  auto segment = [](const Vertex& p, const Vertex& q) -> size_t {
    const double angle = 4.0 * std::atan(p.bulge);
    if (std::fabs(p.bulge) < 1e-12 || (p.x == q.x && p.y == q.y) || !std::isfinite(angle)) return 1;
    return 3 * static_cast<size_t>(CArcBeziers::Pieces(angle));
  };
  size_t points = 1;
  for (size_t i = 0; i + 1 < vertices.size(); ++i) points += segment(vertices[i], vertices[i + 1]);
  if (closed && vertices.size() > 1) points += segment(vertices.back(), vertices[0]);
  return points;
}

// The vertices of a polyline as one path; closed ones get the segment back to the start. Stops
// once the path holds more points than a curve.
void AppendVertices(CImportPath* path, const std::vector<Vertex>& vertices, bool closed,
                    const ImportMatrix& m) {
  ImportPoint2 start = m.Map(vertices[0].x, vertices[0].y);
  path->MoveTo(start.x, start.y);
  auto full = [path] { return path->Size() > CImportedDrawing::kMostCurvePoints; };
  for (size_t i = 0; i + 1 < vertices.size() && !full(); ++i)
    AppendBulge(path, vertices[i], vertices[i + 1], m);
  if (closed && vertices.size() > 1 && !full()) AppendBulge(path, vertices.back(), vertices[0], m);
}

}  // namespace

// The groups of one entity, looked up by code; the first group of a code counts.
class CDxfReader::Fields {
public:
  Fields(CDxfReader& reader, const Entity& entity)
      : m_reader(reader), m_first(&reader.m_groups[entity.first]), m_count(entity.count) {}

  const Group* Find(int code) const {
    for (size_t i = 1; i < m_count; ++i)
      if (m_first[i].code == code) return &m_first[i];
    return nullptr;
  }
  bool Has(int code) const { return Find(code) != nullptr; }
  double Number(int code, double fallback) const {
    const Group* group = Find(code);
    double value = fallback;
    if (group && !m_reader.Number(*group, &value)) return fallback;
    return value;
  }
  std::string Text(int code) const {
    const Group* group = Find(code);
    return group ? m_reader.Text(*group) : std::string();
  }
  std::string Type() const { return m_reader.Text(m_first[0]); }
  const Group& Head() const { return m_first[0]; }
  const Group* begin() const { return m_first + 1; }
  const Group* end() const { return m_first + m_count; }

private:
  CDxfReader& m_reader;
  const Group* m_first;
  size_t m_count;
};

double CDxfReader::MillimetresPerUnit(int units) {
  switch (units) {
    case 1:
      return 25.4;  // inches
    case 2:
      return 304.8;  // feet
    case 3:
      return 1609344.0;  // miles
    case 5:
      return 10.0;  // centimetres
    case 6:
      return 1000.0;  // metres
    case 7:
      return 1000000.0;  // kilometres
    case 8:
      return 25.4e-6;  // microinches
    case 9:
      return 0.0254;  // mils
    case 10:
      return 914.4;  // yards
    case 11:
      return 1e-7;  // angstroms
    case 12:
      return 1e-6;  // nanometres
    case 13:
      return 1e-3;  // microns
    case 14:
      return 100.0;  // decimetres
    default:
      return 1.0;  // millimetres, and drawings without a unit
  }
}

DWORD CDxfReader::IndexColour(int index) {
  static const DWORD kFirst[] = {0x000000, 0xFF0000, 0xFFFF00, 0x00FF00, 0x00FFFF,
                                 0x0000FF, 0xFF00FF, 0x000000, 0x808080, 0xC0C0C0};
  if (index < 1 || index > 255) return 0x000000;
  if (index < 10) return kFirst[index];
  if (index >= 250) {
    const int grey = 51 + (index - 250) * 40;
    return static_cast<DWORD>(grey << 16 | grey << 8 | grey);
  }
  // 10-249: 24 hues 15 degrees apart, each in five shades at full and at half saturation.
  const double hue = (index / 10 - 1) * 15.0;
  static const double kValues[] = {1.0, 0.8, 0.6, 0.5, 0.3};
  const double value = kValues[(index % 10) / 2];
  const double saturation = index % 2 ? 0.5 : 1.0;
  const double sector = hue / 60.0;
  const double fraction = sector - std::floor(sector);
  const double p = value * (1 - saturation), q = value * (1 - saturation * fraction),
               t = value * (1 - saturation * (1 - fraction));
  double r = value, g = t, b = p;
  switch (static_cast<int>(sector) % 6) {
    case 1:
      r = q, g = value, b = p;
      break;
    case 2:
      r = p, g = value, b = t;
      break;
    case 3:
      r = p, g = q, b = value;
      break;
    case 4:
      r = t, g = p, b = value;
      break;
    case 5:
      r = value, g = p, b = q;
      break;
    default:
      break;
  }
  auto byte = [](double v) { return static_cast<DWORD>(std::lround(v * 255)); };
  return byte(r) << 16 | byte(g) << 8 | byte(b);
}

void CDxfReader::Fail(const char* at) {
  if (m_failed) return;
  m_failed = true;
  m_report->problem = kImportDamaged;
  m_report->line = 1 + static_cast<int>(std::count(m_data, at, '\n'));
}

void CDxfReader::TooComplex() {
  if (m_failed) return;
  m_failed = true;
  m_report->problem = kImportTooComplex;
}

double* CDxfReader::KeptNumber(const Group& group) {
  if (!m_walked) return nullptr;
  const size_t index = static_cast<size_t>(&group - m_groups.data()) - m_walked->firstGroup;
  return index < m_walked->numbers.size() ? &m_walked->numbers[index] : nullptr;
}

bool CDxfReader::Number(const Group& group, double* value) {
  double* kept = KeptNumber(group);
  if (kept && !std::isnan(*kept)) {
    *value = *kept;
    return true;
  }
  ++m_numbersConverted;
  size_t length = 0;
  const char* text = ValueText(group, &length);
  char buffer[kLongestNumber + 1];
  if (length == 0 || length > kLongestNumber) {
    Fail(group);
    return false;
  }
  if (!ShortDecimal(text, length, value)) {
    std::memcpy(buffer, text, length);
    buffer[length] = '\0';
    char* end = nullptr;
    const double parsed = std::strtod(buffer, &end);
    if (end != buffer + length || !std::isfinite(parsed)) {
      Fail(group);
      return false;
    }
    *value = parsed;
  }
  if (kept) *kept = *value;
  return true;
}

const char* CDxfReader::ValueText(const Group& group, size_t* length) const {
  const char* text = m_data + group.value;
  const void* end = std::memchr(text, '\n', m_size - group.value);
  size_t n = end ? static_cast<const char*>(end) - text : m_size - group.value;
  if (n > 0 && text[n - 1] == '\r') --n;
  while (n > 0 && (*text == ' ' || *text == '\t')) ++text, --n;
  while (n > 0 && (text[n - 1] == ' ' || text[n - 1] == '\t')) --n;
  *length = n;
  return text;
}

std::string CDxfReader::Text(const Group& group) const {
  size_t length = 0;
  const char* text = ValueText(group, &length);
  return std::string(text, length);
}

bool CDxfReader::SplitGroups() {
  size_t at = 0;
  // One line without its end; false at the end of the data.
  auto nextLine = [&](const char** text, size_t* length) {
    if (at >= m_size) return false;
    const char* start = m_data + at;
    const void* found = std::memchr(start, '\n', m_size - at);
    size_t end = found ? static_cast<const char*>(found) - m_data : m_size;
    *text = start;
    *length = end - at;
    if (*length > 0 && start[*length - 1] == '\r') --*length;
    at = end + 1;
    return true;
  };
  const char* text = nullptr;
  size_t length = 0;
  // Two lines a group: room for them all at once, since growing would hold two copies.
  const size_t lines = static_cast<size_t>(std::count(m_data, m_data + m_size, '\n')) + 1;
  m_groups.reserve(std::min(lines / 2, kMostGroups));
  while (nextLine(&text, &length)) {
    if (m_groups.size() == kMostGroups) {
      TooComplex();
      return false;
    }
    if (length > kLongestLine) {
      Fail(text);
      return false;
    }
    size_t first = 0;
    while (first < length && (text[first] == ' ' || text[first] == '\t')) ++first;
    size_t last = length;
    while (last > first && (text[last - 1] == ' ' || text[last - 1] == '\t')) --last;
    if (first == last && at >= m_size) break;  // a blank last line
    int code = 0;
    bool digits = first < last && last - first <= 6;
    size_t i = first;
    bool negative = i < last && text[i] == '-';
    if (negative) ++i;
    if (i == last) digits = false;
    for (; i < last && digits; ++i) {
      if (text[i] < '0' || text[i] > '9')
        digits = false;
      else
        code = code * 10 + (text[i] - '0');
    }
    if (!digits) {
      // A first line that is no group code: no DXF at all.
      if (m_groups.empty()) {
        m_report->problem = kImportNotThisKind;
        m_failed = true;
      }
      Fail(text);
      return false;
    }
    const char* codeText = text;
    const char* value = nullptr;
    size_t valueLength = 0;
    if (!nextLine(&value, &valueLength) || valueLength > kLongestLine) {
      Fail(codeText);
      return false;
    }
    m_groups.push_back({static_cast<uint32_t>(value - m_data), negative ? -code : code});
  }
  return true;
}

CDxfReader::Entity CDxfReader::EntityAt(size_t at) const {
  size_t end = at + 1;
  while (end < m_groups.size() && m_groups[end].code != 0) ++end;
  return {static_cast<uint32_t>(at), static_cast<uint32_t>(end - at)};
}

void CDxfReader::Read(const char* data, size_t size, CImportedDrawing* drawing,
                      ImportFilterReport* report) {
  m_data = data;
  m_size = size;
  m_drawing = drawing;
  m_report = report;
  if (size >= sizeof kBinarySignature - 1 &&
      std::memcmp(data, kBinarySignature, sizeof kBinarySignature - 1) == 0) {
    report->problem = kImportBinaryDxf;
    return;
  }
  // Groups keep 32-bit places in the file (the filter takes far smaller files).
  if (size > 0x7FFFFFFFu) {
    report->problem = kImportTooLarge;
    return;
  }
  if (!SplitGroups()) return;
  size_t first = 0;
  while (first < m_groups.size() && m_groups[first].code == 999) ++first;
  if (first == m_groups.size() || m_groups[first].code != 0 || Text(m_groups[first]) != "SECTION") {
    report->problem = kImportNotThisKind;
    return;
  }
  ReadSections();
  if (m_failed) return;
  m_memoryLimit = CPsBudget::MemoryFor(size);
  // Priced whole before anything is drawn.
  m_pricing = true;
  DrawList(m_entities, kNowhere, 0, 0);
  m_pricing = false;
  if (m_failed) return;
  DrawList(m_entities, ImportMatrix::Scale(m_unit, m_unit), 0, 0);
  if (!Stopped()) FlushChain();
}

void CDxfReader::ReadSections() {
  size_t at = 0;
  bool open = false;  // a section has begun and not ended
  while (at < m_groups.size() && !m_failed) {
    const Group& group = m_groups[at];
    if (group.code != 0) {
      ++at;
      continue;
    }
    const std::string name = Text(group);
    if (name == "EOF") return;
    if (name == "ENDSEC") open = false;
    if (name != "SECTION" || at + 1 >= m_groups.size() || m_groups[at + 1].code != 2) {
      ++at;
      continue;
    }
    open = true;
    const std::string section = Text(m_groups[at + 1]);
    at += 2;
    if (section == "HEADER")
      at = ReadHeader(at);
    else if (section == "TABLES")
      at = ReadTables(at);
    else if (section == "BLOCKS")
      at = ReadBlocks(at);
    else if (section == "ENTITIES")
      at = ReadEntities(at, &m_entities);
  }
  // The file was cut short.
  if (open) Fail(m_groups.back());
}

size_t CDxfReader::ReadHeader(size_t at) {
  int units = 0;
  for (; at < m_groups.size(); ++at) {
    const Group& group = m_groups[at];
    if (group.code == 0) break;
    if (group.code == 9 && Text(group) == "$INSUNITS" && at + 1 < m_groups.size() &&
        m_groups[at + 1].code == 70) {
      double value = 0;
      if (!Number(m_groups[at + 1], &value)) return m_groups.size();
      units = static_cast<int>(value);
    }
  }
  m_unit = MillimetresPerUnit(units);
  return at;
}

size_t CDxfReader::ReadTables(size_t at) {
  while (at < m_groups.size() && !m_failed) {
    const Group& group = m_groups[at];
    if (group.code != 0) {
      ++at;
      continue;
    }
    const std::string type = Text(group);
    if (type == "ENDSEC" || type == "EOF") break;
    Entity entity = EntityAt(at);
    if (type == "LAYER") {
      Fields fields(*this, entity);
      DWORD colour = IndexColour(std::abs(static_cast<int>(fields.Number(62, 7))));
      if (fields.Has(420)) colour = static_cast<DWORD>(fields.Number(420, 0)) & 0xFFFFFF;
      m_layerColours[UpperAscii(fields.Text(2))] = colour;
      if (m_layerColours.size() > kMostLayers) TooComplex();
    }
    at += entity.count;
  }
  return at;
}

size_t CDxfReader::ReadBlocks(size_t at) {
  while (at < m_groups.size() && !m_failed) {
    const Group& group = m_groups[at];
    if (group.code != 0) {
      ++at;
      continue;
    }
    const std::string type = Text(group);
    if (type == "ENDSEC" || type == "EOF") break;
    Entity entity = EntityAt(at);
    at += entity.count;
    if (type != "BLOCK") continue;
    Fields fields(*this, entity);
    Block& block = m_blocks[UpperAscii(fields.Text(2))];
    if (m_blocks.size() > kMostBlocks) {
      TooComplex();
      break;
    }
    block = Block();
    block.baseX = fields.Number(10, 0);
    block.baseY = fields.Number(20, 0);
    at = ReadEntities(at, &block.entities);
  }
  return at;
}

size_t CDxfReader::ReadEntities(size_t at, std::vector<Entity>* list) {
  while (at < m_groups.size() && !m_failed) {
    const Group& group = m_groups[at];
    if (group.code != 0) {
      ++at;
      continue;
    }
    const std::string type = Text(group);
    if (type == "ENDSEC" || type == "EOF") break;
    Entity entity = EntityAt(at);
    at += entity.count;
    if (type == "ENDBLK") break;
    list->push_back(entity);
    // Entities of the drawing that are never taken along by the one before are all drawn.
    const bool drawn = list == &m_entities && type != "VERTEX" && type != "SEQEND" &&
                       type != "ATTRIB";
    if (++m_records > kMostRecords || (drawn && ++m_drawnRecords > kMostEntities)) TooComplex();
  }
  return at;
}

DWORD CDxfReader::ColourOf(const Fields& fields) {
  if (const Group* colour = fields.Find(420)) {
    double value = 0;
    if (Number(*colour, &value)) return static_cast<DWORD>(value) & 0xFFFFFF;
  }
  const int index = static_cast<int>(fields.Number(62, 256));
  if (index == 0) return kByBlock;
  if (index == 256) {
    // Entities come in runs of one layer: the last one's colour is kept at hand.
    const std::string layer = fields.Text(8);
    if (layer != m_lastLayer) {
      auto found = m_layerColours.find(UpperAscii(layer));
      m_lastLayer = layer;
      m_lastLayerColour = found == m_layerColours.end() ? 0x000000 : found->second;
    }
    return m_lastLayerColour;
  }
  return IndexColour(std::abs(index));
}

ImportMatrix CDxfReader::ObjectToWorld(const Fields& fields) {
  double nx = fields.Number(210, 0), ny = fields.Number(220, 0), nz = fields.Number(230, 1);
  const double length = std::sqrt(nx * nx + ny * ny + nz * nz);
  const double elevation = fields.Number(30, fields.Number(38, 0));
  if (!(length > 0)) return ImportMatrix();
  nx /= length, ny /= length, nz /= length;
  // The arbitrary axis algorithm: the object's x axis is the world's y or z axis crossed with
  // the extrusion; its y axis the extrusion crossed with that. Seen from above, z drops out.
  double ax, ay, az;
  if (std::fabs(nx) < 1.0 / 64 && std::fabs(ny) < 1.0 / 64)
    ax = nz, ay = 0, az = -nx;  // (0, 1, 0) x N
  else
    ax = -ny, ay = nx, az = 0;  // (0, 0, 1) x N
  const double axis = std::sqrt(ax * ax + ay * ay + az * az);
  ax /= axis, ay /= axis, az /= axis;
  const double bx = ny * az - nz * ay, by = nz * ax - nx * az;
  return {ax, ay, bx, by, elevation * nx, elevation * ny};
}

bool CDxfReader::Stopped() const { return m_failed || m_drawing->TooComplex(); }

bool CDxfReader::Charge(uint64_t entities, uint64_t points, uint64_t groups, uint64_t bytes) {
  m_cost.entities += entities;
  m_cost.points += points;
  m_cost.groups += groups;
  m_cost.bytes += bytes;
  if (m_cost.entities <= kMostEntities && m_cost.points <= CImportedDrawing::kMaxTotalPoints &&
      m_cost.groups <= kMostGroupsDrawn && m_cost.bytes + m_keptBytes <= m_memoryLimit)
    return true;
  TooComplex();
  return false;
}

void CDxfReader::LeftOut(int* counter) {
  if (!m_pricing) ++*counter;
}

uint64_t CDxfReader::GroupsOf(const Entity& entity) const {
  const size_t next = entity.first + entity.count;
  const size_t end = next < m_groups.size() ? m_groups[next].value : m_size;
  return std::max<uint64_t>(entity.count, (end - m_groups[entity.first].value) / kBytesPerGroup);
}

void CDxfReader::Resolve(Entity* entity, const Fields& fields) {
  entity->colour = ColourOf(fields);
  if (fields.Type() != "INSERT") return;
  auto found = m_blocks.find(UpperAscii(fields.Text(2)));
  entity->block = found == m_blocks.end() ? nullptr : &found->second;
}

void CDxfReader::DrawList(std::vector<Entity>& list, const ImportMatrix& matrix, int depth,
                          DWORD blockColour) {
  for (size_t i = 0; i < list.size() && !Stopped();)
    i = DrawEntity(list, i, matrix, depth, blockColour);
}

size_t CDxfReader::DrawEntity(std::vector<Entity>& list, size_t i, const ImportMatrix& matrix,
                              int depth, DWORD blockColour) {
  Entity& entity = list[i];
  if (m_pricing && !Charge(1, 0, GroupsOf(entity))) return list.size();
  Fields fields(*this, entity);
  const std::string type = fields.Type();
  if (fields.Number(67, 0) == 1) return i + 1;  // paper space
  if (entity.colour == kUnresolved) Resolve(&entity, fields);
  const DWORD colour = entity.colour == kByBlock ? blockColour : entity.colour;
  const ImportMatrix object = ObjectToWorld(fields).Then(matrix);
  CImportPath piece;
  if (type == "LINE") {
    ImportPoint2 p = matrix.Map(fields.Number(10, 0), fields.Number(20, 0));
    ImportPoint2 q = matrix.Map(fields.Number(11, 0), fields.Number(21, 0));
    piece.MoveTo(p.x, p.y);
    piece.LineTo(q.x, q.y);
    AddOpen(piece, colour);
  } else if (type == "CIRCLE" || type == "ARC") {
    const ImportPoint2 centre = {fields.Number(10, 0), fields.Number(20, 0)};
    const double radius = fields.Number(40, 0);
    if (!(radius > 0)) return i + 1;
    double start = 0, sweep = 360;
    if (type == "ARC") {
      start = fields.Number(50, 0);
      sweep = std::fmod(fields.Number(51, 0) - start, 360.0);
      if (sweep <= 0) sweep += 360;
    }
    CArcBeziers::Append(&piece, centre, {radius, 0}, {0, radius}, Radians(start),
                        Radians(start + sweep), object);
    if (type == "CIRCLE")
      AddClosed(piece, colour, false);
    else
      AddOpen(piece, colour);
  } else if (type == "ELLIPSE") {
    const ImportPoint2 centre = {fields.Number(10, 0), fields.Number(20, 0)};
    const ImportPoint2 major = {fields.Number(11, 0), fields.Number(21, 0)};
    const double ratio = fields.Number(40, 1);
    double start = fields.Number(41, 0), end = fields.Number(42, 2 * kPi);
    // Seen from below (extrusion -Z) the ellipse runs clockwise.
    const double turn = fields.Number(230, 1) < 0 ? -1 : 1;
    const ImportPoint2 minor = {-major.y * ratio * turn, major.x * ratio * turn};
    if (end <= start) end += 2 * kPi;
    const bool whole = end - start >= 2 * kPi - 1e-9;
    if (!std::isfinite(start) || !(ratio > 0) || (major.x == 0 && major.y == 0)) return i + 1;
    CArcBeziers::Append(&piece, centre, major, minor, start, whole ? start + 2 * kPi : end, matrix);
    if (whole)
      AddClosed(piece, colour, false);
    else
      AddOpen(piece, colour);
  } else if (type == "LWPOLYLINE") {
    DrawLwPolyline(entity, object, colour);
  } else if (type == "POLYLINE") {
    return DrawPolyline(list, i, matrix, colour);
  } else if (type == "SPLINE") {
    DrawSpline(entity, matrix, colour);
  } else if (type == "INSERT") {
    DrawInsert(entity, matrix, depth, colour);
    size_t next = i + 1;
    if (fields.Number(66, 0) != 0) {
      for (; next < list.size(); ++next) {
        if (m_pricing && !Charge(0, 0, GroupsOf(list[next]))) return list.size();
        const std::string follower = Text(m_groups[list[next].first]);
        if (follower == "SEQEND") return next + 1;
        if (follower != "ATTRIB") break;
        LeftOut(&m_report->texts);
      }
    }
    return next;
  } else if (type == "SOLID" || type == "TRACE" || type == "3DFACE") {
    ImportPoint2 corners[4];
    for (int k = 0; k < 4; ++k) corners[k] = {fields.Number(10 + k, 0), fields.Number(20 + k, 0)};
    if (!fields.Has(13)) corners[3] = corners[2];
    const bool filled = type != "3DFACE";
    // Solids and traces run 1, 2, 4, 3 round their outline; faces 1, 2, 3, 4.
    const int order[2][4] = {{0, 1, 2, 3}, {0, 1, 3, 2}};
    const ImportMatrix& m = filled ? object : matrix;
    for (int k = 0; k < 4; ++k) {
      ImportPoint2 p = m.Map(corners[order[filled][k]].x, corners[order[filled][k]].y);
      if (k == 0)
        piece.MoveTo(p.x, p.y);
      else
        piece.LineTo(p.x, p.y);
    }
    AddClosed(piece, colour, filled);
  } else if (type == "TEXT" || type == "MTEXT" || type == "ATTDEF" || type == "ATTRIB") {
    LeftOut(&m_report->texts);
  } else if (type == "IMAGE" || type == "WIPEOUT" || type == "OLE2FRAME" || type == "OLEFRAME") {
    LeftOut(&m_report->images);
  } else if (type != "POINT" && type != "VIEWPORT" && type != "SEQEND" && type != "VERTEX") {
    LeftOut(&m_report->others);
  }
  return i + 1;
}

void CDxfReader::DrawLwPolyline(const Entity& entity, const ImportMatrix& matrix, DWORD colour) {
  Fields fields(*this, entity);
  std::vector<Vertex> vertices;
  for (const Group& group : fields) {
    double value = 0;
    if (group.code != 10 && group.code != 20 && group.code != 42) continue;
    if (!Number(group, &value)) return;
    if (group.code == 10 && vertices.size() == CImportedDrawing::kMostCurvePoints) {
      TooComplex();  // each vertex is a point at least
      return;
    }
    if (group.code == 10)
      vertices.push_back({value, 0, 0});
    else if (!vertices.empty() && group.code == 20)
      vertices.back().y = value;
    else if (!vertices.empty())
      vertices.back().bulge = value;
  }
  if (vertices.empty()) return;
  const bool closed = (static_cast<int>(fields.Number(70, 0)) & 1) != 0;
  if (m_pricing) {
    ChargePiece(VertexPoints(vertices, closed), closed);
    return;
  }
  CImportPath piece;
  AppendVertices(&piece, vertices, closed, matrix);
  if (!Fits(piece)) return;
  if (closed)
    AddClosed(piece, colour, false);
  else
    AddOpen(piece, colour);
}

size_t CDxfReader::DrawPolyline(const std::vector<Entity>& list, size_t i,
                                const ImportMatrix& matrix, DWORD colour) {
  Fields fields(*this, list[i]);
  const int flags = static_cast<int>(fields.Number(70, 0));
  std::vector<Vertex> vertices;
  size_t next = i + 1;
  for (; next < list.size() && !m_failed; ++next) {
    if (m_pricing && !Charge(0, 0, GroupsOf(list[next]))) return list.size();
    Fields vertex(*this, list[next]);
    const std::string type = vertex.Type();
    if (type == "SEQEND") {
      ++next;
      break;
    }
    if (type != "VERTEX") break;
    // Frame points of a spline-fitted polyline are not on it.
    if (static_cast<int>(vertex.Number(70, 0)) & 16) continue;
    if (vertices.size() == CImportedDrawing::kMostCurvePoints) {
      TooComplex();
      return list.size();
    }
    vertices.push_back({vertex.Number(10, 0), vertex.Number(20, 0), vertex.Number(42, 0)});
  }
  if (flags & (16 | 64)) {
    LeftOut(&m_report->others);  // polygon and polyface meshes
    return next;
  }
  if (vertices.empty() || m_failed) return next;
  // A 3D polyline lies in world coordinates, a 2D one in its object's.
  if (m_pricing) {
    ChargePiece(VertexPoints(vertices, (flags & 1) != 0), (flags & 1) != 0);
    return next;
  }
  const ImportMatrix m = flags & 8 ? matrix : ObjectToWorld(fields).Then(matrix);
  CImportPath piece;
  AppendVertices(&piece, vertices, (flags & 1) != 0, m);
  if (!Fits(piece)) return list.size();
  if (flags & 1)
    AddClosed(piece, colour, false);
  else
    AddOpen(piece, colour);
  return next;
}

void CDxfReader::DrawSpline(const Entity& entity, const ImportMatrix& matrix, DWORD colour) {
  Fields fields(*this, entity);
  std::vector<double> knots, weights;
  std::vector<ImportPoint2> controls, fits;
  for (const Group& group : fields) {
    const int code = group.code;
    if (code != 40 && code != 41 && code != 10 && code != 20 && code != 11 && code != 21) continue;
    double value = 0;
    if (!Number(group, &value)) return;
    if (code == 40)
      knots.push_back(value);
    else if (code == 41)
      weights.push_back(value);
    else if (code == 10)
      controls.push_back({value, 0});
    else if (code == 20 && !controls.empty())
      controls.back().y = value;
    else if (code == 11)
      fits.push_back({value, 0});
    else if (code == 21 && !fits.empty())
      fits.back().y = value;
    if (controls.size() > CSplineBeziers::kMostControlPoints ||
        fits.size() > CSplineBeziers::kMostControlPoints ||
        knots.size() > 2 * CSplineBeziers::kMostControlPoints) {
      TooComplex();
      return;
    }
  }
  const bool closed = (static_cast<int>(fields.Number(70, 0)) & 1) != 0;
  const int degree = static_cast<int>(fields.Number(71, 3));
  if (m_pricing) {
    const size_t points = controls.empty()
                              ? CSplineBeziers::PointsThrough(fits)
                              : CSplineBeziers::Points(degree, knots, controls, weights,
                                                       CImportedDrawing::kMostCurvePoints);
    if (points == 0)
      Fail(fields.Head());
    else
      ChargePiece(points, closed);
    return;
  }
  CImportPath piece;
  bool drawn = false;
  const size_t most = CImportedDrawing::kMostCurvePoints;
  if (!controls.empty()) {
    drawn = CSplineBeziers::Append(&piece, degree, knots, controls, weights, matrix, most);
  } else {
    drawn = CSplineBeziers::AppendThrough(&piece, fits,
                                          {fields.Number(12, 0), fields.Number(22, 0)},
                                          {fields.Number(13, 0), fields.Number(23, 0)}, matrix,
                                          most);
  }
  if (m_failed) return;
  if (!drawn) {
    Fail(fields.Head());
    return;
  }
  if (!Fits(piece)) return;
  if (closed)
    AddClosed(piece, colour, false);
  else
    AddOpen(piece, colour);
}

void CDxfReader::DrawInsert(const Entity& entity, const ImportMatrix& matrix, int depth,
                            DWORD colour) {
  Fields fields(*this, entity);
  if (!entity.block) {
    Fail(fields.Head());
    return;
  }
  Block& block = *entity.block;
  if (block.drawing) {
    Fail(fields.Head());  // a block that inserts itself
    return;
  }
  if (depth >= kDeepestInsert) {
    TooComplex();
    return;
  }
  const double scaleX = fields.Number(41, 1), scaleY = fields.Number(42, 1);
  const double rotation = fields.Number(50, 0);
  const double columns = std::max(1.0, fields.Number(70, 1)),
               rows = std::max(1.0, fields.Number(71, 1));
  const double columnStep = fields.Number(44, 0), rowStep = fields.Number(45, 0);
  if (columns * rows > kMostInsertCopies) {
    TooComplex();
    return;
  }
  if (scaleX == 0 || scaleY == 0 || m_failed) return;
  if (m_pricing) {
    const Cost* cost = PriceOf(block, depth + 1);
    const uint64_t copies = static_cast<uint64_t>(static_cast<int>(columns)) *
                            static_cast<uint64_t>(static_cast<int>(rows));
    if (cost)
      Charge(copies * std::max<uint64_t>(1, cost->entities), copies * cost->points,
             copies * cost->groups, copies * cost->bytes);
    return;
  }
  const ImportMatrix place = ImportMatrix::Translate(fields.Number(10, 0), fields.Number(20, 0))
                                 .Then(ObjectToWorld(fields))
                                 .Then(matrix);
  const ImportMatrix turn = ImportMatrix::Rotate(rotation);
  Block* const walked = m_walked;
  m_walked = &block;
  block.drawing = true;
  for (int row = 0; row < static_cast<int>(rows) && !Stopped(); ++row) {
    for (int column = 0; column < static_cast<int>(columns) && !Stopped(); ++column) {
      const ImportPoint2 step = turn.Map(column * columnStep, row * rowStep);
      const ImportMatrix copy = ImportMatrix::Translate(-block.baseX, -block.baseY)
                                    .Then(ImportMatrix::Scale(scaleX, scaleY))
                                    .Then(turn)
                                    .Then(ImportMatrix::Translate(step.x, step.y))
                                    .Then(place);
      DrawList(block.entities, copy, depth + 1, colour);
    }
  }
  block.drawing = false;
  m_walked = walked;
}

const CDxfReader::Cost* CDxfReader::PriceOf(Block& block, int depth) {
  if (block.priced) return &block.cost;
  if (!KeepNumbers(block)) return nullptr;
  const Cost counted = m_cost;
  Block* const walked = m_walked;
  m_cost = Cost();
  m_walked = &block;
  block.drawing = true;
  DrawList(block.entities, kNowhere, depth, 0);
  block.drawing = false;
  m_walked = walked;
  block.cost = m_cost;
  block.priced = !m_failed;
  m_cost = counted;
  return block.priced ? &block.cost : nullptr;
}

bool CDxfReader::KeepNumbers(Block& block) {
  if (block.entities.empty()) return true;
  const Entity& last = block.entities.back();
  block.firstGroup = block.entities.front().first;
  const size_t groups = last.first + last.count - block.firstGroup;
  m_keptBytes += groups * sizeof(double);
  if (!Charge(0, 0, 0)) return false;
  block.numbers.assign(groups, std::numeric_limits<double>::quiet_NaN());
  return true;
}

void CDxfReader::ChargePiece(size_t points, bool closed) {
  if (points > CImportedDrawing::kMostCurvePoints)
    TooComplex();
  else  // an open one's start may continue a path
    Charge(0, closed ? points : points - 1, 0, CImportedDrawing::CurveBytes(points));
}

bool CDxfReader::Fits(const CImportPath& piece) {
  if (piece.Size() <= CImportedDrawing::kMostCurvePoints) return true;
  TooComplex();
  return false;
}

void CDxfReader::AddOpen(CImportPath& piece, DWORD colour) {
  const std::vector<ImportPathPoint>& points = piece.Points();
  if (points.size() < 2) return;
  if (m_pricing) {
    ChargePiece(points.size(), false);
    return;
  }
  const ImportPoint2 start = {points[0].x, points[0].y};
  if (m_chain.IsEmpty() || colour != m_chainColour ||
      !Near(m_chain.CurrentPoint(), start, kJoinDistance)) {
    FlushChain();
    std::swap(m_chain, piece);
    m_chainColour = colour;
  } else {
    for (size_t i = 1; i < points.size(); ++i) {
      if (IsOnCurvePoint(points[i].flags)) {
        m_chain.LineTo(points[i].x, points[i].y);
      } else if (i + 2 < points.size()) {
        m_chain.CurveTo(points[i].x, points[i].y, points[i + 1].x, points[i + 1].y, points[i + 2].x,
                        points[i + 2].y);
        i += 2;
      }
    }
    if (!Fits(m_chain)) return;
  }
  const ImportPathPoint& first = m_chain.Points()[0];
  if (m_chain.Size() > 2 && Near(m_chain.CurrentPoint(), {first.x, first.y}, kJoinDistance)) {
    m_chain.Close();
    FlushChain();
  }
}

void CDxfReader::AddClosed(CImportPath& piece, DWORD colour, bool filled) {
  piece.Close();
  if (m_pricing) {
    ChargePiece(piece.Size(), true);
    return;
  }
  FlushChain();
  m_drawing->AddPath(std::move(piece), colour, filled);
}

void CDxfReader::FlushChain() {
  if (m_chain.IsEmpty()) return;
  m_drawing->AddPath(std::move(m_chain), m_chainColour, false);
  m_chain.Clear();
}
