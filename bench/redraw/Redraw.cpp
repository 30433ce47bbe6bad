// Times a full repaint of the main drawing view holding 1,000, 10,000 and 100,000 blocks (rounded
// frames, rings and closed curves spread over the page, all in view), and a repaint of a 100 x 100
// pixel area in its middle (the blocks elsewhere are passed over by their boxes), and prints the
// figures (milliseconds per repaint). Needs a display. Run by hand under Wine:
//   wine build/<arch>/bench/redraw.exe [repeats]
#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>

#include "editor/TALVEX42View.h"
#include "framework/CreateContext.h"
#include "framework/WinApp.h"
#include "model/blocks/CircleBlock.h"
#include "model/blocks/CurveBlock.h"
#include "model/blocks/RectBlock.h"
#include "model/document/TALVEX42Doc.h"

namespace {

const float kPageWidth = 1000.0f;
const float kPageHeight = 700.0f;

CBlock* MakeBlock(int index, float x, float y, float size) {
  CFRect box(x, y, x + size, y + size);
  switch (index % 3) {
    case 0: {
      auto* frame = new CRectBlock;
      frame->m_rect = frame->m_box = box;
      frame->m_cornerRatioX = frame->m_cornerRatioY = 0.2f;
      frame->m_colour = 0x0000C0;
      return frame;
    }
    case 1: {
      auto* ring = new CCircleBlock;
      ring->m_rect = ring->m_box = box;
      ring->m_colour = 0xC00000;
      return ring;
    }
    default: {
      auto* curve = new CCurveBlock;
      curve->AddRectangle(box.left, box.top, box.right, box.bottom);
      curve->EndCurve();
      return curve;
    }
  }
}

void Fill(CTALVEX42Doc& document, int count) {
  CSegArray& blocks = document.GetBlockList();
  blocks.DeleteAll();
  int perRow = 1;
  while (perRow * perRow < count) ++perRow;
  float cell = kPageWidth / perRow;
  for (int i = 0; i < count; ++i)
    blocks.AddBlock(MakeBlock(i, (i % perRow) * cell,
                              (i / perRow) * cell * kPageHeight / kPageWidth, cell * 0.8f));
}

// The whole view when no area is given.
double MillisecondsPerRepaint(CTALVEX42View& view, int repeats, const RECT* area = nullptr) {
  auto start = std::chrono::steady_clock::now();
  for (int i = 0; i < repeats; ++i) {
    view.InvalidateRect(area, FALSE);
    view.UpdateWindow();
  }
  ::GdiFlush();
  std::chrono::duration<double, std::milli> spent = std::chrono::steady_clock::now() - start;
  return spent.count() / repeats;
}

}  // namespace

int main(int argc, char** argv) {
  int repeats = argc > 1 ? std::max(1, atoi(argv[1])) : 20;
  CWinApp app("TalvexRedrawBench");
  HWND top = ::CreateWindowExA(0, "STATIC", "redraw", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 1024,
                               768, nullptr, nullptr, ::GetModuleHandleA(nullptr), nullptr);
  CTALVEX42Doc document;
  // The document lives on the stack: losing its view must not make it delete itself.
  document.m_bAutoDelete = FALSE;
  if (!top || !document.OnNewDocument()) return 1;
  document.GetPageSettings().m_width = kPageWidth;
  document.GetPageSettings().m_height = kPageHeight;
  CCreateContext context = {};
  context.m_pCurrentDoc = &document;
  auto* view = new CTALVEX42View;
  RECT client;
  ::GetClientRect(top, &client);
  if (!view->Create(nullptr, "view", WS_CHILD | WS_VISIBLE, client, CWnd::FromHandle(top), 1,
                    &context))
    return 1;
  view->MoveWindow(0, 0, client.right, client.bottom);
  view->OnInitialUpdate();
  RECT middle = {client.right / 2 - 50, client.bottom / 2 - 50, client.right / 2 + 50,
                 client.bottom / 2 + 50};
  printf("repaints of the main view (%ld x %ld pixels) and of a 100 x 100 area, %d repeats\n",
         client.right, client.bottom, repeats);
  for (int count : {1000, 10000, 100000}) {
    Fill(document, count);
    MillisecondsPerRepaint(*view, 1);
    double full = MillisecondsPerRepaint(*view, repeats);
    double area = MillisecondsPerRepaint(*view, repeats, &middle);
    printf("%6d blocks: %8.2f ms per full repaint, %6.2f ms per area\n", count, full, area);
  }
  ::DestroyWindow(top);
  return 0;
}
