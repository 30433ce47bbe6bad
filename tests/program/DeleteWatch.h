// DeleteWatch: while one lives, memory given back through operator delete is kept aside instead of
// being freed, so that a block deleted twice is counted instead of corrupting the heap, and a block
// read after its deletion still holds what it held then. This test program's operator delete is
// replaced for it; outside a watch it frees as usual. Everything runs on the test's thread.
#pragma once

class DeleteWatch {
public:
  DeleteWatch();
  ~DeleteWatch();  // frees what was kept
  DeleteWatch(const DeleteWatch&) = delete;
  DeleteWatch& operator=(const DeleteWatch&) = delete;

  // Deletes of a block that had already been deleted while this watch lived.
  int RepeatedDeletes() const;
};
