// How the graphics of a library kind are split onto printed catalogue pages: pages are filled
// cell by cell in the kind's order, the last one holds the rest, and the numbers printed are the
// graphics' own (a graphic without an outline leaves a gap in the numbers, not an empty cell).
// No window.
#include <gtest/gtest.h>

#include <vector>

#include "editor/dialogs/CataloguePages.h"

TEST(CataloguePages, GraphicsFillThePagesCellByCellAndTheLastHoldsTheRest) {
  using Pages = std::vector<std::vector<int>>;
  struct Case {
    const char* name;
    size_t cellsPerPage;
    std::vector<int> numbers;
    Pages pages;
  };
  const Case cases[] = {
      {"an exact multiple", 2, {0, 1, 2, 3}, {{0, 1}, {2, 3}}},
      {"one more", 2, {0, 1, 2, 3, 4}, {{0, 1}, {2, 3}, {4}}},
      {"one graphic", 6, {0}, {{0}}},
      {"no graphics", 6, {}, {}},
      {"no cells", 0, {0, 1, 2}, {}},
      {"a gap in the numbers", 3, {0, 1, 3, 4, 5}, {{0, 1, 3}, {4, 5}}},
  };
  for (const Case& c : cases) {
    CCataloguePages split(c.cellsPerPage, c.numbers);
    ASSERT_EQ(c.pages.size(), split.PageCount()) << c.name;
    size_t graphic = 0;
    for (size_t page = 0; page <= c.pages.size(); ++page) {
      std::vector<CCataloguePages::Entry> entries = split.Page(page);
      const std::vector<int> expected = page < c.pages.size() ? c.pages[page] : std::vector<int>();
      ASSERT_EQ(expected.size(), entries.size()) << c.name << " page " << page;
      for (size_t i = 0; i < entries.size(); ++i, ++graphic) {
        EXPECT_EQ(expected[i], entries[i].number) << c.name;
        EXPECT_EQ(graphic, entries[i].graphic) << c.name;
        EXPECT_EQ(i, entries[i].cell) << c.name;
      }
    }
  }
}
