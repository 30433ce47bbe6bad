// The PostScript reader of the import filter on the worst hostile files found of each kind, a
// few bytes each (nested, self-holding and huge arrays, copies, rolls, saves of long paths,
// dictionaries, paintings and data comments without end), read as the merge command reads
// them. Each file is read in a process of its own (the benchmark started again), so that its
// peak memory is its own; a read that takes longer than a limit is stopped.
#pragma once

namespace HostilePostScript {

// When the program was started to read one file: reads it, prints its line and returns true.
// By hand: import.exe --hostile-postscript FILE reads any PostScript file that way.
bool RunChildRead();
// Writes the files, reads each in a process of its own and prints a line per file: its size,
// what came of it, the time and the peak memory of the process that read it.
void Measure();

}  // namespace HostilePostScript
