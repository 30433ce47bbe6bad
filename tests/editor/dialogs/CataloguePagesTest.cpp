// How the graphics of a library kind are split onto printed catalogue pages: pages are filled
// cell by cell in the kind's order, the last one holds the rest, and the numbers printed are the
// graphics' own (a graphic without an outline leaves a gap in the numbers, not an empty cell).
// No window.
#include <gtest/gtest.h>

#include <vector>

#include "editor/dialogs/CataloguePages.h"

namespace {

std::vector<int> Numbers(int count, int skipped = -1) {
  std::vector<int> numbers;
  for (int n = 0; n < count + (skipped >= 0 ? 1 : 0); ++n)
    if (n != skipped) numbers.push_back(n);
  return numbers;
}

}  // namespace

TEST(CataloguePages, GraphicsFillThePagesCellByCellAndTheLastHoldsTheRest) {
  struct Case {
    const char* name;
    size_t cellsPerPage;
    std::vector<int> numbers;
    size_t pages;
    size_t onLastPage;
  };
  const Case cases[] = {
      {"an exact multiple", 4, Numbers(8), 2, 4},
      {"one more", 4, Numbers(9), 3, 1},
      {"one fewer", 4, Numbers(7), 2, 3},
      {"one graphic", 6, Numbers(1), 1, 1},
      {"no graphics", 6, {}, 0, 0},
      {"no cells", 0, Numbers(5), 0, 0},
      {"one cell a page", 1, Numbers(3), 3, 1},
  };
  for (const Case& c : cases) {
    CCataloguePages split(c.cellsPerPage, c.numbers);
    ASSERT_EQ(c.pages, split.PageCount()) << c.name;
    size_t graphic = 0;
    for (size_t page = 0; page < c.pages; ++page) {
      std::vector<CCataloguePages::Entry> entries = split.Page(page);
      EXPECT_EQ(page + 1 == c.pages ? c.onLastPage : c.cellsPerPage, entries.size())
          << c.name << " page " << page;
      for (size_t i = 0; i < entries.size(); ++i, ++graphic) {
        EXPECT_EQ(graphic, entries[i].graphic) << c.name;
        EXPECT_EQ(c.numbers[graphic], entries[i].number) << c.name;
        EXPECT_EQ(i, entries[i].cell) << c.name;
      }
    }
    EXPECT_EQ(c.numbers.size() * (c.cellsPerPage ? 1 : 0), graphic) << c.name;
    EXPECT_TRUE(split.Page(c.pages).empty()) << c.name;
  }
}

TEST(CataloguePages, AGraphicWithoutAnOutlineLeavesAGapInTheNumbersNotAnEmptyCell) {
  // Graphic 2 of the kind has nothing to show: 0, 1, 3 | 4, 5.
  CCataloguePages split(3, Numbers(5, 2));
  ASSERT_EQ(2u, split.PageCount());
  std::vector<CCataloguePages::Entry> first = split.Page(0), second = split.Page(1);
  ASSERT_EQ(3u, first.size());
  EXPECT_EQ(3, first[2].number);
  EXPECT_EQ(2u, first[2].cell);
  ASSERT_EQ(2u, second.size());
  EXPECT_EQ(4, second[0].number);
  EXPECT_EQ(3u, second[0].graphic);
  EXPECT_EQ(0u, second[0].cell);
}
