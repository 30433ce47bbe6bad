// Times opening and saving documents of 10,000 and 100,000 blocks of mixed kinds (lines, rounded
// frames, rings and arcs, stars, curves with Bezier pieces, polylines, groups and short texts),
// made here and saved, then opened and saved again through the document's own open and save, and
// prints the medians of several runs with the bytes handled per millisecond. A save is the real
// one: the whole file under a temporary name, the previous file kept as the backup, the new one
// renamed. Texts take fixed metrics from a glyph source of the benchmark's own, so no font is read.
// For the larger document it also prints what the first open in a fresh process costs (a copy of
// the benchmark started for that one open, which is what a user meets after starting the
// program) and the process's memory before and after opening and closing the document 20 times,
// (private bytes, which Windows also reports as the page-file usage and Wine reports only as that,
// and the working set): memory that is not given back between documents shows as growth.
// Run by hand under Wine:
//   wine build/<arch>/bench/docfile.exe [runs]
// or, to keep such a document for a look in the editor:
//   wine build/<arch>/bench/docfile.exe --write <file.T42> <blocks>
#include <windows.h>
// After windows.h:
#include <psapi.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "framework/File.h"
#include "framework/WinApp.h"
#include "model/blocks/CircleBlock.h"
#include "model/blocks/CurveBlock.h"
#include "model/blocks/GroupBlock.h"
#include "model/blocks/LineBlock.h"
#include "model/blocks/PolygonBlock.h"
#include "model/blocks/RectBlock.h"
#include "model/document/TALVEX42Doc.h"
#include "text/TextBlock.h"
#include "text/TextServices.h"
#include "text/layout/CharBox.h"
#include "text/layout/GlyphSource.h"
#include "text/layout/TextDefaults.h"

namespace {

// Every character has the same black box and advance.
class FixedGlyphs : public CGlyphSource {
public:
  int FindRow(int charset) override { return charset == 0 ? 0 : 1; }
  CContour* GetGlyph(WORD, int, WORD) override { return nullptr; }
  bool GetMetrics(WORD, int, WORD, GlyphMetrics& metrics) override {
    metrics.blackBoxX = 500;
    metrics.blackBoxY = 700;
    metrics.advance = 600;
    return true;
  }
};

const float kCell = 12.0f;

CBlock* Line(float x, float y) {
  auto* line = new CLineBlock;
  line->m_start = {x, y};
  line->m_end = {x + 9.0f, y + 4.0f};
  line->m_box = CFRect(x, y, x + 9.0f, y + 4.0f);
  line->m_colour = 0x202020;
  return line;
}

CBlock* Frame(float x, float y) {
  auto* frame = new CRectBlock;
  frame->m_rect = frame->m_box = CFRect(x, y, x + 10.0f, y + 7.0f);
  frame->m_cornerRatioX = 0.2f;
  frame->m_cornerRatioY = 0.3f;
  frame->m_colour = 0x0000C0;
  return frame;
}

CBlock* Ring(float x, float y, bool arc) {
  auto* ring = new CCircleBlock;
  ring->m_rect = ring->m_box = CFRect(x, y, x + 8.0f, y + 6.0f);
  if (arc) {
    ring->m_startAngle = 0.5f;
    ring->m_endAngle = 4.0f;
    ring->m_arcMode = CCircleBlock::kPie;
  }
  ring->m_colour = 0xC00000;
  return ring;
}

CBlock* Star(float x, float y) {
  auto* star = new CPolygonBlock;
  star->m_centre = {x + 5.0f, y + 5.0f};
  star->m_outerRadius = 5.0f;
  star->m_innerRadius = 2.0f;
  star->m_starAngle = 0.6283185f;
  star->m_startAngle = 1.5707963f;
  star->m_cornerCount = 5;
  star->m_box = CFRect(x, y, x + 10.0f, y + 10.0f);
  star->m_colour = 0x008000;
  return star;
}

// A closed outline of Bezier pieces around a centre: a leaf of eight lobes.
CBlock* Leaf(float x, float y) {
  auto* curve = new CCurveBlock;
  const int lobes = 8;
  float cx = x + 5.0f, cy = y + 5.0f;
  curve->AddPoint(cx + 5.0f, cy, kPointStart | kPointOnCurve);
  for (int i = 1; i <= lobes; ++i) {
    float a0 = 6.2831853f * (i - 1) / lobes, a1 = 6.2831853f * i / lobes;
    float mid = (a0 + a1) / 2;
    curve->AddPoint(cx + 7.0f * cosf(mid - 0.2f), cy + 7.0f * sinf(mid - 0.2f), 0);
    curve->AddPoint(cx + 7.0f * cosf(mid + 0.2f), cy + 7.0f * sinf(mid + 0.2f), 0);
    BYTE flags = i == lobes ? static_cast<BYTE>(kPointClose | kPointOnCurve) : kPointOnCurve;
    curve->AddPoint(cx + 5.0f * cosf(a1), cy + 5.0f * sinf(a1), flags);
  }
  curve->EndCurve();
  return curve;
}

// An open zigzag of straight pieces.
CBlock* Zigzag(float x, float y) {
  auto* curve = new CCurveBlock;
  for (int i = 0; i < 12; ++i) {
    BYTE flags = i == 0    ? static_cast<BYTE>(kPointStart | kPointOnCurve)
                 : i == 11 ? static_cast<BYTE>(kPointOpenEnd | kPointOnCurve)
                           : kPointOnCurve;
    curve->AddPoint(x + i * 0.8f, y + (i % 2 ? 3.0f : 0.0f), flags);
  }
  curve->EndCurve();
  return curve;
}

CBlock* Group(float x, float y) {
  auto* group = new CGroupBlock;
  group->AddChild(Frame(x, y));
  group->AddChild(Ring(x + 1.0f, y + 1.0f, false));
  group->AddChild(Leaf(x + 2.0f, y + 2.0f));
  return group;
}

// A laid-out text of a few Latin and Chinese characters, copied for every text of the drawing.
std::unique_ptr<CTextBlock> TextModel() {
  std::unique_ptr<CTextBlock> text(CTextBlock::CreateAt(0, 0, 0, 40, 10));
  const WORD codes[] = {'S', 'I', 'G', 'N', ' ', 0xB0A1, 0xB0A2, 0xB0A3};
  for (WORD code : codes) {
    auto* box = new CCharBox;
    box->InitFromCode(code, CTextDefaults::Global());
    text->InsertChar(box);
  }
  text->Relayout(nullptr, 0);
  return text;
}

CBlock* Text(CTextBlock& model, float x, float y) {
  CBlock* text = model.Clone();
  CMatrix2D move;
  move.m[6] = x;
  move.m[7] = y;
  text->Transform(move);
  return text;
}

void Fill(CSegArray& blocks, int count, CTextBlock& textModel) {
  int perRow = 1;
  while (perRow * perRow < count) ++perRow;
  for (int i = 0; i < count; ++i) {
    float x = (i % perRow) * kCell, y = (i / perRow) * kCell;
    CBlock* block = nullptr;
    switch (i % 10) {
      case 0:
        block = Line(x, y);
        break;
      case 1:
        block = Frame(x, y);
        break;
      case 2:
        block = Ring(x, y, false);
        break;
      case 3:
        block = Ring(x, y, true);
        break;
      case 4:
        block = Star(x, y);
        break;
      case 5:
      case 6:
        block = Leaf(x, y);
        break;
      case 7:
        block = Zigzag(x, y);
        break;
      case 8:
        block = Group(x, y);
        break;
      default:
        block = Text(textModel, x, y);
        break;
    }
    blocks.AddBlock(block);
  }
}

double Median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  size_t n = values.size();
  return n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

double Milliseconds(const std::function<bool()>& run, bool* ok) {
  auto start = std::chrono::steady_clock::now();
  *ok = run() && *ok;
  std::chrono::duration<double, std::milli> spent = std::chrono::steady_clock::now() - start;
  return spent.count();
}

std::vector<BYTE> FileBytes(const std::string& path) {
  std::vector<BYTE> bytes;
  CFile file;
  if (!file.Open(path.c_str(), CFile::modeRead | CFile::typeBinary)) return bytes;
  bytes.resize(static_cast<size_t>(file.GetLength()));
  if (!bytes.empty() && file.Read(bytes.data(), static_cast<UINT>(bytes.size())) != bytes.size())
    bytes.clear();
  return bytes;
}

// FNV-1a of the file, so that runs of different builds can be compared byte for byte.
UINT64 Fingerprint(const std::vector<BYTE>& bytes) {
  UINT64 hash = 14695981039346656037ULL;
  for (BYTE b : bytes) hash = (hash ^ b) * 1099511628211ULL;
  return hash;
}

std::unique_ptr<CTALVEX42Doc> NewDocument() {
  std::unique_ptr<CTALVEX42Doc> document(new CTALVEX42Doc);
  // Owned here: losing a view must not make it delete itself.
  document->m_bAutoDelete = FALSE;
  return document;
}

struct MemoryFigures {
  double privateMb;
  double workingSetMb;
};

MemoryFigures ProcessMemory() {
  PROCESS_MEMORY_COUNTERS_EX counters = {};
  counters.cb = sizeof counters;
  ::GetProcessMemoryInfo(::GetCurrentProcess(),
                         reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&counters), sizeof counters);
  return {counters.PagefileUsage / 1e6, counters.WorkingSetSize / 1e6};
}

// Opens and closes the document again and again; the memory figures before and after.
bool RepeatOpens(const std::string& path, int count, int times) {
  bool ok = true;
  MemoryFigures before = ProcessMemory();
  for (int i = 0; i < times && ok; ++i) {
    std::unique_ptr<CTALVEX42Doc> document = NewDocument();
    ok = document->OnOpenDocument(path.c_str()) && document->GetBlockList().GetSize() == count;
  }
  MemoryFigures after = ProcessMemory();
  printf(
      "%7d blocks, %d opens and closes: private bytes %.1f -> %.1f MB, working set %.1f -> %.1f "
      "MB\n",
      count, times, before.privateMb, after.privateMb, before.workingSetMb, after.workingSetMb);
  return ok;
}

// The benchmark's own program started again to open the document once and print the time.
bool OpenInFreshProcess(const std::string& path) {
  char program[MAX_PATH] = {};
  ::GetModuleFileNameA(nullptr, program, MAX_PATH);
  std::string command = std::string("\"") + program + "\" --open-once \"" + path + "\"";
  STARTUPINFOA startup = {};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process = {};
  if (!::CreateProcessA(nullptr, &command[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                        &startup, &process))
    return false;
  ::WaitForSingleObject(process.hProcess, INFINITE);
  DWORD code = 1;
  ::GetExitCodeProcess(process.hProcess, &code);
  ::CloseHandle(process.hThread);
  ::CloseHandle(process.hProcess);
  return code == 0;
}

int WriteDocument(const char* path, int count) {
  std::unique_ptr<CTextBlock> textModel = TextModel();
  std::unique_ptr<CTALVEX42Doc> document = NewDocument();
  if (count < 1 || !document->OnNewDocument()) return 1;
  Fill(document->GetBlockList(), count, *textModel);
  return document->OnSaveDocument(path) ? 0 : 1;
}

int OpenOnce(const char* path) {
  std::unique_ptr<CTALVEX42Doc> document = NewDocument();
  bool ok = true;
  double open = Milliseconds([&] { return document->OnOpenDocument(path) != FALSE; }, &ok);
  printf("%7s first open in a fresh process %8.2f ms\n", "", open);
  fflush(stdout);
  return ok ? 0 : 1;
}

bool Measure(int count, int runs, const std::string& folder, CTextBlock& textModel) {
  std::string path = folder + "\\bench" + std::to_string(count) + ".T42";
  std::unique_ptr<CTALVEX42Doc> made = NewDocument();
  if (!made->OnNewDocument()) return false;
  Fill(made->GetBlockList(), count, textModel);
  bool ok = made->OnSaveDocument(path.c_str()) != FALSE;
  made.reset();

  std::vector<double> opens, saves;
  for (int run = 0; run < runs && ok; ++run) {
    std::unique_ptr<CTALVEX42Doc> document = NewDocument();
    opens.push_back(
        Milliseconds([&] { return document->OnOpenDocument(path.c_str()) != FALSE; }, &ok));
    ok = ok && document->GetBlockList().GetSize() == count;
    saves.push_back(
        Milliseconds([&] { return document->OnSaveDocument(path.c_str()) != FALSE; }, &ok));
  }
  if (!ok) {
    printf("%7d blocks: the document did not save and open again\n", count);
    return false;
  }
  std::vector<BYTE> file = FileBytes(path);
  double bytes = static_cast<double>(file.size());
  double open = Median(opens), save = Median(saves);
  printf(
      "%7d blocks, %6.2f MB: open %8.2f ms (%6.0f bytes/ms), save %8.2f ms (%6.0f bytes/ms)"
      ", file %016llx\n",
      count, bytes / 1e6, open, bytes / open, save, bytes / save,
      static_cast<unsigned long long>(Fingerprint(file)));
  fflush(stdout);
  if (count >= 100000) {
    ok = OpenInFreshProcess(path) && ok;
    ok = RepeatOpens(path, count, 20) && ok;
  }
  ::DeleteFileA(path.c_str());
  ::DeleteFileA((path + ".bak").c_str());
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  CWinApp app("TalvexDocFileBench");
  FixedGlyphs glyphs;
  CTextServices textServices;
  CTextDefaults::Global().fontSizeX = CTextDefaults::Global().fontSizeY = 6;
  if (argc > 2 && strcmp(argv[1], "--open-once") == 0) return OpenOnce(argv[2]);
  if (argc > 3 && strcmp(argv[1], "--write") == 0) return WriteDocument(argv[2], atoi(argv[3]));
  int runs = argc > 1 ? std::max(1, atoi(argv[1])) : 7;
  std::unique_ptr<CTextBlock> textModel = TextModel();

  char temp[MAX_PATH] = {};
  ::GetTempPathA(MAX_PATH, temp);
  std::string folder = std::string(temp) + "talvex-docfile-" +
                       std::to_string(::GetCurrentProcessId());
  if (!::CreateDirectoryA(folder.c_str(), nullptr)) return 1;
  printf("open and save of mixed documents, median of %d runs\n", runs);
  bool ok = true;
  for (int count : {10000, 100000}) ok = Measure(count, runs, folder, *textModel) && ok;
  ::RemoveDirectoryA(folder.c_str());
  return ok ? 0 : 1;
}
