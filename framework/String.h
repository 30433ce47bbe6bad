// CString: the program's narrow string. 8-bit text is GBK; searching and case mapping step over
// double-byte characters so that a trail byte is never taken for an ASCII character.
#pragma once

#include <windows.h>

#include <cstdarg>
#include <string>

class CString {
public:
  CString() = default;
  CString(const CString&) = default;
  CString(CString&&) noexcept = default;
  CString(LPCSTR text);
  CString(LPCSTR text, int length);
  CString(char ch, int repeat = 1);
  ~CString() = default;

  CString& operator=(const CString&) = default;
  CString& operator=(CString&&) noexcept = default;
  CString& operator=(LPCSTR text);
  CString& operator=(char ch);

  int GetLength() const { return static_cast<int>(m_text.size()); }
  bool IsEmpty() const { return m_text.empty(); }
  void Empty() { m_text.clear(); }
  operator LPCSTR() const { return m_text.c_str(); }
  LPCSTR GetString() const { return m_text.c_str(); }

  char GetAt(int index) const;
  void SetAt(int index, char ch);
  char operator[](int index) const { return GetAt(index); }

  CString& operator+=(const CString& other);
  CString& operator+=(LPCSTR text);
  CString& operator+=(char ch);
  friend CString operator+(const CString& a, const CString& b);
  friend CString operator+(const CString& a, LPCSTR b);
  friend CString operator+(LPCSTR a, const CString& b);
  friend CString operator+(const CString& a, char b);

  int Compare(LPCSTR text) const;
  int CompareNoCase(LPCSTR text) const;
  int Collate(LPCSTR text) const;

  CString Left(int count) const;
  CString Mid(int first) const;
  CString Mid(int first, int count) const;
  CString Right(int count) const;
  CString SpanIncluding(LPCSTR charSet) const;
  CString SpanExcluding(LPCSTR charSet) const;

  // Positions are byte offsets; -1 when not found. Matches never start inside a double-byte
  // character.
  int Find(char ch, int start = 0) const;
  int Find(LPCSTR sub, int start = 0) const;
  int ReverseFind(char ch) const;
  int FindOneOf(LPCSTR charSet) const;

  int Replace(char oldCh, char newCh);
  int Replace(LPCSTR oldText, LPCSTR newText);
  int Remove(char ch);
  int Insert(int index, char ch);
  int Insert(int index, LPCSTR text);
  int Delete(int index, int count = 1);

  CString& Trim();
  CString& Trim(char ch);
  CString& Trim(LPCSTR chars);
  CString& TrimLeft();
  CString& TrimLeft(char ch);
  CString& TrimLeft(LPCSTR chars);
  CString& TrimRight();
  CString& TrimRight(char ch);
  CString& TrimRight(LPCSTR chars);

  CString& MakeUpper();
  CString& MakeLower();
  CString& MakeReverse();

  void Format(LPCSTR format, ...);
  void FormatV(LPCSTR format, va_list args);
  void AppendFormat(LPCSTR format, ...);

  // Loads a string from the current resource module; false (and empty) when it has none.
  BOOL LoadString(UINT id);

  // Direct access for functions that fill a caller's buffer; ReleaseBuffer(-1) takes the length
  // from the terminating zero, clipped to the buffer.
  LPSTR GetBuffer(int minLength = 0);
  LPSTR GetBufferSetLength(int length);
  void ReleaseBuffer(int newLength = -1);

  // True when the byte at index starts a double-byte GBK character.
  static bool IsLeadByte(unsigned char ch) { return ch >= 0x81 && ch <= 0xFE; }

private:
  static CString FromStd(std::string text);
  int CharLengthAt(size_t index) const;
  void MapAsciiLetters(char from, char to);
  bool InCharSet(size_t index, LPCSTR charSet, int* length) const;
  static int SafeLength(LPCSTR text);

  std::string m_text;
};

bool operator==(const CString& a, const CString& b);
bool operator==(const CString& a, LPCSTR b);
bool operator==(LPCSTR a, const CString& b);
bool operator!=(const CString& a, const CString& b);
bool operator!=(const CString& a, LPCSTR b);
bool operator!=(LPCSTR a, const CString& b);
bool operator<(const CString& a, const CString& b);
bool operator>(const CString& a, const CString& b);
bool operator<=(const CString& a, const CString& b);
bool operator>=(const CString& a, const CString& b);

// String resource id of the current resource module, or builtIn where the module has none: every
// message keeps a built-in form (the programs' built-in language) and each resource library
// supplies its own under the same id.
CString AfxLoadString(UINT id, LPCSTR builtIn);
