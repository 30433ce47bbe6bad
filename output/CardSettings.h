// CCardSettings: what the business-card dialog keeps in the section "CARDDUP" of TALVEX42.INI:
// the sheet and card types with the sizes typed for type 0, the gaps, the counts and the frame
// option. Built with the values of an empty section.
#pragma once

#include <windows.h>

class CIniFile;

struct CCardSettings {
  void Load(const CIniFile& file);
  // The typed sizes are written only while their type is 0.
  void Save(const CIniFile& file) const;

  int sheetType = 0;
  float sheetWidth = 190;
  float sheetHeight = 260;
  int cardType = 0;
  float cardWidth = 90;
  float cardHeight = 55;
  float gapX = 2;
  float gapY = 2;
  int across = 2;
  int down = 4;
  bool cardFrame = false;
};

extern const char kCardDupSection[];
