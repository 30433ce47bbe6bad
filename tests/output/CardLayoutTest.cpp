// Business-card duplication without windows: the fixed sheet and card tables, the card taken from
// typed fields (never swapped, never 0), the counts that fill a sheet (cards and the gaps between
// them), the bounds on counts, the test that the drawing lies on the card, the places of the
// copies, and the "CARDDUP" settings through a real INI file.
#include <gtest/gtest.h>

#include <windows.h>

#include <cmath>

#include "model/settings/IniFile.h"
#include "output/CardLayout.h"
#include "output/CardSettings.h"
#include "support/TempFolder.h"

namespace {

using Size = CCardLayout::Size;

TEST(CardLayout, FixedSheetsAndCardsAndTheTypedOnes) {
  const Size sheets[] = {{190, 260}, {260, 190}, {200, 285}, {285, 200},
                         {130, 185}, {185, 130}, {140, 203}, {203, 140}};
  Size size;
  for (int type = 1; type <= 8; ++type) {
    ASSERT_TRUE(CCardLayout::SheetSize(type, &size)) << type;
    EXPECT_EQ(sheets[type - 1].width, size.width) << type;
    EXPECT_EQ(sheets[type - 1].height, size.height) << type;
  }
  ASSERT_TRUE(CCardLayout::CardSize(1, &size));
  EXPECT_EQ(90, size.width);
  EXPECT_EQ(55, size.height);
  ASSERT_TRUE(CCardLayout::CardSize(2, &size));
  EXPECT_EQ(55, size.width);
  EXPECT_EQ(90, size.height);
  for (int type : {0, 9, -1}) EXPECT_FALSE(CCardLayout::SheetSize(type, &size)) << type;
  for (int type : {0, 3}) EXPECT_FALSE(CCardLayout::CardSize(type, &size)) << type;

  struct Typed {
    float width, height, expectedWidth, expectedHeight;
  };
  const Typed typed[] = {{0, 0, 90, 55},
                         {-5, 40, 90, 40},
                         {80, 0, 80, 55},
                         {88.5f, 51, 88.5f, 51},
                         {NAN, -1, 90, 55}};
  for (const Typed& t : typed) {
    Size card = CCardLayout::CardFromFields(t.width, t.height);
    EXPECT_EQ(t.expectedWidth, card.width) << t.width << " " << t.height;
    EXPECT_EQ(t.expectedHeight, card.height) << t.width << " " << t.height;
  }
}

TEST(CardLayout, CountsThatFillASheetLeaveRoomForTheGaps) {
  struct Case {
    float sheet, card, gap;
    int count;
  };
  const Case cases[] = {
      {190, 90, 2, 2},          // (190 + 2) / 92
      {260, 55, 2, 4},          // (260 + 2) / 57
      {185, 90, 10, 1},         // two cards and a gap need 190
      {180, 90, 0, 2},          // exactly full
      {179.9f, 90, 0, 1},       // a hair short
      {184, 90, 4, 2},          // 90 + 4 + 90 = 184
      {180, 90, -5, 2},         // a negative gap is none
      {80, 90, 2, 0},           // the card is larger than the sheet
      {100, 10, 2, 8},          // 8 cards and 7 gaps take 94; (100 + 2) / 10 would say 10
      {100, 0, 0, 0},           // no card
      {100, 0, 2, 0},           // no card, even with gaps
      {0, 90, 2, 0},            // no sheet
      {1e9f, 0.001f, 0, 2001},  // more than any sheet may hold: one past the limit
  };
  for (const Case& c : cases)
    EXPECT_EQ(c.count, CCardLayout::FillCount(c.sheet, c.card, c.gap))
        << c.sheet << " " << c.card << " " << c.gap;

  struct Counts {
    long long across, down;
    bool allowed;
  };
  const Counts counts[] = {{1, 1, true},   {2, 4, true},    {0, 4, false},
                           {4, -1, false}, {2000, 1, true}, {2001, 1, false},
                           {40, 50, true}, {50, 41, false}, {3000000000LL, 3000000000LL, false}};
  for (const Counts& c : counts)
    EXPECT_EQ(c.allowed, CCardLayout::CountsAllowed(c.across, c.down)) << c.across << "x" << c.down;
}

TEST(CardLayout, TheDrawingMustLieOnTheCard) {
  const Size card = {90, 55};
  EXPECT_TRUE(CCardLayout::DrawingFits(CFRect(0, 0, 90, 55), card));
  EXPECT_TRUE(CCardLayout::DrawingFits(CFRect(5, 5, 85.0005f, 50), card));
  EXPECT_TRUE(CCardLayout::DrawingFits(CFRect(85, 50, 5, 5), card));  // drawn backwards
  EXPECT_FALSE(CCardLayout::DrawingFits(CFRect(-0.1f, 0, 50, 50), card));
  EXPECT_FALSE(CCardLayout::DrawingFits(CFRect(0, -1, 50, 50), card));
  EXPECT_FALSE(CCardLayout::DrawingFits(CFRect(20, 0, 100, 50), card));  // narrower, too far right
  EXPECT_FALSE(CCardLayout::DrawingFits(CFRect(0, 0, 90, 56), card));
}

TEST(CardLayout, CopiesFollowRowByRowFromTheDrawing) {
  const std::vector<FPOINT> offsets = CCardLayout::CopyOffsets({90, 55}, 2, 3, 3, 2);
  const FPOINT expected[] = {{92, 0}, {184, 0}, {0, 58}, {92, 58}, {184, 58}};
  ASSERT_EQ(5u, offsets.size());
  for (size_t i = 0; i < offsets.size(); ++i) {
    EXPECT_EQ(expected[i].x, offsets[i].x) << i;
    EXPECT_EQ(expected[i].y, offsets[i].y) << i;
  }
  EXPECT_TRUE(CCardLayout::CopyOffsets({90, 55}, 2, 2, 1, 1).empty());
  EXPECT_EQ(3u, CCardLayout::CopyOffsets({90, 55}, -4, 2, 1, 4).size());
  EXPECT_EQ(55, CCardLayout::CopyOffsets({55, 90}, -4, 2, 2, 1)[0].x);  // a negative gap is none
}

TEST(CardSettings, DefaultsAndOnlyTypedSizesAreStored) {
  TempFolder folder;
  CIniFile file(CIniFile::ReturnSelf);
  ASSERT_TRUE(file.SetPath(folder.File("TALVEX42.INI").c_str()));
  CCardSettings loaded;
  loaded.Load(file);
  EXPECT_EQ(0, loaded.sheetType);
  EXPECT_EQ(190, loaded.sheetWidth);
  EXPECT_EQ(260, loaded.sheetHeight);
  EXPECT_EQ(90, loaded.cardWidth);
  EXPECT_EQ(55, loaded.cardHeight);
  EXPECT_EQ(2, loaded.gapX);
  EXPECT_EQ(2, loaded.across);
  EXPECT_EQ(4, loaded.down);
  EXPECT_FALSE(loaded.cardFrame);

  CCardSettings typed;
  typed.sheetType = 0;
  typed.sheetWidth = 300;
  typed.sheetHeight = 400;
  typed.cardType = 2;
  typed.cardWidth = 55;
  typed.cardHeight = 90;
  typed.gapX = 3.5f;
  typed.gapY = 4;
  typed.across = 5;
  typed.down = 6;
  typed.cardFrame = true;
  typed.Save(file);
  CCardSettings back;
  back.Load(file);
  EXPECT_EQ(300, back.sheetWidth);
  EXPECT_EQ(400, back.sheetHeight);
  EXPECT_EQ(2, back.cardType);
  // A fixed card type stores no size: the typed sizes stay the defaults.
  EXPECT_EQ(90, back.cardWidth);
  EXPECT_EQ(55, back.cardHeight);
  EXPECT_EQ(3.5f, back.gapX);
  EXPECT_EQ(4, back.gapY);
  EXPECT_EQ(5, back.across);
  EXPECT_EQ(6, back.down);
  EXPECT_TRUE(back.cardFrame);
  char text[16];
  GetPrivateProfileStringA("CARDDUP", "PAGETYPE", "", text, sizeof text,
                           folder.File("TALVEX42.INI").c_str());
  EXPECT_STREQ("0", text);
}

}  // namespace
