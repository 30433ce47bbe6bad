// CCutPatterns: the generators of the cut patterns that split artwork into pieces weeded one by
// one: parallel strips, pie sectors around a centre and concentric rings. Each returns a new
// curve block (the caller's) of closed shapes with the attribute word 0x100, or null when nothing
// was drawn or the values were refused. Coordinates are page units, angles degrees counted
// counter-clockwise on the screen.
//
// Every pattern comes in two complementary passes: pass 0 (flags without kSecondPass) draws the
// first piece of a walk and every second one after it, pass 1 the others, so that the two passes
// together cover the region once. Counts, steps and lists are checked before anything is divided
// or walked: a pattern that would need more than kMaxPieces pieces, a count below 1 or a value
// that is not a number is refused, and the problem tells the caller why.
//
// Lists ("5,12,+6") give the widths (or angles) one field after the other through
// ParseValueList, each taken as its absolute value. A zero width is no piece at all: it draws
// nothing, does not advance the walk and does not count in the alternation. A list whose running
// value stays at 0 ends the walk there.
#pragma once

#include <windows.h>

class CCurveBlock;

class CCutPatterns {
public:
  enum : WORD { kSecondPass = 0x100, kCounterClockwise = 0x400 };
  enum Problem { kNoProblem, kBadValue, kTooManyPieces };
  // Pieces of one walk (drawn and skipped together) above this are refused.
  static constexpr int kMaxPieces = 1000;
  static constexpr WORD kPatternAttributes = 0x100;
  // The ring step that replaces a step of 0 or less.
  static constexpr float kSmallestRingStep = 0.05f;

  // Equal strips across the box at the angle, starting from (x, y).
  static CCurveBlock* MakeHatchLines(float left, float top, float right, float bottom, float angle,
                                     int count, float x, float y, WORD flags,
                                     Problem* problem = nullptr);
  // Strips whose widths come from the list, walked from (x, y) to both sides of it.
  static CCurveBlock* MakeHatchLinesFromList(float left, float top, float right, float bottom,
                                             float angle, float x, float y, LPCSTR list, WORD flags,
                                             Problem* problem = nullptr);
  // Equal sectors between the two angles around (cx, cy), walked from the end angle down to the
  // start angle, or up from the start with kCounterClockwise.
  static CCurveBlock* MakeRadialSectors(float left, float top, float right, float bottom, float cx,
                                        float cy, float start, float end, int count, WORD flags,
                                        Problem* problem = nullptr);
  static CCurveBlock* MakeRadialSectorsFromList(float left, float top, float right, float bottom,
                                                float cx, float cy, float start, float end,
                                                LPCSTR list, WORD flags,
                                                Problem* problem = nullptr);
  // Equal rings around (cx, cy) out to the farthest corner of the box.
  static CCurveBlock* MakeRings(float left, float top, float right, float bottom, float cx,
                                float cy, int count, WORD flags, Problem* problem = nullptr);
  static CCurveBlock* MakeRingsFromList(float left, float top, float right, float bottom, float cx,
                                        float cy, LPCSTR list, WORD flags,
                                        Problem* problem = nullptr);

  // The angle as the strip generators use it: above 180 reduced by whole half turns (200 gives
  // 20, 180 stays 180).
  static double FoldAngle(double angle);
  // The widths of a list walk until its running value stays at 0 or max widths were read (zero
  // widths included). A field that is not a finite number ends it too and sets *bad.
  static int ListWidths(LPCSTR list, int max, double* widths, bool* bad);
};
