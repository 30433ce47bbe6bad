#include "output/CardSettings.h"

#include "model/settings/IniFile.h"

const char kCardDupSection[] = "CARDDUP";

namespace {

// Keys compare without case: the reader's and the writer's spellings differ as they always have.
const char kPageType[] = "PageType";
const char kPageSizeX[] = "PageSizeX";
const char kPageSizeY[] = "PageSizeY";
const char kCardType[] = "CardType";
const char kCardSizeX[] = "CardSizeX";
const char kCardSizeY[] = "CardSizeY";
const char kGapX[] = "GapX";
const char kGapY[] = "GapY";
const char kDupX[] = "DUPX";
const char kDupY[] = "DUPY";
const char kCardRect[] = "CARDRECT";

}  // namespace

void CCardSettings::Load(const CIniFile& file) {
  const CCardSettings defaults;
  const char* s = kCardDupSection;
  sheetType = file.GetInt(s, kPageType, defaults.sheetType);
  sheetWidth = file.GetFloat(s, kPageSizeX, defaults.sheetWidth);
  sheetHeight = file.GetFloat(s, kPageSizeY, defaults.sheetHeight);
  cardType = file.GetInt(s, kCardType, defaults.cardType);
  cardWidth = file.GetFloat(s, kCardSizeX, defaults.cardWidth);
  cardHeight = file.GetFloat(s, kCardSizeY, defaults.cardHeight);
  gapX = file.GetFloat(s, kGapX, defaults.gapX);
  gapY = file.GetFloat(s, kGapY, defaults.gapY);
  across = file.GetInt(s, kDupX, defaults.across);
  down = file.GetInt(s, kDupY, defaults.down);
  cardFrame = file.GetInt(s, kCardRect, 0) != 0;
}

void CCardSettings::Save(const CIniFile& file) const {
  const char* s = kCardDupSection;
  file.WriteInt(s, kPageType, sheetType);
  if (sheetType == 0) {
    file.WriteFloat(s, kPageSizeX, sheetWidth);
    file.WriteFloat(s, kPageSizeY, sheetHeight);
  }
  file.WriteInt(s, kCardType, cardType);
  if (cardType == 0) {
    file.WriteFloat(s, kCardSizeX, cardWidth);
    file.WriteFloat(s, kCardSizeY, cardHeight);
  }
  file.WriteFloat(s, kGapX, gapX);
  file.WriteFloat(s, kGapY, gapY);
  file.WriteInt(s, kDupX, across);
  file.WriteInt(s, kDupY, down);
  file.WriteInt(s, kCardRect, cardFrame ? 1 : 0);
}
