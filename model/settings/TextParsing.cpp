#include "model/settings/TextParsing.h"

#include <cstdlib>
#include <cstring>

namespace {

bool IsNumberChar(char ch) { return ch != '\0' && strchr("0123456789.-+", ch) != nullptr; }

bool IsBlank(char ch) { return ch == ' ' || ch == '\t'; }

int HexDigitValue(char ch) {
  if (ch >= '0' && ch <= '9') return ch - '0';
  if (ch >= 'a' && ch <= 'f') return ch - 'a' + 10;
  if (ch >= 'A' && ch <= 'F') return ch - 'A' + 10;
  return -1;
}

// Two characters read as a hexadecimal byte the way strtol reads "0x" followed by them: the
// leading hexadecimal digits count, the rest is ignored.
int HexByteValue(char high, char low) {
  int value = HexDigitValue(high);
  if (value < 0) return 0;
  int second = HexDigitValue(low);
  return second < 0 ? value : value * 16 + second;
}

bool IsHexEscape(char ch, bool acceptUpperX) { return ch == 'x' || (acceptUpperX && ch == 'X'); }

// The byte a backslash escape stands for; -1 for an escape that writes nothing.
// *consumed is the number of text bytes the escape takes after the backslash.
int DecodeEscape(LPCSTR escape, bool acceptUpperX, int* consumed) {
  char kind = escape[0];
  if (kind == '\0') {
    *consumed = 0;
    return -1;
  }
  if (IsHexEscape(kind, acceptUpperX)) {
    if (escape[1] == '\0' || escape[2] == '\0') {
      *consumed = escape[1] == '\0' ? 1 : 2;
      return -1;
    }
    *consumed = 3;
    int value = HexByteValue(escape[1], escape[2]);
    return value == 0 ? -1 : value;
  }
  *consumed = 1;
  // clang-format off
  switch (kind) {
    case '\\': return '\\';
    case 'b': return 7;
    case 'n': return '\n';
    case 'r': return '\r';
    default: return '\\';
  }
  // clang-format on
}

int ExpandEscapes(LPCSTR text, LPSTR out, int size, bool acceptUpperX) {
  if (!out || size <= 0) return 0;
  int written = 0;
  if (text) {
    for (size_t i = 0; text[i] != '\0' && written < size - 1;) {
      if (text[i] != '\\') {
        out[written++] = text[i++];
        continue;
      }
      int consumed = 0;
      int byte = DecodeEscape(text + i + 1, acceptUpperX, &consumed);
      if (byte >= 0) out[written++] = static_cast<char>(byte);
      i += 1 + static_cast<size_t>(consumed);
    }
  }
  out[written] = '\0';
  return written;
}

// A field of a value list, trimmed of blanks: [*begin, *end).
void NextListField(LPCSTR* cursor, LPCSTR* begin, LPCSTR* end) {
  LPCSTR start = *cursor;
  LPCSTR stop = strchr(start, ',');
  if (!stop) stop = start + strlen(start);
  *cursor = *stop == ',' ? stop + 1 : stop;
  while (start < stop && IsBlank(*start)) ++start;
  while (stop > start && IsBlank(stop[-1])) --stop;
  *begin = start;
  *end = stop;
}

double ApplyListField(double value, LPCSTR begin, LPCSTR end) {
  if (begin == end) return value;
  char number[64];
  size_t length = static_cast<size_t>(end - begin);
  if (length >= sizeof number) length = sizeof number - 1;
  memcpy(number, begin, length);
  number[length] = '\0';
  double parsed = atof(number);
  return (*begin == '+' || *begin == '-') ? value + parsed : parsed;
}

}  // namespace

double ParseNumberAt(LPCSTR text, int* position, int* error) {
  *error = 0;
  int length = text ? static_cast<int>(strlen(text)) : 0;
  int start = *position;
  if (start < 0 || start >= length) {
    *error = -1;
    return 0;
  }
  while (start < length && !IsNumberChar(text[start])) ++start;
  if (start == length) {
    *error = -1;
    return 0;
  }
  int stop = start;
  bool seenPoint = false;
  for (; stop < length && IsNumberChar(text[stop]); ++stop) {
    char ch = text[stop];
    bool misplacedSign = (ch == '+' || ch == '-') && stop > start;
    bool secondPoint = ch == '.' && seenPoint;
    if (misplacedSign || secondPoint) {
      *error = start > 0 ? -start : -1;
      return 0;
    }
    if (ch == '.') seenPoint = true;
  }
  *position = stop;
  return strtod(text + start, nullptr);
}

int CountFields(LPCSTR text, char separator) {
  int count = 1;
  if (!text) return count;
  for (size_t i = 0; text[i] != '\0'; ++i) {
    if (text[i] != separator) continue;
    bool repeatedBlank = separator == ' ' && i > 0 && text[i - 1] == ' ';
    if (!repeatedBlank) ++count;
  }
  return count;
}

int GetField(LPCSTR text, int n, LPSTR out, int size, char separator) {
  if (!out || size <= 0) return 0;
  out[0] = '\0';
  if (!text || n < 0) return 0;
  LPCSTR field = text;
  for (int passed = 0; passed < n; ++passed) {
    field = strchr(field, separator);
    if (!field || separator == '\0') return 0;
    ++field;
  }
  if (*field == '\0') return 0;
  size_t length = 0;
  while (field[length] != '\0' && field[length] != separator &&
         length < static_cast<size_t>(size) - 1) {
    ++length;
  }
  memcpy(out, field, length);
  out[length] = '\0';
  return 1;
}

int GetFloatField(LPCSTR text, float* out, int n) {
  if (!text) return 0;
  for (size_t i = 0; text[i] != '\0'; ++i) {
    if (text[i] < ',' || text[i] > '9' || text[i] == '/') return 0;
  }
  char collected[64];
  size_t length = 0;
  int field = 0;
  for (size_t i = 0;; ++i) {
    char ch = text[i];
    if (ch == ',' || ch == '\0') {
      if (field == n) {
        collected[length] = '\0';
        *out = static_cast<float>(atof(collected));
        return 1;
      }
      if (ch == '\0') break;
      ++field;
      char next = text[i + 1];
      if (next != ',' && next != '\0') length = 0;
      continue;
    }
    if (length < sizeof collected - 1) collected[length++] = ch;
  }
  *out = 0;
  return 0;
}

double ParseValueList(LPCSTR text, int n) {
  double value = 0;
  if (!text) return value;
  LPCSTR cursor = text;
  LPCSTR lastBegin = nullptr;
  LPCSTR lastEnd = nullptr;
  bool textLeft = true;
  for (int i = 0; i < n; ++i) {
    if (textLeft) {
      LPCSTR begin, end;
      textLeft = *cursor != '\0';
      if (textLeft) {
        NextListField(&cursor, &begin, &end);
        if (begin != end) {
          lastBegin = begin;
          lastEnd = end;
        }
        value = ApplyListField(value, begin, end);
        continue;
      }
    }
    if (lastBegin) value = ApplyListField(value, lastBegin, lastEnd);
  }
  return value;
}

int UnescapeString(LPCSTR text, LPSTR out, int size) {
  return ExpandEscapes(text, out, size, false);
}

int UnescapeSettingString(LPCSTR text, LPSTR out, int size) {
  return ExpandEscapes(text, out, size, true);
}
