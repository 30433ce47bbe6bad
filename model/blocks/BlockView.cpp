#include "model/blocks/BlockView.h"

namespace {

CBlockView::ActiveViewFinder& Finder() {
  static CBlockView::ActiveViewFinder finder = nullptr;
  return finder;
}

}  // namespace

CBlockView::ActiveViewFinder CBlockView::SetActiveViewFinder(ActiveViewFinder finder) {
  ActiveViewFinder previous = Finder();
  Finder() = finder;
  return previous;
}

CBlockView* CBlockView::GetActive() { return Finder() ? Finder()() : nullptr; }
