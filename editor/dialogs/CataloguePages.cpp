#include "editor/dialogs/CataloguePages.h"

#include <algorithm>
#include <utility>

CCataloguePages::CCataloguePages(size_t cellsPerPage, std::vector<int> numbers)
    : m_cellsPerPage(cellsPerPage), m_numbers(std::move(numbers)) {}

size_t CCataloguePages::PageCount() const {
  if (m_cellsPerPage == 0) return 0;
  return (m_numbers.size() + m_cellsPerPage - 1) / m_cellsPerPage;
}

std::vector<CCataloguePages::Entry> CCataloguePages::Page(size_t page) const {
  std::vector<Entry> entries;
  if (page >= PageCount()) return entries;
  const size_t first = page * m_cellsPerPage;
  const size_t end = std::min(m_numbers.size(), first + m_cellsPerPage);
  for (size_t graphic = first; graphic < end; ++graphic)
    entries.push_back({graphic, m_numbers[graphic], graphic - first});
  return entries;
}
