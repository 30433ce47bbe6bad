// CPrintSettings: what the print dialog keeps between prints, in the section "PrintInfo" of the
// application profile: the four margins (millimetres from the sheet's edges), the copies, the
// options and the zoom. Built with the values of an empty section.
#pragma once

#include <windows.h>

class CAppProfile;

struct CPrintSettings {
  // A custom ratio is read as text of at most this many characters.
  static constexpr int kRatioLength = 120;
  // More copies than this are refused: a typing slip would waste a ream of paper.
  static constexpr int kMostCopies = 999;

  // Every key of "PrintInfo"; the custom ratio only when the zoom type is custom.
  void Load(const CAppProfile& profile);
  void Save(const CAppProfile& profile) const;

  // Left, top, right, bottom.
  float margins[4] = {};
  int copies = 1;
  bool printBorder = false;
  bool rotate90 = false;
  bool printImages = false;
  bool mirror = false;
  // CPrintLayout::ZoomType.
  int zoomType = 0;
  float ratio = 1.0f;
};

extern const char kPrintInfoSection[];
