#include "output/PlotTemplate.h"

#include <cstdio>
#include <cstring>

#include "output/OutputTexts.h"

namespace {

const char kFlags[] = "-+ #0";
const char kIntegerConversions[] = "diuoxX";
const size_t kMaxFlags = 5;
const size_t kMaxDigits = 2;

// One "%..." element of a template: a literal percent sign or an integer conversion.
struct Conversion {
  size_t length;
  bool literal;
};

size_t CountDigits(LPCSTR text) {
  size_t n = 0;
  while (text[n] >= '0' && text[n] <= '9') ++n;
  return n;
}

// Parses the element that starts at text[0] == '%'.
bool ParseConversion(LPCSTR text, Conversion* conversion, CString* problem) {
  if (text[1] == '%') {
    *conversion = {2, true};
    return true;
  }
  size_t i = 1;
  while (text[i] != '\0' && std::strchr(kFlags, text[i]) != nullptr && i <= kMaxFlags) ++i;
  size_t digits = CountDigits(text + i);
  bool ok = digits <= kMaxDigits;
  i += digits;
  if (ok && text[i] == '.') {
    ++i;
    digits = CountDigits(text + i);
    ok = digits <= kMaxDigits;
    i += digits;
  }
  ok = ok && text[i] != '\0' && std::strchr(kIntegerConversions, text[i]) != nullptr;
  if (!ok) {
    if (problem) {
      size_t shown = text[i] != '\0' ? i + 1 : i;
      problem->Format(OutputText::Load(OutputText::kNotIntegerFormat), static_cast<int>(shown),
                      text);
    }
    return false;
  }
  *conversion = {i + 1, false};
  return true;
}

bool Append(char* out, size_t size, size_t* used, LPCSTR text, size_t length) {
  if (length >= size - *used) return false;
  std::memcpy(out + *used, text, length);
  *used += length;
  out[*used] = '\0';
  return true;
}

// The plain "%d" of nearly every template, written without a formatting call: a job prints
// two of these per point, hundreds of thousands of times.
size_t WriteDecimal(int value, char* out) {
  char digits[12];
  size_t count = 0;
  unsigned int magnitude = value < 0 ? 0u - static_cast<unsigned int>(value)
                                     : static_cast<unsigned int>(value);
  do {
    digits[count++] = static_cast<char>('0' + magnitude % 10);
    magnitude /= 10;
  } while (magnitude != 0);
  size_t length = 0;
  if (value < 0) out[length++] = '-';
  while (count > 0) out[length++] = digits[--count];
  return length;
}

}  // namespace

void CPlotTemplate::Clear() { std::memset(m_text, 0, sizeof(m_text)); }

bool CPlotTemplate::SetRaw(LPCSTR text, CString* problem) {
  Clear();
  if (text == nullptr) return true;
  if (std::strlen(text) >= sizeof(m_text)) {
    if (problem)
      problem->Format(OutputText::Load(OutputText::kTemplateTooLong),
                      static_cast<int>(sizeof(m_text)) - 1);
    return false;
  }
  std::strcpy(m_text, text);
  return true;
}

bool CPlotTemplate::SetFormat(LPCSTR text, int minArgs, int maxArgs, CString* problem) {
  Clear();
  if (text == nullptr || *text == '\0') return true;
  int count = 0;
  if (!CountConversions(text, &count, problem)) return false;
  if (count < minArgs || count > maxArgs) {
    if (problem) {
      if (minArgs == maxArgs)
        problem->Format(OutputText::Load(OutputText::kFormatCount), minArgs, count);
      else
        problem->Format(OutputText::Load(OutputText::kFormatRange), minArgs, maxArgs, count);
    }
    return false;
  }
  return SetRaw(text, problem);
}

bool CPlotTemplate::CountConversions(LPCSTR text, int* count, CString* problem) {
  *count = 0;
  for (size_t i = 0; text[i] != '\0';) {
    if (text[i] != '%') {
      ++i;
      continue;
    }
    Conversion conversion;
    if (!ParseConversion(text + i, &conversion, problem)) return false;
    if (!conversion.literal) ++*count;
    i += conversion.length;
  }
  return true;
}

bool CPlotTemplate::Expand(const int* args, int argCount, char* out, size_t size) const {
  if (out == nullptr || size == 0) return false;
  out[0] = '\0';
  size_t used = 0;
  int next = 0;
  bool ok = true;
  for (size_t i = 0; ok && m_text[i] != '\0';) {
    if (m_text[i] != '%') {
      ok = Append(out, size, &used, m_text + i, 1);
      ++i;
      continue;
    }
    Conversion conversion;
    ok = ParseConversion(m_text + i, &conversion, nullptr);
    if (!ok) break;
    if (conversion.literal) {
      ok = Append(out, size, &used, "%", 1);
    } else if (next >= argCount) {
      ok = false;
    } else {
      // The element was checked above: flags, two digits at most each, one integer conversion.
      char number[kMaxExpansion];
      int length;
      if (conversion.length == 2 && m_text[i + 1] == 'd') {
        length = static_cast<int>(WriteDecimal(args[next++], number));
      } else {
        char spec[kSize];
        std::memcpy(spec, m_text + i, conversion.length);
        spec[conversion.length] = '\0';
        length = std::snprintf(number, sizeof(number), spec, args[next++]);
      }
      ok = length >= 0 && static_cast<size_t>(length) < sizeof(number) &&
           Append(out, size, &used, number, static_cast<size_t>(length));
    }
    i += conversion.length;
  }
  if (!ok) out[0] = '\0';
  return ok;
}

CString CPlotTemplate::Expand(int argCount, int first, int second) const {
  const int args[2] = {first, second};
  char out[kMaxExpansion];
  if (argCount < 0 || argCount > 2 || !Expand(args, argCount, out, sizeof(out))) return CString();
  return CString(out);
}
