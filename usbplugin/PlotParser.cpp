#include "usbplugin/PlotParser.h"

namespace {

bool IsUpper(BYTE c) { return c >= 'A' && c <= 'Z'; }
bool IsLower(BYTE c) { return c >= 'a' && c <= 'z'; }
bool IsLetter(BYTE c) { return IsUpper(c) || IsLower(c); }
bool IsDigit(BYTE c) { return c >= '0' && c <= '9'; }
char Upper(char c) { return IsLower(static_cast<BYTE>(c)) ? static_cast<char>(c - 'a' + 'A') : c; }
bool EndsList(BYTE c) { return c == '\n' || c == '\r' || c == ' ' || c == ';'; }

// Commands whose arguments are text that may hold letters, digits and commas of its own: they are
// passed over up to ";" or a control character.
bool TakesText(char first, char second) {
  static const char* const kTextCommands[] = {"WD", "CO", "DT", "SM", "PE", "BP", "BL"};
  for (const char* name : kTextCommands)
    if (name[0] == first && name[1] == second) return true;
  return false;
}

}  // namespace

PlotParserState CPlotParser::StartState() {
  PlotParserState state = {};
  state.mode = PlotParserState::kScanning;
  state.pen = 'U';
  return state;
}

bool CPlotParser::Feed(BYTE c, PlotRecord& record) {
  switch (m_state.mode) {
    case PlotParserState::kScanning:
      FeedScanning(c);
      return false;
    case PlotParserState::kMnemonic:
      // A single letter names a DM/PL command; its first argument character is read in the mode
      // the command starts.
      if (FeedMnemonic(c)) return false;
      return Feed(c, record);
    case PlotParserState::kNumber:
      return FeedNumber(c, record);
    case PlotParserState::kSkipping:
      if (c < 14 || c == ';') m_state.mode = PlotParserState::kScanning;
      return false;
    case PlotParserState::kLabel:
      if (c < 14) m_state.mode = PlotParserState::kScanning;
      return false;
  }
  return false;
}

bool CPlotParser::FeedScanning(BYTE c) {
  if (!IsLetter(c)) return false;
  m_state.mode = PlotParserState::kMnemonic;
  m_state.firstLetter = static_cast<char>(c);
  return true;
}

bool CPlotParser::FeedMnemonic(BYTE c) {
  char first = m_state.firstLetter;
  if (IsLetter(c)) {
    StartCommand(first, static_cast<char>(c));
    return true;
  }
  StartCommand(first, 0);
  return false;
}

void CPlotParser::StartCommand(char first, char second) {
  m_state.mode = PlotParserState::kScanning;
  bool upper = IsUpper(static_cast<BYTE>(first)) &&
               (second == 0 || IsUpper(static_cast<BYTE>(second)));
  if (!upper) {
    char name[2] = {Upper(first), Upper(second)};
    if (name[0] == 'P' && (name[1] == 'A' || name[1] == 'U' || name[1] == 'D' || name[1] == 'R'))
      ++m_state.dropped.lowerCase;
    return;
  }
  if (second == 0) {
    if (first == 'A' || first == 'U') StartList('U');
    if (first == 'D') StartList('D');
    if (first == 'B') m_state.mode = PlotParserState::kSkipping;
    return;
  }
  if (first == 'P' && (second == 'A' || second == 'U')) {
    StartList('U');
  } else if (first == 'P' && second == 'D') {
    StartList('D');
  } else if (first == 'P' && second == 'R') {
    ++m_state.dropped.relative;
  } else if (first == 'L' && second == 'B') {
    m_state.mode = PlotParserState::kLabel;
  } else if (TakesText(first, second)) {
    m_state.mode = PlotParserState::kSkipping;
  }
}

void CPlotParser::StartList(char pen) {
  m_state.mode = PlotParserState::kNumber;
  m_state.axisY = false;
  m_state.minus = false;
  m_state.value = 0;
  m_state.pen = pen;
}

void CPlotParser::AppendDigit(int digit) {
  INT64 value = static_cast<INT64>(m_state.value) * 10 + digit;
  m_state.value = value > kMaxValue ? kMaxValue : static_cast<INT32>(value);
}

INT32 CPlotParser::SignedValue() const { return m_state.minus ? -m_state.value : m_state.value; }

bool CPlotParser::FinishPoint(PlotRecord& record) {
  m_state.y = SignedValue();
  record.pen = m_state.pen;
  record.x = m_state.x;
  record.y = m_state.y;
  m_state.axisY = false;
  m_state.value = 0;
  m_state.minus = false;
  return true;
}

bool CPlotParser::FeedNumber(BYTE c, PlotRecord& record) {
  if (IsDigit(c)) {
    AppendDigit(c - '0');
    return false;
  }
  if (c == '-') {
    m_state.minus = true;
    return false;
  }
  if (c == ',') {
    if (m_state.axisY) return FinishPoint(record);
    m_state.x = SignedValue();
    m_state.axisY = true;
    m_state.value = 0;
    m_state.minus = false;
    return false;
  }
  if (EndsList(c)) {
    m_state.mode = PlotParserState::kScanning;
    return m_state.axisY && FinishPoint(record);
  }
  // A letter names the next command: it ends the list as a terminator does ("PD10,20PU30,40;"
  // cuts to 10,20 before it moves), and a pair that lacks its y is dropped.
  if (IsLetter(c)) {
    bool finished = m_state.axisY && FinishPoint(record);
    FeedScanning(c);
    return finished;
  }
  // Anything else ends the list and drops the pair in progress.
  m_state.mode = PlotParserState::kScanning;
  m_state.value = 0;
  if (c == '.') ++m_state.dropped.decimal;
  return false;
}
