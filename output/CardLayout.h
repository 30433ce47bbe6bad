// CCardLayout: the arithmetic of business-card duplication: the fixed sheet and card sizes of the
// dialog's lists, the card size taken from typed fields, the counts of cards that fill a sheet
// and the places of the copies. Lengths are millimetres; the card lies at the page origin.
#pragma once

#include <windows.h>

#include <vector>

#include "model/geometry/FRect.h"

class CCardLayout {
public:
  struct Size {
    float width;
    float height;
  };
  // Entries of the sheet and card lists; entry 0 of each is the size the user types.
  static constexpr int kSheetTypes = 9;
  static constexpr int kCardTypes = 3;
  // The standard card, and what a typed side of no length becomes.
  static constexpr Size kDefaultCard = {90.0f, 55.0f};
  // More cards than this at once are refused: they would take minutes and memory to no end.
  static constexpr long long kMostCards = 2000;
  // A drawing may stand out of its card by this much (rounding of typed sizes).
  static constexpr float kFitTolerance = 0.001f;

  // The fixed size of a sheet or card type; false for the typed type 0 and unknown types.
  static bool SheetSize(int type, Size* size);
  static bool CardSize(int type, Size* size);
  // The card as typed: a side of 0 or less (or no number) is the standard card's side.
  static Size CardFromFields(float width, float height);
  // A gap below 0 is taken as 0: cards never overlap.
  static float Gap(float gap) { return gap > 0 ? gap : 0.0f; }
  // How many cards with gaps between them fit along a sheet side: n cards and n - 1 gaps.
  static int FillCount(float sheet, float card, float gap);
  // Both counts at least 1 and no more than kMostCards cards.
  static bool CountsAllowed(long long across, long long down);
  // Whether the drawing lies within the card at the page origin.
  static bool DrawingFits(const CFRect& drawing, Size card);
  // Offsets of every copy but the drawing itself, row by row.
  static std::vector<FPOINT> CopyOffsets(Size card, float gapX, float gapY, int across, int down);
};
