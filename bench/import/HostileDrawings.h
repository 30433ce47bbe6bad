// Hostile DXF and HP-GL files for the import benchmark: small files that multiply into work
// (blocks of blocks, inserts to the drawing's limits, huge splines and polylines, many pens,
// endless parameter lists), a DXF cut short, and a DXF of the most records 100 MB can hold.
// Each is read once in a process of its own (the benchmark started again), so that the peak
// memory printed is its own: a reader that bounds its work ends each with its message within
// about a second. A read that takes longer than a limit is stopped.
#pragma once

namespace HostileDrawings {

// When the program was started to read one file: reads it, prints its line and returns true.
bool RunChildRead();
// Writes the files, reads each in a process of its own and prints a line per file: its size,
// what came of it, the time and the peak memory of the process that read it.
void Measure();

}  // namespace HostileDrawings
