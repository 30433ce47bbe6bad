// CCataloguePages: how the graphics of a library kind fall onto printed catalogue pages. Every
// page has the same cells, those the catalogue page lays out on one drawing page, and they are
// filled in order, so a page goes on where the one before stopped. Only graphics that are
// placed take a cell; a graphic's number is its place in the kind, so the numbers of a page may
// skip one that has nothing to show. The last page holds what is left; no graphics, or no
// cells, make no pages.
#pragma once

#include <cstddef>
#include <vector>

class CCataloguePages {
public:
  // A graphic on a page: its index in the list given, its number and the cell it takes.
  struct Entry {
    size_t graphic;
    int number;
    size_t cell;
  };

  CCataloguePages(size_t cellsPerPage, std::vector<int> numbers);

  size_t PageCount() const;
  // The graphics of a page, cell by cell; none for a page past the last.
  std::vector<Entry> Page(size_t page) const;

private:
  size_t m_cellsPerPage;
  std::vector<int> m_numbers;
};
