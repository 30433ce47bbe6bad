// The transform library's entries on a worker thread: a thread made by CreateThread runs the x87
// at 53 bits of precision (control word 0x027F), while the program's start-up gives its main
// thread 64 (0x037F), and the outline thickness dialog expands on such a thread. Every entry must
// give the same record on both, byte for byte (the records themselves are checked by the tests of
// each entry), and so must the sweep and the expansion where only the precision of their
// arithmetic could tell: their doubles, which the records' floats would mostly hide.
#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <random>
#include <string>

#include "TransformLibrary.h"
#include "addons/transform/OutlineBoolean.h"
#include "addons/transform/OutlineExpander.h"
#include "addons/transform/WindingSweep.h"
#include "bench/outline_ops/BenchShapes.h"
#include "media/ExpandDll.h"
#include "model/blocks/CurveBlock.h"

using namespace addon_test;

namespace {

const unsigned short kExtended = 0x037F, kDouble = 0x027F;

unsigned short ControlWord() {
  unsigned short word = 0;
  asm volatile("fnstcw %0" : "=m"(word));
  return word;
}

void SetControlWord(unsigned short word) { asm volatile("fldcw %0" : : "m"(word)); }

// What a call gives, as bytes.
typedef std::function<std::vector<BYTE>()> Call;

// The record an entry gives, as bytes (empty for null); the memory is freed.
std::vector<BYTE> Take(HGLOBAL result) {
  std::vector<BYTE> bytes = result ? BytesOf(result) : std::vector<BYTE>();
  if (result) GlobalFree(result);
  return bytes;
}

// The call on this thread with the x87 at the given precision, the state put back afterwards.
std::vector<BYTE> Here(const Call& call, unsigned short word) {
  const unsigned short kept = ControlWord();
  SetControlWord(word);
  std::vector<BYTE> bytes = call();
  SetControlWord(kept);
  return bytes;
}

struct WorkerJob {
  const Call* call;
  std::vector<BYTE> bytes;
};

DWORD WINAPI RunWorkerJob(LPVOID parameter) {
  auto* job = static_cast<WorkerJob*>(parameter);
  job->bytes = Here(*job->call, kDouble);
  return 0;
}

// The call on a thread of its own at the precision such threads start with (set here, whatever
// the system at hand gives them).
std::vector<BYTE> OnWorker(const Call& call) {
  WorkerJob job{&call, {}};
  HANDLE thread = CreateThread(nullptr, 0, RunWorkerJob, &job, 0, nullptr);
  if (!thread) return {};
  WaitForSingleObject(thread, INFINITE);
  CloseHandle(thread);
  return job.bytes;
}

// The corners of the area, as bytes.
std::vector<BYTE> BytesOf(const OutlineArea& area) {
  std::vector<BYTE> bytes;
  auto add = [&bytes](const OutlinePoint& p) {
    for (double value : {p.x(), p.y()})
      bytes.insert(bytes.end(), reinterpret_cast<const BYTE*>(&value),
                   reinterpret_cast<const BYTE*>(&value + 1));
  };
  for (const OutlinePolygon& polygon : area) {
    for (const OutlinePoint& p : polygon.outer()) add(p);
    for (const auto& hole : polygon.inners())
      for (const OutlinePoint& p : hole) add(p);
  }
  return bytes;
}

// Self-crossing outlines of nine corners on a 7 x 5 mm lattice: edges through lattice points,
// along each other and crossing three and more at a point.
CCurveBlock* LatticePolygon(std::mt19937& random) {
  Path points;
  for (int i = 0; i < 9; ++i) points.push_back({double(random() % 7), double(random() % 5)});
  return Outline({points});
}

class WorkerThread : public ::testing::Test {
protected:
  void SetUp() override {
    ASSERT_NE(nullptr, m_weld.Bind(kLibraryPath));
    ASSERT_NE(nullptr, m_expand.Bind(kLibraryPath));
  }

  // Expects the same bytes from the call on both threads; gives them.
  std::vector<BYTE> Same(const std::string& what, const Call& call) {
    const std::vector<BYTE> main = Here(call, kExtended);
    EXPECT_EQ(main, OnWorker(call)) << what;
    return main;
  }

  CWeldDll m_weld;
  CExpandDll m_expand;
};

TEST_F(WorkerThread, EveryEntryAndTheGeometryBehindItGiveTheMainThreadsBits) {
  std::mt19937 random(11);
  for (int round = 0; round < 12; ++round) {
    // The second operand's corners are drawn first, as when these rounds were chosen.
    std::unique_ptr<CBlock> second(LatticePolygon(random)), first(LatticePolygon(random));
    WeldOperand a = OperandOf(first.get()), b = OperandOf(second.get());
    const std::string what = "lattice round " + std::to_string(round);
    Same(what + " weld", [&] { return Take(m_weld.Weld(a, b)); });
    Same(what + " cut", [&] { return Take(m_weld.WeldCut(a, b)); });
    Same(what + " and", [&] { return Take(m_weld.WeldAnd(a, b)); });
    Same(what + " xor", [&] { return Take(m_weld.WeldXor(a, b)); });
    Same(what + " self weld", [&] { return Take(m_weld.SelfWeld(a)); });
    HGLOBAL record = GroupRecordOf(first->Clone());
    // Grown and shrunk in turn, in each corner mode, and as the band along the outline once.
    for (int mode = 0; mode < 3; ++mode) {
      const ExpandParams params = {round % 2 ? -0.25 : 0.5, 120, 50, 1e-10, mode};
      const bool band = mode == 1;
      Same(what + " expand mode " + std::to_string(mode), [&] {
        ExpandWatch watch = {};
        return Take(m_expand.ExpandWatched(record, params, band, &watch));
      });
    }
    GlobalFree(record);
    Free(a);
    Free(b);
  }
  // Straight on through a corner only where the way is straight: the middle corner of a, b, c
  // lies one unit of twice the area off the line from a to c, whose cross products of grid
  // differences (Fibonacci numbers about 2^28) need 56 bits. The grid is 2^-16 mm here.
  const double F41 = 165580141, F42 = 267914296, F43 = 433494437, h = 268435456;
  const Path corners = {{-h, -h}, {-h + F42, -h + F41}, {-h + F43, -h + F42}, {h, h}, {-h, h}};
  Same("a corner all but on the way", [&] {
    CWindingSweep sweep;
    std::vector<OutlinePoint> ring;
    for (const auto& c : corners) ring.push_back(OutlinePoint(c.first / 65536, c.second / 65536));
    sweep.AddRing(ring, 0, 0);
    const std::vector<BYTE> bytes = BytesOf(sweep.Area(CWindingSweep::Any));
    EXPECT_EQ(6 * 2 * sizeof(double), bytes.size()) << "five corners and the first again";
    return bytes;
  });
  // A jagged star 0.02 mm across at the origin with open lines across it, grown in each mode:
  // its sides' normals, its joins' angles and its arcs' chords come from the run-time's hypot,
  // acos and pow, whose last bits follow the x87's precision. Offsets much larger than the star
  // keep such bits, and one bit of a corner that fits the grid moves every corner of the result.
  FlatCurve small = bench::JaggedStar(60);
  for (OutlinePoint& p : small.rings[0].outer())
    p = OutlinePoint((p.x() - 3) / 10000, (p.y() - 7) / 10000);
  OutlineShape star = COutlineBoolean::ShapeOf({small});
  star.lines = {{{-0.006, 0}, {0, 0.0007}, {0.007, -0.0005}}};
  for (double thickness : {0.6, 1.9}) {
    for (int mode = 0; mode < 3; ++mode) {
      ExpandSettings settings;
      settings.thickness = thickness;
      settings.mode = mode;
      settings.accuracy = 1e-7;
      Same("star " + std::to_string(thickness) + " mode " + std::to_string(mode), [&] {
        OutlineShape grown;
        COutlineExpander(settings).Expand(star, &grown);
        return BytesOf(grown.area);
      });
    }
  }
}

}  // namespace
