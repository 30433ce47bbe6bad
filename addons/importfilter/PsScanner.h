// CPsScanner: the tokens of PostScript text (EPS and Illustrator files): numbers (with radix
// forms), names, literal names, strings in parentheses, hexadecimal and ASCII85 strings, the
// brackets of procedures, arrays and dictionaries, and the structuring comments ("%%..." and
// Illustrator's "%AI..."), which the readers use; other comments are passed over. Like a
// PostScript interpreter, the scanner takes the one white-space character after a name or a
// number with the token, so that data following an operator in the file starts right after it.
//
// It also reads data placed in the file after an operator (image samples, encrypted fonts):
// hexadecimal or binary bytes, or everything up to a marker. Token texts are bounded; a string
// or name that does not end, or is longer than kLongestToken, and a number beyond what its form
// holds (a radix number past 32 bits, a real past the double's range) are errors at their line.
#pragma once

#include <cstddef>
#include <string>

class CPsScanner {
public:
  enum Kind {
    kEnd,
    kError,
    kNumber,
    kName,       // executable: an operator or a defined procedure
    kLiteral,    // /name
    kString,     // (...), <hex>, <~ascii85~>
    kProcBegin,  // {
    kProcEnd,    // }
    kArrayBegin,
    kArrayEnd,
    kDictBegin,  // <<
    kDictEnd,    // >>
    kComment,    // a structuring comment, without its end of line
  };
  struct Token {
    Kind kind = kEnd;
    double number = 0;
    bool integer = false;
    std::string text;   // names and comments; the first kKeptStringBytes of a string
    size_t length = 0;  // a string's length in bytes
    int line = 0;
  };
  static const size_t kLongestToken = 1 << 20;
  static const size_t kKeptStringBytes = 256;

  CPsScanner(const char* data, size_t size) : m_data(data), m_size(size) {}

  Token Next();
  int Line() const { return m_line; }
  bool AtEnd() const { return m_at >= m_size; }
  size_t Position() const { return m_at; }
  size_t Size() const { return m_size; }
  // Moves to a later position (never back); lines passed are counted.
  void SkipTo(size_t position);

  // Data after an operator. Each returns how many bytes it took.
  size_t ReadHex(size_t bytes);
  size_t ReadBinary(size_t bytes);
  size_t ReadLine();
  // Moves past the next occurrence of the marker; false (at the end) when there is none. Each
  // byte is looked at once, however the marker repeats itself.
  bool SkipPast(const char* marker);
  // Moves to the start of the next line that begins with the text; false when none does. Lines
  // end in CR, LF or CR LF.
  bool SkipToLineStarting(const char* text);
  // Moves past the first run of at least so many ASCII zeros (white space between them allowed)
  // and the zeros and white space after it, where a Type 1 font's encrypted part ends; false (at
  // the end) when there is none.
  bool SkipPastZeros(size_t run);
  // Where so many lines from the position end (as ReadLine ends them), at most the end.
  size_t PositionAfterLines(size_t from, double lines) const;

private:
  bool IsSpace(char ch) const;
  bool IsDelimiter(char ch) const;
  void Advance();
  void TakeOneSpace();
  Token ReadString();
  Token ReadHexString();
  Token ReadRegular();

  const char* m_data;
  size_t m_size;
  size_t m_at = 0;
  int m_line = 1;
};
