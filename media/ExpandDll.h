// CExpandDll: the transform library's outline expansion, bound by the outline thickness dialog
// on confirmation. A missing library or entry gives a null result.
#pragma once

#include "media/DllModule.h"

struct ExpandParams {
  double thickness;
  double threshold;
  double angleLimit;
  double accuracy;  // 10 to the power of the typed integer
  int mode;         // 0 keep as is, 1 keep corners, 2 round corners
};

// A running expansion's progress and its stop request, shared by the caller and our library's
// watched entries (dllExpandWatched, dllExpandOutLineWatched: the arguments of dllExpand followed
// by a pointer to this). The library writes permille and finally status; the caller sets stop,
// from any thread, to end the work early.
struct ExpandWatch {
  enum Status : LONG { kRunning = 0, kDone = 1, kEmpty = 2, kFailed = 3, kStopped = 4 };
  volatile LONG permille;
  volatile LONG stop;
  volatile LONG status;
};
static_assert(sizeof(ExpandWatch) == 12, "three 32-bit words cross the library's entry");

class CExpandDll : public CDllModule {
public:
  typedef HGLOBAL(__cdecl* ExpandEntry)(HGLOBAL group, double thickness, double threshold,
                                        double angleLimit, double accuracy, int mode);
  typedef HGLOBAL(__cdecl* WatchedEntry)(HGLOBAL group, double thickness, double threshold,
                                         double angleLimit, double accuracy, int mode,
                                         ExpandWatch* watch);

  CExpandDll();

  HMODULE Bind(LPCSTR path = nullptr);

  // The expanded outlines of a group record in global memory, as a block record block that the
  // caller reads; the input stays the caller's.
  HGLOBAL Expand(HGLOBAL group, const ExpandParams& params) const;
  HGLOBAL ExpandOutLine(HGLOBAL group, const ExpandParams& params) const;
  // The same through the watched entries when the library has them (it may run long: call it
  // from a worker thread); without them the plain entries, with the watch's status set to what
  // the result says.
  HGLOBAL ExpandWatched(HGLOBAL group, const ExpandParams& params, bool outline,
                        ExpandWatch* watch) const;

private:
  static HGLOBAL Call(ExpandEntry entry, HGLOBAL group, const ExpandParams& params);

  ExpandEntry m_expand;
  ExpandEntry m_expandOutLine;
  WatchedEntry m_expandWatched;
  WatchedEntry m_expandOutLineWatched;
};
