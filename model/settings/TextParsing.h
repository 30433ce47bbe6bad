// Byte-string parsers of numbers, separated lists and escaped settings values. The texts are
// 8-bit GBK; the separators and escapes used here are ASCII bytes that never occur as a GBK trail.
#pragma once

#include <windows.h>

// The next number at or after *position: characters outside "0123456789.-+" are skipped, the
// number is the run of such characters. On success *error = 0 and *position is past the number.
// *error = -1 when no number is left; when the run is malformed (a sign after its first character,
// a second '.') *error is minus the position where it starts (-1 for position 0), so a failure is
// never reported as 0. The result is 0 on any error and *position is then unchanged.
double ParseNumberAt(LPCSTR text, int* position, int* error);

// Separators plus one; with a blank separator a blank right after another blank does not count.
int CountFields(LPCSTR text, char separator);

// Copies field n (every separator counts) into out, truncated to the buffer. 1, or 0 with an empty
// buffer when the text has too few separators or the field would start at the end of the text.
int GetField(LPCSTR text, int n, LPSTR out, int size, char separator);

// Field n (from 0) of a comma-separated list of numbers; an empty field repeats the number before
// it. 1 with *out set; 0 with *out = 0 when the list is shorter; 0 with *out untouched when the
// text holds anything but digits, '-', '.' and commas.
int GetFloatField(LPCSTR text, float* out, int n);

// The running value after the first n fields of a list such as "5,12,+6": a field with a leading
// sign is added, any other replaces the value, an empty field keeps it; past the end of the list
// the last non-empty field is applied again.
double ParseValueList(LPCSTR text, int n);

// Expands \xHH, \\, \b (7), \n, \r; a backslash before any other byte stays and the byte is
// dropped; an incomplete \x and a trailing backslash give nothing, nor does a \x00 byte. Writes at
// most size - 1 bytes and the terminating zero; returns the number of bytes written.
int UnescapeString(LPCSTR text, LPSTR out, int size);
// The same grammar as the settings files store it: \X is accepted as well as \x.
int UnescapeSettingString(LPCSTR text, LPSTR out, int size);
