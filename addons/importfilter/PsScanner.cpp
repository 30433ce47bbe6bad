#include "addons/importfilter/PsScanner.h"

#include <cmath>
#include <cstdlib>
#include <cstring>
#include <vector>

namespace {

int HexValue(char ch) {
  if (ch >= '0' && ch <= '9') return ch - '0';
  if (ch >= 'a' && ch <= 'f') return ch - 'a' + 10;
  if (ch >= 'A' && ch <= 'F') return ch - 'A' + 10;
  return -1;
}

enum NumberForm { kNotANumber, kInRange, kOutOfRange };

// The bytes that end a name or a number, looked up at every byte of one: white space and
// PostScript's delimiters.
struct DelimiterTable {
  bool delimits[256] = {};
  constexpr DelimiterTable() {
    for (const char* at = " \n\r\t\f()<>[]{}/%"; *at; ++at)
      delimits[static_cast<unsigned char>(*at)] = true;
    delimits[0] = true;
  }
};
constexpr DelimiterTable kDelimiters;

// Radix numbers are unsigned 32-bit integers in PostScript.
const double kLargestRadixNumber = 4294967295.0;

// The plain decimal forms drawings are written in (an optional sign, at most 15 digits, at most
// one point): the digits as an integer, exact in a double, divided by an exact power of ten,
// which rounds as strtod does. False for every other form.
bool ParsePlainDecimal(const std::string& text, double* value, bool* integer) {
  static const double kPowersOfTen[] = {1,   1e1, 1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                                        1e8, 1e9, 1e10, 1e11, 1e12, 1e13, 1e14, 1e15};
  size_t at = text[0] == '-' || text[0] == '+' ? 1 : 0;
  long long digits = 0;
  int count = 0, decimals = -1;
  for (; at < text.size(); ++at) {
    const char ch = text[at];
    if (ch == '.' && decimals < 0) {
      decimals = 0;
    } else if (ch >= '0' && ch <= '9' && count < 15) {
      digits = digits * 10 + (ch - '0');
      ++count;
      if (decimals >= 0) ++decimals;
    } else {
      return false;
    }
  }
  if (count == 0) return false;
  const double magnitude = decimals > 0 ? static_cast<double>(digits) / kPowersOfTen[decimals]
                                        : static_cast<double>(digits);
  *value = text[0] == '-' ? -magnitude : magnitude;
  *integer = decimals < 0;
  return true;
}

// A number in one of PostScript's forms, one written in such a form beyond what a number holds
// (a damaged file), or no number at all.
NumberForm ParseNumber(const std::string& text, double* value, bool* integer) {
  const char* s = text.c_str();
  const size_t hash = text.find('#');
  if (hash != std::string::npos) {
    // Radix form base#digits.
    char* end = nullptr;
    const long base = std::strtol(s, &end, 10);
    if (end != s + hash || base < 2 || base > 36 || hash + 1 >= text.size()) return kNotANumber;
    double result = 0;
    for (size_t i = hash + 1; i < text.size(); ++i) {
      const char ch = text[i];
      int digit = ch >= '0' && ch <= '9'   ? ch - '0'
                  : ch >= 'a' && ch <= 'z' ? ch - 'a' + 10
                  : ch >= 'A' && ch <= 'Z' ? ch - 'A' + 10
                                           : 99;
      if (digit >= base) return kNotANumber;
      result = result * base + digit;
    }
    if (result > kLargestRadixNumber) return kOutOfRange;
    *value = result;
    *integer = true;
    return kInRange;
  }
  const char first = s[0];
  if (!(first == '+' || first == '-' || first == '.' || (first >= '0' && first <= '9')))
    return kNotANumber;
  if (ParsePlainDecimal(text, value, integer)) return kInRange;
  bool digits = false;
  for (const char ch : text) digits = digits || (ch >= '0' && ch <= '9');
  if (!digits) return kNotANumber;
  char* end = nullptr;
  const double parsed = std::strtod(s, &end);
  if (end != s + text.size()) return kNotANumber;
  // strtod takes hexadecimal and infinity forms that PostScript has not.
  for (const char ch : text)
    if (!((ch >= '0' && ch <= '9') || ch == '+' || ch == '-' || ch == '.' || ch == 'e' ||
          ch == 'E'))
      return kNotANumber;
  if (!std::isfinite(parsed)) return kOutOfRange;
  *value = parsed;
  *integer = text.find_first_of(".eE") == std::string::npos;
  return kInRange;
}

}  // namespace

bool CPsScanner::IsSpace(char ch) const {
  return ch == ' ' || ch == '\n' || ch == '\r' || ch == '\t' || ch == '\f' || ch == '\0';
}

bool CPsScanner::IsDelimiter(char ch) const {
  return kDelimiters.delimits[static_cast<unsigned char>(ch)];
}

void CPsScanner::Advance() {
  const char ch = m_data[m_at++];
  if (ch == '\n' || (ch == '\r' && (m_at >= m_size || m_data[m_at] != '\n'))) ++m_line;
}

void CPsScanner::SkipTo(size_t position) {
  while (m_at < position && m_at < m_size) Advance();
}

void CPsScanner::TakeOneSpace() {
  if (m_at >= m_size || !IsSpace(m_data[m_at])) return;
  const bool carriageReturn = m_data[m_at] == '\r';
  Advance();
  if (carriageReturn && m_at < m_size && m_data[m_at] == '\n') Advance();
}

CPsScanner::Token CPsScanner::Next() {
  while (m_at < m_size) {
    const char ch = m_data[m_at];
    if (IsSpace(ch)) {
      Advance();
      continue;
    }
    if (ch != '%') break;
    const size_t start = m_at;
    while (m_at < m_size && m_data[m_at] != '\n' && m_data[m_at] != '\r') ++m_at;
    const bool structuring = m_at - start >= 2 && (m_data[start + 1] == '%' ||
                                                   (m_at - start >= 3 && m_data[start + 1] == 'A' &&
                                                    m_data[start + 2] == 'I'));
    if (structuring && m_at - start <= kLongestToken) {
      Token token;
      token.kind = kComment;
      token.line = m_line;
      token.text.assign(m_data + start, m_at - start);
      return token;
    }
  }
  Token token;
  token.line = m_line;
  if (m_at >= m_size) return token;
  const char ch = m_data[m_at];
  switch (ch) {
    case '(':
      return ReadString();
    case ')':
    case '>':
      if (ch == '>' && m_at + 1 < m_size && m_data[m_at + 1] == '>') {
        m_at += 2;
        token.kind = kDictEnd;
        return token;
      }
      token.kind = kError;
      return token;
    case '<':
      if (m_at + 1 < m_size && m_data[m_at + 1] == '<') {
        m_at += 2;
        token.kind = kDictBegin;
        return token;
      }
      return ReadHexString();
    case '{':
    case '}':
    case '[':
    case ']':
      ++m_at;
      token.kind = ch == '{'   ? kProcBegin
                   : ch == '}' ? kProcEnd
                   : ch == '[' ? kArrayBegin
                               : kArrayEnd;
      return token;
    default:
      return ReadRegular();
  }
}

CPsScanner::Token CPsScanner::ReadString() {
  Token token;
  token.kind = kString;
  token.line = m_line;
  Advance();  // (
  int depth = 1;
  while (m_at < m_size) {
    char ch = m_data[m_at];
    Advance();
    if (ch == '\\') {
      if (m_at >= m_size) break;
      ch = m_data[m_at];
      Advance();
      // An escaped end of line continues the string; octal digits make one byte.
      if (ch == '\r' || ch == '\n') continue;
      if (ch >= '0' && ch <= '7') {
        int value = ch - '0';
        for (int digits = 1;
             digits < 3 && m_at < m_size && m_data[m_at] >= '0' && m_data[m_at] <= '7'; ++digits) {
          value = value * 8 + (m_data[m_at] - '0');
          Advance();
        }
        ch = static_cast<char>(value);
      }
    } else if (ch == '(') {
      ++depth;
    } else if (ch == ')' && --depth == 0) {
      return token;
    }
    if (token.length >= kLongestToken) break;
    if (token.text.size() < kKeptStringBytes) token.text += ch;
    ++token.length;
  }
  token.kind = kError;
  return token;
}

CPsScanner::Token CPsScanner::ReadHexString() {
  Token token;
  token.kind = kString;
  token.line = m_line;
  ++m_at;  // <
  if (m_at < m_size && m_data[m_at] == '~') {
    // ASCII85: the bytes are not needed, only where the string ends.
    if (!SkipPast("~>")) token.kind = kError;
    return token;
  }
  int half = -1;
  while (m_at < m_size) {
    const char ch = m_data[m_at];
    if (ch == '>') {
      ++m_at;
      if (half >= 0) ++token.length;
      return token;
    }
    if (IsSpace(ch)) {
      Advance();
      continue;
    }
    const int value = HexValue(ch);
    if (value < 0) break;
    ++m_at;
    if (half < 0) {
      half = value;
      continue;
    }
    if (token.text.size() < kKeptStringBytes) token.text += static_cast<char>(half << 4 | value);
    ++token.length;
    half = -1;
  }
  token.kind = kError;
  return token;
}

CPsScanner::Token CPsScanner::ReadRegular() {
  Token token;
  token.line = m_line;
  Kind kind = kName;
  if (m_data[m_at] == '/') {
    kind = kLiteral;
    ++m_at;
    // An immediately evaluated name (//name) is taken as a name.
    if (m_at < m_size && m_data[m_at] == '/') {
      kind = kName;
      ++m_at;
    }
  }
  const size_t start = m_at;
  while (m_at < m_size && !IsDelimiter(m_data[m_at])) ++m_at;
  if (m_at - start > kLongestToken) {
    token.kind = kError;
    return token;
  }
  token.text.assign(m_data + start, m_at - start);
  TakeOneSpace();
  const NumberForm number = kind == kName ? ParseNumber(token.text, &token.number, &token.integer)
                                          : kNotANumber;
  if (number != kNotANumber) {
    token.kind = number == kInRange ? kNumber : kError;
    return token;
  }
  // An empty name can only be a lone slash; a lone stray byte is a name of its own.
  token.kind = kind;
  if (kind == kName && token.text.empty()) token.kind = kError;
  return token;
}

size_t CPsScanner::ReadHex(size_t bytes) {
  size_t read = 0;
  int half = -1;
  while (m_at < m_size && read < bytes) {
    const char ch = m_data[m_at];
    if (IsSpace(ch)) {
      Advance();
      continue;
    }
    const int value = HexValue(ch);
    if (value < 0) {
      if (ch == '>') ++m_at;  // the end of hexadecimal data
      break;
    }
    ++m_at;
    if (half < 0) {
      half = value;
    } else {
      ++read;
      half = -1;
    }
  }
  return read;
}

size_t CPsScanner::ReadBinary(size_t bytes) {
  const size_t read = bytes < m_size - m_at ? bytes : m_size - m_at;
  SkipTo(m_at + read);
  return read;
}

size_t CPsScanner::ReadLine() {
  const size_t start = m_at;
  while (m_at < m_size && m_data[m_at] != '\n' && m_data[m_at] != '\r') ++m_at;
  const size_t read = m_at - start;
  TakeOneSpace();
  return read;
}

bool CPsScanner::SkipPast(const char* marker) {
  // Knuth, Morris and Pratt: after a mismatch the marker's own repeats tell where to go on.
  const size_t length = std::strlen(marker);
  std::vector<size_t> fallback(length + 1, 0);
  for (size_t i = 1, matched = 0; i < length; ++i) {
    while (matched > 0 && marker[i] != marker[matched]) matched = fallback[matched];
    if (marker[i] == marker[matched]) ++matched;
    fallback[i + 1] = matched;
  }
  size_t matched = 0;
  for (size_t at = m_at; at < m_size && length > 0; ++at) {
    while (matched > 0 && m_data[at] != marker[matched]) matched = fallback[matched];
    if (m_data[at] == marker[matched]) ++matched;
    if (matched == length) {
      SkipTo(at + 1);
      return true;
    }
  }
  if (length == 0) return true;
  SkipTo(m_size);
  return false;
}

bool CPsScanner::SkipToLineStarting(const char* text) {
  const size_t length = std::strlen(text);
  size_t at = m_at;
  while (at < m_size) {
    const bool lineStart = at == 0 || m_data[at - 1] == '\n' || m_data[at - 1] == '\r';
    if (lineStart && at + length <= m_size && std::memcmp(m_data + at, text, length) == 0) {
      SkipTo(at);
      return true;
    }
    // On to the next line, whichever way lines end.
    while (at < m_size && m_data[at] != '\n' && m_data[at] != '\r') ++at;
    if (at < m_size) ++at;
  }
  SkipTo(m_size);
  return false;
}

bool CPsScanner::SkipPastZeros(size_t run) {
  size_t zeros = 0;
  for (size_t at = m_at; at < m_size; ++at) {
    const char ch = m_data[at];
    if (ch == '0') {
      ++zeros;
    } else if (ch != ' ' && ch != '\t' && ch != '\r' && ch != '\n' && ch != '\f') {
      if (zeros >= run) {
        SkipTo(at);
        return true;
      }
      zeros = 0;
    }
  }
  SkipTo(m_size);
  return zeros >= run;
}

size_t CPsScanner::PositionAfterLines(size_t from, double lines) const {
  size_t at = from;
  for (double line = 0; line < lines && at < m_size; ++line) {
    while (at < m_size && m_data[at] != '\n' && m_data[at] != '\r') ++at;
    if (at < m_size && m_data[at++] == '\r' && at < m_size && m_data[at] == '\n') ++at;
  }
  return at;
}
