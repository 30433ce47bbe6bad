// Times the transform library's welding and expansion in the program's own build (under Wine)
// on the cases of its native twin (BenchCases.h), with the heap's peak, the result's area and its
// validity. Clipper cannot be linked into a Windows program here, so its figures come from the
// native twin's run (build/native/outline_ops_native writes them beside itself) and are printed
// beside ours when that file is found. Run by hand under Wine from the checkout's folder:
//   wine build/<arch>/bench/outline_ops.exe [repeats [Clipper's figures file]]
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <string>

#include "bench/outline_ops/BenchCases.h"

namespace {

struct Theirs {
  bench::Figures figures;
  double area;
};

// The native run's figures by case name; empty when there is no such file.
std::map<std::string, Theirs> ReadClipperFigures(const char* path) {
  std::map<std::string, Theirs> figures;
  FILE* file = std::fopen(path, "r");
  if (!file) return figures;
  char line[256];
  while (std::fgets(line, sizeof line, file)) {
    char name[128];
    Theirs theirs;
    if (std::sscanf(line, "%127[^\t]\t%lf\t%lf\t%lf", name, &theirs.figures.milliseconds,
                    &theirs.figures.megabytes, &theirs.area) == 4)
      figures[name] = theirs;
  }
  std::fclose(file);
  return figures;
}

}  // namespace

int main(int argc, char** argv) {
  const int repeats = argc > 1 ? std::max(1, std::atoi(argv[1])) : 3;
  const char* figuresPath = argc > 2 ? argv[2] : "build/native/outline_ops_clipper.txt";
  const std::map<std::string, Theirs> clipper = ReadClipperFigures(figuresPath);
  std::printf("outline_ops: median of %d; ms, heap MB, mm2; Clipper 6.4.2 %s\n", repeats,
              clipper.empty() ? "not measured (run build/native/outline_ops_native first)"
                              : "as measured natively");
  bench::PrintHeading();
  for (const bench::Case& c : bench::Cases()) {
    bench::Figures our;
    const bench::Outcome outcome = bench::RunOurs(c, repeats, &our);
    auto found = clipper.find(c.name);
    if (found == clipper.end())
      bench::PrintRow(c, our, outcome, nullptr, 0);
    else
      bench::PrintRow(c, our, outcome, &found->second.figures, found->second.area);
  }
  return 0;
}
