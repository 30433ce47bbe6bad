// The raster image readers on the worst hostile files found of each kind and on a large valid
// picture, read the way the read-image command and the first repaint of its block read them: the
// reader's check, the description and the bitmap the block then holds. Each file is read in a
// process of its own (the benchmark started again), so that its peak memory is its own; a read that
// takes longer than a limit is stopped.
#pragma once

namespace HostileImages {

// When the program was started to read one file: reads it, prints its line and returns true.
bool RunChildRead();
// Writes the files, reads each in a process of its own and prints a line per file: its size,
// what came of it, the time and the peak memory of the process that read it.
void Measure();

}  // namespace HostileImages
