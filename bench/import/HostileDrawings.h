// Hostile DXF and HP-GL files for the import benchmark: small files that multiply into work
// (blocks of blocks, inserts to the drawing's limits, huge splines and polylines, many pens,
// endless parameter lists), a DXF cut short, and a DXF of the most records 100 MB can hold.
// Each is read once in a process of its own, so that the peak memory printed is its own: a
// reader that bounds its work ends each with its message within about a second.
#pragma once

#include <string>
#include <vector>

struct HostileDrawing {
  const char* name;
  int kind;  // the merge dialog's kind numbers: 3 HP-GL, 6 DXF
  std::string bytes;
};

std::vector<HostileDrawing> MakeHostileDrawings();

// Writes each file, reads it in a child process (this program with "--hostile NAME PATH")
// and prints the child's line: the reader's result, the time and the peak memory. A child that
// takes longer than the given seconds is stopped.
void MeasureHostileDrawings(const char* program, const char* folder, int mostSeconds);
// The child's side; the exit code.
int ReadHostileDrawing(const char* name, const char* path);
