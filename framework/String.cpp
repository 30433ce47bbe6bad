#include "framework/String.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <vector>

#include "framework/GbkText.h"
#include "framework/InvalidArgException.h"
#include "framework/WideText.h"

namespace {

bool IsSpace(char ch) {
  return ch == ' ' || ch == '\t' || ch == '\r' || ch == '\n' || ch == '\v' || ch == '\f';
}

}  // namespace

int CString::SafeLength(LPCSTR text) { return text ? static_cast<int>(strlen(text)) : 0; }

CString::CString(LPCSTR text) : m_text(text ? text : "") {}

CString::CString(LPCSTR text, int length) {
  if (text && length > 0) m_text.assign(text, strnlen(text, static_cast<size_t>(length)));
}

CString::CString(char ch, int repeat) {
  if (repeat > 0) m_text.assign(static_cast<size_t>(repeat), ch);
}

CString& CString::operator=(LPCSTR text) {
  m_text = text ? text : "";
  return *this;
}

CString& CString::operator=(char ch) {
  m_text.assign(1, ch);
  return *this;
}

CString CString::FromStd(std::string text) {
  CString result;
  result.m_text = std::move(text);
  return result;
}

char CString::GetAt(int index) const {
  if (index < 0 || index >= GetLength()) AfxThrowInvalidArgException();
  return m_text[static_cast<size_t>(index)];
}

void CString::SetAt(int index, char ch) {
  if (index < 0 || index >= GetLength()) AfxThrowInvalidArgException();
  m_text[static_cast<size_t>(index)] = ch;
}

CString& CString::operator+=(const CString& other) {
  m_text += other.m_text;
  return *this;
}

CString& CString::operator+=(LPCSTR text) {
  if (text) m_text += text;
  return *this;
}

CString& CString::operator+=(char ch) {
  m_text += ch;
  return *this;
}

CString operator+(const CString& a, const CString& b) {
  return CString::FromStd(a.m_text + b.m_text);
}
CString operator+(const CString& a, LPCSTR b) { return CString::FromStd(a.m_text + (b ? b : "")); }
CString operator+(LPCSTR a, const CString& b) { return CString::FromStd((a ? a : "") + b.m_text); }
CString operator+(const CString& a, char b) { return CString::FromStd(a.m_text + b); }

int CString::Compare(LPCSTR text) const { return strcmp(m_text.c_str(), text ? text : ""); }

int CString::CompareNoCase(LPCSTR text) const {
  CString a(*this), b(text);
  return a.MakeUpper().Compare(b.MakeUpper());
}

int CString::Collate(LPCSTR text) const {
  int result = CompareStringA(LOCALE_USER_DEFAULT, 0, m_text.c_str(), -1, text ? text : "", -1);
  return result == 0 ? Compare(text) : result - CSTR_EQUAL;
}

CString CString::Left(int count) const {
  count = std::clamp(count, 0, GetLength());
  return FromStd(m_text.substr(0, static_cast<size_t>(count)));
}

CString CString::Mid(int first) const { return Mid(first, GetLength()); }

CString CString::Mid(int first, int count) const {
  first = std::clamp(first, 0, GetLength());
  count = std::clamp(count, 0, GetLength() - first);
  return FromStd(m_text.substr(static_cast<size_t>(first), static_cast<size_t>(count)));
}

CString CString::Right(int count) const {
  count = std::clamp(count, 0, GetLength());
  return FromStd(m_text.substr(m_text.size() - static_cast<size_t>(count)));
}

int CString::CharLengthAt(size_t index) const {
  if (index + 1 < m_text.size() && IsLeadByte(static_cast<unsigned char>(m_text[index]))) return 2;
  return 1;
}

// A character of the set matches a whole character of the string (one or two bytes).
bool CString::InCharSet(size_t index, LPCSTR charSet, int* length) const {
  *length = CharLengthAt(index);
  if (!charSet) return false;
  for (size_t i = 0; charSet[i];) {
    size_t setLength = (IsLeadByte(static_cast<unsigned char>(charSet[i])) && charSet[i + 1]) ? 2
                                                                                              : 1;
    if (static_cast<int>(setLength) == *length &&
        memcmp(charSet + i, m_text.data() + index, setLength) == 0)
      return true;
    i += setLength;
  }
  return false;
}

CString CString::SpanIncluding(LPCSTR charSet) const {
  size_t i = 0;
  int length = 0;
  while (i < m_text.size() && InCharSet(i, charSet, &length)) i += static_cast<size_t>(length);
  return FromStd(m_text.substr(0, i));
}

CString CString::SpanExcluding(LPCSTR charSet) const {
  size_t i = 0;
  int length = 0;
  while (i < m_text.size() && !InCharSet(i, charSet, &length)) i += static_cast<size_t>(length);
  return FromStd(m_text.substr(0, i));
}

int CString::Find(char ch, int start) const {
  char pattern[2] = {ch, 0};
  if (ch == 0) return -1;
  return Find(pattern, start);
}

int CString::Find(LPCSTR sub, int start) const {
  if (!sub || !*sub || start < 0) return -1;
  size_t subLength = strlen(sub);
  for (size_t i = 0; i < m_text.size(); i += static_cast<size_t>(CharLengthAt(i))) {
    if (static_cast<int>(i) < start) continue;
    if (m_text.compare(i, subLength, sub) == 0) return static_cast<int>(i);
  }
  return -1;
}

int CString::ReverseFind(char ch) const {
  int found = -1;
  for (size_t i = 0; i < m_text.size(); i += static_cast<size_t>(CharLengthAt(i))) {
    if (m_text[i] == ch && CharLengthAt(i) == 1) found = static_cast<int>(i);
  }
  return found;
}

int CString::FindOneOf(LPCSTR charSet) const {
  int length = 0;
  for (size_t i = 0; i < m_text.size(); i += static_cast<size_t>(length)) {
    if (InCharSet(i, charSet, &length)) return static_cast<int>(i);
  }
  return -1;
}

int CString::Replace(char oldCh, char newCh) {
  int count = 0;
  for (size_t i = 0; i < m_text.size(); i += static_cast<size_t>(CharLengthAt(i))) {
    if (CharLengthAt(i) == 1 && m_text[i] == oldCh) {
      m_text[i] = newCh;
      ++count;
    }
  }
  return count;
}

int CString::Replace(LPCSTR oldText, LPCSTR newText) {
  if (!oldText || !*oldText) return 0;
  std::string replacement = newText ? newText : "";
  size_t oldLength = strlen(oldText);
  std::string result;
  int count = 0;
  size_t i = 0;
  while (i < m_text.size()) {
    if (m_text.compare(i, oldLength, oldText) == 0) {
      result += replacement;
      i += oldLength;
      ++count;
    } else {
      size_t length = static_cast<size_t>(CharLengthAt(i));
      result.append(m_text, i, length);
      i += length;
    }
  }
  m_text.swap(result);
  return count;
}

int CString::Remove(char ch) {
  std::string result;
  int count = 0;
  for (size_t i = 0; i < m_text.size();) {
    size_t length = static_cast<size_t>(CharLengthAt(i));
    if (length == 1 && m_text[i] == ch) {
      ++count;
    } else {
      result.append(m_text, i, length);
    }
    i += length;
  }
  m_text.swap(result);
  return count;
}

int CString::Insert(int index, char ch) {
  char text[2] = {ch, 0};
  return Insert(index, text);
}

int CString::Insert(int index, LPCSTR text) {
  index = std::clamp(index, 0, GetLength());
  if (text) m_text.insert(static_cast<size_t>(index), text);
  return GetLength();
}

int CString::Delete(int index, int count) {
  if (index < 0) index = 0;
  if (index < GetLength() && count > 0) {
    count = std::min(count, GetLength() - index);
    m_text.erase(static_cast<size_t>(index), static_cast<size_t>(count));
  }
  return GetLength();
}

CString& CString::Trim() { return TrimRight().TrimLeft(); }
CString& CString::Trim(char ch) { return TrimRight(ch).TrimLeft(ch); }
CString& CString::Trim(LPCSTR chars) { return TrimRight(chars).TrimLeft(chars); }

CString& CString::TrimLeft() {
  size_t i = 0;
  while (i < m_text.size() && IsSpace(m_text[i])) ++i;
  m_text.erase(0, i);
  return *this;
}

CString& CString::TrimLeft(char ch) {
  char set[2] = {ch, 0};
  return TrimLeft(set);
}

CString& CString::TrimLeft(LPCSTR chars) {
  size_t i = 0;
  int length = 0;
  while (i < m_text.size() && InCharSet(i, chars, &length)) i += static_cast<size_t>(length);
  m_text.erase(0, i);
  return *this;
}

CString& CString::TrimRight() {
  // Trail bytes of GBK are never white space, so a plain scan from the end is safe here.
  size_t end = m_text.size();
  while (end > 0 && IsSpace(m_text[end - 1])) --end;
  m_text.resize(end);
  return *this;
}

CString& CString::TrimRight(char ch) {
  char set[2] = {ch, 0};
  return TrimRight(set);
}

CString& CString::TrimRight(LPCSTR chars) {
  // Walk forward to find where the trailing run of set characters begins.
  size_t keep = 0;
  int length = 0;
  for (size_t i = 0; i < m_text.size(); i += static_cast<size_t>(length)) {
    if (!InCharSet(i, chars, &length)) keep = i + static_cast<size_t>(length);
  }
  m_text.resize(keep);
  return *this;
}

// Shifts the single-byte letters from..from+25 to to..to+25; double-byte characters stay as they
// are.
void CString::MapAsciiLetters(char from, char to) {
  for (size_t i = 0; i < m_text.size(); i += static_cast<size_t>(CharLengthAt(i))) {
    char& ch = m_text[i];
    if (CharLengthAt(i) == 1 && ch >= from && ch <= from + 25)
      ch = static_cast<char>(ch - from + to);
  }
}

CString& CString::MakeUpper() {
  MapAsciiLetters('a', 'A');
  return *this;
}

CString& CString::MakeLower() {
  MapAsciiLetters('A', 'a');
  return *this;
}

CString& CString::MakeReverse() {
  std::vector<std::string> characters;
  for (size_t i = 0; i < m_text.size(); i += static_cast<size_t>(CharLengthAt(i)))
    characters.push_back(m_text.substr(i, static_cast<size_t>(CharLengthAt(i))));
  std::string result;
  for (auto it = characters.rbegin(); it != characters.rend(); ++it) result += *it;
  m_text.swap(result);
  return *this;
}

void CString::Format(LPCSTR format, ...) {
  va_list args;
  va_start(args, format);
  FormatV(format, args);
  va_end(args);
}

void CString::FormatV(LPCSTR format, va_list args) {
  if (!format) {
    m_text.clear();
    return;
  }
  va_list copy;
  va_copy(copy, args);
  int needed = vsnprintf(nullptr, 0, format, copy);
  va_end(copy);
  if (needed < 0) {
    m_text.clear();
    return;
  }
  std::string result(static_cast<size_t>(needed) + 1, '\0');
  vsnprintf(&result[0], result.size(), format, args);
  result.resize(static_cast<size_t>(needed));
  m_text.swap(result);
}

void CString::AppendFormat(LPCSTR format, ...) {
  CString tail;
  va_list args;
  va_start(args, format);
  tail.FormatV(format, args);
  va_end(args);
  m_text += tail.m_text;
}

// Loaded in the resource's wide form: the system's own 8-bit form is in its code page, which on
// an English system has no Chinese.
BOOL CString::LoadString(UINT id) {
  *this = CGbkText::Lossy(AfxLoadWideString(id).c_str());
  return !IsEmpty();
}

CString AfxLoadString(UINT id, LPCSTR builtIn) {
  CString text;
  if (!text.LoadString(id) || text.IsEmpty()) text = builtIn;
  return text;
}

LPSTR CString::GetBuffer(int minLength) {
  if (minLength > GetLength()) m_text.resize(static_cast<size_t>(minLength));
  m_text.reserve(m_text.size() + 1);
  return &m_text[0];
}

LPSTR CString::GetBufferSetLength(int length) {
  m_text.resize(static_cast<size_t>(std::max(length, 0)));
  return &m_text[0];
}

void CString::ReleaseBuffer(int newLength) {
  if (newLength < 0) newLength = static_cast<int>(strnlen(m_text.c_str(), m_text.size()));
  m_text.resize(static_cast<size_t>(std::min(newLength, GetLength())));
}

bool operator==(const CString& a, const CString& b) { return a.Compare(b) == 0; }
bool operator==(const CString& a, LPCSTR b) { return a.Compare(b) == 0; }
bool operator==(LPCSTR a, const CString& b) { return b.Compare(a) == 0; }
bool operator!=(const CString& a, const CString& b) { return !(a == b); }
bool operator!=(const CString& a, LPCSTR b) { return !(a == b); }
bool operator!=(LPCSTR a, const CString& b) { return !(a == b); }
bool operator<(const CString& a, const CString& b) { return a.Compare(b) < 0; }
bool operator>(const CString& a, const CString& b) { return a.Compare(b) > 0; }
bool operator<=(const CString& a, const CString& b) { return a.Compare(b) <= 0; }
bool operator>=(const CString& a, const CString& b) { return a.Compare(b) >= 0; }
